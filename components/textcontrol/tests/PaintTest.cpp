// What page painting draws where, read back from a recording surface. With the fixed-pitch measurer
// a 12 pt character is 120 twips wide and a line 240 twips high (ascent 192); at 96 dots per inch
// 15 twips make a pixel at 100 % and 7.5 at 200 %, so the page's 1440-twip margin lands at 96 and
// 192 pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/paint/PagePainter.h"
#include "components/textcontrol/paint/RecordingSurface.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx {
namespace {

using Kind = PaintOp::Kind;

double ScaleAt(int zoom) { return 96.0 * zoom / (100.0 * 1440.0); }

class PaintTest : public ::testing::Test {
protected:
    PaintTest() {
        e.SetMeasurer(&measurer);
        e.SetPageWidth(12000);
        e.SetPageHeight(9000);
        for (auto set : {&TextEngine::SetPageMarginL, &TextEngine::SetPageMarginT, &TextEngine::SetPageMarginR,
                         &TextEngine::SetPageMarginB})
            (e.*set)(1440);
    }
    RecordingSurface Paint(int page, int zoom, const PaintOptions& options = {}, double originX = 0, double originY = 0) {
        RecordingSurface s;
        PaintPage(s, e.GetLayout(), e.Doc(), page, PagePlacement{originX, originY, ScaleAt(zoom)}, options);
        return s;
    }
    // Appends a paragraph of its own, formatted from scratch.
    void Paragraph(std::wstring_view text) {
        e.SetSelStart(e.TextLength());
        if (e.TextLength() > 0) e.SetSelText(L"\n");
        e.FormatParagraphs([](ParaFormat& f) { f = ParaFormat{}; });
        e.SetSelText(text);
    }

