#include <gtest/gtest.h>

#include <array>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/layout/RangeBoxes.h"

namespace tx {
namespace {

// Fixed pitch: 120 twips a character, 240 a line, ten characters to a line from x 1000, y 500.
TEST(RangeBoxes, ARangeHasABoxOnEachLineItCovers) {
    FixedPitchMeasurer measurer;
    TextEngine e;
    e.SetMeasurer(&measurer);
    e.SetPageWidth(1200 + 2000);
    e.SetPageMarginL(1000);
    e.SetPageMarginR(1000);
    e.SetPageHeight(1500 + 1000);
    e.SetPageMarginT(500);
    e.SetPageMarginB(500);
    e.SetSelText(L"aaaa bbbb cccc dddd\nxy");
    struct Case {
        int start, length;
        std::vector<std::array<int, 5>> boxes;  // page, x, y, width, height
    };
    const Case cases[] = {
        {2, 2, {{1, 1240, 500, 240, 240}}},
        {5, 9, {{1, 1600, 500, 600, 240}, {1, 1000, 740, 480, 240}}},  // "bbbb " wraps after its blank
        {20, 2, {{1, 1000, 980, 240, 240}}},
        {0, 0, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::array<int, 5>> got;
        for (const RangeBox& b : RangeBoxes(e.GetLayout(), c.start, c.length)) got.push_back({b.page, b.x, b.y, b.width, b.height});
        EXPECT_EQ(got, c.boxes) << c.start << "+" << c.length;
    }
    // A range running onto the next page: one box there as well.
    e.SetSelStart(e.TextLength());
    e.SetSelText(L"\n1\n2\n3\n4\n5\n6");
    const auto boxes = RangeBoxes(e.GetLayout(), 0, e.TextLength());
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes.front().page, 1);
    EXPECT_EQ(boxes.back().page, 2);
}

}  // namespace
}  // namespace tx
