#pragma once
// Pictures as a page description carries them: a JPEG's header, read so that its bytes can pass
// through unchanged, and PNG, BMP and GIF pictures decoded to 8-bit samples with their
// transparency. The bytes are untrusted: every read is bounded, the decoded size is capped before
// anything is allocated, and a picture that cannot be read throws a zv::Error saying why.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tx {

inline constexpr std::int64_t kMaxRasterPixels = 4096LL * 4096LL;

struct Raster {
    int width = 0, height = 0;
    int components = 3;   // 1 grey, 3 red, green and blue
    std::string samples;  // rows from the top, width * components bytes each
    std::string alpha;    // width * height bytes (255 opaque); empty when the picture is opaque
};

struct JpegInfo {
    int width = 0, height = 0;
    int components = 3;      // 1 grey, 3 colour, 4 CMYK
    bool invertedCmyk = false;  // written by programs that store CMYK inverted (an Adobe marker)
};

// The frame of a JPEG, or nullopt when the bytes are not a JPEG; a JPEG whose header is damaged
// throws.
std::optional<JpegInfo> ReadJpegHeader(std::string_view bytes);
Raster DecodePng(std::string_view bytes);
Raster DecodeBmp(std::string_view bytes);
// The first picture of a GIF, on its logical screen.
Raster DecodeGif(std::string_view bytes);

}  // namespace tx
