// The control read, selected and put right through the standard edit-control messages alone, as a
// program written for a plain edit window drives it.
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/win32/tests/TxWinTest.h"

namespace tx::testing {
namespace {

class EditMessagesTest : public TxWinTest {
protected:
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageW(control_.hWnd(), msg, wp, lp); }

    std::wstring WindowText() {
        const LRESULT length = Send(WM_GETTEXTLENGTH);
        std::wstring text(static_cast<size_t>(length) + 1, L'#');
        const LRESULT got = Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        EXPECT_EQ(got, length);
        EXPECT_EQ(text[static_cast<size_t>(length)], L'\0');
        text.resize(static_cast<size_t>(got));
        return text;
    }

    void SetSel(long long start, long long end) {
        Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }

    std::pair<DWORD, DWORD> GetSel(LRESULT* packed = nullptr) {
        DWORD start = 12345, end = 12345;
        const LRESULT r = Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (packed) *packed = r;
        return {start, end};
    }

    void ReplaceSel(const wchar_t* text) { Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }

    POINT PosFromChar(int position) {
        const LRESULT r = Send(EM_POSFROMCHAR, static_cast<WPARAM>(position));
        EXPECT_NE(r, -1) << position;
        return {static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
    }
};

TEST_F(EditMessagesTest, TheWindowTextHasOnePositionPerCharacterLikeSelStart) {
    control_.Engine().SetSelText(L"one\r\ntwo ");
    const int image = control_.Engine().ObjectInsertImage(TinyPng(), false, control_.Engine().SelStart(), 0);
    ASSERT_NE(image, 0);
    control_.Engine().SetSelStart(control_.Engine().TextLength());
    control_.Engine().SetSelText(L" three");
    const std::wstring text = WindowText();
    EXPECT_EQ(text, std::wstring(L"one\ntwo \xFFFC three"));
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), control_.Engine().TextLength());
    // Where a word stands in the window text is where the control selects it.
    const size_t at = text.find(L"three");
    SetSel(static_cast<long long>(at), static_cast<long long>(at + 5));
    EXPECT_EQ(control_.Engine().SelText(), L"three");
}

