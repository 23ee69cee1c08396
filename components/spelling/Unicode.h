#pragma once
// The character facts the checker needs, the same on every system and in every locale: which code
// points are letters or combining marks, their one-to-one case mappings, and conversions between
// UTF-8, UTF-32 and the system's wide strings (UTF-16 on Windows).

#include <string>
#include <string_view>

namespace sp {

bool IsLetter(char32_t c);
bool IsMark(char32_t c);  // a combining mark continues the word of the letter before it
char32_t ToLower(char32_t c);
char32_t ToUpper(char32_t c);
inline bool IsUpper(char32_t c) { return ToLower(c) != c; }
inline bool IsLower(char32_t c) { return ToUpper(c) != c; }
inline bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

std::u32string Lower(std::u32string_view s);
std::u32string Upper(std::u32string_view s);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
std::string ToUtf8(std::u32string_view s);
// Strict decoding: false for malformed, overlong or surrogate sequences (out then holds what was
// decoded before the fault).
bool DecodeUtf8(std::string_view bytes, std::u32string& out);
// Lenient decoding for bytes that were checked before or may be damaged: a malformed sequence
// becomes U+FFFD and decoding goes on.
std::u32string Utf8ToU32(std::string_view bytes);
// Only the first code point, with the number of bytes it took (at least 1 for non-empty input).
char32_t FirstCodePoint(std::string_view bytes, std::size_t& length);

// System wide strings: surrogate pairs are joined (and split again) where wchar_t is 16 bits; an
// unpaired surrogate stays as it is.
std::u32string WideToU32(std::wstring_view s);
std::wstring U32ToWide(std::u32string_view s);
std::string WideToUtf8(std::wstring_view s);
std::wstring Utf8ToWide(std::string_view bytes);

}  // namespace sp
