#include <gtest/gtest.h>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx {
namespace {

// With the fixed-pitch measurer every 12 pt character is 120 twips wide and a line 240 high, so a
// page 1200 twips wide inside its margins holds 10 characters per line.
class LayoutTest : public ::testing::Test {
protected:
    LayoutTest() {
        e.SetMeasurer(&measurer);
        e.SetPageWidth(1200 + 2000);
        e.SetPageMarginL(1000);
        e.SetPageMarginR(1000);
        e.SetPageHeight(2400 + 1000);  // ten lines
        e.SetPageMarginT(500);
        e.SetPageMarginB(500);
    }
    std::vector<std::pair<int, int>> LineStarts() {  // (position, page) of each line
        std::vector<std::pair<int, int>> out;
        for (const auto& l : e.GetLayout().Lines()) out.emplace_back(l.start, l.page);
        return out;
    }
    FixedPitchMeasurer measurer;
    TextEngine e;
};

TEST_F(LayoutTest, LinesBreakAfterBlanksAndLongWordsAtTheEdge) {
    e.SetSelText(L"aaaa bbbb cccc\nxxxxxxxxxxxxxxx\n");
    // "aaaa bbbb " fits in 10 characters; the 15-character word is cut at the edge.
    EXPECT_EQ(LineStarts(), (std::vector<std::pair<int, int>>{{0, 1}, {10, 1}, {15, 1}, {25, 1}, {31, 1}}));
    const Layout& layout = e.GetLayout();
    EXPECT_EQ(layout.Lines()[0].x, 1000);
    EXPECT_EQ(layout.Lines()[0].y, 500);
    EXPECT_EQ(layout.Lines()[1].y, 740);
    EXPECT_EQ(layout.LineOf(layout.Lines()[0]).width, 9 * 120) << "the trailing blank is not part of the width";
}

TEST_F(LayoutTest, PositionsAndPointsMapBothWays) {
    e.SetSelText(L"aaaa bbbb cccc\n\tx\nlast");
    for (int pos = 0; pos <= e.TextLength(); ++pos) {
        const CaretPoint p = e.PositionToPoint(pos);
        const int back = e.PointToPosition(p.page, p.x, p.y + p.height / 2);
        // The end of a wrapped line and the start of the next are one position: either answer is fine.
        EXPECT_TRUE(back == pos || (pos == 10 && back == 9)) << pos << " -> " << back;
    }
    EXPECT_EQ(e.PositionToPoint(16).x, 1000 + 720) << "a tab runs to the next default stop";
    EXPECT_EQ(e.PointToPosition(1, 99999, 500), 9) << "beyond the line's end: its last caret place";
    EXPECT_EQ(e.PointToPosition(1, 0, 99999), e.TextLength() - 4) << "below the text: the last line";
}

TEST_F(LayoutTest, PagesFollowTheGeometryPageBreaksAndTables) {
    for (int i = 0; i < 9; ++i) e.SetSelText(L"line\n");
    e.SetSelText(L"tenth");
    EXPECT_EQ(e.PageCount(), 1);
    e.SetSelText(L"\neleventh");
    EXPECT_EQ(e.PageCount(), 2);
    EXPECT_EQ(e.GetLayout().Lines().back().page, 2);
    EXPECT_EQ(e.GetLayout().Lines().back().y, 500);

    e.SetSelStart(0);
    e.SetSelText(L"x\f");
    EXPECT_EQ(e.GetLayout().Lines()[1].page, 2) << "text after a page break starts a page";

    // A table row stays whole: cells side by side, the row as tall as its tallest cell.
    TextEngine t;
    t.SetMeasurer(&measurer);
    const int id = t.TableInsert(1, 2);
    t.SetSelStart(t.TableCellStart(id, 1, 2));
    t.SetSelText(L"one\ntwo");
    const auto& cells = t.GetLayout().Cells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].y, cells[1].y);
    EXPECT_EQ(cells[1].x, cells[0].x + cells[0].width);
    EXPECT_EQ(cells[0].height, 2 * 240 + 2 * Layout::kCellPadding);
    const CaretPoint two = t.PositionToPoint(t.TextLength() - 4);
    EXPECT_EQ(two.x, cells[1].x + Layout::kCellPadding);
    EXPECT_EQ(t.PointToPosition(1, cells[1].x + 200, cells[1].y + 400), t.TableCellStart(id, 1, 2) + 5);
}

