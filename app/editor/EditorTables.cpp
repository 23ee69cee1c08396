// Tables in the editor: the Table menu's selections work on the caret's table; the proportional
// column commands, the record of the table last clicked, its resizing, borders and dragging are not
// part of the editor yet and do nothing until they are.
#include "app/core/DialogCommands.h"
#include "app/editor/frmMDIChild.h"

void frmMDIChild::ColLeft() {}
void frmMDIChild::ColRight() {}
void frmMDIChild::init_pmnuTable() {}
void frmMDIChild::subResizeTable() {}
void frmMDIChild::InitTableDims(std::int16_t /*TableID*/) {}
std::int32_t frmMDIChild::GetPercentAddedSubtracted(std::int32_t /*OldSize*/, std::int32_t /*NewSize*/,
                                                    std::int16_t& /*Positive*/) {
    return 0;
}
std::int16_t frmMDIChild::GetCurrentTableID() { return 0; }
void frmMDIChild::ResizeTableBorder(std::int16_t /*BorderWidth*/) {}
void frmMDIChild::ResizeGridLines(std::int16_t /*LineWidth*/) {}
// The right mouse button held over a table moves it.
void frmMDIChild::DragTable() {}

namespace {

// Selects from the start of one cell to the end of another.
void SelectCells(tx::TextEngine& e, int table, int firstRow, int firstCol, int lastRow, int lastCol) {
    const int start = e.TableCellStart(table, firstRow, firstCol);
    const int end = e.TableCellStart(table, lastRow, lastCol) + e.TableCellLength(table, lastRow, lastCol);
    e.SetSelStart(start);
    e.SetSelLength(end - start);
}

}  // namespace

void frmMDIChild::SelectCurrentTable() {
    tx::TextEngine& e = TXTextControl1.Engine();
    const int table = e.TableAtInputPos();
    if (table == 0) return;
    SelectCells(e, table, 1, 1, e.TableRows(table), e.TableColumns(table));
}

void frmMDIChild::SelectCurrentRow() {
    tx::TextEngine& e = TXTextControl1.Engine();
    const int table = e.TableAtInputPos();
    if (table == 0) return;
    const int row = e.TableCellAtInputPos().first;
    SelectCells(e, table, row, 1, row, e.TableColumns(table));
}

void frmMDIChild::SelectCurrentCell() {
    tx::TextEngine& e = TXTextControl1.Engine();
    const int table = e.TableAtInputPos();
    if (table == 0) return;
    const auto [row, col] = e.TableCellAtInputPos();
    SelectCells(e, table, row, col, row, col);
}

// Table > Insert > Table. The table insertion dialog is not part of the program yet.
void ShowTableDialog(tx::TXTextControl& /*tx*/) {}