    FixedPitchMeasurer measurer;
    TextEngine e;
};

const PaintOp* FindText(const RecordingSurface& s, std::wstring_view text) {
    for (const PaintOp& op : s.ops)
        if (op.kind == Kind::Text && op.text == text) return &op;
    return nullptr;
}

// The frame lines painted: every black fill, in painting order.
std::vector<DeviceRect> FrameLines(const RecordingSurface& s) {
    std::vector<DeviceRect> black;
    for (const PaintOp* op : s.Of(Kind::Fill))
        if (op->color == kBlack) black.push_back(op->rect);
    return black;
}

// The selection's bands.
std::vector<const PaintOp*> Highlights(const RecordingSurface& s) {
    std::vector<const PaintOp*> out;
    for (const PaintOp* op : s.Of(Kind::Fill))
        if (op->color == kSelectionBack) out.push_back(op);
    return out;
}

size_t IndexOf(const RecordingSurface& s, const PaintOp* op) { return static_cast<size_t>(op - s.ops.data()); }

TEST_F(PaintTest, TextRunsStandWhereTheLayoutPutThemAtEveryZoomAndOrigin) {
    e.SetSelText(L"plain bold\tx");
    testing::Select(e, L"bold");
    e.SetBold(true);
    struct Case {
        int zoom;
        double originX, originY;
        int x, baseline, height;
        std::vector<int> boldEdges;  // each edge rounded on its own: no drift along the line
    };
    const Case cases[] = {
        // 1440 + 192 = 1632 twips to the baseline; bold characters are 144 twips (9.6 pixels) wide.
        {100, 0, 0, 96, 109, 16, {144, 154, 163, 173, 182}},
        {200, 0, 0, 192, 218, 32, {288, 307, 326, 346, 365}},
        {100, 30.4, -10.0, 126, 99, 16, {174, 184, 194, 203, 213}},
        {50, 0, 0, 48, 54, 8, {72, 77, 82, 86, 91}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        const RecordingSurface s = Paint(1, c.zoom, {}, c.originX, c.originY);
        const PaintOp* plain = FindText(s, L"plain ");
        const PaintOp* bold = FindText(s, L"bold");
        const PaintOp* tail = FindText(s, L" x");  // the tab is drawn as a blank in the tab's room
        ASSERT_TRUE(plain && bold && tail);
        EXPECT_EQ(plain->x, c.x);
        EXPECT_EQ(plain->baseline, c.baseline);
        EXPECT_EQ(bold->baseline, c.baseline);
        EXPECT_EQ(plain->height, c.height);
        EXPECT_EQ(plain->font.face, L"Arial");
        EXPECT_FALSE(plain->font.bold);
        EXPECT_TRUE(bold->font.bold);
        EXPECT_EQ(bold->x, c.boldEdges.front());
        EXPECT_EQ(bold->edges, c.boldEdges);
        ASSERT_EQ(plain->edges.size(), 7u);
        EXPECT_EQ(plain->edges.back(), bold->x) << "runs meet without a gap";
        // The tab reaches the next default stop, 1440 twips from the margin.
        EXPECT_EQ(tail->edges[1], static_cast<int>(std::lround(c.originX + (1440 + 1440) * ScaleAt(c.zoom))));
    }
}

// "x²" and "H₂O": raised and lowered runs stand above and below the line's baseline, and the line
// makes room for them.
TEST_F(PaintTest, SuperscriptAndSubscriptStandOffTheBaseline) {
    e.SetSelText(L"x2 H2O");
    auto lineHeight = [&] { return e.GetLayout().LineOf(e.GetLayout().Lines()[0]).height; };
    const int plainHeight = lineHeight();
    e.SetSelStart(1);
    e.SetSelLength(1);
    e.FormatSelection([](CharFormat& f) { f.size = 160; f.baseline = 80; });
    e.SetSelStart(4);
    e.SetSelLength(1);
    e.FormatSelection([](CharFormat& f) { f.size = 160; f.baseline = -40; });
    // Twips: the raised 8 pt run reaches 128 + 80 above the baseline, 16 more than the 12 pt text;
    // the lowered one 32 + 40 below it, 24 more.
    EXPECT_EQ(lineHeight(), plainHeight + 16 + 24);
    const RecordingSurface s = Paint(1, 100);
    const PaintOp* x = FindText(s, L"x");
    const PaintOp* up = FindText(s, L"2");
    const PaintOp* h = FindText(s, L" H");
    ASSERT_TRUE(x && up && h);
    const auto twoes = std::count_if(s.ops.begin(), s.ops.end(), [](const PaintOp& op) { return op.text == L"2"; });
    ASSERT_EQ(twoes, 2);
    const PaintOp* down = nullptr;
    for (const PaintOp& op : s.ops)
        if (op.text == L"2" && &op != up) down = &op;
    const int base = 1440 + 208;
    EXPECT_EQ(x->baseline, static_cast<int>(std::lround(base / 15.0)));
    EXPECT_EQ(up->baseline, static_cast<int>(std::lround((base - 80) / 15.0)));
    EXPECT_EQ(down->baseline, static_cast<int>(std::lround((base + 40) / 15.0)));
    EXPECT_EQ(h->baseline, x->baseline);
}

TEST_F(PaintTest, RunColoursAndBackgroundsReachTheSurface) {
    e.SetSelText(L"one two three");
    testing::Select(e, L"two");
    e.SetTextBkColor(0x00FF00);
    e.SetForeColor(0x8000000F);  // a system colour: the device resolves it
    testing::Select(e, L"three");
    e.FormatSelection([](CharFormat& f) { f.color = kNoColor; });
    const RecordingSurface s = Paint(1, 100);
    const PaintOp* two = FindText(s, L"two");
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->color, 0x8000000Fu);
    EXPECT_EQ(FindText(s, L"three")->color, kBlack) << "no colour reads as black ink";
    // The background spans the run's characters over the whole line height, under the text.
    const auto fills = s.Of(Kind::Fill);
    const auto green = std::find_if(fills.begin(), fills.end(), [](const PaintOp* op) { return op->color == 0x00FF00u; });
    ASSERT_NE(green, fills.end());
    EXPECT_EQ((*green)->rect, (DeviceRect{96 + 4 * 8, 96, 96 + 7 * 8, 96 + 16}));
    EXPECT_LT(IndexOf(s, *green), IndexOf(s, two));
}

// The page of the brief: a list, a framed paragraph, an image, and a table with a selection from one
// cell into the next, at 100 and 200 %.
TEST_F(PaintTest, APageWithAListAFrameAnImageAndATableSelectedAcrossCells) {
    e.SetSelText(L"Intro");
    Paragraph(L"Item");
    e.FormatParagraphs([](ParaFormat& f) { f.listKind = ListKind::Bullet; });
    Paragraph(L"Boxed");
    e.SetFrameStyle(frame::kLeft | frame::kRight | frame::kTop | frame::kBottom | frame::kSingle);
    e.SetFrameLineWidth(30);
    Paragraph(L"Pic ");
    const int image = e.ObjectInsertImage(testing::TinyPng(), false, e.TextLength(), 0);
    e.SetObjectSize(image, 1500, 750);
    const int table = e.TableInsert(1, 2, e.TextLength());
    e.SetTableCellAttribute(table, 0, 0, cell::kColumnWidth, 3000);
    e.SetTableCellAttribute(table, 0, 0, cell::kBorderWidth, 30);
    e.SetSelStart(e.TableCellStart(table, 1, 1));
    e.SetSelText(L"abc");
    e.SetSelStart(e.TableCellStart(table, 1, 2));
    e.SetSelText(L"def");
    const int from = e.TableCellStart(table, 1, 1) + 1, to = e.TableCellStart(table, 1, 2) + 2;  // "bc" ... "de"
    PaintOptions options;
    options.selStart = from;
    options.selEnd = to;

    const Layout& layout = e.GetLayout();
    ASSERT_EQ(layout.PageCount(), 1);
    ASSERT_EQ(layout.Cells().size(), 2u);
    const PlacedCell cell1 = layout.Cells()[0];
    const PlacedParagraph* boxed = nullptr;
    for (const auto& part : layout.Paragraphs())
        if (part.paragraph == 2) boxed = &part;
    ASSERT_NE(boxed, nullptr);
    const PlacedParagraph boxedPart = *boxed;

    struct Expected {
        int zoom;
        int marker, itemText;          // list: the bullet at the margin, the text one step in
        DeviceRect selection1, selection2;
        int imageLeft, imageWidth, imageHeight;
        int cellLeft, cellRight, border;
        int frameLeft, frameRight, frameLine;
    };
    // Cell text starts 60 twips in; a selected cell end shows a quarter line height of room.
    const Expected cases[] = {
        {100, 96, 120, {108, 0, 124 + 4, 0}, {300, 0, 316, 0}, 128, 100, 50, 96, 296, 2, 96, 704, 2},
        {200, 192, 240, {216, 0, 248 + 8, 0}, {600, 0, 632, 0}, 256, 200, 100, 192, 592, 4, 192, 1408, 4},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.zoom);
        const double scale = ScaleAt(c.zoom);
        auto px = [&](int twips) { return static_cast<int>(std::lround(twips * scale)); };
        const RecordingSurface s = Paint(1, c.zoom, options);

        const PaintOp* marker = FindText(s, L"\x2022");
        const PaintOp* item = FindText(s, L"Item");
        ASSERT_TRUE(marker && item);
        EXPECT_EQ(marker->x, c.marker);
        EXPECT_TRUE(marker->edges.empty()) << "a marker keeps the font's own advances";
        EXPECT_EQ(item->x, c.itemText);
        EXPECT_EQ(marker->baseline, item->baseline);

        // The selection: the rest of the first cell and its end, the start of the second, nothing else,
        // in the highlight colour, and the selected characters again in the highlight text colour.
        const auto inverts = Highlights(s);
        ASSERT_EQ(inverts.size(), 2u);
        const PaintOp* abc = FindText(s, L"abc");
        ASSERT_NE(abc, nullptr);
        const int lineTop = abc->baseline - px(192), lineBottom = lineTop + px(240);
        EXPECT_NEAR(inverts[0]->rect.top, lineTop, 1);
        EXPECT_NEAR(inverts[0]->rect.bottom, lineBottom, 1);
        EXPECT_EQ(inverts[0]->rect.left, c.selection1.left);
        EXPECT_EQ(inverts[0]->rect.right, c.selection1.right);
        EXPECT_EQ(inverts[1]->rect.left, c.selection2.left);
        EXPECT_EQ(inverts[1]->rect.right, c.selection2.right);
        EXPECT_EQ(inverts[1]->rect.top, inverts[0]->rect.top);
        EXPECT_GT(IndexOf(s, inverts[1]), IndexOf(s, FindText(s, L"def"))) << "over the drawn text";
        const PaintOp *bc = FindText(s, L"bc"), *de = FindText(s, L"de");
        ASSERT_TRUE(bc && de);
        for (const PaintOp* sel : {bc, de}) {
            EXPECT_EQ(sel->color, kSelectionText);
            EXPECT_EQ(sel->baseline, abc->baseline);
        }
        EXPECT_EQ(bc->x, abc->edges[1]) << "the selected characters stay where they were";
        EXPECT_EQ(bc->edges, std::vector<int>(abc->edges.begin() + 1, abc->edges.end()));
        EXPECT_GT(IndexOf(s, de), IndexOf(s, inverts[1])) << "on the highlight";
        EXPECT_EQ(FindText(s, L"def")->color, kBlack) << "the text under it keeps its colour";

        // The image, by its object, in its own size scaled.
        const auto images = s.Of(Kind::Image);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0]->objectId, image);
        EXPECT_EQ(images[0]->rect.left, c.imageLeft);
        EXPECT_EQ(images[0]->rect.right - images[0]->rect.left, c.imageWidth);
        EXPECT_EQ(images[0]->rect.bottom - images[0]->rect.top, c.imageHeight);

        // Borders: black bands inside each cell's edges.
        const auto has = [&](const DeviceRect& r, Color color) {
            return std::any_of(s.ops.begin(), s.ops.end(),
                               [&](const PaintOp& op) { return op.kind == Kind::Fill && op.rect == r && op.color == color; });
        };
        const int top = px(cell1.y), bottom = px(cell1.y + cell1.height);
        EXPECT_TRUE(has({c.cellLeft, top, c.cellLeft + c.border, bottom}, kBlack));
        EXPECT_TRUE(has({c.cellRight - c.border, top, c.cellRight, bottom}, kBlack));
        EXPECT_TRUE(has({c.cellLeft, top, c.cellRight, top + c.border}, kBlack));
        EXPECT_TRUE(has({c.cellLeft, bottom - c.border, c.cellRight, bottom}, kBlack));

        // The frame: four lines around the paragraph's box.
        const int ft = px(boxedPart.y), fb = px(boxedPart.y + boxedPart.height);
        EXPECT_TRUE(has({c.frameLeft, ft, c.frameLeft + c.frameLine, fb}, kBlack));
        EXPECT_TRUE(has({c.frameRight - c.frameLine, ft, c.frameRight, fb}, kBlack));
        EXPECT_TRUE(has({c.frameLeft, ft, c.frameRight, ft + c.frameLine}, kBlack));
        EXPECT_TRUE(has({c.frameLeft, fb - c.frameLine, c.frameRight, fb}, kBlack));

        // The page comes first, white, the size of the sheet.
        ASSERT_FALSE(s.ops.empty());
        EXPECT_EQ(s.ops.front().kind, Kind::Fill);
        EXPECT_EQ(s.ops.front().rect, (DeviceRect{0, 0, px(12000), px(9000)}));
        EXPECT_EQ(s.ops.front().color, kWhite);
    }
    // A page that does not exist shows nothing but its sheet.
    const RecordingSurface none = Paint(2, 100, options);
    ASSERT_EQ(none.ops.size(), 1u);
    EXPECT_EQ(none.ops[0].kind, Kind::Fill);
}

