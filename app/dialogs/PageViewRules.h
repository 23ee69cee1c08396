#pragma once
// Geometry of the views that show stored pages in boxes (the print preview, the go-to view, the
// page chooser): the zoom that fits a page into a box, the preview's layout and scroll ranges, and
// which thumbnail rows a viewport shows. Everything in twips, in 32-bit arithmetic.

#include <cstdint>
#include <optional>

// The print zoom (percent) at which a page of pageWidth x pageHeight fits a box of boxWidth x
// boxHeight: the smaller of the two ratios, each rounded. None when the page would be drawn below
// 10 % (or either size is not positive): such a box stays blank.
std::optional<int> FitPrintZoom(long boxWidth, long boxHeight, long pageWidth, long pageHeight);

inline constexpr int kSmallestPrintZoom = 10;

// A column of thumbnail rows `rowPitch` apart in a viewport, the first row's box `firstRowTop`
// below its top, scrolled so that row `topRow` is the first shown: how many boxes the viewport
// needs (the rows it shows, a partly shown one included), never more than the pages left.
int ThumbnailRowsInView(long viewportHeight, long firstRowTop, long rowPitch, int topRow, int pageCount);

// ---- the print preview's layout ----

struct ViewRect {
    long left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ViewRect&) const = default;
};

struct ScrollSetting {
    bool visible = false;
    bool enabled = false;  // off when the page fits across (or down) and is centred
    long max = 0;          // 0 or more
    long value = 0;        // inside 0..max
    long largeChange = 1;
    long smallChange = 1;
};

struct PreviewLayoutInput {
    long width = 0, height = 0;  // the window's inner size
    long barHeight = 0;          // the button bar above the viewport
    long scrollVWidth = 0, scrollHHeight = 0;
    long pageWidth = 0, pageHeight = 0;  // the page's size when the preview opened
    int zoomLevel = 0;                   // 0 fit, 1 75 %, 2 100 %
    bool twoPages = false;
    ViewRect page1, page2;  // the page boxes as they are: a size that cannot be had is kept
    long scrollHValue = 0, scrollVValue = 0;
};

struct PreviewLayout {
    ViewRect main, page1, page2, scrollH, scrollV;
    bool page2Visible = false;
    ScrollSetting h, v;
};

// Where the viewport, the page boxes and the scroll bars go, and the scroll bars' ranges. At zoom
// levels 1 and 2 the box has the page's size (75 % or 100 %); a page that fits across or down is
// centred that way and its scroll bar switched off, whatever its value.
PreviewLayout LayOutPreview(const PreviewLayoutInput& in);

// The scroll value that brings a point clicked at `at` in a box `size` long into view once the
// range is 0..max.
long ScrollValueForPoint(double at, long size, long max);
