#include "components/textcontrol/model/Document.h"

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <map>
#include <set>

#include "components/textcontrol/model/Journal.h"
#include "components/textcontrol/model/Limits.h"

namespace tx {

namespace {

// How many body changes a document remembers for the layout; a layout further behind lays out anew.
constexpr size_t kMaxChanges = 4096;

std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

}  // namespace

Document::Tracking::Tracking() : identity(NextSerial()) {}

Journal::Journal(const Document& d) : serial_(NextSerial()) {
    journal::Scalars s;
    s.page = d.page;
    s.nextFieldId = d.nextFieldId;
    s.nextObjectId = d.nextObjectId;
    s.nextTableId = d.nextTableId;
    s.formatsBase = d.charFormats.size();
    entries_.push_back(std::move(s));
}

void Journal::Add(journal::Entry entry) {
    // Typing shifts the anchored items once per key: consecutive shifts make one.
    if (auto* next = std::get_if<journal::Shift>(&entry); next && next->insert && !next->reverse && !entries_.empty()) {
        if (auto* last = std::get_if<journal::Shift>(&entries_.back());
            last && last->insert && !last->reverse && last->position + last->count == next->position) {
            last->count += next->count;
            return;
        }
    }
    entries_.push_back(std::move(entry));
}

Document::Document() {
    charFormats.push_back(CharFormat{});
    paragraphs.push_back(NewParagraph());
}

Paragraph Document::NewParagraph(ParaFormat format, CellRef cell) {
    Paragraph p;
    p.format = std::move(format);
    p.cell = cell;
    p.stamp = ++stampCounter;
    return p;
}

// ---------------------------------------------------------------- position index

bool Document::PositionIndex::Matches(const std::vector<Paragraph>& paragraphs) const {
    if (!built_) return true;
    if (lengths_.size() != paragraphs.size()) return false;
    std::vector<int> pending(dirty_);
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const int length = static_cast<int>(paragraphs[i].text.size()) + 1;
        if (lengths_[i] != length && std::find(pending.begin(), pending.end(), static_cast<int>(i)) == pending.end())
            return false;
    }
    return true;
}

void Document::PositionIndex::Ensure(const std::vector<Paragraph>& paragraphs) {
    // A reader may have replaced the paragraphs wholesale: a different count means a rebuild.
    if (built_ && lengths_.size() == paragraphs.size()) {
        for (int i : dirty_) {
            if (i < 0 || static_cast<size_t>(i) >= paragraphs.size()) continue;
            const int length = static_cast<int>(paragraphs[static_cast<size_t>(i)].text.size()) + 1;
            if (length != lengths_[static_cast<size_t>(i)]) {
                Add(static_cast<size_t>(i), length - lengths_[static_cast<size_t>(i)]);
                lengths_[static_cast<size_t>(i)] = length;
            }
        }
        dirty_.clear();
        return;
    }
    const size_t n = paragraphs.size();
    lengths_.resize(n);
    tree_.assign(n + 1, 0);
    total_ = 0;
    for (size_t i = 0; i < n; ++i) {
        lengths_[i] = static_cast<int>(paragraphs[i].text.size()) + 1;
        total_ += lengths_[i];
        tree_[i + 1] += lengths_[i];
        const size_t parent = (i + 1) + ((i + 1) & (~(i + 1) + 1));
        if (parent <= n) tree_[parent] += tree_[i + 1];
    }
    dirty_.clear();
    built_ = true;
}

