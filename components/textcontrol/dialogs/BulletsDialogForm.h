#pragma once
// The text control's bullets and numbering dialog: list kind, numbering style, level (1 to 9 as
// shown) and the indent each level adds, for the paragraphs the selection touches.

#include "components/textcontrol/dialogs/DialogForm.h"
#include "components/textcontrol/dialogs/ListEntries.h"
#include "ui/ComboBox.h"
#include "ui/ControlArray.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

namespace tx {

class BulletsDialogForm : public DialogForm {
public:
    ui::Frame fraKind{this, L"fraKind"};
    ui::ControlArray<ui::OptionButton> optKind{this, L"optKind"};  // none, bullets, numbers
    ui::Label lblStyle{this, L"lblStyle"};
    ui::ComboBox cboStyle{this, L"cboStyle"};
    ui::Label lblLevel{this, L"lblLevel"};
    ui::TextBox txtLevel{this, L"txtLevel"};
    ui::Label lblStep{this, L"lblStep"};
    ui::TextBox txtStep{this, L"txtStep"};

    BulletsDialogForm();
    void Form_Load() override;

protected:
    void ShowSelection() override;
    bool Apply() override;

private:
    dialogs::ListBoxes Entered();
    dialogs::ListBoxes shown_;
};

}  // namespace tx
