#pragma once
// Pictures for tests: small JPEGs and GIFs made by an image program (with what they show), and a
// PNG writer that makes any colour type, depth, filter and interlacing.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tx::testing {

// JPEGs: 8 x 4 red, 4 x 2 CMYK blue (with its Adobe marker), 3 x 5 grey, 6 x 6 green progressive.
extern const std::string kRedJpeg, kCmykJpeg, kGreyJpeg, kProgressiveJpeg;
// GIFs of 3 x 2 pixels (red, green, blue / white, black, red), the same with white transparent, and
// 2 x 5 rows (red, green, blue, white, black) interlaced.
extern const std::string kSixGif, kSixTransparentGif, kRowsInterlacedGif;

struct PngSpec {
    int width, height, depth, colour;
    std::vector<std::string> rows;  // unfiltered bytes of each row
    int filter = 0;                 // 0-4, or 5: each row the next filter in turn
    bool interlaced = false;
    std::string palette, transparency;
};

std::string Png(const PngSpec& spec);
std::string Be32(std::uint32_t v);
// A PNG chunk with its length and check sum.
std::string Chunk(const std::string& type, const std::string& data);
std::string Bytes(std::initializer_list<int> values);

}  // namespace tx::testing
