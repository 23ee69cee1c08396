// The commands the frame's toolbar and the editor's menus share, driven on the real frame and
// editor: toolbar enabling, the caption and status text, the Window list, File > New's save
// prompt, clipboard and colours, and the frame's own keys, menus and dropped files.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/core/FILE.h"
#include "app/core/PageControl.h"
#include "app/core/PageFile.h"
#include "app/core/frmOpenDlg.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/core/tests/FrameTest.h"
#include "base/Files.h"
#include "ui/Menu.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

// Every button that UpdateToolbar decides on.
const wchar_t* const kManagedKeys[] = {L"Save", L"Print",  L"PrintPreview", L"Find",         L"Cut",
                                       L"Copy", L"Paste",  L"Undo",         L"Redo",         L"remove_movie",
                                       L"movie_properties", L"delete_hyperlink"};

class SharedCommands : public zv_test::FrameTest {
protected:
    static bool Enabled(const wchar_t* key) { return frame().Toolbar1.Buttons(key).Enabled(); }

    // A module folder with pages "0001.txm" ... holding "Page 1" ..., and its marker file.
    fs::path ModuleOfPages(const std::wstring& code, int pages) {
        const fs::path folder = root_ / code;
        fs::create_directories(folder);
        std::string map = Utf8(code) + "\r\nShared\r\n" + std::to_string(pages) + "\r\n";
        for (int i = 1; i <= pages; ++i) {
            tx::TextEngine page;
            page.SetSelText(L"Page " + std::to_wstring(i));
            const std::wstring name = PageFileNameOf(static_cast<std::int16_t>(i));
            WritePageFile((folder / name).wstring(), page);
            map += Utf8(name) + "*Page\r\n";
        }
        std::ofstream(folder / "Map.txt", std::ios::binary) << map;
        std::ofstream(folder / (code + L".zvk"), std::ios::binary);
        return folder;
    }
};

TEST_F(SharedCommands, TheToolbarFollowsWhatTheEditorCanDo) {
    // Without any editor every managed button is off, the page buttons too: they have no page.
    const wchar_t* pageKeys[] = {L"Next", L"Previous", L"insert_B", L"insert_A", L"Del_Page"};
    for (const wchar_t* key : kManagedKeys) EnableToolbarButton(key, true);
    for (const wchar_t* key : pageKeys) EnableToolbarButton(key, true);
    UpdateToolbar();
    for (const wchar_t* key : kManagedKeys) EXPECT_FALSE(Enabled(key)) << Utf8(key);
    for (const wchar_t* key : pageKeys) EXPECT_FALSE(Enabled(key)) << Utf8(key);
    EXPECT_FALSE(IsEditorActive());

    OpenModuleFile((ModuleOfPages(L"000123", 2) / "000123.zvk").wstring());
    ASSERT_TRUE(IsEditorActive());
    for (const wchar_t* key : {L"Next", L"insert_B", L"insert_A", L"Del_Page"}) EXPECT_TRUE(Enabled(key)) << Utf8(key);
    EXPECT_FALSE(Enabled(L"Previous"));
    for (const wchar_t* key : {L"Save", L"Print", L"PrintPreview", L"Find"}) EXPECT_TRUE(Enabled(key)) << Utf8(key);
    for (const wchar_t* key : {L"Cut", L"Copy", L"Undo", L"Redo", L"remove_movie", L"movie_properties",
                               L"delete_hyperlink"}) {
        EXPECT_FALSE(Enabled(key)) << Utf8(key);
    }

    EditSelectAll();
    EXPECT_EQ(engine().SelLength(), 6);
    UpdateToolbar();
    EXPECT_TRUE(Enabled(L"Cut"));
    EXPECT_TRUE(Enabled(L"Copy"));
    EditCopy();
    EXPECT_EQ(ui::Clipboard().GetText(), L"Page 1");
    UpdateToolbar();
    EXPECT_TRUE(Enabled(L"Paste"));

    EditCut();
    EXPECT_EQ(engine().Text(), L"");
    UpdateToolbar();
    EXPECT_TRUE(Enabled(L"Undo"));
    EXPECT_FALSE(Enabled(L"Copy"));
    frame().RunToolbarKey(L"Undo");
    EXPECT_EQ(engine().Text(), L"Page 1");
    UpdateToolbar();
    EXPECT_TRUE(Enabled(L"Redo"));
    engine().SetSelStart(6);
    EditPaste();
    EXPECT_EQ(engine().Text(), L"Page 1Page 1");

    // Delete takes the selection without the clipboard, and tells the editor a deletion runs: the
    // deletion lasts until the change it makes has been handled.
    ui::Clipboard().SetText(L"kept");
    engine().SetSelStart(6);
    engine().SetSelLength(-1);
    EditDelete();
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_FALSE(editor().DeletingAction);
    EXPECT_EQ(ui::Clipboard().GetText(), L"kept");
    EditPaste();
    EXPECT_EQ(engine().Text(), L"Page 1kept");

    // A link under the caret makes it removable; removing keeps its text.
    engine().SetSelStart(0);
    engine().SetSelLength(4);
    ASSERT_NE(engine().FieldInsertOverSelection(), 0);
    engine().SetSelStart(2);
    UpdateToolbar();
    ASSERT_TRUE(Enabled(L"delete_hyperlink"));
    frame().RunToolbarKey(L"delete_hyperlink");
    EXPECT_EQ(engine().FieldAtInputPos(), 0);
    EXPECT_EQ(engine().FieldNext(0), 0);
    EXPECT_EQ(engine().Text(), L"Page 1kept");
    EXPECT_EQ(engine().SelLength(), 0);
}

