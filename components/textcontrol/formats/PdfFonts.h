#pragma once
// The fonts of a PDF: each character format's face resolved once to the TrueType font that is
// embedded for it (bold and italic as their own faces where the family has them, drawn bolder or
// slanted where it has not), or, for a font whose licence forbids embedding or that cannot be read,
// one of the standard fonts every PDF reader has. It is also the measurer the PDF's pages are laid
// out with, so that each character stands where its glyph really ends.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>

#include "components/textcontrol/formats/FontSource.h"
#include "components/textcontrol/layout/TextMeasurer.h"

namespace tx {

class PdfFonts : public TextMeasurer {
public:
    struct Face {
        std::shared_ptr<const TrueTypeFont> font;  // the metrics; null when nothing at all was found
        bool embedded = false;                     // else the standard font below
        std::string standardName;                  // "Helvetica-Bold"
        bool fakeBold = false, fakeItalic = false;
        int resource = 0;                          // the page resource name is /F<resource>
        // Embedded: the glyphs shown, by character id (1, 2, ... in order of first use, or the glyph
        // itself for a font that may not be cut down), and the text each stands for.
        std::map<std::uint16_t, std::uint16_t> cidOfGlyph;
        std::map<std::uint16_t, std::uint16_t> glyphOfCid;
        std::map<std::uint16_t, std::wstring> textOfCid;
        // Standard: the Windows-1252 codes shown.
        std::set<unsigned char> codes;

        // Thousandths of the em a code advances, as the PDF's width arrays say it.
        int Width1000(std::uint16_t glyph) const;
        int CodeWidth1000(unsigned char code) const;
    };

    explicit PdfFonts(FontSource& source) : source_(source) {}

    FontMetrics Metrics(const CharFormat& font) const override;
    void Advances(const CharFormat& font, std::wstring_view text, int* advances) const override;

    Face& FaceOf(const CharFormat& format) const;
    // The faces used so far, in order of first use.
    const std::vector<Face*>& Faces() const { return order_; }

private:
    FontSource& source_;
    mutable std::map<std::tuple<std::wstring, bool, bool>, std::unique_ptr<Face>> faces_;
    mutable std::vector<Face*> order_;
};

// The Windows-1252 code of a character, '?' for one the code page lacks (standard fonts).
unsigned char WinAnsiCode(char32_t c);

}  // namespace tx
