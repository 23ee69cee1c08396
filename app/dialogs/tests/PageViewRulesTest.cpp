// The geometry of the views that draw stored pages in boxes.
#include <gtest/gtest.h>

#include "app/dialogs/PageViewRules.h"

namespace {

TEST(FitPrintZoom, TheSmallerRatioWinsAndBelowTenNothingIsDrawn) {
    struct Case {
        long boxW, boxH, pageW, pageH;
        std::optional<int> zoom;
    } cases[] = {
        {15228, 9618, 15228, 9618, 100},     // the page's own size
        {11421, 7214, 15228, 9618, 75},      // three quarters
        {7614, 9618, 15228, 9618, 50},       // the width limits
        {15228, 4809, 15228, 9618, 50},      // the height limits
        {1523, 962, 15228, 9618, 10},        // exactly the smallest zoom
        {1446, 962, 15228, 9618, std::nullopt},  // 9.496 % by width
        {1400, 9000, 15228, 9618, std::nullopt}, // narrow: the width ratio is 9
        {0, 9618, 15228, 9618, std::nullopt},
        {15228, -5, 15228, 9618, std::nullopt},
        {15228, 9618, 0, 9618, std::nullopt},    // a page without size draws nothing (no division by 0)
        {2000000, 2000000, 15, 15, 32767},       // held to the 16-bit range
        {1000, 1000, 10000, 10000, 10},
        {1050, 1050, 10000, 10000, 10},          // 10.5 rounds to even
        {1150, 1150, 10000, 10000, 12},          // 11.5 rounds to even
        {950, 950, 10000, 10000, 10},            // 9.5 rounds to even: drawn at 10
        {850, 850, 10000, 10000, std::nullopt},  // 8.5 rounds to 8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitPrintZoom(c.boxW, c.boxH, c.pageW, c.pageH), c.zoom)
            << c.boxW << "x" << c.boxH << " for " << c.pageW << "x" << c.pageH;
    }
}

}  // namespace

namespace {

TEST(ThumbnailRowsInView, TheRowsWhoseTopsShowAndNoMoreThanThePagesLeft) {
    struct Case {
        long viewport, firstTop, pitch;
        int topRow, pages, rows;
    } cases[] = {
        {5700, 120, 2839, 0, 100, 2},   // two rows start inside the viewport
        {5800, 120, 2839, 0, 100, 3},   // the third row's top shows
        {5700, 120, 2839, 99, 100, 1},  // scrolled to the last page: one row left
        {5700, 120, 2839, 98, 100, 2},
        {5700, 120, 2839, 0, 1, 1},     // a one-page module
        {5700, 120, 2839, 0, 0, 0},     // no stored page
        {5700, 120, 2839, 100, 100, 0}, // past the end
        {100, 120, 2839, 0, 5, 1},      // a viewport lower than the first top still shows a row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ThumbnailRowsInView(c.viewport, c.firstTop, c.pitch, c.topRow, c.pages), c.rows)
            << c.viewport << " " << c.topRow << "/" << c.pages;
    }
}

}  // namespace

