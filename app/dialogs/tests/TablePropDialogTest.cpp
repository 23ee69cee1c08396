// The table properties dialog on an editor's table, with the control library's colour drop-down
// hosted for real: what it opens with, the previews, the colour chosen by clicks in the drop-down
// and through both colour dialogs, OK and Cancel, and the dialog without the library.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "app/core/tests/FrameTest.h"
#include "app/editor/frmMDIChild.h"
#include "app/dialogs/TablePropRules.h"
#include "app/dialogs/frmTableProp_Dlg.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/CommonDialog.h"
#include "ui/MsgBox.h"
#include "ui/Twips.h"
#include "ui/testing/ServerLibrary.h"
#include "ui/testing/SystemDialogAnswer.h"
#include "ui/testing/UiTest.h"

namespace {

using tx::cell::kBackColor;
using tx::cell::kBottomBorder;
using tx::cell::kGridLineWidth;
using tx::cell::kLeftBorder;
using tx::cell::kRightBorder;
using tx::cell::kTopBorder;

// The system colour dialog's box of basic colours.
constexpr int kBasicColorsBox = 0x2D0;

constexpr DISPID kListCount = 0x6803000F, kListIndex = 0x6803000E, kColorName = 0x6803000D, kColorValue = 0x6803000C;

class TableProperties : public zv_test::FrameTest {
protected:
    static void SetUpTestSuite() {
        OleInitialize(nullptr);
        // The library file the build made, registered for this suite and unregistered after it.
        palvex_ = new ui::testing::ServerLibrary(ZV_PALVEX_DLL);
        registered_ = SUCCEEDED(palvex_->Register());
    }
    static void TearDownTestSuite() {
        delete palvex_;
        OleUninitialize();
    }
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_TRUE(registered_) << "the control library could not be registered";
        frame().NewEditorWindow().Show();
    }

    // A table of `rows` x `cols` after a line of text, every cell with `background`, the caret in
    // its first cell.
    static int TableWith(int rows, int cols, std::uint32_t background) {
        TypeText(L"Above");
        const int id = engine().TableInsert(rows, cols);
        engine().SetTableCellAttributes(id, {{0, 0, kBackColor, static_cast<int>(background)}});
        engine().SetSelStart(engine().TableCellStart(id, 1, 1));
        return id;
    }
    static void ShowDialog(std::function<void(frmTableProp_Dlg&)> author) {
        ui::test::OnNextModal<frmTableProp_Dlg>(std::move(author));
        frmTableProp_Dlg dialog;
        dialog.tx = &editor().TXTextControl1;
        dialog.Show(ui::vbModal);
        ui::DoEvents();
    }
    static long ComboLong(frmTableProp_Dlg& d, DISPID id, long index) {
        return d.ColorCombo1.Get(id, {ui::OleVariant::Long(index)}).AsLong();
    }
    static long ComboListIndex(frmTableProp_Dlg& d) { return d.ColorCombo1.Get(kListIndex).AsLong(); }
    static long ComboCount(frmTableProp_Dlg& d) { return d.ColorCombo1.Get(kListCount).AsLong(); }
    static std::wstring ComboName(frmTableProp_Dlg& d, long index) {
        return d.ColorCombo1.Get(kColorName, {ui::OleVariant::Long(index)}).AsText();
    }
    // Lets the dialog's timer run for about `ms` milliseconds.
    static void Wait(DWORD ms) {
        const DWORD end = GetTickCount() + ms;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            ui::DoEvents();
            Sleep(5);
        }
    }

    static inline ui::testing::ServerLibrary* palvex_ = nullptr;
    static inline bool registered_ = false;
};

