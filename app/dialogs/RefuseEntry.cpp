#include "app/dialogs/RefuseEntry.h"

#include <windows.h>

#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"
#include "ui/TextBox.h"

void RefuseEntry(ui::Form& dialog, const std::wstring& message, ui::Control& box) {
    ui::MsgBox(message, ui::vbExclamation, dialog.Caption());
    box.SetFocus();
    if (auto* text = dynamic_cast<ui::TextBox*>(&box)) {
        text->SetSelStart(0);
        text->SetSelLength(static_cast<long>(text->Text().size()));
    } else if (auto* combo = dynamic_cast<ui::ComboBox*>(&box); combo != nullptr && combo->hWnd() != nullptr) {
        SendMessageW(combo->hWnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
}
