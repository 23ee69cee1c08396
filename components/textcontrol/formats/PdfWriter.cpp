#include "components/textcontrol/formats/PdfWriter.h"

#include <algorithm>
#include <cmath>

#include "components/textcontrol/formats/HtmlWriter.h"
#include "components/textcontrol/formats/Markup.h"
#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/paint/PagePainter.h"

namespace tx {
namespace {

std::string Ref(int id) { return std::to_string(id) + " 0 R"; }

// A font name as PDF font programs are named: no blanks, plain characters only.
std::string PostScriptName(const PdfFonts::Face& face, const std::wstring& fallback) {
    std::wstring name = face.font && !face.font->Names().postscript.empty() ? face.font->Names().postscript : fallback;
    std::string out;
    for (wchar_t c : name)
        if (c > 0x20 && c < 0x7F && c != '/' && c != '(' && c != ')' && c != '[' && c != ']' && c != '<' && c != '>' &&
            c != '{' && c != '}' && c != '%' && c != '#')
            out.push_back(static_cast<char>(c));
    if (out.empty()) out = "Font";
    if (face.fakeBold) out += ",Bold";
    if (face.fakeItalic) out += face.fakeBold ? "Italic" : ",Italic";
    return out;
}

// Six capitals naming a subset, the same for the same font and glyphs.
std::string SubsetTag(const std::string& name, const std::vector<std::uint16_t>& glyphs) {
    std::uint32_t h = 2166136261u;
    auto mix = [&](unsigned v) {
        h ^= v;
        h *= 16777619u;
    };
    for (unsigned char c : name) mix(c);
    for (std::uint16_t g : glyphs) mix(g);
    std::string tag;
    for (int i = 0; i < 6; ++i) {
        tag.push_back(static_cast<char>('A' + h % 26));
        h /= 26;
        if (h == 0) h = 2166136261u + static_cast<std::uint32_t>(i);
    }
    return tag;
}

std::string UnicodeHex(const std::wstring& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    ForEachCodePoint(text, [&](char32_t c) {
        auto unit = [&](std::uint32_t u) {
            for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(u >> shift) & 15]);
        };
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    });
    return out.empty() ? "FFFD" : out;
}

std::string ToUnicodeMap(const PdfFonts::Face& face) {
    std::string m =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<std::uint16_t, std::wstring>> entries(face.textOfCid.begin(), face.textOfCid.end());
    for (size_t i = 0; i < entries.size(); i += 100) {
        const size_t n = std::min<size_t>(100, entries.size() - i);
        m += std::to_string(n) + " beginbfchar\n";
        for (size_t k = i; k < i + n; ++k) {
            char cid[8];
            std::snprintf(cid, sizeof cid, "%04X", entries[k].first);
            m += std::string("<") + cid + "> <" + UnicodeHex(entries[k].second) + ">\n";
        }
        m += "endbfchar\n";
    }
    m += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return m;
}