void Document::PositionIndex::Add(size_t paragraph, int delta) {
    total_ += delta;
    for (size_t i = paragraph + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
}

int Document::PositionIndex::Start(const std::vector<Paragraph>& paragraphs, int paragraph) {
    Ensure(paragraphs);
    size_t i = static_cast<size_t>(std::clamp(paragraph, 0, static_cast<int>(lengths_.size())));
    int sum = 0;
    for (; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
}

int Document::PositionIndex::Total(const std::vector<Paragraph>& paragraphs) {
    Ensure(paragraphs);
    return total_;
}

int Document::PositionIndex::Find(const std::vector<Paragraph>& paragraphs, int position) {
    Ensure(paragraphs);
    // Descends the tree for the largest count of whole paragraphs whose lengths add up to at most
    // `position`: that count is the index of the paragraph holding it.
    const size_t n = lengths_.size();
    size_t at = 0;
    size_t step = 1;
    while (step * 2 <= n) step *= 2;
    int rest = position;
    for (; step > 0; step /= 2) {
        if (at + step <= n && tree_[at + step] <= rest) {
            at += step;
            rest -= tree_[at];
        }
    }
    return static_cast<int>(std::min(at, n - 1));
}

// ---------------------------------------------------------------- position space

int Document::Length() const {
    return const_cast<PositionIndex&>(track_.index).Total(paragraphs) - 1;
}

int Document::ParagraphStart(int paragraph) const {
    return const_cast<PositionIndex&>(track_.index).Start(paragraphs, paragraph);
}

Location Document::Locate(int position) const {
    if (position < 0) position = 0;
    if (position > Length()) return {ParagraphCount() - 1, static_cast<int>(paragraphs.back().text.size())};
    const int i = const_cast<PositionIndex&>(track_.index).Find(paragraphs, position);
    return {i, position - ParagraphStart(i)};
}

std::wstring Document::Text(int start, int length) const {
    std::wstring out;
    if (length <= 0) return out;
    const int end = start + length;
    int i = Locate(std::max(start, 0)).paragraph;
    int pos = ParagraphStart(i);
    for (; i < ParagraphCount() && pos < end; ++i) {
        const auto& text = paragraphs[static_cast<size_t>(i)].text;
        const int pEnd = pos + static_cast<int>(text.size());
        const int from = std::max(start, pos), to = std::min(end, pEnd);
        if (from < to) out.append(text, static_cast<size_t>(from - pos), static_cast<size_t>(to - from));
        if (i + 1 < ParagraphCount() && pEnd >= start && pEnd < end) out.push_back(kParagraphSeparator);
        pos = pEnd + 1;
    }
    return out;
}

const CharFormat& Document::FormatAt(int paragraph, int offset) const {
    const auto& p = paragraphs[static_cast<size_t>(paragraph)];
    if (p.formats.empty()) return charFormats[0];
    const size_t i = static_cast<size_t>(std::clamp(offset, 0, static_cast<int>(p.formats.size()) - 1));
    return charFormats[p.formats[i]];
}

std::pair<int, int> Document::ParagraphRange(int start, int length) const {
    const int first = Locate(start).paragraph;
    const int last = Locate(start + std::max(length, 0)).paragraph;
    return {first, last};
}

// ---------------------------------------------------------------- search

namespace {

// Case folding as the search compares: the ASCII letters directly, the rest by the library.
wchar_t Fold(wchar_t c) {
    if (c < 0x80) return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

}  // namespace

int Document::Find(std::wstring_view needle, int from, bool ignoreCase) const {
    const int length = Length();
    const int m = static_cast<int>(needle.size());
    if (m == 0 || from < 0 || from > length - m) return -1;
    std::wstring folded;
    if (ignoreCase) {
        folded.reserve(needle.size());
        for (wchar_t c : needle) folded.push_back(Fold(c));
        needle = folded;
    }
    const int count = ParagraphCount();
    // The character at (paragraph, offset), the separator after each paragraph but the last.
    auto at = [&](int i, int k) {
        const std::wstring& t = paragraphs[static_cast<size_t>(i)].text;
        const wchar_t c = k < static_cast<int>(t.size()) ? t[static_cast<size_t>(k)] : kParagraphSeparator;
        return ignoreCase ? Fold(c) : c;
    };
    auto matchesAt = [&](int i, int k) {
        for (int n = 0; n < m; ++n) {
            if (at(i, k) != needle[static_cast<size_t>(n)]) return false;
            if (++k > static_cast<int>(paragraphs[static_cast<size_t>(i)].text.size())) {
                if (++i >= count) return n + 1 == m;
                k = 0;
            }
        }
        return true;
    };
    const Location loc = Locate(from);
    int start = from - loc.offset;
    for (int i = loc.paragraph, k = loc.offset; i < count; ++i, k = 0) {
        const std::wstring& t = paragraphs[static_cast<size_t>(i)].text;
        const int last = i + 1 < count ? static_cast<int>(t.size()) : static_cast<int>(t.size()) - 1;  // the separator too
        if (start + k > length - m) return -1;
        if (!ignoreCase && needle.find(kParagraphSeparator) == std::wstring_view::npos) {
            // Inside one paragraph: the library's search.
            const size_t found = std::wstring_view(t).find(needle, static_cast<size_t>(k));
            if (found != std::wstring_view::npos) return start + static_cast<int>(found);
        } else {
            for (; k <= last; ++k)
                if (at(i, k) == needle[0] && matchesAt(i, k)) return start + k;
        }
        start += static_cast<int>(t.size()) + 1;
    }
    return -1;
}

// ---------------------------------------------------------------- changes for the layout

void Document::NoteChange(BodyChange change) {
    auto& t = track_;
    ++t.version;
    // A paragraph edited again, with nothing between, is one change: the newer version stands for both.
    if (!t.changes.empty() && t.changes.back().second == change && change.removed == 1 && change.inserted == 1) {
        t.changes.back().first = t.version;
        return;
    }
    t.changes.emplace_back(t.version, change);
    if (t.changes.size() > kMaxChanges) {
        const size_t drop = t.changes.size() / 2;
        t.forgotten = t.changes[drop - 1].first;
        t.changes.erase(t.changes.begin(), t.changes.begin() + static_cast<long>(drop));
    }
}

bool Document::ChangesSince(std::uint64_t version, std::vector<BodyChange>& out) const {
    const auto& t = track_;
    out.clear();
    if (version > t.version || version < t.forgotten) return false;
    auto it = std::upper_bound(t.changes.begin(), t.changes.end(), version,
                               [](std::uint64_t v, const std::pair<std::uint64_t, BodyChange>& c) { return v < c.first; });
    for (; it != t.changes.end(); ++it) out.push_back(it->second);
    return true;
}

// ---------------------------------------------------------------- journaled primitives

Paragraph& Document::EditParagraph(int index) {
    Paragraph& p = paragraphs[static_cast<size_t>(index)];
    if (Journal* j = track_.journal; j && p.journaled != j->Serial()) {
        j->Add(journal::ParagraphSaved{index, p});
        p.journaled = j->Serial();
    }
    track_.index.Changed(index);
    NoteChange(BodyChange{index, 1, 1});
    return p;
}

void Document::Touch(int paragraph) { EditParagraph(paragraph).stamp = ++stampCounter; }

void Document::PutParagraphs(int index, std::vector<Paragraph> added) {
    if (added.empty()) return;
    const int count = static_cast<int>(added.size());
    if (Journal* j = track_.journal) {
        // Taken back as a whole: later changes to them need not be saved one by one.
        for (auto& p : added) p.journaled = j->Serial();
        j->Add(journal::ParagraphsPut{index, count});
    }
    paragraphs.insert(paragraphs.begin() + index, std::make_move_iterator(added.begin()),
                      std::make_move_iterator(added.end()));
    track_.index.Invalidate();
    NoteChange(BodyChange{index, 0, count});
}

void Document::TakeParagraphs(int index, int count) {
    if (count <= 0) return;
    const auto first = paragraphs.begin() + index, last = first + count;
    if (Journal* j = track_.journal)
        j->Add(journal::ParagraphsTaken{index, std::vector<Paragraph>(std::make_move_iterator(first), std::make_move_iterator(last))});
    paragraphs.erase(first, last);
    track_.index.Invalidate();
    NoteChange(BodyChange{index, count, 0});
}

template <>
std::vector<Field>& Document::Items<Field>() { return fields; }
template <>
std::vector<Object>& Document::Items<Object>() { return objects; }
template <>
std::vector<Mark>& Document::Items<Mark>() { return marks; }

template <class T>
void Document::InsertItem(size_t index, T value) {
    auto& items = Items<T>();
    items.insert(items.begin() + static_cast<long>(index), std::move(value));
    if (Journal* j = track_.journal) j->Add(journal::Item<T>{journal::Item<T>::Inserted, static_cast<int>(index), T{}});
    if constexpr (std::is_same_v<T, Object>) NoteEverythingChanged();
}

template <class T>
void Document::EraseItem(size_t index) {
    auto& items = Items<T>();
    if (Journal* j = track_.journal)
        j->Add(journal::Item<T>{journal::Item<T>::Erased, static_cast<int>(index), std::move(items[index])});
    items.erase(items.begin() + static_cast<long>(index));
    if constexpr (std::is_same_v<T, Object>) NoteEverythingChanged();
}

template <class T>
T& Document::EditItem(size_t index) {
    auto& items = Items<T>();
    for (Journal* j : {track_.journal, track_.itemsAlso})
        if (j) j->Add(journal::Item<T>{journal::Item<T>::Changed, static_cast<int>(index), items[index]});
    if constexpr (std::is_same_v<T, Object>) NoteEverythingChanged();
    return items[index];
}

void Document::SaveTables() {
    NoteEverythingChanged();
    Journal* j = track_.journal;
    if (!j || track_.tablesJournaled == j->Serial()) return;
    j->Add(journal::Tables{tables});
    track_.tablesJournaled = j->Serial();
}

std::vector<Style>& Document::EditStyles() {
    if (Journal* j = track_.journal; j && track_.stylesJournaled != j->Serial()) {
        j->Add(journal::Styles{styles});
        track_.stylesJournaled = j->Serial();
    }
    return styles;
}

Story& Document::EditStory(bool isHeader) {
    NoteEverythingChanged();
    Story& story = isHeader ? header : footer;
    std::uint64_t& saved = isHeader ? track_.headerJournaled : track_.footerJournaled;
    if (Journal* j = track_.journal; j && saved != j->Serial()) {
        j->Add(journal::StorySaved{isHeader, story.paragraphs});
        saved = j->Serial();
    }
    return story;
}

namespace {

template <class T>
T* ById(std::vector<T>& items, int id) {
    for (auto& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

template <class T>
size_t IndexOf(const std::vector<T>& items, const T* item) {
    return static_cast<size_t>(item - items.data());
}

}  // namespace

Field* Document::MutableField(int id) { return ById(fields, id); }
Object* Document::MutableObject(int id) { return ById(objects, id); }
Table* Document::MutableTable(int id) { return ById(tables, id); }
const Field* Document::FindField(int id) const { return const_cast<Document*>(this)->MutableField(id); }
const Object* Document::FindObject(int id) const { return const_cast<Document*>(this)->MutableObject(id); }
const Table* Document::FindTable(int id) const { return const_cast<Document*>(this)->MutableTable(id); }

Field* Document::EditField(int id) {
    Field* f = MutableField(id);
    return f ? &EditItem<Field>(IndexOf(fields, f)) : nullptr;
}

Object* Document::EditObject(int id) {
    Object* o = MutableObject(id);
    return o ? &EditItem<Object>(IndexOf(objects, o)) : nullptr;
}

Table* Document::EditTable(int id) {
    if (!MutableTable(id)) return nullptr;
    SaveTables();
    return MutableTable(id);
}

// ---------------------------------------------------------------- anchored items

namespace {

// Fields are sorted and do not overlap, so their ends ascend too: the fields ending before a
// position are a prefix that no shift at or after the position moves.
size_t FirstFieldEndingFrom(const std::vector<Field>& fields, int position) {
    return static_cast<size_t>(std::partition_point(fields.begin(), fields.end(),
                                                    [&](const Field& f) { return f.start + f.length < position; }) -
                               fields.begin());
}

// Moves every anchored position from `from` on through `map`; a field keeps its two ends mapped.
// `map` moves every position from `beyond` on by `shift`: the fields starting there (most of them,
// in a long document) only move, in a loop that does nothing else.
template <class Map>
void MapPositions(std::vector<Field>& fields, std::vector<Object>& objects, std::vector<Mark>& marks, int from, int beyond,
                  int shift, Map map) {
    size_t i = FirstFieldEndingFrom(fields, from);
    for (; i < fields.size() && fields[i].start < beyond; ++i) {
        Field& f = fields[i];
        const int s = map(f.start), e = map(f.start + f.length);
        f.start = s;
        f.length = e - s;
    }
    for (; i < fields.size(); ++i) fields[i].start += shift;
    for (auto& o : objects) o.anchor = map(o.anchor);
    for (auto& m : marks) m.position = map(m.position);
}

}  // namespace

void Document::MapInsert(int position, int count) {
    // A field the insertion falls inside grows; the ones from the position on move.
    size_t i = FirstFieldEndingFrom(fields, position);
    for (; i < fields.size() && fields[i].start < position; ++i) {
        Field& f = fields[i];
        if (position < f.start + f.length) f.length += count;
    }
    for (; i < fields.size(); ++i) fields[i].start += count;
    for (auto& o : objects) {
        if (o.anchor >= position) o.anchor += count;
    }
    for (auto& m : marks) {
        if (m.position > position) m.position += count;
    }
}

void Document::MapDelete(int position, int count) {
    const int end = position + count;
    MapPositions(fields, objects, marks, position, end, -count,
                 [&](int p) { return p < position ? p : (p >= end ? p - count : position); });
}

void Document::MapUndelete(int position, int count) {
    MapPositions(fields, objects, marks, position, position, count, [&](int p) { return p >= position ? p + count : p; });
}

void Document::ShiftForInsert(int position, int count) {
    if (count <= 0) return;
    if (Journal* j = track_.journal) j->Add(journal::Shift{true, false, position, count});
    MapInsert(position, count);
}

void Document::ShiftForDelete(int position, int count) {
    if (count <= 0) return;
    const int end = position + count;
    // The fields the range touches; the ones after it only move.
    const size_t firstField = FirstFieldEndingFrom(fields, position);
    size_t pastFields = firstField;
    while (pastFields < fields.size() && fields[pastFields].start <= end) ++pastFields;
    // Collapsing the range loses where the items inside it were: the journal keeps them first.
    if (Journal* j = track_.journal) {
        auto inside = [&](int p) { return p >= position && p <= end; };
        for (size_t i = firstField; i < pastFields; ++i)
            j->Add(journal::Item<Field>{journal::Item<Field>::Changed, static_cast<int>(i), fields[i]});
        for (size_t i = 0; i < objects.size(); ++i)
            if (inside(objects[i].anchor))
                j->Add(journal::Item<Object>{journal::Item<Object>::Changed, static_cast<int>(i), objects[i]});
        for (size_t i = 0; i < marks.size(); ++i)
            if (inside(marks[i].position))
                j->Add(journal::Item<Mark>{journal::Item<Mark>::Changed, static_cast<int>(i), marks[i]});
    }
    // Objects whose character goes, go with it.
    for (size_t i = objects.size(); i-- > 0;) {
        const Object& o = objects[i];
        if (!o.fixed && o.anchor >= position && o.anchor < end) EraseItem<Object>(i);
    }
    if (Journal* j = track_.journal) j->Add(journal::Shift{false, false, position, count});
    MapDelete(position, count);
    for (size_t i = pastFields; i-- > firstField;)
        if (fields[i].length <= 0) EraseItem<Field>(i);
}

// ---------------------------------------------------------------- reverting a journal

void Document::Revert(Journal&& reverted) {
    using namespace journal;
    for (auto it = reverted.entries_.rbegin(); it != reverted.entries_.rend(); ++it) {
        std::visit(
            [this](auto& e) {
                using E = std::decay_t<decltype(e)>;
                Journal* j = track_.journal;
                if constexpr (std::is_same_v<E, Scalars>) {
                    // The values now are those the recording journal opened with (nothing else
                    // changes them): it needs only the formats this cuts off to bring them back.
                    if (j) {
                        auto& opening = std::get<Scalars>(j->entries_.front());
                        opening.formatsBase = std::min(opening.formatsBase, e.formatsBase);
                        opening.formatsBeyond.assign(charFormats.begin() + static_cast<long>(std::min(opening.formatsBase, charFormats.size())),
                                                     charFormats.end());
                    }
                    page = e.page;
                    nextFieldId = e.nextFieldId;
                    nextObjectId = e.nextObjectId;
                    nextTableId = e.nextTableId;
                    if (charFormats.size() > e.formatsBase) charFormats.resize(e.formatsBase);
                    charFormats.insert(charFormats.end(), e.formatsBeyond.begin(), e.formatsBeyond.end());
                } else if constexpr (std::is_same_v<E, ParagraphSaved>) {
                    EditParagraph(e.index) = std::move(e.paragraph);
                    track_.index.Changed(e.index);
                } else if constexpr (std::is_same_v<E, ParagraphsPut>) {
                    TakeParagraphs(e.index, e.count);
                } else if constexpr (std::is_same_v<E, ParagraphsTaken>) {
                    PutParagraphs(e.index, std::move(e.paragraphs));
                } else if constexpr (std::is_same_v<E, Shift>) {
                    // Each move is undone by its exact inverse; the items a collapse lost come back
                    // from the item entries recorded before it, which run after this one.
                    if (e.insert && !e.reverse) MapDelete(e.position, e.count);
                    else if (e.insert) MapInsert(e.position, e.count);
                    else if (!e.reverse) MapUndelete(e.position, e.count);
                    else MapDelete(e.position, e.count);
                    if (j) j->Add(Shift{e.insert, !e.reverse, e.position, e.count});
                } else if constexpr (std::is_same_v<E, Item<Field>> || std::is_same_v<E, Item<Object>> ||
                                     std::is_same_v<E, Item<Mark>>) {
                    using T = decltype(e.value);
                    const size_t index = static_cast<size_t>(e.index);
                    switch (e.kind) {
                    case E::Inserted: EraseItem<T>(index); break;
                    case E::Erased: InsertItem<T>(index, std::move(e.value)); break;
                    case E::Changed: EditItem<T>(index) = std::move(e.value); break;
                    }
                } else if constexpr (std::is_same_v<E, Tables>) {
                    SaveTables();
                    tables = std::move(e.tables);
                } else if constexpr (std::is_same_v<E, Styles>) {
                    EditStyles() = std::move(e.styles);
                } else if constexpr (std::is_same_v<E, StorySaved>) {
                    EditStory(e.header).paragraphs = std::move(e.paragraphs);
                }
            },
            *it);
    }
}

// ---------------------------------------------------------------- editing

namespace {

bool IsBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

// Characters a caller may put into the text: controls other than tab, line and page break would have
// no meaning, and an object character without its object would break the model.
bool IsAllowedChar(wchar_t c) {
    if (c == kObjectChar) return false;
    if (c < 0x20) return c == L'\t' || c == kPageBreak || c == kLineBreak;
    return true;
}

}  // namespace

int Document::Insert(int position, std::wstring_view text, std::uint32_t format) {
    if (format >= charFormats.size()) format = 0;
    position = std::clamp(position, 0, Length());
    Location loc = Locate(position);
    int inserted = 0;
    size_t i = 0;
    while (i <= text.size()) {
        // One segment up to the next break.
        std::wstring segment;
        while (i < text.size() && !IsBreak(text[i])) {
            if (IsAllowedChar(text[i])) segment.push_back(text[i]);
            ++i;
        }
        if (!segment.empty()) {
            const int at = ParagraphStart(loc.paragraph) + loc.offset;
            ShiftForInsert(at, static_cast<int>(segment.size()));
            Paragraph& p = EditParagraph(loc.paragraph);
            p.text.insert(static_cast<size_t>(loc.offset), segment);
            p.formats.insert(p.formats.begin() + loc.offset, segment.size(), format);
            p.stamp = ++stampCounter;
            loc.offset += static_cast<int>(segment.size());
            inserted += static_cast<int>(segment.size());
        }
        if (i >= text.size()) break;
        // A break: "\r\n" counts once.
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        ++i;
        SplitParagraph(loc);
        ++loc.paragraph;
        loc.offset = 0;
        ++inserted;
    }
    return inserted;
}

void Document::SplitParagraph(Location loc) {
    const int at = ParagraphStart(loc.paragraph) + loc.offset;
    // A field must stay inside one paragraph: a break inside a link ends the link there.
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        if (f.start < at && at < f.start + f.length) EditItem<Field>(i).length = at - f.start;
    }
    ShiftForInsert(at, 1);
    Paragraph& p = EditParagraph(loc.paragraph);
    Paragraph tail = NewParagraph(p.format, p.cell);
    tail.text = p.text.substr(static_cast<size_t>(loc.offset));
    tail.formats.assign(p.formats.begin() + loc.offset, p.formats.end());
    p.text.resize(static_cast<size_t>(loc.offset));
    p.formats.resize(static_cast<size_t>(loc.offset));
    p.stamp = ++stampCounter;
    std::vector<Paragraph> added;
    added.push_back(std::move(tail));
    PutParagraphs(loc.paragraph + 1, std::move(added));
}

void Document::DeleteInParagraph(int paragraph, int offset, int count) {
    if (count <= 0) return;
    ShiftForDelete(ParagraphStart(paragraph) + offset, count);
    Paragraph& p = EditParagraph(paragraph);
    p.text.erase(static_cast<size_t>(offset), static_cast<size_t>(count));
    p.formats.erase(p.formats.begin() + offset, p.formats.begin() + offset + count);
    p.stamp = ++stampCounter;
}

void Document::JoinWithNext(int paragraph) {
    ShiftForDelete(ParagraphStart(paragraph) + static_cast<int>(paragraphs[static_cast<size_t>(paragraph)].text.size()), 1);
    Paragraph& p = EditParagraph(paragraph);
    const Paragraph& next = paragraphs[static_cast<size_t>(paragraph) + 1];
    p.text += next.text;
    p.formats.insert(p.formats.end(), next.formats.begin(), next.formats.end());
    TakeParagraphs(paragraph + 1, 1);
    p.stamp = ++stampCounter;
}

void Document::Delete(int position, int length) {
    int a = std::clamp(position, 0, Length());
    int b = std::clamp(position + std::max(length, 0), a, Length());
    if (a == b) return;

    // Tables wholly inside the range go as a whole, last first so that earlier positions stay valid.
    std::vector<std::pair<int, int>> covered;  // (start, table id)
    // Only a table with cells among the range's paragraphs can lie inside it.
    std::vector<std::pair<int, std::pair<int, int>>> candidates;  // table id, its paragraphs
    const int rangeLast = Locate(b).paragraph;
    for (int i = Locate(a).paragraph; i <= rangeLast; ++i) {
        const int id = paragraphs[static_cast<size_t>(i)].cell.table;
        if (id == 0 || (!candidates.empty() && candidates.back().first == id)) continue;
        int first = i, last = i;
        while (first > 0 && paragraphs[static_cast<size_t>(first) - 1].cell.table == id) --first;
        while (last + 1 < ParagraphCount() && paragraphs[static_cast<size_t>(last) + 1].cell.table == id) ++last;
        candidates.push_back({id, {first, last}});
    }
    for (const auto& t : tables) {
        auto found = std::find_if(candidates.begin(), candidates.end(), [&](const auto& c) { return c.first == t.id; });
        if (found == candidates.end()) continue;
        auto [first, last] = found->second;
        const int tStart = ParagraphStart(first);
        const int tEnd = ParagraphStart(last + 1);  // after the separator that follows the last cell
        // The whole table, and beyond it on one side at least: selecting just the cells' text
        // empties them instead.
        if (a <= tStart && b >= tEnd - 1 && (a < tStart || b >= tEnd)) covered.emplace_back(tStart, t.id);
    }
    std::sort(covered.rbegin(), covered.rend());
    for (auto [tStart, id] : covered) {
        auto [first, last] = TableParagraphs(id);
        const int tEnd = ParagraphStart(last + 1);
        DeleteTable(id);
        b -= std::min(b, tEnd) - tStart;
    }
    if (a >= b) return;

    const auto [firstPara, lastPara] = ParagraphRange(a, b - a);
    for (int i = lastPara; i >= firstPara; --i) {
        const int ps = ParagraphStart(i);
        const int pe = ps + static_cast<int>(paragraphs[static_cast<size_t>(i)].text.size());
        if (i + 1 < ParagraphCount() && a <= pe && pe < b &&
            paragraphs[static_cast<size_t>(i)].cell == paragraphs[static_cast<size_t>(i) + 1].cell) {
            JoinWithNext(i);
        }
        const int from = std::max(a, ps), to = std::min(b, pe);
        if (from < to) DeleteInParagraph(i, from - ps, to - from);
    }
}

int Document::InsertDocument(int position, const Document& other) {
    position = std::clamp(position, 0, Length());
    const int before = Length();
    std::vector<std::uint32_t> formatMap;
    for (const auto& f : other.charFormats) formatMap.push_back(InternFormat(f));

    Location loc = Locate(position);
    const CellRef hostCell = paragraphs[static_cast<size_t>(loc.paragraph)].cell;
    const bool intoCell = hostCell.table != 0;
    const bool insideField = [&] {
        for (const auto& f : fields)
            if (f.start < position && position < f.start + f.length) return true;
        return false;
    }();

    std::map<int, int> tableMap;
    if (!intoCell) {
        for (const auto& t : other.tables) tableMap[t.id] = nextTableId++;
    }
    std::vector<Paragraph> added;
    for (const auto& p : other.paragraphs) {
        Paragraph q = NewParagraph(p.format, p.cell);
        q.text = p.text;
        q.formats.reserve(p.formats.size());
        for (auto f : p.formats) q.formats.push_back(f < formatMap.size() ? formatMap[f] : 0);
        if (intoCell) q.cell = hostCell;
        else if (q.cell.table != 0) q.cell.table = tableMap[q.cell.table];
        added.push_back(std::move(q));
    }
    const int count = static_cast<int>(added.size());
    const bool firstIsCell = added.front().cell.table != 0 && !intoCell;

    // Split the host paragraph, put the new paragraphs between the halves and join the ends.
    SplitParagraph(loc);
    InsertParagraphs(loc.paragraph + 1, std::move(added));
    const int lastAdded = loc.paragraph + count;
    JoinWithNext(lastAdded);  // the last inserted paragraph is never a table cell
    int firstAdded = loc.paragraph + 1;
    if (!firstIsCell) {
        // The host's first half takes the first inserted paragraph's format only when it was empty.
        if (paragraphs[static_cast<size_t>(loc.paragraph)].text.empty()) {
            ParaFormat first = paragraphs[static_cast<size_t>(firstAdded)].format;
            EditParagraph(loc.paragraph).format = std::move(first);
        }
        JoinWithNext(loc.paragraph);
        firstAdded = loc.paragraph;
    }
    const int start = ParagraphStart(firstAdded) + (firstIsCell ? 0 : loc.offset);

    for (const auto& t : other.tables) {
        if (intoCell) break;
        Table copy = t;
        copy.id = tableMap[t.id];
        SaveTables();
        tables.push_back(std::move(copy));
    }
    if (!insideField) {
        for (const auto& f : other.fields) {
            const int id = nextFieldId++;
            Field g{id, f.start + start, f.length, f.kind, f.target};
            auto at = std::upper_bound(fields.begin(), fields.end(), g.start,
                                       [](int s, const Field& h) { return s < h.start; });
            InsertItem<Field>(static_cast<size_t>(at - fields.begin()), std::move(g));
        }
    }
    for (const auto& o : other.objects) {
        Object copy = o;
        copy.id = nextObjectId++;
        copy.anchor = o.anchor + start;
        InsertItem<Object>(objects.size(), std::move(copy));
    }
    for (const auto& m : other.marks) {
        if (!FindMark(m.name)) InsertItem<Mark>(marks.size(), Mark{m.name, m.position + start});
    }
    for (const auto& s : other.styles) {
        if (std::none_of(styles.begin(), styles.end(), [&](const Style& x) { return x.name == s.name; }))
            EditStyles().push_back(s);
    }
    return Length() - before;
}

std::uint32_t Document::InternFormat(const CharFormat& format) {
    for (size_t i = 0; i < charFormats.size(); ++i) {
        if (charFormats[i] == format) return static_cast<std::uint32_t>(i);
    }
    charFormats.push_back(format);
    return static_cast<std::uint32_t>(charFormats.size() - 1);
}

void Document::ModifyCharFormats(int start, int length, const std::function<void(CharFormat&)>& change) {
    if (length <= 0) return;
    std::map<std::uint32_t, std::uint32_t> mapped;
    const int end = start + length;
    int i = Locate(start).paragraph;
    int pos = ParagraphStart(i);
    for (; i < ParagraphCount(); ++i) {
        const int pEnd = pos + static_cast<int>(paragraphs[static_cast<size_t>(i)].text.size());
        const int from = std::max(start, pos), to = std::min(end, pEnd);
        if (from < to) {
            Paragraph& p = EditParagraph(i);
            for (int k = from - pos; k < to - pos; ++k) {
                auto& index = p.formats[static_cast<size_t>(k)];
                auto it = mapped.find(index);
                if (it == mapped.end()) {
                    CharFormat f = charFormats[index];
                    change(f);
                    it = mapped.emplace(index, InternFormat(f)).first;
                }
                index = it->second;
            }
            p.stamp = ++stampCounter;
        }
        pos = pEnd + 1;
        if (pos > end) break;
    }
}

void Document::ModifyParaFormats(int start, int length, const std::function<void(ParaFormat&)>& change) {
    const auto [first, last] = ParagraphRange(start, length);
    for (int i = first; i <= last; ++i) {
        Paragraph& p = EditParagraph(i);
        change(p.format);
        p.stamp = ++stampCounter;
    }
}

// ---------------------------------------------------------------- fields

int Document::FieldAt(int position) const {
    int endingHere = 0;
    for (const auto& f : fields) {
        if (f.start <= position && position < f.start + f.length) return f.id;
        if (position == f.start + f.length) endingHere = f.id;
    }
    return endingHere;
}

int Document::AddField(int start, int length, int kind, std::wstring target, int id) {
    if (id != 0 && (FindField(id) || id >= nextFieldId)) return 0;
    if (length <= 0 || start < 0 || start + length > Length()) return 0;
    if (Locate(start).paragraph != Locate(start + length).paragraph) return 0;
    if (Text(start, length).find(kParagraphSeparator) != std::wstring::npos) return 0;
    for (const auto& f : fields) {
        if (start < f.start + f.length && f.start < start + length) return 0;
    }
    if (target.size() > limits::kMaxTextItem) target.resize(limits::kMaxTextItem);
    if (id == 0) id = nextFieldId++;
    auto at = std::upper_bound(fields.begin(), fields.end(), start,
                               [](int s, const Field& g) { return s < g.start; });
    InsertItem<Field>(static_cast<size_t>(at - fields.begin()), Field{id, start, length, kind, std::move(target)});
    Touch(Locate(start).paragraph);
    return id;
}

void Document::RemoveField(int id) {
    if (const Field* f = FindField(id)) EraseItem<Field>(IndexOf(fields, f));
}

int Document::NextField(int id) const {
    if (fields.empty()) return 0;
    if (id == 0) return fields.front().id;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].id == id) return i + 1 < fields.size() ? fields[i + 1].id : 0;
    }
    return 0;
}

// ---------------------------------------------------------------- objects

int Document::AddObject(Object object, std::uint32_t format) {
    if (format >= charFormats.size()) format = 0;
    object.id = nextObjectId++;
    object.anchor = std::clamp(object.anchor, 0, Length());
    if (!object.fixed) {
        const Location loc = Locate(object.anchor);
        ShiftForInsert(object.anchor, 1);
        Paragraph& p = EditParagraph(loc.paragraph);
        p.text.insert(p.text.begin() + loc.offset, kObjectChar);
        p.formats.insert(p.formats.begin() + loc.offset, format);
        p.stamp = ++stampCounter;
    }
    const int id = object.id;
    InsertItem<Object>(objects.size(), std::move(object));
    return id;
}

void Document::RemoveObject(int id) {
    const Object* o = FindObject(id);
    if (!o) return;
    if (o->fixed) {
        EraseItem<Object>(IndexOf(objects, o));
    } else {
        const Location loc = Locate(o->anchor);
        DeleteInParagraph(loc.paragraph, loc.offset, 1);  // takes the object with its character
    }
}

// ---------------------------------------------------------------- tables

std::vector<CellSpan> Table::Spans() const {
    std::vector<CellSpan> spans(cells.size());
    std::vector<char> covered(cells.size(), 0);
    const auto at = [&](int r, int c) { return static_cast<size_t>((r - 1) * cols + (c - 1)); };
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            if (covered[at(r, c)]) continue;
            CellSpan s{r, c, 1, 1};
            while (c + s.cols <= cols && !covered[at(r, c + s.cols)] && (Cell(r, c + s.cols).merge & merge::kLeft)) ++s.cols;
            for (;;) {
                const int below = r + s.rows;
                if (below > rows) break;
                bool joins = true;
                for (int k = c; k < c + s.cols && joins; ++k) {
                    const std::uint8_t m = Cell(below, k).merge;
                    joins = !covered[at(below, k)] && (m & merge::kUp) && (k == c || (m & merge::kLeft));
                }
                if (!joins) break;
                ++s.rows;
            }
            for (int rr = r; rr < r + s.rows; ++rr)
                for (int cc = c; cc < c + s.cols; ++cc) {
                    covered[at(rr, cc)] = 1;
                    spans[at(rr, cc)] = s;
                }
        }
    }
    return spans;
}

