// The find dialog over a module of five pages, driven as an author drives it: its two layouts,
// Find walking the pages with its messages, Replace All and its count, the editor's page number
// and caption following the walk, and its errors under their own title.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "app/core/AppState.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmFindDlg.h"
#include "app/dialogs/tests/PageViewsTest.h"
#include "app/editor/frmMDIChild.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

const std::vector<std::wstring> kPages = {L"alpha cat", L"beta", L"Cat and cat", L"delta", L"cat epsilon"};

class FindDialog : public zv_test::ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        OpenModule(kPages);
        ASSERT_NE(ActiveEditor(), nullptr);
    }
    // The dialog as Edit > Find shows it, with the author's presses.
    static void Find(std::function<void(frmFindDlg&)> author) {
        ui::test::OnNextModal<frmFindDlg>(std::move(author));
        ShowFindDialog(1);
        ui::DoEvents();
        EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    }
    // Where the editor stands, as the author sees it.
    void ExpectOnPage(int page) {
        EXPECT_EQ(App().CurrentPageNo, page);
        EXPECT_EQ(Utf8(App().PageList.GetCurrentPageName()), Name(page));
        EXPECT_EQ(Utf8(editor().Caption()), "MODULE: 000077    PAGENAME: 000" + std::to_string(page) + ".TXM");
        EXPECT_EQ(Utf8(frame().PageStatusText()), "Page " + std::to_string(page));
        EXPECT_EQ(frame().Toolbar1.Buttons(L"Previous").Enabled(), page > 1);
    }
    void ExpectUnchanged(std::initializer_list<int> pages) {
        for (int p : pages) EXPECT_EQ(Bytes(p), bytes_[static_cast<size_t>(p - 1)]) << "page " << p;
    }
};

TEST_F(FindDialog, OpensCollapsedAndTheFirstReplaceOnlyExpandsIt) {
    Find([](frmFindDlg& d) {
        EXPECT_EQ(d.Caption(), L"Find");
        EXPECT_FALSE(d.cboReplace.Visible());
        EXPECT_FALSE(d.lblReplace.Visible());
        EXPECT_FALSE(d.cmdReplaceAll.Visible());
        EXPECT_EQ(d.cmdReplace.Top(), 525);
        EXPECT_EQ(d.cmdReplace.Caption(), L"&Replace...");
        d.cboFind.SetText(L"cat");
        ui::test::Click(d.cmdReplace);
        EXPECT_TRUE(d.cboReplace.Visible());
        EXPECT_TRUE(d.lblReplace.Visible());
        EXPECT_TRUE(d.cmdReplaceAll.Visible());
        EXPECT_EQ(d.cmdReplace.Top(), 150);
        EXPECT_EQ(d.cmdReplace.Caption(), L"&Replace");
        ui::test::Click(d.cmdCancel);
    });
    ExpectUnchanged({1, 2, 3, 4, 5});
    EXPECT_EQ(engine().Text(), kPages[0]);
}

TEST_F(FindDialog, FindWalksThePagesWithMatchCaseAndTheNumberAndCaptionFollow) {
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Find([this](frmFindDlg& d) {
        d.cboFind.SetText(L"cat");
        ui::test::Click(d.chkMatchCase);
        const struct {
            int page;
            int selStart;
        } presses[] = {{1, 6}, {3, 8}, {5, 0}};
        for (const auto& p : presses) {
            ui::test::Click(d.cmdFind);
            SCOPED_TRACE("page " + std::to_string(p.page));
            ExpectOnPage(p.page);
            EXPECT_EQ(engine().SelText(), L"cat");
            EXPECT_EQ(engine().SelStart(), p.selStart);
        }
        ui::test::Click(d.cmdFind);  // back at page 1: the walk ends
    });
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"Document search completed.");
    EXPECT_EQ(ui::test::LastMsgBox().style, ui::vbOKOnly);
    EXPECT_FALSE(editor().DirtyFlag);
    ExpectOnPage(1);
    ExpectUnchanged({1, 2, 3, 4, 5});
}

TEST_F(FindDialog, TextFoundNowhereIsSaidSo) {
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Find([](frmFindDlg& d) {
        d.cboFind.SetText(L"zebra");
        ui::test::Click(d.cmdFind);
    });
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"Text not found!");
    ExpectOnPage(1);
    ExpectUnchanged({1, 2, 3, 4, 5});
}

TEST_F(FindDialog, ReplaceAllKeepsWhatWasTypedAndCountsEveryReplacement) {
    TypeText(L"cat ");  // unstored, on the start page
    ASSERT_TRUE(editor().DirtyFlag);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Find([](frmFindDlg& d) {
        d.cboFind.SetText(L"cat");
        ui::test::Click(d.cmdReplace);
        d.cboReplace.SetText(L"dog");
        ui::test::Click(d.chkNoHighlight);  // replaces all the same
        ui::test::Click(d.cmdReplaceAll);
    });
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"Document search completed.\rReplaced 5 instances.");
    EXPECT_EQ(TextOf(1), L"dog alpha dog");
    EXPECT_EQ(TextOf(3), L"dog and dog");
    EXPECT_EQ(TextOf(5), L"dog epsilon");
    ExpectUnchanged({2, 4});
    EXPECT_EQ(engine().Text(), L"dog alpha dog");
    EXPECT_FALSE(editor().DirtyFlag);
    ExpectOnPage(1);
}

TEST_F(FindDialog, AChangedNewPageIsNeverWrittenOverAnotherPage) {
    GoToPage(L"0005.txm");
    GoToNextPage();  // a new page after the last one
    ASSERT_TRUE(App().IsNewPage);
    TypeText(L"cat");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Find([](frmFindDlg& d) {
        d.cboFind.SetText(L"cat");
        ui::test::Click(d.cmdFind);
    });
    const auto box = ui::test::LastMsgBox();
    EXPECT_EQ(box.title, kFindErrorTitle);
    EXPECT_EQ(box.style, ui::vbExclamation);
    EXPECT_NE(box.prompt.find(L"not been stored"), std::wstring::npos) << Utf8(box.prompt);
    EXPECT_EQ(engine().Text(), L"cat");
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_FALSE(fs::exists(folder_ / "0006.txm"));
    ExpectUnchanged({1, 2, 3, 4, 5});
}

TEST_F(FindDialog, APageThatCannotBeWrittenStopsReplaceAllNamingItAndTheCountStored) {
    // Another program holds the page open and shares it with nobody.
    const std::wstring locked = (folder_ / "0003.txm").wstring();
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Find([](frmFindDlg& d) {
        d.cboFind.SetText(L"cat");
        ui::test::Click(d.cmdReplace);
        d.cboReplace.SetText(L"dog");
        ui::test::Click(d.cmdReplaceAll);
    });
    CloseHandle(holder);
    const auto box = ui::test::LastMsgBox();
    EXPECT_EQ(box.title, kFindErrorTitle);
    EXPECT_NE(box.prompt.find(L"\"0003.txm\" could not be stored"), std::wstring::npos) << Utf8(box.prompt);
    EXPECT_NE(box.prompt.find(L"1 replacement was stored"), std::wstring::npos) << Utf8(box.prompt);
    EXPECT_EQ(TextOf(1), L"alpha dog");
    ExpectUnchanged({2, 3, 4, 5});
    EXPECT_EQ(engine().Text(), L"alpha dog");
    ExpectOnPage(1);
}

}  // namespace
