#include "app/core/AutoLinks.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/core/tests/LinkFields.h"

namespace zv {
namespace {

using zv_test::Link;
using zv_test::LinksOf;

// The editor as the window drives it: every key press goes to the linker first, and what it does
// not take is typed by the control; every selection event reaches the linker.
class Editor : public tx::EngineEvents {
public:
    Editor() { engine.SetEvents(this); }
    void Changed(tx::ChangeKind) override { linker.SelectionChanged(engine.SelStart(), engine.SelLength()); }

    void Type(std::wstring_view keys, bool shift = false) {
        for (wchar_t c : keys)
            if (!linker.KeyPress(engine, c, shift, ctrlFlag)) engine.TypeChar(c);
    }
    // A mouse click: the caret moves, and the mouse up starts a word there.
    void Click(int position) {
        engine.SetSelStart(position);
        linker.Restart(position);
    }

    tx::TextEngine engine;
    AutoLinker linker;
    bool ctrlFlag = false;
};

TEST(AutoFormatItem, MatchesItsKeywordFromTheStartExactly) {
    struct Case {
        std::wstring_view keyword, fed;
        bool matched;
    } cases[] = {
        {L"www.", L"www.", true},         {L"www.", L"www.example.com", true},
        {L"www.", L"WWW.example.com", false},  // case counts
        {L"www.", L"xwww.", false},       // the keyword must start what was fed
        {L"www.", L"ww", false},          {L"www.", L"", false},
        {L"http://", L"http://a", true},  {L"http://", L"http:/a", false},
        {L"w3.", L"w3x.", false},         {L"w3.", L"w3.org", true},
    };
    for (const auto& c : cases) {
        AutoFormatItem item;
        item.SetKeyword(c.keyword);
        item.Start(7);
        for (wchar_t ch : c.fed) item.NextChar(ch);
        EXPECT_EQ(item.StartsWithKeyword(), c.matched) << ::testing::PrintToString(std::wstring(c.fed));
        EXPECT_EQ(item.GetStartPosition(), 7);
        item.Start(3);  // a restart forgets what was fed
        EXPECT_EQ(item.StartsWithKeyword(), false);
        EXPECT_EQ(item.GetStartPosition(), 3);
    }
}

TEST(AutoLinks, TypingAWordEndLinksAWordThatBeginsWithAKeyword) {
    struct Case {
        const char* name;
        std::wstring_view typed;
        bool shift;
        std::wstring_view text;
        std::vector<Link> links;
    } cases[] = {
        {"www and space", L"see www.example.com now", false, L"see www.example.com now",
         {{L"www.example.com", L"http://www.example.com", 1}}},
        {"http and Enter", L"http://a.org/x\rnext", false, L"http://a.org/x\nnext", {{L"http://a.org/x", L"http://a.org/x", 1}}},
        {"w3 and Tab", L"w3.org\t", false, L"w3.org\t", {{L"w3.org", L"http://w3.org", 1}}},
        {"Shift+Enter breaks the line", L"www.a.com\r", true, L"www.a.com\v", {{L"www.a.com", L"http://www.a.com", 1}}},
        {"capitals", L"WWW.A.COM ", false, L"WWW.A.COM ", {}},
        {"keyword inside a word", L"xwww.a.com ", false, L"xwww.a.com ", {}},
        {"keyword alone", L"www. ", false, L"www. ", {{L"www.", L"http://www.", 1}}},
        {"no word end yet", L"www.a.com", false, L"www.a.com", {}},
        {"two words", L"www.a.com http://b.org ", false, L"www.a.com http://b.org ",
         {{L"www.a.com", L"http://www.a.com", 1}, {L"http://b.org", L"http://b.org", 1}}},
        {"line feed swallowed", L"a\nb", false, L"ab", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e;
        e.Type(c.typed, c.shift);
        EXPECT_EQ(e.engine.Text(), c.text);
        EXPECT_EQ(LinksOf(e.engine), c.links);
        EXPECT_EQ(e.engine.SelStart(), static_cast<int>(c.text.size()));
        EXPECT_EQ(e.engine.SelLength(), 0);
    }
}

TEST(AutoLinks, TheFirstTabAfterACtrlKeyIsSwallowed) {
    Editor e;
    e.ctrlFlag = true;
    e.Type(L"\t");
    EXPECT_EQ(e.engine.Text(), L"");
    EXPECT_FALSE(e.ctrlFlag);
    e.Type(L"\t");
    EXPECT_EQ(e.engine.Text(), L"\t");
}

TEST(AutoLinks, AWordBeginsWhereTheCaretLandsOtherThanByTyping) {
    // A click in the middle of a word: only what is typed after it is linked.
    Editor clicked;
    clicked.Type(L"abcdef");
    clicked.Click(3);
    clicked.Type(L"www.x ");
    EXPECT_EQ(clicked.engine.Text(), L"abcwww.x def");
    EXPECT_EQ(LinksOf(clicked.engine), (std::vector<Link>{{L"www.x", L"http://www.x", 1}}));

    // Keys that move the caret (Home, the arrows, Backspace) start a word at the caret as well: the
    // matcher that had seen "www." must not link from its old start over other text.
    struct Case {
        const char* name;
        void (*move)(tx::TextEngine&);
        std::wstring_view text;
    } moves[] = {
        {"Home", [](tx::TextEngine& en) { en.SetSelStart(0); }, L"q www.ab"},
        {"Left", [](tx::TextEngine& en) { en.SetSelStart(en.SelStart() - 1); }, L"www.aq b"},
        {"Backspace", [](tx::TextEngine& en) { en.DeleteBackward(); }, L"www.aq "},
        {"a page load", [](tx::TextEngine& en) { en.LoadFromBytes("plain words", tx::kFormatText); en.SetSelStart(5); },
         L"plainq  words"},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.name);
        Editor e;
        e.Type(L"www.ab");
        m.move(e.engine);
        e.Type(L"q ");
        EXPECT_EQ(e.engine.Text(), m.text);
        EXPECT_EQ(LinksOf(e.engine), std::vector<Link>{});
    }
}

TEST(AutoLinks, TheWordEndIsTypedAsTheControlWouldTypeIt) {
    // Overwrite mode: the delimiter replaces a character as every other typed one does.
    Editor over;
    over.engine.SetSelText(L"abcdefghij");
    over.engine.SetSelStart(0);
    over.engine.SetInsertMode(false);
    over.Type(L"www.a.c ");
    EXPECT_EQ(over.engine.Text(), L"www.a.c ij");
    EXPECT_EQ(LinksOf(over.engine), (std::vector<Link>{{L"www.a.c", L"http://www.a.c", 1}}));

    // The delimiter belongs to the typing's undo step: taking the link back leaves the typed text
    // whole, and one more undo takes all of it.
    Editor e;
    e.Type(L"go www.a.com ");
    int undos = 0;
    while (!LinksOf(e.engine).empty() && undos < 10) {
        e.engine.Undo();
        ++undos;
    }
    EXPECT_LT(undos, 10);
    EXPECT_EQ(e.engine.Text(), L"go www.a.com ");
    e.engine.Undo();
    EXPECT_EQ(e.engine.Text(), L"");
}

// A field over the text from `start` for `length` characters; its id, 0 when none was made.
int MakeField(tx::TextEngine& engine, int start, int length) {
    engine.SetSelStart(start);
    engine.SetSelLength(length);
    return engine.FieldInsertOverSelection();
}

TEST(AutoLinks, LinksLookLikeLinksAsOneUndoStep) {
    tx::TextEngine engine;
    engine.SetSelText(L"one two three four");
    ASSERT_NE(MakeField(engine, 4, 3), 0);
    ASSERT_NE(MakeField(engine, 14, 4), 0);
    engine.SetSelStart(9);
    const int steps = engine.UndoSteps();
    SetHyperlinkFormatting(engine, true);
    EXPECT_EQ(engine.UndoSteps(), steps + 1);
    EXPECT_EQ(engine.SelStart(), 9);
    EXPECT_EQ(engine.SelLength(), 0);
    const auto look = [&](int position) {
        engine.SetSelStart(position);
        engine.SetSelLength(1);
        return std::pair{engine.ForeColor(), engine.Underline()};
    };
    EXPECT_EQ(look(5), std::pair(kLinkColor, true));
    EXPECT_EQ(look(17), std::pair(kLinkColor, true));
    EXPECT_EQ(look(0), look(10));  // text outside the links keeps its look
    EXPECT_FALSE(look(10).second);
    SetHyperlinkFormatting(engine, false);
    EXPECT_EQ(look(5), std::pair(kPlainTextColor, false));

    // A page without links: nothing is recorded and the caret stays.
    tx::TextEngine plain;
    plain.SetSelText(L"no links here");
    plain.SetSelStart(3);
    const int before = plain.UndoSteps();
    SetHyperlinkFormatting(plain, true);
    EXPECT_EQ(plain.UndoSteps(), before);
    EXPECT_EQ(plain.SelStart(), 3);
}

// Links that have their look already are left as they are: only what lacks it is recoloured, so
// a new link on a page of many reformats its own paragraph alone, and a page whose links all look
// right records no undo step.
TEST(AutoLinks, OnlyLinksWithoutTheirLookAreRecoloured) {
    tx::TextEngine engine;
    engine.SetSelText(L"first www.a.org\nsecond www.b.org\nthird www.c.org");
    ASSERT_NE(MakeField(engine, 6, 9), 0);
    ASSERT_NE(MakeField(engine, 23, 9), 0);
    const auto changedParagraphs = [&](std::uint64_t since) {
        std::vector<tx::BodyChange> changes;
        EXPECT_TRUE(engine.Doc().ChangesSince(since, changes));
        std::vector<int> paragraphs;
        for (const tx::BodyChange& c : changes) paragraphs.push_back(c.index);
        return paragraphs;
    };
    struct Case {
        const char* what;
        std::function<void()> before;
        bool on;
        int undoSteps;
        std::vector<int> paragraphs;  // laid out again
    };
    const Case cases[] = {
        {"two new links", [] {}, true, 1, {0, 1}},
        {"all look right already", [] {}, true, 0, {}},
        {"a third link made", [&] { MakeField(engine, 39, 9); }, true, 1, {2}},
        {"one letter of a link made red", [&] { engine.Select(9, 10); engine.SetForeColor(0x0000FF); }, true, 1, {0}},
        {"the look taken away", [] {}, false, 1, {0, 1, 2}},
        {"taken away again", [] {}, false, 0, {}},
    };
    for (const Case& c : cases) {
        c.before();
        engine.SetSelStart(2);
        const int steps = engine.UndoSteps();
        const std::uint64_t version = engine.Doc().Version();
        SetHyperlinkFormatting(engine, c.on);
        EXPECT_EQ(engine.UndoSteps() - steps, c.undoSteps) << c.what;
        EXPECT_EQ(changedParagraphs(version), c.paragraphs) << c.what;
        EXPECT_EQ(engine.SelStart(), 2) << c.what;
        for (int id = engine.FieldNext(0); id != 0; id = engine.FieldNext(id)) {
            for (int p = engine.FieldStart(id) - 1; p < engine.FieldEnd(id); ++p) {
                engine.Select(p, p + 1);
                EXPECT_EQ(engine.ForeColor(), c.on ? kLinkColor : kPlainTextColor) << c.what << " at " << p;
                EXPECT_EQ(engine.Underline(), c.on) << c.what << " at " << p;
            }
        }
    }
}

TEST(AutoLinks, APasteIsRescannedForEveryKeyword) {
    struct Case {
        const char* name;
        std::wstring_view text;
        std::vector<Link> links;
    } cases[] = {
        {"two www words", L"see www.a.com and www.b.org now",
         {{L"www.a.com", L"http://www.a.com", 1}, {L"www.b.org", L"http://www.b.org", 1}}},
        {"two http addresses", L"http://x.org\nhttp://y.org/p?q=1\t",
         {{L"http://x.org", L"http://x.org", 1}, {L"http://y.org/p?q=1", L"http://y.org/p?q=1", 1}}},
        {"http before www", L"http://www.a.com ", {{L"http://www.a.com", L"http://www.a.com", 1}}},
        {"w3", L"at w3.org.", {{L"w3.org.", L"http://w3.org.", 1}}},
        {"capitals are found, not linked", L"WWW.A.COM ", {}},
        // A scanner does not ask for the word's start: the keyword may follow other characters.
        {"keyword inside a word", L"xwww.a.com ", {{L"www.a.com", L"http://www.a.com", 1}}},
        {"the text ends inside a word", L"go www.a.com", {{L"www.a.com", L"http://www.a.com", 1}}},
        {"only a keyword at the end", L"www.", {{L"www.", L"http://www.", 1}}},
        {"nothing to link", L"plain text, no address", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e;
        e.engine.SetSelText(c.text);
        const int end = e.engine.TextLength();
        e.linker.AutoLinkRange(e.engine, 0, end);
        EXPECT_EQ(e.engine.Text(), c.text);
        EXPECT_EQ(LinksOf(e.engine), c.links);
        EXPECT_EQ(e.engine.SelStart(), end);
        EXPECT_EQ(e.engine.SelLength(), 0);
    }
}

TEST(AutoLinks, ARescanLeavesExistingLinksAndEverythingOutsideTheNewOnes) {
    Editor e;
    e.engine.SetSelText(L"www.old.com and www.new.com\ncentred line\n");
    e.engine.SetSelStart(0);
    e.engine.SetSelLength(11);
    const int old = e.engine.FieldInsertOverSelection();
    ASSERT_NE(old, 0);
    e.engine.SetFieldLinkKind(old, 1);
    e.engine.SetFieldLinkTarget(old, L"http://elsewhere.example");
    e.engine.SetSelStart(30);
    e.engine.FormatParagraphs([](tx::ParaFormat& f) { f.align = tx::Align::Center; });
    const std::vector<tx::Paragraph> before = e.engine.Doc().paragraphs;

    e.linker.AutoLinkRange(e.engine, 0, e.engine.TextLength());

    EXPECT_EQ(LinksOf(e.engine), (std::vector<Link>{{L"www.old.com", L"http://elsewhere.example", 1},
                                                     {L"www.new.com", L"http://www.new.com", 1}}));
    const auto& after = e.engine.Doc().paragraphs;
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].text, before[i].text);
        EXPECT_EQ(after[i].format, before[i].format);
    }
}

