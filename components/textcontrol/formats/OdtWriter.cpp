#include "components/textcontrol/formats/OdtWriter.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "components/textcontrol/formats/Markup.h"
#include "components/textcontrol/formats/RunEdges.h"

namespace tx {
namespace {


std::string Base64(std::string_view bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4 + bytes.size() / 57 + 1);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
        if ((i / 3 + 1) % 19 == 0) out += '\n';
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string Attr(std::wstring_view text) { return Escaped(text, true); }

// A paragraph style: the paragraph format without its list (the markup says that) and whether the
// paragraph starts a new page.
struct ParaKey {
    ParaFormat format;
    bool pageBefore = false;
    bool operator==(const ParaKey&) const = default;
};

ParaFormat WithoutList(ParaFormat f) {
    f.listKind = ListKind::None;
    f.listLevel = 0;
    f.numberStyle = NumberStyle::Arabic;
    f.listIndentStep = 360;
    return f;
}

// The levels of one list: what each level shows, and how far each level steps in.
struct ListLevels {
    ListKind kind[kMaxListLevel + 1] = {};
    NumberStyle style[kMaxListLevel + 1] = {};
    int step = 360;
    bool operator==(const ListLevels& o) const {
        return std::equal(std::begin(kind), std::end(kind), std::begin(o.kind)) &&
               std::equal(std::begin(style), std::end(style), std::begin(o.style)) && step == o.step;
    }
};

class OdtOut {
public:
    explicit OdtOut(const Document& d) : d_(d) {}

    std::string Write() {
        // The body and the page styles first: they decide which automatic styles exist.
        std::string body = Body();
        std::string header = StoryText(d_.header), footer = StoryText(d_.footer);

        std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out += "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
               " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
               " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
               " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
               " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
               " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
               " xmlns:xlink=\"http://www.w3.org/1999/xlink\""
               " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
               " office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.text\">\n";
        const std::string named = NamedStyles();
        out += FontFaces();
        out += named;
        out += "<office:automatic-styles>\n" + automatic_ + PageLayout() + "</office:automatic-styles>\n";
        out += "<office:master-styles><style:master-page style:name=\"Standard\" style:page-layout-name=\"pm1\">";
        if (!header.empty()) out += "<style:header>" + header + "</style:header>";
        if (!footer.empty()) out += "<style:footer>" + footer + "</style:footer>";
        out += "</style:master-page></office:master-styles>\n";
        out += "<office:body><office:text>\n" + body + "</office:text></office:body>\n</office:document>\n";
        return out;
    }

private:
    // ---- styles

    std::string FontName(const std::wstring& face) {
        faces_.insert(face);
        return Attr(face);
    }

    std::string TextProperties(const CharFormat& f) {
        std::string r = "<style:text-properties style:font-name=\"" + FontName(f.face) + "\" fo:font-size=\"" +
                        Points(f.size) + "\" fo:font-weight=\"" + (f.bold ? "bold" : "normal") + "\" fo:font-style=\"" +
                        (f.italic ? "italic" : "normal") + "\"";
        if (f.underline) r += " style:text-underline-style=\"solid\" style:text-underline-width=\"auto\" style:text-underline-color=\"font-color\"";
        if (f.strike) r += " style:text-line-through-style=\"solid\"";
        r += " fo:color=\"" + HexColor(f.color) + "\"";
        if (f.backColor != kNoColor) r += " fo:background-color=\"" + HexColor(f.backColor) + "\"";
        return r + "/>";
    }

