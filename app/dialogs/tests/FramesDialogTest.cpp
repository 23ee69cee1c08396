// The paragraph frames dialog on an editor's paragraphs: the boxes it opens with, the style word and
// lengths OK writes, entries it refuses, and the frames as the printed page shows them.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/core/tests/FrameTest.h"
#include "app/dialogs/frmFramesDlg.h"
#include "app/dialogs/tests/PagePixels.h"
#include "app/editor/EditorDialogs.h"
#include "ui/MsgBox.h"

using ui::testing::Utf8;

namespace {

class FramesDialog : public zv_test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame().NewEditorWindow().Show();
        TypeText(L"First paragraph\rSecond paragraph");
        engine().SetSelStart(0);
        editor().DirtyFlag = false;
    }
    static void Frames(std::function<void(frmFramesDlg&)> author) {
        ui::test::OnNextModal<frmFramesDlg>(std::move(author));
        ShowFramesDialog(editor().TXTextControl1);
        ui::DoEvents();
    }
    static const tx::ParaFormat& Para(int i) { return engine().Doc().paragraphs[static_cast<size_t>(i)].format; }
    static void SelectBoth() {
        engine().SetSelStart(0);
        engine().SetSelLength(-1);
    }
};

TEST_F(FramesDialog, LeftTopAndDoubleLinesGiveTheirLinesAndSwitchTheOthersOff) {
    engine().FormatParagraphs([](tx::ParaFormat& f) { f.frameStyle = 0x2A; });  // right and bottom
    Frames([](frmFramesDlg& d) {
        EXPECT_EQ(d.Caption(), L"Paragraph Frames");
        EXPECT_EQ(d.chkRight.Value(), ui::vbChecked);
        EXPECT_EQ(d.chkBottom.Value(), ui::vbChecked);
        EXPECT_EQ(d.chkLeft.Value(), ui::vbUnchecked);
        EXPECT_EQ(d.cboLineWidth.ListCount(), 12);
        EXPECT_EQ(d.cboLineWidth.List(0), L"1 pt");
        EXPECT_EQ(d.cboTextDistance.ListCount(), 13);
        EXPECT_EQ(d.cboTextDistance.List(0), L"0 pt");
        EXPECT_EQ(d.cboLineWidth.Text(), L"1 pt");
        EXPECT_EQ(d.cboTextDistance.Text(), L"0 pt");
        ui::test::Click(d.chkRight);
        ui::test::Click(d.chkBottom);
        ui::test::Click(d.chkLeft);
        ui::test::Click(d.chkTop);
        ui::test::Click(d.chkDoubleLines);
        ui::test::Click(d.cmdOK);
    });
    EXPECT_EQ(Para(0).frameStyle, 0x45) << "&H1A45 keeps left and top, double";
    EXPECT_EQ(Para(1).frameStyle, 0) << "only the paragraph with the caret";
    EXPECT_TRUE(editor().DirtyFlag);

    Frames([](frmFramesDlg& d) {
        for (ui::CheckBox* box : {&d.chkLeft, &d.chkTop, &d.chkDoubleLines}) {
            EXPECT_EQ(box->Value(), ui::vbChecked);
            ui::test::Click(*box);
        }
        ui::test::Click(d.cmdOK);
    });
    EXPECT_EQ(Para(0).frameStyle, 0x20) << "&H1F20 leaves no line";
}

struct LengthCase {
    const wchar_t* width;
    const wchar_t* distance;
    int widthTwips, distanceTwips;
};