TEST(AutoLinks, AddressesInTableCellsAreLinkedInTheirCells) {
    Editor e;
    ASSERT_NE(e.engine.TableInsert(1, 2), 0);
    const int table = e.engine.TableAtInputPos();
    ASSERT_NE(table, 0);
    e.engine.SetSelStart(e.engine.TableCellStart(table, 1, 1));
    e.engine.SetSelText(L"www.a.com");
    e.engine.SetSelStart(e.engine.TableCellStart(table, 1, 2));
    e.engine.SetSelText(L"x http://b.org");
    const int cell1 = e.engine.TableCellLength(table, 1, 1), cell2 = e.engine.TableCellLength(table, 1, 2);

    e.linker.AutoLinkRange(e.engine, 0, e.engine.TextLength());

    EXPECT_EQ(LinksOf(e.engine), (std::vector<Link>{{L"www.a.com", L"http://www.a.com", 1},
                                                     {L"http://b.org", L"http://b.org", 1}}));
    EXPECT_EQ(e.engine.TableRows(table), 1);
    EXPECT_EQ(e.engine.TableColumns(table), 2);
    EXPECT_EQ(e.engine.TableCellLength(table, 1, 1), cell1);
    EXPECT_EQ(e.engine.TableCellLength(table, 1, 2), cell2);
}

