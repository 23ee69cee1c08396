#pragma once
// Table Attributes: a new table of 1 to 100 rows and 1 to 12 columns at the caret of a text
// control, chosen from two drop-down lists (2 x 2 unless the author picks otherwise). A table the
// control refuses is reported and nothing changes; a table that runs past the page's one page is
// reported too, and stays.

#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"

// What the author is told when the control cannot put a table at the caret.
inline constexpr wchar_t kTableNotInsertedMessage[] =
    L"A table cannot be inserted here. Place the cursor outside any table and try again.";

class frmTableDlg : public ui::Form {
public:
    ui::Label lblRows{this, L"lblRows"};
    ui::ComboBox cboRows{this, L"cboRows"};
    ui::Label lblColumns{this, L"lblColumns"};
    ui::ComboBox cboColumns{this, L"cboColumns"};
    ui::CommandButton btnOK{this, L"btnOK"};
    ui::CommandButton btnCancel{this, L"btnCancel"};

    // The control that receives the table; set before the dialog is shown.
    tx::TXTextControl* tx = nullptr;
    // The new table's id after OK, 0 when none was inserted.
    int InsertedTable = 0;

    frmTableDlg();

    // Shows the dialog modally for a control, the lists at 2 x 2. OK and Cancel hide it, so that it
    // closes and opens again at once (its windows are made once, and go when it is unloaded).
    void Ask(tx::TXTextControl& control);

    void Form_Load() override;
    void btnOK_Click();
    void btnCancel_Click();
};
