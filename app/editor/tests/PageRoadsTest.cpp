// The editor's roads as an author drives them: a module made and opened, pages typed, stored
// through the page type dialog, walked, inserted and deleted, the window closed; files checked
// on disk byte by byte.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/ModuleFiles.h"
#include "app/core/PageControl.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/core/tests/FrameTest.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/MsgBox.h"
#include "ui/Printer.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class PageRoads : public zv_test::FrameTest {
protected:
    // A new module as the open dialog makes it: the page list reset, an empty editor, the folder.
    fs::path NewModule(const std::wstring& code, const std::wstring& name = L"Test module") {
        const fs::path folder = root_ / code;
        InitPageList();
        frmMDIChild& e = frame().NewEditorWindow();
        e.Show();
        App().ModulePath = folder.wstring();
        App().ModuleCode = code;
        App().ModuleName = name;
        CreateModule(folder.wstring(), code);
        return folder;
    }

    void Press(const std::wstring& key) {
        ui::ToolbarButton& button = frame().Toolbar1.Buttons(key);
        ASSERT_TRUE(button.Enabled()) << "the button " << Utf8(key) << " is disabled";
        frame().Toolbar1.OnButtonCommand(button.CommandId());
        ui::DoEvents();
    }

    // A click on a toolbar button with the mouse, as the author makes it.
    void ClickButton(const std::wstring& key) { zv_test::ClickFrameButton(frame(), key); }

    // The page type dialog's next showing: checks nothing, chooses a type and saves.
    static void SaveNextAs(int option, const std::wstring& topic = L"") {
        ui::test::OnNextModal<frmPageTypeDlg>([option, topic](frmPageTypeDlg& d) {
            ui::test::Click(d.optPageType[option]);
            if (option == kOptNewTopic) ui::test::Type(d.Text1, topic);
            ui::test::Click(d.btnSave);
        });
    }
    static void CancelNextPageType() {
        ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) { ui::test::Click(d.Command2); });
    }

    std::string Bytes(const fs::path& p) { return zv::ReadFileBytes(p.wstring()); }
    std::wstring PageText(const fs::path& p) {
        tx::TextEngine reader;
        LoadPageFile(p.wstring(), reader, true);
        return reader.Text();
    }
    std::string Map(const fs::path& folder) { return Bytes(folder / "Map.txt"); }

    // A module of `n` pages whose texts are "Page 1", "Page 2" ..., stored through the editor.
    fs::path ModuleOfPages(int n) {
        const fs::path folder = NewModule(L"000042");
        for (int i = 1; i <= n; ++i) {
            TypeText(L"Page " + std::to_wstring(i));
            SaveNextAs(kOptContentPage);
            GoToNextPage();  // the menu's road: a new page's Next button is off
        }
        return folder;
    }
};

TEST_F(PageRoads, TheFirstPageOfANewModuleIsStoredAsPageOne) {
    const fs::path folder = NewModule(L"000123");
    EXPECT_EQ(Bytes(folder / "Map.txt"), "");
    EXPECT_EQ(Bytes(folder / "000123.zvk"), "");
    EXPECT_EQ(editor().Caption(), L"MODULE: 000123    PAGENAME: 000123");
    EXPECT_EQ(App().MeasureUnit, 1);
    // The page-end markers sit at the end of the one page where the control shows it (the text is
    // not scrolled).
    const long pageEnd = editor().TXTextControl1.Top() +
                         static_cast<long>(editor().TXTextControl1->PageToClient(1, 0, 9618).y * ui::Screen().TwipsPerPixelY());
    EXPECT_EQ(editor().Picture1.Top(), pageEnd);
    EXPECT_EQ(editor().Line1.Y1(), pageEnd + static_cast<long>(6 * ui::Screen().TwipsPerPixelY()));
    EXPECT_EQ(editor().Line1.X2(), 15228);
    for (auto* c : {&editor().TXTextControl1, &editor().prtTXTextControl2}) {
        EXPECT_EQ(c->Engine().PageWidth(), 15228);
        EXPECT_EQ(c->Engine().PageHeight(), 9618);
    }

    TypeText(L"Hello");
    EXPECT_TRUE(editor().DirtyFlag);
    bool checked = false;
    ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
        // The very first page: a topic, named by the author, and no way out without storing.
        EXPECT_TRUE(d.optPageType[kOptNewTopic].Value());
        EXPECT_EQ(d.Text1.Text(), L"Enter Topic Name");
        EXPECT_FALSE(d.Command2.Enabled());
        EXPECT_TRUE(d.Text1.Enabled());
        EXPECT_EQ(d.ModName.Text(), L"Test module");
        ui::test::Type(d.Text1, L"Intro");
        ui::test::Type(d.ModName, L"Caf\xE9 course");
        checked = true;
        ui::test::Click(d.btnSave);
    });
    Press(L"Save");
    EXPECT_TRUE(checked);

    EXPECT_EQ(Map(folder), "000123\r\nCaf\xE9 course\r\n1\r\n0001.txm*Topic*Intro\r\n");
    const std::string page = Bytes(folder / "0001.txm");
    PageFileHeader expected = HeaderOfEngine(engine());
    expected.PageWidth = 15228;
    expected.PageHeight = 9618;
    const auto header = PageHeaderBytes(expected);
    ASSERT_GE(page.size(), 30u);
    EXPECT_EQ(page.substr(0, 30), std::string(header.begin(), header.end()));
    EXPECT_EQ(page.substr(30), engine().SaveToBytes(tx::kFormatOwn));
    EXPECT_EQ(PageText(folder / "0001.txm"), L"Hello");
    EXPECT_EQ(App().PageCounter, 2);
    EXPECT_FALSE(App().IsNewPage);
    EXPECT_TRUE(App().PageJustAdded);
    EXPECT_FALSE(editor().DirtyFlag);

    // The next new page gets number 2 (Next from the menu: the button is off on a new page).
    GoToNextPage();
    TypeText(L"World");
    SaveNextAs(kOptModuleTest);
    Press(L"Save");
    EXPECT_EQ(Map(folder), "000123\r\nCaf\xE9 course\r\n2\r\n0001.txm*Topic*Intro\r\n0002.txm*Test\r\n");
}