// Random texts of keyword pieces and delimiters, rescanned over random ranges: every scan ends,
// the text never changes, and every link is one delimiter-free word made of a keyword and what
// follows it, with the target the scanners give.
TEST(AutoLinks, EveryScanEndsAndLinksOnlyWholeWords) {
    const std::wstring_view pieces[] = {L"www.", L"http://", L"w3.", L"w", L"ww", L".", L"a", L"http:/",
                                        L" ", L"\n", L"\t", L"x", L"W"};
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        std::wstring text;
        const int count = std::uniform_int_distribution<int>(0, 30)(random);
        for (int i = 0; i < count; ++i)
            text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
        Editor e;
        e.engine.SetSelText(text);
        const std::wstring stored = e.engine.Text();
        const int length = e.engine.TextLength();
        const int start = std::uniform_int_distribution<int>(0, length)(random);
        const int end = std::uniform_int_distribution<int>(start, length)(random);
        e.linker.AutoLinkRange(e.engine, start, end);
        ASSERT_EQ(e.engine.Text(), stored) << "round " << round;
        for (const Link& l : LinksOf(e.engine)) {
            SCOPED_TRACE(::testing::PrintToString(stored));
            EXPECT_EQ(l.text.find_first_of(L" \t\n"), std::wstring::npos);
            EXPECT_TRUE(l.text.starts_with(L"www.") || l.text.starts_with(L"http://") || l.text.starts_with(L"w3."));
            EXPECT_EQ(l.target, l.text.starts_with(L"http://") ? l.text : L"http://" + l.text);
            EXPECT_EQ(l.kind, 1);
        }
    }
}

}  // namespace
}  // namespace zv