// Two 600-twip columns: a merged cell across both breaks its text at their joint width, and one
// down two rows is one placed cell as tall as its text, its last row growing to make room.
TEST_F(LayoutTest, AMergedCellIsOneBoxOverItsRowsAndColumns) {
    e.LoadFromBytes("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier;}}\\f0\\fs24\n"
                    "\\trowd\\clmgf\\cellx600\\clmrg\\cellx1200\\pard\\intbl abcdefgh\\cell\\cell\\row\n"
                    "\\trowd\\clvmgf\\cellx600\\cellx1200\\pard\\intbl aaa bbb ccc ddd\\cell x\\cell\\row\n"
                    "\\trowd\\clvmrg\\cellx600\\cellx1200\\pard\\intbl\\cell y\\cell\\row\n"
                    "\\pard after\\par}",
                    kFormatRtf);
    const Layout& layout = e.GetLayout();
    const int id = e.Doc().tables.at(0).id;
    std::vector<PlacedCell> cells = layout.Cells();
    ASSERT_EQ(cells.size(), 4u);
    const PlacedCell wide = cells[0], tall = cells[1], x = cells[2], y = cells[3];
    EXPECT_EQ(wide, (PlacedCell{id, 1, 1, 1, 1000, 500, 1200, 240 + 2 * Layout::kCellPadding, 1, 2}));
    const auto linesOf = [&](std::wstring_view text) {
        int n = 0;
        for (const PlacedLine& l : layout.Lines()) n += e.Doc().paragraphs[static_cast<size_t>(l.paragraph)].text == text;
        return n;
    };
    EXPECT_EQ(linesOf(L"abcdefgh"), 1) << "eight characters fit two columns, not one";
    EXPECT_EQ(linesOf(L"aaa bbb ccc ddd"), 4);

    const int rowTwo = 240 + 2 * Layout::kCellPadding;
    EXPECT_EQ(tall, (PlacedCell{id, 2, 1, 1, 1000, wide.y + wide.height, 600, 4 * 240 + 2 * Layout::kCellPadding, 2, 1}));
    EXPECT_EQ(x, (PlacedCell{id, 2, 2, 1, 1600, tall.y, 600, rowTwo, 1, 1}));
    EXPECT_EQ(y, (PlacedCell{id, 3, 2, 1, 1600, tall.y + rowTwo, 600, tall.height - rowTwo, 1, 1}));
    const PlacedLine& after = layout.Lines()[static_cast<size_t>(layout.LineAt(e.TextLength() - 6))];
    EXPECT_EQ(e.Doc().paragraphs[static_cast<size_t>(after.paragraph)].text, L"after");
    EXPECT_EQ(after.y, tall.y + tall.height) << "the text after the table starts below the tall cell";
}

TEST_F(LayoutTest, AnEditReBreaksOnlyTheParagraphItTouched) {
    for (int i = 0; i < 20; ++i) e.SetSelText(L"paragraph of text\n");
    e.GetLayout();
    e.SetSelStart(e.Doc().ParagraphStart(7) + 3);
    e.TypeChar(L'x');
    e.GetLayout();
    EXPECT_EQ(e.GetLayout().ParagraphsBroken(), 1);
    e.SetSelStart(0);
    e.SetSelLength(-1);
    e.SetBold(true);
    e.GetLayout();
    EXPECT_EQ(e.GetLayout().ParagraphsBroken(), 20) << "the empty last paragraph has no text to make bold";
}

TEST_F(LayoutTest, AlignmentIndentsAndListMarkers) {
    e.SetSelText(L"ab\ncd\nitem\nitem\nitem");
    e.SetSelStart(0);
    e.FormatParagraphs([](ParaFormat& f) { f.align = Align::Right; });
    e.SetSelStart(3);
    e.FormatParagraphs([](ParaFormat& f) { f.align = Align::Center; });
    e.SetSelStart(6);
    e.SetSelLength(-1);
    e.FormatParagraphs([](ParaFormat& f) {
        f.listKind = ListKind::Numbered;
        f.numberStyle = NumberStyle::UpperRoman;
    });
    const Layout& layout = e.GetLayout();
    EXPECT_EQ(layout.Lines()[0].x, 1000 + 1200 - 240);
    EXPECT_EQ(layout.Lines()[1].x, 1000 + (1200 - 240) / 2);
    EXPECT_EQ(layout.Lines()[2].x, 1000 + 360) << "list text is indented by one level step";
    std::vector<std::wstring> markers;
    for (const auto& p : layout.Paragraphs()) markers.push_back(p.listMarker);
    EXPECT_EQ(markers, (std::vector<std::wstring>{L"", L"", L"I.", L"II.", L"III."}));
    EXPECT_EQ(layout.Paragraphs()[2].markerX, 1000);
    EXPECT_LT(layout.Paragraphs()[2].markerX, layout.Lines()[2].x) << "the marker stands before the text";
}

