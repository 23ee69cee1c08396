#include "app/assessment/PreviewLayout.h"

#include <cmath>
#include <cstdlib>

long RoundHalfEven(double value) { return static_cast<long>(std::nearbyint(value)); }

long QuestionPageHeight(int style, const PreviewHeights& h) {
    switch (style) {
        case 1: return h.Label8 + h.Frame1 + h.Label7 + 1345;
        case 3: return h.Label8 + h.Frame1 + h.Label5 + h.Label6 + h.Label10 + h.Label7 + 2065;
        default: return h.Label8 + h.Frame1 + h.Label5 + h.Label7 + 1585;
    }
}

PageScroll ScrollForPage(long viewportHeight, long pageHeight) {
    PageScroll s;
    s.scrollBar = viewportHeight < pageHeight;
    s.pageHeight = s.scrollBar ? pageHeight : viewportHeight;
    const long difference = std::labs(viewportHeight - s.pageHeight);
    s.max = static_cast<int>(difference);
    if (s.max > 0) s.max = static_cast<int>(RoundHalfEven(static_cast<double>(s.pageHeight - viewportHeight) / kPreviewScrollStep));
    return s;
}