TEST_F(TableProperties, OpensWithTheTablesBorderGridAndNamedColour) {
    const int id = TableWith(2, 3, 0xC0C0C0);
    const int tpp = static_cast<int>(ui::PixelsToTwipsX(1));
    engine().SetTableCellAttributes(id, {{0, 0, tx::cell::kBorderWidth, 3 * tpp}, {0, 0, kGridLineWidth, 2 * tpp}});
    engine().SetTableGridlines(true);
    ShowDialog([&](frmTableProp_Dlg& d) {
        EXPECT_EQ(d.Caption(), L"Form1");
        ASSERT_EQ(d.TabStrip1.TabCount(), 4);
        EXPECT_EQ(d.TabStrip1.Tab(3).caption, L"Col&umn");
        ASSERT_EQ(d.Combo1.ListCount(), 10);
        EXPECT_EQ(d.Combo1.List(0), L"1 pixel");
        EXPECT_EQ(d.Combo1.List(9), L"10 pixels");
        EXPECT_EQ(d.List2[3].ListCount(), 10);
        EXPECT_EQ(d.Combo1.ListIndex(), 2);
        EXPECT_EQ(d.Shape1.BorderWidth(), 3);
        EXPECT_EQ(d.Check1.Value(), 1);
        EXPECT_EQ(d.Combo2.ListIndex(), 1);
        EXPECT_EQ(d.Line1.BorderWidth(), 2);
        EXPECT_TRUE(d.Line1.Visible());
        EXPECT_EQ(ComboCount(d), 16);
        EXPECT_EQ(ComboListIndex(d), 1);
        EXPECT_EQ(ComboName(d, 1), L"Light Gray");
        EXPECT_EQ(ComboName(d, 15), L"Maroon");
        EXPECT_TRUE(d.Option2.Value());
        EXPECT_EQ(d.PreviewColor(), 0xC0C0C0u);
        EXPECT_EQ(d.Timer1.Interval(), 100);
        // The previews follow the lists and the check box.
        d.Combo1.SetListIndex(6);
        EXPECT_EQ(d.Shape1.BorderWidth(), 7);
        d.Combo2.SetListIndex(4);
        EXPECT_EQ(d.Line2.BorderWidth(), 5);
        ui::test::Click(d.Check1);
        EXPECT_FALSE(d.Line1.Visible());
        ui::test::Click(d.Check1);
        EXPECT_TRUE(d.Line2.Visible());
        ui::test::Click(d.Command2);
    });
    // Cancel changed nothing.
    EXPECT_EQ(engine().TableCellAttribute(id, 1, 1, kLeftBorder), 3 * tpp);
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 3, kBackColor), 0xC0C0C0);
}

TEST_F(TableProperties, OkSetsColourBorderAndGridLinesAsOneStep) {
    const int id = TableWith(3, 4, 0xFFFFFF);
    engine().SetTableGridlines(true);
    const int tpp = static_cast<int>(ui::PixelsToTwipsX(1));
    const std::wstring text = engine().Text();
    const int steps = engine().UndoSteps();
    ShowDialog([&](frmTableProp_Dlg& d) {
        d.Combo1.SetListIndex(2);  // 3 pixels
        d.Combo2.SetListIndex(1);  // 2 pixels
        d.ColorCombo1.Put(kListIndex, {ui::OleVariant::Long(9)});  // Red
        ui::test::Click(d.Command1);
    });
    EXPECT_EQ(engine().UndoSteps(), steps + 1) << "colour, border and lines are one step";
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) EXPECT_EQ(engine().TableCellAttribute(id, r, c, kBackColor), 0xFF) << r << "," << c;
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 1, kLeftBorder), 3 * tpp);
    EXPECT_EQ(engine().TableCellAttribute(id, 3, 4, kRightBorder), 3 * tpp);
    EXPECT_EQ(engine().TableCellAttribute(id, 1, 2, kTopBorder), 3 * tpp);
    EXPECT_EQ(engine().TableCellAttribute(id, 3, 2, kBottomBorder), 3 * tpp);
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 3, kRightBorder), 2 * tpp) << "an inner line";
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 2, kBottomBorder), 2 * tpp);
    EXPECT_TRUE(engine().TableGridlines());
    EXPECT_TRUE(editor().DirtyFlag);
    engine().Undo();
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 2, kBackColor), 0xFFFFFF);
    EXPECT_EQ(engine().TableCellAttribute(id, 2, 3, kRightBorder), engine().TableCellAttribute(id, 2, 3, kLeftBorder));
    EXPECT_EQ(engine().Text(), text);
}

