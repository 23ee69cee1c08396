#pragma once
// Flash movie heads made in the test: a stage rectangle packed at a chosen field size, behind a
// plain, zlib or LZMA body, so that every case shows its own bytes.

#include <cstdint>
#include <string>

#include "components/players/MovieHeader.h"

namespace players::testing {

struct Stage {
    unsigned bits;  // field size, 0 to 31
    std::int32_t xMin, xMax, yMin, yMax;
};

// The rectangle's bytes, most significant bit first, padded to a whole byte.
std::string PackRect(const Stage& stage);
// The body that follows the eight-byte head: the rectangle, a frame rate, a frame count, an end tag.
std::string MovieBody(const Stage& stage);
// A whole movie file; `declared` replaces the true claimed length when not 0.
std::string MakeMovie(MovieCompression kind, const std::string& body, std::uint32_t declared = 0, int version = 10);
// Just the compressed bytes of a body as the given kind stores them after the head.
std::string Compress(MovieCompression kind, const std::string& body);

}  // namespace players::testing
