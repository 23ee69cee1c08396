#pragma once
// zlib streams: the compression of PDF content, fonts and pictures, and of PNG picture data.

#include <cstddef>
#include <string>
#include <string_view>

namespace tx {

std::string Deflate(std::string_view bytes);
// Inflates a zlib stream; a damaged stream, or one that would grow past `maxBytes`, throws a
// zv::Error saying so (what was read before is not used).
std::string Inflate(std::string_view bytes, std::size_t maxBytes);

}  // namespace tx
