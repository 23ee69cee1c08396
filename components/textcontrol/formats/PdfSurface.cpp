#include "components/textcontrol/formats/PdfSurface.h"

#include <algorithm>
#include <cmath>

#include "base/Error.h"
#include "components/textcontrol/model/ImageInfo.h"
#include "components/textcontrol/model/SystemColors.h"

namespace tx {
namespace {

constexpr Color kPlaceColor = 0x808080u;  // the outline of a picture with nothing to show
constexpr int kPlaceLine = 10;             // twips

std::string Rgb(Color color, const char* op) {
    const Color c = PlainColor(color, kBlack);
    return PdfNumber((c & 0xFF) / 255.0) + " " + PdfNumber(((c >> 8) & 0xFF) / 255.0) + " " +
           PdfNumber(((c >> 16) & 0xFF) / 255.0) + " " + op + "\n";
}

void AppendHex16(std::string& out, std::uint16_t v) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(v >> shift) & 15]);
}

}  // namespace

// ---------------------------------------------------------------- pictures

int PdfPictures::Of(const Object& object) {
    if (!object.image || object.image->empty()) return 0;
    auto it = byData_.find(*object.image);
    if (it != byData_.end()) return it->second;
    int n = 0;
    try {
        n = Write(object);
    } catch (const zv::Error&) {
        n = 0;  // shown as its place
    }
    byData_[*object.image] = n;
    return n;
}

int PdfPictures::Write(const Object& object) {
    const std::string& bytes = *object.image;
    const int n = static_cast<int>(resources_.size()) + 1;
    const int id = objects_.Reserve();
    if (const auto jpeg = ReadJpegHeader(bytes)) {
        // A JPEG goes in as it is: PDF readers decode it themselves.
        static const char* kSpace[] = {"", "/DeviceGray", "", "/DeviceRGB", "/DeviceCMYK"};
        std::string dictionary = " /Type /XObject /Subtype /Image /Width " + std::to_string(jpeg->width) + " /Height " +
                                 std::to_string(jpeg->height) + " /ColorSpace " + kSpace[jpeg->components] +
                                 " /BitsPerComponent 8 /Filter /DCTDecode";
        if (jpeg->invertedCmyk) dictionary += " /Decode [1 0 1 0 1 0 1 0]";
        objects_.PutStream(id, dictionary, bytes, false);
        resources_[n] = id;
        return n;
    }
    std::optional<Raster> raster;
    try {
        switch (SniffImage(bytes).type) {
        case ImageType::Png: raster = DecodePng(bytes); break;
        case ImageType::Bmp: raster = DecodeBmp(bytes); break;
        case ImageType::Gif: raster = DecodeGif(bytes); break;
        default: break;
        }
    } catch (const zv::Error&) {
        raster.reset();
    }
    if (!raster && decodeOther_) raster = decodeOther_(object);
    if (!raster || raster->width <= 0 || raster->height <= 0 ||
        raster->samples.size() != static_cast<size_t>(raster->width) * static_cast<size_t>(raster->height) * static_cast<size_t>(raster->components))
        throw zv::Error(L"The picture cannot be read.");
    std::string dictionary = " /Type /XObject /Subtype /Image /Width " + std::to_string(raster->width) + " /Height " +
                             std::to_string(raster->height) + " /ColorSpace " +
                             (raster->components == 1 ? "/DeviceGray" : "/DeviceRGB") + " /BitsPerComponent 8";
    if (raster->alpha.size() == static_cast<size_t>(raster->width) * static_cast<size_t>(raster->height)) {
        const int mask = objects_.Reserve();
        objects_.PutStream(mask,
                           " /Type /XObject /Subtype /Image /Width " + std::to_string(raster->width) + " /Height " +
                               std::to_string(raster->height) + " /ColorSpace /DeviceGray /BitsPerComponent 8",
                           raster->alpha);
        dictionary += " /SMask " + std::to_string(mask) + " 0 R";
    }
    objects_.PutStream(id, dictionary, raster->samples);
    resources_[n] = id;
    return n;
}

// ---------------------------------------------------------------- drawing

std::string PdfSurface::X(double twips) const { return PdfNumber(twips / 20.0); }
std::string PdfSurface::Y(double twips) const { return PdfNumber((height_ - twips) / 20.0); }

void PdfSurface::Rectangle(double left, double top, double right, double bottom, Color color) {
    if (right <= left || bottom <= top) return;
    out_ += Rgb(color, "rg");
    out_ += X(left) + " " + Y(bottom) + " " + PdfNumber((right - left) / 20.0) + " " + PdfNumber((bottom - top) / 20.0) + " re f\n";
}

void PdfSurface::Fill(const DeviceRect& r, Color color) { Rectangle(r.left, r.top, r.right, r.bottom, color); }