    std::string ParagraphProperties(const ParaFormat& f, bool pageBefore) {
        static const char* kAlign[] = {"start", "end", "center", "justify"};
        std::string r = std::string("<style:paragraph-properties fo:text-align=\"") + kAlign[static_cast<int>(f.align)] +
                        "\" fo:margin-left=\"" + Points(f.leftIndent) + "\" fo:margin-right=\"" + Points(f.rightIndent) +
                        "\" fo:text-indent=\"" + Points(f.firstIndent) + "\" fo:margin-top=\"" + Points(f.spaceBefore) +
                        "\" fo:margin-bottom=\"" + Points(f.spaceAfter) + "\"";
        if (f.lineSpacing != 100) r += " fo:line-height=\"" + std::to_string(f.lineSpacing) + "%\"";
        if (pageBefore) r += " fo:break-before=\"page\"";
        if (f.frameStyle & frame::kLineBits) {
            const bool dbl = f.frameStyle & frame::kDouble;
            const std::string line = Points(std::max(1, f.frameLineWidth) * (dbl ? 3 : 1)) + (dbl ? " double " : " solid ") + "#000000";
            const std::pair<std::uint16_t, const char*> sides[] = {
                {frame::kLeft, "left"}, {frame::kRight, "right"}, {frame::kTop, "top"}, {frame::kBottom, "bottom"}};
            for (auto [bit, side] : sides) {
                r += std::string(" fo:border-") + side + "=\"" + ((f.frameStyle & bit) ? line : std::string("none")) + "\"";
                if (f.frameStyle & bit) r += std::string(" fo:padding-") + side + "=\"" + Points(f.frameDistance) + "\"";
            }
            r += " style:join-border=\"false\"";
        }
        if (f.tabs.empty()) return r + "/>";
        r += "><style:tab-stops>";
        static const char* kTab[] = {"left", "right", "center", "char"};
        for (const auto& t : f.tabs) {
            r += "<style:tab-stop style:position=\"" + Points(t.position) + "\" style:type=\"" + kTab[static_cast<int>(t.kind)] + "\"";
            if (t.kind == TabKind::Decimal) r += " style:char=\".\"";
            r += "/>";
        }
        return r + "</style:tab-stops></style:paragraph-properties>";
    }

    std::string NamedStyleName(const std::wstring& name) const {
        for (size_t i = 0; i < d_.styles.size(); ++i)
            if (d_.styles[i].name == name) return "S" + std::to_string(i + 1);
        return {};
    }

    std::string NamedStyles() {
        std::string r = "<office:styles>\n<style:default-style style:family=\"paragraph\">"
                        "<style:paragraph-properties style:tab-stop-distance=\"36pt\"/>" +
                        TextProperties(d_.charFormats[0]) + "</style:default-style>\n";
        for (size_t i = 0; i < d_.styles.size(); ++i) {
            const Style& s = d_.styles[i];
            r += "<style:style style:name=\"S" + std::to_string(i + 1) + "\" style:display-name=\"" + Attr(s.name) +
                 "\" style:family=\"paragraph\">" + ParagraphProperties(WithoutList(s.para), false) +
                 TextProperties(s.chars) + "</style:style>\n";
        }
        return r + "</office:styles>\n";
    }

    std::string FontFaces() const {
        std::string r = "<office:font-face-decls>";
        for (const auto& face : faces_) {
            std::wstring family = L"'";
            for (wchar_t c : face) {
                if (c == L'\'') family += L"\\";
                family += c;
            }
            family += L"'";
            r += "<style:font-face style:name=\"" + Attr(face) + "\" svg:font-family=\"" + Attr(family) + "\"/>";
        }
        return r + "</office:font-face-decls>\n";
    }

    std::string TextStyle(std::uint32_t index) {
        if (index >= d_.charFormats.size()) index = 0;
        auto [it, added] = textStyles_.emplace(index, "T" + std::to_string(index));
        if (added)
            automatic_ += "<style:style style:name=\"" + it->second + "\" style:family=\"text\">" +
                          TextProperties(d_.charFormats[index]) + "</style:style>\n";
        return it->second;
    }

    std::string ParagraphStyle(const ParaFormat& f, bool pageBefore) {
        ParaKey key{WithoutList(f), pageBefore};
        if (f.listKind != ListKind::None) {
            // A paragraph's own indents win over its list's: they say where the marker and the text
            // stand, as the control lays them out.
            key.format.leftIndent = f.leftIndent + (f.listLevel + 1) * f.listIndentStep;
            key.format.firstIndent = -f.listIndentStep;
        }
        auto it = std::find(paraStyles_.begin(), paraStyles_.end(), key);
        const std::string name = "P" + std::to_string((it == paraStyles_.end() ? paraStyles_.size() : it - paraStyles_.begin()) + 1);
        if (it == paraStyles_.end()) {
            paraStyles_.push_back(key);
            automatic_ += "<style:style style:name=\"" + name + "\" style:family=\"paragraph\"";
            if (const std::string parent = NamedStyleName(f.styleName); !parent.empty())
                automatic_ += " style:parent-style-name=\"" + parent + "\"";
            automatic_ += ">" + ParagraphProperties(key.format, pageBefore) + "</style:style>\n";
        }
        return name;
    }