TEST_F(EditMessagesTest, TheWindowTextIntoTooSmallABufferIsCutAndClosed) {
    control_.Engine().SetSelText(L"abcdef");
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(Send(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::wstring(buffer), L"abc");
    EXPECT_EQ(buffer[4], L'#') << "nothing written past the buffer";
    EXPECT_EQ(Send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(buffer[0], L'a') << "a buffer of no characters is not touched";
    EXPECT_EQ(Send(WM_GETTEXT, 10, 0), 0) << "no buffer";
}

TEST_F(EditMessagesTest, SelectionAsAnEditWindowSetsAndReportsIt) {
    struct Case {
        const char* name;
        long long start, end;  // EM_SETSEL's arguments over "Hello world" with "lo w" selected
        int selStart, selLength;
    };
    const Case cases[] = {
        {"a range", 1, 4, 1, 3},
        {"reversed", 9, 2, 2, 7},
        {"all: 0 to -1", 0, -1, 0, 11},
        {"from a position to -1", 6, -1, 6, 5},
        {"past the end is the end", 8, 500, 8, 3},
        {"both past the end", 400, 500, 11, 0},
        {"-1 keeps the caret and drops the selection", -1, 0, 7, 0},
        {"a caret", 5, 5, 5, 0},
    };
    control_.Engine().SetSelText(L"Hello world");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control_.Engine().SetSelStart(3);
        control_.Engine().SetSelLength(4);
        SetSel(c.start, c.end);
        EXPECT_EQ(SelStart(), c.selStart);
        EXPECT_EQ(SelLength(), c.selLength);
        LRESULT packed = 0;
        const auto [start, end] = GetSel(&packed);
        EXPECT_EQ(start, static_cast<DWORD>(c.selStart));
        EXPECT_EQ(end, static_cast<DWORD>(c.selStart + c.selLength));
        EXPECT_EQ(LOWORD(packed), c.selStart);
        EXPECT_EQ(HIWORD(packed), c.selStart + c.selLength);
        EXPECT_EQ(Text(), L"Hello world");
    }
    // Either place may be left out.
    EXPECT_EQ(Send(EM_GETSEL), MAKELONG(5, 5));

    // A reversed range leaves the caret at its lower end: Shift+Right shrinks it from there, and
    // dropping the selection leaves the caret there.
    SetSel(9, 2);
    EXPECT_EQ(control_.Engine().SelCaret(), 2);
    Key(VK_RIGHT, kShift);
    EXPECT_EQ(GetSel(), std::make_pair(DWORD{3}, DWORD{9}));
    SetSel(-1, 0);
    EXPECT_EQ(GetSel(), std::make_pair(DWORD{3}, DWORD{3}));
}

TEST_F(EditMessagesTest, ReplacingKeepsTheFirstCharactersFormatAndIsOneUndoStep) {
    class Counter : public TextControlEvents {
    public:
        void Change() override { ++changes; }
        int changes = 0;
    } counter;
    TextEngine& e = control_.Engine();
    e.SetSelText(L"a teh cat");
    e.SetSelStart(2);
    e.SetSelLength(1);
    e.SetBold(true);
    e.SetSelStart(9);
    control_.SetEvents(&counter);
    SetSel(2, 5);
    ReplaceSel(L"the");
    control_.SetEvents(nullptr);
    EXPECT_EQ(WindowText(), L"a the cat");
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(GetSel(), std::make_pair(DWORD{5}, DWORD{5})) << "the caret behind the new word";
    for (int i = 2; i < 5; ++i) EXPECT_TRUE(e.Doc().FormatAt(0, i).bold) << i;
    EXPECT_FALSE(e.Doc().FormatAt(0, 5).bold);
    Key('Z', kCtrl);
    EXPECT_EQ(Text(), L"a teh cat") << "one undo step takes it back";
    EXPECT_TRUE(e.Doc().FormatAt(0, 2).bold);
    EXPECT_FALSE(e.Doc().FormatAt(0, 3).bold);
    Send(EM_REPLACESEL, TRUE, 0);
    EXPECT_EQ(Text(), L"a teh cat") << "no text, no change";
}

TEST_F(EditMessagesTest, PositionsGiveTheirPointAndTheCaretCanBeBroughtIntoView) {
    TextEngine& e = control_.Engine();
    std::wstring text;
    for (int i = 0; i < 80; ++i) text += L"line " + std::to_wstring(i) + L"\n";
    text += L"last";
    e.SetSelText(text);
    SetSel(0, 0);
    control_.SetScrollPosY(0);
    // Along a line x grows; the next line is lower; the messages agree with the control's own.
    const POINT first = PosFromChar(0), third = PosFromChar(2), nextLine = PosFromChar(7);
    EXPECT_GT(third.x, first.x);
    EXPECT_EQ(third.y, first.y);
    EXPECT_GT(nextLine.y, first.y);
    POINT own{};
    ASSERT_TRUE(Send(kMsgPositionToPoint, 7, reinterpret_cast<LPARAM>(&own)));
    EXPECT_EQ(own.x, nextLine.x);
    EXPECT_EQ(own.y, nextLine.y);
    EXPECT_EQ(Send(EM_POSFROMCHAR, static_cast<WPARAM>(e.TextLength() + 1)), -1);
    EXPECT_EQ(Send(EM_POSFROMCHAR, static_cast<WPARAM>(-1)), -1);

    // Selecting does not scroll; the caret message does, and the word is then inside the window.
    const int last = e.TextLength() - 4;
    SetSel(last, last + 4);
    EXPECT_EQ(control_.ScrollPosY(), 0);
    Send(EM_SCROLLCARET);
    EXPECT_GT(control_.ScrollPosY(), 0);
    RECT client;
    GetClientRect(control_.hWnd(), &client);
    const POINT word = PosFromChar(last);
    EXPECT_GE(word.y, 0);
    EXPECT_LT(word.y, client.bottom);
    // Above the window a point is negative, as an edit window reports it.
    EXPECT_LT(PosFromChar(0).y, 0);
}

TEST_F(EditMessagesTest, ReplacingBelowTheWindowBringsTheNewTextIntoView) {
    TextEngine& e = control_.Engine();
    std::wstring text;
    for (int i = 0; i < 80; ++i) text += L"row\n";
    text += L"teh end";
    e.SetSelText(text);
    control_.SetScrollPosY(0);
    const int at = e.TextLength() - 7;
    SetSel(at, at + 3);
    ReplaceSel(L"the");
    EXPECT_GT(control_.ScrollPosY(), 0);
    EXPECT_EQ(Text().substr(static_cast<size_t>(at)), L"the end");
}

}  // namespace
}  // namespace tx::testing
