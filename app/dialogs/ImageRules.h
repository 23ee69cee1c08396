#pragma once
// The rules of the image attribute dialog that need no window: the format list and the four
// distances to the text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialogs/ShownValue.h"

// The entries of a "|"-separated format list, in order; an empty text has none.
std::vector<std::wstring> SplitFormats(std::wstring_view formats);

// The four distance boxes (left, top, right, bottom) in twips. Each must be a length from 0 to
// 32767 twips; all four are checked before any is used. Throws zv::Error naming the first box that
// fails, with `failedBox` set to its index.
std::array<std::int32_t, 4> ReadImageDistances(const std::array<std::wstring, 4>& texts,
                                               const std::array<ShownValue, 4>& shown, int unit,
                                               wchar_t decimalSeparator, int& failedBox);
