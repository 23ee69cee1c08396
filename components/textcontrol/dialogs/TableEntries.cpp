#include "components/textcontrol/dialogs/TableEntries.h"

#include <algorithm>
#include <vector>

#include "components/textcontrol/dialogs/ParagraphEntries.h"

namespace tx::dialogs {

namespace {

// The cell holding a position of the table: its first character to the end of its text.
std::pair<int, int> CellAt(const TextEngine& engine, int table, int position) {
    const int rows = engine.TableRows(table), cols = engine.TableColumns(table);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            const int start = engine.TableCellStart(table, r, c);
            if (start >= 0 && position >= start && position <= start + engine.TableCellLength(table, r, c)) return {r, c};
        }
    return {0, 0};
}

// The value every cell of the range has, as text, or blank when they differ.
template <class Read>
std::wstring Common(const CellRange& cells, int unit, Read read) {
    const int first = read(cells.firstRow, cells.firstCol);
    for (int r = cells.firstRow; r <= cells.lastRow; ++r)
        for (int c = cells.firstCol; c <= cells.lastCol; ++c)
            if (read(r, c) != first) return L"";
    return LengthText(first, unit);
}

}  // namespace

CellRange WholeTable(const TextEngine& engine, int table) {
    const int rows = table ? engine.TableRows(table) : 0, cols = table ? engine.TableColumns(table) : 0;
    if (rows <= 0 || cols <= 0) return {};
    return {table, 1, 1, rows, cols};
}

CellRange SelectedCells(const TextEngine& engine) {
    const int table = engine.TableAtInputPos();
    if (table == 0) return {};
    const int start = engine.SelStart(), end = start + engine.SelLength();
    const auto a = CellAt(engine, table, std::min(start, end));
    const auto b = CellAt(engine, table, std::max(start, end));
    if (a.first == 0 || b.first == 0) return WholeTable(engine, table);
    return {table, std::min(a.first, b.first), std::min(a.second, b.second), std::max(a.first, b.first),
            std::max(a.second, b.second)};
}

TableBoxes ShowTable(const TextEngine& engine, const CellRange& cells, int unit) {
    TableBoxes boxes;
    if (cells.table == 0) return boxes;
    const int id = cells.table;
    auto attribute = [&](int a) { return [&engine, id, a](int r, int c) { return engine.TableCellAttribute(id, r, c, a); }; };
    boxes.columnWidth = Common(cells, unit, [&](int, int c) { return engine.TableCellAttribute(id, 0, c, cell::kColumnWidth); });
    boxes.left = Common(cells, unit, attribute(cell::kLeftBorder));
    boxes.top = Common(cells, unit, attribute(cell::kTopBorder));
    boxes.right = Common(cells, unit, attribute(cell::kRightBorder));
    boxes.bottom = Common(cells, unit, attribute(cell::kBottomBorder));
    boxes.gridWidth = Common(cells, unit, attribute(cell::kGridLineWidth));
    const auto color = [&](int r, int c) { return static_cast<Color>(engine.TableCellAttribute(id, r, c, cell::kBackColor)); };
    const Color first = color(cells.firstRow, cells.firstCol);
    for (int r = cells.firstRow; r <= cells.lastRow; ++r)
        for (int c = cells.firstCol; c <= cells.lastCol; ++c)
            if (color(r, c) != first) boxes.backgroundMixed = true;
    boxes.backColor = boxes.backgroundMixed ? kNoColor : first;
    boxes.background = !boxes.backgroundMixed && first != kNoColor;
    return boxes;
}

Checked<TableValues> ReadTable(const TableBoxes& entered, const TableBoxes& shown, int unit) {
    Checked<TableValues> read;
    TableValues& v = read.value;
    struct Box {
        const wchar_t* name;
        const std::wstring TableBoxes::*text;
        std::optional<int> TableValues::*out;
        int lo, hi;
    };
    static const Box kBoxes[] = {
        {L"Column width", &TableBoxes::columnWidth, &TableValues::columnWidth, kMinColumnWidth, kMaxDialogLength},
        {L"Left border", &TableBoxes::left, &TableValues::left, 0, kMaxBorderWidth},
        {L"Top border", &TableBoxes::top, &TableValues::top, 0, kMaxBorderWidth},
        {L"Right border", &TableBoxes::right, &TableValues::right, 0, kMaxBorderWidth},
        {L"Bottom border", &TableBoxes::bottom, &TableValues::bottom, 0, kMaxBorderWidth},
        {L"Grid line width", &TableBoxes::gridWidth, &TableValues::gridWidth, 0, kMaxBorderWidth},
    };
    for (const Box& b : kBoxes) {
        read.error = ReadLengthBox(b.name, entered.*b.text, shown.*b.text, b.lo, b.hi, unit, v.*b.out);
        if (read.error) return read;
    }
    const bool backgroundChanged =
        entered.background != shown.background || (entered.background && entered.backColor != shown.backColor);
    if (backgroundChanged) v.background = entered.background ? entered.backColor : kNoColor;
    return read;
}

bool ApplyTable(TextEngine& engine, const CellRange& cells, const TableValues& values) {
    if (cells.table == 0) return false;
    std::vector<CellChange> changes;
    if (values.columnWidth)
        for (int c = cells.firstCol; c <= cells.lastCol; ++c) changes.push_back({0, c, cell::kColumnWidth, *values.columnWidth});
    const std::pair<const std::optional<int>*, int> perCell[] = {
        {&values.left, cell::kLeftBorder},     {&values.top, cell::kTopBorder},
        {&values.right, cell::kRightBorder},   {&values.bottom, cell::kBottomBorder},
        {&values.gridWidth, cell::kGridLineWidth}};
    for (int r = cells.firstRow; r <= cells.lastRow; ++r)
        for (int c = cells.firstCol; c <= cells.lastCol; ++c) {
            for (const auto& [value, attribute] : perCell)
                if (*value) changes.push_back({r, c, attribute, **value});
            if (values.background) changes.push_back({r, c, cell::kBackColor, static_cast<int>(*values.background)});
        }
    return !changes.empty() && engine.SetTableCellAttributes(cells.table, changes);
}

}  // namespace tx::dialogs
