#pragma once
// The text control's table dialog: the column width, the four borders and the grid line width in
// the host's unit, and the background, for the cells the selection touches or the whole table.

#include "components/textcontrol/dialogs/DialogForm.h"
#include "components/textcontrol/dialogs/TableEntries.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

namespace tx {

class TableDialogForm : public DialogForm {
public:
    ui::Frame fraApplyTo{this, L"fraApplyTo"};
    ui::OptionButton optCells{this, L"optCells"};
    ui::OptionButton optTable{this, L"optTable"};
    ui::Label lblColumnWidth{this, L"lblColumnWidth"};
    ui::TextBox txtColumnWidth{this, L"txtColumnWidth"};
    ui::Frame fraBorders{this, L"fraBorders"};
    ui::Label lblLeft{this, L"lblLeft"};
    ui::TextBox txtLeft{this, L"txtLeft"};
    ui::Label lblTop{this, L"lblTop"};
    ui::TextBox txtTop{this, L"txtTop"};
    ui::Label lblRight{this, L"lblRight"};
    ui::TextBox txtRight{this, L"txtRight"};
    ui::Label lblBottom{this, L"lblBottom"};
    ui::TextBox txtBottom{this, L"txtBottom"};
    ui::Label lblGridWidth{this, L"lblGridWidth"};
    ui::TextBox txtGridWidth{this, L"txtGridWidth"};
    ui::Frame fraBackground{this, L"fraBackground"};
    ui::CheckBox chkBackground{this, L"chkBackground"};
    ui::Label lblSwatch{this, L"lblSwatch"};
    ui::CommandButton cmdColor{this, L"cmdColor"};
    ui::CommonDialog dlgColor{this};

    TableDialogForm();
    void Form_Load() override;

    // The cells OK changes.
    const dialogs::CellRange& Cells() const { return cells_; }

protected:
    void ShowSelection() override;
    bool Apply() override;

private:
    void ShowCells();
    void ShowSwatch();
    void ChooseColor();
    dialogs::TableBoxes Entered() const;

    dialogs::CellRange cells_;
    dialogs::TableBoxes shown_;
    Color backColor_ = kNoColor;
};

}  // namespace tx
