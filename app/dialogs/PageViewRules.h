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
