#include "components/textcontrol/formats/HtmlWriter.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "components/textcontrol/formats/Markup.h"
#include "components/textcontrol/formats/RunEdges.h"

namespace tx {
namespace {

// A font family name as a CSS string.
std::string FamilyString(std::wstring_view face) {
    std::string out = "\"";
    ForEachCodePoint(face, [&](char32_t c) {
        if (c == U'"' || c == U'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c != 0x7F && IsXmlChar(c)) {
            AppendUtf8(out, c);
        }
    });
    return out + "\"";
}

const char* GenericFamily(std::wstring_view face) {
    if (face.find(L"Courier") != std::wstring_view::npos || face.find(L"Mono") != std::wstring_view::npos ||
        face == L"Consolas" || face == L"Lucida Console")
        return "monospace";
    if (face.find(L"Times") != std::wstring_view::npos || face.find(L"Serif") != std::wstring_view::npos ||
        face == L"Georgia" || face == L"Garamond" || face == L"Cambria")
        return "serif";
    return "sans-serif";
}

const char* ImageExtension(ImageType type) {
    switch (type) {
    case ImageType::Png: return "png";
    case ImageType::Jpeg: return "jpg";
    case ImageType::Bmp: return "bmp";
    case ImageType::Gif: return "gif";
    case ImageType::Wmf: return "wmf";
    case ImageType::Emf: return "emf";
    case ImageType::Tiff: return "tif";
    case ImageType::Unknown: break;
    }
    return nullptr;
}

// What a paragraph class holds: the paragraph format without what the markup says itself (the
// list, written as list elements) and without the style's name.
ParaFormat ClassPart(ParaFormat f) {
    f.listKind = ListKind::None;
    f.listLevel = 0;
    f.numberStyle = NumberStyle::Arabic;
    f.listIndentStep = 360;
    f.styleName.clear();
    return f;
}

// Builds the style sheet and the class names of the formats the page uses.
class StyleSheet {
public:
    explicit StyleSheet(const Document& d) : d_(d) {
        for (const auto& p : d.paragraphs) ParagraphClass(p.format);
        for (const auto& t : d.tables)
            for (const auto& c : t.cells) CellClass(c);
    }

    std::string CharClass(std::uint32_t index) const {
        return "c" + std::to_string(index < d_.charFormats.size() ? index : 0);
    }
    std::string ParagraphClass(const ParaFormat& f) {
        const ParaFormat key = ClassPart(f);
        auto it = std::find(paragraphs_.begin(), paragraphs_.end(), key);
        if (it == paragraphs_.end()) it = paragraphs_.insert(paragraphs_.end(), key);
        return "p" + std::to_string(it - paragraphs_.begin());
    }
    std::string CellClass(CellAttributes a) {
        a.gridWidth = 0;  // grid lines are the control's own view of a table, never printed
        auto it = std::find(cells_.begin(), cells_.end(), a);
        if (it == cells_.end()) it = cells_.insert(cells_.end(), a);
        return "k" + std::to_string(it - cells_.begin());
    }

