#include "components/players/MovieHeader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>

#include <zlib.h>

#include "base/Error.h"
#include "base/Paths.h"
#include "components/players/lzma/LzmaRaw.h"

namespace players {
namespace {

constexpr std::size_t kSignatureBytes = 8;       // signature, version, claimed length
constexpr std::size_t kLzmaPreambleBytes = 4 + kLzmaRawPropsSize;  // packed length, properties
constexpr std::size_t kMaxRectBytes = 17;        // 5 + 4 * 31 bits, rounded up
constexpr int kTwipsPerPixel = 20;
constexpr std::int64_t kMaxPixels = std::numeric_limits<int>::max();

[[noreturn]] void Fail(const std::wstring& what) { throw zv::Error(L"The movie " + what + L"."); }

std::uint32_t U32At(std::string_view bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

// Bytes needed for a rectangle whose first five bits give the field size.
std::size_t RectBytes(unsigned char first) {
    const unsigned bits = first >> 3;
    return (5 + 4 * bits + 7) / 8;
}

// Inflates the body's opening bytes only: the output buffer is the rectangle's largest size, and
// inflation stops as soon as it is full.
std::size_t Inflate(std::string_view in, unsigned char* out, std::size_t want) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) Fail(L"cannot be unpacked (out of memory)");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(std::min<std::size_t>(in.size(), std::numeric_limits<uInt>::max()));
    z.next_out = out;
    z.avail_out = static_cast<uInt>(want);
    int rc = Z_OK;
    while (z.avail_out > 0 && rc == Z_OK) rc = inflate(&z, Z_SYNC_FLUSH);
    const std::size_t got = want - z.avail_out;
    inflateEnd(&z);
    // Once the wanted bytes are out, whatever zlib found after them (a bad next block header, a
    // wrong checksum) lies past the rectangle and is not this reader's business: the same head
    // must read the same whatever follows it. Z_BUF_ERROR with output still wanted means the
    // input ran out: the caller reports the rectangle as cut short. Any other failure is damage.
    if (got < want && rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        Fail(L"has damaged compressed data");
    return got;
}

std::size_t Unlzma(std::string_view in, unsigned char* out, std::size_t want) {
    if (in.size() < kLzmaPreambleBytes) return 0;
    const auto* props = reinterpret_cast<const unsigned char*>(in.data() + 4);
    // The decoder's tables grow with 2^(lc + lp); movie tools write lc 3, lp 0. Larger settings
    // would cost megabytes per read for no movie in practice, so they are refused as LZMA2 does.
    const unsigned lc = props[0] % 9, lp = props[0] / 9 % 5;
    if (props[0] < 9 * 5 * 5 && lc + lp > 4) Fail(L"uses LZMA settings that are not supported (lc + lp above 4)");
    std::size_t inLen = in.size() - kLzmaPreambleBytes;
    std::size_t outLen = want;
    if (ZvLzmaDecodePrefix(props, props + kLzmaRawPropsSize, &inLen, out, &outLen) != 0)
        Fail(L"has damaged compressed data");
    return outLen;
}

std::int32_t SignedBits(const unsigned char* bytes, unsigned& bitPos, unsigned count) {
    if (count == 0) return 0;
    std::uint32_t v = 0;
    for (unsigned i = 0; i < count; ++i, ++bitPos)
        v = (v << 1) | ((bytes[bitPos / 8] >> (7 - bitPos % 8)) & 1u);
    // Sign-extend from `count` bits (at most 31, so the shift stays in range).
    const std::uint32_t sign = 1u << (count - 1);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(v ^ sign) - sign);
}

}  // namespace

std::optional<StagePixels> MovieHeader::Pixels() const {
    const std::int64_t w = (WidthTwips() + kTwipsPerPixel / 2) / kTwipsPerPixel;
    const std::int64_t h = (HeightTwips() + kTwipsPerPixel / 2) / kTwipsPerPixel;
    if (WidthTwips() <= 0 || HeightTwips() <= 0 || w < 1 || h < 1 || w > kMaxPixels || h > kMaxPixels)
        return std::nullopt;
    return StagePixels{static_cast<int>(w), static_cast<int>(h)};
}

MovieHeader ReadMovieHeader(std::string_view head) {
    if (head.size() < 3) Fail(L"file is too short to be a Flash movie");
    MovieHeader header;
    const std::string_view signature = head.substr(0, 3);
    if (signature == "FWS") header.compression = MovieCompression::None;
    else if (signature == "CWS") header.compression = MovieCompression::Zlib;
    else if (signature == "ZWS") header.compression = MovieCompression::Lzma;
    else Fail(L"file is not a Flash movie (it does not start with FWS, CWS or ZWS)");
    if (head.size() < kSignatureBytes) Fail(L"file ends inside its header");
    header.version = static_cast<unsigned char>(head[3]);
    header.declaredLength = U32At(head, 4);

    // The first byte gives the field size and so the rectangle's length; only that many bytes
    // are then unpacked, so what follows the rectangle is never touched.
    const std::string_view body = head.substr(kSignatureBytes);
    std::array<unsigned char, kMaxRectBytes> rect{};
    const auto unpack = [&](std::size_t want) -> std::size_t {
        switch (header.compression) {
        case MovieCompression::None: {
            const std::size_t got = std::min(body.size(), want);
            std::copy_n(reinterpret_cast<const unsigned char*>(body.data()), got, rect.begin());
            return got;
        }
        case MovieCompression::Zlib: return Inflate(body, rect.data(), want);
        case MovieCompression::Lzma: return Unlzma(body, rect.data(), want);
        }
        return 0;
    };
    if (unpack(1) < 1 || unpack(RectBytes(rect[0])) < RectBytes(rect[0]))
        Fail(L"file ends inside its stage rectangle");
    // The claimed length covers the header and the rectangle at least; a smaller one is damage.
    if (header.declaredLength < kSignatureBytes + RectBytes(rect[0]))
        Fail(L"file claims a length of " + std::to_wstring(header.declaredLength) +
             L" bytes, shorter than its own header");

    unsigned bitPos = 5;
    const unsigned bits = rect[0] >> 3;
    header.xMin = SignedBits(rect.data(), bitPos, bits);
    header.xMax = SignedBits(rect.data(), bitPos, bits);
    header.yMin = SignedBits(rect.data(), bitPos, bits);
    header.yMax = SignedBits(rect.data(), bitPos, bits);
    return header;
}

MovieHeader ReadMovieHeaderFile(std::wstring_view path) {
    std::ifstream in(zv::FsPath(path), std::ios::binary);
    if (!in) throw zv::Error(L"The movie file \"" + std::wstring(path) + L"\" cannot be opened.");
    std::string head(kMovieHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    if (in.bad()) throw zv::Error(L"The movie file \"" + std::wstring(path) + L"\" cannot be read.");
    head.resize(static_cast<std::size_t>(in.gcount()));
    try {
        return ReadMovieHeader(head);
    } catch (const zv::Error& e) {
        throw zv::Error(L"\"" + std::wstring(path) + L"\": " + e.Description());
    }
}

}  // namespace players
