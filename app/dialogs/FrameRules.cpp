#include "app/dialogs/FrameRules.h"

#include <algorithm>
#include <cmath>

#include "app/core/Units.h"
#include "base/Error.h"

namespace {
constexpr std::uint16_t kLineBits[] = {0x1, 0x2, 0x4, 0x8, 0x10};
constexpr std::uint16_t kDouble = 0x40, kSingle = 0x20, kConnected = 0x80;
}  // namespace

std::uint16_t FrameStyleWord(const FrameChecks& c) {
    const bool on[] = {c.left, c.right, c.top, c.bottom, c.tabLines};
    std::uint16_t word = 0;
    for (int i = 0; i < 5; ++i) word |= on[i] ? kLineBits[i] : static_cast<std::uint16_t>(kLineBits[i] << 8);
    word |= c.doubleLines ? kDouble : kSingle;
    if (c.connected) word |= kConnected;
    return word;
}

FrameChecks FrameChecksOf(int style) {
    FrameChecks c;
    c.left = style & 0x1;
    c.right = style & 0x2;
    c.top = style & 0x4;
    c.bottom = style & 0x8;
    c.tabLines = style & 0x10;
    c.doubleLines = style & kDouble;
    c.connected = style & kConnected;
    return c;
}

std::wstring PointsText(int twips, wchar_t decimalSeparator) {
    std::wstring text = std::to_wstring(twips / kTwipsPerPoint);
    if (twips < 0 && twips > -kTwipsPerPoint) text.insert(0, 1, L'-');
    int rest = std::abs(twips % kTwipsPerPoint);
    if (rest != 0) {
        // twips / 20 has at most two decimals
        const int hundredths = rest * 5;
        text += decimalSeparator;
        text += static_cast<wchar_t>(L'0' + hundredths / 10);
        if (hundredths % 10 != 0) text += static_cast<wchar_t>(L'0' + hundredths % 10);
    }
    return text + L" pt";
}

std::optional<int> FramePointsTwips(std::wstring_view text, int minPoints, wchar_t decimalSeparator,
                                    std::wstring_view boxName) {
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' ' || c == L'\t'; }))
        return std::nullopt;
    const std::optional<double> number = LeadingNumber(text, decimalSeparator);
    if (!number) throw zv::Error(L"The " + std::wstring(boxName) + L" must be a number of points.");
    // Held in range before rounding, so no typed size can overflow.
    const double held = std::clamp(*number, static_cast<double>(minPoints), static_cast<double>(kMaxFramePoints));
    return static_cast<int>(std::nearbyint(held)) * kTwipsPerPoint;
}