TEST_F(PaintTest, ADoubleFrameIsASecondLineInsideTheFirst) {
    e.SetSelText(L"Twice");
    e.SetFrameStyle(frame::kLeft | frame::kTop | frame::kDouble);
    e.SetFrameLineWidth(30);
    const RecordingSurface s = Paint(1, 100);
    const std::vector<DeviceRect> black = FrameLines(s);
    const PlacedParagraph& part = e.GetLayout().Paragraphs()[0];
    const int t = static_cast<int>(std::lround(part.y / 15.0)), b = static_cast<int>(std::lround((part.y + part.height) / 15.0));
    // Two pixels wide, the inner line two pixels further in; no right or bottom line.
    const std::vector<DeviceRect> expected = {
        {96, t, 98, b}, {96, t, 704, t + 2}, {100, t + 4, 102, b - 4}, {100, t + 4, 700, t + 6}};
    EXPECT_EQ(black, expected);
}

TEST_F(PaintTest, ATabLineStandsBeforeEachTabStopOverTheParagraph) {
    e.SetSelText(L"a\tb\tc");
    e.FormatParagraphs([](ParaFormat& f) { f.tabs = {{1440, TabKind::Left}, {2880, TabKind::Left}}; });
    e.SetFrameStyle(frame::kLeft | frame::kTabLines | frame::kSingle);
    e.SetFrameLineWidth(30);
    e.SetFrameDistance(60);
    const RecordingSurface s = Paint(1, 100);
    const std::vector<DeviceRect> black = FrameLines(s);
    const PlacedParagraph& part = e.GetLayout().Paragraphs()[0];
    const int t = static_cast<int>(std::lround(part.y / 15.0)), b = static_cast<int>(std::lround((part.y + part.height) / 15.0));
    ASSERT_EQ(black.size(), 3u);
    EXPECT_EQ(black[0], (DeviceRect{96, t, 98, b})) << "the left line";
    // Each tab line is two pixels wide and lies between the text before the stop and the stop itself
    // (at 96 + 96 and 96 + 192 pixels).
    for (int k = 1; k <= 2; ++k) {
        const int stop = 96 + 96 * k;
        EXPECT_EQ(black[static_cast<size_t>(k)].right - black[static_cast<size_t>(k)].left, 2) << k;
        EXPECT_GE(black[static_cast<size_t>(k)].left, stop - 4) << k;
        EXPECT_LE(black[static_cast<size_t>(k)].right, stop) << k;
        EXPECT_EQ(black[static_cast<size_t>(k)].top, t) << k;
        EXPECT_EQ(black[static_cast<size_t>(k)].bottom, b) << k;
    }
}