void Table::NormalizeMerges() {
    const std::vector<CellSpan> spans = Spans();
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            const CellSpan& s = spans[static_cast<size_t>((r - 1) * cols + (c - 1))];
            Cell(r, c).merge = static_cast<std::uint8_t>((c > s.col ? merge::kLeft : 0) | (r > s.row ? merge::kUp : 0));
        }
    }
}


std::pair<int, int> Document::TableParagraphs(int id) const {
    int first = -1, last = -1;
    for (int i = 0; i < ParagraphCount(); ++i) {
        if (paragraphs[static_cast<size_t>(i)].cell.table == id) {
            if (first < 0) first = i;
            last = i;
        }
    }
    return {first, last};
}

std::pair<int, int> Document::CellParagraphs(int id, int row, int col) const {
    int first = -1, last = -1;
    for (int i = 0; i < ParagraphCount(); ++i) {
        const CellRef& c = paragraphs[static_cast<size_t>(i)].cell;
        if (c.table == id && c.row == row && c.col == col) {
            if (first < 0) first = i;
            last = i;
        }
    }
    return {first, last};
}

void Document::InsertParagraphs(int index, std::vector<Paragraph> added) {
    int count = 0;
    for (auto& p : added) {
        count += static_cast<int>(p.text.size()) + 1;
        p.stamp = ++stampCounter;
    }
    if (index < ParagraphCount()) ShiftForInsert(ParagraphStart(index), count);
    PutParagraphs(index, std::move(added));
}

