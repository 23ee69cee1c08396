#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/ModelCompare.h"

namespace tx {
namespace {

auto Key(const PlacedLine& l) { return std::tie(l.paragraph, l.line, l.page, l.x, l.y, l.start); }
auto Key(const PlacedParagraph& p) {
    return std::tie(p.paragraph, p.page, p.x, p.y, p.width, p.height, p.first, p.listMarker, p.markerX);
}
auto Key(const PlacedCell& c) { return std::tie(c.table, c.row, c.col, c.page, c.x, c.y, c.width, c.height, c.rows, c.cols); }
auto Key(const PlacedObject& o) { return std::tie(o.objectId, o.page, o.x, o.y, o.width, o.height); }
auto Key(const Line& l) {
    return std::tie(l.offset, l.length, l.width, l.ascent, l.descent, l.height, l.indent, l.hardBreak, l.pageBreak, l.caretX);
}
auto Key(const LineRun& r) { return std::tie(r.offset, r.length, r.format, r.x, r.objectId); }

template <class T>
::testing::AssertionResult SameList(const char* what, const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << what << ": " << a.size() << " expected, " << b.size() << " found";
    for (size_t i = 0; i < a.size(); ++i)
        if (Key(a[i]) != Key(b[i])) return ::testing::AssertionFailure() << what << " " << i << " differs";
    return ::testing::AssertionSuccess();
}

// The layout the engine brought up to date step by step must be the one laid out from nothing.
::testing::AssertionResult SameAsFreshLayout(TextEngine& e, const TextMeasurer& measurer) {
    const Layout& kept = e.GetLayout();
    Layout fresh;
    fresh.SetMeasurer(&measurer);
    fresh.Update(e.Doc());
    if (kept.PageCount() != fresh.PageCount()) return ::testing::AssertionFailure() << "page counts differ";
    for (auto r : {SameList("line", fresh.Lines(), kept.Lines()), SameList("paragraph part", fresh.Paragraphs(), kept.Paragraphs()),
                   SameList("cell", fresh.Cells(), kept.Cells()), SameList("object", fresh.Objects(), kept.Objects()),
                   SameList("header line", fresh.HeaderLines(), kept.HeaderLines()),
                   SameList("footer line", fresh.FooterLines(), kept.FooterLines())})
        if (!r) return r;
    for (size_t i = 0; i < kept.Lines().size(); ++i) {
        const Line& a = fresh.LineOf(fresh.Lines()[i]);
        const Line& b = kept.LineOf(kept.Lines()[i]);
        if (Key(a) != Key(b)) return ::testing::AssertionFailure() << "line " << i << " is broken differently";
        if (auto r = SameList("run", a.runs, b.runs); !r) return r << " in line " << i;
    }
    return ::testing::AssertionSuccess();
}

// Three of the benchmark's pages (tables, links and pictures), one after another.
Document ThreeBenchmarkPages() {
    Document pages = testing::BenchmarkPage();
    const Document page = pages;
    for (int i = 0; i < 2; ++i) {
        pages.Insert(pages.Length(), L"\f", 0);
        pages.InsertDocument(pages.Length(), page);
    }
    return pages;
}

// Random sequences of the members the editor calls, from fixed seeds. After every step the model
// must still be valid and laid out, as a layout made afresh would lay it out.
void RandomEdits(TextEngine& e, unsigned seed, int steps, const TextMeasurer* measurer) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const wchar_t* texts[] = {L"a", L"word ", L"\n", L"two\nlines", L"\t", L"\f", L""};
    for (int i = 0; i < steps; ++i) {
        e.SetSelStart(pick(e.TextLength() + 1));
        if (pick(3) == 0) e.SetSelLength(pick(20));
        switch (pick(15)) {
        case 0: case 1: case 2: e.SetSelText(texts[pick(7)]); break;
        case 3: e.TypeChar(static_cast<wchar_t>(L'a' + pick(26))); break;
        case 4: e.DeleteBackward(); break;
        case 5: e.DeleteForward(); break;
        case 6: e.SetBold(pick(2) == 0); break;
        case 7: e.FormatParagraphs([&](ParaFormat& f) { f.listKind = pick(2) ? ListKind::Numbered : ListKind::None; }); break;
        case 8: e.FieldInsert(L"link"); break;
        case 9: e.FieldInsertOverSelection(); break;
        case 10: e.TableInsert(1 + pick(3), 1 + pick(3)); break;
        case 11:
            if (pick(2)) e.TableInsertRow(pick(2) == 0);
            else e.TableInsertColumn(pick(2) == 0);
            break;
        case 12:
            if (pick(2)) e.TableDeleteRows();
            else e.TableDeleteColumn();
            break;
        case 13: e.ObjectInsertImage(testing::TinyPng(8, 8), pick(2) == 0, -1, 100); break;
        case 14: e.Paste(e.Copy()); break;
        }
        ASSERT_EQ(e.Doc().Validate(), L"") << "seed " << seed << " step " << i;
        ASSERT_GE(e.PageCount(), 1);
        ASSERT_TRUE(SameAsFreshLayout(e, *measurer)) << "seed " << seed << " step " << i;
    }
}

TEST(EditSequence, RandomEditsKeepTheModelValidAndSurviveBothFormats) {
    FixedPitchMeasurer measurer;
    for (unsigned seed : {1u, 2u, 3u}) {
        TextEngine e;
        e.SetMeasurer(&measurer);
        e.LoadFromBytes(WriteTxm(testing::FullDocument()), kFormatOwn);
        RandomEdits(e, seed, 150, &measurer);
        EXPECT_TRUE(testing::SameModel(e.Doc(), ReadTxm(WriteTxm(e.Doc())))) << "seed " << seed;
        EXPECT_TRUE(testing::SameModel(e.Doc(), ReadRtf(WriteRtf(e.Doc())))) << "seed " << seed;
    }
}

// The same edits on a page whose table has cells merged across and down: rows and columns go in
// and out through them, text is cut and pasted across them.
TEST(EditSequence, RandomEditsThroughMergedCells) {
    FixedPitchMeasurer measurer;
    Document merged = testing::FullDocument();
    Table& t = merged.tables[0];  // 3 x 4
    t.Cell(1, 2).merge = t.Cell(1, 3).merge = merge::kLeft;
    t.Cell(2, 4).merge = t.Cell(3, 4).merge = merge::kUp;
    t.Cell(3, 2).merge = merge::kUp;
    ASSERT_EQ(merged.Validate(), L"");
    for (unsigned seed : {31u, 32u, 33u}) {
        TextEngine e;
        e.SetMeasurer(&measurer);
        e.LoadFromBytes(WriteTxm(merged), kFormatOwn);
        RandomEdits(e, seed, 150, &measurer);
        EXPECT_TRUE(testing::SameModel(e.Doc(), ReadTxm(WriteTxm(e.Doc())))) << "seed " << seed;
        EXPECT_TRUE(testing::SameModel(e.Doc(), ReadRtf(WriteRtf(e.Doc())))) << "seed " << seed;
    }
}

// Several pages of tables, links and pictures on short pages, edited by the members that change
// text and paragraphs only (those the layout follows paragraph by paragraph), so that edits move
// text across page ends and the layout resumes and stops in the middle of a long document.
TEST(EditSequence, LayoutAfterEachEditOfALongDocumentIsTheFreshOne) {
    FixedPitchMeasurer measurer;
    const Document pages = ThreeBenchmarkPages();
    const wchar_t* texts[] = {L"a", L"word ", L"\n", L"two\nlines", L"\f", L"\v", L"", L"many words to wrap the line "};
    for (unsigned seed : {21u, 22u, 23u}) {
        TextEngine e;
        e.SetMeasurer(&measurer);
        e.LoadFromBytes(WriteTxm(pages), kFormatOwn);
        e.SetPageHeight(5000);
        ASSERT_GT(e.PageCount(), 10);
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        for (int i = 0; i < 100; ++i) {
            if (pick(3)) e.SetSelStart(pick(e.TextLength() + 1));
            if (pick(4) == 0) e.SetSelLength(pick(30));
            switch (pick(10)) {
            case 0: case 1: e.SetSelText(texts[pick(8)]); break;
            case 2: e.TypeChar(L'x'); break;
            case 3: e.DeleteBackward(); break;
            case 4: e.DeleteForward(); break;
            case 5: e.SetBold(pick(2) == 0); break;
            case 6:
                e.FormatParagraphs([&](ParaFormat& f) {
                    f.listKind = static_cast<ListKind>(pick(3) * 2);
                    f.spaceBefore = 100 * pick(4);
                });
                break;
            case 7: e.Paste(e.Copy()); break;
            case 8: e.Undo(); break;
            case 9: e.Redo(); break;
            }
            ASSERT_EQ(e.Doc().Validate(), L"") << "seed " << seed << " step " << i;
            ASSERT_TRUE(SameAsFreshLayout(e, measurer)) << "seed " << seed << " step " << i;
        }
    }
}

// Edits at the paragraphs around each table of a long document on short pages: the layout resumes
// at the changed paragraph itself where it can, and must still arrive where a fresh layout does,
// after a paragraph went, came or joined another just behind a table, or a numbered list counts on.
TEST(EditSequence, EditsNextToTablesLayOutAsAFreshLayout) {
    FixedPitchMeasurer measurer;
    const Document pages = ThreeBenchmarkPages();
    struct Step {
        const char* what;
        int from;  // from the start of the paragraph after the table (negative: into the table)
        std::function<void(TextEngine&)> edit;
    };
    const Step steps[] = {
        {"type", 0, [](TextEngine& e) { e.TypeChar(L'x'); }},
        {"type", 3, [](TextEngine& e) { e.TypeChar(L'x'); }},
        {"erase", 3, [](TextEngine& e) { e.DeleteBackward(); }},
        {"erase the separator", 0, [](TextEngine& e) { e.DeleteBackward(); }},
        {"new paragraph", 0, [](TextEngine& e) { e.SetSelText(L"\n"); }},
        {"new paragraphs", 2, [](TextEngine& e) { e.SetSelText(L"one\ntwo\nthree"); }},
        {"page break", 2, [](TextEngine& e) { e.SetSelText(L"\f"); }},
        {"paragraph and a half go", 0, [](TextEngine& e) {
             e.SetSelLength(60);
             e.SetSelText(L"");
         }},
        {"numbered", 0, [](TextEngine& e) { e.FormatParagraphs([](ParaFormat& f) { f.listKind = ListKind::Numbered; }); }},
        {"last cell", -2, [](TextEngine& e) { e.TypeChar(L'x'); }},
        {"last cell erased", -2, [](TextEngine& e) { e.DeleteBackward(); }},
    };
    for (int table = 0; table < 3; ++table) {
        TextEngine e;
        e.SetMeasurer(&measurer);
        e.LoadFromBytes(WriteTxm(pages), kFormatOwn);
        e.SetPageHeight(5000);
        ASSERT_GT(e.PageCount(), 10);
        for (const Step& step : steps) {
            const Document& d = e.Doc();
            int after = -1;  // the paragraph after this table
            for (int i = 1, seen = 0; i < d.ParagraphCount() && after < 0; ++i)
                if (d.paragraphs[static_cast<size_t>(i) - 1].cell.table != 0 && d.paragraphs[static_cast<size_t>(i)].cell.table == 0 &&
                    seen++ == table)
                    after = i;
            ASSERT_GE(after, 0) << step.what;
            e.SetSelStart(d.ParagraphStart(after) + step.from);
            step.edit(e);
            ASSERT_EQ(e.Doc().Validate(), L"") << "table " << table << ": " << step.what;
            ASSERT_TRUE(SameAsFreshLayout(e, measurer)) << "table " << table << ": " << step.what;
            e.Undo();
            ASSERT_TRUE(SameAsFreshLayout(e, measurer)) << "table " << table << ": " << step.what << ", undone";
            e.Redo();
            ASSERT_TRUE(SameAsFreshLayout(e, measurer)) << "table " << table << ": " << step.what << ", redone";
        }
    }
}

TEST(EditSequence, UndoingEveryStepRestoresTheStart) {
    FixedPitchMeasurer measurer;
    TextEngine e;
    e.SetMeasurer(&measurer);
    e.LoadFromBytes(WriteTxm(testing::FullDocument()), kFormatOwn);
    const Document start = e.Doc();
    RandomEdits(e, 7, 60, &measurer);  // fewer steps than the history keeps
    const Document end = e.Doc();
    while (e.CanUndo()) e.Undo();
    EXPECT_TRUE(testing::SameModel(start, e.Doc()));
    while (e.CanRedo()) e.Redo();
    EXPECT_TRUE(testing::SameModel(end, e.Doc()));
}

// The document as a page file stores it, with what the file leaves out but undo must restore too.
std::string State(const TextEngine& e) {
    std::string s = WriteTxm(e.Doc());
    for (const auto& o : e.Doc().objects) s += "|" + std::to_string(o.id) + ":" + std::to_string(o.hostWindow);
    return s;
}

enum class Action { Undo, Redo, Other };

// One of the members the editor calls, picked at random, undo and redo among them, and members that
// change the document between steps without a step of their own.
Action RandomAction(TextEngine& e, std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const wchar_t* texts[] = {L"a", L"word ", L"\n", L"two\nlines", L"\t", L"\f", L""};
    auto anyObject = [&] { return e.Doc().objects.empty() ? 0 : e.Doc().objects[static_cast<size_t>(pick(static_cast<int>(e.Doc().objects.size())))].id; };
    auto anyField = [&] { return e.Doc().fields.empty() ? 0 : e.Doc().fields[static_cast<size_t>(pick(static_cast<int>(e.Doc().fields.size())))].id; };
    if (pick(4) != 0) {  // typing goes on where it stopped now and then, so that keys merge
        e.SetSelStart(pick(e.TextLength() + 1));
        if (pick(3) == 0) e.SetSelLength(pick(20));
    }
    switch (pick(30)) {
    case 0: case 1: e.SetSelText(texts[pick(7)]); break;
    case 2: case 3: case 4: e.TypeChar(static_cast<wchar_t>(L'a' + pick(26))); break;
    case 5: e.DeleteBackward(); break;
    case 6: e.DeleteForward(); break;
    case 7: e.SetItalic(pick(2) == 0); break;
    case 8: e.FormatParagraphs([&](ParaFormat& f) { f.listKind = pick(2) ? ListKind::Bullet : ListKind::None; }); break;
    case 9: e.FieldInsert(L"link"); break;
    case 10: e.FieldInsertOverSelection(); break;
    case 11: e.TableInsert(1 + pick(3), 1 + pick(3)); break;
    case 12:
        if (pick(2)) e.TableInsertRow(pick(2) == 0);
        else e.TableDeleteColumn();
        break;
    case 13: e.ObjectInsertImage(testing::TinyPng(8, 8), pick(2) == 0, -1, 100); break;
    case 14: e.Paste(e.Copy()); break;
    case 15: case 16: case 17: e.Undo(); return Action::Undo;
    case 18: case 19: e.Redo(); return Action::Redo;
    case 20:
        e.SetObjectCurrent(anyObject());
        e.ObjectDelete();
        break;
    case 21: e.SetObjectScale(anyObject(), 50 + pick(100), 50 + pick(100)); break;
    case 22: e.SetObjectName(anyObject(), L"name " + std::to_wstring(pick(9))); break;  // no step of its own
    case 23: e.SetPageWidth(12000 + 10 * pick(300)); break;                              // no step either
    case 24:
        if (const int t = e.TableAtInputPos()) e.SetTableCellAttribute(t, 0, 1 + pick(2), cell::kColumnWidth, 900 + pick(900));
        break;
    case 25: e.SetFieldLinkTarget(anyField(), L"page" + std::to_wstring(pick(9))); break;
    case 26: e.FieldDelete(anyField()); break;
    case 27: e.SetHeaderText(pick(2) ? L"head\nline" : L""); break;
    case 28: e.MarkInsert(L"mark" + std::to_wstring(pick(3))); break;
    case 29:
        e.SetFieldCurrent(anyField());
        e.SetFieldText(L"new text");
        break;
    }
    return Action::Other;
}

// Undo and redo must give back exactly the document each step found or left, as if every step had
// kept a whole copy. The copies kept here are that model: after every random action, the engine's
// document is compared byte for byte with what the model expects.
TEST(EditSequence, UndoAndRedoRestoreExactlyWhatEachStepFoundOrLeft) {
    FixedPitchMeasurer measurer;
    for (unsigned seed : {11u, 12u, 13u, 14u}) {
        TextEngine e;
        e.SetMeasurer(&measurer);
        e.LoadFromBytes(WriteTxm(testing::FullDocument()), kFormatOwn);
        std::mt19937 random(seed);
        std::vector<std::string> undoModel, redoModel;
        for (int i = 0; i < 90; ++i) {
            const std::string before = State(e);
            const int undoSteps = e.UndoSteps(), redoSteps = e.RedoSteps();
            const Action action = RandomAction(e, random);
            const std::string after = State(e);
            SCOPED_TRACE("seed " + std::to_string(seed) + " action " + std::to_string(i));
            ASSERT_EQ(e.Doc().Validate(), L"");
            ASSERT_TRUE(SameAsFreshLayout(e, measurer));
            if (action == Action::Undo && undoSteps == 0) {
                ASSERT_TRUE(after == before) << "an undo with nothing to undo changed the document";
            } else if (action == Action::Redo && redoSteps == 0) {
                ASSERT_TRUE(after == before) << "a redo with nothing to redo changed the document";
            } else if (action == Action::Undo) {
                ASSERT_EQ(e.UndoSteps(), undoSteps - 1);
                ASSERT_TRUE(after == undoModel.back()) << "undo gave another document than the step found";
                undoModel.pop_back();
                redoModel.push_back(before);
            } else if (action == Action::Redo) {
                ASSERT_EQ(e.RedoSteps(), redoSteps - 1);
                ASSERT_TRUE(after == redoModel.back()) << "redo gave another document than the undo left";
                redoModel.pop_back();
                undoModel.push_back(before);
            } else if (e.UndoSteps() == undoSteps + 1) {  // a new step
                ASSERT_EQ(e.RedoSteps(), 0);
                undoModel.push_back(before);
                redoModel.clear();
            } else {  // merged into the last step, or no step at all
                ASSERT_EQ(e.UndoSteps(), undoSteps);
                if (e.RedoSteps() == 0) redoModel.clear();
            }
            ASSERT_EQ(static_cast<int>(undoModel.size()), e.UndoSteps());
            ASSERT_EQ(static_cast<int>(redoModel.size()), e.RedoSteps());
        }
        // Back to the start and forward to the end, one step at a time.
        while (e.CanUndo()) {
            redoModel.push_back(State(e));
            e.Undo();
            ASSERT_TRUE(State(e) == undoModel.back()) << "seed " << seed << " undo " << undoModel.size();
            undoModel.pop_back();
        }
        while (e.CanRedo()) {
            e.Redo();
            ASSERT_TRUE(State(e) == redoModel.back()) << "seed " << seed << " redo " << redoModel.size();
            redoModel.pop_back();
        }
        EXPECT_EQ(e.Doc().Validate(), L"");
    }
}

}  // namespace
}  // namespace tx