void PdfSurface::Invert(const DeviceRect& r) {
    // White in the difference blend mode turns every colour below into its opposite.
    inverts_ = true;
    out_ += "q /Inv gs\n";
    Rectangle(r.left, r.top, r.right, r.bottom, kWhite);
    out_ += "Q\n";
}

void PdfSurface::Text(const TextRun& run) {
    if (run.text.empty() || run.height <= 0) return;
    PdfFonts::Face& face = fonts_.FaceOf(*run.format);
    const double size = run.height;  // twips
    out_ += "BT\n";
    out_ += Rgb(run.color, "rg");
    if (face.fakeBold) out_ += Rgb(run.color, "RG") + PdfNumber(size / 20.0 / 30.0) + " w 2 Tr\n";
    out_ += "/F" + std::to_string(face.resource) + " " + PdfNumber(size / 20.0) + " Tf\n";
    // A face without its italic is slanted by about 12 degrees.
    out_ += std::string("1 0 ") + (face.fakeItalic ? "0.212" : "0") + " 1 " + X(run.x) + " " + Y(run.baseline) + " Tm\n[";

    // Glyphs in runs of one string; where the layout's edge differs from the glyph's own advance,
    // a displacement in thousandths of the em puts the next glyph where the layout put it.
    std::string codes;
    long long fontAdvance = 0;  // thousandths of the em, for the line's end when there are no edges
    auto flush = [&] {
        if (codes.empty()) return;
        out_ += face.embedded ? "<" + codes + ">" : PdfBytes(codes);
        codes.clear();
    };
    const std::wstring_view text = run.text;
    for (size_t i = 0; i < text.size();) {
        size_t units = 1;
        char32_t c = static_cast<char32_t>(static_cast<std::uint32_t>(text[i]));
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const auto low = static_cast<char32_t>(static_cast<std::uint32_t>(text[i + 1]));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                units = 2;
            }
        }
        int width;
        if (face.embedded) {
            const std::uint16_t glyph = face.font->Glyph(c);
            std::uint16_t cid = glyph;
            if (face.font->Subsettable()) {
                auto [it, added] = face.cidOfGlyph.emplace(glyph, static_cast<std::uint16_t>(face.cidOfGlyph.size() + 1));
                cid = it->second;
            } else {
                face.cidOfGlyph.emplace(glyph, glyph);
            }
            face.glyphOfCid.emplace(cid, glyph);
            face.textOfCid.emplace(cid, std::wstring(text.substr(i, units)));
            AppendHex16(codes, cid);
            width = face.Width1000(glyph);
        } else {
            const unsigned char code = WinAnsiCode(c);
            face.codes.insert(code);
            codes.push_back(static_cast<char>(code));
            width = face.CodeWidth1000(code);
        }
        fontAdvance += width;
        if (run.edges) {
            const double wanted = (run.edges[i + units] - run.edges[i]) * 1000.0 / size;
            const double shift = width - wanted;
            if (std::abs(shift) >= 0.05 && i + units < text.size()) {
                flush();
                out_ += " " + PdfNumber(shift) + " ";
            }
        }
        i += units;
    }
    flush();
    out_ += "] TJ\nET\n";
    if (face.fakeBold) out_ += "0 Tr\n";

    // Underline and strike-out are lines of the run's colour, where the font says they go.
    if (run.format->underline || run.format->strike) {
        const double right = run.edges ? run.edges[text.size()] : run.x + fontAdvance * size / 1000.0;
        const double em = face.font ? face.font->UnitsPerEm() : 1000.0;
        auto line = [&](double position, double thickness) {
            const double top = run.baseline - position * size / em;
            Rectangle(run.x, top, right, top + std::max(1.0, thickness * size / em), run.color);
        };
        if (run.format->underline) line(face.font ? face.font->UnderlinePosition() : -100, face.font ? face.font->UnderlineThickness() : 50);
        if (run.format->strike)
            line(face.font ? face.font->StrikeoutPosition() : 300, face.font ? face.font->StrikeoutThickness() : 50);
    }
}

void PdfSurface::Image(const Object& object, const DeviceRect& r) {
    if (const int n = pictures_.Of(object)) {
        out_ += "q " + PdfNumber((r.right - r.left) / 20.0) + " 0 0 " + PdfNumber((r.bottom - r.top) / 20.0) + " " + X(r.left) +
                " " + Y(r.bottom) + " cm /Im" + std::to_string(n) + " Do Q\n";
        return;
    }
    // Nothing to show: the picture's place, outlined.
    const int w = std::min({kPlaceLine, (r.right - r.left) / 2, (r.bottom - r.top) / 2});
    if (w <= 0) return;
    Rectangle(r.left, r.top, r.right, r.top + w, kPlaceColor);
    Rectangle(r.left, r.bottom - w, r.right, r.bottom, kPlaceColor);
    Rectangle(r.left, r.top, r.left + w, r.bottom, kPlaceColor);
    Rectangle(r.right - w, r.top, r.right, r.bottom, kPlaceColor);
}

}  // namespace tx