void Document::EraseParagraphs(int index, int count) {
    if (count <= 0) return;
    if (index + count < ParagraphCount()) {
        const int start = ParagraphStart(index);
        ShiftForDelete(start, ParagraphStart(index + count) - start);
    } else {
        // Up to the end: the separator before the first erased paragraph goes instead of the last one's.
        const int start = std::max(0, ParagraphStart(index) - 1);
        ShiftForDelete(start, Length() - start);
    }
    TakeParagraphs(index, count);
    if (paragraphs.empty()) {
        std::vector<Paragraph> one;
        one.push_back(NewParagraph());
        PutParagraphs(0, std::move(one));
    }
}

int Document::InsertTable(int position, int rows, int cols, int totalWidth) {
    if (rows < 1 || rows > limits::kMaxTableRows || cols < 1 || cols > limits::kMaxTableColumns) return 0;
    position = std::clamp(position, 0, Length());
    Location loc = Locate(position);
    if (paragraphs[static_cast<size_t>(loc.paragraph)].cell.table != 0) return 0;
    if (loc.offset > 0) {
        Insert(position, L"\n", paragraphs[static_cast<size_t>(loc.paragraph)].formats.empty()
                                    ? 0
                                    : paragraphs[static_cast<size_t>(loc.paragraph)].formats[static_cast<size_t>(loc.offset - 1)]);
        ++loc.paragraph;
    }
    Table t;
    t.id = nextTableId++;
    t.rows = rows;
    t.cols = cols;
    const int width = std::max(totalWidth / cols, limits::kMinColumnWidth);
    t.columnWidths.assign(static_cast<size_t>(cols), width);
    t.cells.assign(static_cast<size_t>(rows * cols), CellAttributes{});
    std::vector<Paragraph> added;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) added.push_back(NewParagraph({}, CellRef{t.id, r, c}));
    InsertParagraphs(loc.paragraph, std::move(added));
    SaveTables();
    tables.push_back(std::move(t));
    return tables.back().id;
}

