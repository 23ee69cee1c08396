#include "components/textcontrol/model/ImageInfo.h"

#include <algorithm>
#include <cstdint>

#include "components/textcontrol/model/Limits.h"

namespace tx {
namespace {

std::uint32_t Be16(std::string_view b, size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 8) | static_cast<unsigned char>(b[at + 1]);
}
std::uint32_t Be32(std::string_view b, size_t at) { return (Be16(b, at) << 16) | Be16(b, at + 2); }
std::uint32_t Le16(std::string_view b, size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8);
}
std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | (Le16(b, at + 2) << 16); }

int Twips(long long pixels) {
    return static_cast<int>(std::clamp<long long>(pixels * 15, 0, limits::kMaxTwips));
}

}  // namespace

ImageInfo SniffImage(std::string_view b) {
    ImageInfo info;
    if (b.size() >= 24 && b.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8) && b.substr(12, 4) == "IHDR") {
        info.type = ImageType::Png;
        info.width = Twips(Be32(b, 16));
        info.height = Twips(Be32(b, 20));
    } else if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8) {
        info.type = ImageType::Jpeg;
        // Walk the segments to the first start-of-frame marker.
        size_t at = 2;
        while (at + 9 < b.size()) {
            if (static_cast<unsigned char>(b[at]) != 0xFF) break;
            const unsigned marker = static_cast<unsigned char>(b[at + 1]);
            if (marker == 0xFF) { ++at; continue; }
            const std::uint32_t length = Be16(b, at + 2);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
                info.height = Twips(Be16(b, at + 5));
                info.width = Twips(Be16(b, at + 7));
                break;
            }
            if (length < 2) break;
            at += 2 + length;
        }
    } else if (b.size() >= 26 && b.substr(0, 2) == "BM") {
        info.type = ImageType::Bmp;
        const std::uint32_t header = Le32(b, 14);
        if (header == 12) {
            info.width = Twips(Le16(b, 18));
            info.height = Twips(Le16(b, 20));
        } else {
            info.width = Twips(std::abs(static_cast<long long>(static_cast<std::int32_t>(Le32(b, 18)))));
            info.height = Twips(std::abs(static_cast<long long>(static_cast<std::int32_t>(Le32(b, 22)))));
        }
    } else if (b.size() >= 10 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a")) {
        info.type = ImageType::Gif;
        info.width = Twips(Le16(b, 6));
        info.height = Twips(Le16(b, 8));
    } else if (b.size() >= 22 && Le32(b, 0) == 0x9AC6CDD7u) {
        // A placeable metafile states its bounds and units per inch.
        info.type = ImageType::Wmf;
        const long long w = static_cast<std::int16_t>(Le16(b, 10)) - static_cast<std::int16_t>(Le16(b, 6));
        const long long h = static_cast<std::int16_t>(Le16(b, 12)) - static_cast<std::int16_t>(Le16(b, 8));
        const long long perInch = Le16(b, 14);
        if (perInch > 0) {
            info.width = static_cast<int>(std::clamp<long long>(std::abs(w) * 1440 / perInch, 0, limits::kMaxTwips));
            info.height = static_cast<int>(std::clamp<long long>(std::abs(h) * 1440 / perInch, 0, limits::kMaxTwips));
        }
    } else if (b.size() >= 18 && Le16(b, 0) <= 2 && Le16(b, 2) == 9) {
        info.type = ImageType::Wmf;  // a metafile without a placeable header does not say its size
    } else if (b.size() >= 44 && Le32(b, 0) == 1 && Le32(b, 40) == 0x464D4520u) {
        info.type = ImageType::Emf;
        // The frame is in hundredths of a millimetre.
        const long long w = static_cast<std::int32_t>(Le32(b, 32)) - static_cast<long long>(static_cast<std::int32_t>(Le32(b, 24)));
        const long long h = static_cast<std::int32_t>(Le32(b, 36)) - static_cast<long long>(static_cast<std::int32_t>(Le32(b, 28)));
        info.width = static_cast<int>(std::clamp<long long>(std::abs(w) * 1440 / 2540, 0, limits::kMaxTwips));
        info.height = static_cast<int>(std::clamp<long long>(std::abs(h) * 1440 / 2540, 0, limits::kMaxTwips));
    } else if (b.size() >= 4 && (b.substr(0, 4) == std::string_view("II*\0", 4) || b.substr(0, 4) == std::string_view("MM\0*", 4))) {
        info.type = ImageType::Tiff;
    }
    return info;
}

std::wstring ImageSaveFormats(const Object& object) {
    if (object.kind != ObjectKind::Image) return {};
    switch (object.imageType) {
    case ImageType::Png: return L"PNG";
    case ImageType::Jpeg: return L"JPEG";
    case ImageType::Bmp: return L"BMP";
    case ImageType::Gif: return L"GIF";
    case ImageType::Wmf: return L"WMF";
    case ImageType::Emf: return L"EMF";
    case ImageType::Tiff: return L"TIFF";
    case ImageType::Unknown: break;
    }
    return {};
}

}  // namespace tx