TEST_F(TableProperties, UncheckedGridLinesAreTurnedOffWithWidthOne) {
    const int id = TableWith(2, 2, 0xFFFFFF);
    engine().SetTableGridlines(true);
    ShowDialog([](frmTableProp_Dlg& d) {
        ui::test::Click(d.Check1);
        EXPECT_EQ(d.Check1.Value(), 0);
        ui::test::Click(d.Command1);
    });
    EXPECT_FALSE(engine().TableGridlines());
    EXPECT_EQ(engine().TableCellAttribute(id, 1, 1, kRightBorder), 1);
    EXPECT_EQ(engine().TableCellAttribute(id, 1, 1, kBottomBorder), 1);
}

TEST_F(TableProperties, WidthsOutsideTheListsSelectTheNearestEntry) {
    const int tpp = static_cast<int>(ui::PixelsToTwipsX(1));
    struct Case {
        int border, grid, borderIndex, gridIndex;
    } cases[] = {{0, 0, 0, 0}, {20 * tpp, 11 * tpp, 9, 9}, {tpp / 2 - 1, 10 * tpp, 0, 9}};
    for (const Case& c : cases) {
        editor().ClearPage();
        const int id = TableWith(1, 2, 0xFFFFFF);
        engine().SetTableCellAttributes(id, {{0, 0, tx::cell::kBorderWidth, c.border}, {0, 0, kGridLineWidth, c.grid}});
        engine().SetTableGridlines(true);
        ShowDialog([&](frmTableProp_Dlg& d) {
            EXPECT_EQ(d.Combo1.ListIndex(), c.borderIndex) << c.border;
            EXPECT_EQ(d.Combo2.ListIndex(), c.gridIndex) << c.grid;
            EXPECT_EQ(d.Shape1.BorderWidth(), c.borderIndex + 1);
            ui::test::Click(d.Command2);
        });
    }
}

TEST_F(TableProperties, AColourOfNoNameOpensAsOther) {
    TableWith(1, 1, 0x123456);
    ShowDialog([](frmTableProp_Dlg& d) {
        ASSERT_EQ(ComboCount(d), 17);
        EXPECT_EQ(ComboName(d, 16), L"Other");
        EXPECT_EQ(ComboLong(d, kColorValue, 16), 0x123456);
        EXPECT_EQ(ComboListIndex(d), 16);
        EXPECT_EQ(d.PreviewColor(), 0x123456u);
        ui::test::Click(d.Command2);
    });
}

TEST_F(TableProperties, CellsWithoutBackgroundOpenWithNoneAndStayWithoutOne) {
    const int id = TableWith(2, 2, kNoBackground);
    ShowDialog([](frmTableProp_Dlg& d) {
        EXPECT_EQ(ComboCount(d), 16) << "no Other entry holds the no-colour mark";
        EXPECT_TRUE(d.Option1.Value());
        EXPECT_FALSE(d.Option2.Value());
        ui::test::Click(d.Command1);
    });
    EXPECT_EQ(static_cast<std::uint32_t>(engine().TableCellAttribute(id, 2, 2, kBackColor)), kNoBackground);
}