    std::string ListStyle(const ListLevels& levels) {
        auto it = std::find(listStyles_.begin(), listStyles_.end(), levels);
        const std::string name = "L" + std::to_string((it == listStyles_.end() ? listStyles_.size() : it - listStyles_.begin()) + 1);
        if (it != listStyles_.end()) return name;
        listStyles_.push_back(levels);
        automatic_ += "<text:list-style style:name=\"" + name + "\">";
        for (int level = 0; level <= kMaxListLevel; ++level) {
            const std::string geometry =
                "<style:list-level-properties text:list-level-position-and-space-mode=\"label-alignment\">"
                "<style:list-level-label-alignment text:label-followed-by=\"listtab\" text:list-tab-stop-position=\"" +
                Points(static_cast<long long>(level + 1) * levels.step) + "\" fo:text-indent=\"" + Points(-levels.step) +
                "\" fo:margin-left=\"" + Points(static_cast<long long>(level + 1) * levels.step) +
                "\"/></style:list-level-properties>";
            const std::string at = " text:level=\"" + std::to_string(level + 1) + "\"";
            if (levels.kind[level] == ListKind::Numbered) {
                static const char* kFormat[] = {"1", "A", "a", "I", "i"};
                automatic_ += "<text:list-level-style-number" + at + " style:num-suffix=\".\" style:num-format=\"" +
                              kFormat[static_cast<int>(levels.style[level])] + "\">" + geometry +
                              "</text:list-level-style-number>";
            } else {
                automatic_ += "<text:list-level-style-bullet" + at + " text:bullet-char=\"\xE2\x80\xA2\">" + geometry +
                              "</text:list-level-style-bullet>";
            }
        }
        automatic_ += "</text:list-style>\n";
        return name;
    }

    std::string CellStyle(CellAttributes a) {
        a.gridWidth = 0;  // grid lines are the control's own view of a table, never printed
        auto it = std::find(cellStyles_.begin(), cellStyles_.end(), a);
        const std::string name = "K" + std::to_string((it == cellStyles_.end() ? cellStyles_.size() : it - cellStyles_.begin()) + 1);
        if (it != cellStyles_.end()) return name;
        cellStyles_.push_back(a);
        automatic_ += "<style:style style:name=\"" + name + "\" style:family=\"table-cell\"><style:table-cell-properties fo:padding=\"3pt\"";
        const std::pair<int, const char*> sides[] = {
            {a.leftBorder, "left"}, {a.topBorder, "top"}, {a.rightBorder, "right"}, {a.bottomBorder, "bottom"}};
        for (auto [width, side] : sides)
            automatic_ += std::string(" fo:border-") + side + "=\"" + (width > 0 ? Points(width) + " solid #000000" : std::string("none")) + "\"";
        if (a.background != kNoColor) automatic_ += " fo:background-color=\"" + HexColor(a.background) + "\"";
        automatic_ += "/></style:style>\n";
        return name;
    }

    // The height a story will take, for the room between it and the body: its lines at about 1.15
    // times their largest font.
    int StoryHeight(const Story& story) const {
        long long height = 0;
        for (const auto& p : story.paragraphs) {
            int size = d_.charFormats[0].size;
            for (auto f : p.formats) size = std::max(size, d_.charFormats[f < d_.charFormats.size() ? f : 0].size);
            const long long lines = 1 + std::count(p.text.begin(), p.text.end(), kLineBreak);
            height += lines * size * 115 / 100 * p.format.lineSpacing / 100 + p.format.spaceBefore + p.format.spaceAfter;
        }
        return static_cast<int>(std::min<long long>(height, 1 << 24));
    }

