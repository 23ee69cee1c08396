#pragma once
// The table dialog's boxes: the column width, the four borders and the grid line width in the
// host's unit, and the background, for the cells the selection touches or for the whole table.
// A box blank because the cells differ, or left as it was shown, is left alone.

#include <optional>
#include <string>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/dialogs/Entries.h"

namespace tx::dialogs {

// The narrowest column the dialog sets (the narrowest a drag leaves), and the widest border.
inline constexpr int kMinColumnWidth = 120;
inline constexpr int kMaxBorderWidth = 1440;

// A rectangle of cells of one table, rows and columns counted from 1.
struct CellRange {
    int table = 0;
    int firstRow = 0, firstCol = 0, lastRow = 0, lastCol = 0;
    bool operator==(const CellRange&) const = default;
};

// The rows and columns the selection touches in the caret's table (its whole extent when the
// selection runs out of the table), or the whole table. Table 0 outside every table.
CellRange SelectedCells(const TextEngine& engine);
CellRange WholeTable(const TextEngine& engine, int table);

struct TableBoxes {
    std::wstring columnWidth, left, top, right, bottom, gridWidth;
    bool background = false;  // false: the cells have none (or differ and show as none)
    Color backColor = kNoColor;
    bool backgroundMixed = false;
    bool operator==(const TableBoxes&) const = default;
};

struct TableValues {
    std::optional<int> columnWidth, left, top, right, bottom, gridWidth;
    std::optional<Color> background;  // kNoColor: no background
};

TableBoxes ShowTable(const TextEngine& engine, const CellRange& cells, int unit);
Checked<TableValues> ReadTable(const TableBoxes& entered, const TableBoxes& shown, int unit);
// Sets what was read on every cell of the range (the widths of its columns) as one undo step.
// False when there was nothing to set.
bool ApplyTable(TextEngine& engine, const CellRange& cells, const TableValues& values);

}  // namespace tx::dialogs