void Document::RenumberTable(int id) {
    for (int i = 0; i < ParagraphCount(); ++i) {
        if (paragraphs[static_cast<size_t>(i)].cell.table == id) Touch(i);
    }
}

void Document::RenumberCells(int id, const std::function<bool(const CellRef&)>& which,
                             const std::function<void(CellRef&)>& change) {
    for (int i = 0; i < ParagraphCount(); ++i) {
        const CellRef& c = paragraphs[static_cast<size_t>(i)].cell;
        if (c.table == id && which(c)) change(EditParagraph(i).cell);
    }
}

bool Document::InsertRow(int id, int row, bool below) {
    const Table* t = FindTable(id);
    if (!t || row < 1 || row > t->rows || t->rows >= limits::kMaxTableRows) return false;
    const int newRow = below ? row + 1 : row;
    // The reference row's first and last paragraphs, found before renumbering.
    int index = -1;
    for (int i = 0; i < ParagraphCount(); ++i) {
        const CellRef& c = paragraphs[static_cast<size_t>(i)].cell;
        if (c.table == id && c.row == row) {
            if (!below && index < 0) index = i;
            if (below) index = i + 1;
        }
    }
    RenumberCells(id, [&](const CellRef& c) { return c.row >= newRow; }, [](CellRef& c) { ++c.row; });
    std::vector<Paragraph> added;
    for (int c = 1; c <= t->cols; ++c) added.push_back(NewParagraph({}, CellRef{id, newRow, c}));
    InsertParagraphs(index, std::move(added));
    Table* edited = EditTable(id);
    std::vector<CellAttributes> copy(edited->cells.begin() + (row - 1) * edited->cols, edited->cells.begin() + row * edited->cols);
    // The new row keeps its reference row's cells merged across; inside a cell merged down (the
    // row that will follow it continues from above) it becomes part of that cell.
    for (int c = 1; c <= edited->cols; ++c) {
        std::uint8_t& m = copy[static_cast<size_t>(c) - 1].merge;
        const bool inside = newRow <= edited->rows && (edited->Cell(newRow, c).merge & merge::kUp);
        m = inside ? edited->Cell(newRow, c).merge : static_cast<std::uint8_t>(m & merge::kLeft);
    }
    edited->cells.insert(edited->cells.begin() + (newRow - 1) * edited->cols, copy.begin(), copy.end());
    ++edited->rows;
    edited->NormalizeMerges();
    RenumberTable(id);
    return true;
}