    std::string PageLayout() const {
        const PageSetup& pg = d_.page;
        // The header starts in the middle of the top margin and the footer ends in the middle of the
        // bottom one, as the control prints them; the body keeps its margins.
        const int headerTop = d_.header.Empty() ? pg.marginTop : std::min(720, pg.marginTop / 2);
        const int footerBottom = d_.footer.Empty() ? pg.marginBottom : std::min(720, pg.marginBottom / 2);
        std::string r = "<style:page-layout style:name=\"pm1\"><style:page-layout-properties fo:page-width=\"" +
                        Points(pg.width) + "\" fo:page-height=\"" + Points(pg.height) + "\" fo:margin-left=\"" +
                        Points(pg.marginLeft) + "\" fo:margin-right=\"" + Points(pg.marginRight) + "\" fo:margin-top=\"" +
                        Points(headerTop) + "\" fo:margin-bottom=\"" + Points(footerBottom) +
                        "\" style:print-orientation=\"" + (pg.width > pg.height ? "landscape" : "portrait") + "\"/>";
        if (!d_.header.Empty()) {
            const int h = StoryHeight(d_.header);
            r += "<style:header-style><style:header-footer-properties fo:min-height=\"" + Points(h) +
                 "\" fo:margin-bottom=\"" + Points(std::max(0, pg.marginTop - headerTop - h)) +
                 "\" style:dynamic-spacing=\"false\"/></style:header-style>";
        }
        if (!d_.footer.Empty()) {
            const int h = StoryHeight(d_.footer);
            r += "<style:footer-style><style:header-footer-properties fo:min-height=\"" + Points(h) +
                 "\" fo:margin-top=\"" + Points(std::max(0, pg.marginBottom - footerBottom - h)) +
                 "\" style:dynamic-spacing=\"false\"/></style:footer-style>";
        }
        return r + "</style:page-layout>\n";
    }

    // ---- text

    // Characters of a paragraph from `from` to `to`, in spans of their formats, with their fields,
    // marks and pictures. `start` is the paragraph's first body position, -1 in a header or footer.
    void Characters(std::string& out, const Paragraph& p, int start, int from, int to) {
        const Field* open = nullptr;
        bool linkOpen = false;
        bool afterSpace = true;  // a paragraph's leading blanks are folded away too
        auto marksAt = [&](int offset) {
            if (start < 0) return;
            for (const auto& m : d_.marks)
                if (m.position == start + offset) out += "<text:bookmark text:name=\"" + Attr(m.name) + "\"/>";
        };
        auto fixedAt = [&](int offset) {
            if (start < 0) return;
            for (const auto& o : d_.objects)
                if (o.fixed && o.anchor == start + offset) Picture(out, o);
        };
        for (int i = from; i < to;) {
            marksAt(i);
            fixedAt(i);
            if (start >= 0 && !open) {
                if (const Field* f = edges_.FieldStartingAt(start + i)) {
                    open = f;
                    std::wstring href;
                    if (f->kind == kLinkAnchor) href = L"#" + f->target;
                    else if (f->kind == kLinkAddress) href = f->target;
                    if (!href.empty() || f->kind == kLinkAnchor) {
                        out += "<text:a xlink:type=\"simple\" xlink:href=\"" + Attr(href) + "\">";
                        linkOpen = true;
                    }
                }
            }
            const wchar_t c = p.text[static_cast<size_t>(i)];
            if (c == kObjectChar) {
                if (start >= 0)
                    for (const auto& o : d_.objects)
                        if (!o.fixed && o.anchor == start + i) Picture(out, o);
                afterSpace = false;
                ++i;
            } else {
                int j = i + 1;
                while (j < to && p.formats[static_cast<size_t>(j)] == p.formats[static_cast<size_t>(i)] &&
                       p.text[static_cast<size_t>(j)] != kObjectChar &&
                       !(start >= 0 && edges_.At(start + j)))
                    ++j;
                out += "<text:span text:style-name=\"" + TextStyle(p.formats[static_cast<size_t>(i)]) + "\">";
                std::wstring plain;
                auto flush = [&] {
                    AppendEscaped(out, plain);
                    plain.clear();
                };
                for (int k = i; k < j; ++k) {
                    const wchar_t ch = p.text[static_cast<size_t>(k)];
                    if (ch == L' ') {
                        // Word processors fold a row of blanks into one: the second and later are counted.
                        if (afterSpace) {
                            flush();
                            out += "<text:s/>";
                        } else {
                            plain.push_back(ch);
                        }
                        afterSpace = true;
                        continue;
                    }
                    afterSpace = false;
                    if (ch == L'\t') {
                        flush();
                        out += "<text:tab/>";
                    } else if (ch == kLineBreak || ch == kPageBreak) {
                        flush();
                        out += "<text:line-break/>";
                        afterSpace = true;
                    } else if (ch == kPageNumberChar) {
                        flush();
                        if (start < 0) out += "<text:page-number text:select-page=\"current\">1</text:page-number>";
                    } else {
                        plain.push_back(ch);
                    }
                }
                flush();
                out += "</text:span>";
                i = j;
            }
            if (open && start + i >= open->start + open->length) {
                if (linkOpen) out += "</text:a>";
                linkOpen = false;
                open = nullptr;
            }
        }
        if (linkOpen) out += "</text:a>";
        marksAt(to);
        fixedAt(to);
    }

