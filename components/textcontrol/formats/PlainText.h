#pragma once
// Plain text (format code 1): Windows-1252 with CR LF line ends when written; read as UTF-16 or
// UTF-8 when the bytes start with a byte-order mark, as UTF-8 when they are valid UTF-8 with
// characters beyond ASCII, else as Windows-1252.

#include <string>
#include <string_view>

#include "components/textcontrol/model/Document.h"

namespace tx {

std::wstring DecodePlainText(std::string_view bytes);
// Strict UTF-8 (no overlong forms, surrogates or code points past U+10FFFF) appended to `out`;
// false at the first malformed sequence.
bool DecodeUtf8(std::string_view bytes, std::wstring& out);
// One code point, as a surrogate pair where wchar_t is 16 bits wide.
void AppendCodePoint(std::wstring& out, char32_t cp);
// Paragraph separators become CR LF; object characters are dropped.
std::string EncodePlainText(std::wstring_view text);
// A document of the text's paragraphs in one character format.
Document ReadPlainText(std::string_view bytes, const CharFormat& format = {});

}  // namespace tx
