#include "Cp1252.h"

#include <array>

namespace zv {
namespace {

// Code points of bytes 0x80-0x9F; the rest of the code page is identical to Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeOne(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == static_cast<char16_t>(c)) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string EncodeCp1252(std::wstring_view text) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) out[i] = EncodeOne(text[i]);
    return out;
}

void DecodeCp1252Into(std::string_view bytes, std::wstring& out) {
    out.resize(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto u = static_cast<unsigned char>(bytes[i]);
        out[i] = u >= 0x80 && u < 0xA0 ? static_cast<wchar_t>(kHigh[u - 0x80]) : static_cast<wchar_t>(u);
    }
}

std::wstring DecodeCp1252(std::string_view bytes) {
    std::wstring out;
    DecodeCp1252Into(bytes, out);
    return out;
}

}  // namespace zv