TEST_F(PageRoads, NextAndPreviousWalkOverNewAndStoredPages) {
    const fs::path folder = NewModule(L"000007");
    TypeText(L"One");
    SaveNextAs(kOptContentPage);
    GoToNextPage();  // dirty new page: stored on the way
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_TRUE(App().IsNewPage);
    EXPECT_EQ(engine().Text(), L"");
    EXPECT_FALSE(frame().Toolbar1.Buttons(L"Next").Enabled());
    EXPECT_TRUE(frame().Toolbar1.Buttons(L"Previous").Enabled());
    EXPECT_EQ(frame().PageStatusText(), L"Page 2");

    TypeText(L"Two");
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) {
        EXPECT_TRUE(d.optPageType[kOptContentPage].Value());
        EXPECT_TRUE(d.Command2.Enabled());
        EXPECT_FALSE(d.Text1.Enabled());
        ui::test::Click(d.btnSave);
    });
    GoToNextPage();  // the menu's road: the button is disabled past the end
    EXPECT_EQ(App().CurrentPageNo, 3);
    EXPECT_EQ(Map(folder), "000007\r\nTest module\r\n2\r\n0001.txm*Page\r\n0002.txm*Page\r\n");

    // Again past the end with nothing typed: no page was added, the number stays.
    GoToNextPage();
    GoToNextPage();
    EXPECT_EQ(App().CurrentPageNo, 3);
    EXPECT_EQ(editor().Caption(), L"MODULE: 000007    PAGENAME: ");

    Press(L"Previous");  // from the unstored new page to the last stored one
    EXPECT_EQ(engine().Text(), L"Two");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_FALSE(App().IsNewPage);
    EXPECT_TRUE(frame().Toolbar1.Buttons(L"Next").Enabled());
    EXPECT_EQ(editor().Caption(), L"MODULE: 000007    PAGENAME: 0002.TXM");
    EXPECT_FALSE(editor().DirtyFlag);

    Press(L"Previous");
    EXPECT_EQ(engine().Text(), L"One");
    EXPECT_EQ(App().CurrentPageNo, 1);
    EXPECT_FALSE(frame().Toolbar1.Buttons(L"Previous").Enabled());
    GoToPreviousPage();  // on the first page: reloaded, the number kept
    EXPECT_EQ(engine().Text(), L"One");
    EXPECT_EQ(App().CurrentPageNo, 1);

    // A changed stored page keeps its file name; only its content and type change.
    TypeText(L"!");
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) {
        EXPECT_TRUE(d.optPageType[kOptContentPage].Value());
        ui::test::Click(d.optPageType[kOptModuleTest]);
        ui::test::Click(d.btnSave);
    });
    Press(L"Next");
    EXPECT_EQ(PageText(folder / "0001.txm"), L"!One");
    EXPECT_EQ(Map(folder), "000007\r\nTest module\r\n3\r\n0001.txm*Test\r\n0002.txm*Page\r\n");
    EXPECT_EQ(engine().Text(), L"Two");
    EXPECT_EQ(App().CurrentPageNo, 2);

    // Cancel ends the walk: the page stays with its edits, unstored.
    TypeText(L"kept ");
    CancelNextPageType();
    Press(L"Previous");
    EXPECT_EQ(engine().Text(), L"kept Two");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_EQ(PageText(folder / "0002.txm"), L"Two");
    SaveNextAs(kOptContentPage);
    Press(L"Previous");
    EXPECT_EQ(engine().Text(), L"!One");
    EXPECT_EQ(PageText(folder / "0002.txm"), L"kept Two");

    // A new page stored on the way back: the editor returns to the page before it.
    Press(L"Next");
    Press(L"Next");
    TypeText(L"Three");
    SaveNextAs(kOptContentPage);
    Press(L"Previous");
    EXPECT_EQ(engine().Text(), L"kept Two");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0002.txm");
    EXPECT_EQ(PageText(folder / "0003.txm"), L"Three");
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(PageRoads, InsertBeforeAndAfterTheCurrentPage) {
    const fs::path folder = ModuleOfPages(2);
    GoToPage(L"0001.txm");
    App().CurrentPageNo = 1;
    Press(L"insert_A");
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_TRUE(App().PageJustAdded);
    EXPECT_FALSE(App().IsNewPage);
    EXPECT_EQ(editor().Caption(), L"MODULE: 000042    PAGENAME: 0003.TXM");
    EXPECT_EQ(Map(folder), "000042\r\nTest module\r\n3\r\n0001.txm*Page\r\n0003.txm*Page\r\n0002.txm*Page\r\n");
    EXPECT_EQ(PageText(folder / "0003.txm"), L"");

    TypeText(L"Inserted");
    SaveNextAs(kOptContentPage);
    Press(L"insert_B");  // before the inserted page: the number stays
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_EQ(Map(folder),
              "000042\r\nTest module\r\n4\r\n0001.txm*Page\r\n0004.txm*Page\r\n0003.txm*Page\r\n0002.txm*Page\r\n");
    EXPECT_EQ(PageText(folder / "0003.txm"), L"Inserted") << "a page left by an insert is stored first";

    // The fresh page asks for its type on the way out; Cancel keeps it in the editor.
    CancelNextPageType();
    GoToPreviousPage();  // the menu's road: an insert leaves the buttons as they were
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0004.txm");
    EXPECT_EQ(App().CurrentPageNo, 2);
    SaveNextAs(kOptContentPage);
    GoToPreviousPage();
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(engine().Text(), L"Page 1");
    TypeText(L"X");
    SaveNextAs(kOptContentPage);
    Press(L"Save");
    EXPECT_EQ(PageText(folder / "0001.txm"), L"XPage 1");
    EXPECT_EQ(PageText(folder / "0004.txm"), L"");
}

