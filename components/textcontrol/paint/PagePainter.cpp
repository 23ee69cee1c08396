#include "components/textcontrol/paint/PagePainter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tx {
namespace {

constexpr Color kDeskColor = 0x8000000Cu;  // the system's application workspace colour
constexpr Color kShadowColor = 0x404040u;
constexpr Color kPageEdgeColor = 0xA0A0A0u;
constexpr Color kGridColor = 0xC0C0C0u;
constexpr Color kPlaceColor = 0x808080u;  // the outline of an object with nothing to show

Color Resolved(Color color, Color fallback) { return color == kNoColor ? fallback : color; }

class PagePainter {
public:
    PagePainter(Surface& surface, const Document& doc, const PagePlacement& where)
        : surface_(surface), doc_(doc), where_(where) {}

    void Paint(const Layout& layout, int page, const PaintOptions& options);

private:
    int X(int twips) const { return static_cast<int>(std::lround(where_.originX + twips * where_.scale)); }
    int Y(int twips) const { return static_cast<int>(std::lround(where_.originY + twips * where_.scale)); }
    // A line never vanishes at a small zoom: anything set at all is one device unit at least.
    int Thickness(int twips) const {
        return twips <= 0 ? 0 : std::max(1, static_cast<int>(std::lround(twips * where_.scale)));
    }
    int FontHeight(const CharFormat& f) const {
        return std::max(1, static_cast<int>(std::lround(f.size * where_.scale)));
    }
    const CharFormat& FormatOf(std::uint32_t index) const {
        return doc_.charFormats[index < doc_.charFormats.size() ? index : 0];
    }
    void Fill(int l, int t, int r, int b, Color color) {
        const DeviceRect rect{l, t, r, b};
        if (!rect.Empty()) surface_.Fill(rect, color);
    }
    // A one-unit outline inside the rectangle.
    void Outline(const DeviceRect& r, Color color) {
        if (r.Empty()) return;
        Fill(r.left, r.top, r.left + 1, r.bottom, color);
        Fill(r.right - 1, r.top, r.right, r.bottom, color);
        Fill(r.left, r.top, r.right, r.top + 1, color);
        Fill(r.left, r.bottom - 1, r.right, r.bottom, color);
    }

    void PaintCells(const Layout& layout, int page, const PaintOptions& options);
    void PaintFrames(const Layout& layout, int page);
    void PaintListMarkers(const Layout& layout, int page);
    // `start` is the line's first document position, -1 for lines outside the body's position space;
    // `pageNumber` is what a page-number character shows (0 in the body: nothing).
    void PaintLine(const Paragraph& p, const Line& line, int x, int y, int start, const PaintOptions& options,
                   int pageNumber = 0);
    void PaintSelection(const Paragraph& p, const Line& line, int x, int y, int start, const PaintOptions& options);
    // text_ and edges_ for `length` characters of the line from paragraph offset `offset`: blanks for
    // what has no glyph (a page-number character too when there is no number to show), and each
    // character's left edge on the device.
    void PrepareText(const Paragraph& p, const Line& line, int x, int offset, int length, int pageNumber = 0);
    // Draws text_ in the format's font and the colour, on the line's baseline (raised or lowered); a
    // page-number character shows `pageNumber`.
    void DrawPreparedText(const CharFormat& f, Color color, const Line& line, int y, int pageNumber = 0);
    void PaintObjects(const Layout& layout, int page, const PaintOptions& options);

