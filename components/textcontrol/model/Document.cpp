#include "components/textcontrol/model/Document.h"

#include <algorithm>
#include <map>
#include <set>

#include "components/textcontrol/model/Limits.h"

namespace tx {

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

// ---------------------------------------------------------------- position space

int Document::Length() const {
    int total = 0;
    for (const auto& p : paragraphs) total += static_cast<int>(p.text.size());
    return total + static_cast<int>(paragraphs.size()) - 1;
}

int Document::ParagraphStart(int paragraph) const {
    int start = 0;
    for (int i = 0; i < paragraph && i < ParagraphCount(); ++i) {
        start += static_cast<int>(paragraphs[static_cast<size_t>(i)].text.size()) + 1;
    }
    return start;
}

Location Document::Locate(int position) const {
    if (position < 0) position = 0;
    int start = 0;
    for (int i = 0; i < ParagraphCount(); ++i) {
        const int end = start + static_cast<int>(paragraphs[static_cast<size_t>(i)].text.size());
        if (position <= end) return {i, position - start};
        start = end + 1;
    }
    return {ParagraphCount() - 1, static_cast<int>(paragraphs.back().text.size())};
}

std::wstring Document::Text(int start, int length) const {
    std::wstring out;
    if (length <= 0) return out;
    const int end = start + length;
    int pos = 0;
    for (int i = 0; i < ParagraphCount() && pos < end; ++i) {
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

// ---------------------------------------------------------------- anchored items

void Document::ShiftForInsert(int position, int count) {
    for (auto& f : fields) {
        if (f.start >= position) f.start += count;
        else if (position < f.start + f.length) f.length += count;
    }
    for (auto& o : objects) {
        if (o.anchor >= position) o.anchor += count;
    }
    for (auto& m : marks) {
        if (m.position > position) m.position += count;
    }
}

void Document::ShiftForDelete(int position, int count) {
    if (count <= 0) return;
    const int end = position + count;
    auto map = [&](int p) { return p < position ? p : (p >= end ? p - count : position); };
    for (auto& f : fields) {
        const int s = map(f.start), e = map(f.start + f.length);
        f.start = s;
        f.length = e - s;
    }
    std::erase_if(fields, [](const Field& f) { return f.length <= 0; });
    std::erase_if(objects, [&](const Object& o) { return !o.fixed && o.anchor >= position && o.anchor < end; });
    for (auto& o : objects) o.anchor = map(o.anchor);
    for (auto& m : marks) m.position = map(m.position);
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
        auto& p = paragraphs[static_cast<size_t>(loc.paragraph)];
        if (!segment.empty()) {
            const int at = ParagraphStart(loc.paragraph) + loc.offset;
            ShiftForInsert(at, static_cast<int>(segment.size()));
            p.text.insert(static_cast<size_t>(loc.offset), segment);
            p.formats.insert(p.formats.begin() + loc.offset, segment.size(), format);
            loc.offset += static_cast<int>(segment.size());
            inserted += static_cast<int>(segment.size());
            Touch(loc.paragraph);
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
    auto& p = paragraphs[static_cast<size_t>(loc.paragraph)];
    const int at = ParagraphStart(loc.paragraph) + loc.offset;
    // A field must stay inside one paragraph: a break inside a link ends the link there.
    for (auto& f : fields) {
        if (f.start < at && at < f.start + f.length) f.length = at - f.start;
    }
    ShiftForInsert(at, 1);
    Paragraph tail = NewParagraph(p.format, p.cell);
    tail.text = p.text.substr(static_cast<size_t>(loc.offset));
    tail.formats.assign(p.formats.begin() + loc.offset, p.formats.end());
    p.text.resize(static_cast<size_t>(loc.offset));
    p.formats.resize(static_cast<size_t>(loc.offset));
    Touch(loc.paragraph);
    paragraphs.insert(paragraphs.begin() + loc.paragraph + 1, std::move(tail));
}

void Document::DeleteInParagraph(int paragraph, int offset, int count) {
    if (count <= 0) return;
    ShiftForDelete(ParagraphStart(paragraph) + offset, count);
    auto& p = paragraphs[static_cast<size_t>(paragraph)];
    p.text.erase(static_cast<size_t>(offset), static_cast<size_t>(count));
    p.formats.erase(p.formats.begin() + offset, p.formats.begin() + offset + count);
    Touch(paragraph);
}

void Document::JoinWithNext(int paragraph) {
    auto& p = paragraphs[static_cast<size_t>(paragraph)];
    ShiftForDelete(ParagraphStart(paragraph) + static_cast<int>(p.text.size()), 1);
    auto& next = paragraphs[static_cast<size_t>(paragraph) + 1];
    p.text += next.text;
    p.formats.insert(p.formats.end(), next.formats.begin(), next.formats.end());
    paragraphs.erase(paragraphs.begin() + paragraph + 1);
    Touch(paragraph);
}

void Document::Delete(int position, int length) {
    int a = std::clamp(position, 0, Length());
    int b = std::clamp(position + std::max(length, 0), a, Length());
    if (a == b) return;

    // Tables wholly inside the range go as a whole, last first so that earlier positions stay valid.
    std::vector<std::pair<int, int>> covered;  // (start, table id)
    for (const auto& t : tables) {
        auto [first, last] = TableParagraphs(t.id);
        if (first < 0) continue;
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
        if (paragraphs[static_cast<size_t>(loc.paragraph)].text.empty())
            paragraphs[static_cast<size_t>(loc.paragraph)].format = paragraphs[static_cast<size_t>(firstAdded)].format;
        JoinWithNext(loc.paragraph);
        firstAdded = loc.paragraph;
    }
    const int start = ParagraphStart(firstAdded) + (firstIsCell ? 0 : loc.offset);

    for (const auto& t : other.tables) {
        if (intoCell) break;
        Table copy = t;
        copy.id = tableMap[t.id];
        tables.push_back(std::move(copy));
    }
    if (!insideField) {
        for (const auto& f : other.fields) {
            const int id = nextFieldId++;
            Field g{id, f.start + start, f.length, f.kind, f.target};
            auto at = std::upper_bound(fields.begin(), fields.end(), g.start,
                                       [](int s, const Field& h) { return s < h.start; });
            fields.insert(at, std::move(g));
        }
    }
    for (const auto& o : other.objects) {
        Object copy = o;
        copy.id = nextObjectId++;
        copy.anchor = o.anchor + start;
        objects.push_back(std::move(copy));
    }
    for (const auto& m : other.marks) {
        if (!FindMark(m.name)) marks.push_back(Mark{m.name, m.position + start});
    }
    for (const auto& s : other.styles) {
        if (std::none_of(styles.begin(), styles.end(), [&](const Style& x) { return x.name == s.name; }))
            styles.push_back(s);
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
    int pos = 0;
    for (int i = 0; i < ParagraphCount(); ++i) {
        auto& p = paragraphs[static_cast<size_t>(i)];
        const int pEnd = pos + static_cast<int>(p.text.size());
        const int from = std::max(start, pos), to = std::min(end, pEnd);
        if (from < to) {
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
            Touch(i);
        }
        pos = pEnd + 1;
        if (pos > end) break;
    }
}

void Document::ModifyParaFormats(int start, int length, const std::function<void(ParaFormat&)>& change) {
    const auto [first, last] = ParagraphRange(start, length);
    for (int i = first; i <= last; ++i) {
        change(paragraphs[static_cast<size_t>(i)].format);
        Touch(i);
    }
}

// ---------------------------------------------------------------- fields

Field* Document::FindField(int id) {
    for (auto& f : fields) if (f.id == id) return &f;
    return nullptr;
}
const Field* Document::FindField(int id) const { return const_cast<Document*>(this)->FindField(id); }

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
    fields.insert(at, Field{id, start, length, kind, std::move(target)});
    Touch(Locate(start).paragraph);
    return id;
}

void Document::RemoveField(int id) {
    std::erase_if(fields, [&](const Field& f) { return f.id == id; });
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

Object* Document::FindObject(int id) {
    for (auto& o : objects) if (o.id == id) return &o;
    return nullptr;
}
const Object* Document::FindObject(int id) const { return const_cast<Document*>(this)->FindObject(id); }

int Document::AddObject(Object object, std::uint32_t format) {
    if (format >= charFormats.size()) format = 0;
    object.id = nextObjectId++;
    object.anchor = std::clamp(object.anchor, 0, Length());
    if (!object.fixed) {
        const Location loc = Locate(object.anchor);
        ShiftForInsert(object.anchor, 1);
        auto& p = paragraphs[static_cast<size_t>(loc.paragraph)];
        p.text.insert(p.text.begin() + loc.offset, kObjectChar);
        p.formats.insert(p.formats.begin() + loc.offset, format);
        Touch(loc.paragraph);
    }
    objects.push_back(std::move(object));
    return objects.back().id;
}

void Document::RemoveObject(int id) {
    const Object* o = FindObject(id);
    if (!o) return;
    if (o->fixed) {
        std::erase_if(objects, [&](const Object& x) { return x.id == id; });
    } else {
        const Location loc = Locate(o->anchor);
        DeleteInParagraph(loc.paragraph, loc.offset, 1);  // takes the object with its character
    }
}

// ---------------------------------------------------------------- tables

Table* Document::FindTable(int id) {
    for (auto& t : tables) if (t.id == id) return &t;
    return nullptr;
}
const Table* Document::FindTable(int id) const { return const_cast<Document*>(this)->FindTable(id); }

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
    paragraphs.insert(paragraphs.begin() + index, std::make_move_iterator(added.begin()),
                      std::make_move_iterator(added.end()));
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
    paragraphs.erase(paragraphs.begin() + index, paragraphs.begin() + index + count);
    if (paragraphs.empty()) paragraphs.push_back(NewParagraph());
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
    tables.push_back(std::move(t));
    return tables.back().id;
}

void Document::RenumberTable(int id) {
    for (int i = 0; i < ParagraphCount(); ++i) {
        if (paragraphs[static_cast<size_t>(i)].cell.table == id) Touch(i);
    }
}

bool Document::InsertRow(int id, int row, bool below) {
    Table* t = FindTable(id);
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
    for (auto& p : paragraphs) {
        if (p.cell.table == id && p.cell.row >= newRow) ++p.cell.row;
    }
    std::vector<Paragraph> added;
    for (int c = 1; c <= t->cols; ++c) added.push_back(NewParagraph({}, CellRef{id, newRow, c}));
    InsertParagraphs(index, std::move(added));
    t = FindTable(id);
    std::vector<CellAttributes> copy(t->cells.begin() + (row - 1) * t->cols, t->cells.begin() + row * t->cols);
    t->cells.insert(t->cells.begin() + (newRow - 1) * t->cols, copy.begin(), copy.end());
    ++t->rows;
    RenumberTable(id);
    return true;
}

bool Document::InsertColumn(int id, int col, bool right) {
    Table* t = FindTable(id);
    if (!t || col < 1 || col > t->cols || t->cols >= limits::kMaxTableColumns) return false;
    const int newCol = right ? col + 1 : col;
    for (auto& p : paragraphs) {
        if (p.cell.table == id && p.cell.col >= newCol) ++p.cell.col;
    }
    const int rows = t->rows;
    for (int r = rows; r >= 1; --r) {
        int index;
        if (right) index = CellParagraphs(id, r, col).second + 1;
        else index = CellParagraphs(id, r, col + 1).first;
        InsertParagraphs(index, {NewParagraph({}, CellRef{id, r, newCol})});
    }
    t = FindTable(id);
    t->columnWidths.insert(t->columnWidths.begin() + (newCol - 1), t->columnWidths[static_cast<size_t>(col - 1)]);
    std::vector<CellAttributes> cells;
    for (int r = 1; r <= t->rows; ++r) {
        for (int c = 1; c <= t->cols; ++c) {
            if (c == newCol) cells.push_back(t->Cell(r, col));
            cells.push_back(t->Cell(r, c));
        }
        if (newCol == t->cols + 1) cells.push_back(t->Cell(r, col));
    }
    t->cells = std::move(cells);
    ++t->cols;
    RenumberTable(id);
    return true;
}

bool Document::DeleteRows(int id, int firstRow, int count) {
    Table* t = FindTable(id);
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
    for (auto& p : paragraphs) {
        if (p.cell.table == id && p.cell.row >= firstRow + count) p.cell.row -= count;
    }
    t = FindTable(id);
    t->cells.erase(t->cells.begin() + (firstRow - 1) * t->cols, t->cells.begin() + (firstRow - 1 + count) * t->cols);
    t->rows -= count;
    RenumberTable(id);
    return true;
}

bool Document::DeleteColumn(int id, int col) {
    Table* t = FindTable(id);
    if (!t || col < 1 || col > t->cols) return false;
    if (t->cols == 1) {
        DeleteTable(id);
        return true;
    }
    for (int r = t->rows; r >= 1; --r) {
        auto [first, last] = CellParagraphs(id, r, col);
        EraseParagraphs(first, last - first + 1);
    }
    for (auto& p : paragraphs) {
        if (p.cell.table == id && p.cell.col > col) --p.cell.col;
    }
    t = FindTable(id);
    std::vector<CellAttributes> cells;
    for (int r = 1; r <= t->rows; ++r)
        for (int c = 1; c <= t->cols; ++c)
            if (c != col) cells.push_back(t->Cell(r, c));
    t->cells = std::move(cells);
    t->columnWidths.erase(t->columnWidths.begin() + (col - 1));
    --t->cols;
    RenumberTable(id);
    return true;
}

void Document::DeleteTable(int id) {
    auto [first, last] = TableParagraphs(id);
    if (first >= 0) EraseParagraphs(first, last - first + 1);
    std::erase_if(tables, [&](const Table& t) { return t.id == id; });
}

// ---------------------------------------------------------------- marks

const Mark* Document::FindMark(std::wstring_view name) const {
    for (const auto& m : marks) if (m.name == name) return &m;
    return nullptr;
}

void Document::SetMark(std::wstring name, int position) {
    position = std::clamp(position, 0, Length());
    for (auto& m : marks) {
        if (m.name == name) {
            m.position = position;
            return;
        }
    }
    marks.push_back(Mark{std::move(name), position});
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