// Writes a face's font objects; returns the font dictionary's object.
int WriteFont(PdfObjects& pdf, const PdfFonts::Face& face, const std::wstring& fallbackName) {
    const int id = pdf.Reserve();
    if (!face.embedded) {
        std::string widths;
        for (int code = 32; code <= 255; ++code) {
            widths += std::to_string(face.CodeWidth1000(static_cast<unsigned char>(code)));
            widths += (code - 31) % 16 == 0 ? "\n" : " ";
        }
        pdf.Put(id, "<< /Type /Font /Subtype /Type1 /BaseFont " + PdfName(face.standardName) +
                        " /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [" + widths + "] >>");
        return id;
    }
    const TrueTypeFont& font = *face.font;
    std::vector<std::uint16_t> glyphs;
    if (font.Subsettable()) {
        glyphs.push_back(0);
        for (const auto& [cid, glyph] : face.glyphOfCid) glyphs.push_back(glyph);  // cids run 1, 2, 3 ...
    } else {
        for (int g = 0; g < font.GlyphCount(); ++g) glyphs.push_back(static_cast<std::uint16_t>(g));
    }
    const FontSubset subset = font.Subset(glyphs);
    const std::string base = PostScriptName(face, fallbackName);
    const std::string name = font.Subsettable() ? SubsetTag(base, glyphs) + "+" + base : base;
    const double em = font.UnitsPerEm();
    auto units = [&](int v) { return PdfNumber(std::round(v * 1000.0 / em)); };

    const int file = pdf.Reserve();
    pdf.PutStream(file, " /Length1 " + std::to_string(subset.program.size()), subset.program);
    int flags = 4;  // symbolic: its characters are named by glyph, not by a standard encoding
    if (font.FixedPitch()) flags |= 1;
    if (font.Serif()) flags |= 2;
    if (font.Italic() || face.fakeItalic) flags |= 64;
    const int descriptor = pdf.Reserve();
    pdf.Put(descriptor, "<< /Type /FontDescriptor /FontName " + PdfName(name) + " /Flags " + std::to_string(flags) +
                            " /FontBBox [" + units(font.Box(0)) + " " + units(font.Box(1)) + " " + units(font.Box(2)) + " " +
                            units(font.Box(3)) + "] /ItalicAngle " + PdfNumber(face.fakeItalic ? -12 : font.ItalicAngle()) +
                            " /Ascent " + units(font.Ascent()) + " /Descent " + units(-font.Descent()) + " /CapHeight " +
                            units(font.CapHeight()) + " /StemV " + (font.Bold() || face.fakeBold ? "120" : "80") +
                            " /FontFile2 " + Ref(file) + " >>");
    // Widths of the characters shown, in runs of consecutive ids.
    std::string widths;
    std::uint16_t previous = 0;
    bool open = false;
    for (const auto& [cid, glyph] : face.glyphOfCid) {
        if (!open || cid != previous + 1) {
            if (open) widths += "] ";
            widths += std::to_string(cid) + " [";
            open = true;
        } else {
            widths += " ";
        }
        widths += std::to_string(face.Width1000(glyph));
        previous = cid;
    }
    if (open) widths += "]";
    const int cidFont = pdf.Reserve();
    pdf.Put(cidFont, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + PdfName(name) +
                         " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor " +
                         Ref(descriptor) + " /DW 1000 /W [" + widths + "] /CIDToGIDMap /Identity >>");
    const int toUnicode = pdf.Reserve();
    pdf.PutStream(toUnicode, "", ToUnicodeMap(face));
    pdf.Put(id, "<< /Type /Font /Subtype /Type0 /BaseFont " + PdfName(name) + " /Encoding /Identity-H /DescendantFonts [" +
                    Ref(cidFont) + "] /ToUnicode " + Ref(toUnicode) + " >>");
    return id;
}

// An address as a URI string: ASCII, anything else %-escaped as UTF-8.
std::string UriString(const std::wstring& address) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : EncodeUtf8(address)) {
        if (b > 0x20 && b < 0x7F) {
            out.push_back(static_cast<char>(b));
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return PdfBytes(out);
}

struct LinkBox {
    int page;
    double left, top, right, bottom;  // twips
};

// The boxes a range of body positions covers, one per line it touches.
std::vector<LinkBox> BoxesOf(const Layout& layout, int start, int end) {
    std::vector<LinkBox> boxes;
    for (const PlacedLine& placed : layout.Lines()) {
        const Line& line = layout.LineOf(placed);
        const int a = std::max(start, placed.start), b = std::min(end, placed.start + line.length);
        if (a >= b) continue;
        boxes.push_back(LinkBox{placed.page, static_cast<double>(placed.x + line.caretX[static_cast<size_t>(a - placed.start)]),
                                static_cast<double>(placed.y),
                                static_cast<double>(placed.x + line.caretX[static_cast<size_t>(b - placed.start)]),
                                static_cast<double>(placed.y + line.height)});
    }
    return boxes;
}

PdfOptions& DefaultOptions() {
    static PdfOptions options;
    return options;
}

}  // namespace

const PdfOptions& DefaultPdfOptions() { return DefaultOptions(); }
void SetDefaultPdfOptions(PdfOptions options) { DefaultOptions() = std::move(options); }