    std::string Text() const {
        const PageSetup& pg = d_.page;
        const CharFormat& base = d_.charFormats[0];
        std::string css;
        css += "@page { size: " + Points(pg.width) + " " + Points(pg.height) + "; margin: " + Points(pg.marginTop) + " " +
               Points(pg.marginRight) + " " + Points(pg.marginBottom) + " " + Points(pg.marginLeft) + "; }\n";
        // On paper the page's margins frame the body; on screen the body gets them itself. Pictures
        // placed on the page stand relative to the text area's corner.
        css += "body { margin: 0; position: relative; font-family: " + FamilyString(base.face) + ", " +
               GenericFamily(base.face) + "; font-size: " + Points(base.size) + "; }\n";
        css += "@media screen { body { margin: " + Points(pg.marginTop) + " " + Points(pg.marginRight) + " " +
               Points(pg.marginBottom) + " " + Points(pg.marginLeft) + "; max-width: " +
               Points(std::max(pg.width - pg.marginLeft - pg.marginRight, 20)) + "; } }\n";
        css += "p { margin: 0; white-space: pre-wrap; tab-size: 36pt; }\n";
        css += "p:empty::after { content: \"\\a0\"; }\n";  // an empty paragraph still takes its line
        css += "ul, ol { margin: 0; }\n";
        css += "table { border-collapse: collapse; table-layout: fixed; }\n";
        css += "td { vertical-align: top; padding: 3pt; }\n";
        css += "img { border: 0; }\n";
        for (size_t i = 0; i < d_.charFormats.size(); ++i) css += CharRule(i);
        for (size_t i = 0; i < paragraphs_.size(); ++i) css += ParagraphRule(i);
        for (size_t i = 0; i < cells_.size(); ++i) css += CellRule(i);
        return css;
    }

private:
    std::string CharRule(size_t index) const {
        const CharFormat& f = d_.charFormats[index];
        std::string r = ".c" + std::to_string(index) + " { font-family: " + FamilyString(f.face) + ", " +
                        GenericFamily(f.face) + "; font-size: " + Points(f.size) + ";";
        r += f.bold ? " font-weight: bold;" : " font-weight: normal;";
        r += f.italic ? " font-style: italic;" : " font-style: normal;";
        if (f.underline || f.strike)
            r += std::string(" text-decoration: ") + (f.underline ? "underline" : "") + (f.underline && f.strike ? " " : "") +
                 (f.strike ? "line-through" : "") + ";";
        r += " color: " + HexColor(f.color) + ";";
        if (f.backColor != kNoColor) r += " background-color: " + HexColor(f.backColor) + ";";
        return r + " }\n";
    }

    std::string ParagraphRule(size_t index) const {
        const ParaFormat& f = paragraphs_[index];
        static const char* kAlign[] = {"left", "right", "center", "justify"};
        std::string r = ".p" + std::to_string(index) + " { text-align: " + kAlign[static_cast<int>(f.align)] + ";";
        if (f.leftIndent) r += " margin-left: " + Points(f.leftIndent) + ";";
        if (f.rightIndent) r += " margin-right: " + Points(f.rightIndent) + ";";
        if (f.firstIndent) r += " text-indent: " + Points(f.firstIndent) + ";";
        if (f.spaceBefore) r += " margin-top: " + Points(f.spaceBefore) + ";";
        if (f.spaceAfter) r += " margin-bottom: " + Points(f.spaceAfter) + ";";
        if (f.lineSpacing != 100) {
            // A single line is about 1.15 times the font's size.
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.2f", 1.15 * f.lineSpacing / 100.0);
            r += std::string(" line-height: ") + buffer + ";";
        }
        if (f.frameStyle & frame::kLineBits) {
            const bool dbl = f.frameStyle & frame::kDouble;
            // A double frame is two lines a line's width apart: three widths in all.
            const std::string line = Points(std::max(1, f.frameLineWidth) * (dbl ? 3 : 1)) + (dbl ? " double " : " solid ") +
                                     "#000000";
            const std::pair<std::uint16_t, const char*> sides[] = {
                {frame::kLeft, "left"}, {frame::kRight, "right"}, {frame::kTop, "top"}, {frame::kBottom, "bottom"}};
            for (auto [bit, side] : sides) {
                if (!(f.frameStyle & bit)) continue;
                r += std::string(" border-") + side + ": " + line + ";";
                if (f.frameDistance) r += std::string(" padding-") + side + ": " + Points(f.frameDistance) + ";";
            }
        }
        return r + " }\n";
    }

