#pragma once
// The type and natural size of encoded image bytes, read from their headers only: the model keeps
// images encoded and leaves decoding to the view.

#include <string_view>

#include "components/textcontrol/model/Document.h"

namespace tx {

struct ImageInfo {
    ImageType type = ImageType::Unknown;
    int width = 0;   // twips
    int height = 0;  // twips
};

// Pixels count at 96 per inch (15 twips) unless the file states its resolution.
ImageInfo SniffImage(std::string_view bytes);

}  // namespace tx