bool Document::InsertColumn(int id, int col, bool right) {
    const Table* found = FindTable(id);
    if (!found || col < 1 || col > found->cols || found->cols >= limits::kMaxTableColumns) return false;
    const int newCol = right ? col + 1 : col;
    RenumberCells(id, [&](const CellRef& c) { return c.col >= newCol; }, [](CellRef& c) { ++c.col; });
    Table* t = EditTable(id);
    const int rows = t->rows;
    for (int r = rows; r >= 1; --r) {
        int index;
        if (right) index = CellParagraphs(id, r, col).second + 1;
        else index = CellParagraphs(id, r, col + 1).first;
        InsertParagraphs(index, {NewParagraph({}, CellRef{id, r, newCol})});
    }
    t = EditTable(id);
    t->columnWidths.insert(t->columnWidths.begin() + (newCol - 1), t->columnWidths[static_cast<size_t>(col - 1)]);
    std::vector<CellAttributes> cells;
    for (int r = 1; r <= t->rows; ++r) {
        // The new cell keeps its reference cell's merge down; inside a cell merged across (the
        // cell that will follow it continues from the left) it becomes part of that cell.
        CellAttributes added = t->Cell(r, col);
        const bool inside = newCol <= t->cols && (t->Cell(r, newCol).merge & merge::kLeft);
        added.merge = inside ? t->Cell(r, newCol).merge : static_cast<std::uint8_t>(added.merge & merge::kUp);
        for (int c = 1; c <= t->cols; ++c) {
            if (c == newCol) cells.push_back(added);
            cells.push_back(t->Cell(r, c));
        }
        if (newCol == t->cols + 1) cells.push_back(added);
    }
    t->cells = std::move(cells);
    ++t->cols;
    t->NormalizeMerges();
    RenumberTable(id);
    return true;
}