    std::string CellRule(size_t index) const {
        const CellAttributes& a = cells_[index];
        std::string r = ".k" + std::to_string(index) + " {";
        const std::pair<int, const char*> sides[] = {
            {a.leftBorder, "left"}, {a.topBorder, "top"}, {a.rightBorder, "right"}, {a.bottomBorder, "bottom"}};
        for (auto [width, side] : sides)
            r += std::string(" border-") + side + ": " + (width > 0 ? Points(width) + " solid #000000" : std::string("none")) + ";";
        if (a.background != kNoColor) r += " background-color: " + HexColor(a.background) + ";";
        return r + " }\n";
    }

    const Document& d_;
    std::vector<ParaFormat> paragraphs_;
    std::vector<CellAttributes> cells_;
};

bool IsDigits(std::wstring_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// A relative address: characters that would end or change it are %-escaped, as UTF-8.
std::string UrlPath(std::wstring_view path) {
    std::string out;
    for (unsigned char b : EncodeUtf8(path)) {
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' || b == '_' ||
            b == '.' || b == '~' || b == '/') {
            out.push_back(static_cast<char>(b));
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

class HtmlOut {
public:
    HtmlOut(const Document& d, std::wstring_view pictureFolder) : d_(d), sheet_(d), folder_(pictureFolder) {}

    HtmlPage Write() {
        HtmlPage page;
        out_ += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
        AppendEscaped(out_, Title());
        out_ += "</title>\n<style>\n";
        out_ += sheet_.Text();
        out_ += "</style>\n</head>\n<body>\n";
        Body();
        CloseLists(-1);
        out_ += "</body>\n</html>\n";
        page.html = std::move(out_);
        page.pictures = std::move(pictures_);
        return page;
    }

private:
    std::wstring Title() const {
        for (const auto& p : d_.paragraphs) {
            std::wstring t;
            for (wchar_t c : p.text)
                if (c >= 0x20 && c != kObjectChar && c != kPageNumberChar) t.push_back(c);
            while (!t.empty() && t.back() == L' ') t.pop_back();
            if (!t.empty()) return t.size() > 80 ? t.substr(0, 80) : t;
        }
        return L"Document";
    }

    // ---- lists: one open list element per level, each inside the open item of the level above

    struct OpenList {
        ListKind kind;
        NumberStyle style;
    };

    void CloseLists(int keepLevels) {
        while (static_cast<int>(lists_.size()) > keepLevels && !lists_.empty()) {
            out_ += "</li>";
            out_ += lists_.back().kind == ListKind::Bullet ? "</ul>\n" : "</ol>\n";
            lists_.pop_back();
        }
    }

    void OpenListElement(ListKind kind, NumberStyle style) {
        if (kind == ListKind::Bullet) {
            out_ += "<ul>";
        } else {
            static const char* kType[] = {"1", "A", "a", "I", "i"};
            out_ += "<ol type=\"";
            out_ += kType[static_cast<int>(style)];
            out_ += "\">";
        }
        lists_.push_back({kind, style});
    }

    // Opens the item a list paragraph is written in (the caller closes nothing: the next item or
    // the end of the list does).
    void ListItem(const ParaFormat& f) {
        const int level = f.listLevel;
        // A list of another kind or numbering style at this level ends the one that is open.
        if (static_cast<int>(lists_.size()) > level + 1) CloseLists(level + 1);
        if (static_cast<int>(lists_.size()) == level + 1 &&
            (lists_.back().kind != f.listKind || (f.listKind == ListKind::Numbered && lists_.back().style != f.numberStyle)))
            CloseLists(level);
        if (static_cast<int>(lists_.size()) == level + 1) {
            out_ += "</li>\n";
        } else {
            // Levels with no item of their own get an unmarked one to hold the deeper list.
            while (static_cast<int>(lists_.size()) < level) {
                OpenListElement(f.listKind, f.numberStyle);
                out_ += "<li style=\"list-style-type: none\">";
            }
            OpenListElement(f.listKind, f.numberStyle);
        }
        out_ += "<li>";
    }

    // ---- body

    void Body() {
        int start = 0;
        const int count = d_.ParagraphCount();
        for (int i = 0; i < count;) {
            const Paragraph& p = d_.paragraphs[static_cast<size_t>(i)];
            if (p.cell.table != 0) {
                CloseLists(0);
                i = Table(i, start);
                continue;
            }
            if (p.format.listKind != ListKind::None) ListItem(p.format);
            else CloseLists(0);
            ParagraphElement(p, start);
            start += static_cast<int>(p.text.size()) + 1;
            ++i;
        }
    }

    void ParagraphElement(const Paragraph& p, int start) {
        out_ += "<p class=\"" + sheet_.ParagraphClass(p.format) + "\">";
        Runs(p, start);
        out_ += "</p>\n";
    }

    // Writes the table starting at paragraph `first`; returns the paragraph after it.
    int Table(int first, int& start) {
        const int id = d_.paragraphs[static_cast<size_t>(first)].cell.table;
        const tx::Table* t = d_.FindTable(id);
        int end = first;
        while (end < d_.ParagraphCount() && d_.paragraphs[static_cast<size_t>(end)].cell.table == id) ++end;
        long long total = 0;
        for (int w : t->columnWidths) total += w;
        out_ += "<table style=\"width: " + Points(total) + "\">\n<colgroup>";
        // The width twice: as a style for browsers, in pixels for word processors that read only that.
        for (int w : t->columnWidths)
            out_ += "<col width=\"" + std::to_string(std::max(1, w / 15)) + "\" style=\"width: " + Points(w) + "\">";
        out_ += "</colgroup>\n";
        int row = 0;
        CellRef cell{};
        for (int i = first; i < end; ++i) {
            const Paragraph& p = d_.paragraphs[static_cast<size_t>(i)];
            if (!(p.cell == cell)) {
                if (cell.table) out_ += "</td>";
                if (p.cell.row != row) {
                    if (row) out_ += "</tr>\n";
                    out_ += "<tr>";
                    row = p.cell.row;
                }
                out_ += "<td class=\"" + sheet_.CellClass(t->Cell(p.cell.row, p.cell.col)) + "\">";
                cell = p.cell;
            }
            ParagraphElement(p, start);
            start += static_cast<int>(p.text.size()) + 1;
        }
        out_ += "</td></tr>\n</table>\n";
        return end;
    }

    void MarksAt(int position) {
        for (const auto& m : d_.marks) {
            if (m.position != position) continue;
            out_ += "<a id=\"";
            AppendEscaped(out_, m.name, true);
            out_ += "\"></a>";
        }
    }

    void LinkStart(const Field& f) {
        std::wstring address;
        if (f.kind == kLinkAnchor) address = L"#" + f.target;
        else if (f.kind == kLinkAddress) address = HtmlLinkAddress(f.target);
        else return;
        out_ += "<a href=\"";
        AppendEscaped(out_, address, true);
        out_ += "\">";
        linkOpen_ = true;
    }

    void Picture(const Object& o) {
        const char* ext = ImageExtension(o.imageType);
        if (!o.image || !ext) return;
        const std::wstring file = L"image" + std::to_wstring(pictures_.size() + 1) + L"." +
                                  std::wstring(ext, ext + std::char_traits<char>::length(ext));
        const std::wstring name = folder_.empty() ? file : folder_ + L"/" + file;
        pictures_.push_back({name, *o.image});
        // Pixels at 96 per inch: 15 twips each.
        out_ += "<img src=\"" + UrlPath(name) + "\" width=\"" + std::to_string(std::max(1, o.ShownWidth() / 15)) +
                "\" height=\"" + std::to_string(std::max(1, o.ShownHeight() / 15)) + "\" alt=\"\"";
        if (o.fixed)
            out_ += " style=\"position: absolute; left: " + Points(o.x - d_.page.marginLeft) + "; top: " +
                    Points(o.y - d_.page.marginTop) + "\"";
        out_ += ">";
    }

    void FixedAt(int position) {
        for (const auto& o : d_.objects)
            if (o.fixed && o.kind == ObjectKind::Image && o.anchor == position) Picture(o);
    }

    void Runs(const Paragraph& p, int start) {
        const int n = static_cast<int>(p.text.size());
        const Field* open = nullptr;
        for (int i = 0; i < n;) {
            MarksAt(start + i);
            FixedAt(start + i);
            if (!open) {
                if (const Field* f = edges_.FieldStartingAt(start + i)) {
                    open = f;
                    LinkStart(*f);
                }
            }
            const wchar_t c = p.text[static_cast<size_t>(i)];
            if (c == kObjectChar) {
                for (const auto& o : d_.objects)
                    if (!o.fixed && o.kind == ObjectKind::Image && o.anchor == start + i) Picture(o);
                ++i;
            } else {
                int j = i + 1;
                auto boundary = [&](int k) {
                    if (p.formats[static_cast<size_t>(k)] != p.formats[static_cast<size_t>(i)]) return true;
                    if (p.text[static_cast<size_t>(k)] == kObjectChar) return true;
                    return edges_.At(start + k);
                };
                while (j < n && !boundary(j)) ++j;
                out_ += "<span class=\"" + sheet_.CharClass(p.formats[static_cast<size_t>(i)]) + "\">";
                for (int k = i; k < j;) {
                    int m = k;
                    while (m < j && p.text[static_cast<size_t>(m)] != kLineBreak && p.text[static_cast<size_t>(m)] != kPageBreak) ++m;
                    AppendEscaped(out_, std::wstring_view(p.text).substr(static_cast<size_t>(k), static_cast<size_t>(m - k)));
                    if (m < j) {
                        out_ += p.text[static_cast<size_t>(m)] == kLineBreak ? "<br>" : "<br style=\"page-break-after: always\">";
                        ++m;
                    }
                    k = m;
                }
                out_ += "</span>";
                i = j;
            }
            if (open && start + i >= open->start + open->length) {
                if (linkOpen_) out_ += "</a>";
                linkOpen_ = false;
                open = nullptr;
            }
        }
        if (open && linkOpen_) out_ += "</a>";
        linkOpen_ = false;
        MarksAt(start + n);
        FixedAt(start + n);
    }

    const Document& d_;
    StyleSheet sheet_;
    std::wstring folder_;
    std::string out_;
    std::vector<HtmlPicture> pictures_;
    std::vector<OpenList> lists_;
    RunEdges edges_{d_};
    bool linkOpen_ = false;
};

}  // namespace

std::wstring HtmlLinkAddress(std::wstring_view target, std::wstring_view extension) {
    const size_t slash = target.find(L'\\');
    if (slash != std::wstring_view::npos && target.find(L'\\', slash + 1) == std::wstring_view::npos) {
        const std::wstring_view code = target.substr(0, slash), page = target.substr(slash + 1);
        if (IsDigits(code) && page.size() == 8 && IsDigits(page.substr(0, 4)) &&
            (page.substr(4) == L".txm" || page.substr(4) == L".TXM"))
            return L"../" + std::wstring(code) + L"/" + std::wstring(page.substr(0, 4)) + std::wstring(extension);
    }
    return std::wstring(target);
}

std::wstring HtmlPictureFolder(std::wstring_view pageFileName) {
    std::wstring_view name = pageFileName;
    if (const size_t sep = name.find_last_of(L"\\/"); sep != std::wstring_view::npos) name.remove_prefix(sep + 1);
    if (const size_t dot = name.rfind(L'.'); dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
    return std::wstring(name) + L"_files";
}

HtmlPage WriteHtml(const Document& document, std::wstring_view pictureFolder) {
    return HtmlOut(document, pictureFolder).Write();
}

std::string WriteCss(const Document& document) { return StyleSheet(document).Text(); }

}  // namespace tx
