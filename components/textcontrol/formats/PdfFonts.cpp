#include "components/textcontrol/formats/PdfFonts.h"

#include <cmath>

#include "base/Cp1252.h"
#include "components/textcontrol/formats/Markup.h"

namespace tx {
namespace {

constexpr int kGuessWidth = 500;  // thousandths of the em, for a face with no metrics at all

// A character's code point at text[i], joining a surrogate pair; `units` says how many it took.
char32_t CodePointAt(std::wstring_view text, size_t i, size_t& units) {
    units = 1;
    const auto c = static_cast<char32_t>(static_cast<std::uint32_t>(text[i]));
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        const auto low = static_cast<char32_t>(static_cast<std::uint32_t>(text[i + 1]));
        if (low >= 0xDC00 && low <= 0xDFFF) {
            units = 2;
            return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return c;
}

}  // namespace

unsigned char WinAnsiCode(char32_t c) {
    if (c >= 0x20 && c < 0x7F) return static_cast<unsigned char>(c);
    if (c > 0xFFFF) return '?';
    const std::string code = zv::EncodeCp1252(std::wstring(1, static_cast<wchar_t>(c)));
    if (code.size() != 1 || (code == "?" && c != U'?')) return '?';
    const auto b = static_cast<unsigned char>(code[0]);
    return b < 0x20 ? '?' : b;
}

int PdfFonts::Face::Width1000(std::uint16_t glyph) const {
    if (!font) return kGuessWidth;
    return static_cast<int>(std::lround(font->Advance(glyph) * 1000.0 / font->UnitsPerEm()));
}

int PdfFonts::Face::CodeWidth1000(unsigned char code) const {
    if (!font) return kGuessWidth;
    const std::wstring c = zv::DecodeCp1252(std::string(1, static_cast<char>(code)));
    return Width1000(font->Glyph(static_cast<char32_t>(c.empty() ? U'?' : static_cast<char32_t>(c[0]))));
}

PdfFonts::Face& PdfFonts::FaceOf(const CharFormat& format) const {
    auto key = std::make_tuple(format.face, format.bold, format.italic);
    auto it = faces_.find(key);
    if (it != faces_.end()) return *it->second;
    auto face = std::make_unique<Face>();
    face->font = source_.Find(format.face, format.bold, format.italic);
    if (face->font && face->font->Embeddable()) {
        face->embedded = true;
        face->fakeBold = format.bold && !face->font->Bold();
        face->fakeItalic = format.italic && !face->font->Italic();
    } else {
        // A standard font of the same look, measured by the font itself when it is there (its
        // licence forbids carrying it, not reading it), else by its metric twin.
        std::wstring twin = SubstituteFamily(format.face);
        if (face->font) twin = face->font->FixedPitch() ? L"liberation mono" : face->font->Serif() ? L"liberation serif" : L"liberation sans";
        if (!face->font) {
            face->font = source_.Find(twin == L"liberation mono" ? L"Courier New" : twin == L"liberation serif" ? L"Times New Roman" : L"Arial",
                                      format.bold, format.italic);
        }
        const std::string base = twin == L"liberation mono" ? "Courier" : twin == L"liberation serif" ? "Times" : "Helvetica";
        const bool times = base == "Times";
        std::string style;
        if (format.bold && format.italic) style = times ? "-BoldItalic" : "-BoldOblique";
        else if (format.bold) style = "-Bold";
        else if (format.italic) style = times ? "-Italic" : "-Oblique";
        else if (times) style = "-Roman";
        face->standardName = base + style;
    }
    face->resource = static_cast<int>(order_.size()) + 1;
    order_.push_back(face.get());
    return *faces_.emplace(std::move(key), std::move(face)).first->second;
}

FontMetrics PdfFonts::Metrics(const CharFormat& format) const {
    const Face& face = FaceOf(format);
    if (!face.font) return {format.size * 4 / 5, format.size - format.size * 4 / 5};
    const double scale = static_cast<double>(format.size) / face.font->UnitsPerEm();
    return {static_cast<int>(std::lround(face.font->Ascent() * scale)), static_cast<int>(std::lround(face.font->Descent() * scale))};
}

void PdfFonts::Advances(const CharFormat& format, std::wstring_view text, int* advances) const {
    const Face& face = FaceOf(format);
    // Cumulative ends rounded, then differenced: rounding never adds up along a line.
    long long total = 0;  // thousandths of the em
    int previous = 0;
    for (size_t i = 0; i < text.size();) {
        size_t units = 1;
        const char32_t c = CodePointAt(text, i, units);
        int width;
        if (face.embedded) width = face.Width1000(face.font->Glyph(c));
        else width = face.CodeWidth1000(WinAnsiCode(c));
        total += width;
        const int end = static_cast<int>(std::lround(static_cast<double>(total) * format.size / 1000.0));
        advances[i] = end - previous;
        if (units == 2) advances[i + 1] = 0;
        previous = end;
        i += units;
    }
}

}  // namespace tx