    void Picture(std::string& out, const Object& o) {
        if (o.kind != ObjectKind::Image || !o.image || o.imageType == ImageType::Unknown) return;
        const std::string style = o.fixed ? (o.textFlow ? "Fr2" : "Fr1") : "Fr3";
        graphicStyles_.insert(style);
        out += "<draw:frame draw:style-name=\"" + style + "\" draw:name=\"Picture" + std::to_string(++pictures_) + "\"";
        if (o.fixed)
            out += " text:anchor-type=\"paragraph\" svg:x=\"" + Points(o.x) + "\" svg:y=\"" + Points(o.y) + "\"";
        else
            out += " text:anchor-type=\"as-char\"";
        out += " svg:width=\"" + Points(std::max(1, o.ShownWidth())) + "\" svg:height=\"" + Points(std::max(1, o.ShownHeight())) +
               "\" draw:z-index=\"" + std::to_string(pictures_) + "\"><draw:image><office:binary-data>" +
               Base64(*o.image) + "</office:binary-data></draw:image></draw:frame>";
    }

    std::string GraphicStyles() const {
        std::string r;
        // Placed on the page, text flowing around or over it; or standing in the line as a character.
        if (graphicStyles_.count("Fr1"))
            r += "<style:style style:name=\"Fr1\" style:family=\"graphic\"><style:graphic-properties style:wrap=\"parallel\""
                 " style:vertical-pos=\"from-top\" style:vertical-rel=\"page\" style:horizontal-pos=\"from-left\""
                 " style:horizontal-rel=\"page\"/></style:style>\n";
        if (graphicStyles_.count("Fr2"))
            r += "<style:style style:name=\"Fr2\" style:family=\"graphic\"><style:graphic-properties style:wrap=\"run-through\""
                 " style:run-through=\"foreground\" style:vertical-pos=\"from-top\" style:vertical-rel=\"page\""
                 " style:horizontal-pos=\"from-left\" style:horizontal-rel=\"page\"/></style:style>\n";
        if (graphicStyles_.count("Fr3"))
            r += "<style:style style:name=\"Fr3\" style:family=\"graphic\"><style:graphic-properties"
                 " style:vertical-pos=\"top\" style:vertical-rel=\"baseline\"/></style:style>\n";
        return r;
    }

    // One paragraph; a page break in it starts the rest on a new page (in a table cell, where no page
    // can begin, it ends the line). `pageBefore`: the paragraph itself starts a new page.
    void ParagraphElements(std::string& out, const Paragraph& p, int start, bool inCell, bool pageBefore) {
        const int n = static_cast<int>(p.text.size());
        int from = 0;
        do {
            int to = from;
            while (to < n && (inCell || p.text[static_cast<size_t>(to)] != kPageBreak)) ++to;
            out += "<text:p text:style-name=\"" + ParagraphStyle(p.format, pageBefore) + "\">";
            Characters(out, p, start, from, to);
            out += "</text:p>";
            pageBefore = true;
            from = to + 1;
        } while (from < n);
    }

    std::string StoryText(const Story& story) {
        std::string out;
        for (const auto& p : story.paragraphs) ParagraphElements(out, p, -1, true, false);
        return out;
    }

    // The levels of the list that starts at paragraph `first`, as its items use them.
    ListLevels LevelsFrom(int first) const {
        ListLevels levels;
        bool seen[kMaxListLevel + 1] = {};
        levels.step = d_.paragraphs[static_cast<size_t>(first)].format.listIndentStep;
        for (int i = first; i < d_.ParagraphCount(); ++i) {
            const Paragraph& p = d_.paragraphs[static_cast<size_t>(i)];
            if (p.cell.table != 0 || p.format.listKind == ListKind::None) break;
            const int level = p.format.listLevel;
            if (!seen[level]) {
                seen[level] = true;
                levels.kind[level] = p.format.listKind;
                levels.style[level] = p.format.numberStyle;
            } else if (levels.kind[level] != p.format.listKind || levels.style[level] != p.format.numberStyle) {
                break;
            }
        }
        for (int level = 0; level <= kMaxListLevel; ++level)
            if (!seen[level]) levels.kind[level] = ListKind::Bullet;
        return levels;
    }