TEST(ListMarker, NumbersInTheFiveStyles) {
    ParaFormat f;
    f.listKind = ListKind::Numbered;
    const std::pair<NumberStyle, std::vector<std::wstring>> cases[] = {
        {NumberStyle::Arabic, {L"1.", L"4.", L"28."}},
        {NumberStyle::UpperLetter, {L"A.", L"D.", L"AB."}},
        {NumberStyle::LowerLetter, {L"a.", L"d.", L"ab."}},
        {NumberStyle::UpperRoman, {L"I.", L"IV.", L"XXVIII."}},
        {NumberStyle::LowerRoman, {L"i.", L"iv.", L"xxviii."}},
    };
    for (const auto& [style, expected] : cases) {
        f.numberStyle = style;
        EXPECT_EQ(ListMarker(f, 1), expected[0]);
        EXPECT_EQ(ListMarker(f, 4), expected[1]);
        EXPECT_EQ(ListMarker(f, 28), expected[2]);
    }
}

TEST_F(LayoutTest, ObjectsArePlacedWhereTheyBelong) {
    e.SetSelText(L"ab");
    e.SetSelStart(1);
    const int inLine = e.ObjectInsertImage(testing::TinyPng(16, 32), false, -1, 0);  // 240 x 480 twips
    const int fixed = e.ObjectInsertImage(testing::TinyPng(10, 10), true, 3000, 2000);
    const Layout& layout = e.GetLayout();
    ASSERT_EQ(layout.Objects().size(), 2u);
    const auto& a = layout.Objects()[0].objectId == inLine ? layout.Objects()[0] : layout.Objects()[1];
    const auto& b = layout.Objects()[0].objectId == fixed ? layout.Objects()[0] : layout.Objects()[1];
    EXPECT_EQ(a.x, 1000 + 120);
    EXPECT_EQ(a.y, 500) << "the line grows to the picture's height";
    EXPECT_EQ(e.PositionToPoint(2).x, 1000 + 120 + 240);
    EXPECT_EQ(layout.Lines()[0].y + layout.LineOf(layout.Lines()[0]).height, 500 + 480 + 48);
    EXPECT_EQ(b.x, 3000);
    EXPECT_EQ(b.y, 2000);
    EXPECT_EQ(b.width, 150);
}

TEST_F(LayoutTest, TextFlowsAroundFixedObjectsUnlessToldToRunOver) {
    e.SetPageWidth(6000 + 2000);  // 50 characters a line
    e.SetSelText(L"one\ntwo\nthree\nfour");
    // 300 x 480 twips at the text's top-left corner: with the gap, it keeps x < 1420 and y < 1100.
    const int id = e.ObjectInsertImage(testing::TinyPng(20, 32), true, 1000, 500);
    std::vector<int> xs;
    for (const auto& l : e.GetLayout().Lines()) xs.push_back(l.x);
    EXPECT_EQ(xs, (std::vector<int>{1420, 1420, 1420, 1000}));
    EXPECT_EQ(e.PointToPosition(1, 1430, 600), 0);

    // Too little room beside it: the text goes below.
    e.SetObjectPosition(id, 2000, 500);
    e.SetObjectScale(id, 1500, 100);  // 4500 twips wide: 880 to its left, 380 to its right
    std::vector<int> ys;
    for (const auto& l : e.GetLayout().Lines()) ys.push_back(l.y);
    EXPECT_EQ(ys.front(), 1100);

    TextEngine over;
    over.SetMeasurer(&measurer);
    over.SetSelText(L"text");
    over.ObjectInsertFixed(1, L"", 1440, 1440, 100, 100, 1);  // a windowed object: no file needed
    EXPECT_EQ(over.GetLayout().Lines()[0].x, over.PageMarginL()) << "text runs over it";
}

