#pragma once
// The text control's tabs dialog: the tab stops of the selected paragraphs, set at a typed
// position with an alignment, cleared one by one or all at once.

#include <optional>

#include "components/textcontrol/dialogs/DialogForm.h"
#include "components/textcontrol/dialogs/TabEntries.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

namespace tx {

class TabsDialogForm : public DialogForm {
public:
    ui::Label lblPosition{this, L"lblPosition"};
    ui::TextBox txtPosition{this, L"txtPosition"};
    ui::ListBox lstTabs{this, L"lstTabs"};
    ui::Frame fraAlignment{this, L"fraAlignment"};
    ui::ControlArray<ui::OptionButton> optAlignment{this, L"optAlignment"};  // left, right, centred, decimal
    ui::CommandButton cmdSet{this, L"cmdSet"};
    ui::CommandButton cmdClear{this, L"cmdClear"};
    ui::CommandButton cmdClearAll{this, L"cmdClearAll"};
    ui::Label lblMixed{this, L"lblMixed"};

    TabsDialogForm();
    void Form_Load() override;

protected:
    void ShowSelection() override;
    bool Apply() override;

private:
    void FillList(int choose);
    void lstTabs_Click();
    void cmdSet_Click();
    void cmdClear_Click();
    void cmdClearAll_Click();
    TabKind ChosenKind();
    std::optional<dialogs::TabStopList> stops_;
    bool filling_ = false;
};

}  // namespace tx