std::string WritePdf(const Document& document, const PdfOptions& options) {
    // A movie's window belongs to the program: on paper its place is outlined.
    Document d = document;
    for (auto& o : d.objects) o.hostWindow = 0;
    FontSource& source = options.fonts ? *options.fonts : FolderFontSource::Default();
    PdfFonts fonts(source);
    Layout layout;
    layout.SetMeasurer(&fonts);
    layout.Update(d);

    PdfObjects pdf;
    const int catalog = pdf.Reserve(), pages = pdf.Reserve(), resources = pdf.Reserve(), info = pdf.Reserve();
    PdfPictures pictures(pdf, options.decodePicture);
    const int count = layout.PageCount();
    std::vector<int> pageIds(static_cast<size_t>(count));
    for (auto& id : pageIds) id = pdf.Reserve();
    const double width = d.page.width / 20.0, height = d.page.height / 20.0;
    auto rect = [&](const LinkBox& b) {
        return "[" + PdfNumber(b.left / 20.0) + " " + PdfNumber(height - b.bottom / 20.0) + " " + PdfNumber(b.right / 20.0) + " " +
               PdfNumber(height - b.top / 20.0) + "]";
    };

    // Links, by the page they are on.
    std::vector<std::vector<int>> annotations(static_cast<size_t>(count));
    for (const Field& f : d.fields) {
        std::string action;
        if (f.kind == kLinkAddress && !f.target.empty()) {
            action = "/A << /S /URI /URI " + UriString(HtmlLinkAddress(f.target, L".pdf")) + " >>";
        } else if (f.kind == kLinkAnchor) {
            const Mark* mark = d.FindMark(f.target);
            if (!mark) continue;
            const CaretPoint at = layout.PositionToPoint(mark->position);
            if (at.page < 1 || at.page > count) continue;
            action = "/Dest [" + Ref(pageIds[static_cast<size_t>(at.page) - 1]) + " /XYZ " + PdfNumber(at.x / 20.0) + " " +
                     PdfNumber(height - at.y / 20.0) + " null]";
        } else {
            continue;
        }
        for (const LinkBox& box : BoxesOf(layout, f.start, f.start + f.length)) {
            if (box.page < 1 || box.page > count) continue;
            const int id = pdf.Reserve();
            pdf.Put(id, "<< /Type /Annot /Subtype /Link /Rect " + rect(box) + " /Border [0 0 0] " + action + " >>");
            annotations[static_cast<size_t>(box.page) - 1].push_back(id);
        }
    }

    bool inverts = false;
    PaintOptions paint;
    paint.fillPage = false;  // paper is white already
    for (int page = 1; page <= count; ++page) {
        PdfSurface surface(fonts, pictures, d.page.height);
        PaintPage(surface, layout, d, page, PagePlacement{0, 0, 1.0}, paint);
        inverts = inverts || surface.Inverts();
        const int contents = pdf.Reserve();
        pdf.PutStream(contents, "", surface.Content());
        std::string body = "<< /Type /Page /Parent " + Ref(pages) + " /MediaBox [0 0 " + PdfNumber(width) + " " + PdfNumber(height) +
                           "] /Resources " + Ref(resources) + " /Contents " + Ref(contents);
        const auto& links = annotations[static_cast<size_t>(page) - 1];
        if (!links.empty()) {
            body += " /Annots [";
            for (size_t i = 0; i < links.size(); ++i) body += (i ? " " : "") + Ref(links[i]);
            body += "]";
        }
        pdf.Put(pageIds[static_cast<size_t>(page) - 1], body + " >>");
    }

    std::string fontDictionary, pictureDictionary;
    for (const PdfFonts::Face* face : fonts.Faces()) {
        if (face->cidOfGlyph.empty() && face->codes.empty()) continue;  // measured, never shown
        fontDictionary += " /F" + std::to_string(face->resource) + " " + Ref(WriteFont(pdf, *face, L"Font"));
    }
    for (const auto& [n, id] : pictures.Resources()) pictureDictionary += " /Im" + std::to_string(n) + " " + Ref(id);
    std::string res = "<< /ProcSet [/PDF /Text /ImageB /ImageC]";
    if (!fontDictionary.empty()) res += " /Font <<" + fontDictionary + " >>";
    if (!pictureDictionary.empty()) res += " /XObject <<" + pictureDictionary + " >>";
    if (inverts) res += " /ExtGState << /Inv << /Type /ExtGState /BM /Difference >> >>";
    pdf.Put(resources, res + " >>");

    std::string kids;
    for (size_t i = 0; i < pageIds.size(); ++i) kids += (i ? " " : "") + Ref(pageIds[i]);
    pdf.Put(pages, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>");
    pdf.Put(catalog, "<< /Type /Catalog /Pages " + Ref(pages) + " >>");
    std::wstring title;
    for (const auto& p : d.paragraphs) {
        for (wchar_t c : p.text)
            if (c >= 0x20 && c != kObjectChar && c != kPageNumberChar) title.push_back(c);
        if (!title.empty()) break;
    }
    std::string infoBody = "<< /Producer (Zorvik)";
    if (!title.empty()) infoBody += " /Title " + PdfText(title.substr(0, 200));
    pdf.Put(info, infoBody + " >>");
    return pdf.Finish(catalog, info);
}

}  // namespace tx