TEST_F(FramesDialog, TypedWidthsAndDistancesAreWholePointsHeldInRange) {
    engine().FormatParagraphs([](tx::ParaFormat& f) {
        f.frameLineWidth = 100;
        f.frameDistance = 100;
    });
    const LengthCase cases[] = {
        {L"0 pt", L"0 pt", 20, 0},
        {L"15 pt", L"15 pt", 240, 240},
        {L"99999 pt", L"-7 pt", 240, 0},
        {L"3pt", L"2.5pt", 60, 40},
        {L"", L"", 100, 100},  // empty boxes leave both lengths
    };
    for (const auto& c : cases) {
        engine().FormatParagraphs([](tx::ParaFormat& f) {
            f.frameLineWidth = 100;
            f.frameDistance = 100;
        });
        Frames([&c](frmFramesDlg& d) {
            d.cboLineWidth.SetText(c.width);
            d.cboTextDistance.SetText(c.distance);
            ui::test::Click(d.cmdOK);
        });
        EXPECT_EQ(Para(0).frameLineWidth, c.widthTwips) << Utf8(c.width);
        EXPECT_EQ(Para(0).frameDistance, c.distanceTwips) << Utf8(c.distance);
    }
}

TEST_F(FramesDialog, APlainOkKeepsAFractionOfAPointAndChangesNothing) {
    engine().FormatParagraphs([](tx::ParaFormat& f) {
        f.frameStyle = 0x2F;
        f.frameLineWidth = 30;
        f.frameDistance = 50;
    });
    editor().DirtyFlag = false;
    Frames([](frmFramesDlg& d) {
        EXPECT_EQ(d.cboLineWidth.Text(), L"1.5 pt");
        EXPECT_EQ(d.cboTextDistance.Text(), L"2.5 pt");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_EQ(Para(0).frameLineWidth, 30);
    EXPECT_EQ(Para(0).frameDistance, 50);
    EXPECT_EQ(Para(0).frameStyle, 0x2F);
    EXPECT_FALSE(editor().DirtyFlag);
}

TEST_F(FramesDialog, MixedParagraphsShowTheirSharedLinesAndEmptyLengths) {
    engine().FormatParagraphs([](tx::ParaFormat& f) {
        f.frameStyle = 0x23;  // left and right
        f.frameLineWidth = 40;
    });
    engine().SetSelStart(engine().TextLength());
    engine().FormatParagraphs([](tx::ParaFormat& f) {
        f.frameStyle = 0x25;  // left and top
        f.frameLineWidth = 60;
    });
    SelectBoth();
    Frames([](frmFramesDlg& d) {
        EXPECT_EQ(d.chkLeft.Value(), ui::vbChecked);
        EXPECT_EQ(d.chkRight.Value(), ui::vbUnchecked);
        EXPECT_EQ(d.chkTop.Value(), ui::vbUnchecked);
        EXPECT_EQ(d.cboLineWidth.Text(), L"");
        EXPECT_EQ(d.cboTextDistance.Text(), L"0 pt");
        ui::test::Click(d.chkBottom);
        ui::test::Click(d.cmdOK);
    });
    // Bottom on for both, right and top off for both: a plain unchecked box switches its line off.
    EXPECT_EQ(Para(0).frameStyle, 0x29);
    EXPECT_EQ(Para(1).frameStyle, 0x29);
    EXPECT_EQ(Para(0).frameLineWidth, 40);
    EXPECT_EQ(Para(1).frameLineWidth, 60);
}

TEST_F(FramesDialog, AnEntryThatIsNoNumberIsRefusedNamingItsBoxAndNothingIsApplied) {
    const struct {
        ui::ComboBox frmFramesDlg::*box;
        const wchar_t* name;
    } cases[] = {{&frmFramesDlg::cboLineWidth, L"Line Width"}, {&frmFramesDlg::cboTextDistance, L"Text Distance"}};
    for (const auto& c : cases) {
        ui::test::AnswerNextMsgBox(ui::vbOK);
        Frames([&c](frmFramesDlg& d) {
            ui::test::Click(d.chkLeft);
            (d.*c.box).SetText(L"abc");
            ui::test::Click(d.cmdOK);
            EXPECT_TRUE(d.IsLoaded()) << "the dialog closed";
            EXPECT_NE(ui::test::LastMsgBox().prompt.find(c.name), std::wstring::npos) << Utf8(ui::test::LastMsgBox().prompt);
            ui::test::Click(d.cmdCancel);
        });
        EXPECT_EQ(Para(0).frameStyle, 0);
        EXPECT_FALSE(editor().DirtyFlag);
    }
}

TEST_F(FramesDialog, CancelChangesNothing) {
    Frames([](frmFramesDlg& d) {
        ui::test::Click(d.chkLeft);
        d.cboLineWidth.SetText(L"5 pt");
        ui::test::Click(d.cmdCancel);
    });
    EXPECT_EQ(Para(0).frameStyle, 0);
    EXPECT_EQ(Para(0).frameLineWidth, 20);
    EXPECT_FALSE(editor().DirtyFlag);
}

// Two connected paragraphs in a double box with a tab line, as the printed page shows them.
TEST_F(FramesDialog, PrintedFramesShowDoubleLinesATabLineAndOneConnectedBox) {
    engine().SetSelStart(0);
    engine().SetSelLength(-1);
    engine().SetSelText(L"Left\tTabbed\nSecond\tline");
    SelectBoth();
    engine().FormatParagraphs([](tx::ParaFormat& f) { f.tabs = {{2880, tx::TabKind::Left}}; });
    Frames([](frmFramesDlg& d) {
        for (ui::CheckBox* box : {&d.chkLeft, &d.chkRight, &d.chkTop, &d.chkBottom, &d.chkTabLines, &d.chkDoubleLines,
                                  &d.chkConnectedFrames})
            if (box->Value() != ui::vbChecked) ui::test::Click(*box);
        d.cboLineWidth.SetText(L"2 pt");
        d.cboTextDistance.SetText(L"4 pt");
        ui::test::Click(d.cmdOK);
    });
    ASSERT_EQ(Para(0).frameStyle, 0xDF);
    ASSERT_EQ(Para(1).frameStyle, 0xDF);
    const tx::Layout& layout = engine().GetLayout();
    const tx::PlacedParagraph first = layout.Paragraphs()[0], second = layout.Paragraphs()[1];
    const PagePixels page = PrintFirstPage(editor().TXTextControl1);
    ASSERT_FALSE(page.pixels.empty());

    // Across the middle of the first paragraph from the page's left edge: two lines of the double
    // frame, each 2 pt (40 twips) wide, separated by white.
    const int row = page.Px(first.y + first.height / 2);
    int runs = 0;
    bool inInk = false;
    for (int x = 0; x < page.Px(first.x + 180); ++x) {  // the lines take 120 twips, the text starts at 200
        if (page.Ink(x, row) && !inInk) ++runs;
        inInk = page.Ink(x, row);
    }
    EXPECT_EQ(runs, 2) << "a double left line";
    // The outer left line runs unbroken from the first paragraph's top to the second's bottom.
    const int outer = page.Px(first.x) + 1;
    const int boxTop = page.Px(first.y) + 2, boxBottom = page.Px(second.y + second.height) - 2;
    int gaps = 0;
    for (int y = boxTop; y < boxBottom; ++y) gaps += !page.Ink(outer, y);
    EXPECT_EQ(gaps, 0) << "the box's left line is broken";
    // No line between the two connected paragraphs: the column at the page's middle, where no text
    // stands, shows the box's top and bottom lines only (two double lines: four runs).
    const int column = page.Px(first.x + first.width - 600);
    runs = 0;
    inInk = false;
    for (int y = page.Px(first.y) - 2; y < page.Px(second.y + second.height) + 2; ++y) {
        if (page.Ink(column, y) && !inInk) ++runs;
        inInk = page.Ink(column, y);
    }
    EXPECT_EQ(runs, 4) << "lines between connected paragraphs";
    // A tab line stands just before the tab stop, over the paragraph's height.
    const int stop = page.Px(first.x + 2880);
    bool tabLine = false;
    for (int x = stop - page.Px(120); x < stop && !tabLine; ++x) {
        int ink = 0;
        for (int y = page.Px(first.y) + page.Px(300); y < page.Px(first.y + first.height) - page.Px(300); ++y)
            ink += page.Ink(x, y);
        tabLine = ink == page.Px(first.y + first.height) - page.Px(300) - page.Px(first.y) - page.Px(300);
    }
    EXPECT_TRUE(tabLine) << "no tab line before the stop";
}

}  // namespace
