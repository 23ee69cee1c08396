// Typing, moving, selecting and deleting through real window messages.
#include <functional>

#include "components/textcontrol/win32/tests/TxWinTest.h"

#include <map>
#include <utility>

namespace tx::testing {
namespace {

using EditingTest = TxWinTest;

TEST_F(EditingTest, TypingBuildsTextAndParagraphs) {
    Type(L"Hello world");
    EXPECT_EQ(Utf8(Text()), "Hello world");
    EXPECT_EQ(SelStart(), 11);
    Key(VK_RETURN);
    Type(L"Second");
    EXPECT_EQ(Utf8(Text()), "Hello world\nSecond");
    EXPECT_EQ(control_.Engine().Doc().ParagraphCount(), 2);
    EXPECT_EQ(SelStart(), 18);
}

struct MoveCase {
    const char* name;
    int caret;            // where the caret starts (no selection)
    std::vector<std::pair<int, int>> keys;  // (virtual key, modifiers)
    int selStart, selLength;
};

TEST_F(EditingTest, CaretKeysMoveAndSelectAsAWindowsUserExpects) {
    // Two paragraphs; words of different lengths so that word moves are visible.
    const std::wstring text = L"one two  three\nfour five";
    const MoveCase cases[] = {
        {"Left", 5, {{VK_LEFT, 0}}, 4, 0},
        {"Right", 5, {{VK_RIGHT, 0}}, 6, 0},
        {"Left at start stays", 0, {{VK_LEFT, 0}}, 0, 0},
        {"Right at end stays", 24, {{VK_RIGHT, 0}}, 24, 0},
        {"Right over paragraph end", 14, {{VK_RIGHT, 0}}, 15, 0},
        {"Home", 6, {{VK_HOME, 0}}, 0, 0},
        {"End", 2, {{VK_END, 0}}, 14, 0},
        {"Ctrl+Home", 20, {{VK_HOME, kCtrl}}, 0, 0},
        {"Ctrl+End", 1, {{VK_END, kCtrl}}, 24, 0},
        {"Ctrl+Right to next word", 1, {{VK_RIGHT, kCtrl}}, 4, 0},
        {"Ctrl+Right over two blanks", 5, {{VK_RIGHT, kCtrl}}, 9, 0},
        {"Ctrl+Left to word start", 11, {{VK_LEFT, kCtrl}}, 9, 0},
        {"Ctrl+Left over blanks", 9, {{VK_LEFT, kCtrl}}, 4, 0},
        {"Ctrl+Left at paragraph start", 15, {{VK_LEFT, kCtrl}}, 14, 0},
        {"Shift+Left twice", 5, {{VK_LEFT, kShift}, {VK_LEFT, kShift}}, 3, 2},
        {"Shift+Right then Shift+Left back", 5, {{VK_RIGHT, kShift}, {VK_LEFT, kShift}}, 5, 0},
        {"Shift+Home", 6, {{VK_HOME, kShift}}, 0, 6},
        {"Ctrl+Shift+End", 6, {{VK_END, kCtrl | kShift}}, 6, 18},
        {"Down keeps the column", 2, {{VK_DOWN, 0}}, 17, 0},
        {"Up keeps the column", 17, {{VK_UP, 0}}, 2, 0},
        {"Shift+Down selects to the next line", 2, {{VK_DOWN, kShift}}, 2, 15},
        {"Left collapses a selection to its start", 5, {{VK_RIGHT, kShift}, {VK_RIGHT, kShift}, {VK_LEFT, 0}}, 5, 0},
        {"Right collapses a selection to its end", 5, {{VK_LEFT, kShift}, {VK_RIGHT, 0}}, 5, 0},
        {"Ctrl+A selects all", 3, {{'A', kCtrl}}, 0, 24},
    };
    for (const auto& c : cases) {
        control_.Engine().SetSelStart(0);
        control_.Engine().SetSelLength(-1);
        control_.Engine().SetSelText(text);
        // A fixed-pitch font, so that "the same column" on the next line is one exact position.
        control_.Engine().SetSelStart(0);
        control_.Engine().SetSelLength(-1);
        control_.Engine().SetFontName(L"Liberation Mono");
        control_.Engine().SetSelStart(c.caret);
        for (auto [vk, mods] : c.keys) Key(vk, mods);
        EXPECT_EQ(SelStart(), c.selStart) << c.name;
        EXPECT_EQ(SelLength(), c.selLength) << c.name;
        EXPECT_EQ(Text(), text) << c.name;
    }
}

TEST_F(EditingTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
    Type(L"abcdef");
    Key(VK_BACK);
    EXPECT_EQ(Utf8(Text()), "abcde");
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(Utf8(Text()), "bcde");
    Key(VK_RIGHT, kShift);
    Key(VK_RIGHT, kShift);
    Key(VK_BACK);
    EXPECT_EQ(Utf8(Text()), "de");
    EXPECT_EQ(SelStart(), 0);
    Key(VK_END, kShift);
    Key(VK_DELETE);
    EXPECT_EQ(Utf8(Text()), "");
    Key(VK_BACK);  // nothing left: nothing happens
    Key(VK_DELETE);
    EXPECT_EQ(Utf8(Text()), "");
}

TEST_F(EditingTest, BackspaceJoinsParagraphsAndTypingReplacesTheSelection) {
    Type(L"ab\ncd");
    Key(VK_HOME);
    Key(VK_BACK);
    EXPECT_EQ(Utf8(Text()), "abcd");
    EXPECT_EQ(control_.Engine().Doc().ParagraphCount(), 1);
    Key(VK_END, kShift);
    Type(L"X");
    EXPECT_EQ(Utf8(Text()), "abX");
}

TEST_F(EditingTest, InsertKeyTogglesOverwriteMode) {
    Type(L"abcd");
    Key(VK_HOME);
    Key(VK_INSERT);
    EXPECT_FALSE(control_.Engine().InsertMode());
    Type(L"XY");
    EXPECT_EQ(Utf8(Text()), "XYcd");
    Key(VK_INSERT);
    EXPECT_TRUE(control_.Engine().InsertMode());
    Type(L"Z");
    EXPECT_EQ(Utf8(Text()), "XYZcd");
}

TEST_F(EditingTest, MouseClickPlacesTheCaretShiftClickAndDragSelect) {
    Type(L"alpha beta gamma");
    Click(PointOf(6));
    EXPECT_EQ(SelStart(), 6);
    EXPECT_EQ(SelLength(), 0);
    Click(PointOf(10), kShift);
    EXPECT_EQ(SelStart(), 6);
    EXPECT_EQ(SelLength(), 4);
    Drag(PointOf(11), PointOf(2));
    EXPECT_EQ(SelStart(), 2);
    EXPECT_EQ(SelLength(), 9);
    // A click far below the text lands on the last line, under the mouse.
    Click(POINT{PointOf(11).x, 600});
    EXPECT_EQ(SelStart(), 11);
}

TEST_F(EditingTest, DoubleClickSelectsTheWord) {
    Type(L"alpha beta gamma");
    DoubleClick(PointOf(8));
    EXPECT_EQ(SelStart(), 6);
    EXPECT_EQ(SelLength(), 4);
    EXPECT_EQ(Utf8(control_.Engine().SelText()), "beta");
}

TEST_F(EditingTest, UndoAndRedoByKeyboardRestoreTheText) {
    Type(L"one");
    Key(VK_RETURN);
    Type(L"two");
    EXPECT_EQ(control_.Engine().UndoKind(), 1);
    while (control_.Engine().CanUndo()) Key('Z', kCtrl);
    EXPECT_EQ(Utf8(Text()), "");
    while (control_.Engine().CanRedo()) Key('Y', kCtrl);
    EXPECT_EQ(Utf8(Text()), "one\ntwo");
    Key(VK_LEFT, kShift);
    Key(VK_DELETE);
    EXPECT_EQ(control_.Engine().UndoKind(), 2);
    Key('Z', kCtrl);
    EXPECT_EQ(Utf8(Text()), "one\ntwo");
    EXPECT_EQ(control_.Engine().RedoKind(), 11);
}

// One change of the author's is often several of the engine's before the window next paints; the
// window asks for its paint once and puts the caret once, but whatever comes after a paint is
// drawn again and the caret always stands where the selection ends.
TEST_F(EditingTest, TheWindowAndTheCaretFollowEveryChangeHoweverManyComeAtOnce) {
    SetFocus(control_.hWnd());
    Type(L"first line\nsecond line\nthird");
    for (int i = 0; i < 60; ++i) Type(L"\nmore");  // taller than the window: it can scroll
    TextEngine& e = control_.Engine();
    e.Select(0, 0);
    control_.SetScrollPosY(0);
    struct Case {
        const char* what;
        std::function<void()> act;
        bool drawnAgain;
    };
    const Case cases[] = {
        {"the caret moved", [&] { e.Select(3, 3); }, true},
        {"moved away and back before a paint", [&] { e.Select(15, 15); e.Select(3, 3); }, true},
        {"a word selected, made bold, the caret behind it", [&] { e.Select(0, 5); e.SetBold(true); e.Select(5, 5); }, true},
        {"a letter typed", [&] { Type(L"x"); }, true},
        {"the focus away and back", [&] { SetFocus(frame_); SetFocus(control_.hWnd()); }, false},
        {"the view scrolled", [&] { control_.SetScrollPosY(120); }, true},
        {"the caret moved after the scroll", [&] { e.Select(20, 20); }, true},
    };
    for (const Case& c : cases) {
        UpdateWindow(control_.hWnd());
        ASSERT_FALSE(GetUpdateRect(control_.hWnd(), nullptr, FALSE)) << c.what;
        c.act();
        EXPECT_EQ(GetUpdateRect(control_.hWnd(), nullptr, FALSE) != FALSE, c.drawnAgain) << c.what;
        POINT caret{};
        ASSERT_TRUE(GetCaretPos(&caret)) << c.what;
        const POINT expected = control_.PositionToClient(e.SelCaret());
        EXPECT_EQ(caret.x, expected.x) << c.what;
        EXPECT_EQ(caret.y, expected.y) << c.what;
    }
}

TEST_F(EditingTest, ScrollingKeepsTheCaretInViewAndScrollPosIsInTwips) {
    for (int i = 0; i < 80; ++i) {
        Type(L"line");
        Key(VK_RETURN);
    }
    EXPECT_GT(control_.ScrollPosY(), 0);  // the caret went below the window
    const POINT caret = PointOf(SelStart());
    RECT client;
    GetClientRect(control_.hWnd(), &client);
    EXPECT_GE(caret.y, 0);
    EXPECT_LT(caret.y, client.bottom);
    control_.SetScrollPosY(1440);
    EXPECT_EQ(control_.ScrollPosY(), 1440);
    // One inch of scrolling moves the text up by one inch of pixels.
    const POINT top = control_.PageToClient(1, 0, 1440);
    EXPECT_EQ(top.y, 0);
    control_.SetScrollPosY(-50);
    EXPECT_EQ(control_.ScrollPosY(), 0);
}

// A loaded document shows from its top, where its caret is, whatever the one before was scrolled
// to; undo gives back the same document and keeps the view where the author has it.
TEST_F(EditingTest, ALoadedDocumentShowsFromItsTopAndUndoKeepsTheView) {
    tx::TextEngine& engine = control_.Engine();
    std::string longText;
    for (int i = 0; i < 80; ++i) longText += "line\r\n";
    engine.LoadFromBytes(longText, tx::kFormatText);
    control_.SetScrollPosY(2880);
    ASSERT_EQ(control_.ScrollPosY(), 2880);

    engine.LoadFromBytes(longText, tx::kFormatText);
    EXPECT_EQ(control_.ScrollPosY(), 0) << "the next document opened scrolled down to where the last one was";
    EXPECT_EQ(SelStart(), 0);

    // Typed at the end, the view follows the caret down; undo leaves it down there.
    engine.SetSelStart(engine.TextLength());
    const std::wstring before = Text();
    Type(L"x");
    ASSERT_GT(control_.ScrollPosY(), 0);
    Key('Z', kCtrl);
    EXPECT_EQ(Text(), before);
    EXPECT_GT(control_.ScrollPosY(), 0) << "undo is no new document";
}

// The editor's hidden print control loads page after page without setting bars nobody sees; once
// shown, its bar covers the text it holds then, as the bar of a control shown all along does.
TEST_F(EditingTest, AControlShownAfterLoadingWhileHiddenHasTheBarsOfItsText) {
    std::wstring threePages;
    for (int i = 0; i < 150; ++i) threePages += L"line " + std::to_wstring(i) + L"\n";
    const auto bar = [this] {
        SCROLLINFO si{sizeof(si)};
        si.fMask = SIF_RANGE | SIF_PAGE;
        GetScrollInfo(control_.hWnd(), SB_VERT, &si);
        return std::pair<int, UINT>{si.nMax, si.nPage};
    };
    const auto load = [this](const std::wstring& text) {
        std::string bytes(text.begin(), text.end());
        control_.Engine().LoadFromBytes(bytes, kFormatText);
    };
    const std::wstring shortText = L"one short line";
    // The bars of each text in a control shown all along.
    std::map<std::wstring, std::pair<int, UINT>> shownAllAlong;
    for (const std::wstring& text : {threePages, shortText}) {
        load(text);
        Pump();
        shownAllAlong[text] = bar();
    }
    ASSERT_NE(shownAllAlong[threePages], shownAllAlong[shortText]);
    // Shown with one text, hidden, loaded with the other, shown again.
    for (const auto& [before, after] : {std::pair{threePages, shortText}, std::pair{shortText, threePages}}) {
        SCOPED_TRACE(after.size());
        load(before);
        Pump();
        ShowWindow(control_.hWnd(), SW_HIDE);
        load(after);
        ShowWindow(control_.hWnd(), SW_SHOW);
        Pump();
        EXPECT_EQ(bar(), shownAllAlong[after]);
    }
    EXPECT_GT(control_.Engine().PageCount(), 2) << "the long text runs over pages";
}

// A page wider than the window: the horizontal bar appears, typing at the end of a long line and
// Home bring the caret back into the client area, and a window that is wide enough again shows
// the page from its left edge without the bar.
TEST_F(EditingTest, TheViewFollowsTheCaretSidewaysWhenThePageIsWiderThanTheWindow) {
    struct Case {
        const char* name;
        int viewMode, zoom;
        bool fitsWide;  // the page fits the wide window
    } cases[] = {
        {"normal view", kViewNormal, 100, true},
        {"page layout", kViewPageLayout, 100, true},
        {"centred page", kViewPageCentered, 100, true},
        {"page layout at 200 %", kViewPageLayout, 200, false},
    };
    const auto barShown = [this] {
        SCROLLBARINFO info{sizeof(info)};
        return GetScrollBarInfo(control_.hWnd(), OBJID_HSCROLL, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    };
    const auto caretInside = [this](const char* when) {
        RECT client;
        GetClientRect(control_.hWnd(), &client);
        const POINT p = PointOf(SelStart());
        EXPECT_TRUE(p.x >= 0 && p.x < client.right && p.y >= 0 && p.y < client.bottom)
            << when << ": caret at " << p.x << "," << p.y << " in " << client.right << "x" << client.bottom;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveWindow(control_.hWnd(), 0, 0, 1080, 740, TRUE);
        control_.Engine().LoadFromBytes("", kFormatText);
        control_.SetViewMode(c.viewMode);
        control_.SetZoomFactor(c.zoom);
        control_.SetScrollPosX(0);
        MoveWindow(control_.hWnd(), 0, 0, 300, 400, TRUE);
        Pump();
        EXPECT_TRUE(barShown());

        Type(L"Words typed on one line until the line reaches the right margin of its page");
        ASSERT_EQ(control_.Engine().PositionToPoint(0).y, control_.Engine().PositionToPoint(SelStart()).y)
            << "the text wrapped: the line is not long enough to test";
        EXPECT_GT(control_.ScrollPosX(), 0);
        caretInside("at the end of the line");
        Key(VK_HOME);
        EXPECT_EQ(SelStart(), 0);
        caretInside("after Home");

        Key(VK_END);
        const int scrolled = control_.ScrollPosX();
        MoveWindow(control_.hWnd(), 0, 0, 1080, 740, TRUE);
        Pump();
        if (c.fitsWide) {
            EXPECT_EQ(control_.ScrollPosX(), 0);
            EXPECT_FALSE(barShown());
        } else {
            EXPECT_TRUE(barShown());
            EXPECT_LE(control_.ScrollPosX(), scrolled);
        }
        caretInside("in the wide window");
    }
    control_.SetZoomFactor(100);
}

}  // namespace
}  // namespace tx::testing
