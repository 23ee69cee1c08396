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
