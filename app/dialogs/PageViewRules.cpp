#include "app/dialogs/PageViewRules.h"

#include <cmath>

namespace {

// A ratio rounded as the program's integers round (halves to even), held to the 16-bit range the
// zoom is kept in.
long RoundedPercent(double value) {
    if (!(value < 32767.0)) return 32767;
    return static_cast<long>(std::nearbyint(value));
}

}  // namespace

std::optional<int> FitPrintZoom(long boxWidth, long boxHeight, long pageWidth, long pageHeight) {
    if (boxWidth <= 0 || boxHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return std::nullopt;
    const long byHeight = RoundedPercent(static_cast<double>(boxHeight) * 100.0 / static_cast<double>(pageHeight));
    const long byWidth = RoundedPercent(static_cast<double>(boxWidth) * 100.0 / static_cast<double>(pageWidth));
    const long zoom = byHeight < byWidth ? byHeight : byWidth;
    if (zoom < kSmallestPrintZoom) return std::nullopt;
    return static_cast<int>(zoom);
}

int ThumbnailRowsInView(long viewportHeight, long firstRowTop, long rowPitch, int topRow, int pageCount) {
    if (pageCount <= 0 || topRow < 0 || topRow >= pageCount) return 0;
    if (rowPitch <= 0) return 1;
    const long room = viewportHeight - firstRowTop;
    // Every row whose top lies inside the viewport shows at least in part.
    long rows = room <= 0 ? 1 : (room + rowPitch - 1) / rowPitch;
    if (rows < 1) rows = 1;
    const long left = static_cast<long>(pageCount) - topRow;
    return static_cast<int>(rows < left ? rows : left);
}