TEST_F(PageRoads, DeleteInTheMiddleAtTheEndAndNeverTheOnlyPage) {
    const fs::path folder = ModuleOfPages(3);
    GoToPage(L"0002.txm");
    Press(L"Del_Page");
    EXPECT_EQ(engine().Text(), L"Page 3");
    EXPECT_FALSE(fs::exists(folder / "0002.txm"));
    EXPECT_EQ(Map(folder), "000042\r\nTest module\r\n4\r\n0001.txm*Page\r\n0003.txm*Page\r\n");

    Press(L"Del_Page");  // the last page: the one before it shows
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_FALSE(fs::exists(folder / "0003.txm"));
    EXPECT_EQ(Map(folder), "000042\r\nTest module\r\n4\r\n0001.txm*Page\r\n");

    ui::test::AnswerNextMsgBox(ui::vbOK);
    Press(L"Del_Page");
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"only page"), std::wstring::npos);
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_EQ(PageText(folder / "0001.txm"), L"Page 1");
    EXPECT_EQ(Map(folder), "000042\r\nTest module\r\n4\r\n0001.txm*Page\r\n");
}

TEST_F(PageRoads, DeletingAnUnstoredNewPageDropsOnlyThatPage) {
    const fs::path folder = ModuleOfPages(2);  // the editor now holds a new page after page 2
    TypeText(L"not wanted");
    Press(L"Del_Page");
    EXPECT_TRUE(fs::exists(folder / "0002.txm"));
    EXPECT_EQ(PageText(folder / "0002.txm"), L"Page 2");
    EXPECT_EQ(Map(folder), "000042\r\nTest module\r\n2\r\n0001.txm*Page\r\n0002.txm*Page\r\n");
    EXPECT_EQ(engine().Text(), L"Page 2");
    EXPECT_FALSE(App().IsNewPage);
    EXPECT_FALSE(editor().DirtyFlag);
    EXPECT_EQ(App().CurrentPageNo, 2);
    EXPECT_EQ(editor().Caption(), L"MODULE: 000042    PAGENAME: 0002.TXM");
}

TEST_F(PageRoads, NoPageIsMadePastNumber9999) {
    const fs::path folder = ModuleOfPages(1);
    App().PageCounter = 10000;  // a module whose map says 9999 pages were made
    const std::string map = Map(folder);

    TypeText(L"One too many");
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) {
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::Click(d.btnSave);
        EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"9999"), std::wstring::npos);
        ui::test::Click(d.Command2);  // the dialog stayed open
    });
    Press(L"Save");
    EXPECT_EQ(Map(folder), map);
    EXPECT_FALSE(fs::exists(folder / ".txm"));
    EXPECT_TRUE(editor().DirtyFlag) << "the page that could not be stored keeps its changes";

    Press(L"Del_Page");  // the author gives the unstorable page up
    GoToPage(L"0001.txm");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Press(L"insert_A");
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"9999"), std::wstring::npos);
    EXPECT_EQ(Map(folder), map);
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_EQ(App().PageCounter, 10000);
}

