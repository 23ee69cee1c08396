// Fuzz target: the TrueType reader and subsetter. Whatever the bytes, reading either fails with
// zv::Error or gives a font whose maps and metrics answer for any character and glyph, and whose
// subset (when it can be cut) is a font this reader reads again with the same advances.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Error.h"
#include "components/textcontrol/formats/TrueType.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<const tx::TrueTypeFont> font;
    try {
        font = tx::TrueTypeFont::FromFile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zv::Error&) {
        return 0;
    }
    std::vector<std::uint16_t> glyphs{0};
    for (char32_t c : {U' ', U'A', U'z', U'\xE9', char32_t(0x20AC), char32_t(0x1F600), char32_t(0x10FFFF), char32_t(0xFFFF)}) {
        const std::uint16_t g = font->Glyph(c);
        if (g >= font->GlyphCount()) std::abort();
        glyphs.push_back(g);
    }
    glyphs.push_back(static_cast<std::uint16_t>(font->GlyphCount() - 1));
    for (std::uint16_t g : glyphs) font->Advance(g);
    tx::FontSubset subset;
    try {
        subset = font->Subset(glyphs);
    } catch (const zv::Error&) {
        return 0;  // a damaged composite is found only when it is cut
    }
    std::shared_ptr<const tx::TrueTypeFont> cut;
    try {
        cut = tx::TrueTypeFont::FromFile(subset.program);
    } catch (const zv::Error&) {
        std::abort();  // what we write, we read
    }
    if (cut->GlyphCount() != static_cast<int>(subset.glyphs.size())) std::abort();
    for (size_t i = 0; i < subset.glyphs.size(); ++i)
        if (cut->Advance(static_cast<std::uint16_t>(i)) != font->Advance(subset.glyphs[i])) std::abort();
    return 0;
}
