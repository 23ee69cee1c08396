#include "components/textcontrol/formats/HtmlEntities.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "base/Cp1252.h"
#include "components/textcontrol/formats/PlainText.h"

namespace tx::html {
namespace {

struct Entity {
    std::wstring_view name;
    char32_t cp;
};

// Latin-1 from U+00A0 on, in code point order.
constexpr std::array<std::wstring_view, 96> kLatin1 = {
    L"nbsp",   L"iexcl",  L"cent",   L"pound",  L"curren", L"yen",    L"brvbar", L"sect",   L"uml",    L"copy",
    L"ordf",   L"laquo",  L"not",    L"shy",    L"reg",    L"macr",   L"deg",    L"plusmn", L"sup2",   L"sup3",
    L"acute",  L"micro",  L"para",   L"middot", L"cedil",  L"sup1",   L"ordm",   L"raquo",  L"frac14", L"frac12",
    L"frac34", L"iquest", L"Agrave", L"Aacute", L"Acirc",  L"Atilde", L"Auml",   L"Aring",  L"AElig",  L"Ccedil",
    L"Egrave", L"Eacute", L"Ecirc",  L"Euml",   L"Igrave", L"Iacute", L"Icirc",  L"Iuml",   L"ETH",    L"Ntilde",
    L"Ograve", L"Oacute", L"Ocirc",  L"Otilde", L"Ouml",   L"times",  L"Oslash", L"Ugrave", L"Uacute", L"Ucirc",
    L"Uuml",   L"Yacute", L"THORN",  L"szlig",  L"agrave", L"aacute", L"acirc",  L"atilde", L"auml",   L"aring",
    L"aelig",  L"ccedil", L"egrave", L"eacute", L"ecirc",  L"euml",   L"igrave", L"iacute", L"icirc",  L"iuml",
    L"eth",    L"ntilde", L"ograve", L"oacute", L"ocirc",  L"otilde", L"ouml",   L"divide", L"oslash", L"ugrave",
    L"uacute", L"ucirc",  L"uuml",   L"yacute", L"thorn",  L"yuml",
};

constexpr Entity kOthers[] = {
    {L"quot", 0x22},    {L"amp", 0x26},     {L"apos", 0x27},    {L"lt", 0x3C},      {L"gt", 0x3E},
    {L"OElig", 0x152},  {L"oelig", 0x153},  {L"Scaron", 0x160}, {L"scaron", 0x161}, {L"Yuml", 0x178},
    {L"fnof", 0x192},   {L"circ", 0x2C6},   {L"tilde", 0x2DC},  {L"ensp", 0x2002},  {L"emsp", 0x2003},
    {L"thinsp", 0x2009}, {L"zwnj", 0x200C}, {L"zwj", 0x200D},   {L"lrm", 0x200E},   {L"rlm", 0x200F},
    {L"ndash", 0x2013}, {L"mdash", 0x2014}, {L"lsquo", 0x2018}, {L"rsquo", 0x2019}, {L"sbquo", 0x201A},
    {L"ldquo", 0x201C}, {L"rdquo", 0x201D}, {L"bdquo", 0x201E}, {L"dagger", 0x2020}, {L"Dagger", 0x2021},
    {L"bull", 0x2022},  {L"hellip", 0x2026}, {L"permil", 0x2030}, {L"prime", 0x2032}, {L"Prime", 0x2033},
    {L"lsaquo", 0x2039}, {L"rsaquo", 0x203A}, {L"oline", 0x203E}, {L"euro", 0x20AC}, {L"trade", 0x2122},
    {L"larr", 0x2190},  {L"uarr", 0x2191},  {L"rarr", 0x2192},  {L"darr", 0x2193},  {L"harr", 0x2194},
    {L"hearts", 0x2665}, {L"minus", 0x2212}, {L"infin", 0x221E}, {L"ne", 0x2260},   {L"le", 0x2264},
    {L"ge", 0x2265},
};

constexpr std::size_t kMaxNameLength = 8;
constexpr char32_t kReplacement = 0xFFFD;

bool IsAlnum(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'); }

int DigitValue(wchar_t c, bool hex) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (hex && c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (hex && c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// What a browser makes of a numeric reference: the C1 range is read as Windows-1252, and what no
// text may hold becomes the replacement character.
char32_t Sanitised(char32_t cp) {
    if (cp >= 0x80 && cp <= 0x9F) {
        const std::wstring mapped = zv::DecodeCp1252(std::string(1, static_cast<char>(cp)));
        return mapped.empty() ? kReplacement : static_cast<char32_t>(mapped[0]);
    }
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

}  // namespace

char32_t NamedEntity(std::wstring_view name) {
    for (std::size_t i = 0; i < kLatin1.size(); ++i)
        if (kLatin1[i] == name) return static_cast<char32_t>(0xA0 + i);
    for (const auto& e : kOthers)
        if (e.name == name) return e.cp;
    return 0;
}

std::size_t ReadEntity(std::wstring_view text, std::size_t at, std::wstring& out) {
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == L'#') {
        ++i;
        bool hex = false;
        if (i < text.size() && (text[i] == L'x' || text[i] == L'X')) {
            hex = true;
            ++i;
        }
        const std::size_t first = i;
        char32_t cp = 0;
        bool overflow = false;
        int digit;
        while (i < text.size() && (digit = DigitValue(text[i], hex)) >= 0) {
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(digit);
            if (cp > 0x10FFFF) {
                overflow = true;
                cp = 0x110000;  // stays out of range however many digits follow
            }
            ++i;
        }
        if (i == first) return 0;
        if (i < text.size() && text[i] == L';') ++i;
        AppendCodePoint(out, overflow ? kReplacement : Sanitised(cp));
        return i - at;
    }
    const std::size_t first = i;
    while (i < text.size() && IsAlnum(text[i]) && i - first <= kMaxNameLength) ++i;
    if (i == first || i - first > kMaxNameLength) return 0;
    const char32_t cp = NamedEntity(text.substr(first, i - first));
    if (cp == 0) return 0;
    if (i < text.size() && text[i] == L';') ++i;
    AppendCodePoint(out, cp);
    return i - at;
}

std::wstring DecodeEntities(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == L'&') {
            if (const std::size_t n = ReadEntity(text, i, out)) {
                i += n;
                continue;
            }
        }
        out.push_back(text[i++]);
    }
    return out;
}

}  // namespace tx::html
