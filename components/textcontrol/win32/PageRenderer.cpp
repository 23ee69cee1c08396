#include "components/textcontrol/win32/PageRenderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "components/textcontrol/win32/GdiMeasurer.h"

namespace tx {

COLORREF ColorOf(Color color, COLORREF fallback) {
    if (color == kNoColor) return fallback;
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

namespace {

void Fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
    if (r <= l || b <= t) return;
    SetBkColor(dc, c);
    RECT rc{l, t, r, b};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);  // a solid fill that needs no brush
}

}  // namespace

int PageRenderer::X(int twips) const { return static_cast<int>(std::lround(originX_ + twips * scale_)); }
int PageRenderer::Y(int twips) const { return static_cast<int>(std::lround(originY_ + twips * scale_)); }

HFONT PageRenderer::FontFor(const CharFormat& f) {
    const int height = -std::max(1, static_cast<int>(std::lround(f.size * scale_)));
    auto key = std::make_tuple(f.face, f.bold, f.italic, f.underline, f.strike, height);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(std::move(key), ui::Font(CreateFormatFont(f, height))).first;
    return it->second.Get();
}

void PageRenderer::DrawLine(HDC dc, const Document& doc, const Paragraph& p, const Line& line, int x, int y,
                            int start, const RenderOptions& options) {
    const int top = Y(y), bottom = Y(y + line.height), baseline = Y(y + line.ascent);
    std::wstring text;
    std::vector<int> px, dx;
    for (const LineRun& run : line.runs) {
        if (run.objectId || run.length <= 0) continue;
        const CharFormat& f = doc.charFormats[run.format < doc.charFormats.size() ? run.format : 0];
        const int first = run.offset - line.offset;
        text.assign(p.text, static_cast<size_t>(run.offset), static_cast<size_t>(run.length));
        for (auto& c : text)
            if (c == L'\t' || c == kLineBreak || c == kPageBreak || c == kObjectChar) c = L' ';
        px.resize(static_cast<size_t>(run.length) + 1);
        for (int k = 0; k <= run.length; ++k) px[static_cast<size_t>(k)] = X(x + line.caretX[static_cast<size_t>(first + k)]);
        dx.resize(static_cast<size_t>(run.length));
        for (int k = 0; k < run.length; ++k) dx[static_cast<size_t>(k)] = px[static_cast<size_t>(k) + 1] - px[static_cast<size_t>(k)];
        if (f.backColor != kNoColor) Fill(dc, px.front(), top, px.back(), bottom, ColorOf(f.backColor, RGB(255, 255, 255)));
        ui::SelectIn font(dc, FontFor(f));
        SetTextColor(dc, ColorOf(f.color, RGB(0, 0, 0)));
        ExtTextOutW(dc, px.front(), baseline, 0, nullptr, text.data(), run.length, dx.data());
    }
    // The selection is inverted over what was drawn, so it reads on any background.
    if (start >= 0 && options.selEnd > options.selStart) {
        const int lineEnd = start + line.length;
        const int a = std::max(options.selStart, start), b = std::min(options.selEnd, lineEnd);
        int left = -1, right = -1;
        if (a < b || (a == b && a == lineEnd && options.selEnd > lineEnd && options.selStart <= lineEnd)) {
            left = X(x + line.caretX[static_cast<size_t>(a - start)]);
            right = X(x + line.caretX[static_cast<size_t>(b - start)]);
            // A selected paragraph end shows as a little room behind the line.
            if (options.selEnd > lineEnd && !line.hardBreak) right += std::max(2, (bottom - top) / 4);
        }
        if (right > left) {
            RECT r{left, top, right, bottom};
            InvertRect(dc, &r);
        }
    }
}

void PageRenderer::DrawCells(HDC dc, const Layout& layout, const Document& doc, int page, const RenderOptions& options) {
    const int hair = 1;
    auto thickness = [&](int twips) { return twips <= 0 ? 0 : std::max(1, static_cast<int>(std::lround(twips * scale_))); };
    for (const PlacedCell& c : layout.Cells()) {
        if (c.page != page) continue;
        const Table* t = doc.FindTable(c.table);
        if (!t || c.row < 1 || c.row > t->rows || c.col < 1 || c.col > t->cols) continue;
        const CellAttributes& a = t->Cell(c.row, c.col);
        const int l = X(c.x), tp = Y(c.y), r = X(c.x + c.width), b = Y(c.y + c.height);
        if (a.background != kNoColor) Fill(dc, l, tp, r, b, ColorOf(a.background, RGB(255, 255, 255)));
        if (options.gridLines) {
            const COLORREF grid = RGB(192, 192, 192);
            if (a.leftBorder <= 0) Fill(dc, l, tp, l + hair, b, grid);
            if (a.topBorder <= 0) Fill(dc, l, tp, r, tp + hair, grid);
            if (a.rightBorder <= 0 && c.col == t->cols) Fill(dc, r - hair, tp, r, b, grid);
            if (a.bottomBorder <= 0 && c.row == t->rows) Fill(dc, l, b - hair, r, b, grid);
        }
        const COLORREF ink = RGB(0, 0, 0);
        if (int w = thickness(a.leftBorder)) Fill(dc, l, tp, l + w, b, ink);
        if (int w = thickness(a.topBorder)) Fill(dc, l, tp, r, tp + w, ink);
        if (int w = thickness(a.rightBorder)) Fill(dc, r - w, tp, r, b, ink);
        if (int w = thickness(a.bottomBorder)) Fill(dc, l, b - w, r, b, ink);
    }
}

