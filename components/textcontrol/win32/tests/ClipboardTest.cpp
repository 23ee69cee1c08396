// Cut, copy, paste and delete through the Windows clipboard, within the control and with another
// program's control (Wine's RichEdit) at the other end.
#include <richedit.h>

#include "components/textcontrol/win32/Clipboard.h"
#include "components/textcontrol/win32/tests/TxWinTest.h"

namespace tx::testing {
namespace {

using ClipboardTest = TxWinTest;

void SelectRange(TextControl& c, int start, int length) {
    c.Engine().SetSelStart(start);
    c.Engine().SetSelLength(length);
}

bool BoldAt(TextControl& c, int position) {
    const Document& d = c.Engine().Doc();
    const Location loc = d.Locate(position);
    return d.FormatAt(loc.paragraph, loc.offset).bold;
}

TEST_F(ClipboardTest, CopyPutsOurFormatRtfAndTextAndPasteKeepsTheFormatting) {
    Type(L"plain bold\nnext");
    SelectRange(control_, 6, 4);
    control_.Engine().SetBold(true);
    SelectRange(control_, 0, 15);
    Key('C', kCtrl);
    EXPECT_TRUE(IsClipboardFormatAvailable(OwnFormat()));
    EXPECT_TRUE(IsClipboardFormatAvailable(RtfFormat()));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    const ClipboardContent c = ReadClipboard(nullptr);
    EXPECT_EQ(Utf8(c.text), "plain bold\r\nnext");
    EXPECT_NE(c.rtf.find("\\b"), std::string::npos);
    EXPECT_EQ(c.rtf.rfind("{\\rtf", 0), 0u);

    Key(VK_END, kCtrl);
    Key('V', kCtrl);
    EXPECT_EQ(Utf8(Text()), "plain bold\nnextplain bold\nnext");
    EXPECT_TRUE(BoldAt(control_, 15 + 7));
    EXPECT_FALSE(BoldAt(control_, 15 + 2));
    // Undo takes the paste back in one step.
    Key('Z', kCtrl);
    EXPECT_EQ(Utf8(Text()), "plain bold\nnext");
}

TEST_F(ClipboardTest, CutDeleteAndTheirKeys) {
    Type(L"one two three");
    SelectRange(control_, 4, 4);
    control_.Clip(kClipCut);
    EXPECT_EQ(Utf8(Text()), "one three");
    EXPECT_EQ(Utf8(ReadClipboard(nullptr).text), "two ");
    EXPECT_TRUE(control_.CanPaste());
    // Delete (4) removes without touching the clipboard.
    SelectRange(control_, 0, 4);
    control_.Clip(kClipDelete);
    EXPECT_EQ(Utf8(Text()), "three");
    EXPECT_EQ(Utf8(ReadClipboard(nullptr).text), "two ");
    // Shift+Insert pastes, Shift+Delete cuts, Ctrl+Insert copies.
    SelectRange(control_, 0, 0);
    Key(VK_INSERT, kShift);
    EXPECT_EQ(Utf8(Text()), "two three");
    SelectRange(control_, 4, 5);
    Key(VK_DELETE, kShift);
    EXPECT_EQ(Utf8(Text()), "two ");
    EXPECT_EQ(Utf8(ReadClipboard(nullptr).text), "three");
    SelectRange(control_, 0, 3);
    Key(VK_INSERT, kCtrl);
    EXPECT_EQ(Utf8(ReadClipboard(nullptr).text), "two");
    EXPECT_EQ(Utf8(Text()), "two ");
    // Nothing selected: copying leaves the clipboard as it was.
    SelectRange(control_, 1, 0);
    EXPECT_FALSE(control_.CanCopy());
    control_.Clip(kClipCopy);
    EXPECT_EQ(Utf8(ReadClipboard(nullptr).text), "two");
}

TEST_F(ClipboardTest, PastesTextOfOtherProgramsLineByLineAndKnowsWhenThereIsNothing) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(control_.CanPaste());
    control_.Clip(kClipPaste);  // nothing to paste: nothing happens
    EXPECT_EQ(Utf8(Text()), "");

    ClipboardContent plain;
    plain.text = L"first\r\nsecond\r\n\x00e9t\x00e9";
    ASSERT_TRUE(WriteClipboard(nullptr, plain));
    EXPECT_TRUE(control_.CanPaste());
    Key('V', kCtrl);
    EXPECT_EQ(Text(), L"first\nsecond\n\x00e9t\x00e9");
    EXPECT_EQ(control_.Engine().Doc().ParagraphCount(), 3);
}

TEST_F(ClipboardTest, RtfTravelsToAndFromAnotherProgramsRichEditControl) {
    ASSERT_TRUE(LoadLibraryW(L"riched20.dll"));
    HWND rich = CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 400, 200, frame_, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(rich, nullptr);

    // Ours to theirs: RichEdit takes our RTF, formatting included.
    Type(L"Hello bold world");
    SelectRange(control_, 6, 4);
    control_.Engine().SetBold(true);
    SelectRange(control_, 0, 16);
    control_.Clip(kClipCopy);
    const std::string ours = ReadClipboard(nullptr).rtf;
    SETTEXTEX put{ST_DEFAULT, CP_ACP};
    SendMessageW(rich, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&put), reinterpret_cast<LPARAM>(ours.c_str()));
    wchar_t buf[256] = {};
    GETTEXTEX gt{sizeof(buf), GT_DEFAULT, 1200, nullptr, nullptr};
    SendMessageW(rich, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(Utf8(buf), "Hello bold world");
    auto richBold = [&](int at) {
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        SendMessageW(rich, EM_SETSEL, at, at + 1);
        SendMessageW(rich, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
    };
    EXPECT_TRUE(richBold(7));
    // Each run starts with \plain: RichEdit would otherwise carry the bold past its group.
    EXPECT_FALSE(richBold(1));
    EXPECT_FALSE(richBold(12));

    // Theirs to ours: RichEdit copies its own RTF; we read the formatting back out of it.
    const char* rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 x {\\i slanted} y\\par}";
    SETTEXTEX st{ST_DEFAULT, CP_ACP};
    SendMessageW(rich, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(rtf));
    SendMessageW(rich, EM_SETSEL, 0, -1);
    SendMessageW(rich, WM_COPY, 0, 0);
    ASSERT_TRUE(IsClipboardFormatAvailable(RtfFormat()));
    SelectRange(control_, 0, -1);
    control_.Clip(kClipPaste);
    const std::wstring text = Text();
    ASSERT_EQ(Utf8(text.substr(0, 11)), "x slanted y");
    const Document& d = control_.Engine().Doc();
    EXPECT_TRUE(d.FormatAt(0, 4).italic);
    EXPECT_FALSE(d.FormatAt(0, 0).italic);
    DestroyWindow(rich);
}

}  // namespace
}  // namespace tx::testing