    Surface& surface_;
    const Document& doc_;
    PagePlacement where_;
    std::wstring text_;
    std::vector<int> edges_;
};

void PagePainter::PaintLine(const Paragraph& p, const Line& line, int x, int y, int start,
                            const PaintOptions& options, int pageNumber) {
    const int top = Y(y), bottom = Y(y + line.height);
    for (const LineRun& run : line.runs) {
        if (run.objectId || run.length <= 0) continue;
        const CharFormat& f = FormatOf(run.format);
        PrepareText(p, line, x, run.offset, run.length, pageNumber);
        if (f.backColor != kNoColor) Fill(edges_.front(), top, edges_.back(), bottom, f.backColor);
        DrawPreparedText(f, Resolved(f.color, kBlack), line, y, pageNumber);
    }
    if (start >= 0 && options.selEnd > options.selStart) PaintSelection(p, line, x, y, start, options);
}

void PagePainter::PrepareText(const Paragraph& p, const Line& line, int x, int offset, int length,
                              int pageNumber) {
    const int first = offset - line.offset;
    text_.assign(p.text, static_cast<size_t>(offset), static_cast<size_t>(length));
    for (auto& c : text_)
        if (c == L'\t' || c == kLineBreak || c == kPageBreak || c == kObjectChar ||
            (c == kPageNumberChar && pageNumber <= 0))
            c = L' ';
    edges_.resize(static_cast<size_t>(length) + 1);
    for (int k = 0; k <= length; ++k)
        edges_[static_cast<size_t>(k)] = X(x + line.caretX[static_cast<size_t>(first + k)]);
}

void PagePainter::DrawPreparedText(const CharFormat& f, Color color, const Line& line, int y, int pageNumber) {
    TextRun t;
    t.format = &f;
    t.height = FontHeight(f);
    t.color = color;
    t.baseline = Y(y + line.ascent - f.baseline);
    // A page number fills the room the layout measured for it with the font's own advances; the
    // characters around it keep their places.
    const std::wstring number = pageNumber > 0 ? std::to_wstring(pageNumber) : std::wstring();
    size_t from = 0;
    for (size_t k = 0; k <= text_.size(); ++k) {
        const bool isNumber = k < text_.size() && text_[k] == kPageNumberChar;
        if (k < text_.size() && !isNumber) continue;
        if (k > from) {
            t.x = edges_[from];
            t.text = std::wstring_view(text_).substr(from, k - from);
            t.edges = edges_.data() + from;
            surface_.Text(t);
        }
        if (isNumber) {
            t.x = edges_[k];
            t.text = number;
            t.edges = nullptr;
            surface_.Text(t);
        }
        from = k + 1;
    }
}

// The selected part of a line in the system's highlight colours: the band over what was drawn, then
// its characters again, in the highlight text colour, at the places the layout gave them.
void PagePainter::PaintSelection(const Paragraph& p, const Line& line, int x, int y, int start,
                                 const PaintOptions& options) {
    const int top = Y(y), bottom = Y(y + line.height);
    const int lineEnd = start + line.length;
    const int a = std::max(options.selStart, start), b = std::min(options.selEnd, lineEnd);
    if (!(a < b || (a == b && a == lineEnd && options.selEnd > lineEnd && options.selStart <= lineEnd))) return;
    const int left = X(x + line.caretX[static_cast<size_t>(a - start)]);
    int right = X(x + line.caretX[static_cast<size_t>(b - start)]);
    // A selected paragraph end shows as a little room behind the line.
    if (options.selEnd > lineEnd && !line.hardBreak) right += std::max(2, (bottom - top) / 4);
    Fill(left, top, right, bottom, kSelectionBack);
    for (const LineRun& run : line.runs) {
        if (run.objectId || run.length <= 0) continue;
        // The run's part inside the selection, in document positions.
        const int runStart = start + run.offset - line.offset;
        const int from = std::max(a, runStart), to = std::min(b, runStart + run.length);
        if (from >= to) continue;
        const CharFormat& f = FormatOf(run.format);
        PrepareText(p, line, x, run.offset + (from - runStart), to - from);
        DrawPreparedText(f, kSelectionText, line, y);
    }
}

void PagePainter::PaintCells(const Layout& layout, int page, const PaintOptions& options) {
    for (const PlacedCell& c : layout.Cells()) {
        if (c.page != page) continue;
        const Table* t = doc_.FindTable(c.table);
        if (!t || c.row < 1 || c.col < 1 || c.rows < 1 || c.cols < 1 || c.row + c.rows - 1 > t->rows ||
            c.col + c.cols - 1 > t->cols)
            continue;
        // A merged cell shows its first cell's background, left and top; its right side is that of
        // the last cell of its first row, its bottom that of the last cell of its first column.
        const int lastRow = c.row + c.rows - 1, lastCol = c.col + c.cols - 1;
        const CellAttributes& a = t->Cell(c.row, c.col);
        const CellAttributes& right = t->Cell(c.row, lastCol);
        const CellAttributes& below = t->Cell(lastRow, c.col);
        const int l = X(c.x), tp = Y(c.y), r = X(c.x + c.width), b = Y(c.y + c.height);
        if (a.background != kNoColor) Fill(l, tp, r, b, a.background);
        if (options.gridLines) {
            // Each cell draws the grid on its left and top; the table's last column and row close it.
            // A grid line shown is never thinner than a pixel, whatever its width says.
            const auto grid = [&](int twips) { return std::max(1, Thickness(twips)); };
            if (a.leftBorder <= 0) Fill(l, tp, l + grid(a.gridWidth), b, kGridColor);
            if (a.topBorder <= 0) Fill(l, tp, r, tp + grid(a.gridWidth), kGridColor);
            if (right.rightBorder <= 0 && lastCol == t->cols) Fill(r - grid(right.gridWidth), tp, r, b, kGridColor);
            if (below.bottomBorder <= 0 && lastRow == t->rows) Fill(l, b - grid(below.gridWidth), r, b, kGridColor);
        }
        if (int w = Thickness(a.leftBorder)) Fill(l, tp, l + w, b, kBlack);
        if (int w = Thickness(a.topBorder)) Fill(l, tp, r, tp + w, kBlack);
        if (int w = Thickness(right.rightBorder)) Fill(r - w, tp, r, b, kBlack);
        if (int w = Thickness(below.bottomBorder)) Fill(l, b - w, r, b, kBlack);
    }
}

namespace {
// Consecutive paragraphs with the same connected frame make one box.
bool SameConnectedFrame(const ParaFormat& a, const ParaFormat& b) {
    return (a.frameStyle & frame::kConnected) && (b.frameStyle & frame::kConnected) &&
           (a.frameStyle & 0xFF) == (b.frameStyle & 0xFF) && a.frameLineWidth == b.frameLineWidth &&
           a.frameDistance == b.frameDistance && a.leftIndent == b.leftIndent && a.rightIndent == b.rightIndent;
}
}  // namespace

void PagePainter::PaintFrames(const Layout& layout, int page) {
    const auto& parts = layout.Paragraphs();
    const auto formatOf = [&](const PlacedParagraph& part) -> const ParaFormat* {
        if (part.page != page || part.paragraph < 0 || part.paragraph >= doc_.ParagraphCount()) return nullptr;
        return &doc_.paragraphs[static_cast<size_t>(part.paragraph)].format;
    };
    for (size_t i = 0; i < parts.size(); ++i) {
        const ParaFormat* pf = formatOf(parts[i]);
        if (!pf || (pf->frameStyle & frame::kLineBits) == 0) continue;
        const ParaFormat& f = *pf;
        const PlacedParagraph& part = parts[i];
        // The box runs on over the next parts of this page that share its connected frame.
        size_t last = i;
        while (last + 1 < parts.size()) {
            const ParaFormat* next = formatOf(parts[last + 1]);
            if (!next || parts[last + 1].paragraph != parts[last].paragraph + 1 || !SameConnectedFrame(f, *next)) break;
            ++last;
        }
        const bool opens = i == 0 || !formatOf(parts[i - 1]) || parts[i - 1].paragraph != part.paragraph - 1 ||
                           !SameConnectedFrame(*formatOf(parts[i - 1]), f);
        const PlacedParagraph& end = parts[last];
        const ParaFormat& endFormat = doc_.paragraphs[static_cast<size_t>(end.paragraph)].format;
        const bool dbl = (f.frameStyle & frame::kDouble) != 0;
        const int w = std::max(1, static_cast<int>(std::lround(f.frameLineWidth * where_.scale)));
        const int l = X(part.x + f.leftIndent), r = X(part.x + part.width - f.rightIndent);
        const int t = Y(part.y + f.spaceBefore), b = Y(end.y + end.height - endFormat.spaceAfter);
        // A connected box is drawn whole by its first paragraph: no lines between its paragraphs.
        const bool top = (f.frameStyle & frame::kTop) && opens;
        // A double frame is a second line inside the first, one line width apart.
        for (int pass = 0; pass < (dbl ? 2 : 1); ++pass) {
            const int in = pass * 2 * w;
            if (opens && (f.frameStyle & frame::kLeft)) Fill(l + in, t + in, l + in + w, b - in, kBlack);
            if (opens && (f.frameStyle & frame::kRight)) Fill(r - in - w, t + in, r - in, b - in, kBlack);
            if (top) Fill(l + in, t + in, r - in, t + in + w, kBlack);
            if (opens && (f.frameStyle & frame::kBottom)) Fill(l + in, b - in - w, r - in, b - in, kBlack);
        }
        // Tab lines stand in the text distance before each tab stop, over the paragraph's own height.
        if (f.frameStyle & frame::kTabLines) {
            const int pt = Y(part.y + f.spaceBefore), pb = Y(part.y + part.height - f.spaceAfter);
            for (const TabStop& tab : f.tabs) {
                const int x = X(part.x + f.leftIndent + tab.position - f.frameDistance / 2) - w / 2;
                if (x <= l || x + w >= r) continue;
                Fill(x, pt, x + w, pb, kBlack);
            }
        }
    }
}

void PagePainter::PaintListMarkers(const Layout& layout, int page) {
    // List markers stand in the room the list indent left before the first line, in the format the
    // paragraph's text starts with.
    for (const PlacedParagraph& part : layout.Paragraphs()) {
        if (part.page != page || !part.first || part.listMarker.empty()) continue;
        const Paragraph& p = doc_.paragraphs[static_cast<size_t>(part.paragraph)];
        const PlacedLine* first = nullptr;
        for (const PlacedLine& pl : layout.Lines())
            if (pl.paragraph == part.paragraph && pl.line == 0) { first = &pl; break; }
        if (!first) continue;
        const Line& line = layout.LineOf(*first);
        const CharFormat& f = FormatOf(p.formats.empty() ? 0 : p.formats.front());
        const int x = part.x + p.format.leftIndent + p.format.listLevel * p.format.listIndentStep;
        TextRun t;
        t.format = &f;
        t.height = FontHeight(f);
        t.color = Resolved(f.color, kBlack);
        t.x = X(x);
        t.baseline = Y(first->y + line.ascent);
        t.text = part.listMarker;
        surface_.Text(t);
    }
}

void PagePainter::PaintObjects(const Layout& layout, int page, const PaintOptions& options) {
    for (const PlacedObject& po : layout.Objects()) {
        if (po.page != page) continue;
        const Object* o = doc_.FindObject(po.objectId);
        if (!o) continue;
        const DeviceRect r{X(po.x), Y(po.y), X(po.x + po.width), Y(po.y + po.height)};
        if (o->kind == ObjectKind::Image) {
            if (!r.Empty()) surface_.Image(*o, r);
        } else if (o->hostWindow == 0) {
            // A windowed object whose host supplied no window: its place, outlined.
            Outline(r, kPlaceColor);
        } else if (options.hostedWindows && !r.Empty()) {
            surface_.HostedWindow(o->hostWindow, r);
        }
        if (o->id == options.currentObject) {
            Outline(r, kBlack);
            const int h = 3;
            for (int cx : {r.left, r.right})
                for (int cy : {r.top, r.bottom}) Fill(cx - h, cy - h, cx + h, cy + h, kBlack);
        }
    }
}

void PagePainter::Paint(const Layout& layout, int page, const PaintOptions& options) {
    if (options.fillPage) Fill(X(0), Y(0), X(doc_.page.width), Y(doc_.page.height), kWhite);
    PaintCells(layout, page, options);
    PaintFrames(layout, page);
    PaintListMarkers(layout, page);
    for (const PlacedLine& pl : layout.Lines()) {
        if (pl.page != page) continue;
        PaintLine(doc_.paragraphs[static_cast<size_t>(pl.paragraph)], layout.LineOf(pl), pl.x, pl.y, pl.start, options);
    }
    const PaintOptions plain;
    for (const PlacedLine& pl : layout.HeaderLines(page))
        PaintLine(doc_.header.paragraphs[static_cast<size_t>(pl.paragraph)], layout.HeaderLineOf(pl), pl.x, pl.y, -1,
                  plain, page);
    for (const PlacedLine& pl : layout.FooterLines(page))
        PaintLine(doc_.footer.paragraphs[static_cast<size_t>(pl.paragraph)], layout.FooterLineOf(pl), pl.x, pl.y, -1,
                  plain, page);
    PaintObjects(layout, page, options);
}

}  // namespace

