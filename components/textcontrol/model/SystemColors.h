#pragma once
// Colours for output that has no system palette of its own (files for other programs): a system
// colour (0x80000000 | index) becomes the classic scheme's colour for that index.

#include "components/textcontrol/model/Formats.h"

namespace tx {

// 0x00BBGGRR; kNoColor, or a system index out of range, gives `fallback`.
Color PlainColor(Color color, Color fallback);

}  // namespace tx