// Nobody asks for it: the text buttons follow the editor's every change, and Paste follows the
// clipboard, whoever changes it, without a key being typed.
TEST_F(SharedCommands, TheToolbarFollowsTheTextAndTheClipboardByItself) {
    OpenModuleFile((ModuleOfPages(L"000124", 1) / "000124.zvk").wstring());
    ASSERT_TRUE(IsEditorActive());
    HWND text = editor().TXTextControl1.hWnd();
    struct Case {
        const char* what;
        std::function<void()> act;
        const wchar_t* key;
        bool enabled;
    };
    const Case cases[] = {
        {"the clipboard emptied", [] { ui::Clipboard().Clear(); }, L"Paste", false},
        {"the page selected", [this] { engine().Select(0, engine().TextLength()); }, L"Copy", true},
        {"text put on the clipboard", [] { ui::Clipboard().SetText(L"from elsewhere"); }, L"Paste", true},
        {"the selection given up", [this] { engine().Select(2, 2); }, L"Cut", false},
        {"the clipboard emptied again", [] { ui::Clipboard().Clear(); }, L"Paste", false},
        {"a letter typed", [text] { SendMessageW(text, WM_CHAR, L'q', 1); }, L"Undo", true},
        {"the letter taken back", [this] { engine().Undo(); }, L"Undo", false},
        // The word end is typed by the linker, with the toolbar held until it is done.
        {"an address and its word end typed", [this] { TypeText(L"www.a.com "); }, L"delete_hyperlink", false},
        {"the word end taken back, the caret behind the link", [this] { TypeText(L"\b"); }, L"delete_hyperlink", true},
        {"a word end typed behind the link", [this] { TypeText(L" "); }, L"delete_hyperlink", false},
    };
    for (const Case& c : cases) {
        c.act();
        ui::DoEvents();
        EXPECT_EQ(Enabled(c.key), c.enabled) << c.what;
    }
}

TEST_F(SharedCommands, CaptionAndStatusTextNameTheModuleAndThePage) {
    frame().NewEditorWindow().Show();
    App().ModuleCode = L"000123";
    App().CurrentPageNo = 4;
    ShowPageCaption(L"0001.txm");
    EXPECT_EQ(editor().Caption(), L"MODULE: 000123    PAGENAME: 0001.TXM");
    EXPECT_EQ(frame().TXStatusBar1.Text(), L"Page 4");

    // Without an editor only the status text changes.
    editor().Unload();
    App().CurrentPageNo = 12;
    ShowPageCaption(L"0002.txm");
    EXPECT_EQ(frame().TXStatusBar1.Text(), L"Page 12");
}