TEST_F(PageRoads, APageWhoseFileCannotBeWrittenIsNotListed) {
    const fs::path folder = NewModule(L"000009");
    fs::create_directories(folder / "0001.txm");  // stands where the page file must go
    TypeText(L"Text");
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) {
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::Click(d.btnSave);
        d.Unload();  // the first page's dialog has no Cancel: the author closes its window
    });
    Press(L"Save");
    EXPECT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_EQ(Map(folder), "");
    EXPECT_FALSE(App().PageList.PageExist(L"0001.txm"));
    EXPECT_EQ(App().PageCounter, 1);
    EXPECT_TRUE(App().IsNewPage);
}

TEST_F(PageRoads, TheClosingPromptsThreeAnswers) {
    const fs::path folder = ModuleOfPages(1);
    GoToPage(L"0001.txm");
    frmMDIChild& e = editor();
    e.DirtyFlag = false;
    EXPECT_TRUE(e.Unload());  // unchanged: no question
    EXPECT_TRUE(ui::test::MsgBoxes().empty());

    std::wstring marker = (folder / "000042.zvk").wstring();
    OpenModuleFile(marker);
    TypeText(L"changed ");
    ui::test::AnswerNextMsgBox(ui::vbCancel);
    EXPECT_FALSE(editor().Unload());
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    const auto box = ui::test::LastMsgBox();
    EXPECT_EQ(box.prompt, L"The text in [MODULE: 000042    PAGENAME: 0001.TXM] has changed.\r\nDo you want to save the changes?");
    EXPECT_EQ(box.style, ui::vbYesNoCancel + ui::vbExclamation);
    EXPECT_EQ(box.title, L"Zorvik");
    EXPECT_TRUE(editor().IsLoaded());
    EXPECT_TRUE(editor().DirtyFlag);

    ui::test::AnswerNextMsgBox(ui::vbNo);
    frmMDIChild* closing = &editor();
    EXPECT_TRUE(closing->Unload());
    EXPECT_EQ(PageText(folder / "0001.txm"), L"Page 1");

    OpenModuleFile(L"\"" + marker + L"\"");  // quoted as a command line gives it
    TypeText(L"kept ");
    ui::test::AnswerNextMsgBox(ui::vbYes);
    SaveNextAs(kOptContentPage);
    EXPECT_TRUE(editor().Unload());
    EXPECT_EQ(PageText(folder / "0001.txm"), L"kept Page 1");
}

TEST_F(PageRoads, OpeningAModuleShowsItsFirstPageWithItsStoredPage) {
    const fs::path folder = root_ / "000555";
    fs::create_directories(folder);
    tx::TextEngine page;
    page.SetPageWidth(12240);
    page.SetPageHeight(15840);
    page.SetPageMarginL(1440);
    page.SetSelText(L"Stored first page");
    WritePageFile((folder / "0005.txm").wstring(), page);
    std::ofstream(folder / "Map.txt", std::ios::binary) << "000555\r\nOpened\r\n7\r\n0005.txm*Page\r\n0006.txm*Page\r\n";
    std::ofstream(folder / "000555.zvk", std::ios::binary);

    frame().CommandLineText = L"\"" + (folder / "000555.zvk").wstring() + L"\"";
    frame().Unload();
    frame().Show();  // its load opens the command line's module
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(engine().Text(), L"Stored first page");
    EXPECT_EQ(engine().PageWidth(), 12240);
    EXPECT_EQ(engine().PageHeight(), 15840);
    EXPECT_EQ(engine().PageMarginL(), 1440);
    EXPECT_EQ(App().ModulePath, folder.wstring());
    EXPECT_EQ(App().ModuleName, L"Opened");
    EXPECT_EQ(App().PageCounter, 8);
    EXPECT_EQ(editor().Caption(), L"MODULE: 000555    PAGENAME: 0005.TXM");
    EXPECT_EQ(frame().PageStatusText(), L"Page 1");
    EXPECT_TRUE(frame().Toolbar1.Buttons(L"Next").Enabled());
    EXPECT_FALSE(frame().Toolbar1.Buttons(L"Previous").Enabled());
    EXPECT_TRUE(frame().Toolbar1.Buttons(L"Save").Enabled());
    EXPECT_TRUE(frame().Toolbar1.Buttons(L"Print").Enabled());
    EXPECT_FALSE(editor().DirtyFlag);
    EXPECT_EQ(App().WindowList[0], folder.wstring());

    // The second page's file is missing: the author is told and stays where they were.
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Press(L"Next");
    EXPECT_EQ(ui::test::MsgBoxes().size(), 1u);
}

