// Tables in the editor as the author works on them, with real mouse messages on the text control's
// window and what it paints read back pixel by pixel: a column border dragged rescales the table it
// belongs to, wherever the caret is, and one Undo takes the resize back; a table dragged with the
// right button moves whole below the paragraph it is let go on, and a drop where it cannot go
// changes nothing; Insert > Table; the table popup's items do what their twins do.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/frmTableDlg.h"
#include "app/editor/tests/EditorTest.h"
#include "components/textcontrol/dialogs/TableDialogForm.h"
#include "ui/testing/UiTest.h"

namespace {

using zv_test::kCtrlKey;
namespace cell = tx::cell;

// Dark enough to be a line (black, or white inverted by the tracking line), not the grey grid.
bool Dark(const ui::testing::WindowPixels& shot, int x, int y) {
    const unsigned c = shot.At(x, y);
    return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 3 * 100;
}

class EditorTables : public zv_test::EditorTest {
protected:
    // A table inserted before the paragraph that starts at `position`, its columns `width` twips
    // wide, a black line of one pixel on the left of every cell and on the right of the last
    // column, so that each column border paints as one dark column of pixels.
    static int TableBefore(int position, int rows, int cols, int width) {
        tx::TextEngine& e = engine();
        e.SetSelStart(position);
        const int id = e.TableInsert(rows, cols);
        std::vector<tx::CellChange> changes{{0, 0, cell::kLeftBorder, 15}, {0, cols, cell::kRightBorder, 15}};
        for (int c = 1; c <= cols; ++c) changes.push_back({0, c, cell::kColumnWidth, width});
        e.SetTableCellAttributes(id, changes);
        return id;
    }
    static std::vector<int> Widths(int id) {
        std::vector<int> out;
        for (int c = 1; c <= engine().TableColumns(id); ++c) out.push_back(engine().TableCellAttribute(id, 0, c, cell::kColumnWidth));
        return out;
    }
    static tx::PlacedCell CellOf(int table, int row, int col) {
        for (const tx::PlacedCell& c : engine().GetLayout().Cells())
            if (c.table == table && c.row == row && c.col == col) return c;
        ADD_FAILURE() << "no cell " << row << "," << col << " of table " << table;
        return {};
    }
    // The client pixel in the middle of a cell.
    static POINT InCell(int table, int row, int col) {
        const tx::PlacedCell c = CellOf(table, row, col);
        return control().PageToClient(c.page, c.x + c.width / 2, c.y + c.height / 2);
    }
    // Where a table's vertical lines paint (client x), for columns of the given widths: the left
    // border of every cell, and the last column's right border one pixel inside its edge.
    static std::vector<int> LinesFor(int table, const std::vector<int>& widths) {
        const tx::PlacedCell first = CellOf(table, 1, 1);
        std::vector<int> xs;
        int x = first.x;
        for (int w : widths) {
            xs.push_back(control().PageToClient(first.page, x, first.y).x);
            x += w;
        }
        xs.push_back(control().PageToClient(first.page, x, first.y).x - 1);
        return xs;
    }
    // The dark pixel columns across a table's first row, below its text, a little beyond its sides.
    static std::vector<int> PaintedLines(int table) {
        const tx::PlacedCell first = CellOf(table, 1, 1);
        const int y = control().PageToClient(first.page, 0, first.y + first.height).y - 2;
        const int left = control().PageToClient(first.page, first.x, 0).x;
        const ui::testing::WindowPixels shot = ui::testing::ReadWindowPixels(TextWindow());
        std::vector<int> columns;
        for (int x = left - 8; x <= left + 12000 * GetDpi() / 1440; ++x)
            if (Dark(shot, x, y)) columns.push_back(x);
        return columns;
    }
    static void ExpectLinesWithinAPixel(const std::vector<int>& painted, const std::vector<int>& expected) {
        ASSERT_EQ(painted.size(), expected.size()) << "painted lines: " << ::testing::PrintToString(painted);
        for (size_t i = 0; i < expected.size(); ++i) EXPECT_LE(std::abs(painted[i] - expected[i]), 1) << "line " << i;
    }
    // The document as it is stored, with the selection, the undo history's depth and the clipboard.
    struct State {
        std::string page;
        int selStart = 0, selLength = 0, undoSteps = 0;
        std::wstring clipboard;
        bool operator==(const State&) const = default;
    };
    static State Now() {
        return State{engine().SaveToBytes(tx::kFormatOwn), engine().SelStart(), engine().SelLength(), engine().UndoSteps(),
                     ClipboardText()};
    }
};

// ---------------------------------------------------------------- resizing

TEST_F(EditorTables, ADraggedBorderRescalesItsTableWhereverTheCaretIs) {
    enum Caret { kInTheTable, kOutsideAnyTable, kInAnotherTable };
    for (const Caret caret : {kInTheTable, kOutsideAnyTable, kInAnotherTable}) {
        SCOPED_TRACE(caret == kInTheTable ? "caret in the table" : caret == kOutsideAnyTable ? "caret outside" : "caret in another table");
        OpenModule(L"00009" + std::to_wstring(caret), {L"Above\nBetween\nBelow"});
        const int dragged = TableBefore(6, 2, 3, 3000);  // before "Between"
        const int other = TableBefore(static_cast<int>(engine().Text().find(L"Below")), 2, 2, 2000);
        ui::DoEvents();
        switch (caret) {
        case kInTheTable: engine().SetSelStart(engine().TableCellStart(dragged, 2, 2)); break;
        case kOutsideAnyTable: engine().SetSelStart(1); break;
        case kInAnotherTable: engine().SetSelStart(engine().TableCellStart(other, 1, 1)); break;
        }
        const int caretAt = engine().SelStart();
        ExpectLinesWithinAPixel(PaintedLines(dragged), LinesFor(dragged, {3000, 3000, 3000}));
        const int steps = engine().UndoSteps();

        // The author takes the border between the first two columns and drags it 50 pixels right;
        // a tracking line shows where it goes while the button is held.
        const tx::PlacedCell c = CellOf(dragged, 1, 1);
        const POINT border = control().PageToClient(c.page, c.x + c.width, c.y + c.height / 2);
        Mouse(WM_LBUTTONDOWN, border, MK_LBUTTON);
        for (int dx = 10; dx <= 30; dx += 10) Mouse(WM_MOUSEMOVE, POINT{border.x + dx, border.y}, MK_LBUTTON);
        const ui::testing::WindowPixels during = ui::testing::ReadWindowPixels(TextWindow());
        EXPECT_TRUE(Dark(during, border.x + 30, border.y)) << "the tracking line at the mouse";
        EXPECT_FALSE(Dark(during, border.x + 10, border.y) || Dark(during, border.x + 20, border.y)) << "only there";
        EXPECT_EQ(Widths(dragged), (std::vector<int>{3000, 3000, 3000})) << "nothing changes before the button is let go";
        for (int dx = 40; dx <= 50; dx += 10) Mouse(WM_MOUSEMOVE, POINT{border.x + dx, border.y}, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, POINT{border.x + 50, border.y}, 0);

        // 9000 twips grew by 750 (8 %): every column by the same 8 %, the lines where they say.
        EXPECT_EQ(Widths(dragged), (std::vector<int>{3240, 3240, 3240}));
        EXPECT_EQ(Widths(other), (std::vector<int>{2000, 2000}));
        EXPECT_EQ(engine().SelStart(), caretAt) << "dragging a border leaves the caret";
        EXPECT_EQ(engine().UndoSteps(), steps + 1);
        EXPECT_FALSE(Dark(ui::testing::ReadWindowPixels(TextWindow()), border.x + 30, border.y)) << "the tracking line is gone";
        ExpectLinesWithinAPixel(PaintedLines(dragged), LinesFor(dragged, {3240, 3240, 3240}));

        // One Undo takes the whole resize back.
        Key('Z', kCtrlKey);
        EXPECT_EQ(Widths(dragged), (std::vector<int>{3000, 3000, 3000}));
        ExpectLinesWithinAPixel(PaintedLines(dragged), LinesFor(dragged, {3000, 3000, 3000}));
        editor().DirtyFlag = false;
    }
}

TEST_F(EditorTables, EscapeOrAnotherButtonEndsABorderDragWithNothingChanged) {
    OpenModule(L"000095", {L"Above\nBelow"});
    const int id = TableBefore(6, 1, 3, 3000);
    ui::DoEvents();
    const tx::PlacedCell c = CellOf(id, 1, 2);
    const POINT border = control().PageToClient(c.page, c.x + c.width, c.y + c.height / 2);
    const State before = Now();
    for (const bool escape : {true, false}) {
        Mouse(WM_LBUTTONDOWN, border, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, POINT{border.x + 40, border.y}, MK_LBUTTON);
        if (escape) {
            Key(VK_ESCAPE);
        } else {
            Mouse(WM_RBUTTONDOWN, POINT{border.x + 40, border.y}, MK_LBUTTON | MK_RBUTTON);
            Mouse(WM_RBUTTONUP, POINT{border.x + 40, border.y}, MK_LBUTTON);
        }
        EXPECT_FALSE(Dark(ui::testing::ReadWindowPixels(TextWindow()), border.x + 40, border.y)) << "no tracking line after it ended";
        Mouse(WM_LBUTTONUP, POINT{border.x + 40, border.y}, 0);
        EXPECT_EQ(Widths(id), (std::vector<int>{3000, 3000, 3000}));
        EXPECT_TRUE(Now() == before);
    }
}

// ---------------------------------------------------------------- moving by dragging

class TableDragging : public EditorTables {
protected:
    void SetUp() override {
        EditorTables::SetUp();
        OpenModule(L"000096", {L"Target paragraph\nOther\nAfter\nTail"});
        moved_ = TableBefore(static_cast<int>(engine().Text().find(L"After")), 2, 2, 2400);
        const wchar_t* texts[] = {L"a1", L"b2", L"c3", L"d4"};
        for (int i = 0; i < 4; ++i) {
            engine().SetSelStart(engine().TableCellStart(moved_, 1 + i / 2, 1 + i % 2));
            engine().SetSelText(texts[i]);
        }
        engine().SetTableCellAttribute(moved_, 2, 1, cell::kBackColor, 0x00FF00);
        other_ = TableBefore(static_cast<int>(engine().Text().find(L"Tail")), 1, 2, 2000);
        engine().SetSelStart(2);
        ui::DoEvents();
        ToClipboard(L"what the author copied");
    }
    // Holds the right button over a point, moves in steps to another and lets go there.
    static void RightDrag(POINT from, POINT to, const std::function<void()>& beforeLettingGo = nullptr) {
        Mouse(WM_RBUTTONDOWN, from, MK_RBUTTON);
        for (int i = 1; i <= 8; ++i)
            Mouse(WM_MOUSEMOVE, POINT{from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8}, MK_RBUTTON);
        if (beforeLettingGo) beforeLettingGo();
        Mouse(WM_RBUTTONUP, to, 0);
    }
    // The point right of the last character of a paragraph's line.
    static POINT EndOfLine(const std::wstring& paragraph) {
        const int end = static_cast<int>(engine().Text().find(paragraph) + paragraph.size());
        POINT p = PointOf(end);
        p.x += 40;
        return p;
    }
    int moved_ = 0, other_ = 0;
};

TEST_F(TableDragging, TheRightButtonPastTheDragDistanceMovesTheTableBelowTheParagraph) {
    const State before = Now();
    const POINT from = InCell(moved_, 1, 2);
    // Within the system's drag distance nothing starts.
    Mouse(WM_RBUTTONDOWN, from, MK_RBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{from.x + GetSystemMetrics(SM_CXDRAG), from.y}, MK_RBUTTON);
    EXPECT_FALSE(control().Dragging());
    const POINT target = EndOfLine(L"Target paragraph");
    const POINT dropPoint = control().PositionToClient(16);  // the end of the target line
    POINT caretDuring{-1, -1};
    int selectionDuring = -1;
    for (int i = 1; i <= 8; ++i)
        Mouse(WM_MOUSEMOVE, POINT{from.x + (target.x - from.x) * i / 8, from.y + (target.y - from.y) * i / 8}, MK_RBUTTON);
    EXPECT_TRUE(control().Dragging());
    GetCaretPos(&caretDuring);
    selectionDuring = engine().SelStart();
    Mouse(WM_RBUTTONUP, target, 0);

    // The caret showed the drop point while the selection stayed.
    EXPECT_EQ(caretDuring.x, dropPoint.x);
    EXPECT_EQ(caretDuring.y, dropPoint.y);
    EXPECT_EQ(selectionDuring, before.selStart);

    ASSERT_EQ(engine().Doc().tables.size(), 2u);
    const int id = engine().TableAtInputPos();
    ASSERT_NE(id, 0) << "the caret is in the moved table";
    EXPECT_EQ(engine().TableCellStart(id, 1, 1), 17) << "right below the target paragraph";
    EXPECT_EQ(engine().Text().substr(0, 28), L"Target paragraph\na1\nb2\nc3\nd4");
    EXPECT_NE(engine().Text().find(L"Other\nAfter"), std::wstring::npos) << "the table left its old place";
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 1, cell::kBackColor), 0x00FF00);
    EXPECT_EQ(Widths(id), (std::vector<int>{2400, 2400}));
    EXPECT_EQ(engine().UndoSteps(), before.undoSteps + 1);
    EXPECT_EQ(ClipboardText(), L"what the author copied");
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_TRUE(ui::test::PopupMenusShown().empty()) << "a drop pops no menu up";
    // What shows: the moved table's lines under the target line.
    ExpectLinesWithinAPixel(PaintedLines(id), LinesFor(id, {2400, 2400}));

    // One Undo puts it back.
    Key('Z', kCtrlKey);
    EXPECT_EQ(engine().SaveToBytes(tx::kFormatOwn), before.page);
    editor().DirtyFlag = false;
}