TEST_F(SharedCommands, GetPageIndexCountsFromOneAndGivesZeroForAStranger) {
    OpenModuleFile((ModuleOfPages(L"000124", 3) / "000124.zvk").wstring());
    EXPECT_EQ(GetPageIndex(L"0001.txm"), 1);
    EXPECT_EQ(GetPageIndex(L"0003.txm"), 3);
    EXPECT_EQ(GetPageIndex(L"0003.TXM"), 0);  // names match exactly
    EXPECT_EQ(GetPageIndex(L"0009.txm"), 0);
    EXPECT_EQ(GetPageIndex(L""), 0);
}

// A window with the editor's Window menu, to watch the list fill it.
class frmWindowMenu : public ui::Form {
public:
    ui::MenuItem mnuWindow{this, L"mnuWindow", L"&Window"};
    ui::MenuItem mnuWindow_Cascade{mnuWindow, L"mnuWindow_Cascade", L"&Cascade"};
    ui::MenuItem mnuWindow_Sep{mnuWindow, L"mnuWindow_Sep", L"-"};
    ui::MenuArray mnuWindow_WindowList{mnuWindow, L"mnuWindow_WindowList"};
    frmWindowMenu() {
        mnuWindow_Sep.SetVisible(false);
        mnuWindow_WindowList.Load(0).SetVisible(false);
    }
};

TEST_F(SharedCommands, TheWindowListTakesEachModuleOnceAndAtMostOneHundredAndOne) {
    AppState& app = App();
    app.ModuleCode = L"000001";
    app.ModulePath = L"C:\\m\\000001";
    AddToWindowList();
    app.ModulePath = L"C:\\elsewhere\\000001";  // the same code: already listed
    AddToWindowList();
    EXPECT_EQ(app.WindowCount, 1);
    EXPECT_EQ(app.WindowList[0], L"C:\\m\\000001");
    EXPECT_EQ(app.WindowList[1], L"");

    auto& form = ui::Forms::Get<frmWindowMenu>();
    form.Load();
    app.ModuleCode = L"000002";
    app.ModulePath = L"C:\\m\\000002";
    AddToWindowList();
    BuildWindowList(form.mnuWindow_Sep, form.mnuWindow_WindowList);
    EXPECT_TRUE(form.mnuWindow_Sep.Visible());
    ASSERT_EQ(form.mnuWindow_WindowList.UBound(), 2);
    EXPECT_FALSE(form.mnuWindow_WindowList[0].Visible());
    EXPECT_EQ(form.mnuWindow_WindowList[1].Caption(), L"C:\\m\\000001");
    EXPECT_FALSE(form.mnuWindow_WindowList[1].Checked());
    EXPECT_EQ(form.mnuWindow_WindowList[2].Caption(), L"C:\\m\\000002");
    EXPECT_TRUE(form.mnuWindow_WindowList[2].Checked());

    for (int i = 3; i <= 101; ++i) {
        app.ModuleCode = std::to_wstring(100000 + i);
        app.ModulePath = L"C:\\m\\" + app.ModuleCode;
        AddToWindowList();
    }
    EXPECT_EQ(app.WindowCount, 101);
    EXPECT_EQ(app.WindowList[100], L"C:\\m\\100101");
    app.ModuleCode = L"200000";
    app.ModulePath = L"C:\\m\\200000";
    AddToWindowList();  // full: nothing changes
    EXPECT_EQ(app.WindowCount, 101);
    EXPECT_EQ(app.WindowList[100], L"C:\\m\\100101");

    app.ModuleCode = L"100101";
    BuildWindowList(form.mnuWindow_Sep, form.mnuWindow_WindowList);
    EXPECT_EQ(form.mnuWindow_WindowList.UBound(), 101);
    EXPECT_EQ(form.mnuWindow_WindowList[101].Caption(), L"C:\\m\\100101");
    EXPECT_TRUE(form.mnuWindow_WindowList[101].Checked());
    EXPECT_FALSE(form.mnuWindow_WindowList[2].Checked());
}

