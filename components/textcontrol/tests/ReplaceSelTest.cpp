// Putting a word right in place, as a spelling checker does through the edit control's replace:
// the new word takes the first old character's format, stays inside the link the old word was
// in, and is one undo step of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx {
namespace {

using testing::Select;

// One letter per character: B bold, I italic, - plain.
std::wstring Styles(const TextEngine& e) {
    std::wstring out;
    const Document& d = e.Doc();
    for (int p = 0; p < d.ParagraphCount(); ++p) {
        if (p > 0) out += L'|';
        const auto& para = d.paragraphs[static_cast<size_t>(p)];
        for (size_t i = 0; i < para.text.size(); ++i) {
            const CharFormat& f = d.FormatAt(p, static_cast<int>(i));
            out += f.bold ? L'B' : f.italic ? L'I' : L'-';
        }
    }
    return out;
}

// The text a link shows, "" when there is no such link.
std::wstring LinkText(const TextEngine& e, int id) {
    const Field* f = e.Doc().FindField(id);
    return f ? e.Doc().Text(f->start, f->length) : L"";
}

void Format(TextEngine& e, int start, int length, bool bold, bool italic) {
    e.SetSelStart(start);
    e.SetSelLength(length);
    e.SetBold(bold);
    e.SetItalic(italic);
}

int Link(TextEngine& e, std::wstring_view shown) {
    Select(e, shown);
    const int id = e.FieldInsertOverSelection();
    e.SetFieldLinkKind(id, kLinkAddress);
    e.SetFieldLinkTarget(id, L"http://example.com");
    return id;
}

TEST(ReplaceSel, TheNewWordTakesTheFormatOfTheFirstCharacterItReplaces) {
    struct Case {
        const char* name;
        int start, length;       // over "a teh cat" with "teh" as t bold, e italic, h plain
        const wchar_t* with;
        const wchar_t* text;
        const wchar_t* styles;
    };
    const Case cases[] = {
        {"mixed word, first bold", 2, 3, L"the", L"a the cat", L"--BBB----"},
        {"from the italic letter", 3, 2, L"HE", L"a tHE cat", L"--BII----"},
        {"shorter", 2, 3, L"t", L"a t cat", L"--B----"},
        {"longer", 2, 3, L"there", L"a there cat", L"--BBBBB----"},
        {"one letter", 4, 1, L"x", L"a tex cat", L"--BI-----"},
        {"at a caret: the character before's format", 5, 0, L"s", L"a tehs cat", L"--BI------"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextEngine e;
        e.SetSelText(L"a teh cat");
        Format(e, 2, 1, true, false);
        Format(e, 3, 1, false, true);
        e.SetSelStart(c.start);
        e.SetSelLength(c.length);
        e.ReplaceSel(c.with);
        EXPECT_EQ(e.Text(), c.text);
        EXPECT_EQ(Styles(e), c.styles);
        EXPECT_EQ(e.SelStart(), c.start + static_cast<int>(std::wstring(c.with).size()));
        EXPECT_EQ(e.SelLength(), 0);
    }
}

TEST(ReplaceSel, AWordInALinkStaysInTheLink) {
    struct Case {
        const char* name;
        const wchar_t* text;
        const wchar_t* link;  // the link's text before
        const wchar_t* word;  // the word replaced
        const wchar_t* with;
        const wchar_t* after;  // the link's text after
    };
    const Case cases[] = {
        {"the whole link", L"go to teh now", L"teh", L"teh", L"the", L"the"},
        {"a one-letter link", L"so i said", L"i", L"i", L"I", L"I"},
        {"the link's last word", L"see teh.", L"see teh", L"teh", L"the", L"see the"},
        {"the link's first word", L"teh site is", L"teh site", L"teh", L"the", L"the site"},
        {"inside the link", L"a big teh site", L"big teh site", L"teh", L"thee", L"big thee site"},
        {"a longer replacement", L"x recieve y", L"recieve", L"recieve", L"receives", L"receives"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextEngine e;
        e.SetSelText(c.text);
        const int id = Link(e, c.link);
        ASSERT_NE(id, 0);
        Select(e, c.word);
        e.ReplaceSel(c.with);
        EXPECT_EQ(LinkText(e, id), c.after);
        EXPECT_EQ(e.FieldLinkTarget(id), L"http://example.com");
    }
}

TEST(ReplaceSel, TextBeforeAndAfterALinkStaysOutsideIt) {
    TextEngine e;
    e.SetSelText(L"ab link cd");
    const int id = Link(e, L"link");
    Select(e, L"ab");
    e.ReplaceSel(L"xyz");
    Select(e, L"cd");
    e.ReplaceSel(L"w");
    EXPECT_EQ(e.Text(), L"xyz link w");
    EXPECT_EQ(LinkText(e, id), L"link");
}

TEST(ReplaceSel, IsOneUndoStepOfItsOwnAndRaisesOneChange) {
    class Counter : public EngineEvents {
    public:
        void Changed(ChangeKind kind) override {
            if (kind == ChangeKind::Text) ++texts;
        }
        int texts = 0;
    } counter;
    TextEngine e;
    for (wchar_t c : std::wstring(L"so teh")) e.TypeChar(c);
    const int id = Link(e, L"teh");
    Format(e, 3, 1, true, false);
    e.SetEvents(&counter);
    const int stepsBefore = e.UndoSteps();
    Select(e, L"teh");
    e.ReplaceSel(L"the");
    EXPECT_EQ(counter.texts, 1);
    EXPECT_EQ(e.UndoSteps(), stepsBefore + 1);
    // Typing straight after it is a step of its own too.
    e.TypeChar(L'y');
    EXPECT_EQ(e.Text(), L"so they");
    e.Undo();
    EXPECT_EQ(e.Text(), L"so the");
    e.Undo();
    EXPECT_EQ(e.Text(), L"so teh");
    EXPECT_EQ(Styles(e), L"---B--");
    EXPECT_EQ(LinkText(e, id), L"teh");
    e.Redo();
    EXPECT_EQ(e.Text(), L"so the");
    EXPECT_EQ(Styles(e), L"---BBB");
    EXPECT_EQ(LinkText(e, id), L"the");
    e.SetEvents(nullptr);
}

TEST(ReplaceSel, AtACaretItDoesNotJoinTheTypingBeforeIt) {
    TextEngine e;
    for (wchar_t c : std::wstring(L"ab")) e.TypeChar(c);
    e.ReplaceSel(L"cd");
    EXPECT_EQ(e.Text(), L"abcd");
    e.Undo();
    EXPECT_EQ(e.Text(), L"ab");
}

TEST(ReplaceSel, AcrossParagraphsAndWithLineEnds) {
    struct Case {
        const char* name;
        const wchar_t* text;
        int start, length;
        const wchar_t* with;
        const wchar_t* after;
        int caret;
    };
    const Case cases[] = {
        {"over a paragraph end", L"one\ntwo", 2, 3, L"X", L"onXwo", 3},
        {"a line end in the new text", L"one two", 4, 3, L"2\r\nthree", L"one 2\nthree", 11},
        {"from a paragraph end", L"one\ntwo", 3, 1, L" ", L"one two", 4},
        {"nothing for nothing", L"one", 1, 0, L"", L"one", 1},
        {"an empty replacement deletes", L"one two", 3, 4, L"", L"one", 3},
        {"an object character is not text", L"ab", 0, 2, L"\xFFFC", L"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextEngine e;
        e.SetSelText(c.text);
        const int steps = e.UndoSteps();
        e.SetSelStart(c.start);
        e.SetSelLength(c.length);
        e.ReplaceSel(c.with);
        EXPECT_EQ(e.Text(), c.after);
        EXPECT_EQ(e.SelStart(), c.caret);
        if (e.Text() != c.text) {
            e.Undo();
            EXPECT_EQ(e.Text(), c.text) << "one step takes it back";
        } else {
            EXPECT_EQ(e.UndoSteps(), steps) << "no step for no change";
        }
    }
}

TEST(ReplaceSel, InATableCellTheCellKeepsItsText) {
    TextEngine e;
    e.SetSelText(L"before");
    const int table = e.TableInsert(1, 2, 0);
    ASSERT_NE(table, 0);
    e.SetSelStart(e.TableCellStart(table, 1, 2));
    e.SetSelText(L"a teh");
    Select(e, L"teh");
    e.ReplaceSel(L"the");
    const int start = e.TableCellStart(table, 1, 2);
    EXPECT_EQ(e.Doc().Text(start, e.TableCellLength(table, 1, 2)), L"a the");
    EXPECT_EQ(e.TableRows(table), 1);
    EXPECT_EQ(e.TableColumns(table), 2);
}

}  // namespace
}  // namespace tx