TEST_F(PageRoads, AMarkerWithoutAReadablePageMapOpensNothing) {
    const fs::path open = ModuleOfPages(2);  // module 000042, open in the editor
    frmMDIChild* openEditor = &editor();
    const fs::path broken = root_ / "000066";
    fs::create_directories(broken);
    std::ofstream(broken / "000066.zvk", std::ios::binary);
    std::ofstream(broken / "Map.txt", std::ios::binary) << "000066\r\nBroken\r\nnot a number\r\n";

    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunCommand([&] { OpenModuleFile((broken / "000066.zvk").wstring()); });
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"line 3"), std::wstring::npos);
    EXPECT_EQ(App().ModulePath, open.wstring());
    EXPECT_EQ(App().ModuleCode, L"000042");
    EXPECT_TRUE(App().PageList.PageExist(L"0002.txm"));
    EXPECT_EQ(&editor(), openEditor);  // no further window

    // Without any page map the same.
    fs::remove(broken / "Map.txt");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunCommand([&] { OpenRecentModule(broken.wstring()); });
    EXPECT_EQ(ui::test::MsgBoxes().size(), 2u);
    EXPECT_EQ(App().ModulePath, open.wstring());
    EXPECT_EQ(&editor(), openEditor);
}

TEST_F(PageRoads, AWindowListEntryOpensItsModuleAfterTheSaveQuestion) {
    const fs::path first = ModuleOfPages(1);  // module 000042, its first page stored
    const fs::path second = root_ / "000077";
    fs::create_directories(second);
    tx::TextEngine page;
    page.SetSelText(L"Other module");
    WritePageFile((second / "0001.txm").wstring(), page);
    std::ofstream(second / "Map.txt", std::ios::binary) << "000077\r\nOther\r\n1\r\n0001.txm*Page\r\n";

    OpenRecentModule(L"WindowList");  // the menu's own entry opens nothing
    EXPECT_EQ(App().ModulePath, first.wstring());

    GoToPage(L"0001.txm");
    TypeText(L"edited ");
    ui::test::AnswerNextMsgBox(ui::vbCancel);
    OpenRecentModule(second.wstring());
    EXPECT_EQ(ui::test::LastMsgBox().style, ui::vbYesNoCancel + ui::vbExclamation);
    EXPECT_EQ(App().ModulePath, first.wstring());
    EXPECT_TRUE(editor().DirtyFlag);

    frmMDIChild* firstEditor = &editor();
    ui::test::AnswerNextMsgBox(ui::vbYes);
    SaveNextAs(kOptContentPage);
    OpenRecentModule(second.wstring());
    EXPECT_EQ(PageText(first / "0001.txm"), L"edited Page 1");
    EXPECT_EQ(App().ModulePath, second.wstring());
    EXPECT_EQ(App().ModuleCode, L"000077");
    EXPECT_NE(&editor(), firstEditor);  // a further window; the first stays open
    EXPECT_TRUE(firstEditor->IsLoaded());
    EXPECT_EQ(engine().Text(), L"Other module");
}

TEST_F(PageRoads, ANewModuleNeverTakesOverAnExistingFolder) {
    const fs::path folder = root_ / "000321";
    fs::create_directories(folder);
    std::ofstream(folder / "Map.txt", std::ios::binary) << "000321\r\nOther\r\n2\r\n0001.txm*Page\r\n";
    InitPageList();
    frame().NewEditorWindow().Show();
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunCommand([&] { CreateModule(folder.wstring(), L"000321"); });
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(folder.wstring()), std::wstring::npos);
    EXPECT_EQ(Map(folder), "000321\r\nOther\r\n2\r\n0001.txm*Page\r\n");
    EXPECT_FALSE(fs::exists(folder / "000321.zvk"));
}

TEST_F(PageRoads, SaveAsMovesTheModuleAndRefusesClashesAndNames) {
    const fs::path folder = ModuleOfPages(2);
    fs::create_directories(folder / "Movies");
    std::ofstream(folder / "Movies" / "clip.swf", std::ios::binary) << "FWS";
    const fs::path target = root_ / "saved" / "000043";
    fs::create_directories(target.parent_path());

    auto choose = [](fs::path p) { return [p](const std::wstring&, const std::wstring&) { return p.wstring(); }; };
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunCommand([&] { SaveModuleAs(choose(root_ / "saved" / "notanumber")); });
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"The folder name must be a numeric module code.");
    EXPECT_TRUE(fs::exists(folder / "0001.txm"));

    fs::create_directories(target);
    std::ofstream(target / "0002.txm", std::ios::binary) << "someone else's page";
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunCommand([&] { SaveModuleAs(choose(target)); });
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"0002.txm"), std::wstring::npos);
    EXPECT_EQ(Bytes(target / "0002.txm"), "someone else's page");
    EXPECT_EQ(PageText(folder / "0002.txm"), L"Page 2");

    fs::remove(target / "0002.txm");
    RunCommand([&] { SaveModuleAs(choose(target)); });
    EXPECT_EQ(PageText(target / "0001.txm"), L"Page 1");
    EXPECT_EQ(PageText(target / "0002.txm"), L"Page 2");
    EXPECT_EQ(Bytes(target / "Movies" / "clip.swf"), "FWS");
    EXPECT_TRUE(fs::exists(target / "000042.zvk"));
    EXPECT_TRUE(fs::exists(target / "000043.zvq"));
    EXPECT_FALSE(fs::exists(folder / "0001.txm"));

    // The open module follows its files: the next store lands beside them.
    GoToPage(L"0001.txm");
    TypeText(L"Moved ");
    SaveNextAs(kOptContentPage);
    Press(L"Save");
    EXPECT_EQ(PageText(target / "0001.txm"), L"Moved Page 1");
    EXPECT_FALSE(fs::exists(folder / "0001.txm"));
}