TEST_F(SharedCommands, NewAsksToStoreAChangedPageAndHonoursEachAnswer) {
    const fs::path folder = ModuleOfPages(L"000125", 1);
    OpenModuleFile((folder / "000125.zvk").wstring());
    const std::wstring prompt =
        L"The text in [MODULE: 000125    PAGENAME: 0001.TXM] has changed.\r\nDo you want to save the changes?";
    frmMDIChild* changed = &editor();

    // Cancel: nothing happens, the changed page stays in front.
    TypeText(L"Edited ");
    ui::test::AnswerNextMsgBox(ui::vbCancel);
    frame().RunToolbarKey(L"New");
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_EQ(ui::test::LastMsgBox().prompt, prompt);
    EXPECT_EQ(ui::test::LastMsgBox().style, 51);
    EXPECT_EQ(ui::test::LastMsgBox().title, frame().Caption());
    EXPECT_EQ(ActiveEditor(), changed);
    EXPECT_EQ(App().ModuleCode, L"000125");
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0001.txm");

    // No: the page is left as stored, a new "Untitled" editor and the open dialog follow.
    bool dialogShown = false;
    ui::test::AnswerNextMsgBox(ui::vbNo);
    ui::test::OnNextModal<frmOpenDlg>([&](frmOpenDlg& d) {
        dialogShown = true;
        EXPECT_EQ(ActiveEditor()->Caption(), L"Untitled");
        EXPECT_NE(ActiveEditor(), changed);
        EXPECT_EQ(App().PageList.GetCurrentPageName(), L"");  // the page list starts again
        d.Unload();
    });
    frame().RunToolbarKey(L"New");
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(ui::test::MsgBoxes().size(), 2u);
    tx::TextEngine stored;
    LoadPageFile((folder / "0001.txm").wstring(), stored, true);
    EXPECT_EQ(stored.Text(), L"Page 1");

    // Yes: the page type dialog stores the page first.
    OpenModuleFile((folder / "000125.zvk").wstring());
    TypeText(L"Kept ");
    ui::test::AnswerNextMsgBox(ui::vbYes);
    bool typeAsked = false;
    ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
        typeAsked = true;
        ui::test::Click(d.btnSave);
    });
    dialogShown = false;
    ui::test::OnNextModal<frmOpenDlg>([&](frmOpenDlg& d) {
        dialogShown = true;
        d.Unload();
    });
    frame().RunToolbarKey(L"New");
    EXPECT_TRUE(typeAsked);
    EXPECT_TRUE(dialogShown);
    LoadPageFile((folder / "0001.txm").wstring(), stored, true);
    EXPECT_EQ(stored.Text(), L"Kept Page 1");

    // An unchanged page is not asked about.
    ui::test::Reset();
    ui::test::OnNextModal<frmOpenDlg>([](frmOpenDlg& d) { d.Unload(); });
    NewModule();
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(SharedCommands, TextColourComesFromTheColourDialog) {
    OpenModuleFile((ModuleOfPages(L"000126", 1) / "000126.zvk").wstring());
    EditSelectAll();
    ui::test::OnNextCommonDialog([](ui::CommonDialog& d) {
        EXPECT_EQ(d.Flags, 1);
        d.Color = 0x0000FF;
        return true;
    });
    ChooseTextColor(1);
    EXPECT_EQ(engine().ForeColor(), 0x0000FFu);

    // Cancelled over a colour: it stays.
    ui::test::CancelNextDialog();
    ChooseTextColor(1);
    EXPECT_EQ(engine().ForeColor(), 0x0000FFu);

    // No background yet: the dialog starts from black, and even a cancel applies it.
    ASSERT_EQ(engine().TextBkColor(), tx::kNoColor);
    unsigned long offered = 1;
    ui::test::OnNextCommonDialog([&](ui::CommonDialog& d) {
        offered = d.Color;
        return false;
    });
    ChooseTextColor(2);
    EXPECT_EQ(offered, 0u);
    EXPECT_EQ(engine().TextBkColor(), 0u);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(SharedCommands, TheBarsAndTheRulerToggle) {
    const long clientTop = [] {
        RECT rc;
        GetWindowRect(frame().ClientWindow(), &rc);
        return rc.top;
    }();
    ToggleToolbar();
    EXPECT_FALSE(frame().Toolbar1.Visible());
    RECT rc;
    GetWindowRect(frame().ClientWindow(), &rc);
    EXPECT_LT(rc.top, clientTop);  // the editors get the room
    ToggleToolbar();
    EXPECT_TRUE(frame().Toolbar1.Visible());

    for (auto toggle : {&ToggleParagraphBar, &ToggleStatusBar}) {
        const bool before = toggle == &ToggleParagraphBar ? frame().TXButtonBar1.Visible() : frame().TXStatusBar1.Visible();
        toggle();
        const bool after = toggle == &ToggleParagraphBar ? frame().TXButtonBar1.Visible() : frame().TXStatusBar1.Visible();
        EXPECT_NE(before, after);
    }

    frame().NewEditorWindow().Show();
    frmMDIChild& e = editor();
    const long top = e.TXTextControl1.Top();
    ASSERT_TRUE(e.TXRuler1.Visible());
    ToggleRuler(e);
    EXPECT_FALSE(e.TXRuler1.Visible());
    EXPECT_EQ(e.TXTextControl1.Top(), 0);
    EXPECT_EQ(e.TXTextControl1.Height(), e.ScaleHeight());
    ToggleRuler(e);
    EXPECT_EQ(e.TXTextControl1.Top(), top);
}

TEST_F(SharedCommands, KeysTheToolbarDoesNotKnowOrDisablesDoNothing) {
    OpenModuleFile((ModuleOfPages(L"000127", 2) / "000127.zvk").wstring());
    const std::wstring caption = editor().Caption();
    ui::ToolbarButton& next = frame().Toolbar1.Buttons(L"Next");
    next.SetEnabled(false);
    frame().RunToolbarKey(L"Next");
    frame().RunToolbarKey(L"delete image");
    frame().RunToolbarKey(L"no such key");
    EXPECT_EQ(editor().Caption(), caption);
    EXPECT_EQ(App().CurrentPageNo, 1);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    next.SetEnabled(true);
    frame().RunToolbarKey(L"Next");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_EQ(engine().Text(), L"Page 2");
}

// Cut, Copy and Undo follow the selection and the undo history as the author changes them with
// the keyboard, with no command run in between.
TEST_F(SharedCommands, TheToolbarFollowsTheSelectionAndTheUndoHistoryAsTheyChange) {
    OpenModuleFile((ModuleOfPages(L"000124", 1) / "000124.zvk").wstring());
    editor().TXTextControl1.SetFocus();
    ASSERT_EQ(GetFocus(), editor().TXTextControl1.hWnd());
    struct Step {
        const char* name;
        int key;
        bool shift, ctrl;
        bool cut, undo;
    } steps[] = {
        {"a character selected", VK_RIGHT, true, false, true, false},
        {"the selection given up", VK_RIGHT, false, false, false, false},
        {"a letter typed", 'A', false, false, false, true},
        {"the line's start selected", VK_HOME, true, false, true, true},
        {"the typing undone", 'Z', false, true, false, false},
    };
    ui::test::PressKey(VK_HOME, false, true);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ui::test::PressKey(step.key, step.shift, step.ctrl);
        EXPECT_EQ(Enabled(L"Cut"), step.cut);
        EXPECT_EQ(Enabled(L"Copy"), step.cut);
        EXPECT_EQ(Enabled(L"Undo"), step.undo);
    }
}