bool Document::DeleteRows(int id, int firstRow, int count) {
    const Table* t = FindTable(id);
    if (!t || firstRow < 1 || firstRow > t->rows || count < 1) return false;
    count = std::min(count, t->rows - firstRow + 1);
    if (count == t->rows) {
        DeleteTable(id);
        return true;
    }
    int first = -1, last = -1;
    for (int i = 0; i < ParagraphCount(); ++i) {
        const CellRef& c = paragraphs[static_cast<size_t>(i)].cell;
        if (c.table == id && c.row >= firstRow && c.row < firstRow + count) {
            if (first < 0) first = i;
            last = i;
        }
    }
    EraseParagraphs(first, last - first + 1);
    RenumberCells(id, [&](const CellRef& c) { return c.row >= firstRow + count; }, [&](CellRef& c) { c.row -= count; });
    Table* edited = EditTable(id);
    // A cell merged down from a deleted row starts a merged cell of its own, unless the merge
    // began above the deleted rows.
    if (firstRow + count <= edited->rows) {
        for (int c = 1; c <= edited->cols; ++c) {
            if (!(edited->Cell(firstRow, c).merge & merge::kUp)) edited->Cell(firstRow + count, c).merge &= merge::kLeft;
        }
    }
    edited->cells.erase(edited->cells.begin() + (firstRow - 1) * edited->cols,
                        edited->cells.begin() + (firstRow - 1 + count) * edited->cols);
    edited->rows -= count;
    edited->NormalizeMerges();
    RenumberTable(id);
    return true;
}

bool Document::DeleteColumn(int id, int col) {
    const Table* t = FindTable(id);
    if (!t || col < 1 || col > t->cols) return false;
    if (t->cols == 1) {
        DeleteTable(id);
        return true;
    }
    for (int r = t->rows; r >= 1; --r) {
        auto [first, last] = CellParagraphs(id, r, col);
        EraseParagraphs(first, last - first + 1);
    }
    RenumberCells(id, [&](const CellRef& c) { return c.col > col; }, [](CellRef& c) { --c.col; });
    Table* edited = EditTable(id);
    // A cell merged across from the deleted column starts a merged cell of its own, unless the
    // merge began left of it.
    if (col < edited->cols) {
        for (int r = 1; r <= edited->rows; ++r) {
            if (!(edited->Cell(r, col).merge & merge::kLeft)) edited->Cell(r, col + 1).merge &= merge::kUp;
        }
    }
    std::vector<CellAttributes> cells;
    for (int r = 1; r <= edited->rows; ++r)
        for (int c = 1; c <= edited->cols; ++c)
            if (c != col) cells.push_back(edited->Cell(r, c));
    edited->cells = std::move(cells);
    edited->columnWidths.erase(edited->columnWidths.begin() + (col - 1));
    --edited->cols;
    edited->NormalizeMerges();
    RenumberTable(id);
    return true;
}

void Document::DeleteTable(int id) {
    auto [first, last] = TableParagraphs(id);
    if (first >= 0) EraseParagraphs(first, last - first + 1);
    SaveTables();
    std::erase_if(tables, [&](const Table& t) { return t.id == id; });
}

// ---------------------------------------------------------------- marks

const Mark* Document::FindMark(std::wstring_view name) const {
    for (const auto& m : marks) if (m.name == name) return &m;
    return nullptr;
}

void Document::SetMark(std::wstring name, int position) {
    position = std::clamp(position, 0, Length());
    for (size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].name == name) {
            EditItem<Mark>(i).position = position;
            return;
        }
    }
    InsertItem<Mark>(marks.size(), Mark{std::move(name), position});
}

// ---------------------------------------------------------------- validation

namespace {

std::wstring CheckFormats(const std::vector<CharFormat>& formats) {
    if (formats.empty()) return L"no character formats";
    for (const auto& f : formats) {
        if (f.size < limits::kMinFontSize || f.size > limits::kMaxFontSize) return L"a font size is out of range";
        if (f.face.empty() || f.face.size() > limits::kMaxFaceName) return L"a font name is empty or too long";
    }
    return {};
}

std::wstring CheckParaFormat(const ParaFormat& f) {
    auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    if (static_cast<int>(f.align) > 3) return L"an alignment is unknown";
    if (f.listKind != ListKind::None && f.listKind != ListKind::Bullet && f.listKind != ListKind::Numbered)
        return L"a list kind is unknown";
    if (static_cast<int>(f.numberStyle) > 4) return L"a numbering style is unknown";
    if (!inRange(f.listLevel, 0, kMaxListLevel)) return L"a list level is out of range";
    const int m = limits::kMaxTwips;
    if (!inRange(f.leftIndent, -m, m) || !inRange(f.rightIndent, -m, m) || !inRange(f.firstIndent, -m, m) ||
        !inRange(f.spaceBefore, 0, m) || !inRange(f.spaceAfter, 0, m) || !inRange(f.lineSpacing, 10, 1000) ||
        !inRange(f.listIndentStep, 0, m) || !inRange(f.frameLineWidth, 0, m) || !inRange(f.frameDistance, 0, m))
        return L"a paragraph measure is out of range";
    if (f.tabs.size() > limits::kMaxTabs) return L"too many tab stops";
    for (const auto& t : f.tabs) {
        if (!inRange(t.position, 0, m) || static_cast<int>(t.kind) > 3) return L"a tab stop is invalid";
    }
    return {};
}

std::wstring CheckParagraphs(const std::vector<Paragraph>& paragraphs, size_t formatCount, bool allowCells) {
    for (const auto& p : paragraphs) {
        if (p.formats.size() != p.text.size()) return L"a paragraph's formats do not match its text";
        for (auto f : p.formats) {
            if (f >= formatCount) return L"a character format index is out of range";
        }
        for (wchar_t c : p.text) {
            if (c == kParagraphSeparator || c == L'\r') return L"a paragraph holds a line end";
        }
        if (!allowCells && p.cell.table != 0) return L"a header or footer holds a table";
        if (auto e = CheckParaFormat(p.format); !e.empty()) return e;
    }
    return {};
}

}  // namespace

