// The editor's table procedures on the text engine: widths kept and rescaled, borders and inner
// lines, selections, each change one undo step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/editor/TableCommands.h"

namespace {

using tx::TextEngine;
namespace cell = tx::cell;

// A page whose text is 9000 twips wide, so a new table of three columns is 3000 each.
TextEngine Page() {
    TextEngine e;
    e.SetPageWidth(9000 + e.PageMarginL() + e.PageMarginR());
    e.SetSelText(L"before");
    return e;
}

std::vector<int> Widths(const TextEngine& e, int id) {
    std::vector<int> out;
    for (int c = 1; c <= e.TableColumns(id); ++c) out.push_back(e.TableCellAttribute(id, 0, c, cell::kColumnWidth));
    return out;
}

int Sum(const std::vector<int>& widths) {
    int sum = 0;
    for (int w : widths) sum += w;
    return sum;
}

TEST(TableCommands, PercentAddedOrSubtracted) {
    struct Case {
        std::int32_t oldSize, newSize, percent;
        std::int16_t positive;
    };
    const Case cases[] = {
        {1000, 1100, 10, 1}, {1000, 900, 10, -1}, {1000, 1000, 0, -1},
        {1000, 1005, 0, 1},  {1000, 1015, 2, 1},  {1000, 1025, 2, 1},  // halves go to the even percent
        {9000, 9750, 8, 1},  {0, 500, 0, 1},      {0, 0, 0, -1},       // an old size of 0 has no percentage
        {1000, 1001, 0, 1},  {2147483647, 0, 100, -1},
    };
    for (const Case& c : cases) {
        std::int16_t positive = 0;
        EXPECT_EQ(GetPercentAddedSubtracted(c.oldSize, c.newSize, positive), c.percent) << c.oldSize << " -> " << c.newSize;
        EXPECT_EQ(positive, c.positive) << c.oldSize << " -> " << c.newSize;
    }
}

TEST(TableCommands, TheRecordHoldsAPositiveIdsDimensionsAndZeroClearsIt) {
    TextEngine e = Page();
    const int id = e.TableInsert(2, 3);
    e.SetTableCellAttribute(id, 0, 2, cell::kColumnWidth, 2000);
    TableDims dims;
    InitTableDims(e, dims, id);
    EXPECT_EQ(dims.id, id);
    EXPECT_EQ(dims.columns, 3);
    EXPECT_EQ(dims.rows, 2);
    EXPECT_EQ(dims.widths, (std::vector<std::int32_t>{3000, 2000, 3000}));
    EXPECT_EQ(dims.widthSum, 8000);
    for (int cleared : {0, id + 5, -1}) {
        TableDims d = dims;
        InitTableDims(e, d, cleared);
        EXPECT_EQ(d.id, 0) << cleared;
        EXPECT_EQ(d.columns, 0);
        EXPECT_TRUE(d.widths.empty());
        EXPECT_EQ(d.widthSum, 0);
    }
}

TEST(TableCommands, ANewColumnTakesItsShareAndTheTableKeepsItsWidth) {
    struct Case {
        const char* name;
        int col;  // the caret's column
        bool right;
        int newCol;  // where the empty column lands
        std::vector<int> widths;  // the new column starts as wide as the caret's
    };
    // Columns of 4000, 3000 and 2000 twips.
    const Case cases[] = {
        {"left of the first", 1, false, 1, {2769, 2769, 2077, 1385}},
        {"right of the first", 1, true, 2, {2769, 2769, 2077, 1385}},
        {"left of the middle", 2, false, 2, {3000, 2250, 2250, 1500}},
        {"right of the last", 3, true, 4, {3273, 2455, 1636, 1636}},
        {"left of the last", 3, false, 3, {3273, 2455, 1636, 1636}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextEngine e = Page();
        const int id = e.TableInsert(2, 3);
        e.SetTableCellAttribute(id, 0, 1, cell::kColumnWidth, 4000);
        e.SetTableCellAttribute(id, 0, 3, cell::kColumnWidth, 2000);
        for (int col = 1; col <= 3; ++col) {
            e.SetSelStart(e.TableCellStart(id, 1, col));
            e.SetSelText(std::to_wstring(col));
        }
        e.SetSelStart(e.TableCellStart(id, 2, c.col));
        const std::vector<int> before = Widths(e, id);
        const int steps = e.UndoSteps();
        ASSERT_TRUE(InsertColumnKeepingWidth(e, c.right));
        const std::vector<int> after = Widths(e, id);
        EXPECT_EQ(after, c.widths);
        EXPECT_NEAR(Sum(after), 9000, 2) << "the total stays, rounding aside";
        EXPECT_EQ(e.TableCellLength(id, 1, c.newCol), 0) << "the new column is the empty one";
        EXPECT_EQ(e.UndoSteps(), steps + 1) << "the column and its widths are one step";
        e.Undo();
        EXPECT_EQ(Widths(e, id), before);
    }
    TextEngine outside = Page();
    EXPECT_FALSE(InsertColumnKeepingWidth(outside, false));
}

TEST(TableCommands, AResizeRescalesEveryColumnOfTheDraggedTableAsOneStep) {
    TextEngine e = Page();
    const int other = e.TableInsert(1, 2);
    e.SetSelStart(e.TextLength());
    e.SetSelText(L"between");
    const int id = e.TableInsert(2, 3);
    TableDims dims;
    InitTableDims(e, dims, id);
    const int steps = e.UndoSteps();

    // The control resized column 2 by a 50-pixel drag (750 twips): 9000 -> 9750 is 8 %.
    e.SetTableCellAttribute(id, 0, 2, cell::kColumnWidth, 3750);
    EXPECT_FALSE(SubResizeTable(e, dims, other)) << "the record is of another table";
    ASSERT_TRUE(SubResizeTable(e, dims, id));
    EXPECT_EQ(Widths(e, id), (std::vector<int>{3240, 3240, 3240}));
    EXPECT_EQ(e.UndoSteps(), steps + 1);
    e.Undo();
    EXPECT_EQ(Widths(e, id), (std::vector<int>{3000, 3000, 3000})) << "one Undo takes the whole resize back";

    // Shrinking by 600 twips: 7 % less.
    e.SetTableCellAttribute(id, 0, 3, cell::kColumnWidth, 2400);
    ASSERT_TRUE(SubResizeTable(e, dims, id));
    EXPECT_EQ(Widths(e, id), (std::vector<int>{2790, 2790, 2790}));

    // No record, a table whose columns changed since, or a total that did not change: nothing.
    e.Undo();
    EXPECT_FALSE(SubResizeTable(e, TableDims{}, id));
    EXPECT_FALSE(SubResizeTable(e, dims, id)) << "total unchanged";
    e.SetSelStart(e.TableCellStart(id, 1, 1));
    ASSERT_TRUE(e.TableInsertColumn(true));
    const std::vector<int> four = Widths(e, id);
    e.SetTableCellAttribute(id, 0, 1, cell::kColumnWidth, 5000);
    EXPECT_FALSE(SubResizeTable(e, dims, id));
    EXPECT_EQ(Widths(e, id)[1], four[1]);
}

// Each cell's borders as "ltrb" digits of tens of twips, rows separated by '|'.
std::string Borders(const TextEngine& e, int id) {
    std::string out;
    for (int r = 1; r <= e.TableRows(id); ++r) {
        if (r > 1) out += '|';
        for (int c = 1; c <= e.TableColumns(id); ++c) {
            if (c > 1) out += ' ';
            for (int a : {cell::kLeftBorder, cell::kTopBorder, cell::kRightBorder, cell::kBottomBorder})
                out += static_cast<char>('0' + e.TableCellAttribute(id, r, c, a) / 10);
        }
    }
    return out;
}

TEST(TableCommands, OuterBorderAndInnerLinesCoverTheTableAsItIsNow) {
    // What changes after the table was recorded and before the procedure runs.
    enum Since { kNothing, kLastColumnDeleted, kRowAddedBelow };
    struct Case {
        const char* name;
        int rows, cols;
        Since since;
        bool border;  // the outer border, else the inner lines
        const char* expected;
    };
    const Case cases[] = {
        {"1 x 1 border", 1, 1, kNothing, true, "3333"},
        {"1 x 1 lines", 1, 1, kNothing, false, "0000"},
        {"3 x 4 border", 3, 4, kNothing, true, "3300 0300 0300 0330|3000 0000 0000 0030|3003 0003 0003 0033"},
        {"3 x 4 lines", 3, 4, kNothing, false, "0033 0033 0033 0003|0033 0033 0033 0003|0030 0030 0030 0000"},
        {"3 x 4 less a column, border", 3, 4, kLastColumnDeleted, true, "3300 0300 0330|3000 0000 0030|3003 0003 0033"},
        {"3 x 4 less a column, lines", 3, 4, kLastColumnDeleted, false, "0033 0033 0003|0033 0033 0003|0030 0030 0000"},
        {"3 x 4 and a row, border", 3, 4, kRowAddedBelow, true,
         "3300 0300 0300 0330|3000 0000 0000 0030|3000 0000 0000 0030|3003 0003 0003 0033"},
        {"3 x 4 and a row, lines", 3, 4, kRowAddedBelow, false,
         "0033 0033 0033 0003|0033 0033 0033 0003|0033 0033 0033 0003|0030 0030 0030 0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextEngine e = Page();
        const int id = e.TableInsert(c.rows, c.cols);
        TableDims dims;
        InitTableDims(e, dims, id);
        if (c.since == kLastColumnDeleted) {
            e.SetSelStart(e.TableCellStart(id, 1, c.cols));
            ASSERT_TRUE(e.TableDeleteColumn());
        } else if (c.since == kRowAddedBelow) {
            e.SetSelStart(e.TableCellStart(id, c.rows, 1));
            ASSERT_TRUE(e.TableInsertRow(true));
        }
        const int steps = e.UndoSteps();
        ASSERT_TRUE(c.border ? ResizeTableBorder(e, dims.id, 30) : ResizeGridLines(e, dims.id, 30));
        EXPECT_EQ(Borders(e, id), c.expected);
        EXPECT_LE(e.UndoSteps(), steps + 1);
    }
    TextEngine e = Page();
    EXPECT_FALSE(ResizeTableBorder(e, 0, 30));
    EXPECT_FALSE(ResizeGridLines(e, 3, 30));
}

TEST(TableCommands, SelectionsRunFromTheFirstCellToTheEndOfTheLastCellsText) {
    TextEngine e = Page();
    const int id = e.TableInsert(2, 3);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            e.SetSelStart(e.TableCellStart(id, r, c));
            e.SetSelText(std::wstring(1, static_cast<wchar_t>(L'a' + 3 * (r - 1) + (c - 1))));
        }
    struct Case {
        bool (*select)(TextEngine&);
        const wchar_t* text;
    };
    const Case cases[] = {{SelectCurrentTable, L"a\nb\nc\nd\ne\nf"}, {SelectCurrentRow, L"d\ne\nf"}, {SelectCurrentCell, L"e"}};
    for (const Case& c : cases) {
        e.SetSelStart(e.TableCellStart(id, 2, 2) + 1);
        ASSERT_TRUE(c.select(e));
        EXPECT_EQ(e.SelText(), c.text);
    }
    e.SetSelStart(2);
    for (const Case& c : cases) {
        EXPECT_FALSE(c.select(e));
        EXPECT_EQ(e.SelStart(), 2);
        EXPECT_EQ(e.SelLength(), 0);
    }
}

}  // namespace
