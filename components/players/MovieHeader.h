#pragma once
// The stage of a Flash movie, read from the head of its file. The file starts with a signature
// ("FWS" plain, "CWS" zlib, "ZWS" LZMA), a version byte and the uncompressed length it claims;
// the stage rectangle, in twips, opens the (possibly compressed) body. Only the bytes of that
// rectangle are ever decompressed: the claimed length sizes nothing, so a damaged or hostile file
// costs no more than a good one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace players {

enum class MovieCompression { None, Zlib, Lzma };

struct StagePixels {
    int width = 0;
    int height = 0;
    bool operator==(const StagePixels&) const = default;
};

struct MovieHeader {
    MovieCompression compression = MovieCompression::None;
    int version = 0;
    std::uint32_t declaredLength = 0;  // as the file claims it; never trusted
    // The stage rectangle in twips, as stored (signed fields of up to 31 bits).
    std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;

    std::int64_t WidthTwips() const { return std::int64_t{xMax} - xMin; }
    std::int64_t HeightTwips() const { return std::int64_t{yMax} - yMin; }
    // Whole pixels at 20 twips each (rounded to the nearest), when both sides come to at least
    // one pixel; an empty, inverted or over-large stage has none.
    std::optional<StagePixels> Pixels() const;
};

// How much of a file's head the reader is given: enough for any sane compressed rectangle; a
// movie that buries its rectangle deeper is refused as damaged.
inline constexpr std::size_t kMovieHeadBytes = 64 * 1024;

// Reads the header from the first bytes of a movie file (all of it, or at least its first
// kMovieHeadBytes). Throws zv::Error saying what was wrong: not a Flash movie, cut short, or
// damaged compressed data.
MovieHeader ReadMovieHeader(std::string_view head);

// Reads at most kMovieHeadBytes from the file and its header; throws zv::Error naming the file
// when it cannot be read or holds no valid header.
MovieHeader ReadMovieHeaderFile(std::wstring_view path);

}  // namespace players