void PaintPage(Surface& surface, const Layout& layout, const Document& doc, int page, const PagePlacement& where,
               const PaintOptions& options) {
    PagePainter(surface, doc, where).Paint(layout, page, options);
}

void PaintView(Surface& surface, const Layout& layout, const Document& doc, const ViewPaint& view) {
    if (!view.client.Empty()) surface.Fill(view.client, view.sheets ? kDeskColor : kWhite);
    const auto extent = [&](int twips) { return static_cast<int>(std::lround(twips * view.scale)); };
    const int pages = layout.PageCount();
    for (int page = 1; page <= pages; ++page) {
        const DevicePoint origin = view.pageOrigin(page);
        const int bottom = origin.y + extent(doc.page.height);
        if (bottom < view.client.top || origin.y > view.client.bottom) continue;
        if (view.sheets) {
            // A shadow lifts the sheet off the desk.
            const DeviceRect shadow{origin.x + 3, origin.y + 3, origin.x + extent(doc.page.width) + 3, bottom + 3};
            if (!shadow.Empty()) surface.Fill(shadow, kShadowColor);
        }
        PaintPage(surface, layout, doc, page, PagePlacement{double(origin.x), double(origin.y), view.scale}, view.options);
        if (!view.sheets && page > 1) {
            // The page break, as a grey line across the window.
            const DeviceRect edge{view.client.left, origin.y, view.client.right, origin.y + 1};
            if (!edge.Empty()) surface.Fill(edge, kPageEdgeColor);
        }
    }
}

}  // namespace tx
