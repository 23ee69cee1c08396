#include "components/textcontrol/dialogs/DialogForm.h"

#include "ui/ComboBox.h"
#include "ui/MsgBox.h"
#include "ui/TextBox.h"

namespace tx {

namespace {
constexpr long kButtonWidth = 1095;
constexpr long kButtonHeight = 375;
constexpr long kMargin = 120;
}  // namespace

DialogForm::DialogForm(const wchar_t* caption, long width, long height) {
    SetCaption(caption);
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetMaxButton(false);
    SetClientSize(width, height);
    cmdOK.SetCaption(L"OK");
    cmdOK.SetDefault(true);
    cmdOK.Move(width - 2 * (kButtonWidth + kMargin), height - kButtonHeight - kMargin, kButtonWidth, kButtonHeight);
    cmdCancel.SetCaption(L"Cancel");
    cmdCancel.SetCancel(true);
    cmdCancel.Move(width - kButtonWidth - kMargin, height - kButtonHeight - kMargin, kButtonWidth, kButtonHeight);
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { Unload(); };
}

void DialogForm::ButtonsLast() {
    cmdOK.SetTabIndex(static_cast<int>(Controls().size()));
    cmdCancel.SetTabIndex(static_cast<int>(Controls().size()));
}

void DialogForm::Begin(TextEngine& engine, int unit) {
    // A fresh load each time: the boxes start from the form's design, not from the last showing.
    if (IsLoaded()) Unload();
    engine_ = &engine;
    unit_ = unit == dialogs::kUnitCentimetre ? dialogs::kUnitCentimetre : dialogs::kUnitInch;
    accepted_ = false;
    Load();
    ShowSelection();
}

void DialogForm::cmdOK_Click() {
    if (engine_ && Apply()) Accept();
}

void DialogForm::Accept() {
    accepted_ = true;
    Unload();
}

void DialogForm::Refuse(const dialogs::EntryError& error, ui::Control& box) { Refuse(error.message, box); }

void DialogForm::Refuse(const std::wstring& message, ui::Control& box) {
    ui::MsgBox(message, ui::vbExclamation, Caption());
    box.SetFocus();
    if (auto* text = dynamic_cast<ui::TextBox*>(&box)) {
        text->SetSelStart(0);
        text->SetSelLength(static_cast<long>(text->Text().size()));
    } else if (auto* combo = dynamic_cast<ui::ComboBox*>(&box); combo && combo->Style() != 2 && combo->hWnd()) {
        SendMessageW(combo->hWnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
}

}  // namespace tx
