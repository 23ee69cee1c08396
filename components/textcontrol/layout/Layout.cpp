#include "components/textcontrol/layout/Layout.h"

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>
#include <unordered_map>

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
    slots_.clear();
    header_.assign(1, {});
    footer_.assign(1, {});
    lines_.clear();
    placedParagraphs_.clear();
    cells_.clear();
    objects_.clear();
    charObjects_ = 0;
    pageCount_ = 1;
    valid_ = false;
}

// ---------------------------------------------------------------- line breaking

ParagraphBox Layout::Break(const Document& d, const Paragraph& p, int index, int width, int pageNumber) const {
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
            advance[static_cast<size_t>(i)] = o ? o->ShownWidth() + o->distance[0] + o->distance[2] : 0;
        } else if (c == kLineBreak || c == kPageBreak) {
            advance[static_cast<size_t>(i)] = 0;
        } else if (c == kPageNumberChar) {
            // The room of the number it shows, in its own format.
            int room = 0;
            if (pageNumber > 0) {
                const std::wstring number = std::to_wstring(pageNumber);
                std::vector<int> digits(number.size());
                m.Advances(d.charFormats[p.formats[static_cast<size_t>(i)]], number, digits.data());
                for (int w : digits) room += w;
            }
            advance[static_cast<size_t>(i)] = room;
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
                line.ascent = std::max(line.ascent, o->ShownHeight() + o->distance[1] + o->distance[3]);
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

namespace {

// Replaces v[from, to) with `with`, in place when the lengths agree (the usual keystroke).
template <class T>
void Splice(std::vector<T>& v, size_t from, size_t to, std::vector<T>&& with) {
    if (with.size() == to - from) {
        std::move(with.begin(), with.end(), v.begin() + static_cast<long>(from));
        return;
    }
    v.erase(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(to));
    v.insert(v.begin() + static_cast<long>(from), std::make_move_iterator(with.begin()), std::make_move_iterator(with.end()));
}

}  // namespace

const ParagraphBox& Layout::BoxIn(CachedBox (&boxes)[2], int& used, const Document& d, const Paragraph& p, int index,
                                  int width) {
    for (int k = 0; k < 2; ++k) {
        if (boxes[k].width == width && boxes[k].stamp == p.stamp) {
            used = k;
            return boxes[k].box;
        }
    }
    // The other box than the one used last goes: a paragraph beside an object keeps both widths.
    const int k = 1 - used;
    ++broken_;
    boxes[k].box = Break(d, p, index, width);
    boxes[k].stamp = p.stamp;
    boxes[k].width = width;
    used = k;
    return boxes[k].box;
}

const ParagraphBox& Layout::SlotBox(const Document& d, int index, int width) {
    Slot& slot = slots_[static_cast<size_t>(index)];
    return BoxIn(slot.boxes, slot.placed, d, d.paragraphs[static_cast<size_t>(index)], index, width);
}

// ---------------------------------------------------------------- placing on pages

void Layout::LayoutStory(const Document& d, const std::vector<Paragraph>& story, int top, bool fromBottom, int pageNumber,
                         StoryLayout& layout) {
    std::vector<PlacedLine>& out = layout.lines;
    std::vector<CachedBox>& boxes = layout.boxes;
    const PageSetup& page = d.page;
    const int width = std::max(page.width - page.marginLeft - page.marginRight, kMinLineWidth);
    out.clear();
    std::vector<CachedBox> kept = std::move(boxes);
    boxes.assign(story.size(), CachedBox{});
    int total = 0;
    for (size_t i = 0; i < story.size(); ++i) {
        const Paragraph& p = story[i];
        auto it = std::find_if(kept.begin(), kept.end(), [&](const CachedBox& c) { return c.stamp == p.stamp && c.width == width; });
        if (it != kept.end()) {
            boxes[i] = std::move(*it);
            it->stamp = 0;
        } else {
            ++broken_;
            boxes[i] = CachedBox{p.stamp, width, Break(d, p, -1, width, pageNumber)};
        }
        total = Add(total, boxes[i].box.height);
    }
    int y = fromBottom ? top - total : top;
    for (size_t i = 0; i < story.size(); ++i) {
        const ParagraphBox& box = boxes[i].box;
        int ly = y + box.spaceBefore;
        for (size_t k = 0; k < box.lines.size(); ++k) {
            const Line& line = box.lines[k];
            out.push_back(PlacedLine{static_cast<int>(i), static_cast<int>(k), std::max(pageNumber, 1),
                                     page.marginLeft + line.indent, ly, line.offset});
            ly = Add(ly, line.height);
        }
        y = Add(y, box.height);
    }
}

bool Layout::HasExclusions(const Document& d) {
    return std::any_of(d.objects.begin(), d.objects.end(), [](const Object& o) {
        return o.fixed && o.textFlow == 0 && o.ShownWidth() != 0 && o.ShownHeight() != 0;
    });
}

void Layout::Update(const Document& d) {
    broken_ = 0;
    std::vector<BodyChange> changes;
    const bool known = valid_ && d.Identity() == identity_ && d.ChangesSince(version_, changes);
    bool aligned = false, everything = !known || !(d.page == page_) || HasExclusions(d);
    int lo = 0, hi = -1;
    if (known) {
        everything |= std::any_of(changes.begin(), changes.end(), [](const BodyChange& c) { return c.index < 0; });
        ApplyChanges(changes, lo, hi);
        aligned = slots_.size() == d.paragraphs.size();
    }
    if (!aligned || everything) FullUpdate(d, aligned);
    else if (!changes.empty()) IncrementalUpdate(d, lo, hi);
    // After either: a change of the body can change the count of pages that number themselves.
    LayoutStories(d);
    identity_ = d.Identity();
    version_ = d.Version();
    page_ = d.page;
    valid_ = true;
}

void Layout::ApplyChanges(const std::vector<BodyChange>& changes, int& lo, int& hi) {
    lo = INT_MAX;
    hi = -1;
    for (const BodyChange& c : changes) {
        if (c.index < 0) continue;
        const int i = c.index, r = c.removed, n = c.inserted;
        if (static_cast<size_t>(i + r) > slots_.size()) {  // cannot be: the list no longer matches
            slots_.clear();
            return;
        }
        if (r != n || r != 1) {
            // The new paragraphs start where the first one taken out started.
            Slot model;
            if (static_cast<size_t>(i) < slots_.size()) {
                model.first = slots_[static_cast<size_t>(i)].first;
                model.before = slots_[static_cast<size_t>(i)].before;
                model.startKnown = slots_[static_cast<size_t>(i)].startKnown;
            }
            slots_.erase(slots_.begin() + i, slots_.begin() + i + r);
            slots_.insert(slots_.begin() + i, static_cast<size_t>(n), model);
            // The paragraph that followed the ones taken out began after them, not where it now stands.
            if (static_cast<size_t>(i + n) < slots_.size()) slots_[static_cast<size_t>(i + n)].startKnown = false;
        }
        // The changed range, carried through this change's renumbering.
        if (hi >= i + r) hi += n - r;
        else if (hi >= i) hi = i + n - 1;
        if (lo >= i + r && lo != INT_MAX) lo += n - r;
        else if (lo >= i && lo != INT_MAX) lo = i;
        lo = std::min(lo, i);
        hi = std::max(hi, i + n - 1);
    }
}

void Layout::FullUpdate(const Document& d, bool aligned) {
    if (!aligned) {
        // Another document or a list that no longer reaches back: boxes are found again by stamp,
        // so that what did not change is not broken again.
        std::unordered_multimap<std::uint64_t, CachedBox> pool;
        for (auto& slot : slots_)
            for (auto& c : slot.boxes)
                if (c.width >= 0) pool.emplace(c.stamp, std::move(c));
        slots_.assign(d.paragraphs.size(), Slot{});
        for (size_t i = 0; i < slots_.size() && !pool.empty(); ++i) {
            auto [from, to] = pool.equal_range(d.paragraphs[i].stamp);
            for (int k = 0; from != to && k < 2; ++k) {
                slots_[i].boxes[k] = std::move(from->second);
                from = pool.erase(from);
            }
        }
    }
    // Text flows around fixed objects: a first pass finds the page each one is on, a second lays
    // the text out around them.
    std::vector<Exclusion> exclusions;
    PlaceAll(d, exclusions);
    for (const auto& o : d.objects) {
        if (!o.fixed || o.textFlow != 0 || o.ShownWidth() == 0 || o.ShownHeight() == 0) continue;
        // Text keeps the image's own distance on each side; windowed objects keep the usual room.
        const auto gap = o.kind == ObjectKind::Image ? o.distance : std::array<int, 4>{kWrapGap, kWrapGap, kWrapGap, kWrapGap};
        exclusions.push_back(Exclusion{PositionToPoint(o.anchor).page, o.x - gap[0], o.y - gap[1],
                                       o.x + o.ShownWidth() + gap[2], o.y + o.ShownHeight() + gap[3]});
    }
    if (!exclusions.empty()) PlaceAll(d, exclusions);
    PlaceFixedObjects(d);
}

void Layout::LayoutStories(const Document& d) {
    // Header at the top margin's middle, footer ending at the bottom margin's middle. A story with a
    // page number is laid out for each page (its boxes kept from one update to the next by page).
    const PageSetup& pg = d.page;
    auto layoutStory = [&](const Story& story, int top, bool fromBottom, std::vector<StoryLayout>& pages) {
        bool numbered = false;
        for (const auto& p : story.paragraphs) numbered = numbered || p.text.find(kPageNumberChar) != std::wstring::npos;
        pages.resize(numbered ? static_cast<size_t>(pageCount_) : 1);
        for (size_t k = 0; k < pages.size(); ++k)
            LayoutStory(d, story.paragraphs, top, fromBottom, numbered ? static_cast<int>(k) + 1 : 0, pages[k]);
    };
    layoutStory(d.header, std::min(720, pg.marginTop / 2), false, header_);
    layoutStory(d.footer, pg.height - std::min(720, pg.marginBottom / 2), true, footer_);
}

void Layout::PlaceAll(const Document& d, const std::vector<Exclusion>& exclusions) {
    Output out;
    PlaceState state;
    state.y = d.page.marginTop;
    const int count = d.ParagraphCount();
    for (int i = 0; i < count;) i = PlaceUnit(d, i, state, exclusions, out, Marks{});
    lines_ = std::move(out.lines);
    placedParagraphs_ = std::move(out.parts);
    cells_ = std::move(out.cells);
    objects_ = std::move(out.objects);
    charObjects_ = static_cast<int>(objects_.size());
    endState_ = state;
    pageCount_ = state.page;
}

void Layout::IncrementalUpdate(const Document& d, int lo, int hi) {
    const int count = d.ParagraphCount();
    // Resume at the first changed paragraph when its slot still says where and how it begins (a
    // paragraph changed or put in where others stood); else at the unit before it, whose slot does.
    int restart = std::clamp(lo, 0, count - 1);
    if (restart != lo || !slots_[static_cast<size_t>(restart)].startKnown) restart = std::clamp(lo - 1, 0, count - 1);
    if (const int table = d.paragraphs[static_cast<size_t>(restart)].cell.table)
        while (restart > 0 && d.paragraphs[static_cast<size_t>(restart) - 1].cell.table == table) --restart;
    const Marks cut = slots_[static_cast<size_t>(restart)].first;
    PlaceState state = slots_[static_cast<size_t>(restart)].before;

    Output out;
    int i = restart;
    bool converged = false;
    while (i < count) {
        // Past the changes, arriving in the state the old layout had here means the rest is as it was.
        if (i > hi && i > restart && slots_[static_cast<size_t>(i)].before == state) {
            converged = true;
            break;
        }
        i = PlaceUnit(d, i, state, {}, out, cut);
    }

    objects_.resize(static_cast<size_t>(charObjects_));  // the fixed ones are placed again below
    Marks tail{static_cast<int>(lines_.size()), static_cast<int>(placedParagraphs_.size()), static_cast<int>(cells_.size()),
               charObjects_};
    int paragraphShift = 0, positionShift = 0;
    if (converged) {
        tail = slots_[static_cast<size_t>(i)].first;
        const PlacedLine& old = lines_[static_cast<size_t>(tail.line)];
        paragraphShift = i - old.paragraph;
        positionShift = d.ParagraphStart(i) - old.start;
    } else {
        endState_ = state;
        pageCount_ = state.page;
    }
    const Marks sizes = out.Sizes();
    const Marks moved{cut.line + sizes.line - tail.line, cut.part + sizes.part - tail.part, cut.cell + sizes.cell - tail.cell,
                      cut.object + sizes.object - tail.object};
    Splice(lines_, static_cast<size_t>(cut.line), static_cast<size_t>(tail.line), std::move(out.lines));
    Splice(placedParagraphs_, static_cast<size_t>(cut.part), static_cast<size_t>(tail.part), std::move(out.parts));
    Splice(cells_, static_cast<size_t>(cut.cell), static_cast<size_t>(tail.cell), std::move(out.cells));
    Splice(objects_, static_cast<size_t>(cut.object), static_cast<size_t>(tail.object), std::move(out.objects));
    charObjects_ += moved.object;
    if (converged) {
        // The rest stays where it was; only its numbers move.
        if (paragraphShift != 0 || positionShift != 0) {
            for (size_t k = static_cast<size_t>(cut.line + sizes.line); k < lines_.size(); ++k) {
                lines_[k].paragraph += paragraphShift;
                lines_[k].start += positionShift;
            }
        }
        if (paragraphShift != 0)
            for (size_t k = static_cast<size_t>(cut.part + sizes.part); k < placedParagraphs_.size(); ++k)
                placedParagraphs_[k].paragraph += paragraphShift;
        if (moved.line || moved.part || moved.cell || moved.object) {
            for (size_t k = static_cast<size_t>(i); k < slots_.size(); ++k) {
                Marks& m = slots_[k].first;
                m.line += moved.line;
                m.part += moved.part;
                m.cell += moved.cell;
                m.object += moved.object;
            }
        }
    }
    PlaceFixedObjects(d);
}

void Layout::PlaceFixedObjects(const Document& d) {
    objects_.resize(static_cast<size_t>(charObjects_));
    for (const auto& o : d.objects) {
        if (!o.fixed) continue;
        objects_.push_back(PlacedObject{o.id, PositionToPoint(o.anchor).page, o.x, o.y, o.ShownWidth(), o.ShownHeight()});
    }
}

void Layout::PlaceLines(const Document& d, int index, const ParagraphBox& box, int x, int boxWidth, int& y,
                        bool allowBreaks, PlaceState& state, Output& out, const Marks& base) {
    const PageSetup& pg = d.page;
    const int top = pg.marginTop;
    const int bottom = std::max(pg.height - pg.marginBottom, top + 1);
    Slot& slot = slots_[static_cast<size_t>(index)];
    const Marks sizes = out.Sizes();
    slot.first = Marks{base.line + sizes.line, base.part + sizes.part, base.cell + sizes.cell, base.object + sizes.object};

    PlacedParagraph part{index, state.page, x, y, 0, 0, true, {}};
    const ParaFormat& f = d.paragraphs[static_cast<size_t>(index)].format;
    if (f.listKind == ListKind::Numbered) {
        ++state.counters[f.listLevel];
        for (int l = f.listLevel + 1; l <= kMaxListLevel; ++l) state.counters[l] = 0;
        part.listMarker = ListMarker(f, state.counters[f.listLevel]);
    } else if (f.listKind == ListKind::Bullet) {
        part.listMarker = ListMarker(f, 0);
    } else {
        std::fill(std::begin(state.counters), std::end(state.counters), 0);
    }
    part.width = boxWidth;
    // The marker hangs in the level step before the text.
    part.markerX = x + f.leftIndent + FrameInset(f, frame::kLeft) + f.listLevel * f.listIndentStep;
    const int start = d.ParagraphStart(index);
    int ly = y + box.spaceBefore;
    int linesHeight = 0;
    for (size_t k = 0; k < box.lines.size(); ++k) {
        const Line& line = box.lines[k];
        linesHeight = Add(linesHeight, line.height);
        if (allowBreaks && ly + line.height > bottom && ly > top) {
            part.height = ly - part.y;
            out.parts.push_back(part);
            part = PlacedParagraph{index, ++state.page, x, top, boxWidth, 0, false, {}};
            ly = top;
        }
        const PlacedLine placed{index, static_cast<int>(k), state.page, x + line.indent, ly, start + line.offset};
        out.lines.push_back(placed);
        // Objects placed as characters stand on the line's baseline where their run is.
        for (const auto& run : line.runs) {
            if (!run.objectId) continue;
            const Object* o = d.FindObject(run.objectId);
            if (!o) continue;
            // An image in the line stands inside the room its distances keep around it.
            out.objects.push_back(PlacedObject{o->id, placed.page, placed.x + run.x + o->distance[0],
                                               placed.y + line.ascent - o->ShownHeight() - o->distance[3],
                                               o->ShownWidth(), o->ShownHeight()});
        }
        ly = Add(ly, line.height);
        if (allowBreaks && line.pageBreak) {
            part.height = ly - part.y;
            out.parts.push_back(part);
            part = PlacedParagraph{index, ++state.page, x, top, boxWidth, 0, false, {}};
            ly = top;
        }
    }
    y = Add(ly, std::max(0, box.height - box.spaceBefore - linesHeight));
    part.height = y - part.y;
    out.parts.push_back(part);
}

int Layout::PlaceUnit(const Document& d, int i, PlaceState& state, const std::vector<Exclusion>& exclusions, Output& out,
                      const Marks& base) {
    const PageSetup& pg = d.page;
    const int left = pg.marginLeft;
    const int width = std::max(pg.width - pg.marginLeft - pg.marginRight, kMinLineWidth);
    const int top = pg.marginTop;
    const int bottom = std::max(pg.height - pg.marginBottom, top + 1);
    const int count = d.ParagraphCount();
    slots_[static_cast<size_t>(i)].before = state;
    slots_[static_cast<size_t>(i)].startKnown = true;

    const Paragraph& p = d.paragraphs[static_cast<size_t>(i)];
    if (p.cell.table == 0) {
        const ParagraphBox* box = &SlotBox(d, i, width);
        int x = left, w = width;
        for (const auto& ex : exclusions) {
            if (ex.page != state.page || ex.top >= state.y + box->height || ex.bottom <= state.y) continue;
            if (ex.right <= left || ex.left >= left + width) continue;  // beside the text area
            // Beside the object, on the side with more room; below it when neither has enough.
            const int roomLeft = ex.left - left, roomRight = left + width - ex.right;
            if (std::max(roomLeft, roomRight) < kMinWrapWidth) {
                state.y = ex.bottom;
                continue;
            }
            if (roomRight >= roomLeft) {
                x = ex.right;
                w = roomRight;
            } else {
                w = roomLeft;
            }
            box = &SlotBox(d, i, w);
            break;
        }
        PlaceLines(d, i, *box, x, w, state.y, true, state, out, base);
        return i + 1;
    }
    // A table: row by row, each row kept on one page.
    const Table* t = d.FindTable(p.cell.table);
    int end = i;
    while (end < count && d.paragraphs[static_cast<size_t>(end)].cell.table == p.cell.table) ++end;
    if (!t) {  // cannot happen in a validated document; lay the paragraphs out as plain text
        for (int q = i; q < end; ++q) PlaceLines(d, q, SlotBox(d, q, width), left, width, state.y, true, state, out, base);
        return end;
    }
    std::vector<int> colX(static_cast<size_t>(t->cols) + 1, left);
    for (int c = 0; c < t->cols; ++c) colX[static_cast<size_t>(c) + 1] = colX[static_cast<size_t>(c)] + t->columnWidths[static_cast<size_t>(c)];
    // Merged cells: each grid cell's block, and the text width of a block.
    const std::vector<CellSpan> spans = t->Spans();
    const auto cellIndex = [&](int row, int col) { return static_cast<size_t>((row - 1) * t->cols + (col - 1)); };
    const auto spanOf = [&](int q) -> const CellSpan& {
        const CellRef& c = d.paragraphs[static_cast<size_t>(q)].cell;
        return spans[cellIndex(std::clamp(c.row, 1, t->rows), std::clamp(c.col, 1, t->cols))];
    };
    const auto innerWidth = [&](const CellSpan& s) {
        return std::max(colX[static_cast<size_t>(s.col + s.cols - 1)] - colX[static_cast<size_t>(s.col) - 1] - 2 * kCellPadding,
                        kMinLineWidth);
    };
    // A cell covered by a merged cell shows its text below the merged cell's own; an empty one (a
    // single empty paragraph, as merged cells usually leave them) takes no room there.
    const auto takesNoRoom = [&](int q) {
        const Paragraph& p = d.paragraphs[static_cast<size_t>(q)];
        const CellSpan& s = spanOf(q);
        if (p.cell.row == s.row && p.cell.col == s.col) return false;
        const bool alone = (q == i || d.paragraphs[static_cast<size_t>(q) - 1].cell != p.cell) &&
                           (q + 1 == end || d.paragraphs[static_cast<size_t>(q) + 1].cell != p.cell);
        return alone && p.text.empty();
    };
    int k = i;
    while (k < end) {
        // A band of rows that merged cells tie together goes onto one page as a whole, as a single
        // row does.
        const int firstRow = d.paragraphs[static_cast<size_t>(k)].cell.row;
        int lastRow = firstRow;
        int bandEnd = k;
        while (bandEnd < end && d.paragraphs[static_cast<size_t>(bandEnd)].cell.row <= lastRow) {
            const CellSpan& s = spanOf(bandEnd);
            lastRow = std::max(lastRow, s.row + s.rows - 1);
            ++bandEnd;
        }
        // Heights first: each block's text, then the rows, a block over several rows making its
        // last row taller when its rows together are too short for it.
        std::map<size_t, int> content;  // by the block's first cell
        for (int q = k; q < bandEnd; ++q) {
            if (takesNoRoom(q)) continue;
            const CellSpan& s = spanOf(q);
            int& h = content[cellIndex(s.row, s.col)];
            h = Add(h, SlotBox(d, q, innerWidth(s)).height);
        }
        std::vector<int> rowHeight(static_cast<size_t>(lastRow - firstRow + 1), 0);
        std::vector<const CellSpan*> blocks;
        for (int r = firstRow; r <= lastRow; ++r)
            for (int c = 1; c <= t->cols; ++c) {
                const CellSpan& s = spans[cellIndex(r, c)];
                if (s.row == r && s.col == c) blocks.push_back(&s);
            }
        for (const CellSpan* s : blocks) {
            if (s->rows != 1) continue;
            int& h = rowHeight[static_cast<size_t>(s->row - firstRow)];
            h = std::max(h, Add(content[cellIndex(s->row, s->col)], 2 * kCellPadding));
        }
        std::vector<const CellSpan*> tall;
        for (const CellSpan* s : blocks)
            if (s->rows > 1) tall.push_back(s);
        std::stable_sort(tall.begin(), tall.end(),
                         [](const CellSpan* a, const CellSpan* b) { return a->row + a->rows < b->row + b->rows; });
        for (const CellSpan* s : tall) {
            int have = 0;
            for (int r = s->row; r < s->row + s->rows; ++r) have = Add(have, rowHeight[static_cast<size_t>(r - firstRow)]);
            const int need = Add(content[cellIndex(s->row, s->col)], 2 * kCellPadding);
            if (need > have) rowHeight[static_cast<size_t>(s->row + s->rows - 1 - firstRow)] += need - have;
        }
        int bandHeight = 0;
        for (int h : rowHeight) bandHeight = Add(bandHeight, h);
        if (state.y + bandHeight > bottom && state.y > top) {
            ++state.page;
            state.y = top;
        }
        std::vector<int> rowY(rowHeight.size() + 1, state.y);
        for (size_t r = 0; r < rowHeight.size(); ++r) rowY[r + 1] = Add(rowY[r], rowHeight[r]);
        std::map<size_t, int> cellY;  // where each block's next text goes
        for (const CellSpan* s : blocks) cellY[cellIndex(s->row, s->col)] = Add(rowY[static_cast<size_t>(s->row - firstRow)], kCellPadding);
        for (int q = k; q < bandEnd; ++q) {
            const CellSpan& s = spanOf(q);
            int& next = cellY[cellIndex(s.row, s.col)];
            int y = next;
            PlaceLines(d, q, SlotBox(d, q, innerWidth(s)), colX[static_cast<size_t>(s.col) - 1] + kCellPadding, innerWidth(s),
                       y, false, state, out, base);
            if (!takesNoRoom(q)) next = y;
        }
        for (const CellSpan* s : blocks) {
            const int x0 = colX[static_cast<size_t>(s->col) - 1];
            out.cells.push_back(PlacedCell{t->id, s->row, s->col, state.page, x0, rowY[static_cast<size_t>(s->row - firstRow)],
                                           colX[static_cast<size_t>(s->col + s->cols - 1)] - x0,
                                           rowY[static_cast<size_t>(s->row + s->rows - firstRow)] - rowY[static_cast<size_t>(s->row - firstRow)],
                                           s->rows, s->cols});
        }
        state.y = rowY.back();
        k = bandEnd;
    }
    return end;
}

const Line& Layout::LineOf(const PlacedLine& placed) const {
    const Slot& slot = slots_[static_cast<size_t>(placed.paragraph)];
    return slot.boxes[slot.placed].box.lines[static_cast<size_t>(placed.line)];
}
const Layout::StoryLayout& Layout::StoryOf(const std::vector<StoryLayout>& pages, int page) {
    return pages[static_cast<size_t>(std::clamp(page, 1, static_cast<int>(pages.size())) - 1)];
}
const Line& Layout::HeaderLineOf(const PlacedLine& placed) const {
    return StoryOf(header_, placed.page).boxes[static_cast<size_t>(placed.paragraph)].box.lines[static_cast<size_t>(placed.line)];
}
const Line& Layout::FooterLineOf(const PlacedLine& placed) const {
    return StoryOf(footer_, placed.page).boxes[static_cast<size_t>(placed.paragraph)].box.lines[static_cast<size_t>(placed.line)];
}

// ---------------------------------------------------------------- position <-> point

int Layout::LineAt(int position) const {
    if (lines_.empty()) return 0;
    // Lines follow the text, so their starts ascend: the last one starting at or before the position.
    auto it = std::upper_bound(lines_.begin(), lines_.end(), std::max(position, 0),
                               [](int pos, const PlacedLine& l) { return pos < l.start; });
    return std::max(0, static_cast<int>(it - lines_.begin()) - 1);
}

std::pair<int, int> Layout::LinesOfPage(int page) const {
    auto first = std::lower_bound(lines_.begin(), lines_.end(), page, [](const PlacedLine& l, int p) { return l.page < p; });
    auto last = std::upper_bound(first, lines_.end(), page, [](int p, const PlacedLine& l) { return p < l.page; });
    return {static_cast<int>(first - lines_.begin()), static_cast<int>(last - lines_.begin())};
}

CaretPoint Layout::PositionToPoint(int position) const {
    if (lines_.empty()) return {};
    const PlacedLine& placed = lines_[static_cast<size_t>(LineAt(position))];
    const Line& line = LineOf(placed);
    const int offset = std::clamp(std::max(position, 0) - placed.start, 0, line.length);
    return CaretPoint{placed.page, placed.x + line.caretX[static_cast<size_t>(offset)], placed.y, line.height};
}

int Layout::PointToPosition(int page, int x, int y) const {
    if (lines_.empty()) return 0;
    // Pages ascend with the lines: the nearest page that has lines holds the answer, and on it the
    // line nearest in height, then in width.
    auto [from, to] = LinesOfPage(page);
    if (from == to) {
        // No line on that page: the pages holding lines just before and after it compete.
        const int below = from > 0 ? lines_[static_cast<size_t>(from) - 1].page : INT_MIN;
        const int above = to < static_cast<int>(lines_.size()) ? lines_[static_cast<size_t>(to)].page : INT_MIN;
        const auto b = below != INT_MIN ? LinesOfPage(below) : std::pair<int, int>{from, from};
        const auto a = above != INT_MIN ? LinesOfPage(above) : std::pair<int, int>{to, to};
        from = b.first;
        to = a.second;
        if (below != INT_MIN && above != INT_MIN && page - below != above - page) {
            if (page - below < above - page) to = b.second;
            else from = a.first;
        }
    }
    const PlacedLine* best = nullptr;
    long long bestGap = LLONG_MAX, bestDy = LLONG_MAX, bestDx = LLONG_MAX;
    for (int i = from; i < to; ++i) {
        const PlacedLine& placed = lines_[static_cast<size_t>(i)];
        const Line& line = LineOf(placed);
        const long long pageGap = std::abs(placed.page - page);
        const long long dy = y < placed.y ? placed.y - y : (y >= placed.y + line.height ? y - (placed.y + line.height) + 1 : 0);
        const long long dx = x < placed.x ? placed.x - x : (x > placed.x + line.width ? x - placed.x - line.width : 0);
        if (std::tie(pageGap, dy, dx) < std::tie(bestGap, bestDy, bestDx)) {
            bestGap = pageGap;
            bestDy = dy;
            bestDx = dx;
            best = &placed;
        }
    }
    const Line& line = LineOf(*best);
    // The caret may stand before a closing break character but not after it, and a click past the
    // end of a wrapped line stays on that line (its end is the next line's start).
    const bool wraps = best + 1 < lines_.data() + lines_.size() && (best + 1)->paragraph == best->paragraph;
    const int last = (line.hardBreak || wraps) && line.length > 0 ? line.length - 1 : line.length;
    int bestK = 0;
    int bestKdx = INT_MAX;
    for (int k = 0; k <= last; ++k) {
        const int dx = std::abs(best->x + line.caretX[static_cast<size_t>(k)] - x);
        if (dx < bestKdx) {
            bestKdx = dx;
            bestK = k;
        }
    }
    return best->start + bestK;
}

}  // namespace tx
