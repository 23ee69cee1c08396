// The editor's answers to what happens in its text, driven by real key and mouse messages: the
// one-page rule, the keyboard's page moves and styles, links clicked and hovered, the right
// button's menus, the header and footer buttons and the page-end markers.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "app/core/PageControl.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/editor/LinkTargets.h"
#include "app/editor/frmImagePropDlg.h"
#include "app/editor/tests/EditorTest.h"
#include "base/Files.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "ui/Shell.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class EditorEvents : public zv_test::EditorTest {
protected:
    // Fills the page with lines up to its last one: one more line runs onto a second page.
    void FillPage() {
        tx::TextEngine& e = engine();
        e.SetSelStart(0);
        e.SetSelLength(-1);
        e.SetSelText(L"line");
        while (true) {
            e.SetSelStart(e.TextLength());
            e.SetSelText(L"\nline");
            if (editor().TXTextControl1->PageCount() > 1) break;
        }
        e.DeleteBackward();
        e.DeleteBackward();
        e.DeleteBackward();
        e.DeleteBackward();
        e.DeleteBackward();
        ASSERT_EQ(editor().TXTextControl1->PageCount(), 1);
        ui::DoEvents();
        e.SetSelStart(e.TextLength());
        ASSERT_TRUE(ui::test::MsgBoxes().empty());
    }
    static size_t OnePageMessages() {
        size_t n = 0;
        for (const auto& box : ui::test::MsgBoxes()) n += box.prompt == kPastOnePageMessage;
        return n;
    }
    static std::string Bytes(const fs::path& p) { return zv::ReadFileBytes(p.wstring()); }
    static bool ToolbarEnabled(const wchar_t* key) { return frame().Toolbar1.Buttons(key).Enabled(); }
};

// ------------------------------------------------------------------ the one-page rule

TEST_F(EditorEvents, TheOnePageMessageComesOncePerKeyAfterTheKeyIsDone) {
    OpenModule(L"000051", {L"Page 1"});
    FillPage();
    editor().DirtyFlag = false;

    // The key that pushes the text onto a second page: the message waits until the control is done.
    SendMessageW(TextWindow(), WM_CHAR, L'\r', 1);
    EXPECT_EQ(OnePageMessages(), 0u) << "not inside the control's own handling of the key";
    EXPECT_EQ(editor().TXTextControl1->PageCount(), 2);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ui::DoEvents();
    ASSERT_EQ(OnePageMessages(), 1u);
    const auto box = ui::test::LastMsgBox();
    EXPECT_EQ(box.style, ui::vbOKOnly);
    EXPECT_EQ(box.title, ui::App().Title());
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_TRUE(ToolbarEnabled(L"Next"));

    // Each further key on the long page: one message each; the text is not cut.
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Key('X');
    EXPECT_EQ(OnePageMessages(), 2u);
    EXPECT_EQ(engine().Text().back(), L'x');

    // Backspace and Delete while the text is longer than one page: no message.
    Key(VK_BACK);
    Key(VK_LEFT);
    Key(VK_DELETE);
    EXPECT_EQ(OnePageMessages(), 2u);
    EXPECT_FALSE(editor().DeletingAction);  // it lasts only until the change is handled
    // The Delete command on a selection: none either.
    engine().SetSelStart(0);
    engine().SetSelLength(2);
    EditDelete();
    ui::DoEvents();
    EXPECT_EQ(OnePageMessages(), 2u);
}

TEST_F(EditorEvents, APasteThatOverrunsThePageShowsTheMessageOnce) {
    OpenModule(L"000052", {L"Page 1"});
    FillPage();
    ui::Clipboard().SetText(L"one\r\ntwo\r\nthree\r\nfour");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Key('V', zv_test::kCtrlKey);
    EXPECT_EQ(OnePageMessages(), 1u);
    EXPECT_NE(engine().Text().find(L"four"), std::wstring::npos);
}

// ------------------------------------------------------------------ keys

