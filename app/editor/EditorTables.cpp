// Tables in the editor: the window's table procedures forward to the portable ones
// (TableCommands.h) with the editor's record of the table last clicked or created; the text
// control's mouse events record that table and move a table dragged with the right button.
#include "app/core/DialogCommands.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmTableDlg.h"
#include "app/editor/frmMDIChild.h"

void frmMDIChild::ColLeft() { InsertColumnKeepingWidth(TXTextControl1.Engine(), false); }
void frmMDIChild::ColRight() { InsertColumnKeepingWidth(TXTextControl1.Engine(), true); }

void frmMDIChild::init_pmnuTable() {}

void frmMDIChild::subResizeTable() { SubResizeTable(TXTextControl1.Engine(), tableDims_, tableDims_.id); }

void frmMDIChild::InitTableDims(std::int16_t TableID) { ::InitTableDims(TXTextControl1.Engine(), tableDims_, TableID); }

std::int32_t frmMDIChild::GetPercentAddedSubtracted(std::int32_t OldSize, std::int32_t NewSize, std::int16_t& Positive) {
    return ::GetPercentAddedSubtracted(OldSize, NewSize, Positive);
}

std::int16_t frmMDIChild::GetCurrentTableID() { return tableDims_.id; }

void frmMDIChild::ResizeTableBorder(std::int16_t BorderWidth) {
    ::ResizeTableBorder(TXTextControl1.Engine(), tableDims_.id, BorderWidth);
}

void frmMDIChild::ResizeGridLines(std::int16_t LineWidth) {
    ::ResizeGridLines(TXTextControl1.Engine(), tableDims_.id, LineWidth);
}

void frmMDIChild::SelectCurrentTable() { ::SelectCurrentTable(TXTextControl1.Engine()); }
void frmMDIChild::SelectCurrentRow() { ::SelectCurrentRow(TXTextControl1.Engine()); }
void frmMDIChild::SelectCurrentCell() { ::SelectCurrentCell(TXTextControl1.Engine()); }

// ---------------------------------------------------------------- the mouse

void frmMDIChild::RecordTableUnderMouse(int button, int x, int y) {
    const int table = TXTextControl1->TableAt(x, y);
    InitTableDims(static_cast<std::int16_t>(table));
    dragTable_ = button == 2 ? table : 0;
}

void frmMDIChild::TableResized(int tableId) {
    // Only the record of the dragged table holds the shares its columns are to keep.
    if (tableId == tableDims_.id) subResizeTable();
}

void frmMDIChild::DragTable() {
    if (dragTable_ != 0) TXTextControl1->Drag();
}

void frmMDIChild::DragDrop(int x, int y) {
    const int table = dragTable_;
    dragTable_ = 0;
    const int position = TXTextControl1->PositionAt(x, y);
    // A drop inside a table (its own too) is refused by the move itself, with nothing changed;
    // the table travels whole, as one step, and never through the clipboard.
    if (table != 0 && position >= 0) TXTextControl1.Engine().TableMove(table, position);
}

// ---------------------------------------------------------------- Table > Insert > Table

void ShowTableDialog(tx::TXTextControl& tx) {
    RunCommand([&tx] { ui::Forms::Get<frmTableDlg>().Ask(tx); });
}
