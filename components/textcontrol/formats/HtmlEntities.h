#pragma once
// Character references of HTML: the named ones a page written for Windows uses (all of Latin-1,
// the typographic quotes and dashes, a few symbols), and numeric ones in decimal or hexadecimal.

#include <cstddef>
#include <string>
#include <string_view>

namespace tx::html {

// The code point of a named reference ("amp", "eacute"), 0 when the name is unknown.
char32_t NamedEntity(std::wstring_view name);

// Reads a reference starting at text[at] == '&'. On success appends the character(s) to `out`
// and returns the number of characters read; 0 when there is no reference there (the '&' is text).
std::size_t ReadEntity(std::wstring_view text, std::size_t at, std::wstring& out);

// Replaces every reference in an attribute value.
std::wstring DecodeEntities(std::wstring_view text);

}  // namespace tx::html
