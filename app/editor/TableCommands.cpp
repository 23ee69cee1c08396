#include "app/editor/TableCommands.h"

#include <cmath>
#include <cstdlib>

using tx::cell::kBottomBorder;
using tx::cell::kColumnWidth;
using tx::cell::kLeftBorder;
using tx::cell::kRightBorder;
using tx::cell::kTopBorder;

namespace {

int ColumnWidth(const tx::TextEngine& engine, int table, int col) {
    return engine.TableCellAttribute(table, 0, col, kColumnWidth);
}

long long ColumnSum(const tx::TextEngine& engine, int table, int columns) {
    long long sum = 0;
    for (int c = 1; c <= columns; ++c) sum += ColumnWidth(engine, table, c);
    return sum;
}

// Rounds to the nearest whole number, halves to the even one, as the program's arithmetic does.
long long RoundHalfEven(double value) { return std::llrint(value); }

bool Select(tx::TextEngine& engine, int table, int firstRow, int firstCol, int lastRow, int lastCol) {
    const int start = engine.TableCellStart(table, firstRow, firstCol);
    const int lastStart = engine.TableCellStart(table, lastRow, lastCol);
    if (start < 0 || lastStart < 0) return false;
    engine.SetSelStart(start);
    engine.SetSelLength(lastStart + engine.TableCellLength(table, lastRow, lastCol) - start);
    return true;
}

}  // namespace

void InitTableDims(const tx::TextEngine& engine, TableDims& dims, int tableId) {
    dims = TableDims{};
    const int columns = tableId > 0 ? engine.TableColumns(tableId) : 0;
    if (columns <= 0) return;
    dims.id = static_cast<std::int16_t>(tableId);
    dims.columns = static_cast<std::int16_t>(columns);
    dims.rows = static_cast<std::int16_t>(engine.TableRows(tableId));
    for (int c = 1; c <= columns; ++c) {
        dims.widths.push_back(ColumnWidth(engine, tableId, c));
        dims.widthSum += dims.widths.back();
    }
}

std::int32_t GetPercentAddedSubtracted(std::int32_t oldSize, std::int32_t newSize, std::int16_t& positive) {
    const long long d = static_cast<long long>(newSize) - oldSize;
    positive = d >= 1 ? 1 : -1;
    if (oldSize == 0) return 0;
    return static_cast<std::int32_t>(RoundHalfEven(static_cast<double>(std::llabs(d)) / std::llabs(oldSize) * 100.0));
}

bool SubResizeTable(tx::TextEngine& engine, const TableDims& dims, int resizedTable) {
    if (dims.id <= 0 || dims.id != resizedTable || dims.widthSum <= 0) return false;
    if (engine.TableColumns(dims.id) != dims.columns) return false;
    const long long newSum = ColumnSum(engine, dims.id, dims.columns);
    if (newSum == dims.widthSum) return false;
    std::int16_t sign = 1;
    const std::int32_t p = GetPercentAddedSubtracted(dims.widthSum, static_cast<std::int32_t>(std::min<long long>(newSum, INT32_MAX)), sign);
    std::vector<tx::CellChange> changes;
    for (int c = 1; c <= dims.columns; ++c) {
        const double w = dims.widths[static_cast<size_t>(c) - 1];
        changes.push_back({0, c, kColumnWidth, static_cast<int>(RoundHalfEven(w + w * p / 100.0 * sign))});
    }
    return engine.SetTableCellAttributes(dims.id, changes, true);
}

bool InsertColumnKeepingWidth(tx::TextEngine& engine, bool right) {
    if (!engine.CanInsertRowOrColumn()) return false;
    const int id = engine.TableAtInputPos();
    const int n = engine.TableColumns(id);
    const long long oldSum = ColumnSum(engine, id, n);
    if (!engine.TableInsertColumn(right)) return false;
    const long long newSum = ColumnSum(engine, id, n + 1);
    if (newSum <= 0) return true;
    const double ratio = static_cast<double>(oldSum) / static_cast<double>(newSum);
    std::vector<tx::CellChange> changes;
    for (int c = 1; c <= n + 1; ++c)
        changes.push_back({0, c, kColumnWidth, static_cast<int>(RoundHalfEven(ColumnWidth(engine, id, c) * ratio))});
    engine.SetTableCellAttributes(id, changes, true);
    return true;
}

std::vector<tx::CellChange> TableBorderChanges(const tx::TextEngine& engine, int tableId, int borderWidth) {
    const int rows = tableId > 0 ? engine.TableRows(tableId) : 0, cols = tableId > 0 ? engine.TableColumns(tableId) : 0;
    if (rows <= 0 || cols <= 0) return {};
    return {{0, 1, kLeftBorder, borderWidth},
            {0, cols, kRightBorder, borderWidth},
            {1, 0, kTopBorder, borderWidth},
            {rows, 0, kBottomBorder, borderWidth}};
}

std::vector<tx::CellChange> GridLineChanges(const tx::TextEngine& engine, int tableId, int lineWidth) {
    const int rows = tableId > 0 ? engine.TableRows(tableId) : 0, cols = tableId > 0 ? engine.TableColumns(tableId) : 0;
    std::vector<tx::CellChange> changes;
    for (int c = 1; c < cols; ++c) changes.push_back({0, c, kRightBorder, lineWidth});
    for (int r = 1; r < rows && cols > 0; ++r) changes.push_back({r, 0, kBottomBorder, lineWidth});
    return changes;
}

bool ResizeTableBorder(tx::TextEngine& engine, int tableId, int borderWidth) {
    const std::vector<tx::CellChange> changes = TableBorderChanges(engine, tableId, borderWidth);
    return !changes.empty() && engine.SetTableCellAttributes(tableId, changes);
}

bool ResizeGridLines(tx::TextEngine& engine, int tableId, int lineWidth) {
    if (tableId <= 0 || engine.TableColumns(tableId) <= 0) return false;
    const std::vector<tx::CellChange> changes = GridLineChanges(engine, tableId, lineWidth);
    // A single cell has no inner lines: nothing to set is no failure.
    return changes.empty() || engine.SetTableCellAttributes(tableId, changes);
}

bool SelectCurrentTable(tx::TextEngine& engine) {
    const int id = engine.TableAtInputPos();
    return id != 0 && Select(engine, id, 1, 1, engine.TableRows(id), engine.TableColumns(id));
}

bool SelectCurrentRow(tx::TextEngine& engine) {
    const int id = engine.TableAtInputPos();
    const int row = engine.TableCellAtInputPos().first;
    return id != 0 && Select(engine, id, row, 1, row, engine.TableColumns(id));
}

bool SelectCurrentCell(tx::TextEngine& engine) {
    const int id = engine.TableAtInputPos();
    const auto [row, col] = engine.TableCellAtInputPos();
    return id != 0 && Select(engine, id, row, col, row, col);
}
