#pragma once
// The editor's table procedures: keeping a table's width when a column goes in, rescaling every
// column after the author drags one column's border, the outer border and the inner lines of a
// table, and selecting the caret's table, row or cell. They work on the text engine alone, so the
// editor window only forwards its menu commands and the control's events to them.
//
// Table ids are positive; 0 means no table.

#include <cstdint>
#include <vector>

#include "components/textcontrol/TextEngine.h"

// The dimensions of the table the author last clicked or created, as they were then: the rescale
// after a resize gives every column its recorded share of the new total.
struct TableDims {
    std::int16_t id = 0;
    std::int16_t columns = 0;
    std::int16_t rows = 0;
    std::vector<std::int32_t> widths;  // twips, column 1 first
    std::int32_t widthSum = 0;
};

// Records a table's dimensions; 0 (or a table that is not there) clears the record.
void InitTableDims(const tx::TextEngine& engine, TableDims& dims, int tableId);

// The change from the old size to the new one in whole percent of the old (halves to even), its
// direction in `positive` (1 for growth by at least one, else -1). An old size of 0 has no
// percentage: 0.
std::int32_t GetPercentAddedSubtracted(std::int32_t oldSize, std::int32_t newSize, std::int16_t& positive);

// After the author dragged a border of `resizedTable`: every recorded column gets its recorded
// width changed by the percentage the table's total changed, as part of the resize's own undo
// step. Nothing happens when the record is of another table (or none), when its column count no
// longer matches, or when the total did not change. True when the columns were rescaled.
bool SubResizeTable(tx::TextEngine& engine, const TableDims& dims, int resizedTable);

// A column left (or right) of the caret's, the table keeping its total width: every column gives
// the new one its share in proportion. One Undo takes the column and the widths back.
bool InsertColumnKeepingWidth(tx::TextEngine& engine, bool right);

// The outer border (first column's left, last column's right, first row's top, last row's bottom)
// or the inner lines (every column's right but the last, every row's bottom but the last) of a
// table, as one undo step. The table's counts are read when they run, so rows and columns added
// or deleted since the table was recorded are covered. False when there is no such table.
bool ResizeTableBorder(tx::TextEngine& engine, int tableId, int borderWidth);
bool ResizeGridLines(tx::TextEngine& engine, int tableId, int lineWidth);
// What those two set, for a command that sets them together with other attributes in one change
// (one step, one layout, one repaint); empty when there is no such table (or, for the inner
// lines, when it is a single cell).
std::vector<tx::CellChange> TableBorderChanges(const tx::TextEngine& engine, int tableId, int borderWidth);
std::vector<tx::CellChange> GridLineChanges(const tx::TextEngine& engine, int tableId, int lineWidth);

// Selects the caret's table, row or cell from its first character to the end of its last cell's
// text. False (selection unchanged) with the caret outside a table.
bool SelectCurrentTable(tx::TextEngine& engine);
bool SelectCurrentRow(tx::TextEngine& engine);
bool SelectCurrentCell(tx::TextEngine& engine);
