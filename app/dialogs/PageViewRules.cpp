#include "app/dialogs/PageViewRules.h"

#include <algorithm>
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

namespace {

long Round(double v) { return static_cast<long>(std::nearbyint(v)); }

long Clamp(long v, long low, long high) { return v < low ? low : (v > high ? high : v); }

// One direction of the zoomed page in the viewport: the scroll range, and where the box goes.
void PlaceAlong(long viewport, long box, long value, ScrollSetting& bar, long& position) {
    bar.visible = true;
    const long excess = box + 200 - viewport;
    bar.max = excess > 0 ? excess : 0;
    bar.value = Clamp(value, 0, bar.max);
    if (excess > 0) {
        bar.largeChange = std::max(1L, Round(static_cast<double>(viewport) / (box + 200) * bar.max));
        bar.smallChange = std::max(1L, Round(bar.max * 0.2));
    }
    const long centred = (viewport - box) / 2;
    if (centred >= 100) {
        bar.enabled = false;
        position = centred;
    } else {
        bar.enabled = true;
        position = 100 - bar.value;
    }
}

}  // namespace

PreviewLayout LayOutPreview(const PreviewLayoutInput& in) {
    PreviewLayout out;
    const long width = std::max(0L, in.width);
    out.main = {0, in.barHeight, width, std::max(0L, in.height - in.barHeight)};
    out.scrollV = {width - in.scrollVWidth, in.barHeight, in.scrollVWidth,
                   std::max(0L, out.main.height - in.scrollHHeight)};
    out.scrollH = {0, in.height - in.scrollHHeight, std::max(0L, width - in.scrollVWidth), in.scrollHHeight};
    out.page1 = in.page1;
    out.page2 = in.page2;
    const double pageW = in.pageWidth > 0 ? in.pageWidth : 1, pageH = in.pageHeight > 0 ? in.pageHeight : 1;
    const long mainW = out.main.width, mainH = out.main.height;

    if (in.zoomLevel <= 0) {
        out.page2Visible = in.twoPages;
        long w, h;
        if (in.twoPages) {
            // Three equal gaps when the height limits, else a 100-twip margin and gap.
            w = Round((mainW - 400) / 2.0);
            h = Round(w * pageH / pageW);
            if (h > mainH - 300) {
                h = mainH - 300;
                w = Round(pageW * h / pageH);
                const long gap = Round((mainW - 2.0 * w) / 3.0);
                out.page1.left = gap;
                out.page1.top = 100;
                out.page2.left = 2 * gap + w;
                out.page2.top = 100;
            } else {
                out.page1.left = 100;
                out.page2.left = w + 200;
                out.page1.top = out.page2.top = Round((mainH - h) / 2.0);
            }
            if (h >= 1 && w >= 1) {
                out.page1.width = out.page2.width = w;
                out.page1.height = out.page2.height = h;
            }
        } else {
            h = mainH - 300;
            w = Round(pageW * h / pageH);
            if (w > mainW - 300) {
                w = mainW - 300;
                h = Round(w * pageH / pageW);
                out.page1.left = 100;
                out.page1.top = Round((mainH - h) / 2.0);
            } else {
                out.page1.top = 100;
                out.page1.left = Round((mainW - w) / 2.0);
            }
            if (h >= 1 && w >= 1) {
                out.page1.width = w;
                out.page1.height = h;
            }
        }
        return out;
    }

    const double scale = in.zoomLevel == 1 ? 0.75 : 1.0;
    out.page1.width = Round(pageW * scale);
    out.page1.height = Round(pageH * scale);
    // The scroll bars take their room from the viewport before the ranges are measured, so that
    // the page's far edge can be scrolled into view.
    long viewW = mainW, viewH = mainH;
    if (viewW - in.scrollVWidth > 0) viewW -= in.scrollVWidth;
    if (viewH - in.scrollHHeight > 0) viewH -= in.scrollHHeight;
    out.main.width = viewW;
    out.main.height = viewH;
    PlaceAlong(viewW, out.page1.width, in.scrollHValue, out.h, out.page1.left);
    PlaceAlong(viewH, out.page1.height, in.scrollVValue, out.v, out.page1.top);
    return out;
}

long ScrollValueForPoint(double at, long size, long max) {
    if (size <= 0 || max <= 0) return 0;
    return Clamp(Round(at / size * max), 0, max);
}
