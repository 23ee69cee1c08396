#include "components/players/tests/MovieFixtures.h"

#include <stdexcept>

#include <zlib.h>

#include "components/players/tests/LzmaEncoder.h"

namespace players::testing {

std::string PackRect(const Stage& s) {
    std::string out;
    unsigned acc = 0, used = 0;
    auto put = [&](std::uint32_t value, unsigned count) {
        for (unsigned i = count; i-- > 0;) {
            acc = (acc << 1) | ((value >> i) & 1u);
            if (++used == 8) {
                out.push_back(static_cast<char>(acc));
                acc = used = 0;
            }
        }
    };
    put(s.bits, 5);
    for (std::int32_t v : {s.xMin, s.xMax, s.yMin, s.yMax}) put(static_cast<std::uint32_t>(v), s.bits);
    if (used > 0) out.push_back(static_cast<char>(acc << (8 - used)));
    return out;
}

std::string MovieBody(const Stage& stage) {
    std::string body = PackRect(stage);
    body += std::string("\x00\x18", 2);  // 24 frames a second, fixed 8.8
    body += std::string("\x01\x00", 2);  // one frame
    body += std::string("\x00\x00", 2);  // end tag
    return body;
}

std::string Compress(MovieCompression kind, const std::string& body) {
    if (kind == MovieCompression::None) return body;
    if (kind == MovieCompression::Zlib) {
        uLongf size = compressBound(body.size());
        std::string out(size, '\0');
        if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(body.data()),
                      body.size(), 9) != Z_OK)
            throw std::runtime_error("zlib compress failed");
        out.resize(size);
        return out;
    }
    std::string out(body.size() * 2 + 64, '\0');
    unsigned char props[5];
    std::size_t size = out.size();
    if (ZvLzmaEncode(reinterpret_cast<const unsigned char*>(body.data()), body.size(), props,
                     reinterpret_cast<unsigned char*>(out.data()), &size) != 0)
        throw std::runtime_error("LZMA encode failed");
    out.resize(size);
    std::string packed;
    for (int i = 0; i < 4; ++i) packed.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    packed.append(reinterpret_cast<const char*>(props), 5);
    return packed + out;
}

std::string MakeMovie(MovieCompression kind, const std::string& body, std::uint32_t declared, int version) {
    const char* sig = kind == MovieCompression::None ? "FWS" : kind == MovieCompression::Zlib ? "CWS" : "ZWS";
    const std::uint32_t length = declared != 0 ? declared : static_cast<std::uint32_t>(8 + body.size());
    std::string out(sig);
    out.push_back(static_cast<char>(version));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
    return out + Compress(kind, body);
}

}  // namespace players::testing