TEST_F(PageRoads, SaveAsWithNoModuleOpenMakesTheFolderWithItsMarker) {
    const fs::path chosen = root_ / "000050";
    SaveModuleAs([&](const std::wstring&, const std::wstring&) { return chosen.wstring(); });
    EXPECT_TRUE(fs::is_directory(chosen));
    EXPECT_EQ(Bytes(chosen / "000050.zvx"), "");
    EXPECT_TRUE(App().ModulePath.empty());
    EXPECT_EQ(App().BrowseFolderName, L"000050");

    // A cancelled folder dialog does nothing more.
    App().BrowseFolderPath.clear();
    App().BrowseFolderName.clear();
    SaveModuleAs([](const std::wstring&, const std::wstring&) { return std::wstring(); });
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(PageRoads, SaveDocumentAsWritesEachFormatTheControlWrites) {
    ModuleOfPages(1);
    GoToPage(L"0001.txm");
    const fs::path out = root_ / "out";
    fs::create_directories(out);

    // Exports leave the page unsaved: the next page change still asks for the edits.
    const std::pair<const wchar_t*, int> exports[] = {
        {L"page.txt", tx::kFormatText}, {L"page.rtf", tx::kFormatRtf}, {L"page.htm", tx::kFormatHtml},
        {L"page.HTML", tx::kFormatHtml}, {L"page.doc", tx::kFormatWord}, {L"page.xml", tx::kFormatXml},
        {L"page.css", tx::kFormatCss},
    };
    for (auto [name, format] : exports) {
        SCOPED_TRACE(format);
        editor().DirtyFlag = true;
        SaveDocumentAs((out / name).wstring());
        EXPECT_EQ(Bytes(out / name), engine().SaveToBytes(format));
        EXPECT_EQ(editor().Caption(), (out / name).wstring());
        EXPECT_TRUE(editor().DirtyFlag);
    }
    EXPECT_EQ(Bytes(out / "page.rtf").rfind("{\\rtf", 0), 0u);
    EXPECT_EQ(Bytes(out / "page.doc"), Bytes(out / "page.rtf"));
    SaveDocumentAs((out / "copy.TXM").wstring());
    EXPECT_EQ(Bytes(out / "copy.TXM"), PageFileBytes(engine()));
    EXPECT_EQ(editor().Caption(), (out / "copy.TXM").wstring());
    EXPECT_FALSE(editor().DirtyFlag);
}

TEST_F(PageRoads, PrintModulePrintsTheChosenRangeAndCopies) {
    ModuleOfPages(4);
    GoToPage(L"0001.txm");
    ui::PrinterCapture capture;
    ui::Printer().SetCapture(&capture);

    ui::test::OnNextCommonDialog([](ui::CommonDialog& d) {
        EXPECT_EQ(d.Min, 1);
        EXPECT_EQ(d.Max, 4);
        EXPECT_EQ(d.ToPage, 4);
        EXPECT_EQ(d.Flags, 1048580);
        d.Flags |= 2;
        d.FromPage = 3;
        d.ToPage = 3;
        d.Copies = 2;
        return true;
    });
    Press(L"Print");
    EXPECT_EQ(capture.PageCount(), 2u);
    EXPECT_EQ(capture.DocumentCount(), 1);
    for (size_t i = 0; i < capture.PageCount(); ++i) {
        const auto pixels = capture.Render(i, 306, 396);
        EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [](unsigned p) { return (p & 0xFFFFFF) != 0xFFFFFF; }))
            << "printed page " << i << " is blank";
    }

    capture.Clear();
    ui::test::OnNextCommonDialog([](ui::CommonDialog&) { return true; });
    Press(L"Print");
    EXPECT_EQ(capture.PageCount(), 4u);

    capture.Clear();
    ui::test::CancelNextDialog();
    Press(L"Print");
    EXPECT_EQ(capture.PageCount(), 0u);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    ui::Printer().SetCapture(nullptr);
}

