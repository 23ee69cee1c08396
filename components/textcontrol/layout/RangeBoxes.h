#pragma once
// Where a text range stands on the pages: one box per line it covers, from the left edge of its
// first character on that line to the right edge of its last, the line's full height. A link that
// wraps has a box on each of its lines; the host uses them to know when the mouse leaves it.

#include <vector>

#include "components/textcontrol/layout/Layout.h"

namespace tx {

struct RangeBox {
    int page = 1;
    int x = 0, y = 0;          // twips from the page's top-left corner
    int width = 0, height = 0;
};

std::vector<RangeBox> RangeBoxes(const Layout& layout, int start, int length);

}  // namespace tx