TEST_F(TableProperties, AColourClickedInTheDropDownReachesThePreviewWithinTwoTicks) {
    TableWith(2, 2, kNoBackground);
    ShowDialog([](frmTableProp_Dlg& d) {
        ASSERT_TRUE(d.Option1.Value());
        HWND combo = FindWindowExW(d.ColorCombo1.ControlWindow(), nullptr, L"ComboBox", nullptr);
        ASSERT_NE(combo, nullptr);
        // Open the list with a click, then click "Red" in it.
        RECT r{};
        GetClientRect(combo, &r);
        SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
        SendMessageW(combo, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
        ui::DoEvents();
        ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
        COMBOBOXINFO info{sizeof info};
        ASSERT_TRUE(GetComboBoxInfo(combo, &info));
        SendMessageW(info.hwndList, LB_SETTOPINDEX, 9, 0);
        RECT item{};
        ASSERT_NE(SendMessageW(info.hwndList, LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&item)), LB_ERR);
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, at);
        SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
        ui::DoEvents();
        EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ(ComboListIndex(d), 9);
        Wait(220);
        EXPECT_EQ(d.PreviewColor(), 0xFFu);
        EXPECT_TRUE(d.Option2.Value());
        ui::test::Click(d.Command2);
    });
}

TEST_F(TableProperties, OtherThroughTheFormsColourDialog) {
    TableWith(1, 2, 0xFFFFFF);
    ShowDialog([](frmTableProp_Dlg& d) {
        // A named colour picked there adds nothing and selects its name.
        ui::test::OnNextCommonDialog([](ui::CommonDialog& c) {
            EXPECT_EQ(c.Flags, 1);
            EXPECT_EQ(c.Color, 0xFFFFFFu);
            c.Color = 0xFF;
            return true;
        });
        ui::test::Click(d.Command3);
        EXPECT_EQ(ComboCount(d), 16);
        EXPECT_EQ(ComboListIndex(d), 9);
        EXPECT_EQ(ComboName(d, 9), L"Red");
        EXPECT_EQ(d.PreviewColor(), 0xFFu);
        // Cancel changes nothing.
        ui::test::CancelNextDialog();
        ui::test::Click(d.Command3);
        EXPECT_EQ(ComboListIndex(d), 9);
        EXPECT_EQ(ComboCount(d), 16);
        // A colour of no name becomes the "Other" entry.
        ui::test::OnNextCommonDialog([](ui::CommonDialog& c) {
            c.Color = 0x00A0B0;
            return true;
        });
        ui::test::Click(d.Command3);
        ASSERT_EQ(ComboCount(d), 17);
        EXPECT_EQ(ComboListIndex(d), 16);
        EXPECT_EQ(ComboLong(d, kColorValue, 16), 0x00A0B0);
        EXPECT_TRUE(d.Option2.Value());
        EXPECT_EQ(d.PreviewColor(), 0x00A0B0u);
        ui::test::Click(d.Command1);
    });
    EXPECT_EQ(ui::test::PendingCommonDialogAnswers(), 0u);
    const int id = engine().TableAtInputPos();
    EXPECT_EQ(engine().TableCellAttribute(id, 1, 2, kBackColor), 0x00A0B0);
}

TEST_F(TableProperties, OtherThroughTheDropDownsOwnDialog) {
    TableWith(1, 2, 0x123456);
    ShowDialog([](frmTableProp_Dlg& d) {
        ASSERT_EQ(ComboCount(d), 17);
        // The author clicks the first basic colour of the dialog, then OK.
        ui::testing::SystemDialogAnswer answer([](HWND dialog) {
            HWND box = GetDlgItem(dialog, kBasicColorsBox);
            RECT r{};
            GetClientRect(box, &r);
            POINT p{r.right / 16, r.bottom / 12};
            MapWindowPoints(box, dialog, &p, 1);
            PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            PostMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        });
        ui::test::Click(d.Command3);
        EXPECT_EQ(answer.Shown(), 1);
        const long picked = ComboLong(d, kColorValue, 16);
        EXPECT_NE(picked, 0x123456) << "the Other entry holds the colour picked";
        EXPECT_EQ(FindColor({0xFFFFFF, 0xC0C0C0, 0x7F7F7F, 0x3F3F3F, 0, 0xFF0000, 0xFFFF00, 0xFF00, 0xFF00FF, 0xFF,
                             0xFFFF, 0x800000, 0x808000, 0x8000, 0x800080, 0x80},
                            static_cast<std::uint32_t>(picked)),
                  -1);
        EXPECT_EQ(ComboCount(d), 17);
        EXPECT_EQ(ComboListIndex(d), 16);
        EXPECT_EQ(d.PreviewColor(), static_cast<std::uint32_t>(picked));
        EXPECT_TRUE(d.Option2.Value());
        ui::test::Click(d.Command2);
    });
}

