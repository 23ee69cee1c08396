#pragma once
// Text for the markup formats (HTML, XML, PDF strings): UTF-8, escaped for element text or
// attribute values. Characters that XML 1.0 cannot hold (controls other than tab, line feed and
// carriage return, lone surrogates, U+FFFE and U+FFFF, the model's own marker characters) are
// left out, so that whatever the document holds the output stays well formed.

#include <cstdint>
#include <string>
#include <string_view>

#include "components/textcontrol/model/Formats.h"

namespace tx {

// One code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// UTF-16 (or UTF-32 where wchar_t is 32 bits wide) as UTF-8; a lone surrogate becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text);
// Calls `each` with every code point of the text in turn (surrogate pairs joined).
template <class F>
void ForEachCodePoint(std::wstring_view text, F&& each) {
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(static_cast<std::uint32_t>(text[i]));
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const char32_t low = static_cast<char32_t>(static_cast<std::uint32_t>(text[i + 1]));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
        each(c);
    }
}

// True for characters an XML document may hold as text.
bool IsXmlChar(char32_t c);
// Escaped UTF-8 for element content ("&", "<", ">") or, with `attribute`, for a value in double
// quotes (also '"', and tab and line ends as references, so that they survive normalisation).
void AppendEscaped(std::string& out, std::wstring_view text, bool attribute = false);
std::string Escaped(std::wstring_view text, bool attribute = false);

// Twips as points with at most two decimals ("12.5pt"), as style sheets write lengths.
std::string Points(long long twips);
// An OLE colour as "#rrggbb"; system colours in the classic scheme, no colour as black.
std::string HexColor(Color color);

}  // namespace tx
