#pragma once
// The text control's paragraph dialog: alignment, indents and spacing in the host's unit, line
// spacing in percent, for the paragraphs the selection touches.

#include "components/textcontrol/dialogs/DialogForm.h"
#include "components/textcontrol/dialogs/ParagraphEntries.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

namespace tx {

class ParagraphDialogForm : public DialogForm {
public:
    ui::Label lblAlignment{this, L"lblAlignment"};
    ui::ComboBox cboAlignment{this, L"cboAlignment"};
    ui::Frame fraIndents{this, L"fraIndents"};
    ui::Label lblLeftIndent{this, L"lblLeftIndent"};
    ui::TextBox txtLeftIndent{this, L"txtLeftIndent"};
    ui::Label lblRightIndent{this, L"lblRightIndent"};
    ui::TextBox txtRightIndent{this, L"txtRightIndent"};
    ui::Label lblFirstLine{this, L"lblFirstLine"};
    ui::TextBox txtFirstLine{this, L"txtFirstLine"};
    ui::Frame fraSpacing{this, L"fraSpacing"};
    ui::Label lblSpaceBefore{this, L"lblSpaceBefore"};
    ui::TextBox txtSpaceBefore{this, L"txtSpaceBefore"};
    ui::Label lblSpaceAfter{this, L"lblSpaceAfter"};
    ui::TextBox txtSpaceAfter{this, L"txtSpaceAfter"};
    ui::Label lblLineSpacing{this, L"lblLineSpacing"};
    ui::TextBox txtLineSpacing{this, L"txtLineSpacing"};

    ParagraphDialogForm();
    void Form_Load() override;

protected:
    void ShowSelection() override;
    bool Apply() override;

private:
    dialogs::ParagraphBoxes Entered() const;
    dialogs::ParagraphBoxes shown_;
};

}  // namespace tx
