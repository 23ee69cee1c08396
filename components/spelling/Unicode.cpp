#include "components/spelling/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace sp {
namespace {

struct CodeRange {
    char32_t first, last;
};
struct CaseRun {
    char32_t first, last;
    std::int32_t delta, stride;
};

#include "components/spelling/UnicodeTables.inc"

template <std::size_t N>
bool InRanges(const CodeRange (&table)[N], char32_t c) {
    auto it = std::upper_bound(std::begin(table), std::end(table), c,
                               [](char32_t v, const CodeRange& r) { return v < r.first; });
    return it != std::begin(table) && c <= std::prev(it)->last;
}

template <std::size_t N>
char32_t MapCase(const CaseRun (&table)[N], char32_t c) {
    auto it = std::upper_bound(std::begin(table), std::end(table), c,
                               [](char32_t v, const CaseRun& r) { return v < r.first; });
    if (it == std::begin(table)) return c;
    const CaseRun& run = *std::prev(it);
    if (c > run.last || (c - run.first) % static_cast<char32_t>(run.stride) != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

}  // namespace

bool IsLetter(char32_t c) {
    if (c < 0x80) return (c | 0x20) >= U'a' && (c | 0x20) <= U'z';
    return InRanges(kLetters, c);
}

bool IsMark(char32_t c) { return c >= 0x300 && InRanges(kMarks, c); }

char32_t ToLower(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    return MapCase(kToLower, c);
}

char32_t ToUpper(char32_t c) {
    if (c < 0x80) return (c >= U'a' && c <= U'z') ? c - 32 : c;
    return MapCase(kToUpper, c);
}

std::u32string Lower(std::u32string_view s) {
    std::u32string out(s);
    for (auto& c : out) c = ToLower(c);
    return out;
}

std::u32string Upper(std::u32string_view s) {
    std::u32string out(s);
    for (auto& c : out) c = ToUpper(c);
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string ToUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) AppendUtf8(out, c);
    return out;
}

namespace {
// One sequence at bytes[i]; false when malformed. `length` is how far to go on either way.
bool DecodeOne(std::string_view bytes, std::size_t i, char32_t& c, std::size_t& length) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    length = 1;
    if (b0 < 0x80) {
        c = b0;
        return true;
    }
    std::size_t need;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        need = 1, min = 0x80, c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        need = 2, min = 0x800, c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        need = 3, min = 0x10000, c = b0 & 0x07;
    } else {
        return false;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= bytes.size()) return false;
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80) return false;
        c = (c << 6) | (b & 0x3F);
        length = k + 1;
    }
    return c >= min && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}
}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u32string& out) {
    out.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        std::size_t length;
        if (!DecodeOne(bytes, i, c, length)) return false;
        out.push_back(c);
        i += length;
    }
    return true;
}

std::u32string Utf8ToU32(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        std::size_t length;
        out.push_back(DecodeOne(bytes, i, c, length) ? c : 0xFFFD);
        i += length;
    }
    return out;
}

char32_t FirstCodePoint(std::string_view bytes, std::size_t& length) {
    length = 0;
    if (bytes.empty()) return 0;
    char32_t c;
    return DecodeOne(bytes, 0, c, length) ? c : 0xFFFD;
}

std::u32string WideToU32(std::wstring_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = static_cast<char32_t>(s[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
                const char32_t low = static_cast<char32_t>(s[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        out.push_back(c);
    }
    return out;
}

std::wstring U32ToWide(std::u32string_view s) {
    std::wstring out;
    out.reserve(s.size());
    for (char32_t c : s) {
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0x10000 && c <= 0x10FFFF) {
                c -= 0x10000;
                out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
                out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
                continue;
            }
        }
        out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

std::string WideToUtf8(std::wstring_view s) { return ToUtf8(WideToU32(s)); }
std::wstring Utf8ToWide(std::string_view bytes) { return U32ToWide(Utf8ToU32(bytes)); }

}  // namespace sp