    std::string Body() {
        std::string out;
        int start = 0;
        bool pageBefore = false;
        int listDepth = 0;  // list elements open; each level's item stays open for a deeper list
        std::optional<ListLevels> list;
        auto closeLists = [&](int keep) {
            while (listDepth > keep) {
                out += "</text:list-item></text:list>";
                --listDepth;
            }
            if (listDepth == 0) list.reset();
        };
        const int count = d_.ParagraphCount();
        for (int i = 0; i < count;) {
            const Paragraph& p = d_.paragraphs[static_cast<size_t>(i)];
            if (p.cell.table != 0) {
                closeLists(0);
                i = Table(out, i, start);
                out += "\n";
                continue;
            }
            const ParaFormat& f = p.format;
            if (f.listKind != ListKind::None) {
                const int level = f.listLevel;
                if (list && (list->kind[level] != f.listKind || list->style[level] != f.numberStyle)) closeLists(0);
                if (!list) {
                    list = LevelsFrom(i);
                    out += "<text:list text:style-name=\"" + ListStyle(*list) + "\"><text:list-item>";
                    listDepth = 1;
                } else if (listDepth > level + 1) {
                    closeLists(level + 1);
                    out += "</text:list-item><text:list-item>";
                } else if (listDepth == level + 1) {
                    out += "</text:list-item><text:list-item>";
                }
                while (listDepth < level + 1) {
                    out += "<text:list><text:list-item>";
                    ++listDepth;
                }
            } else {
                closeLists(0);
            }
            ParagraphElements(out, p, start, false, pageBefore);
            if (f.listKind == ListKind::None) out += "\n";
            pageBefore = !p.text.empty() && p.text.back() == kPageBreak;
            start += static_cast<int>(p.text.size()) + 1;
            ++i;
        }
        closeLists(0);
        automatic_ += GraphicStyles();
        return out;
    }

    int Table(std::string& out, int first, int& start) {
        const int id = d_.paragraphs[static_cast<size_t>(first)].cell.table;
        const tx::Table* t = d_.FindTable(id);
        int end = first;
        while (end < d_.ParagraphCount() && d_.paragraphs[static_cast<size_t>(end)].cell.table == id) ++end;
        const std::string name = "Tb" + std::to_string(id);
        long long total = 0;
        for (int w : t->columnWidths) total += w;
        automatic_ += "<style:style style:name=\"" + name + "\" style:family=\"table\"><style:table-properties style:width=\"" +
                      Points(total) + "\" table:align=\"left\"/></style:style>\n";
        out += "<table:table table:name=\"Table" + std::to_string(++tables_) + "\" table:style-name=\"" + name + "\">";
        for (int c = 0; c < t->cols; ++c) {
            const std::string column = name + "." + std::to_string(c + 1);
            automatic_ += "<style:style style:name=\"" + column + "\" style:family=\"table-column\"><style:table-column-properties style:column-width=\"" +
                          Points(t->columnWidths[static_cast<size_t>(c)]) + "\"/></style:style>\n";
            out += "<table:table-column table:style-name=\"" + column + "\"/>";
        }
        int row = 0;
        CellRef cell{};
        for (int i = first; i < end; ++i) {
            const Paragraph& p = d_.paragraphs[static_cast<size_t>(i)];
            if (!(p.cell == cell)) {
                if (cell.table) out += "</table:table-cell>";
                if (p.cell.row != row) {
                    if (row) out += "</table:table-row>";
                    out += "<table:table-row>";
                    row = p.cell.row;
                }
                out += "<table:table-cell table:style-name=\"" + CellStyle(t->Cell(p.cell.row, p.cell.col)) +
                       "\" office:value-type=\"string\">";
                cell = p.cell;
            }
            ParagraphElements(out, p, start, true, false);
            start += static_cast<int>(p.text.size()) + 1;
        }
        out += "</table:table-cell></table:table-row></table:table>";
        return end;
    }

    const Document& d_;
    std::string automatic_;
    std::set<std::wstring> faces_;
    std::map<std::uint32_t, std::string> textStyles_;
    std::vector<ParaKey> paraStyles_;
    std::vector<ListLevels> listStyles_;
    std::vector<CellAttributes> cellStyles_;
    std::set<std::string> graphicStyles_;
    RunEdges edges_{d_};
    int pictures_ = 0;
    int tables_ = 0;
};

}  // namespace

std::string WriteOdt(const Document& document) { return OdtOut(document).Write(); }

}  // namespace tx