TEST_F(EditorEvents, CtrlUpAndDownMoveWithoutAskingCtrlLeftAndRightAsk) {
    const fs::path folder = OpenModule(L"000053", {L"Page 1", L"Page 2", L"Page 3"});
    GoToNextPage();  // page 2
    Focus();
    const std::string stored = Bytes(folder / "0002.txm");

    TypeText(L"changed ");
    Key(VK_UP, zv_test::kCtrlKey);
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_EQ(App().CurrentPageNo, 1);
    EXPECT_EQ(Bytes(folder / "0002.txm"), stored);  // the change is dropped, the file untouched
    EXPECT_TRUE(ToolbarEnabled(L"Next"));
    EXPECT_FALSE(ToolbarEnabled(L"Previous"));
    EXPECT_FALSE(editor().DirtyFlag);

    TypeText(L"again ");
    Key(VK_DOWN, zv_test::kCtrlKey);
    EXPECT_EQ(engine().Text(), L"Page 3");
    EXPECT_EQ(App().CurrentPageNo, 3);
    EXPECT_EQ(editor().Caption(), L"MODULE: 000053    PAGENAME: 0003.TXM");
    EXPECT_FALSE(ToolbarEnabled(L"Next"));
    EXPECT_TRUE(ToolbarEnabled(L"Previous"));

    // Ctrl+Left on a changed page asks for its type first.
    TypeText(L"kept ");
    bool asked = false;
    ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
        asked = true;
        ui::test::Click(d.btnSave);
    });
    Key(VK_LEFT, zv_test::kCtrlKey);
    EXPECT_TRUE(asked);
    EXPECT_EQ(engine().Text(), L"Page 2");
    tx::TextEngine reread;
    LoadPageFile((folder / "0003.txm").wstring(), reread, true);
    EXPECT_EQ(reread.Text(), L"kept Page 3");

    TypeText(L"more ");
    asked = false;
    ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
        asked = true;
        ui::test::Click(d.Command2);  // Cancel: the move ends, the page keeps its edits
    });
    Key(VK_RIGHT, zv_test::kCtrlKey);
    EXPECT_TRUE(asked);
    EXPECT_EQ(engine().Text(), L"more Page 2");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_TRUE(editor().DirtyFlag);
}

// A quick chord: Ctrl comes up a moment before the arrow, as fast fingers press it. The page move
// follows the key that went down with Ctrl, not the Ctrl state at the arrow's release.
TEST_F(EditorEvents, APageMoveChordWhoseCtrlComesUpFirstStillMovesThePage) {
    OpenModule(L"000058", {L"Page 1", L"Page 2", L"Page 3"});
    const auto quickChord = [](int vk) {
        BYTE keys[256], saved[256];
        GetKeyboardState(keys);
        memcpy(saved, keys, sizeof keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(TextWindow(), WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        ui::DoEvents();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        if (IsWindow(TextWindow())) PostMessageW(TextWindow(), WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001));
        ui::DoEvents();
        SetKeyboardState(saved);
    };
    const struct {
        int vk;
        const wchar_t* text;
        int pageNo;
    } chords[] = {{VK_RIGHT, L"Page 2", 2}, {VK_DOWN, L"Page 3", 3}, {VK_LEFT, L"Page 2", 2}, {VK_UP, L"Page 1", 1}};
    for (const auto& c : chords) {
        quickChord(c.vk);
        EXPECT_EQ(engine().Text(), c.text) << "after the chord of key " << c.vk;
        EXPECT_EQ(App().CurrentPageNo, c.pageNo);
    }
    // The arrow alone, pressed after the chord, moves the caret and not the page.
    Key(VK_RIGHT);
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_EQ(engine().SelStart(), 1);
}

TEST_F(EditorEvents, CtrlUpAndDownOnAModuleWithoutStoredPagesChangeNothing) {
    OpenModule(L"000054", {});
    TypeText(L"unsaved");
    Key(VK_UP, zv_test::kCtrlKey);
    Key(VK_DOWN, zv_test::kCtrlKey);
    EXPECT_EQ(engine().Text(), L"unsaved");
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_TRUE(App().IsNewPage);
}

TEST_F(EditorEvents, CtrlBIAndUTurnTheirStyleOnAndOff) {
    OpenModule(L"000055", {L"some words"});
    engine().SetSelStart(0);
    engine().SetSelLength(4);
    struct Case {
        int key;
        bool (tx::TextEngine::*read)() const;
    };
    for (const Case& c : {Case{'B', &tx::TextEngine::Bold}, Case{'I', &tx::TextEngine::Italic},
                          Case{'U', &tx::TextEngine::Underline}}) {
        Key(c.key, zv_test::kCtrlKey);
        EXPECT_TRUE((engine().*c.read)()) << static_cast<char>(c.key);
        Key(c.key, zv_test::kCtrlKey);
        EXPECT_FALSE((engine().*c.read)()) << static_cast<char>(c.key);
    }
    EXPECT_EQ(engine().SelLength(), 4);
}

TEST_F(EditorEvents, InsertTogglesOverwriting) {
    OpenModule(L"000056", {L"abcd"});
    engine().SetSelStart(0);
    Key(VK_INSERT);
    EXPECT_FALSE(engine().InsertMode());
    TypeText(L"XY");
    EXPECT_EQ(engine().Text(), L"XYcd");
    Key(VK_INSERT);
    EXPECT_TRUE(engine().InsertMode());
    TypeText(L"Z");
    EXPECT_EQ(engine().Text(), L"XYZcd");
}

TEST_F(EditorEvents, TabTypesATabInTheTextAndTheFocusStays) {
    OpenModule(L"000057", {L"ab"});
    engine().SetSelStart(1);
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), TextWindow()) << "Tab must not move the focus out of the page";
    TypeText(L"x");
    EXPECT_EQ(engine().Text(), L"a\txb");
    // The first Tab after a Ctrl shortcut is swallowed; the one after it types again.
    Key('B', zv_test::kCtrlKey);
    Key(VK_TAB);
    EXPECT_EQ(engine().Text(), L"a\txb");
    Key(VK_TAB);
    EXPECT_EQ(engine().Text(), L"a\tx\tb");
    EXPECT_EQ(GetFocus(), TextWindow());
}

