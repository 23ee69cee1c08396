#include "components/textcontrol/layout/Layout.h"

#include <algorithm>
#include <climits>
#include <map>

namespace tx {
namespace {

constexpr int kMinLineWidth = 20;

// Heights add up in twips; a hostile document could make the sums overflow, so they stop at a
// bound far beyond any page.
constexpr long long kMaxExtent = 1 << 29;
int Add(long long a, long long b) { return static_cast<int>(std::clamp(a + b, -kMaxExtent, kMaxExtent)); }

struct ObjectAt {
    int offset;
    const Object* object;
};

int FrameInset(const ParaFormat& f, std::uint16_t bit) {
    return (f.frameStyle & bit) ? f.frameLineWidth * ((f.frameStyle & frame::kDouble) ? 3 : 1) + f.frameDistance : 0;
}

int ListIndent(const ParaFormat& f) {
    return f.listKind == ListKind::None ? 0 : (f.listLevel + 1) * f.listIndentStep;
}

std::wstring Roman(int n, bool upper) {
    static const std::pair<int, const wchar_t*> kParts[] = {{1000, L"m"}, {900, L"cm"}, {500, L"d"}, {400, L"cd"},
                                                            {100, L"c"},  {90, L"xc"},  {50, L"l"},  {40, L"xl"},
                                                            {10, L"x"},   {9, L"ix"},   {5, L"v"},   {4, L"iv"},
                                                            {1, L"i"}};
    std::wstring out;
    n = std::clamp(n, 1, 3999);
    for (auto [value, text] : kParts) {
        while (n >= value) {
            out += text;
            n -= value;
        }
    }
    if (upper) for (auto& c : out) c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

std::wstring Letters(int n, bool upper) {
    std::wstring out;
    n = std::max(n, 1);
    while (n > 0) {
        --n;
        out.insert(out.begin(), static_cast<wchar_t>((upper ? L'A' : L'a') + n % 26));
        n /= 26;
    }
    return out;
}

}  // namespace

std::wstring ListMarker(const ParaFormat& format, int number) {
    switch (format.listKind) {
    case ListKind::Bullet: return L"\x2022";
    case ListKind::Numbered:
        switch (format.numberStyle) {
        case NumberStyle::Arabic: return std::to_wstring(number) + L".";
        case NumberStyle::UpperLetter: return Letters(number, true) + L".";
        case NumberStyle::LowerLetter: return Letters(number, false) + L".";
        case NumberStyle::UpperRoman: return Roman(number, true) + L".";
        case NumberStyle::LowerRoman: return Roman(number, false) + L".";
        }
        break;
    case ListKind::None: break;
    }
    return {};
}

void Layout::SetMeasurer(const TextMeasurer* measurer) {
    measurer_ = measurer;
    Invalidate();
}

void Layout::Invalidate() {
    cache_.clear();
    boxes_.clear();
    headerBoxes_.clear();
    footerBoxes_.clear();
}

// ---------------------------------------------------------------- line breaking

ParagraphBox Layout::Break(const Document& d, const Paragraph& p, int index, int width) const {
    const TextMeasurer& m = measurer_ ? *measurer_ : fallback_;
    const ParaFormat& f = p.format;
    const std::wstring& text = p.text;
    const int n = static_cast<int>(text.size());

    // Objects of this paragraph, by offset (only characters that are kObjectChar can be objects).
    std::vector<ObjectAt> objects;
    if (text.find(kObjectChar) != std::wstring::npos) {
        if (index >= 0 && index < d.ParagraphCount()) {
            const int start = d.ParagraphStart(index);
            for (const auto& o : d.objects)
                if (!o.fixed && o.anchor >= start && o.anchor < start + n) objects.push_back({o.anchor - start, &o});
            std::sort(objects.begin(), objects.end(), [](const ObjectAt& a, const ObjectAt& b) { return a.offset < b.offset; });
        }
    }
    auto objectAt = [&](int offset) -> const Object* {
        auto it = std::lower_bound(objects.begin(), objects.end(), offset,
                                   [](const ObjectAt& a, int o) { return a.offset < o; });
        return it != objects.end() && it->offset == offset ? it->object : nullptr;
    };

    // Advances per character, measured run by run.
    std::vector<int> advance(static_cast<size_t>(n), 0);
    for (int i = 0; i < n;) {
        int j = i + 1;
        while (j < n && p.formats[static_cast<size_t>(j)] == p.formats[static_cast<size_t>(i)]) ++j;
        m.Advances(d.charFormats[p.formats[static_cast<size_t>(i)]], std::wstring_view(text).substr(static_cast<size_t>(i), static_cast<size_t>(j - i)),
                   advance.data() + i);
        i = j;
    }
    for (int i = 0; i < n; ++i) {
        const wchar_t c = text[static_cast<size_t>(i)];
        if (c == kObjectChar) {
            const Object* o = objectAt(i);
            advance[static_cast<size_t>(i)] = o ? o->ShownWidth() : 0;
        } else if (c == kLineBreak || c == kPageBreak) {
            advance[static_cast<size_t>(i)] = 0;
        }
    }

    const int left = f.leftIndent + ListIndent(f) + FrameInset(f, frame::kLeft);
    const int right = f.rightIndent + FrameInset(f, frame::kRight);
    auto tabAdvance = [&](int x) {  // x from the paragraph box's left edge
        const int rel = x - f.leftIndent;
        for (const auto& t : f.tabs)
            if (t.position > rel) return t.position - rel;
        const int next = (rel / kDefaultTab + 1) * kDefaultTab;
        return next - rel;
    };

    ParagraphBox box;
    box.spaceBefore = f.spaceBefore + FrameInset(f, frame::kTop);
    int height = 0;
    int i = 0;
    do {
        Line line;
        line.offset = i;
        const int lineLeft = std::max(0, box.lines.empty() ? left + f.firstIndent : left);
        const int avail = std::max(width - lineLeft - right, kMinLineWidth);
        std::vector<int> used;
        int x = 0, lastBreak = -1;
        int j = i;
        bool forced = false;
        while (j < n) {
            const wchar_t c = text[static_cast<size_t>(j)];
            if (c == kLineBreak || c == kPageBreak) {
                used.push_back(0);
                ++j;
                forced = true;
                line.hardBreak = true;
                line.pageBreak = c == kPageBreak;
                break;
            }
            const int a = c == L'\t' ? tabAdvance(lineLeft + x) : advance[static_cast<size_t>(j)];
            if (x + a > avail && j > i && c != L' ') {
                if (lastBreak > i) {
                    used.resize(static_cast<size_t>(lastBreak - i));
                    j = lastBreak;
                }
                break;
            }
            used.push_back(a);
            x += a;
            ++j;
            if (c == L' ' || c == L'\t' || c == L'-') lastBreak = j;
        }
        line.length = j - i;
        line.caretX.resize(static_cast<size_t>(line.length) + 1);
        int visibleEnd = 0;
        for (int k = 0; k < line.length; ++k) {
            line.caretX[static_cast<size_t>(k) + 1] = line.caretX[static_cast<size_t>(k)] + used[static_cast<size_t>(k)];
            const wchar_t c = text[static_cast<size_t>(i + k)];
            if (c != L' ' && c != kLineBreak && c != kPageBreak) visibleEnd = line.caretX[static_cast<size_t>(k) + 1];
        }
        line.width = visibleEnd;

        // Vertical metrics: the tallest font or object of the line; an empty line takes the format
        // the paragraph's text would be typed in.
        if (line.length == 0) {
            const std::uint32_t fmt = p.formats.empty() ? 0 : p.formats.back();
            const FontMetrics fm = m.Metrics(d.charFormats[fmt]);
            line.ascent = fm.ascent;
            line.descent = fm.descent;
        }
        for (int k = i; k < j;) {
            int e = k + 1;
            while (e < j && p.formats[static_cast<size_t>(e)] == p.formats[static_cast<size_t>(k)] &&
                   text[static_cast<size_t>(e)] != kObjectChar && text[static_cast<size_t>(k)] != kObjectChar)
                ++e;
            LineRun run{k, e - k, p.formats[static_cast<size_t>(k)], line.caretX[static_cast<size_t>(k - i)], 0};
            const Object* o = text[static_cast<size_t>(k)] == kObjectChar ? objectAt(k) : nullptr;
            if (o) {
                run.objectId = o->id;
                line.ascent = std::max(line.ascent, o->ShownHeight());
            } else {
                // Raised or lowered text makes room above or below the line.
                const CharFormat& cf = d.charFormats[run.format];
                const FontMetrics fm = m.Metrics(cf);
                line.ascent = std::max(line.ascent, Add(fm.ascent, std::max(0, cf.baseline)));
                line.descent = std::max(line.descent, Add(fm.descent, std::max(0, -cf.baseline)));
            }
            line.runs.push_back(run);
            k = e;
        }
        line.height = std::max(1, Add(0, static_cast<long long>(line.ascent + line.descent) * f.lineSpacing / 100));

        // Alignment within the line's room.
        const int slack = std::max(0, avail - line.width);
        line.indent = lineLeft;
        const bool lastLine = j >= n || forced;
        if (f.align == Align::Right) line.indent += slack;
        else if (f.align == Align::Center) line.indent += slack / 2;
        else if (f.align == Align::Justify && !lastLine && slack > 0) {
            std::vector<int> spaces;
            for (int k = 0; k < line.length; ++k)
                if (text[static_cast<size_t>(i + k)] == L' ' && line.caretX[static_cast<size_t>(k)] < line.width) spaces.push_back(k);
            if (!spaces.empty()) {
                const int share = slack / static_cast<int>(spaces.size());
                int extra = 0;
                size_t s = 0;
                for (int k = 0; k <= line.length; ++k) {
                    line.caretX[static_cast<size_t>(k)] += extra;
                    if (s < spaces.size() && spaces[s] == k) {
                        extra += share + (s + 1 == spaces.size() ? slack % static_cast<int>(spaces.size()) : 0);
                        ++s;
                    }
                }
                for (auto& run : line.runs) run.x = line.caretX[static_cast<size_t>(run.offset - i)];
                line.width += slack;
            }
        }
        height = Add(height, line.height);
        box.lines.push_back(std::move(line));
        i = j;
        // A line break at the very end still opens an empty line after it.
        if (i >= n && forced && !box.lines.back().pageBreak) {
            Line empty;
            empty.offset = n;
            empty.caretX = {0};
            const FontMetrics fm = m.Metrics(d.charFormats[p.formats.empty() ? 0 : p.formats.back()]);
            empty.ascent = fm.ascent;
            empty.descent = fm.descent;
            empty.height = std::max(1, Add(0, static_cast<long long>(fm.ascent + fm.descent) * f.lineSpacing / 100));
            empty.indent = lineLeft;
            height = Add(height, empty.height);
            box.lines.push_back(std::move(empty));
        }
    } while (i < n);
    box.height = Add(Add(box.spaceBefore, height), f.spaceAfter + FrameInset(f, frame::kBottom));
    return box;
}

const ParagraphBox& Layout::Box(const Document& d, const Paragraph& p, int index, int width, Cache& next) {
    const CacheKey key{p.stamp, width};
    if (auto it = next.find(key); it != next.end()) return it->second;
    if (auto node = cache_.extract(key)) return next.insert(std::move(node)).position->second;
    ++broken_;
    return next.emplace(key, Break(d, p, index, width)).first->second;
}

// ---------------------------------------------------------------- placing on pages

void Layout::LayoutStory(const Document& d, const std::vector<Paragraph>& story, int top, bool fromBottom,
                         std::vector<PlacedLine>& out, std::vector<const ParagraphBox*>& boxes, Cache& next) {
    const PageSetup& page = d.page;
    const int width = std::max(page.width - page.marginLeft - page.marginRight, kMinLineWidth);
    out.clear();
    boxes.clear();
    int total = 0;
    for (const auto& p : story) {
        boxes.push_back(&Box(d, p, -1, width, next));
        total = Add(total, boxes.back()->height);
    }
    int y = fromBottom ? top - total : top;
    for (size_t i = 0; i < story.size(); ++i) {
        const ParagraphBox& box = *boxes[i];
        int ly = y + box.spaceBefore;
        for (size_t k = 0; k < box.lines.size(); ++k) {
            const Line& line = box.lines[k];
            out.push_back(PlacedLine{static_cast<int>(i), static_cast<int>(k), 1, page.marginLeft + line.indent, ly, line.offset});
            ly = Add(ly, line.height);
        }
        y = Add(y, box.height);
    }
}

void Layout::Update(const Document& d) {
    broken_ = 0;
    Cache next;
    boxes_.assign(d.paragraphs.size(), nullptr);
    firstLine_.assign(d.paragraphs.size(), 0);
    paragraphStarts_.resize(d.paragraphs.size());
    {
        int start = 0;
        for (size_t i = 0; i < d.paragraphs.size(); ++i) {
            paragraphStarts_[i] = start;
            start += static_cast<int>(d.paragraphs[i].text.size()) + 1;
        }
    }
    // Text flows around fixed objects: a first pass finds the page each one is on, a second lays
    // the text out around them.
    std::vector<Exclusion> exclusions;
    Place(d, next, exclusions);
    for (const auto& o : d.objects) {
        if (!o.fixed || o.textFlow != 0 || o.ShownWidth() == 0 || o.ShownHeight() == 0) continue;
        exclusions.push_back(Exclusion{PositionToPoint(o.anchor).page, o.x - kWrapGap, o.y - kWrapGap,
                                       o.x + o.ShownWidth() + kWrapGap, o.y + o.ShownHeight() + kWrapGap});
    }
    if (!exclusions.empty()) Place(d, next, exclusions);

    // Header at the top margin's middle, footer ending at the bottom margin's middle.
    const PageSetup& pg = d.page;
    LayoutStory(d, d.header.paragraphs, std::min(720, pg.marginTop / 2), false, headerLines_, headerBoxes_, next);
    LayoutStory(d, d.footer.paragraphs, pg.height - std::min(720, pg.marginBottom / 2), true, footerLines_, footerBoxes_, next);

    cache_ = std::move(next);
}

void Layout::Place(const Document& d, Cache& next, const std::vector<Exclusion>& exclusions) {
    lines_.clear();
    placedParagraphs_.clear();
    cells_.clear();
    objects_.clear();
    const PageSetup& pg = d.page;
    const int left = pg.marginLeft;
    const int width = std::max(pg.width - pg.marginLeft - pg.marginRight, kMinLineWidth);
    const int top = pg.marginTop;
    const int bottom = std::max(pg.height - pg.marginBottom, top + 1);
    int page = 1, y = top;
    int counters[kMaxListLevel + 1] = {};

    auto placeLines = [&](int index, const ParagraphBox& box, int x, int boxWidth, int& yy, bool allowBreaks) {
        firstLine_[static_cast<size_t>(index)] = static_cast<int>(lines_.size());
        PlacedParagraph part{index, page, x, yy, 0, 0, true, {}};
        const ParaFormat& f = d.paragraphs[static_cast<size_t>(index)].format;
        if (f.listKind == ListKind::Numbered) {
            ++counters[f.listLevel];
            for (int l = f.listLevel + 1; l <= kMaxListLevel; ++l) counters[l] = 0;
            part.listMarker = ListMarker(f, counters[f.listLevel]);
        } else if (f.listKind == ListKind::Bullet) {
            part.listMarker = ListMarker(f, 0);
        } else {
            std::fill(std::begin(counters), std::end(counters), 0);
        }
        part.width = boxWidth;
        // The marker hangs in the level step before the text.
        part.markerX = x + f.leftIndent + FrameInset(f, frame::kLeft) + f.listLevel * f.listIndentStep;
        int ly = yy + box.spaceBefore;
        int linesHeight = 0;
        for (size_t k = 0; k < box.lines.size(); ++k) {
            const Line& line = box.lines[k];
            linesHeight = Add(linesHeight, line.height);
            if (allowBreaks && ly + line.height > bottom && ly > top) {
                part.height = ly - part.y;
                placedParagraphs_.push_back(part);
                part = PlacedParagraph{index, ++page, x, top, boxWidth, 0, false, {}};
                ly = top;
            }
            lines_.push_back(PlacedLine{index, static_cast<int>(k), page, x + line.indent, ly,
                                        paragraphStarts_[static_cast<size_t>(index)] + line.offset});
            ly = Add(ly, line.height);
            if (allowBreaks && line.pageBreak) {
                part.height = ly - part.y;
                placedParagraphs_.push_back(part);
                part = PlacedParagraph{index, ++page, x, top, boxWidth, 0, false, {}};
                ly = top;
            }
        }
        yy = Add(ly, std::max(0, box.height - box.spaceBefore - linesHeight));
        part.height = yy - part.y;
        placedParagraphs_.push_back(part);
    };

    const int count = d.ParagraphCount();
    for (int i = 0; i < count;) {
        const Paragraph& p = d.paragraphs[static_cast<size_t>(i)];
        if (p.cell.table == 0) {
            const ParagraphBox* box = &Box(d, p, i, width, next);
            int x = left, w = width;
            for (const auto& ex : exclusions) {
                if (ex.page != page || ex.top >= y + box->height || ex.bottom <= y) continue;
                if (ex.right <= left || ex.left >= left + width) continue;  // beside the text area
                // Beside the object, on the side with more room; below it when neither has enough.
                const int roomLeft = ex.left - left, roomRight = left + width - ex.right;
                if (std::max(roomLeft, roomRight) < kMinWrapWidth) {
                    y = ex.bottom;
                    continue;
                }
                if (roomRight >= roomLeft) {
                    x = ex.right;
                    w = roomRight;
                } else {
                    w = roomLeft;
                }
                box = &Box(d, p, i, w, next);
                break;
            }
            boxes_[static_cast<size_t>(i)] = box;
            placeLines(i, *box, x, w, y, true);
            ++i;
            continue;
        }
        // A table: row by row, each row kept on one page.
        const Table* t = d.FindTable(p.cell.table);
        int end = i;
        while (end < count && d.paragraphs[static_cast<size_t>(end)].cell.table == p.cell.table) ++end;
        if (!t) {  // cannot happen in a validated document; lay the paragraphs out as plain text
            for (; i < end; ++i) {
                const ParagraphBox& box = Box(d, d.paragraphs[static_cast<size_t>(i)], i, width, next);
                boxes_[static_cast<size_t>(i)] = &box;
                placeLines(i, box, left, width, y, true);
            }
            continue;
        }
        std::vector<int> colX(static_cast<size_t>(t->cols) + 1, left);
        for (int c = 0; c < t->cols; ++c) colX[static_cast<size_t>(c) + 1] = colX[static_cast<size_t>(c)] + t->columnWidths[static_cast<size_t>(c)];
        int k = i;
        while (k < end) {
            const int row = d.paragraphs[static_cast<size_t>(k)].cell.row;
            int rowEnd = k;
            while (rowEnd < end && d.paragraphs[static_cast<size_t>(rowEnd)].cell.row == row) ++rowEnd;
            // Heights first, to decide whether the row fits on this page.
            int rowHeight = 0;
            std::vector<int> cellHeight(static_cast<size_t>(t->cols) + 1, 0);
            for (int q = k; q < rowEnd; ++q) {
                const Paragraph& cp = d.paragraphs[static_cast<size_t>(q)];
                const int col = std::clamp(cp.cell.col, 1, t->cols);
                const int inner = std::max(t->columnWidths[static_cast<size_t>(col) - 1] - 2 * kCellPadding, kMinLineWidth);
                const ParagraphBox& box = Box(d, cp, q, inner, next);
                boxes_[static_cast<size_t>(q)] = &box;
                cellHeight[static_cast<size_t>(col)] = Add(cellHeight[static_cast<size_t>(col)], box.height);
            }
            for (int c = 1; c <= t->cols; ++c) rowHeight = std::max(rowHeight, cellHeight[static_cast<size_t>(c)] + 2 * kCellPadding);
            if (y + rowHeight > bottom && y > top) {
                ++page;
                y = top;
            }
            std::vector<int> cellY(static_cast<size_t>(t->cols) + 1, y + kCellPadding);
            for (int q = k; q < rowEnd; ++q) {
                const int col = std::clamp(d.paragraphs[static_cast<size_t>(q)].cell.col, 1, t->cols);
                const int inner = std::max(t->columnWidths[static_cast<size_t>(col) - 1] - 2 * kCellPadding, kMinLineWidth);
                placeLines(q, *boxes_[static_cast<size_t>(q)], colX[static_cast<size_t>(col) - 1] + kCellPadding, inner,
                           cellY[static_cast<size_t>(col)], false);
            }
            for (int c = 1; c <= t->cols; ++c) {
                cells_.push_back(PlacedCell{t->id, row, c, page, colX[static_cast<size_t>(c) - 1], y,
                                            t->columnWidths[static_cast<size_t>(c) - 1], rowHeight});
            }
            y = Add(y, rowHeight);
            k = rowEnd;
        }
        i = end;
    }
    pageCount_ = page;

    // Objects: characters where their run is, fixed ones on the page of the text they move with.
    for (const auto& placed : lines_) {
        const Line& line = LineOf(placed);
        for (const auto& run : line.runs) {
            if (!run.objectId) continue;
            const Object* o = d.FindObject(run.objectId);
            if (!o) continue;
            objects_.push_back(PlacedObject{o->id, placed.page, placed.x + run.x, placed.y + line.ascent - o->ShownHeight(),
                                            o->ShownWidth(), o->ShownHeight()});
        }
    }
    for (const auto& o : d.objects) {
        if (!o.fixed) continue;
        objects_.push_back(PlacedObject{o.id, PositionToPoint(o.anchor).page, o.x, o.y, o.ShownWidth(), o.ShownHeight()});
    }

}

const Line& Layout::LineOf(const PlacedLine& placed) const {
    return boxes_[static_cast<size_t>(placed.paragraph)]->lines[static_cast<size_t>(placed.line)];
}
const Line& Layout::HeaderLineOf(const PlacedLine& placed) const {
    return headerBoxes_[static_cast<size_t>(placed.paragraph)]->lines[static_cast<size_t>(placed.line)];
}
const Line& Layout::FooterLineOf(const PlacedLine& placed) const {
    return footerBoxes_[static_cast<size_t>(placed.paragraph)]->lines[static_cast<size_t>(placed.line)];
}

// ---------------------------------------------------------------- position <-> point

CaretPoint Layout::PositionToPoint(int position) const {
    if (lines_.empty() || paragraphStarts_.empty()) return {};
    auto it = std::upper_bound(paragraphStarts_.begin(), paragraphStarts_.end(), std::max(position, 0));
    const int para = std::max(0, static_cast<int>(it - paragraphStarts_.begin()) - 1);
    const ParagraphBox* box = boxes_[static_cast<size_t>(para)];
    if (!box) return {};
    int offset = std::max(position, 0) - paragraphStarts_[static_cast<size_t>(para)];
    const int first = firstLine_[static_cast<size_t>(para)];
    const int lineCount = static_cast<int>(box->lines.size());
    int k = 0;
    while (k + 1 < lineCount && box->lines[static_cast<size_t>(k) + 1].offset <= offset) ++k;
    const Line& line = box->lines[static_cast<size_t>(k)];
    offset = std::clamp(offset - line.offset, 0, line.length);
    const PlacedLine& placed = lines_[static_cast<size_t>(first + k)];
    return CaretPoint{placed.page, placed.x + line.caretX[static_cast<size_t>(offset)], placed.y, line.height};
}

int Layout::PointToPosition(int page, int x, int y) const {
    if (lines_.empty()) return 0;
    const PlacedLine* best = nullptr;
    long long bestScore = LLONG_MAX;
    for (const auto& placed : lines_) {
        const Line& line = LineOf(placed);
        const long long pageGap = std::abs(placed.page - page);
        const long long dy = y < placed.y ? placed.y - y : (y >= placed.y + line.height ? y - (placed.y + line.height) + 1 : 0);
        const long long dx = x < placed.x ? placed.x - x : (x > placed.x + line.width ? x - placed.x - line.width : 0);
        const long long score = pageGap * 1'000'000'000LL + dy * 100'000LL + dx;
        if (score < bestScore) {
            bestScore = score;
            best = &placed;
        }
    }
    const Line& line = LineOf(*best);
    // The caret may stand before a closing break character but not after it, and a click past the
    // end of a wrapped line stays on that line (its end is the next line's start).
    const bool wraps = best + 1 < lines_.data() + lines_.size() && (best + 1)->paragraph == best->paragraph;
    const int last = (line.hardBreak || wraps) && line.length > 0 ? line.length - 1 : line.length;
    int bestK = 0;
    int bestDx = INT_MAX;
    for (int k = 0; k <= last; ++k) {
        const int dx = std::abs(best->x + line.caretX[static_cast<size_t>(k)] - x);
        if (dx < bestDx) {
            bestDx = dx;
            bestK = k;
        }
    }
    return best->start + bestK;
}

}  // namespace tx