TEST_F(SharedCommands, ShortcutsReachTheCommandsFromTheEditor) {
    OpenModuleFile((ModuleOfPages(L"000128", 1) / "000128.zvk").wstring());
    editor().TXTextControl1.SetFocus();
    ASSERT_EQ(GetFocus(), editor().TXTextControl1.hWnd());
    // Selected by keyboard, as the author does.
    ui::test::PressKey(VK_HOME, false, true);
    for (int i = 0; i < 4; ++i) ui::test::PressKey(VK_RIGHT, true);
    ASSERT_EQ(engine().SelLength(), 4);
    ui::Clipboard().SetText(L"before");
    ui::test::PressKey('C', false, true);
    EXPECT_EQ(ui::Clipboard().GetText(), L"Page");
    ui::test::PressKey('X', false, true);
    EXPECT_EQ(engine().Text(), L" 1");
    ui::test::PressKey('Z', false, true);
    EXPECT_EQ(engine().Text(), L"Page 1");

    // The file and printer dialogs come from Ctrl+O and Ctrl+P; Ctrl+Y takes the undo back.
    ui::test::CancelNextDialog();
    ui::test::PressKey('O', false, true);
    ui::test::CancelNextDialog();
    ui::test::PressKey('P', false, true);
    ASSERT_EQ(ui::test::CommonDialogs().size(), 2u);
    EXPECT_EQ(ui::test::CommonDialogs()[0].kind, L"Open");
    EXPECT_EQ(ui::test::CommonDialogs()[1].kind, L"Printer");
    ui::test::PressKey('Y', false, true);
    EXPECT_EQ(engine().Text(), L" 1");

    // Ctrl+S stores the page through the page type dialog.
    bool asked = false;
    ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
        asked = true;
        ui::test::Click(d.Command2);
    });
    ui::test::PressKey('S', false, true);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(editor().DirtyFlag) << "a cancelled store leaves the page changed";

    // Ctrl+N: File > New, past the question for the page still unstored.
    ui::test::AnswerNextMsgBox(ui::vbNo);
    bool opened = false;
    ui::test::OnNextModal<frmOpenDlg>([&](frmOpenDlg& d) {
        opened = true;
        d.Unload();
    });
    ui::test::PressKey('N', false, true);
    EXPECT_TRUE(opened);

    // The frame's File menu: the recent files do nothing.
    frame().mnuRecentFile[2].FireClick();
    EXPECT_EQ(frame().mnuRecentFile[2].Caption(), L"Recent file 2");
    EXPECT_EQ(ui::test::MsgBoxes().size(), 1u);  // only New's question
}

