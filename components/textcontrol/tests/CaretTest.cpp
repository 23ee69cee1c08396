#include <gtest/gtest.h>

#include "components/textcontrol/TextEngine.h"

namespace tx {
namespace {

// With the fixed-pitch measurer every character is 120 twips wide and a line 240 high; the page is
// 1200 twips wide inside its margins (10 characters a line) and holds 4 lines. The text
//     "alpha beta gamma" / "x" line break " y" / "" / "last"
// lays out as these lines (start, length):
//     L0  0 11  "alpha beta " wraps          page 1
//     L1 11  5  "gamma"                      page 1
//     L2 17  2  "x" and the line break       page 1
//     L3 19  2  " y"                         page 1
//     L4 22  0  the empty paragraph          page 2
//     L5 23  4  "last"                       page 2, text length 27
class CaretTest : public ::testing::Test {
protected:
    CaretTest() {
        e.SetMeasurer(&measurer);
        e.SetPageWidth(1200 + 2000);
        e.SetPageMarginL(1000);
        e.SetPageMarginR(1000);
        e.SetPageHeight(960 + 1000);
        e.SetPageMarginT(500);
        e.SetPageMarginB(500);
        e.SetSelText(L"alpha beta gamma\nx\v y\n\nlast");
    }
    FixedPitchMeasurer measurer;
    TextEngine e;
};

TEST_F(CaretTest, TheLayoutIsTheOneTheMovesAreWrittenFor) {
    std::vector<std::tuple<int, int, int>> lines;  // start, length, page
    const Layout& layout = e.GetLayout();
    for (const auto& l : layout.Lines()) lines.emplace_back(l.start, layout.LineOf(l).length, l.page);
    EXPECT_EQ(lines, (std::vector<std::tuple<int, int, int>>{{0, 11, 1}, {11, 5, 1}, {17, 2, 1}, {19, 2, 1}, {22, 0, 2}, {23, 4, 2}}));
    EXPECT_EQ(e.TextLength(), 27);
}

struct Move {
    CaretMove move;
    bool extend = false;
};

struct MoveCase {
    const char* name;
    int anchor, caret;  // the selection before
    std::vector<Move> moves;
    int expectedAnchor, expectedCaret;
};

TEST_F(CaretTest, KeysMoveAndExtendTheOneSelection) {
    using M = CaretMove;
    const MoveCase cases[] = {
        {"left", 5, 5, {{M::CharLeft}}, 4, 4},
        {"left at the start stays", 0, 0, {{M::CharLeft}}, 0, 0},
        {"right over a paragraph end", 16, 16, {{M::CharRight}}, 17, 17},
        {"right at the end stays", 27, 27, {{M::CharRight}}, 27, 27},
        {"left collapses a selection to its start", 3, 8, {{M::CharLeft}}, 3, 3},
        {"right collapses a backward selection to its end", 8, 3, {{M::CharRight}}, 8, 8},
        {"shift+left twice from a caret", 5, 5, {{M::CharLeft, true}, {M::CharLeft, true}}, 5, 3},
        {"shift+right then shift+left comes back", 5, 5, {{M::CharRight, true}, {M::CharLeft, true}}, 5, 5},
        {"shift+right shrinks a backward selection", 10, 7, {{M::CharRight, true}}, 10, 8},
        {"ctrl+right to the next word", 0, 0, {{M::WordRight}}, 6, 6},
        {"ctrl+right over a paragraph end", 16, 16, {{M::WordRight}}, 17, 17},
        {"ctrl+left to the word's start", 8, 8, {{M::WordLeft}}, 6, 6},
        {"ctrl+left over blanks to the word before", 6, 6, {{M::WordLeft}}, 0, 0},
        {"ctrl+left at a paragraph start", 17, 17, {{M::WordLeft}}, 16, 16},
        {"ctrl+left keeps a selection's anchor only with shift", 3, 8, {{M::WordLeft}}, 6, 6},
        {"home on a wrapped line", 14, 14, {{M::LineStart}}, 11, 11},
        {"end of a wrapped line stops before the next line's start", 2, 2, {{M::LineEnd}}, 10, 10},
        {"end of a paragraph's last line", 12, 12, {{M::LineEnd}}, 16, 16},
        {"end stops before a line break", 17, 17, {{M::LineEnd}}, 18, 18},
        {"home after a line break", 20, 20, {{M::LineStart}}, 19, 19},
        {"end on an empty paragraph", 22, 22, {{M::LineEnd}}, 22, 22},
        {"shift+home", 14, 14, {{M::LineStart, true}}, 14, 11},
        {"ctrl+home", 20, 20, {{M::DocumentStart}}, 0, 0},
        {"ctrl+shift+end", 5, 5, {{M::DocumentEnd, true}}, 5, 27},
        {"down keeps the x", 2, 2, {{M::LineDown}}, 13, 13},
        {"down into a shorter line and on keeps the first x", 14, 14,
         {{M::LineDown}, {M::LineDown}, {M::LineDown}, {M::LineDown}}, 26, 26},
        {"a move sideways forgets the x", 14, 14, {{M::LineDown}, {M::CharLeft}, {M::LineDown}}, 19, 19},
        {"up keeps the x", 25, 25, {{M::LineUp}, {M::LineUp}}, 21, 21},
        {"up on the first line goes to the start", 3, 3, {{M::LineUp}}, 0, 0},
        {"down on the last line goes to the end", 24, 24, {{M::LineDown}}, 27, 27},
        {"shift+down selects to the next line", 2, 2, {{M::LineDown, true}}, 2, 13},
        {"shift+up from a selection moves its caret", 13, 25, {{M::LineUp, true}}, 13, 22},
    };
    for (const auto& c : cases) {
        e.Select(c.anchor, c.caret);
        for (const Move& m : c.moves) e.MoveCaret(m.move, m.extend);
        EXPECT_EQ(e.SelAnchor(), c.expectedAnchor) << c.name;
        EXPECT_EQ(e.SelCaret(), c.expectedCaret) << c.name;
        EXPECT_EQ(e.SelStart(), std::min(c.expectedAnchor, c.expectedCaret)) << c.name;
        EXPECT_EQ(e.SelLength(), std::abs(c.expectedCaret - c.expectedAnchor)) << c.name;
    }
}

TEST_F(CaretTest, ScreenMovesGoAViewHeightAcrossPages) {
    using M = CaretMove;
    struct Case {
        const char* name;
        int caret;
        M move;
        CaretView view;
        int expected;
    };
    // Line tops down the stacked pages: L0 500, L1 740, L2 980, L3 1220, then page 2 starts one page
    // height (1960) and the view's gap further down: L4 2460 + gap, L5 2700 + gap.
    const Case cases[] = {
        {"two lines down", 2, M::ScreenDown, {480, 0}, 18},
        {"onto the next page", 17, M::ScreenDown, {480, 0}, 22},
        {"on the last line it stays there", 25, M::ScreenDown, {480, 0}, 25},
        {"up across the page end", 25, M::ScreenUp, {1000, 0}, 21},
        {"up further", 25, M::ScreenUp, {1600, 0}, 18},
        {"a gap between the pages is part of the way", 25, M::ScreenUp, {1600, 300}, 21},
        {"up on the first line stays there", 3, M::ScreenUp, {480, 0}, 3},
    };
    for (const auto& c : cases) {
        e.SetSelStart(c.caret);
        e.MoveCaret(c.move, false, c.view);
        EXPECT_EQ(e.SelCaret(), c.expected) << c.name;
    }
}

TEST_F(CaretTest, ASelectionSetWithoutDirectionRunsForward) {
    e.Select(10, 4);
    EXPECT_EQ(e.SelCaret(), 4);
    EXPECT_EQ(e.SelAnchor(), 10);
    e.SetBold(true);  // the range stays: so does the direction
    EXPECT_EQ(e.SelCaret(), 4);
    e.SetSelLength(3);
    EXPECT_EQ(e.SelAnchor(), 4);
    EXPECT_EQ(e.SelCaret(), 7);
    e.Select(0, 99);
    EXPECT_EQ(e.SelCaret(), 27) << "kept inside the text";
}

}  // namespace
}  // namespace tx
