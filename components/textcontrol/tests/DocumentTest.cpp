#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "components/textcontrol/model/Document.h"
#include "components/textcontrol/model/Journal.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx {
namespace {

Document Make(std::wstring_view text) {
    Document d;
    d.Insert(0, text, 0);
    return d;
}

TEST(Document, PositionSpaceJoinsParagraphsWithOneSeparator) {
    Document d = Make(L"ab\r\ncd\rXY\nz");
    EXPECT_EQ(d.ParagraphCount(), 4);
    EXPECT_EQ(d.Length(), 10);  // 7 characters and 3 separators
    EXPECT_EQ(d.AllText(), L"ab\ncd\nXY\nz");
    EXPECT_EQ(d.Text(1, 4), L"b\ncd");
    // A position on a separator belongs to the paragraph it ends.
    EXPECT_EQ(d.Locate(2).paragraph, 0);
    EXPECT_EQ(d.Locate(3).paragraph, 1);
    EXPECT_EQ(d.Locate(10).paragraph, 3);
    EXPECT_EQ(d.Locate(99).offset, 1);  // clamped to the end
}

TEST(Document, FindSearchesTheTextWithItsSeparatorsInPlace) {
    // "One two\nTWO caf\xE9\n\nend": the paragraphs start at 0, 8, 17 (empty) and 18.
    const Document d = Make(L"One two\nTWO caf\xE9\n\nend");
    ASSERT_EQ(d.Length(), 21);
    struct Case {
        const wchar_t* needle;
        int from;
        bool ignoreCase;
        int expected;
    };
    const Case cases[] = {
        {L"two", 0, false, 4},
        {L"two", 5, false, -1},          // "TWO" differs in case
        {L"two", 5, true, 8},
        {L"one", 0, true, 0},
        {L"two\ntwo", 0, true, 4},      // across a paragraph end
        {L"\n\n", 0, false, 16},       // the empty paragraph
        {L"caf\xE9", 0, false, 12},     // beyond ASCII, as it stands
        {L"CAF\xE9", 0, true, 12},
        {L"end", 18, false, 18},         // the text's very end
        {L"end", 19, false, -1},
        {L"endx", 18, false, -1},        // longer than what is left
        {L"d", 21, false, -1},
        {L"", 0, false, -1},
        {L"x", -1, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(d.Find(c.needle, c.from, c.ignoreCase), c.expected) << "\"" << c.needle << "\" from " << c.from;
}

TEST(Document, DeleteJoinsParagraphsAndMovesAnchoredItems) {
    struct Case {
        int start, length;
        const wchar_t* text;
        const wchar_t* fieldText;  // "" = the field is gone
        int mark;
    };
    // "one two\nthree four": a field over "three" (8..13), a mark at 14 (before "four").
    const Case cases[] = {
        {0, 4, L"two\nthree four", L"three", 10},
        {3, 6, L"onehree four", L"hree", 8},       // the field loses its first letter
        {7, 1, L"one twothree four", L"three", 13}, // the separator goes: paragraphs join
        {8, 5, L"one two\n four", L"", 9},          // the field's whole text goes, and the field
        {10, 2, L"one two\nthe four", L"the", 12},
        {13, 5, L"one two\nthree", L"three", 13},   // the mark's text goes: it stays at the cut
    };
    for (const auto& c : cases) {
        Document d = Make(L"one two\nthree four");
        ASSERT_NE(d.AddField(8, 5, kLinkAddress, L"t"), 0);
        d.SetMark(L"m", 14);
        d.Delete(c.start, c.length);
        EXPECT_EQ(d.AllText(), c.text) << c.start << "+" << c.length;
        if (*c.fieldText == 0) {
            EXPECT_TRUE(d.fields.empty()) << c.start;
        } else {
            ASSERT_EQ(d.fields.size(), 1u) << c.start;
            EXPECT_EQ(d.Text(d.fields[0].start, d.fields[0].length), c.fieldText) << c.start;
        }
        EXPECT_EQ(d.marks[0].position, c.mark) << c.start;
        EXPECT_EQ(d.Validate(), L"") << c.start;
    }
}

TEST(Document, InsertInsideAFieldGrowsItAndABreakEndsIt) {
    Document d = Make(L"a link here");
    const int id = d.AddField(2, 4, kLinkAddress, L"x");
    d.Insert(4, L"NK", 0);  // inside: the field grows
    EXPECT_EQ(d.Text(d.FindField(id)->start, d.FindField(id)->length), L"liNKnk");
    d.Insert(2, L">", 0);  // at its start: the field moves
    EXPECT_EQ(d.FindField(id)->start, 3);
    d.Insert(9, L"<", 0);  // at its end: not part of it
    EXPECT_EQ(d.Text(d.FindField(id)->start, d.FindField(id)->length), L"liNKnk");
    d.Insert(5, L"\n", 0);  // a paragraph break inside: the field ends there
    EXPECT_EQ(d.Text(d.FindField(id)->start, d.FindField(id)->length), L"li");
    EXPECT_EQ(d.Validate(), L"");
}

// Every field keeps its own text through an edit before, inside or after it, whichever fields
// stand on either side, and taking the edit back puts each one where it was.
TEST(Document, EditsMoveEveryFieldAndRevertingPutsThemBack) {
    struct Case {
        bool insert;
        int position;
        int length;  // deleted
        const wchar_t* fields;  // the fields' texts after the edit, in order
    };
    // "one two\nthree four five": fields over "two" (4..7), "three" (8..13) and "five" (19..23).
    const Case cases[] = {
        {true, 0, 0, L"two|three|five"},      // before all of them
        {true, 5, 0, L"t+wo|three|five"},     // inside the first: it grows, the others move
        {true, 7, 0, L"two|three|five"},      // at the first one's end: not part of it
        {true, 8, 0, L"two|three|five"},      // at the second one's start: it moves
        {true, 23, 0, L"two|three|five"},     // after all of them
        {false, 0, 2, L"two|three|five"},
        {false, 5, 1, L"to|three|five"},
        {false, 6, 4, L"tw|ree|five"},        // across the first one's end and the second one's start
        {false, 13, 6, L"two|three|five"},    // up to the last one's start
        {false, 4, 16, L"ive"},               // the first two go whole, the last one loses its start
        {false, 20, 3, L"two|three|f"},
    };
    for (const Case& c : cases) {
        Document d = Make(L"one two\nthree four five");
        ASSERT_NE(d.AddField(4, 3, kLinkAddress, L"a"), 0);
        ASSERT_NE(d.AddField(8, 5, kLinkAddress, L"b"), 0);
        ASSERT_NE(d.AddField(19, 4, kLinkAddress, L"c"), 0);
        const std::vector<Field> before = d.fields;
        Journal journal(d);
        d.SetJournal(&journal);
        if (c.insert) d.Insert(c.position, L"+", 0);
        else d.Delete(c.position, c.length);
        d.SetJournal(nullptr);
        std::wstring texts;
        for (const Field& f : d.fields) texts += (texts.empty() ? L"" : L"|") + d.Text(f.start, f.length);
        EXPECT_EQ(texts, c.fields) << (c.insert ? "insert at " : "delete at ") << c.position;
        EXPECT_EQ(d.Validate(), L"") << c.position;
        d.Revert(std::move(journal));
        EXPECT_EQ(d.fields, before) << (c.insert ? "insert at " : "delete at ") << c.position << ", taken back";
    }
}

TEST(Document, FieldsRefuseEmptyCrossingAndOverlappingRanges) {
    Document d = Make(L"first\nsecond");
    EXPECT_EQ(d.AddField(2, 0, 1, L""), 0);
    EXPECT_EQ(d.AddField(3, 5, 1, L""), 0);  // crosses the paragraph end
    const int a = d.AddField(0, 3, 1, L"");
    EXPECT_NE(a, 0);
    EXPECT_EQ(d.AddField(2, 2, 1, L""), 0);
    const int b = d.AddField(7, 3, 1, L"");
    const int c = d.AddField(3, 2, 1, L"");
    // Walking goes in text order, whatever the order of creation.
    EXPECT_EQ(d.NextField(0), a);
    EXPECT_EQ(d.NextField(a), c);
    EXPECT_EQ(d.NextField(c), b);
    EXPECT_EQ(d.NextField(b), 0);
    EXPECT_EQ(d.NextField(12345), 0);
}

TEST(Document, TablesKeepTheirGridThroughRowAndColumnEdits) {
    Document d = Make(L"before after");
    const int id = d.InsertTable(7, 2, 3, 9000);
    ASSERT_NE(id, 0);
    EXPECT_EQ(d.AllText(), L"before \n\n\n\n\n\n\nafter");  // the paragraph was split around the table
    EXPECT_EQ(d.Validate(), L"");
    EXPECT_EQ(d.InsertTable(d.ParagraphStart(2), 1, 1, 100), 0) << "no table inside a table";

    d.Insert(d.ParagraphStart(d.CellParagraphs(id, 2, 2).first), L"x", 0);
    ASSERT_TRUE(d.InsertColumn(id, 2, false));
    EXPECT_EQ(d.FindTable(id)->cols, 4);
    EXPECT_EQ(d.paragraphs[static_cast<size_t>(d.CellParagraphs(id, 2, 3).first)].text, L"x");
    ASSERT_TRUE(d.InsertRow(id, 1, true));
    EXPECT_EQ(d.FindTable(id)->rows, 3);
    EXPECT_EQ(d.paragraphs[static_cast<size_t>(d.CellParagraphs(id, 3, 3).first)].text, L"x");
    EXPECT_EQ(d.Validate(), L"");
    ASSERT_TRUE(d.DeleteColumn(id, 1));
    ASSERT_TRUE(d.DeleteRows(id, 1, 2));
    EXPECT_EQ(d.FindTable(id)->rows, 1);
    EXPECT_EQ(d.FindTable(id)->cols, 3);
    EXPECT_EQ(d.paragraphs[static_cast<size_t>(d.CellParagraphs(id, 1, 2).first)].text, L"x");
    EXPECT_EQ(d.Validate(), L"");
    ASSERT_TRUE(d.DeleteRows(id, 1, 1));  // the last row takes the table with it
    EXPECT_EQ(d.FindTable(id), nullptr);
    EXPECT_EQ(d.AllText(), L"before \nafter");
    EXPECT_EQ(d.Validate(), L"");
}

// Marks as a grid of strings, one letter a cell: '.' none, 'L' continues left, 'U' continues up, 'B' both.
Table Marked(std::vector<std::string> rows) {
    Table t;
    t.rows = static_cast<int>(rows.size());
    t.cols = static_cast<int>(rows[0].size());
    t.columnWidths.assign(static_cast<size_t>(t.cols), 1000);
    for (const std::string& row : rows)
        for (char m : row) {
            CellAttributes a;
            a.merge = m == 'L' ? merge::kLeft : m == 'U' ? merge::kUp : m == 'B' ? merge::kBoth : 0;
            t.cells.push_back(a);
        }
    return t;
}

std::vector<std::string> MarksOf(const Table& t) {
    std::vector<std::string> out;
    for (int r = 1; r <= t.rows; ++r) {
        std::string row;
        for (int c = 1; c <= t.cols; ++c) row.push_back(".LUB"[t.Cell(r, c).merge]);
        out.push_back(row);
    }
    return out;
}

// The merged cells (first row, first column, rows, columns) of a table, each once, row-major.
std::vector<CellSpan> Blocks(const Table& t) {
    std::vector<CellSpan> out;
    const std::vector<CellSpan> spans = t.Spans();
    for (int r = 1; r <= t.rows; ++r)
        for (int c = 1; c <= t.cols; ++c) {
            const CellSpan& s = spans[static_cast<size_t>((r - 1) * t.cols + c - 1)];
            if (s.row == r && s.col == c && (s.rows > 1 || s.cols > 1)) out.push_back(s);
        }
    return out;
}

TEST(Document, MergeMarksMakeRectanglesAndStrayMarksCountForNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> marks;
        std::vector<CellSpan> blocks;
        std::vector<std::string> normal;  // the marks as NormalizeMerges leaves them
    };
    const Case cases[] = {
        {"across and down", {".L.", "...", "U.."}, {{1, 1, 1, 2}, {2, 1, 2, 1}}, {".L.", "...", "U.."}},
        {"one block of all", {".L", "UB"}, {{1, 1, 2, 2}}, {".L", "UB"}},
        {"marks with nothing to continue", {"LU", ".."}, {}, {"..", ".."}},
        // The second row only partly continues the block above: the block stays one row, the
        // marks below start cells of their own.
        {"not a rectangle", {".L", "UU"}, {{1, 1, 1, 2}}, {".L", ".."}},
        {"across a block's edge", {".L.", "U.L"}, {{1, 1, 1, 2}, {2, 2, 1, 2}}, {".L.", "..L"}},
        {"a mark under a stray mark", {".L", "U.", "UL"}, {{1, 1, 1, 2}, {2, 1, 2, 1}}, {".L", "..", "U."}},
        {"tall and wide", {"...", ".LL", "UBB", "UBB"}, {{2, 1, 3, 3}}, {"...", ".LL", "UBB", "UBB"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Table t = Marked(c.marks);
        EXPECT_EQ(Blocks(t), c.blocks);
        t.NormalizeMerges();
        EXPECT_EQ(MarksOf(t), c.normal);
        EXPECT_EQ(Blocks(t), c.blocks) << "normalizing keeps the blocks";
    }
}

TEST(Document, RowAndColumnEditsKeepMergedCellsRectangles) {
    // A 3 x 3 table: the first row's first two cells merged, the first column's last two.
    const auto made = [] {
        Document d = Make(L"ab");
        const int id = d.InsertTable(1, 3, 3, 9000);
        Table* t = d.EditTable(id);
        t->Cell(1, 2).merge = merge::kLeft;
        t->Cell(3, 1).merge = merge::kUp;
        return std::make_pair(d, id);
    };
    struct Case {
        const char* name;
        bool (*edit)(Document&, int);
        std::vector<std::string> marks;
    };
    const Case cases[] = {
        {"row inside the tall cell", [](Document& d, int id) { return d.InsertRow(id, 2, true); }, {".L.", "...", "U..", "U.."}},
        {"row below the tall cell", [](Document& d, int id) { return d.InsertRow(id, 3, true); }, {".L.", "...", "U..", "..."}},
        {"row above the wide cell", [](Document& d, int id) { return d.InsertRow(id, 1, false); }, {".L.", ".L.", "...", "U.."}},
        {"column inside the wide cell", [](Document& d, int id) { return d.InsertColumn(id, 1, true); }, {".LL.", "....", "UU.."}},
        {"column right of the wide cell", [](Document& d, int id) { return d.InsertColumn(id, 2, true); }, {".L..", "....", "U..."}},
        {"column left of the tall cell", [](Document& d, int id) { return d.InsertColumn(id, 1, false); }, {"..L.", "....", "UU.."}},
        {"the tall cell's first row", [](Document& d, int id) { return d.DeleteRows(id, 2, 1); }, {".L.", "..."}},
        {"the tall cell's last row", [](Document& d, int id) { return d.DeleteRows(id, 3, 1); }, {".L.", "..."}},
        {"the wide cell's first column", [](Document& d, int id) { return d.DeleteColumn(id, 1); }, {"..", "..", ".."}},
        {"the wide cell's last column", [](Document& d, int id) { return d.DeleteColumn(id, 2); }, {"..", "..", "U."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto [d, id] = made();
        ASSERT_EQ(d.Validate(), L"");
        ASSERT_TRUE(c.edit(d, id));
        EXPECT_EQ(MarksOf(*d.FindTable(id)), c.marks);
        EXPECT_EQ(d.Validate(), L"");
    }
    auto [d, id] = made();
    d.EditTable(id)->Cell(2, 2).merge = merge::kUp | merge::kLeft;  // no block for it to join
    EXPECT_NE(d.Validate().find(L"merged cells"), std::wstring::npos);
}

TEST(Document, DeletingAcrossCellsEmptiesThemAndAWholeTableGoes) {
    Document d = Make(L"ab");
    const int id = d.InsertTable(1, 1, 2, 4000);
    d.Insert(d.ParagraphStart(d.CellParagraphs(id, 1, 1).first), L"L", 0);
    d.Insert(d.ParagraphStart(d.CellParagraphs(id, 1, 2).first), L"R", 0);
    ASSERT_EQ(d.AllText(), L"a\nL\nR\nb");
    d.Delete(2, 3);  // "L\nR": the cells stay, their text goes
    EXPECT_EQ(d.AllText(), L"a\n\n\nb");
    EXPECT_NE(d.FindTable(id), nullptr);
    d.Delete(0, d.Length());  // everything, table included
    EXPECT_EQ(d.AllText(), L"");
    EXPECT_TRUE(d.tables.empty());
    EXPECT_EQ(d.Validate(), L"");
}

TEST(Document, InsertDocumentPastesEveryPartAtThePosition) {
    const Document page = testing::FullDocument();
    Document d = Make(L"start end");
    d.SetMark(L"after", 7);
    const int added = d.InsertDocument(6, page);
    EXPECT_EQ(added, page.Length());
    EXPECT_EQ(d.Validate(), L"");
    EXPECT_EQ(d.Text(0, 6), L"start ");
    EXPECT_EQ(d.Text(6 + page.Length(), 3), L"end");
    EXPECT_EQ(d.tables.size(), 1u);
    ASSERT_EQ(d.fields.size(), page.fields.size());
    for (size_t i = 0; i < page.fields.size(); ++i) {
        EXPECT_EQ(d.Text(d.fields[i].start, d.fields[i].length), page.Text(page.fields[i].start, page.fields[i].length));
        EXPECT_EQ(d.fields[i].target, page.fields[i].target);
    }
    EXPECT_EQ(d.objects.size(), page.objects.size());
    EXPECT_EQ(d.FindMark(L"after")->position, 7 + added);
    EXPECT_EQ(d.FindMark(L"intro")->position, 6);

    // Into a cell, tables become paragraphs of that cell.
    Document t = Make(L"");
    const int id = t.InsertTable(0, 1, 1, 2000);
    t.InsertDocument(0, page);
    EXPECT_EQ(t.tables.size(), 1u);
    EXPECT_EQ(t.FindTable(id)->rows, 1);
    EXPECT_EQ(t.Validate(), L"");
}

TEST(Document, CharFormatsAreSharedByValue) {
    Document d = Make(L"abcdef");
    d.ModifyCharFormats(1, 2, [](CharFormat& f) { f.bold = true; });
    d.ModifyCharFormats(4, 1, [](CharFormat& f) { f.bold = true; });
    EXPECT_EQ(d.charFormats.size(), 2u);
    EXPECT_EQ(d.paragraphs[0].formats, (std::vector<std::uint32_t>{0, 1, 1, 0, 1, 0}));
}

}  // namespace
}  // namespace tx
