#pragma once
// The text control's style dialog: the document's named styles. Apply gives the chosen style to
// the selected paragraphs; New makes a style of the selection's formats under the typed name;
// Rename and Delete change the list. What the list went through is kept only by OK or Apply, as
// one step; Cancel leaves the document as it was.

#include <optional>

#include "components/textcontrol/dialogs/DialogForm.h"
#include "components/textcontrol/dialogs/StyleEntries.h"
#include "ui/CommandButton.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

namespace tx {

class StyleDialogForm : public DialogForm {
public:
    ui::Label lblStyles{this, L"lblStyles"};
    ui::ListBox lstStyles{this, L"lstStyles"};
    ui::Label lblName{this, L"lblName"};
    ui::TextBox txtName{this, L"txtName"};
    ui::CommandButton cmdApply{this, L"cmdApply"};
    ui::CommandButton cmdNew{this, L"cmdNew"};
    ui::CommandButton cmdRename{this, L"cmdRename"};
    ui::CommandButton cmdDelete{this, L"cmdDelete"};

    StyleDialogForm();

protected:
    void ShowSelection() override;
    bool Apply() override;

private:
    void FillList(int choose);
    void lstStyles_Click();
    void cmdApply_Click();
    void cmdNew_Click();
    void cmdRename_Click();
    void cmdDelete_Click();
    // Writes the list's changes (and the style to apply, when one is given) into the document.
    void Commit(const std::wstring& apply);
    std::optional<dialogs::StyleList> styles_;
};

}  // namespace tx