TEST_F(PageRoads, InsertTextFileTakesTextAndRtf) {
    NewModule(L"000011");
    const fs::path rtf = root_ / "in.rtf";
    const fs::path txt = root_ / "in.txt";
    std::ofstream(rtf, std::ios::binary) << "{\\rtf1\\ansi {\\b Bold} words}";
    std::ofstream(txt, std::ios::binary) << "plain ";
    ui::test::ChooseFileInNextDialog(txt.wstring());
    InsertTextFile();
    ui::test::ChooseFileInNextDialog(rtf.wstring());
    InsertTextFile();
    EXPECT_EQ(engine().Text(), L"plain Bold words");
    EXPECT_EQ(frame().CmDialog1.FileName, L"");
    ui::test::CancelNextDialog();
    RunCommand([] { InsertTextFile(); });
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    EXPECT_EQ(engine().Text(), L"plain Bold words");
}

TEST_F(PageRoads, TheEditorMakesTheUserDictionaryWhenItIsMissing) {
    const std::wstring dictionary = zv::JoinPath(ui::App().Path(), kUserDictionaryName);
    fs::remove(zv::FsPath(dictionary));
    NewModule(L"000012");
    ASSERT_TRUE(zv::FileExists(dictionary));
    EXPECT_EQ(zv::ReadFileBytes(dictionary), "");
    std::ofstream(zv::FsPath(dictionary), std::ios::binary) << "myword\r\n";
    frame().NewEditorWindow();
    EXPECT_EQ(zv::ReadFileBytes(dictionary), "myword\r\n");  // an existing one is kept
}

TEST_F(PageRoads, ThePageTypeDialogStoresTypeAndTopicAsChosen) {
    struct Case {
        int option;
        const wchar_t* topic;
        const char* mapLine;
    } cases[] = {
        {kOptNewTopic, L"Chapter 2", "0002.txm*Topic*Chapter 2"},
        {kOptNewTopic, L"", "0003.txm*Topic"},              // an empty topic box: an empty topic
        {kOptModuleTest, L"dropped", "0004.txm*Test"},       // a test page keeps no topic
        {kOptContentPage, L"dropped", "0005.txm*Page"},
    };
    const fs::path folder = ModuleOfPages(1);
    for (const auto& c : cases) {
        TypeText(L"text");
        ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
            ui::test::Click(d.optPageType[kOptNewTopic]);
            ui::test::Type(d.Text1, c.topic);
            ui::test::Click(d.optPageType[c.option]);
            EXPECT_EQ(d.Text1.Enabled(), c.option == kOptNewTopic);
            ui::test::Click(d.btnSave);
        });
        GoToNextPage();
        EXPECT_NE(Map(folder).find(std::string(c.mapLine) + "\r\n"), std::string::npos) << c.mapLine;
    }

    // A deletion that took no placeholder off the page deletes no movie file, whatever title the
    // last movie left behind.
    fs::create_directories(folder / "Movies");
    std::ofstream(folder / "Movies" / "clip.swf", std::ios::binary) << "FWS";
    App().MovieDeletePending = true;
    App().MovieFileTitle = L"clip.swf";
    TypeText(L"movie gone");
    SaveNextAs(kOptContentPage);
    Press(L"Save");
    EXPECT_TRUE(fs::exists(folder / "Movies" / "clip.swf"));
    EXPECT_FALSE(App().MovieDeletePending);
}

TEST_F(PageRoads, OpenAsksForTheMarkerFileAndACancelSaysNothing) {
    const fs::path folder = ModuleOfPages(2);
    ActiveEditor()->Unload();
    ui::test::CancelNextDialog();
    Press(L"Open");
    EXPECT_EQ(ActiveEditor(), nullptr);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());

    ui::test::ChooseFileInNextDialog((folder / "000042.zvk").wstring());
    Press(L"Open");
    const auto& dialog = ui::test::CommonDialogs().back();
    EXPECT_EQ(dialog.title, L"Open");
    EXPECT_EQ(dialog.filter, L"Zorvik 2.0 (*.zvk)|*.zvk");
    EXPECT_EQ(dialog.flags, 6148);
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(engine().Text(), L"Page 1");

    // A marker file whose folder holds no page map: the author is told, nothing opens.
    const fs::path stray = root_ / "stray";
    fs::create_directories(stray);
    std::ofstream(stray / "000099.zvk", std::ios::binary);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ui::test::ChooseFileInNextDialog((stray / "000099.zvk").wstring());
    Press(L"Open");
    EXPECT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_EQ(App().ModulePath, folder.wstring());
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(App().PageCounter, 3);
}