TEST_F(PaintTest, ConsecutiveParagraphsWithTheSameConnectedFrameMakeOneBox) {
    e.SetSelText(L"One\nTwo\nThree");
    e.SetSelStart(0);
    e.SetSelLength(5);  // "One" and "Two"
    for (bool connected : {false, true}) {
        SCOPED_TRACE(connected ? "connected" : "separate");
        e.SetFrameStyle(connected ? 0x10AF : 0x102F);
        e.SetFrameLineWidth(15);
        const RecordingSurface s = Paint(1, 100);
        const std::vector<DeviceRect> black = FrameLines(s);
        const auto& parts = e.GetLayout().Paragraphs();
        const int top = static_cast<int>(std::lround(parts[0].y / 15.0));
        const int middle = static_cast<int>(std::lround((parts[0].y + parts[0].height) / 15.0));
        const int bottom = static_cast<int>(std::lround((parts[1].y + parts[1].height) / 15.0));
        if (connected) {
            const std::vector<DeviceRect> box = {
                {96, top, 97, bottom}, {703, top, 704, bottom}, {96, top, 704, top + 1}, {96, bottom - 1, 704, bottom}};
            EXPECT_EQ(black, box);
        } else {
            ASSERT_EQ(black.size(), 8u);
            EXPECT_EQ(black[0], (DeviceRect{96, top, 97, middle}));
            EXPECT_EQ(black[4], (DeviceRect{96, middle, 97, bottom}));
        }
    }
}