TEST_F(TableDragging, ADropWhereNoTableCanGoChangesNothing) {
    struct Case {
        const char* name;
        std::function<POINT()> where;
        bool escape = false;
    };
    const Case cases[] = {
        {"in its own table", [this] { return InCell(moved_, 2, 2); }},
        {"in another table", [this] { return InCell(other_, 1, 1); }},
        {"on the desk beside the page", [] { return control().PageToClient(1, -150, 600); }},
        {"outside the window",
         [] {
             RECT client{};
             GetClientRect(TextWindow(), &client);
             return POINT{client.right + 40, client.bottom / 2};
         }},
        {"after Escape", [] { return EndOfLine(L"Other"); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor().DirtyFlag = false;
        const State before = Now();
        RightDrag(InCell(moved_, 1, 1), c.where(), [&] {
            EXPECT_TRUE(control().Dragging());
            if (c.escape) Key(VK_ESCAPE);
        });
        EXPECT_FALSE(control().Dragging());
        EXPECT_TRUE(Now() == before);
        EXPECT_EQ(engine().Doc().tables.size(), 2u) << "no table lost";
        EXPECT_TRUE(ui::test::PopupMenusShown().empty()) << "letting go after the drag pops no menu up";
        EXPECT_FALSE(editor().DirtyFlag);
    }
}

TEST_F(TableDragging, ADragThatStartsOutsideATableMovesNothing) {
    const State before = Now();
    ui::test::ChooseInNextPopup(L"");  // the right button's Edit menu, outside a table
    RightDrag(EndOfLine(L"Other"), EndOfLine(L"Target paragraph"), [] { EXPECT_FALSE(control().Dragging()); });
    EXPECT_TRUE(Now() == before);
}

// ---------------------------------------------------------------- commands

TEST_F(EditorTables, InsertTableAsksForItsSizeAndRecordsTheNewTable) {
    OpenModule(L"000097", {L"Before"});
    engine().SetSelStart(engine().TextLength());
    ui::test::OnNextModal<frmTableDlg>([](frmTableDlg& d) {
        EXPECT_EQ(d.tx, &editor().TXTextControl1);
        d.cboRows.SetListIndex(2);
        d.cboColumns.SetListIndex(3);
        ui::test::Click(d.btnOK);
    });
    Choose(editor().mnuTable_Insert_Table);
    EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    ASSERT_EQ(engine().Doc().tables.size(), 1u);
    const int id = engine().Doc().tables[0].id;
    EXPECT_EQ(engine().TableRows(id), 3);
    EXPECT_EQ(engine().TableColumns(id), 4);
    EXPECT_EQ(editor().GetCurrentTableID(), id);
    EXPECT_TRUE(editor().DirtyFlag);
    // Opened again (outside the table), it offers 2 x 2 again; Cancel inserts nothing.
    engine().SetSelStart(0);
    ui::test::OnNextModal<frmTableDlg>([](frmTableDlg& d) {
        EXPECT_EQ(d.cboRows.Text(), L"2");
        EXPECT_EQ(d.cboColumns.Text(), L"2");
        ui::test::Click(d.btnCancel);
    });
    Choose(editor().mnuTable_Insert_Table);
    EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    EXPECT_EQ(engine().Doc().tables.size(), 1u);
    editor().DirtyFlag = false;
}

TEST_F(EditorTables, ThePopupsItemsDoWhatTheirTwinsDo) {
    OpenModule(L"000098", {L"Above\nBelow"});
    const int id = TableBefore(6, 3, 3, 3000);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            engine().SetSelStart(engine().TableCellStart(id, r, c));
            engine().SetSelText(std::wstring(1, static_cast<wchar_t>(L'a' + 3 * (r - 1) + (c - 1))));
        }
    const std::string start = engine().SaveToBytes(tx::kFormatOwn);
    // The caret in the middle cell, its letter selected for the clipboard's items.
    const auto prepare = [&] {
        engine().LoadFromBytes(start, tx::kFormatOwn);
        const int cellStart = engine().TableCellStart(engine().Doc().tables[0].id, 2, 2);
        engine().SetSelStart(cellStart);
        engine().SetSelLength(1);
        ToClipboard(L"pasted");
        ui::DoEvents();
        Open(editor().mnuTable);  // as the author opens it: its items follow the caret
    };
    struct Twin {
        ui::MenuItem& popup;
        ui::MenuItem& item;
        bool keepsWidth;  // a column command: the table stays 9000 twips wide
    };
    frmMDIChild& e = editor();
    const Twin twins[] = {
        {e.pmnuTable_Insert_Table_ColumnToTheLeft, e.mnuTable_Insert_Table_ColumnToTheLeft, true},
        {e.pmnuTable_Insert_Table_ColumnToTheRight, e.mnuTable_Insert_Table_ColumnToTheRight, true},
        {e.pmnuTable_Insert_Table_Row_Above, e.mnuTable_Insert_Table_RowAbove, false},
        {e.pmnuTable_Insert_Table_Row_Below, e.mnuTable_Insert_Table_RowBelow, false},
        {e.pmnuTable_Delete_Table, e.mnuTable_Delete_Table, false},
        {e.pmnuTable_Delete_Column, e.mnuTable_Delete_Column, false},
        {e.pmnuTable_Delete_Row, e.mnuTable_Delete_Rows, false},
        {e.pmnuTable_Cut, e.mnuEdit_Cut, false},
        {e.pmnuTable_Copy, e.mnuEdit_Copy, false},
        {e.pmnuTable_Paste, e.mnuEdit_Paste, false},
    };
    for (const Twin& t : twins) {
        SCOPED_TRACE(ui::testing::Utf8(t.popup.Name()));
        prepare();
        Choose(t.item);
        const State byMenu = Now();
        EXPECT_FALSE(byMenu.page == start && byMenu.clipboard == L"pasted") << "the menu item did something";
        if (t.keepsWidth) {
            const std::vector<int> widths = Widths(engine().Doc().tables[0].id);
            ASSERT_EQ(widths.size(), 4u);
            int sum = 0;
            for (int w : widths) sum += w;
            EXPECT_NEAR(sum, 9000, 2);
        }
        prepare();
        ui::test::ChooseInNextPopup(t.popup.Name());
        editor().PopupMenu(editor().pmnuTable);
        EXPECT_TRUE(Now() == byMenu);
    }
    // Properties: the text control's own table dialog, from either.
    for (ui::MenuItem* item : {&e.mnuTable_Properties, &e.pmnuTable_Properties}) {
        prepare();
        bool shown = false;
        ui::test::OnNextModal<tx::TableDialogForm>([&](tx::TableDialogForm& d) {
            shown = true;
            ui::test::Click(d.cmdCancel);
        });
        if (item == &e.mnuTable_Properties) {
            Choose(*item);
        } else {
            ui::test::ChooseInNextPopup(item->Name());
            editor().PopupMenu(editor().pmnuTable);
        }
        EXPECT_TRUE(shown) << ui::testing::Utf8(item->Name());
    }
    EXPECT_FALSE(e.pmnuTable.Visible()) << "the popup is no menu of the bar";
    editor().DirtyFlag = false;
}

}  // namespace