// ------------------------------------------------------------------ links

class EditorLinks : public EditorEvents {
protected:
    // A link field over `shown` at the end of the page's text.
    void AddLink(const std::wstring& shown, int kind, const std::wstring& target) {
        tx::TextEngine& e = engine();
        e.SetSelStart(e.TextLength());
        e.SetSelText(L" ");
        const int id = e.FieldInsert(shown);
        ASSERT_NE(id, 0);
        e.SetFieldLinkKind(id, kind);
        e.SetFieldLinkTarget(id, target);
        ui::DoEvents();
    }
    void ClickLink(const std::wstring& shown) {
        const int at = static_cast<int>(engine().Text().find(shown));
        ASSERT_GE(at, 0);
        Click(PointOf(at + 1));
    }
};

TEST_F(EditorLinks, WebAddressesReachTheShellOnlyAsWebAddresses) {
    const fs::path folder = OpenModule(L"000060", {L"Links:"});
    // Programs named like the addresses, in the module folder and the working folder: the shell
    // must be handed an address, which no such program answers to.
    std::ofstream(folder / "www.example.com") << "not to run";
    const fs::path working = fs::current_path();
    std::ofstream(working / "www.example.com") << "not to run";
    struct Case {
        const wchar_t* target;
        const wchar_t* opened;
    };
    const Case cases[] = {
        {L"http://www.example.com/a", L"http://www.example.com/a"},
        {L"https://secure.example.com", L"https://secure.example.com"},
        {L"ftp://files.example.com", L"ftp://files.example.com"},
        {L"www.example.com", L"http://www.example.com"},
        {L"w3.example.org", L"http://w3.example.org"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::wstring shown = L"link" + std::to_wstring(++n);
        AddLink(shown, tx::kLinkAddress, c.target);
        const size_t before = ui::test::ShellCalls().size();
        ClickLink(shown);
        ASSERT_EQ(ui::test::ShellCalls().size(), before + 1) << Utf8(c.target);
        const auto& call = ui::test::ShellCalls().back();
        EXPECT_EQ(call.verb, L"Open");
        EXPECT_EQ(call.file, c.opened);
        EXPECT_EQ(call.parameters, L"");
        EXPECT_EQ(call.folder, L"");
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    fs::remove(working / "www.example.com");
}

TEST_F(EditorLinks, AnchorsOfThisPageAndOfAnHtmlFileOfTheModule) {
    const fs::path folder = OpenModule(L"000061", {L"Top of the page"});
    tx::TextEngine& e = engine();
    e.SetSelStart(0);
    e.MarkInsert(L"top");
    // The links far down the page, at a zoom that puts the mark out of view when they show.
    e.SetSelStart(e.TextLength());
    for (int i = 0; i < 18; ++i) e.SetSelText(L"\nfiller");
    control().SetZoomFactor(200);
    AddLink(L"kind2", tx::kLinkAnchor, L"top");
    AddLink(L"hashed", tx::kLinkAddress, L"#top");
    for (const wchar_t* shown : {L"kind2", L"hashed"}) {
        const int at = static_cast<int>(e.Text().find(shown));
        control().SetScrollPosY(0);
        control().SetScrollPosY(control().PixelsToTwips(control().PositionToClient(at).y) * 100 / 200);
        ui::DoEvents();
        ASSERT_LT(control().PositionToClient(0).y, 0) << "the mark is out of view before the click";
        ClickLink(shown);
        EXPECT_EQ(e.SelStart(), 0) << Utf8(shown);
        EXPECT_GE(control().PositionToClient(0).y, 0) << "the mark is scrolled into view";
    }

    // An HTML file of the module folder, read from there whatever the working folder is.
    std::ofstream(folder / "help.html") << "<p>Help</p><p><a name=\"part2\">Part two</a></p>";
    const fs::path elsewhere = root_ / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path working = fs::current_path();
    fs::current_path(elsewhere);
    std::ofstream(elsewhere / "help.html") << "<p>the wrong file</p>";
    AddLink(L"helplink", tx::kLinkAddress, L"help.html#part2");
    control().SetZoomFactor(100);
    control().SetScrollPosY(0);
    const int at = static_cast<int>(e.Text().find(L"helplink"));
    control().SetScrollPosY(control().PixelsToTwips(control().PositionToClient(at).y));
    ClickLink(L"helplink");
    fs::current_path(working);
    EXPECT_EQ(e.Text(), L"Help\nPart two");
    EXPECT_EQ(e.SelStart(), 5);
}

TEST_F(EditorLinks, PathsOutOfTheModuleAreRefused) {
    OpenModule(L"000062", {L"Links:"});
    const std::wstring before = engine().Text();
    int n = 0;
    for (const wchar_t* target : {L"..\\secret.html#x", L"C:\\secret.html#x", L"\\secret.html#x", L"docs/../../x.html#y"}) {
        const std::wstring shown = L"bad" + std::to_wstring(++n);
        AddLink(shown, tx::kLinkAddress, target);
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ClickLink(shown);
        const auto box = ui::test::LastMsgBox();
        EXPECT_EQ(box.prompt, FileOutsideModuleMessage(target));
        EXPECT_EQ(box.style, ui::vbInformation);
    }
    EXPECT_EQ(engine().Text().substr(0, before.size()), before);
    EXPECT_TRUE(ui::test::ShellCalls().empty());
}

TEST_F(EditorLinks, PageLinksOpenPagesOfThisModuleOnly) {
    const fs::path folder = OpenModule(L"000063", {L"Page 1", L"Page 2", L"Page 3"});
    const std::string page1 = Bytes(folder / "0001.txm");
    AddLink(L"tothird", tx::kLinkAddress, L"000063\\0003.txm");
    AddLink(L"tosecond", tx::kLinkAddress, L"000063\\0002.txm");
    AddLink(L"other", tx::kLinkAddress, L"000099\\0001.txm");
    AddLink(L"stranger", tx::kLinkAddress, L"000063\\0009.txm");
    AddLink(L"repository", tx::kLinkAddress, L"Catalogue\\item7");

    ui::test::AnswerNextMsgBox(ui::vbOK);
    ClickLink(L"other");
    EXPECT_EQ(ui::test::LastMsgBox().prompt, OutsideModuleMessage(L"000099\\0001.txm"));
    EXPECT_EQ(ui::test::LastMsgBox().style, ui::vbOKOnly);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ClickLink(L"repository");
    EXPECT_EQ(ui::test::LastMsgBox().prompt, RepositoryMessage(L"Catalogue\\item7"));
    EXPECT_EQ(ui::test::LastMsgBox().style, ui::vbInformation);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ClickLink(L"stranger");  // no such page in the list: refused, the page stays
    EXPECT_EQ(ui::test::LastMsgBox().prompt, NotAPageMessage(L"000063\\0009.txm"));
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(App().CurrentPageNo, 1);

    // This module's page: opened without the question, the changed page left as it was.
    ClickLink(L"tosecond");
    EXPECT_EQ(engine().Text(), L"Page 2");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0002.txm");
    EXPECT_EQ(editor().Caption(), L"MODULE: 000063    PAGENAME: 0002.TXM");
    EXPECT_EQ(Bytes(folder / "0001.txm"), page1);
    EXPECT_FALSE(editor().DirtyFlag);
    // Both buttons from the page's place: a page before and after it.
    EXPECT_TRUE(ToolbarEnabled(L"Previous"));
    EXPECT_TRUE(ToolbarEnabled(L"Next"));
}

TEST_F(EditorLinks, ALinkToTheLastPageEnablesPreviousAndDisablesNext) {
    OpenModule(L"000064", {L"Page 1", L"Page 2"});
    AddLink(L"last", tx::kLinkAddress, L"000064\\0002.txm");
    EnableToolbarButton(L"Previous", false);
    ClickLink(L"last");
    EXPECT_EQ(engine().Text(), L"Page 2");
    EXPECT_TRUE(ToolbarEnabled(L"Previous"));
    EXPECT_FALSE(ToolbarEnabled(L"Next"));
}

TEST_F(EditorLinks, HoveringShowsTheTargetUntilTheMouseLeavesTheLinksLines) {
    OpenModule(L"000065", {L"Hover:"});
    control().SetZoomFactor(200);
    // A link long enough to wrap onto a second line at this zoom.
    std::wstring shown;
    for (int i = 0; i < 12; ++i) shown += L"wrapping link words ";
    shown.pop_back();
    AddLink(shown, tx::kLinkAddress, L"http://www.example.com/long");
    const int start = static_cast<int>(engine().Text().find(shown));
    const POINT first = PointOf(start + 2);
    const POINT last = PointOf(start + static_cast<int>(shown.size()) - 2);
    ASSERT_GT(last.y, first.y) << "the link wraps";

    MoveTo(first);
    EXPECT_EQ(control().ToolTipText(), L"http://www.example.com/long");
    // Onto the link's second line: still over the link.
    MoveTo(last);
    EXPECT_EQ(control().ToolTipText(), L"http://www.example.com/long");
    // Just past its end on that line, and above its first line: the tooltip goes.
    const POINT past = PointOf(start + static_cast<int>(shown.size()));
    MoveTo(POINT{past.x + 40, past.y});
    EXPECT_EQ(control().ToolTipText(), L"");
    MoveTo(first);
    EXPECT_EQ(control().ToolTipText(), L"http://www.example.com/long");
    MoveTo(POINT{first.x, first.y - 80});
    EXPECT_EQ(control().ToolTipText(), L"");
}

// ------------------------------------------------------------------ the right mouse button

TEST_F(EditorEvents, TheRightButtonPopsTheEditMenuInTextAndNothingInATable) {
    OpenModule(L"000070", {L"Some text"});
    EXPECT_FALSE(editor().mnuEdit_Thesaurus.Visible());
    ui::test::ChooseInNextPopup(L"");  // looked at and closed
    Click(PointOf(2), 2);
    ASSERT_EQ(ui::test::PopupMenusShown().size(), 1u);
    EXPECT_EQ(ui::test::PopupMenusShown()[0], L"mnuEdit");
    EXPECT_TRUE(editor().mnuEdit_Thesaurus.Visible());

    // In a table: nothing.
    engine().SetSelStart(engine().TextLength());
    const int table = engine().TableInsert(2, 2);
    ASSERT_NE(table, 0);
    ui::DoEvents();
    const int cell = engine().TableCellStart(table, 1, 1);
    Click(PointOf(cell), 2);
    EXPECT_EQ(ui::test::PopupMenusShown().size(), 1u);
}

TEST_F(EditorEvents, TheRightButtonOnAPictureShowsTheImageWindow) {
    OpenModule(L"000071", {L"Picture: "});
    engine().SetSelStart(engine().TextLength());
    ASSERT_NE(engine().ObjectInsertImage(tx::testing::TinyPng(60, 40), false, -1, 0), 0);
    ui::DoEvents();
    const int at = engine().TextLength() - 1;
    bool shown = false;
    ui::test::OnNextModal<frmImagePropDlg>([&](frmImagePropDlg& d) {
        shown = true;
        ui::test::PressKey(VK_ESCAPE);  // it closes with Esc and changes nothing
        EXPECT_FALSE(d.IsLoaded());
    });
    const std::wstring text = engine().Text();
    Click(PointOf(at), 2);
    EXPECT_TRUE(shown);
    EXPECT_EQ(engine().Text(), text);
    EXPECT_TRUE(ui::test::PopupMenusShown().empty());
}

// ------------------------------------------------------------------ header, footer, markers

TEST_F(EditorEvents, AClickInTheHeaderEnablesItsButtonsAndOneInTheTextDisablesThem) {
    OpenModule(L"000072", {L"Body text"});
    const wchar_t* keys[] = {L"HeaderProperties", L"SwitchBetweenHeaderAndFooter", L"GoToFirstPage", L"GoToDefault"};
    for (const wchar_t* key : keys) EXPECT_FALSE(ToolbarEnabled(key)) << Utf8(key);
    engine().SetHeaderText(L"The header");
    engine().SetFooterText(L"The footer");
    ui::DoEvents();
    Click(control().PageToClient(1, 3000, 300));  // inside the top margin
    for (const wchar_t* key : keys) EXPECT_TRUE(ToolbarEnabled(key)) << Utf8(key);
    EXPECT_EQ(editor().HeaderFooterActive, 1);
    Click(PointOf(2));
    for (const wchar_t* key : keys) EXPECT_FALSE(ToolbarEnabled(key)) << Utf8(key);
    EXPECT_EQ(editor().HeaderFooterActive, 1);  // keeps the kind last active
    Click(control().PageToClient(1, 3000, engine().PageHeight() - 300));
    EXPECT_EQ(editor().HeaderFooterActive, 2);
}

TEST_F(EditorEvents, ThePageEndMarkersSitWhereThePageEndsAndFollowIt) {
    OpenModule(L"000073", {L"Page 1"});
    // Where the control paints the page's lower edge: the last row of paper above the desk.
    auto paintedPageEnd = [] {
        RECT client;
        GetClientRect(TextWindow(), &client);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        control().PaintTo(dc);
        const int x = control().PageToClient(1, 20, 0).x;
        int edge = -1;
        for (int y = 1; y < client.bottom; ++y)
            if (GetPixel(dc, x, y - 1) == RGB(255, 255, 255) && GetPixel(dc, x, y) != RGB(255, 255, 255)) edge = y;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return edge;
    };
    auto markerPixel = [] {
        const double perPixel = ui::Screen().TwipsPerPixelY();
        return static_cast<int>((editor().Picture1.Top() - editor().TXTextControl1.Top()) / perPixel + 0.5);
    };
    // A smaller page, so that its end shows in the window; then scrolled; then zoomed.
    engine().SetPageHeight(4000);
    editor().PlacePageEndMarkers();
    int edge = paintedPageEnd();
    ASSERT_GT(edge, 0);
    EXPECT_NEAR(markerPixel(), edge, 1);
    control().SetScrollPosY(600);
    ui::DoEvents();
    edge = paintedPageEnd();
    EXPECT_NEAR(markerPixel(), edge, 1) << "the scroll moved the markers";
    Choose(editor().mnuView_ZoomItem[3]);  // 50%
    control().SetScrollPosY(0);
    ui::DoEvents();
    edge = paintedPageEnd();
    EXPECT_NEAR(markerPixel(), edge, 1);
    EXPECT_EQ(editor().Line1.Y1() - editor().Picture1.Top(), static_cast<long>(6 * ui::Screen().TwipsPerPixelY()));
}

}  // namespace