void PageRenderer::DrawFrames(HDC dc, const Layout& layout, const Document& doc, int page) {
    for (const PlacedParagraph& part : layout.Paragraphs()) {
        if (part.page != page || part.paragraph < 0 || part.paragraph >= doc.ParagraphCount()) continue;
        const ParaFormat& f = doc.paragraphs[static_cast<size_t>(part.paragraph)].format;
        if ((f.frameStyle & frame::kLineBits) == 0) continue;
        const bool dbl = (f.frameStyle & frame::kDouble) != 0;
        const int w = std::max(1, static_cast<int>(std::lround(f.frameLineWidth * scale_)));
        const int l = X(part.x + f.leftIndent), r = X(part.x + part.width - f.rightIndent);
        const int t = Y(part.y + f.spaceBefore), b = Y(part.y + part.height - f.spaceAfter);
        auto edge = [&](int x0, int y0, int x1, int y1) {
            Fill(dc, x0, y0, x1, y1, RGB(0, 0, 0));
        };
        for (int pass = 0; pass < (dbl ? 2 : 1); ++pass) {
            const int in = pass * 2 * w;
            if (f.frameStyle & frame::kLeft) edge(l + in, t + in, l + in + w, b - in);
            if (f.frameStyle & frame::kRight) edge(r - in - w, t + in, r - in, b - in);
            if (f.frameStyle & frame::kTop) edge(l + in, t + in, r - in, t + in + w);
            if (f.frameStyle & frame::kBottom) edge(l + in, b - in - w, r - in, b - in);
        }
    }
}

void PageRenderer::DrawPage(HDC dc, const Layout& layout, const Document& doc, int page, double originX,
                            double originY, double scale, const RenderOptions& options) {
    originX_ = originX;
    originY_ = originY;
    scale_ = scale;
    const int savedDc = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    if (options.fillPage) Fill(dc, X(0), Y(0), X(doc.page.width), Y(doc.page.height), RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);

    DrawCells(dc, layout, doc, page, options);
    DrawFrames(dc, layout, doc, page);
    SetBkMode(dc, TRANSPARENT);

    // List markers stand in the room the list indent left before the first line.
    for (const PlacedParagraph& part : layout.Paragraphs()) {
        if (part.page != page || !part.first || part.listMarker.empty()) continue;
        const Paragraph& p = doc.paragraphs[static_cast<size_t>(part.paragraph)];
        const PlacedLine* first = nullptr;
        for (const PlacedLine& pl : layout.Lines())
            if (pl.paragraph == part.paragraph && pl.line == 0) { first = &pl; break; }
        if (!first) continue;
        const Line& line = layout.LineOf(*first);
        const CharFormat& f = doc.charFormats[p.formats.empty() ? 0 : p.formats.front()];
        ui::SelectIn font(dc, FontFor(f));
        SetTextColor(dc, ColorOf(f.color, RGB(0, 0, 0)));
        const int x = part.x + p.format.leftIndent + p.format.listLevel * p.format.listIndentStep;
        ExtTextOutW(dc, X(x), Y(first->y + line.ascent), 0, nullptr, part.listMarker.c_str(),
                    static_cast<UINT>(part.listMarker.size()), nullptr);
    }

    for (const PlacedLine& pl : layout.Lines()) {
        if (pl.page != page) continue;
        DrawLine(dc, doc, doc.paragraphs[static_cast<size_t>(pl.paragraph)], layout.LineOf(pl), pl.x, pl.y, pl.start, options);
    }
    RenderOptions plain;
    for (const PlacedLine& pl : layout.HeaderLines())
        DrawLine(dc, doc, doc.header.paragraphs[static_cast<size_t>(pl.paragraph)], layout.HeaderLineOf(pl), pl.x, pl.y, -1, plain);
    for (const PlacedLine& pl : layout.FooterLines())
        DrawLine(dc, doc, doc.footer.paragraphs[static_cast<size_t>(pl.paragraph)], layout.FooterLineOf(pl), pl.x, pl.y, -1, plain);

    for (const PlacedObject& po : layout.Objects()) {
        if (po.page != page) continue;
        const Object* o = doc.FindObject(po.objectId);
        if (!o) continue;
        RECT r{X(po.x), Y(po.y), X(po.x + po.width), Y(po.y + po.height)};
        if (o->kind == ObjectKind::Image) {
            DrawImage(dc, images_.Get(o->image, o->imageType), r);
        } else if (o->hostWindow == 0) {
            // A windowed object whose host supplied no window: its place, outlined.
            FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        }
        if (o->id == options.currentObject) {
            FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            const int h = 3;
            for (int cx : {r.left, r.right}) for (int cy : {r.top, r.bottom}) Fill(dc, cx - h, cy - h, cx + h, cy + h, RGB(0, 0, 0));
        }
    }
    RestoreDC(dc, savedDc);
}

}  // namespace tx
