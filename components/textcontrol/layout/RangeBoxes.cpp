#include "components/textcontrol/layout/RangeBoxes.h"

#include <algorithm>

namespace tx {

std::vector<RangeBox> RangeBoxes(const Layout& layout, int start, int length) {
    std::vector<RangeBox> boxes;
    if (length <= 0) return boxes;
    const int end = start + length;
    for (const PlacedLine& placed : layout.Lines()) {
        const Line& line = layout.LineOf(placed);
        const int a = std::max(start, placed.start), b = std::min(end, placed.start + line.length);
        if (a >= b) continue;
        const int left = line.caretX[static_cast<size_t>(a - placed.start)];
        const int right = line.caretX[static_cast<size_t>(b - placed.start)];
        boxes.push_back(RangeBox{placed.page, placed.x + left, placed.y, right - left, line.height});
    }
    return boxes;
}

}  // namespace tx
