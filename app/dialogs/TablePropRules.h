#pragma once
// The rules of the table properties dialog that need no window: the pixel lists' entries, the
// named colours of its colour drop-down and what a table's background opens the drop-down with.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct NamedTableColor {
    const wchar_t* name;
    std::uint32_t value;  // 0xBBGGRR
};

// The drop-down's own colours, in the order it lists them.
inline constexpr std::array<NamedTableColor, 16> kTableColors{{
    {L"White", 0xFFFFFF}, {L"Light Gray", 0xC0C0C0}, {L"Gray", 0x7F7F7F}, {L"Dark Gray", 0x3F3F3F},
    {L"Black", 0x0}, {L"Blue", 0xFF0000}, {L"Aqua", 0xFFFF00}, {L"Green", 0xFF00},
    {L"Fuchsia", 0xFF00FF}, {L"Red", 0xFF}, {L"Yellow", 0xFFFF}, {L"Navy", 0x800000},
    {L"Teal", 0x808000}, {L"Lime", 0x8000}, {L"Purple", 0x800080}, {L"Maroon", 0x80},
}};

// The entry holding a colour that is none of the named ones.
inline constexpr wchar_t kOtherColorName[] = L"Other";
// A cell with this background has none: the page shows through it.
inline constexpr std::uint32_t kNoBackground = 0xFF000000u;

// The ten entries of the width lists: "1 pixel", "2 pixels" ... "10 pixels".
std::vector<std::wstring> PixelListEntries();

// The width list's entry (0 for 1 pixel ... 9 for 10 pixels) for a width in twips: the nearest
// whole pixel, held to the list, so that a border of 0 or of 20 pixels still selects an entry.
int PixelListIndex(long twips, int twipsPerPixel);

// The width in twips the list's entry stands for.
int PixelListTwips(int listIndex, int twipsPerPixel);

// The first entry of `values` equal to `color`, -1 when none is.
int FindColor(const std::vector<std::uint32_t>& values, std::uint32_t color);

// What the colour drop-down opens with for a table's background: "None" for a table without one
// (nothing selected in the 16 named colours), the named colour that equals it, or a 17th entry
// "Other" holding it.
struct BackgroundChoice {
    bool none = false;
    int listIndex = -1;     // into the named colours, or 16 for the added "Other" entry
    bool addOther = false;
};
BackgroundChoice ChooseBackground(std::uint32_t background);
