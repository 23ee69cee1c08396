// The table dialog's cells, boxes and what OK sets: the cells the selection touches, values the
// cells share shown and differing ones blank, boxes left alone changing nothing, refusals naming
// their box, and the change as one undo step on those cells only.
#include <gtest/gtest.h>

#include "components/textcontrol/dialogs/TableEntries.h"

namespace tx::dialogs {
namespace {

// "Above", then a table of 3 rows and 4 columns with a letter in every cell.
TextEngine Page(int& id) {
    TextEngine e;
    e.SetSelText(L"Above");
    id = e.TableInsert(3, 4);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) {
            e.SetSelStart(e.TableCellStart(id, r, c));
            e.SetSelText(std::wstring(1, static_cast<wchar_t>(L'a' + (r - 1) * 4 + (c - 1))));
        }
    return e;
}

TEST(TableEntries, TheCellsAreThoseTheSelectionTouches) {
    int id = 0;
    TextEngine e = Page(id);
    struct Case {
        int fromRow, fromCol, toRow, toCol;
        CellRange cells;
    } cases[] = {
        {2, 2, 2, 2, {id, 2, 2, 2, 2}},
        {1, 2, 2, 3, {id, 1, 2, 2, 3}},
        {3, 4, 1, 1, {id, 1, 1, 3, 4}},  // selected backwards
        {2, 3, 3, 1, {id, 2, 1, 3, 3}},  // the rectangle of both corners
    };
    for (const Case& c : cases) {
        const int from = e.TableCellStart(id, c.fromRow, c.fromCol), to = e.TableCellStart(id, c.toRow, c.toCol);
        e.Select(from, to);
        EXPECT_EQ(SelectedCells(e), c.cells) << c.fromRow << "," << c.fromCol << " to " << c.toRow << "," << c.toCol;
    }
    EXPECT_EQ(WholeTable(e, id), (CellRange{id, 1, 1, 3, 4}));
    e.SetSelStart(0);
    EXPECT_EQ(SelectedCells(e).table, 0) << "outside every table";
    EXPECT_EQ(WholeTable(e, 0).table, 0);
    EXPECT_EQ(WholeTable(e, id + 99).table, 0);
}

TEST(TableEntries, SharedValuesShowAndDifferingOnesAreBlank) {
    int id = 0;
    TextEngine e = Page(id);
    e.SetTableCellAttributes(id, {{0, 0, cell::kBorderWidth, 30}, {0, 0, cell::kGridLineWidth, 15},
                                  {0, 0, cell::kBackColor, 0xFF}, {2, 2, cell::kLeftBorder, 60}});
    const TableBoxes one = ShowTable(e, {id, 1, 1, 1, 1}, kUnitInch);
    EXPECT_EQ(one.left, L"0.02");
    EXPECT_EQ(one.gridWidth, L"0.01");
    EXPECT_TRUE(one.background);
    EXPECT_EQ(one.backColor, 0xFFu);
    const TableBoxes all = ShowTable(e, WholeTable(e, id), kUnitInch);
    EXPECT_EQ(all.left, L"") << "one cell's left border differs";
    EXPECT_EQ(all.top, L"0.02");
    EXPECT_EQ(all.columnWidth, LengthText(e.TableCellAttribute(id, 0, 1, cell::kColumnWidth), kUnitInch));
    e.SetTableCellAttribute(id, 3, 4, cell::kBackColor, 0xFF00);
    const TableBoxes mixed = ShowTable(e, WholeTable(e, id), kUnitInch);
    EXPECT_TRUE(mixed.backgroundMixed);
    EXPECT_FALSE(mixed.background);
    EXPECT_EQ(ShowTable(e, {}, kUnitInch), TableBoxes{});
}

TEST(TableEntries, BoxesLeftAloneChangeNothingAndBadOnesAreRefusedByName) {
    int id = 0;
    TextEngine e = Page(id);
    const TableBoxes shown = ShowTable(e, WholeTable(e, id), kUnitCentimetre);
    const auto untouched = ReadTable(shown, shown, kUnitCentimetre);
    ASSERT_TRUE(untouched.Ok());
    const int steps = e.UndoSteps();
    EXPECT_FALSE(ApplyTable(e, WholeTable(e, id), untouched.value));
    EXPECT_EQ(e.UndoSteps(), steps) << "nothing to set is no undo step";

    struct Case {
        std::wstring TableBoxes::*box;
        const wchar_t* text;
        const wchar_t* refusedBox;  // nullptr: taken
    } cases[] = {
        {&TableBoxes::columnWidth, L"0.1", L"Column width"},  // 57 twips: narrower than a drag leaves
        {&TableBoxes::columnWidth, L"5", nullptr},
        {&TableBoxes::left, L"-0.1", L"Left border"},
        {&TableBoxes::top, L"3", L"Top border"},
        {&TableBoxes::right, L"thick", L"Right border"},
        {&TableBoxes::bottom, L"0", nullptr},
        {&TableBoxes::gridWidth, L"2.54", nullptr},
        {&TableBoxes::gridWidth, L"1 in", nullptr},
        {&TableBoxes::gridWidth, L"1.1 in", L"Grid line width"},
    };
    for (const Case& c : cases) {
        TableBoxes entered = shown;
        entered.*c.box = c.text;
        const auto read = ReadTable(entered, shown, kUnitCentimetre);
        if (c.refusedBox) {
            ASSERT_FALSE(read.Ok()) << c.text;
            EXPECT_EQ(read.error->box, c.refusedBox);
            EXPECT_NE(read.error->message.find(L"cm"), std::wstring::npos) << "said in the dialog's unit";
        } else {
            EXPECT_TRUE(read.Ok()) << c.text;
        }
    }
}

TEST(TableEntries, OkSetsTheRangesCellsAsOneStep) {
    int id = 0;
    TextEngine e = Page(id);
    const std::wstring text = e.Text();
    const int width4 = e.TableCellAttribute(id, 0, 4, cell::kColumnWidth);
    const CellRange cells{id, 2, 2, 3, 3};
    TableBoxes entered = ShowTable(e, cells, kUnitInch);
    const TableBoxes shown = entered;
    entered.columnWidth = L"1";
    entered.bottom = L"0.05";
    entered.background = true;
    entered.backColor = 0x00FFFF;
    const auto read = ReadTable(entered, shown, kUnitInch);
    ASSERT_TRUE(read.Ok());
    const int steps = e.UndoSteps();
    ASSERT_TRUE(ApplyTable(e, cells, read.value));
    EXPECT_EQ(e.UndoSteps(), steps + 1);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) {
            const bool in = r >= 2 && c >= 2 && c <= 3;
            EXPECT_EQ(e.TableCellAttribute(id, r, c, cell::kBackColor), in ? 0x00FFFF : static_cast<int>(kNoColor)) << r << "," << c;
            EXPECT_EQ(e.TableCellAttribute(id, r, c, cell::kBottomBorder) == 72, in) << r << "," << c;
        }
    EXPECT_EQ(e.TableCellAttribute(id, 0, 2, cell::kColumnWidth), 1440);
    EXPECT_EQ(e.TableCellAttribute(id, 0, 3, cell::kColumnWidth), 1440);
    EXPECT_EQ(e.TableCellAttribute(id, 0, 4, cell::kColumnWidth), width4);
    // The background taken away again: the cells have none.
    TableBoxes none = ShowTable(e, cells, kUnitInch);
    const TableBoxes before = none;
    none.background = false;
    const auto cleared = ReadTable(none, before, kUnitInch);
    ASSERT_TRUE(cleared.Ok());
    ASSERT_TRUE(ApplyTable(e, cells, cleared.value));
    EXPECT_EQ(e.TableCellAttribute(id, 3, 3, cell::kBackColor), static_cast<int>(kNoColor));
    e.Undo();
    e.Undo();
    EXPECT_EQ(e.TableCellAttribute(id, 2, 2, cell::kBackColor), static_cast<int>(kNoColor));
    EXPECT_EQ(e.TableCellAttribute(id, 0, 2, cell::kColumnWidth), width4);
    EXPECT_EQ(e.Text(), text);
}

}  // namespace
}  // namespace tx::dialogs
