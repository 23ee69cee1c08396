#pragma once
// The rules of the paragraph frames dialog that need no window: the style word its boxes make, the
// boxes a style word checks, and the point values of its two lists.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct FrameChecks {
    bool left = false, right = false, top = false, bottom = false, tabLines = false;
    bool doubleLines = false, connected = false;
};

// Each of the five lines switched on in the low byte when checked, off in the high byte when not;
// 64 for double lines, else 32; 128 for connected frames.
std::uint16_t FrameStyleWord(const FrameChecks& checks);
// A box is checked when its bit is set in the low byte.
FrameChecks FrameChecksOf(int style);

inline constexpr int kTwipsPerPoint = 20;
inline constexpr int kMaxFramePoints = 12;
inline constexpr int kMinFrameWidthPoints = 1;
inline constexpr int kMinFrameDistancePoints = 0;

// Twips as the lists show them: whole points as "2 pt", a fraction as such ("1.5 pt").
std::wstring PointsText(int twips, wchar_t decimalSeparator);

// A typed list entry to twips. The entry's leading number counts ("3 pt", "2.5pt"), rounded to
// whole points (halves to the even one) and held between `minPoints` and kMaxFramePoints;
// nullopt for an empty entry (leave the value as it is). Throws zv::Error naming `boxName` when
// the entry does not start with a number.
std::optional<int> FramePointsTwips(std::wstring_view text, int minPoints, wchar_t decimalSeparator,
                                    std::wstring_view boxName);
