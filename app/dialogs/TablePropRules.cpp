#include "app/dialogs/TablePropRules.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kListEntries = 10;
}

std::vector<std::wstring> PixelListEntries() {
    std::vector<std::wstring> entries{L"1 pixel"};
    for (int n = 2; n <= kListEntries; ++n) entries.push_back(std::to_wstring(n) + L" pixels");
    return entries;
}

int PixelListIndex(long twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) twipsPerPixel = 15;
    const long long pixels = std::llrint(static_cast<double>(twips) / twipsPerPixel);
    return static_cast<int>(std::clamp<long long>(pixels, 1, kListEntries)) - 1;
}

int PixelListTwips(int listIndex, int twipsPerPixel) {
    return (std::clamp(listIndex, 0, kListEntries - 1) + 1) * twipsPerPixel;
}

int FindColor(const std::vector<std::uint32_t>& values, std::uint32_t color) {
    const auto it = std::find(values.begin(), values.end(), color);
    return it == values.end() ? -1 : static_cast<int>(it - values.begin());
}

BackgroundChoice ChooseBackground(std::uint32_t background) {
    if (background == kNoBackground) return {true, -1, false};
    std::vector<std::uint32_t> named;
    for (const auto& c : kTableColors) named.push_back(c.value);
    const int found = FindColor(named, background);
    if (found >= 0) return {false, found, false};
    return {false, static_cast<int>(kTableColors.size()), true};
}
