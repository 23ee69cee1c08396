#pragma once
// TrueType fonts as a PDF page needs them: the character-to-glyph map, advances and the metrics
// of the face, its names and embedding permission, and a subset of its glyphs as a font program of
// its own. The tables are untrusted bytes (a font file, or what a device hands out): every read is
// bounded, and a font that cannot be read throws a zv::Error saying what is wrong.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tx {

constexpr std::uint32_t FontTag(const char (&t)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(t[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t[2])) << 8 | static_cast<unsigned char>(t[3]);
}

struct FontNames {
    std::wstring family;      // the typographic family where there is one ("Liberation Sans")
    std::wstring subfamily;   // "Bold Italic"
    std::wstring postscript;  // "LiberationSans-BoldItalic"
};

struct FontSubset {
    std::string program;                // a TrueType font of the glyphs below
    std::vector<std::uint16_t> glyphs;  // new glyph i is old glyph glyphs[i]
};

// A font file of these tables (by tag), with its directory and check sums; the head table's
// whole-file check sum is set when there is a head table.
std::string WriteFontFile(const std::map<std::uint32_t, std::string>& tables);

class TrueTypeFont {
public:
    using TableSource = std::function<std::optional<std::string>(std::uint32_t tag)>;

    // A font file, or the font of a collection at `index`.
    static std::shared_ptr<const TrueTypeFont> FromFile(std::string_view bytes, int index = 0);
    // A font whose tables are handed out one by one; `table` gives nullopt for a table it lacks.
    static std::shared_ptr<const TrueTypeFont> FromTables(const TableSource& table);

    int UnitsPerEm() const { return unitsPerEm_; }
    int GlyphCount() const { return glyphCount_; }
    // The glyph of a character, 0 (the missing glyph) when the font has none.
    std::uint16_t Glyph(char32_t c) const;
    // In font units.
    int Advance(std::uint16_t glyph) const;
    int Ascent() const { return ascent_; }    // above the baseline
    int Descent() const { return descent_; }  // below it, positive
    int CapHeight() const { return capHeight_; }
    int Box(int i) const { return box_[i]; }  // xMin, yMin, xMax, yMax
    double ItalicAngle() const { return italicAngle_; }
    int UnderlinePosition() const { return underlinePosition_; }  // negative: below the baseline
    int UnderlineThickness() const { return underlineThickness_; }
    int StrikeoutPosition() const { return strikeoutPosition_; }
    int StrikeoutThickness() const { return strikeoutThickness_; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }
    bool FixedPitch() const { return fixedPitch_; }
    bool Serif() const { return serif_; }
    // Whether the font's licence lets a document carry it (its embedding bits allow at least
    // printing and previewing, and it has outlines, not bitmaps only).
    bool Embeddable() const { return embeddable_; }
    // Whether it may be cut down to the glyphs a document uses (else it goes whole).
    bool Subsettable() const { return subsettable_; }
    const FontNames& Names() const { return names_; }

    // The glyphs (the missing glyph first, which is added when absent), plus those their composites
    // are built of, as a font program numbered in that order.
    FontSubset Subset(std::vector<std::uint16_t> glyphs) const;

private:
    TrueTypeFont() = default;
    void Read();
    std::string_view Table(std::uint32_t tag) const;

    std::map<std::uint32_t, std::string> tables_;
    int unitsPerEm_ = 1000;
    int glyphCount_ = 0;
    bool longOffsets_ = false;
    int horizontalMetrics_ = 0;
    int ascent_ = 0, descent_ = 0, capHeight_ = 0;
    int box_[4] = {};
    double italicAngle_ = 0;
    int underlinePosition_ = -100, underlineThickness_ = 50, strikeoutPosition_ = 250, strikeoutThickness_ = 50;
    bool bold_ = false, italic_ = false, fixedPitch_ = false, serif_ = false, embeddable_ = true, subsettable_ = true;
    FontNames names_;
    std::vector<std::uint32_t> glyphOffsets_;  // glyphCount_ + 1 offsets into 'glyf'

    // The character map: segments of format 4 or groups of format 12, and whether it is a symbol
    // font's map (characters at U+F000 and up).
    struct Range {
        char32_t first, last;
        std::int32_t delta;          // glyph = c + delta (format 4 without a range offset, and format 12)
        std::uint32_t rangeOffset;   // format 4: where the glyph array of the segment is, 0 = none
        std::size_t rangeOffsetAt;   // its own position in the table
        bool sequential;             // format 12: glyph = delta + (c - first)
    };
    std::vector<Range> map_;
    std::string_view mapTable_;
    bool symbolMap_ = false;
};

}  // namespace tx