TEST_F(PaintTest, BordersAndGridLinesKeepTheirWidthAndNeverVanish) {
    const int table = e.TableInsert(2, 2, 0);
    e.SetTableCellAttribute(table, 0, 0, cell::kColumnWidth, 3000);
    struct Case {
        int border, zoom;
        bool grid;
        int thickness;     // pixels of each black border
        size_t gridLines;  // light lines: left and top of each cell, right and bottom only at the table's edge
    };
    const Case cases[] = {
        {30, 100, false, 2, 0}, {30, 200, false, 4, 0}, {15, 10, false, 1, 0},
        {0, 100, false, 0, 0},  {0, 100, true, 0, 12},  {30, 100, true, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.border << " at " << c.zoom << (c.grid ? " with grid" : ""));
        e.SetTableCellAttribute(table, 0, 0, cell::kBorderWidth, c.border);
        PaintOptions options;
        options.gridLines = c.grid;
        const RecordingSurface s = Paint(1, c.zoom, options);
        size_t black = 0, grid = 0;
        for (const PaintOp* op : s.Of(Kind::Fill)) {
            const int w = op->rect.right - op->rect.left, h = op->rect.bottom - op->rect.top;
            if (op->color == kBlack) {
                ++black;
                EXPECT_EQ(std::min(w, h), c.thickness);
            } else if (op->color == 0xC0C0C0u) {
                ++grid;
                EXPECT_EQ(std::min(w, h), 1);
            }
        }
        EXPECT_EQ(black, c.thickness ? 16u : 0u);
        EXPECT_EQ(grid, c.gridLines);
    }
}