TEST_F(LayoutTest, AnImagesDistancesGiveItRoomInTheLineAndKeepTextAwayBesideIt) {
    e.SetSelText(L"ab");
    e.SetSelStart(1);
    const int inLine = e.ObjectInsertImage(testing::TinyPng(16, 32), false, -1, 0);  // 240 x 480 twips
    const int sides[] = {100, 60, 200, 40};  // left, top, right, bottom
    for (int side = 1; side <= 4; ++side) e.SetObjectDistance(side, sides[side - 1]);
    const Layout& layout = e.GetLayout();
    ASSERT_EQ(layout.Objects().size(), 1u);
    EXPECT_EQ(layout.Objects()[0].objectId, inLine);
    EXPECT_EQ(layout.Objects()[0].x, 1000 + 120 + 100);
    EXPECT_EQ(layout.Objects()[0].y, 500 + 60);
    EXPECT_EQ(e.PositionToPoint(2).x, 1000 + 120 + 100 + 240 + 200) << "the text after it keeps the right distance";
    EXPECT_EQ(layout.LineOf(layout.Lines()[0]).height, 60 + 480 + 40 + 48);

    TextEngine beside;
    beside.SetMeasurer(&measurer);
    beside.SetPageWidth(6000 + 2000);
    beside.SetPageMarginL(1000);
    beside.SetPageMarginT(500);
    beside.SetSelText(L"one\ntwo\nthree\nfour\nfive");
    beside.ObjectInsertImage(testing::TinyPng(20, 32), true, 1000, 500);  // 300 x 480 twips
    struct Case {
        int right, bottom;
        std::vector<int> xs;
    };
    // Lines are 240 twips high from 500: those that start above the image's bottom plus its bottom
    // distance move beside it, to its right edge plus its right distance.
    const Case cases[] = {
        {120, 120, {1420, 1420, 1420, 1000, 1000}},  // an image inserted fixed keeps the usual room
        {500, 0, {1800, 1800, 1000, 1000, 1000}},
        {0, 300, {1300, 1300, 1300, 1300, 1000}},
    };
    for (const auto& c : cases) {
        beside.SetObjectDistance(3, c.right);
        beside.SetObjectDistance(4, c.bottom);
        std::vector<int> xs;
        for (const auto& l : beside.GetLayout().Lines()) xs.push_back(l.x);
        EXPECT_EQ(xs, c.xs) << c.right << ", " << c.bottom;
    }
}

TEST(LayoutLimits, HugeFontsAndSpacingInOneCellDoNotOverflow) {
    // One table cell of thousands of lines, each as tall as the model allows: heights stop at a
    // bound instead of wrapping around.
    Document d;
    const int id = d.InsertTable(0, 1, 1, 2000);
    CharFormat huge;
    huge.size = 32760;
    const std::uint32_t f = d.InternFormat(huge);
    std::wstring text;
    for (int i = 0; i < 3000; ++i) text += L"x\n";
    d.Insert(d.ParagraphStart(d.CellParagraphs(id, 1, 1).first), text, f);
    d.ModifyParaFormats(0, d.Length(), [](ParaFormat& p) { p.lineSpacing = 1000; });
    ASSERT_EQ(d.Validate(), L"");
    Layout layout;
    layout.Update(d);
    EXPECT_GT(layout.Cells()[0].height, 0);
    EXPECT_EQ(layout.PageCount(), 2) << "the row does not fit; it starts no further pages by itself";
}

TEST_F(LayoutTest, FullDocumentLaysOutWithoutGaps) {
    Layout layout;
    layout.SetMeasurer(&measurer);
    const Document d = testing::FullDocument();
    layout.Update(d);
    // Every position has a caret place, and lines cover the text in order.
    int previous = -1;
    for (const auto& line : layout.Lines()) {
        EXPECT_GT(line.start, previous);
        previous = line.start;
    }
    for (int pos = 0; pos <= d.Length(); pos += 7) {
        const CaretPoint p = layout.PositionToPoint(pos);
        EXPECT_GE(p.page, 1);
        EXPECT_GT(p.height, 0);
    }
    EXPECT_GE(layout.PageCount(), 2) << "the page break";
    EXPECT_EQ(layout.HeaderLines().size(), 2u);
    EXPECT_EQ(layout.FooterLines().size(), 1u);
    EXPECT_LT(layout.FooterLines()[0].y, d.page.height);
}

}  // namespace
}  // namespace tx
