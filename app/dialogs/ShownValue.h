#pragma once
// A value a dialog shows as text. The text is rounded (two decimals of an inch, a point with its
// fraction), so reading it back would move a value the author never touched: a box whose text is
// still the one the dialog put there gives back exactly the value behind it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ShownValue {
    std::wstring text;       // what the dialog put in the box
    std::int32_t value = 0;  // what that text stands for exactly
    bool Untouched(std::wstring_view now) const { return now == text; }
};

// A length box in twips: the shown value while untouched, else the text read in the unit; nullopt
// when the text is no length.
std::optional<std::int32_t> LengthOfEntry(std::wstring_view text, const ShownValue& shown, int unit,
                                          wchar_t decimalSeparator);
