#pragma once
// The type and natural size of encoded image bytes, read from their headers only: the model keeps
// images encoded and leaves decoding to the view.

#include <string>
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

// The formats an image object can be written in, as names separated by "|". The control keeps an
// image as it was read and writes it in that same encoding, so that is the one format it offers.
std::wstring ImageSaveFormats(const Object& object);
// No image offers more formats than this.
inline constexpr int kMaxImageSaveFormats = 8;

}  // namespace tx
