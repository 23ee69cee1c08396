// TrueType fonts as the PDF writer reads and cuts them, on a font whose every value is known, and
// on the Liberation fonts the native build embeds.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "components/textcontrol/formats/FontSource.h"
#include "components/textcontrol/formats/PdfFonts.h"
#include "components/textcontrol/formats/TrueType.h"
#include "components/textcontrol/tests/TinyFont.h"

namespace tx {
namespace {

using testing::TinyFont;
using testing::TinyFontOptions;
using testing::TinyFontTables;
using testing::TinyFontSource;

TEST(TrueType, ReadsMapsMetricsAndNames) {
    const auto font = TrueTypeFont::FromFile(TinyFont());
    EXPECT_EQ(font->UnitsPerEm(), 1000);
    EXPECT_EQ(font->GlyphCount(), 5);
    const std::pair<char32_t, int> glyphs[] = {{U'A', 1}, {U'B', 2}, {U'C', 3}, {U' ', 4}, {U'D', 0}, {0x1F600, 2}, {0x10FFFF, 0}};
    for (auto [c, g] : glyphs) EXPECT_EQ(font->Glyph(c), g) << static_cast<unsigned>(c);
    const int advances[] = {1000, 500, 600, 700, 700};  // the blank has no long metric: it takes the last
    for (int g = 0; g < 5; ++g) EXPECT_EQ(font->Advance(static_cast<std::uint16_t>(g)), advances[g]) << g;
    EXPECT_EQ(font->Ascent(), 850);  // the Windows metrics, as screens use them
    EXPECT_EQ(font->Descent(), 250);
    EXPECT_EQ(font->CapHeight(), 700);
    EXPECT_EQ(font->UnderlinePosition(), -120);
    EXPECT_EQ(font->StrikeoutPosition(), 300);
    EXPECT_EQ(font->Names().family, L"Tiny Sans");
    EXPECT_EQ(font->Names().postscript, L"TinySans");
    EXPECT_FALSE(font->Bold());
    EXPECT_TRUE(font->Embeddable());
    EXPECT_TRUE(TrueTypeFont::FromFile(TinyFont({0, true}))->Bold());
}

TEST(TrueType, EmbeddingBitsDecideWhetherADocumentMayCarryIt) {
    const std::pair<std::uint16_t, bool> cases[] = {
        {0x0000, true},   // installable
        {0x0002, false},  // restricted licence
        {0x0004, true},   // preview and print
        {0x0008, true},   // editable
        {0x0006, true},   // restricted, but printing allowed
        {0x0204, false},  // bitmaps only
    };
    for (auto [bits, embeddable] : cases)
        EXPECT_EQ(TrueTypeFont::FromFile(TinyFont({bits}))->Embeddable(), embeddable) << bits;
    EXPECT_FALSE(TrueTypeFont::FromFile(TinyFont({0x0100}))->Subsettable());
}

TEST(TrueType, ASubsetKeepsTheGlyphsInTheOrderAskedAndTheirComponents) {
    const auto font = TrueTypeFont::FromFile(TinyFont());
    // 'C' is built of 'A' and 'B': asking for the blank and 'C' brings both along, after them.
    const FontSubset subset = font->Subset({0, 4, 3});
    EXPECT_EQ(subset.glyphs, (std::vector<std::uint16_t>{0, 4, 3, 1, 2}));
    const auto cut = TrueTypeFont::FromFile(subset.program);
    ASSERT_EQ(cut->GlyphCount(), 5);
    const int advances[] = {1000, 700, 700, 500, 600};
    for (int g = 0; g < 5; ++g) EXPECT_EQ(cut->Advance(static_cast<std::uint16_t>(g)), advances[g]) << g;
    // The composite now names its components by their new numbers, and the file's check sum holds.
    const FontSubset again = cut->Subset({0, 2});
    EXPECT_EQ(again.glyphs, (std::vector<std::uint16_t>{0, 2, 3, 4}));
    std::uint32_t sum = 0;
    for (size_t i = 0; i < subset.program.size(); i += 4) {
        std::uint32_t word = 0;
        for (size_t k = 0; k < 4; ++k)
            word = word << 8 | (i + k < subset.program.size() ? static_cast<unsigned char>(subset.program[i + k]) : 0u);
        sum += word;
    }
    EXPECT_EQ(sum, 0xB1B0AFBAu);
    // A glyph asked for twice is there twice: the numbers follow the list.
    EXPECT_EQ(font->Subset({0, 1, 0, 1}).glyphs, (std::vector<std::uint16_t>{0, 1, 0, 1}));
}

TEST(TrueType, DamagedFontsAreRefusedWithAReason) {
    auto with = [](std::uint32_t tag, auto change) {
        auto tables = TinyFontTables();
        change(tables[tag]);
        return WriteFontFile(tables);
    };
    auto without = [](std::uint32_t tag) {
        auto tables = TinyFontTables();
        tables.erase(tag);
        return WriteFontFile(tables);
    };
    auto set16 = [](size_t at, int v) {
        return [=](std::string& t) {
            t[at] = static_cast<char>((v >> 8) & 0xFF);
            t[at + 1] = static_cast<char>(v & 0xFF);
        };
    };
    const std::string font = TinyFont();
    struct Case {
        std::string bytes;
        const wchar_t* reason;
    };
    const Case cases[] = {
        {"", L"the data ends"},
        {"OTTO" + font.substr(4), L"not TrueType outlines"},
        {"wOFF" + font.substr(4), L"not a TrueType font"},
        {font.substr(0, 40), L"the data ends inside a table"},
        {without(FontTag("cmap")), L"cmap table is missing"},
        {without(FontTag("glyf")), L"no TrueType outlines"},
        {with(FontTag("head"), set16(18, 4)), L"units per em are out of range"},
        {with(FontTag("head"), set16(50, 7)), L"offset format is unknown"},
        {with(FontTag("maxp"), set16(4, 0)), L"no glyphs"},
        {with(FontTag("maxp"), set16(4, 6000)), L"shorter than the glyph count"},
        {with(FontTag("hhea"), set16(34, 9)), L"horizontal metrics is out of range"},
        {with(FontTag("hmtx"), [](std::string& t) { t.resize(10); }), L"shorter than the glyph count"},
        {with(FontTag("loca"), set16(4, 9000)), L"beyond the outlines"},
        {with(FontTag("loca"), set16(4, 1)), L"ends before it starts"},
        {with(FontTag("cmap"), [](std::string& t) { t[5] = t[13] = 1; }), L"no character map"},
        {with(FontTag("cmap"), [](std::string& t) { t.resize(24); }), L"the data ends"},
    };
    for (const Case& c : cases) {
        try {
            TrueTypeFont::FromFile(c.bytes);
            ADD_FAILURE() << "accepted case with reason " << std::string(c.reason, c.reason + wcslen(c.reason));
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(c.reason), std::wstring::npos)
                << std::string(e.Description().begin(), e.Description().end());
        }
    }
    // A composite naming a glyph the font lacks is found when it is cut.
    auto tables = TinyFontTables();
    std::string& glyf = tables[FontTag("glyf")];
    const size_t component = glyf.find(std::string("\x00\x23\x00\x01", 4));  // flags, then glyph 1
    ASSERT_NE(component, std::string::npos);
    glyf[component + 3] = 9;
    EXPECT_THROW(TrueTypeFont::FromFile(WriteFontFile(tables))->Subset({0, 3}), zv::Error);
}

TEST(PdfFonts, MeasuresByTheFontsItCarriesAndFallsBackWhereItMayNot) {
    TinyFontSource source;
    const PdfFonts fonts(source);
    CharFormat tiny;
    tiny.face = L"Tiny";
    tiny.size = 240;  // 12 pt: 'A' is half an em, 120 twips
    int advances[4];
    fonts.Advances(tiny, L"AB C", advances);
    EXPECT_EQ(std::vector<int>(advances, advances + 4), (std::vector<int>{120, 144, 168, 168}));
    EXPECT_EQ(fonts.Metrics(tiny).ascent, 204);  // 850 of 1000 at 240
    EXPECT_EQ(fonts.Metrics(tiny).descent, 60);
    // Rounding never adds up along a line: 500 units at 9 twips are 4.5 each.
    tiny.size = 9;
    int half[4];
    fonts.Advances(tiny, L"AAAA", half);
    EXPECT_EQ(half[0] + half[1] + half[2] + half[3], 18);

    CharFormat bold = tiny, italic = tiny;
    bold.bold = true;
    italic.italic = true;
    EXPECT_TRUE(fonts.FaceOf(bold).embedded);
    EXPECT_FALSE(fonts.FaceOf(bold).fakeBold);   // the family has a bold face of its own
    EXPECT_TRUE(fonts.FaceOf(italic).fakeItalic);  // it has no italic: drawn slanted
    EXPECT_NE(fonts.FaceOf(tiny).resource, fonts.FaceOf(bold).resource);

    // A font whose licence forbids carrying it is a standard font, measured by the font itself.
    TinyFontSource restricted(0x0002);
    const PdfFonts standard(restricted);
    CharFormat f;
    f.face = L"Tiny";
    f.size = 240;
    EXPECT_FALSE(standard.FaceOf(f).embedded);
    EXPECT_EQ(standard.FaceOf(f).standardName, "Helvetica");
    standard.Advances(f, L"AB", advances);
    EXPECT_EQ(advances[0], 120);
    f.bold = f.italic = true;
    EXPECT_EQ(standard.FaceOf(f).standardName, "Helvetica-BoldOblique");
}

TEST(FontSource, WindowsFacesFindTheirMetricTwins) {
    const std::pair<const wchar_t*, const wchar_t*> twins[] = {
        {L"Arial", L"liberation sans"},          {L"Times New Roman", L"liberation serif"},
        {L"Courier New", L"liberation mono"},    {L"Arial Narrow", L"liberation sans narrow"},
        {L"Lucida Console", L"liberation mono"}, {L"Georgia", L"liberation serif"},
        {L"Tahoma", L"liberation sans"},         {L"MS Sans Serif", L"liberation sans"},
    };
    for (auto [face, twin] : twins) EXPECT_EQ(SubstituteFamily(face), twin);
    // Natively the fonts are there (tools/setup.sh installs them), each style its own face.
    FontSource& source = FolderFontSource::Default();
    const auto arial = source.Find(L"Arial", false, false), bold = source.Find(L"Arial", true, false);
    const auto italic = source.Find(L"Times New Roman", false, true);
    ASSERT_TRUE(arial && bold && italic);
    EXPECT_EQ(arial->Names().postscript, L"LiberationSans");
    EXPECT_EQ(bold->Names().postscript, L"LiberationSans-Bold");
    EXPECT_EQ(italic->Names().postscript, L"LiberationSerif-Italic");
    // Metric for metric: 'A' is 1366 units of 2048, as in the face it stands in for.
    EXPECT_EQ(arial->Advance(arial->Glyph(U'A')), 1366);
}

}  // namespace
}  // namespace tx