// Grid lines are as wide as each cell's grid line width says, and a merged cell has none inside it.
TEST_F(PaintTest, GridLinesTakeTheCellsWidthAndStayOutOfMergedCells) {
    e.LoadFromBytes("{\\rtf1\\ansi\\trowd\\clmgf\\cellx3000\\clmrg\\cellx6000\\pard\\intbl wide\\cell\\cell\\row\n"
                    "\\trowd\\cellx3000\\cellx6000\\pard\\intbl a\\cell b\\cell\\row\\pard\\par}",
                    kFormatRtf);
    const int table = e.Doc().tables.at(0).id;
    e.SetTableCellAttribute(table, 0, 0, cell::kGridLineWidth, 45);
    const int middle = static_cast<int>(std::lround((1440 + 3000) * ScaleAt(100)));
    PaintOptions options;
    options.gridLines = true;
    const RecordingSurface s = Paint(1, 100, options);
    size_t grid = 0;
    int crossingTop = 0, crossingBottom = 0;  // of the vertical grid line between the columns
    for (const PaintOp* op : s.Of(Kind::Fill)) {
        if (op->color != 0xC0C0C0u) continue;
        ++grid;
        const int w = op->rect.right - op->rect.left, h = op->rect.bottom - op->rect.top;
        EXPECT_EQ(std::min(w, h), 3) << "45 twips at 100 %";
        if (op->rect.left == middle && h > w) {
            crossingTop = op->rect.top;
            crossingBottom = op->rect.bottom;
        }
    }
    // The wide cell: left, top, right; "a": left, top, bottom; "b": all four.
    EXPECT_EQ(grid, 3u + 3u + 4u);
    const PlacedCell& a = e.GetLayout().Cells()[1];
    EXPECT_EQ(crossingTop, static_cast<int>(std::lround(a.y * ScaleAt(100)))) << "no line through the merged cell";
    EXPECT_GT(crossingBottom, crossingTop);
}

TEST_F(PaintTest, HeaderAndFooterShowOnEveryPageAndAreNeverSelected) {
    e.SetSelText(L"first\fsecond");
    e.SetHeaderText(L"Head");
    e.SetFooterText(L"Foot");
    ASSERT_EQ(e.GetLayout().PageCount(), 2);
    PaintOptions all;
    all.selEnd = e.TextLength();
    const RecordingSurface one = Paint(1, 100, all), two = Paint(2, 100, all);
    for (const wchar_t* text : {L"Head", L"Foot"}) {
        SCOPED_TRACE(text == std::wstring_view(L"Head") ? "header" : "footer");
        const PaintOp *a = FindText(one, text), *b = FindText(two, text);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->x, b->x);
        EXPECT_EQ(a->baseline, b->baseline);
        for (const RecordingSurface* s : {&one, &two})
            for (const PaintOp* inv : Highlights(*s))
                EXPECT_TRUE(inv->rect.bottom <= a->baseline - 12 || inv->rect.top >= a->baseline + 4)
                    << "selection over the header or footer line";
    }
    // The page break character is drawn as a blank.
    EXPECT_TRUE(FindText(one, L"first ") && !FindText(one, L"second"));
    EXPECT_TRUE(FindText(two, L"second") && !FindText(two, L"first "));
    EXPECT_EQ(Highlights(one).size(), 1u);
    EXPECT_EQ(Highlights(two).size(), 1u);
    EXPECT_TRUE(one.Of(Kind::Invert).empty() && two.Of(Kind::Invert).empty()) << "nothing inverted";
}