namespace {

constexpr long kPageW = 15228, kPageH = 9618;

PreviewLayoutInput Window(long w, long h, int zoom, bool two = false, long hValue = 0, long vValue = 0) {
    PreviewLayoutInput in;
    in.width = w;
    in.height = h;
    in.barHeight = 600;
    in.scrollVWidth = 255;
    in.scrollHHeight = 255;
    in.pageWidth = kPageW;
    in.pageHeight = kPageH;
    in.zoomLevel = zoom;
    in.twoPages = two;
    in.page1 = in.page2 = {11, 22, 333, 444};  // the boxes' sizes before the layout
    in.scrollHValue = hValue;
    in.scrollVValue = vValue;
    return in;
}

TEST(PreviewLayout, FitZoomPlacesOneOrTwoPagesByWhatLimitsThem) {
    struct Case {
        const char* name;
        PreviewLayoutInput in;
        ViewRect page1, page2;
        bool page2Visible;
    } cases[] = {
        {"a tall narrow window: the width limits, 100 from the left, centred down", Window(3000, 9000, 0),
         {100, 3348, 2700, 1705}, {11, 22, 333, 444}, false},
        {"a wide window: the height limits, 100 from the top, centred across", Window(20000, 8000, 0),
         {4380, 100, 11241, 7100}, {11, 22, 333, 444}, false},
        {"two pages with room in height: a margin and a gap of 100", Window(20000, 8000, 0, true),
         {100, 605, 9800, 6190}, {10000, 605, 9800, 6190}, true},
        {"two pages limited by height: three equal gaps", Window(30000, 6000, 0, true),
         {4617, 100, 8075, 5100}, {17309, 100, 8075, 5100}, true},
        {"a window too small for any page keeps the boxes' sizes", Window(200, 700, 0, true),
         {278, 100, 333, 444}, {239, 100, 333, 444}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewLayout out = LayOutPreview(c.in);
        EXPECT_EQ(out.page1, c.page1) << out.page1.left << "," << out.page1.top << " " << out.page1.width << "x" << out.page1.height;
        if (c.page2Visible) {
            EXPECT_EQ(out.page2, c.page2) << out.page2.left << "," << out.page2.top << " " << out.page2.width << "x"
                                          << out.page2.height;
        }
        EXPECT_EQ(out.page2Visible, c.page2Visible);
        EXPECT_FALSE(out.h.visible);
        EXPECT_FALSE(out.v.visible);
    }
}

TEST(PreviewLayout, ZoomedPagesScrollWithinRangesThatNeverGoNegative) {
    struct Case {
        const char* name;
        PreviewLayoutInput in;
        long hMax, vMax, hValue, vValue;
        bool hEnabled, vEnabled;
        long left, top;  // where the page box goes
    } cases[] = {
        {"100 % in a large window: centred both ways, however the bars were left",
         Window(30000, 20000, 2, false, 500, 700), 0, 0, 0, 0, false, false, (29745 - 15228) / 2, (19145 - 9618) / 2},
        {"100 % in a small window: both bars on, the page moved by their values",
         Window(8000, 6000, 2, false, 500, 300), 7683, 4673, 500, 300, true, true, -400, -200},
        {"values past the range are held to it", Window(8000, 6000, 2, false, 99999, -5), 7683, 4673, 7683, 0, true, true,
         100 - 7683, 100},
        {"75 % fits across but not down", Window(14000, 6000, 1, false, 40, 40), 0, 7214 + 200 - 5145, 0, 40, false, true,
         (13745 - 11421) / 2, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewLayout out = LayOutPreview(c.in);
        EXPECT_TRUE(out.h.visible && out.v.visible);
        EXPECT_FALSE(out.page2Visible);
        EXPECT_EQ(out.h.max, c.hMax);
        EXPECT_EQ(out.v.max, c.vMax);
        EXPECT_EQ(out.h.value, c.hValue);
        EXPECT_EQ(out.v.value, c.vValue);
        EXPECT_EQ(out.h.enabled, c.hEnabled);
        EXPECT_EQ(out.v.enabled, c.vEnabled);
        EXPECT_EQ(out.page1.left, c.left);
        EXPECT_EQ(out.page1.top, c.top);
        EXPECT_GE(out.h.largeChange, 1);
        EXPECT_GE(out.v.smallChange, 1);
    }
    // The clicked point's scroll value stays in range, 0 when nothing scrolls.
    EXPECT_EQ(ScrollValueForPoint(500, 1000, 4000), 2000);
    EXPECT_EQ(ScrollValueForPoint(500, 1000, 0), 0);
    EXPECT_EQ(ScrollValueForPoint(1500, 1000, 4000), 4000);
    EXPECT_EQ(ScrollValueForPoint(10, 0, 4000), 0);
}

}  // namespace