// The shell's package of dropped files, as Explorer sends it.
HGLOBAL DropOf(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const auto& p : paths) chars += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const auto& p : paths) {
        std::copy(p.begin(), p.end(), out);
        out += p.size() + 1;
    }
    GlobalUnlock(mem);
    return mem;
}

TEST_F(SharedCommands, ADroppedMarkerFileOpensItsModuleAndOtherFilesAreRefused) {
    const fs::path first = ModuleOfPages(L"000130", 1);
    const fs::path second = ModuleOfPages(L"000131", 1);
    SendMessageW(frame().hWnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({(first / "000130.zvk").wstring(), (second / "000131.zvk").wstring()})), 0);
    ui::DoEvents();
    EXPECT_EQ(App().ModulePath, first.wstring());
    EXPECT_EQ(App().ModuleCode, L"000130");
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_TRUE(ui::test::MsgBoxes().empty());

    // A file that is not a module's marker: the author is told, and the frame stays.
    const fs::path stray = root_ / "notes" / "readme.txt";
    fs::create_directories(stray.parent_path());
    std::ofstream(stray) << "hello";
    ui::test::AnswerNextMsgBox(ui::vbOK);
    SendMessageW(frame().hWnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({stray.wstring()})), 0);
    ui::DoEvents();
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_FALSE(ui::test::LastMsgBox().prompt.empty());
    EXPECT_TRUE(frame().IsLoaded());
}

}  // namespace