TEST_F(PaintTest, APageNumberPrintsTheNumberOfItsPageAndAlignsWithItsOwnWidth) {
    // Eleven pages, so that one- and two-digit numbers meet; at scale 1 device units are twips and
    // every 12 pt character is 120 wide. The text area runs from 1440 to 10560.
    std::wstring text = L"x";
    for (int page = 2; page <= 11; ++page) text += L"\fx";
    e.SetSelText(text);
    const std::wstring footer = std::wstring(L"p. ") + kPageNumberChar + L" end";
    struct Case {
        Align align;
        int page;
        int numberX;
    };
    const Case cases[] = {
        {Align::Left, 1, 1440 + 3 * 120},
        {Align::Left, 11, 1440 + 3 * 120},
        {Align::Right, 9, 10560 - 5 * 120},
        {Align::Right, 10, 10560 - 6 * 120},
        {Align::Center, 1, 1440 + (9120 - 8 * 120) / 2 + 3 * 120},
        {Align::Center, 11, 1440 + (9120 - 9 * 120) / 2 + 3 * 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "alignment " << static_cast<int>(c.align) << ", page " << c.page);
        e.SetFooterText(footer);
        e.SetHeaderText(std::wstring(1, kPageNumberChar));
        Document d = e.Doc();
        for (auto& p : d.footer.paragraphs) p.format.align = c.align;
        Layout layout;
        layout.SetMeasurer(&measurer);
        layout.Update(d);
        ASSERT_EQ(layout.PageCount(), 11);
        RecordingSurface s;
        PaintPage(s, layout, d, c.page, PagePlacement{0, 0, 1.0}, {});
        const std::wstring number = std::to_wstring(c.page);
        std::vector<const PaintOp*> numbers;
        for (const PaintOp* op : s.Of(Kind::Text))
            if (op->text == number) numbers.push_back(op);
        // The header's number, then the footer's.
        ASSERT_EQ(numbers.size(), 2u);
        const PaintOp* inFooter = numbers.back();
        EXPECT_EQ(inFooter->x, c.numberX);
        EXPECT_TRUE(inFooter->edges.empty());  // drawn with the font's own advances
        const PaintOp* before = FindText(s, L"p. ");
        const PaintOp* after = FindText(s, L" end");
        ASSERT_TRUE(before && after);
        EXPECT_EQ(before->x + 3 * 120, inFooter->x);
        EXPECT_EQ(after->x, inFooter->x + static_cast<int>(number.size()) * 120);
        EXPECT_EQ(after->baseline, inFooter->baseline);
        EXPECT_EQ(numbers[0]->x, 1440);  // the header's, alone at the left margin
        for (const PaintOp* op : s.Of(Kind::Text))
            EXPECT_EQ(op->text.find(kPageNumberChar), std::wstring::npos) << "the field character reached the surface";
    }
}

TEST_F(PaintTest, APageNumberInTheBodyTakesNoRoomAndShowsNothing) {
    e.SetSelText(std::wstring(L"a") + kPageNumberChar + L"b");
    const RecordingSurface s = Paint(1, 100);
    const PaintOp* run = FindText(s, L"a b");
    ASSERT_TRUE(run);
    EXPECT_EQ(run->edges[1], run->edges[2]);
}

TEST_F(PaintTest, ObjectsShowTheirPlaceAndTheCurrentOneItsHandles) {
    e.SetSelText(L"ab");
    const int image = e.ObjectInsertImage(testing::TinyPng(), true, 3000, 3000);
    e.SetObjectSize(image, 1500, 750);
    const int windowed = e.ObjectInsertAsChar(0x1234, L"", 1);
    e.SetObjectSize(windowed, 1500, 1500);
    Document doc = e.Doc();
    Layout layout;
    layout.SetMeasurer(&measurer);
    layout.Update(doc);
    auto paint = [&](int current) {
        RecordingSurface s;
        PaintOptions options;
        options.currentObject = current;
        PaintPage(s, layout, doc, 1, PagePlacement{0, 0, ScaleAt(100)}, options);
        return s;
    };
    const DeviceRect picture{200, 200, 300, 250};
    {
        // A windowed object whose host shows it in its own window leaves its place to that window.
        const RecordingSurface s = paint(0);
        ASSERT_EQ(s.Of(Kind::Image).size(), 1u);
        EXPECT_EQ(s.Of(Kind::Image)[0]->rect, picture);
        EXPECT_EQ(s.Of(Kind::Fill).size(), 1u) << "nothing but the sheet";
    }
    doc.EditObject(windowed)->hostWindow = 0;
    {
        // Without a window: a grey outline, one pixel inside its place.
        const RecordingSurface s = paint(0);
        std::vector<DeviceRect> grey;
        for (const PaintOp* op : s.Of(Kind::Fill))
            if (op->color == 0x808080u) grey.push_back(op->rect);
        ASSERT_EQ(grey.size(), 4u);
        int left = 1 << 30, right = 0;
        for (const DeviceRect& r : grey) {
            EXPECT_EQ(std::min(r.right - r.left, r.bottom - r.top), 1);
            left = std::min(left, r.left);
            right = std::max(right, r.right);
        }
        EXPECT_EQ(right - left, 100);
    }
    {
        // The current object: a black outline and four handles, 6 pixels square, on its corners, over the picture.
        const RecordingSurface s = paint(image);
        std::vector<DeviceRect> handles;
        size_t outline = 0;
        for (const PaintOp* op : s.Of(Kind::Fill)) {
            if (op->color != kBlack) continue;
            EXPECT_GT(IndexOf(s, op), IndexOf(s, s.Of(Kind::Image)[0]));
            if (op->rect.right - op->rect.left == 6 && op->rect.bottom - op->rect.top == 6) handles.push_back(op->rect);
            else ++outline;
        }
        EXPECT_EQ(outline, 4u);
        const std::vector<DeviceRect> corners = {
            {197, 197, 203, 203}, {197, 247, 203, 253}, {297, 197, 303, 203}, {297, 247, 303, 253}};
        EXPECT_EQ(handles, corners);
    }
}

