#include "app/dialogs/frmTableDlg.h"

#include <string>

#include "app/core/SharedCommands.h"
#include "app/editor/frmMDIChild.h"
#include "ui/MsgBox.h"

namespace {

constexpr int kMaxRows = 100;
constexpr int kMaxColumns = 12;
// The thin border every new table starts with, in twips: one pixel on the screen.
constexpr int kNewTableBorder = 15;

}  // namespace

frmTableDlg::frmTableDlg() {
    SetCaption(L"Table Attributes");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(3780, 1500);

    lblRows.SetCaption(L"&Rows:");
    lblRows.Move(180, 225, 960, 255);
    cboRows.SetStyle(2);
    cboRows.Move(1200, 180, 1020, 315);
    lblColumns.SetCaption(L"&Columns:");
    lblColumns.Move(180, 645, 960, 255);
    cboColumns.SetStyle(2);
    cboColumns.Move(1200, 600, 1020, 315);

    btnOK.SetCaption(L"OK");
    btnOK.Move(2460, 180, 1140, 375);
    btnOK.SetDefault(true);
    btnCancel.SetCaption(L"Cancel");
    btnCancel.Move(2460, 630, 1140, 375);
    btnCancel.SetCancel(true);

    btnOK.Click = [this] { btnOK_Click(); };
    btnCancel.Click = [this] { btnCancel_Click(); };
}

void frmTableDlg::Form_Load() {
    cboColumns.Clear();
    for (int i = 1; i <= kMaxColumns; ++i) cboColumns.AddItem(std::to_wstring(i));
    cboRows.Clear();
    for (int i = 1; i <= kMaxRows; ++i) cboRows.AddItem(std::to_wstring(i));
    cboColumns.SetListIndex(1);
    cboRows.SetListIndex(1);
    InsertedTable = 0;
}

void frmTableDlg::Ask(tx::TXTextControl& control) {
    tx = &control;
    if (IsLoaded()) {
        cboColumns.SetListIndex(1);
        cboRows.SetListIndex(1);
        InsertedTable = 0;
    }
    Show(ui::vbModal);
}

void frmTableDlg::btnOK_Click() {
    // The lists hold only their numbers, so the chosen entry is the count.
    const int rows = cboRows.ListIndex() + 1, columns = cboColumns.ListIndex() + 1;
    if (tx == nullptr || rows < 1 || columns < 1) return;
    tx::TextEngine& engine = tx->Engine();
    const int id = engine.TableInsert(rows, columns);
    if (id == 0) {
        ui::MsgBox(kTableNotInsertedMessage, ui::vbExclamation);
        return;
    }
    InsertedTable = id;
    // The editor records the new table as the one the author works on; the table it then names
    // gets the thin border, in the insert's own undo step.
    int table = id;
    if (frmMDIChild* editor = ActiveEditor(); editor != nullptr && &editor->TXTextControl1 == tx) {
        editor->InitTableDims(static_cast<std::int16_t>(id));
        table = editor->GetCurrentTableID();
    }
    engine.SetTableCellAttributes(table, {{0, 0, tx::cell::kLeftBorder, kNewTableBorder}}, true);
    // A table past the page is reported by the editor, after the change, as for any edit.
    Hide();
}

void frmTableDlg::btnCancel_Click() { Hide(); }
