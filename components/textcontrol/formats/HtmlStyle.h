#pragma once
// The presentation attributes and inline style properties the HTML reader understands: colours,
// font sizes and families, weight, slant, decoration and text alignment.

#include <optional>
#include <string>
#include <string_view>

#include "components/textcontrol/model/Formats.h"

namespace tx::html {

// "#rgb", "#rrggbb", "rrggbb", "rgb(r, g, b)" or one of the sixteen HTML colour names (and
// "orange"), as an OLE colour.
std::optional<Color> ParseColor(std::wstring_view text);

// A CSS font size ("12pt", "16px", "1.5em", "120%") in twips; relative sizes scale `current`.
std::optional<int> ParseFontSize(std::wstring_view text, int current);

// The <font size> scale 1..7 (or "+1", "-2" from 3) in twips.
std::optional<int> FontTagSize(std::wstring_view text);

// The first family of a font-family list, without quotes; the generic families become the fonts
// every Windows has.
std::wstring FirstFontFamily(std::wstring_view text);

// "left", "right", "center"/"centre", "justify".
std::optional<Align> ParseAlign(std::wstring_view text);

// Applies the declarations of a style attribute ("color: red; font-weight: bold").
void ApplyInlineStyle(std::wstring_view declarations, CharFormat& chars, std::optional<Align>& align);

std::wstring Lower(std::wstring_view text);
std::wstring TrimBlanks(std::wstring_view text);

}  // namespace tx::html