TEST_F(PaintTest, NothingEmptyReachesTheSurfaceAtAnyZoom) {
    const Document doc = testing::FullDocument();
    Layout layout;
    layout.SetMeasurer(&measurer);
    layout.Update(doc);
    ASSERT_GE(layout.PageCount(), 2);
    PaintOptions options;
    options.selEnd = doc.Length();
    options.gridLines = true;
    for (int zoom : {10, 25, 100, 400})
        for (int page = 1; page <= layout.PageCount(); ++page) {
            RecordingSurface s;
            PaintPage(s, layout, doc, page, PagePlacement{0, 0, ScaleAt(zoom)}, options);
            EXPECT_GT(s.Of(Kind::Text).size(), 2u);
            for (const PaintOp& op : s.ops) {
                if (op.kind == Kind::Text) {
                    EXPECT_FALSE(op.text.empty());
                    EXPECT_GE(op.height, 1);
                    EXPECT_TRUE(op.edges.empty() || op.edges.size() == op.text.size() + 1);
                    EXPECT_TRUE(std::is_sorted(op.edges.begin(), op.edges.end()));
                    EXPECT_EQ(op.text.find_first_of(L"\t\v\f\n\xFFFC"), std::wstring::npos);
                } else {
                    EXPECT_FALSE(op.rect.Empty()) << "zoom " << zoom << " op " << static_cast<int>(op.kind);
                }
            }
        }
}

TEST_F(PaintTest, TheViewPaintsOnlyVisiblePagesWithTheirEdgesOrSheets) {
    e.SetSelText(L"one\ftwo\fthree");
    ASSERT_EQ(e.GetLayout().PageCount(), 3);
    // 9000-twip pages are 600 pixels high at 100 %; the window shows the first 700 pixels.
    for (bool sheets : {false, true}) {
        SCOPED_TRACE(sheets);
        const int gap = sheets ? 16 : 0;
        ViewPaint view;
        view.client = DeviceRect{0, 0, 900, 700};
        view.sheets = sheets;
        view.scale = ScaleAt(100);
        view.pageOrigin = [&](int page) { return DevicePoint{gap, gap + (page - 1) * (600 + gap)}; };
        RecordingSurface s;
        PaintView(s, e.GetLayout(), e.Doc(), view);
        ASSERT_FALSE(s.ops.empty());
        EXPECT_EQ(s.ops[0].rect, view.client);
        EXPECT_EQ(s.ops[0].color, sheets ? 0x8000000Cu : kWhite) << "the desk is the system's workspace colour";
        EXPECT_TRUE(FindText(s, L"one ") && FindText(s, L"two "));
        EXPECT_EQ(FindText(s, L"three"), nullptr) << "page 3 starts below the window";
        std::vector<DeviceRect> edges, shadows;
        for (const PaintOp* op : s.Of(Kind::Fill)) {
            if (op->color == 0xA0A0A0u) edges.push_back(op->rect);
            if (op->color == 0x404040u) shadows.push_back(op->rect);
        }
        if (sheets) {
            EXPECT_TRUE(edges.empty());
            const std::vector<DeviceRect> expected = {{19, 19, 819, 619}, {19, 635, 819, 1235}};
            EXPECT_EQ(shadows, expected);
        } else {
            EXPECT_TRUE(shadows.empty());
            EXPECT_EQ(edges, (std::vector<DeviceRect>{{0, 600, 900, 601}})) << "a line where page 2 starts";
        }
    }
}

}  // namespace
}  // namespace tx