// Every command that leaves a changed page asks for its type first; Cancel there ends the command
// with the page, its edits, the page list, the counter and every file of the module as they were.
TEST_F(PageRoads, CancelInThePageTypeDialogEndsEveryRoad) {
    const fs::path other = root_ / "000077";
    fs::create_directories(other);
    std::ofstream(other / "Map.txt", std::ios::binary) << "000077\r\nOther\r\n0\r\n";
    struct Road {
        const char* name;
        std::function<void()> run;
    };
    const Road roads[] = {
        {"Next", [&] { Press(L"Next"); }},
        {"Previous", [&] { Press(L"Previous"); }},
        {"Insert before", [&] { Press(L"insert_B"); }},
        {"Insert after", [&] { Press(L"insert_A"); }},
        {"Go To", [&] { EXPECT_FALSE(GoToPage(L"0001.txm")); }},
        {"Save", [&] { Press(L"Save"); }},
        {"the closing prompt's Yes",
         [&] {
             ui::test::AnswerNextMsgBox(ui::vbYes);
             EXPECT_FALSE(editor().Unload());
         }},
        {"the new module prompt's Yes",
         [&] {
             ui::test::AnswerNextMsgBox(ui::vbYes);
             ::NewModule();
         }},
        {"the window list prompt's Yes",
         [&] {
             ui::test::AnswerNextMsgBox(ui::vbYes);
             OpenRecentModule(other.wstring());
         }},
    };
    auto snapshot = [](const fs::path& folder) {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& entry : fs::directory_iterator(folder))
            files.emplace_back(entry.path().filename().string(), zv::ReadFileBytes(entry.path().wstring()));
        std::sort(files.begin(), files.end());
        return files;
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        while (frmMDIChild* open = ActiveEditor()) {
            open->DirtyFlag = false;
            open->Unload();
        }
        fs::remove_all(root_ / "000042");
        const fs::path folder = ModuleOfPages(3);
        Press(L"Previous");
        Press(L"Previous");  // on page 2 of 3, both buttons on
        TypeText(L"edited ");
        frmMDIChild* before = &editor();
        const auto files = snapshot(folder);
        const std::wstring caption = editor().Caption();

        CancelNextPageType();
        road.run();

        EXPECT_EQ(ui::test::PendingModalActions(), 0u) << "the page type dialog was not asked";
        EXPECT_EQ(ui::test::PendingMsgBoxAnswers(), 0u);
        ASSERT_EQ(ActiveEditor(), before);
        EXPECT_EQ(engine().Text(), L"edited Page 2");
        EXPECT_TRUE(editor().DirtyFlag);
        EXPECT_EQ(editor().Caption(), caption);
        EXPECT_EQ(App().CurrentPageNo, 2);
        EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0002.txm");
        EXPECT_EQ(App().PageCounter, 4);
        EXPECT_FALSE(App().IsNewPage);
        EXPECT_FALSE(App().PageJustAdded);
        EXPECT_EQ(App().ModulePath, folder.wstring());
        EXPECT_TRUE(snapshot(folder) == files) << "a file of the module changed";
    }
}

// What the author types after a page command, a dialog or a message box lands in the page: the
// page's text control has the keyboard focus. The keys go to whatever window has the focus, as a
// keyboard's do.
TEST_F(PageRoads, TypingAfterEveryPageCommandArrivesInThePage) {
    struct Road {
        const char* name;
        std::function<void()> run;
    };
    const Road roads[] = {
        {"opening a module", [&] { OpenModuleFile((root_ / "000042" / "000042.zvk").wstring()); }},
        {"Next, after the page type dialog",
         [&] {
             TypeText(L"changed ");
             SaveNextAs(kOptContentPage);
             ClickButton(L"Next");
         }},
        {"Previous", [&] { ClickButton(L"Previous"); }},
        {"Insert after", [&] { ClickButton(L"insert_A"); }},
        {"Delete", [&] { ClickButton(L"Del_Page"); }},
        {"a message box", [&] {
             ui::test::AnswerNextMsgBox(ui::vbOK);
             RunCommand([] { throw zv::Error(L"Something the author is told."); });
         }},
    };
    ModuleOfPages(3);
    Press(L"Previous");  // on page 3, stored
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        road.run();
        ui::DoEvents();
        ASSERT_NE(ActiveEditor(), nullptr);
        EXPECT_EQ(GetFocus(), editor().TXTextControl1.hWnd());
        const std::wstring before = engine().Text();
        ui::test::PressKey(VK_HOME, false, true);
        ui::test::PressKey('Q');
        EXPECT_EQ(engine().Text(), L"q" + before);
        editor().DirtyFlag = false;  // the letter is not meant to be stored
    }
}

// On the test display (wider than the page) a module opens with the whole width of its page in
// view: both edges of the sheet inside the text control, no horizontal bar.
TEST_F(PageRoads, AnOpenedModuleShowsTheWholeWidthOfItsPage) {
    ModuleOfPages(1);
    OpenModuleFile((root_ / "000042" / "000042.zvk").wstring());
    ASSERT_NE(ActiveEditor(), nullptr);
    tx::TXTextControl& text = editor().TXTextControl1;
    RECT client{};
    GetClientRect(text.hWnd(), &client);
    const POINT left = text->PageToClient(1, 0, 0), right = text->PageToClient(1, kEditorPageWidth, 0);
    EXPECT_GE(left.x, 0);
    EXPECT_LE(right.x, client.right) << "the page's right edge is out of view";
    SCROLLBARINFO bar{sizeof(bar)};
    ASSERT_TRUE(GetScrollBarInfo(text.hWnd(), OBJID_HSCROLL, &bar));
    EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "a horizontal bar shows";
}

}  // namespace
