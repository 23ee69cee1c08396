#include <gtest/gtest.h>

#include "app/assessment/PreviewLayout.h"

namespace {

TEST(PreviewLayout, PageHeightByStyle) {
    const PreviewHeights h{300, 600, 1500, 250, 280, 900};
    EXPECT_EQ(QuestionPageHeight(1, h), 600 + 1500 + 300 + 1345);
    EXPECT_EQ(QuestionPageHeight(2, h), 600 + 1500 + 250 + 300 + 1585);
    EXPECT_EQ(QuestionPageHeight(7, h), QuestionPageHeight(2, h));
    EXPECT_EQ(QuestionPageHeight(3, h), 600 + 1500 + 250 + 280 + 900 + 300 + 2065);
}

TEST(PreviewLayout, ScrollBarOnlyForAPageTallerThanTheViewport) {
    struct Case {
        long viewport, page;
        PageScroll expected;
    };
    const Case cases[] = {
        {6000, 4000, {6000, false, 0}},  // a short page fills the viewport, nothing to scroll
        {6000, 6000, {6000, false, 0}},
        {6000, 6345, {6345, true, 2}},   // 345 / 230 = 1.5: halves to even
        {6000, 6575, {6575, true, 2}},   // 2.5 -> 2
        {6000, 6805, {6805, true, 4}},   // 3.5 -> 4
        {6000, 6100, {6100, true, 0}},
        {6000, 29000, {29000, true, 100}},
    };
    for (const Case& c : cases) {
        const PageScroll s = ScrollForPage(c.viewport, c.page);
        EXPECT_EQ(s.pageHeight, c.expected.pageHeight) << c.page;
        EXPECT_EQ(s.scrollBar, c.expected.scrollBar) << c.page;
        EXPECT_EQ(s.max, c.expected.max) << c.page;
    }
}

}  // namespace