std::wstring Document::Validate() const {
    if (paragraphs.empty()) return L"the document has no paragraph";
    if (!track_.index.Matches(paragraphs)) return L"the paragraph starts are out of step with the text";
    if (auto e = CheckFormats(charFormats); !e.empty()) return e;
    if (auto e = CheckParagraphs(paragraphs, charFormats.size(), true); !e.empty()) return e;
    for (const Story* story : {&header, &footer}) {
        if (auto e = CheckParagraphs(story->paragraphs, charFormats.size(), false); !e.empty()) return e;
        for (const auto& p : story->paragraphs)
            if (p.text.find(kObjectChar) != std::wstring::npos) return L"a header or footer holds an object";
    }
    if (paragraphs.back().cell.table != 0) return L"the document ends inside a table";

    // Paragraph starts once, so that the checks below stay fast on large hostile inputs.
    std::vector<int> starts;
    starts.reserve(paragraphs.size());
    long long total = 0;
    for (const auto& p : paragraphs) {
        starts.push_back(static_cast<int>(total));
        total += static_cast<long long>(p.text.size()) + 1;
        if (total > static_cast<long long>(limits::kMaxTextLength) + static_cast<long long>(limits::kMaxParagraphs))
            return L"the text is too long";
    }
    const int length = static_cast<int>(total - 1);
    auto paragraphOf = [&](int position) {  // a position on a separator belongs to the paragraph it ends
        auto it = std::upper_bound(starts.begin(), starts.end(), position);
        int i = static_cast<int>(it - starts.begin()) - 1;
        return std::max(i, 0);
    };

    // Tables: each record matches one contiguous run of paragraphs in row-major cell order.
    std::map<int, const Table*> byId;
    for (const auto& t : tables) {
        if (t.id <= 0 || !byId.emplace(t.id, &t).second) return L"a table id is invalid or repeated";
        if (t.id >= nextTableId) return L"a table id is beyond the next id";
        if (t.rows < 1 || t.rows > limits::kMaxTableRows || t.cols < 1 || t.cols > limits::kMaxTableColumns)
            return L"a table size is out of range";
        if (t.columnWidths.size() != static_cast<size_t>(t.cols) || t.cells.size() != static_cast<size_t>(t.rows * t.cols))
            return L"a table's columns or cells do not match its size";
        for (int w : t.columnWidths)
            if (w < 0 || w > limits::kMaxTwips) return L"a column width is out of range";
        for (const auto& c : t.cells) {
            for (int b : {c.leftBorder, c.topBorder, c.rightBorder, c.bottomBorder, c.gridWidth})
                if (b < 0 || b > limits::kMaxBorder) return L"a cell border is out of range";
        }
        Table normal = t;
        normal.NormalizeMerges();
        if (normal.cells != t.cells) return L"a table's merged cells are not rectangles";
    }
    std::set<int> seenTables;
    for (size_t i = 0; i < paragraphs.size();) {
        const int id = paragraphs[i].cell.table;
        if (id == 0) {
            ++i;
            continue;
        }
        auto found = byId.find(id);
        if (found == byId.end()) return L"a paragraph names an unknown table";
        if (!seenTables.insert(id).second) return L"a table's cells are not contiguous";
        const Table& t = *found->second;
        int row = 1, col = 1;
        if (paragraphs[i].cell.row != 1 || paragraphs[i].cell.col != 1) return L"a table does not start at its first cell";
        for (++i; i < paragraphs.size() && paragraphs[i].cell.table == id; ++i) {
            const CellRef& c = paragraphs[i].cell;
            if (c.row == row && c.col == col) continue;
            int nextRow = row, nextCol = col + 1;
            if (nextCol > t.cols) {
                nextCol = 1;
                ++nextRow;
            }
            if (c.row != nextRow || c.col != nextCol) return L"a table's cells are out of order";
            row = nextRow;
            col = nextCol;
        }
        if (row != t.rows || col != t.cols) return L"a table is missing cells";
    }
    if (seenTables.size() != tables.size()) return L"a table has no cells in the text";

    // Fields: sorted, not overlapping, inside one paragraph.
    std::set<int> ids;
    int previousEnd = -1;
    for (const auto& f : fields) {
        if (f.id <= 0 || f.id >= nextFieldId || !ids.insert(f.id).second) return L"a field id is invalid or repeated";
        if (f.length <= 0 || f.start < 0 || f.start > length - f.length) return L"a field lies outside the text";
        if (f.start < previousEnd) return L"fields overlap or are out of order";
        if (paragraphOf(f.start) != paragraphOf(f.start + f.length)) return L"a field crosses a paragraph";
        if (f.kind < 0 || f.kind > 0x7FFF) return L"a field kind is out of range";
        if (f.target.size() > limits::kMaxTextItem) return L"a field target is too long";
        previousEnd = f.start + f.length;
    }

    // Objects: every object character has exactly one object and the other way round.
    ids.clear();
    std::set<int> anchors;
    size_t asChar = 0;
    for (const auto& o : objects) {
        if (o.id <= 0 || o.id >= nextObjectId || !ids.insert(o.id).second) return L"an object id is invalid or repeated";
        if (o.anchor < 0 || o.anchor > length) return L"an object lies outside the text";
        if (o.width < 0 || o.height < 0 || o.width > limits::kMaxTwips || o.height > limits::kMaxTwips)
            return L"an object size is out of range";
        if (o.scaleX < 1 || o.scaleX > limits::kMaxScale || o.scaleY < 1 || o.scaleY > limits::kMaxScale)
            return L"an object scale is out of range";
        if (o.x < -limits::kMaxTwips || o.x > limits::kMaxTwips || o.y < -limits::kMaxTwips || o.y > limits::kMaxTwips)
            return L"an object position is out of range";
        if (!o.fixed) {
            const int i = paragraphOf(o.anchor);
            const auto& text = paragraphs[static_cast<size_t>(i)].text;
            const int offset = o.anchor - starts[static_cast<size_t>(i)];
            if (offset >= static_cast<int>(text.size()) || text[static_cast<size_t>(offset)] != kObjectChar)
                return L"an object is not at its character";
            if (!anchors.insert(o.anchor).second) return L"two objects share one character";
            ++asChar;
        }
    }
    size_t objectChars = 0;
    for (const auto& p : paragraphs) objectChars += static_cast<size_t>(std::count(p.text.begin(), p.text.end(), kObjectChar));
    if (objectChars != asChar) return L"an object character has no object";

    std::set<std::wstring> names;
    for (const auto& m : marks) {
        if (m.name.empty() || !names.insert(m.name).second) return L"a mark name is empty or repeated";
        if (m.position < 0 || m.position > length) return L"a mark lies outside the text";
    }
    for (const auto& s : styles) {
        if (auto e = CheckParaFormat(s.para); !e.empty()) return e;
        if (auto e = CheckFormats({s.chars}); !e.empty()) return e;
    }
    const int m = limits::kMaxTwips;
    if (page.width < 1 || page.width > m || page.height < 1 || page.height > m || page.marginLeft < 0 ||
        page.marginTop < 0 || page.marginRight < 0 || page.marginBottom < 0 || page.marginLeft > m ||
        page.marginTop > m || page.marginRight > m || page.marginBottom > m)
        return L"the page size or a margin is out of range";
    return {};
}

}  // namespace tx
