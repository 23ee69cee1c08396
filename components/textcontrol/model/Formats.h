#pragma once
// Character and paragraph formats. Both are plain values compared by ==, so that the document can
// keep one table of distinct character formats and give each character an index into it.

#include <cstdint>
#include <string>
#include <vector>

namespace tx {

// OLE colours: 0x00BBGGRR. kNoColor is "transparent / not set" (the colour controls use the same mark).
using Color = std::uint32_t;
inline constexpr Color kNoColor = 0xFF000000u;
inline constexpr Color kBlack = 0x000000u;
inline constexpr Color kWhite = 0xFFFFFFu;

struct CharFormat {
    std::wstring face = L"Arial";
    int size = 240;  // twips (240 = 12 pt)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    Color color = kBlack;
    Color backColor = kNoColor;
    int baseline = 0;  // twips the text stands above its line's baseline (below when negative)

    bool operator==(const CharFormat&) const = default;
};

enum class Align : std::uint8_t { Left = 0, Right = 1, Center = 2, Justify = 3 };

enum class TabKind : std::uint8_t { Left = 0, Right = 1, Center = 2, Decimal = 3 };
struct TabStop {
    int position = 0;  // twips from the paragraph's left indent
    TabKind kind = TabKind::Left;
    bool operator==(const TabStop&) const = default;
};

// The values the program's menus write: 2 = bulleted, 4 = numbered.
enum class ListKind : std::uint8_t { None = 0, Bullet = 2, Numbered = 4 };
// The five numbering styles of the Bullets and Numbering menu, in its order.
enum class NumberStyle : std::uint8_t { Arabic = 0, UpperLetter = 1, LowerLetter = 2, UpperRoman = 3, LowerRoman = 4 };
inline constexpr int kMaxListLevel = 8;

// Frame style word: low byte = lines switched on, high byte = the same lines switched off
// (so that a mixed selection can say "leave as is"); 32/64 single/double; 128 connected frames.
namespace frame {
inline constexpr std::uint16_t kLeft = 0x1, kRight = 0x2, kTop = 0x4, kBottom = 0x8, kTabLines = 0x10;
inline constexpr std::uint16_t kSingle = 0x20, kDouble = 0x40, kConnected = 0x80;
inline constexpr std::uint16_t kLineBits = 0x1F;
inline constexpr std::uint16_t kKindBits = kSingle | kDouble;

// A style word applied as a change to a paragraph's frame: lines of the low byte go on, lines of
// the high byte go off, the others stay as they are. A word that names the kind of lines (single
// or double) says as well whether the frame connects with its neighbours; one that names no kind
// leaves both. What a paragraph keeps is the resulting lines with their kind, never "off" bits.
inline std::uint16_t Changed(std::uint16_t stored, int change) {
    const auto word = static_cast<std::uint16_t>(change);
    std::uint16_t lines = static_cast<std::uint16_t>(((stored & kLineBits) | (word & kLineBits)) & ~((word >> 8) & kLineBits));
    std::uint16_t rest = static_cast<std::uint16_t>(stored & (kKindBits | kConnected));
    if (word & kKindBits) rest = static_cast<std::uint16_t>((word & kDouble ? kDouble : kSingle) | (word & kConnected));
    return static_cast<std::uint16_t>(lines | rest);
}
}  // namespace frame

struct ParaFormat {
    Align align = Align::Left;
    int leftIndent = 0;    // twips
    int rightIndent = 0;   // twips
    int firstIndent = 0;   // twips, relative to leftIndent (negative = hanging)
    int spaceBefore = 0;   // twips
    int spaceAfter = 0;    // twips
    int lineSpacing = 100; // percent of the single line height
    std::vector<TabStop> tabs;
    ListKind listKind = ListKind::None;
    int listLevel = 0;     // 0..kMaxListLevel
    NumberStyle numberStyle = NumberStyle::Arabic;
    int listIndentStep = 360;  // twips each level adds
    std::uint16_t frameStyle = 0;
    int frameLineWidth = 20;   // twips
    int frameDistance = 0;     // twips
    std::wstring styleName;

    bool operator==(const ParaFormat&) const = default;
};

// A named style: a paragraph format with the character format its text starts with.
struct Style {
    std::wstring name;
    ParaFormat para;
    CharFormat chars;
    bool operator==(const Style&) const = default;
};

}  // namespace tx