TEST_F(TableProperties, TheCaretsTableIsTheOneChanged) {
    // Two tables; the caret in the second one. The first one keeps everything.
    const int first = TableWith(1, 2, 0xFFFFFF);
    engine().SetSelStart(engine().TextLength());
    TypeText(L"\rBetween\r");
    const int second = engine().TableInsert(2, 2);
    ASSERT_NE(second, first);
    // The author clicks into the first table, then takes the caret into the second by keys: the
    // editor's record is still of the first.
    HWND text = editor().TXTextControl1.hWnd();
    const POINT inFirst = editor().TXTextControl1->PositionToClient(engine().TableCellStart(first, 1, 2));
    SendMessageW(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inFirst.x + 2, inFirst.y + 4));
    SendMessageW(text, WM_LBUTTONUP, 0, MAKELPARAM(inFirst.x + 2, inFirst.y + 4));
    ASSERT_EQ(editor().GetCurrentTableID(), first);
    engine().SetSelStart(engine().TableCellStart(second, 2, 2));
    ShowDialog([](frmTableProp_Dlg& d) {
        d.Combo1.SetListIndex(4);
        d.ColorCombo1.Put(kListIndex, {ui::OleVariant::Long(7)});  // Green
        ui::test::Click(d.Option2);
        EXPECT_EQ(d.PreviewColor(), 0xFF00u);
        ui::test::Click(d.Command1);
    });
    const int tpp = static_cast<int>(ui::PixelsToTwipsX(1));
    EXPECT_EQ(engine().TableCellAttribute(second, 1, 1, kLeftBorder), 5 * tpp);
    EXPECT_EQ(engine().TableCellAttribute(second, 2, 2, kBackColor), 0xFF00);
    EXPECT_EQ(engine().TableCellAttribute(first, 1, 1, kBackColor), 0xFFFFFF);
    EXPECT_NE(engine().TableCellAttribute(first, 1, 1, kLeftBorder), 5 * tpp);
    EXPECT_EQ(editor().GetCurrentTableID(), second) << "the record follows the table the dialog changed";
}

TEST_F(TableProperties, WithoutATableOrTheLibraryTheDialogSaysSoAndChangesNothing) {
    TypeText(L"No table here");
    const int steps = engine().UndoSteps();
    ui::test::AnswerNextMsgBox(ui::vbOK);
    {
        frmTableProp_Dlg dialog;
        dialog.tx = &editor().TXTextControl1;
        dialog.Show(ui::vbModal);  // closes itself: no modal action is needed
        EXPECT_FALSE(dialog.IsLoaded());
    }
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kNoTableAtCaretMessage);

    const int id = TableWith(1, 1, 0xFF);
    const int withTable = engine().UndoSteps();
    ASSERT_TRUE(SUCCEEDED(palvex_->Unregister()));
    ui::test::AnswerNextMsgBox(ui::vbOK);
    {
        frmTableProp_Dlg dialog;
        dialog.tx = &editor().TXTextControl1;
        dialog.Show(ui::vbModal);
        EXPECT_FALSE(dialog.IsLoaded());
    }
    ASSERT_TRUE(SUCCEEDED(palvex_->Register()));
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kNoColorComboMessage);
    EXPECT_NE(std::wstring(kNoColorComboMessage).find(L"Palvex.ColorCombo"), std::wstring::npos);
    EXPECT_EQ(engine().UndoSteps(), withTable);
    EXPECT_EQ(engine().TableCellAttribute(id, 1, 1, kBackColor), 0xFF);
    EXPECT_GT(withTable, steps);
}

}  // namespace
