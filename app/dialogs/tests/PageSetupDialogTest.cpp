// The page setup dialog as an author uses it on an editor's page: what the boxes show, which
// entries allow OK, what OK and Cancel do to the page, the editor's changed state, the stored page
// file and every later load and render of it.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/ModuleFiles.h"
#include "app/core/PageControl.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/core/tests/FrameTest.h"
#include "app/dialogs/tests/PagePixels.h"
#include "app/dialogs/frmPageDlg.h"
#include "app/editor/OnePage.h"
#include "app/editor/StoredPage.h"
#include "app/editor/frmMDIChild.h"
#include "base/Files.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class PageSetupDialog : public zv_test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        folder_ = root_ / L"000077";
        InitPageList();
        frmMDIChild& e = frame().NewEditorWindow();
        e.Show();
        App().ModulePath = folder_.wstring();
        App().ModuleCode = L"000077";
        App().ModuleName = L"Page setup";
        CreateModule(folder_.wstring(), L"000077");
    }

    // Page setup of the editor's page with the author's part in between.
    static void PageSetup(std::function<void(frmPageDlg&)> author) {
        ui::test::OnNextModal<frmPageDlg>(std::move(author));
        ShowPageSetup(editor().TXTextControl1);
        ui::DoEvents();
    }

    // Types into a box and leaves it with Tab, as the keyboard does.
    static void TypeAndLeave(ui::TextBox& box, const std::wstring& text) {
        box.SetFocus();
        ui::test::Type(box, text);
        ui::test::PressKey(VK_TAB);
        ui::DoEvents();
    }

    static tx::PageSetup Page() { return engine().Doc().page; }

    fs::path folder_;
};

constexpr tx::PageSetup kEditorPage{15228, 9618, 1440, 1440, 1440, 1440};

TEST_F(PageSetupDialog, OpensOnTheEditorsPageAsLetterInInches) {
    PageSetup([](frmPageDlg& d) {
        EXPECT_EQ(d.Caption(), L"Page Setup");
        EXPECT_EQ(d.cboPaperSize.Text(), L"Letter");
        ASSERT_EQ(d.cboPaperSize.ListCount(), 6);
        EXPECT_EQ(d.cboPaperSize.List(0), L"A4");
        EXPECT_EQ(d.cboPaperSize.List(5), L"User Defined");
        EXPECT_EQ(d.txtPaperWidth.Text(), L"10.58");
        EXPECT_EQ(d.txtPaperHeight.Text(), L"6.68");
        EXPECT_EQ(d.txtLeftMargin.Text(), L"1.00");
        EXPECT_EQ(d.lblMeasurement[5].Caption(), L"inch");
        EXPECT_TRUE(d.btnOK.Enabled());
        ui::test::Click(d.btnCancel);
    });
}

TEST_F(PageSetupDialog, CancelAndAPlainOkLeaveThePageAndItsState) {
    TypeText(L"Some text");
    // A page a few twips off a preset: the list names the preset, the page keeps its own size.
    engine().SetPageWidth(15231);
    engine().SetPageMarginT(1000);
    // The editor counts a page change as a change of its page (the control reports it); what is
    // asked here is whether the dialog itself changes anything.
    editor().DirtyFlag = false;
    const tx::PageSetup odd = Page();
    PageSetup([](frmPageDlg& d) {
        EXPECT_EQ(d.cboPaperSize.Text(), L"Letter");
        ui::test::Type(d.txtLeftMargin, L"2");
        ui::test::Click(d.btnCancel);
    });
    EXPECT_EQ(Page(), odd);
    EXPECT_FALSE(editor().DirtyFlag);
    PageSetup([](frmPageDlg& d) { ui::test::Click(d.btnOK); });
    EXPECT_EQ(Page(), odd) << "a plain OK moved lengths nobody touched";
    EXPECT_FALSE(editor().DirtyFlag);
    // In centimetres too: "26.86" cm is not 15231 twips, yet the untouched box gives it back.
    App().MeasureUnit = 2;
    PageSetup([](frmPageDlg& d) {
        EXPECT_EQ(d.txtPaperWidth.Text(), L"26.86");
        EXPECT_EQ(d.lblMeasurement[0].Caption(), L"cm");
        ui::test::Click(d.btnOK);
    });
    EXPECT_EQ(Page(), odd);
    EXPECT_FALSE(editor().DirtyFlag);
}

struct EntryCase {
    const char* what;
    ui::TextBox frmPageDlg::*box;
    const wchar_t* text;
    bool okEnabled;
};

TEST_F(PageSetupDialog, EntriesOutOfRangeOrNoLengthDisableOk) {
    const EntryCase cases[] = {
        {"a margin of 0", &frmPageDlg::txtLeftMargin, L"0", false},
        {"an empty margin", &frmPageDlg::txtBottomMargin, L"", false},
        {"a margin that is no number", &frmPageDlg::txtTopMargin, L"abc", false},
        {"a margin equal to the width", &frmPageDlg::txtRightMargin, L"10.575", true},
        {"a width of 16383 twips", &frmPageDlg::txtPaperWidth, L"11.377083", true},
        {"a width of 16384 twips", &frmPageDlg::txtPaperWidth, L"11.377778", false},
        {"a height of 32767 twips", &frmPageDlg::txtPaperHeight, L"22.754861", true},
        {"a height of 32768 twips", &frmPageDlg::txtPaperHeight, L"22.755556", false},
        {"a height of 40000 twips", &frmPageDlg::txtPaperHeight, L"27.777778", false},
        {"a width with a comma", &frmPageDlg::txtPaperWidth, L"10,58", false},
    };
    for (const auto& c : cases) {
        PageSetup([&c](frmPageDlg& d) {
            ui::test::Type(d.*c.box, c.text);
            EXPECT_EQ(d.btnOK.Enabled(), c.okEnabled) << c.what;
            ui::test::Click(d.btnCancel);
        });
    }
    EXPECT_EQ(Page(), kEditorPage);
}

TEST_F(PageSetupDialog, ASizeNineTwipsOffAPresetBecomesThePresetTenTwipsOffIsUserDefined) {
    // 11915 twips = 8.274306 inch, 11916 = 8.275 inch; A4 is 11906 x 16837.
    PageSetup([](frmPageDlg& d) {
        ui::test::Click(d.txtPaperHeight);
        TypeAndLeave(d.txtPaperHeight, L"11.692361");  // 16837
        TypeAndLeave(d.txtPaperWidth, L"8.274306");    // 11915
        EXPECT_EQ(d.cboPaperSize.Text(), L"A4");
        EXPECT_EQ(d.txtPaperWidth.Text(), L"8.27");
        ui::test::Click(d.btnOK);
    });
    EXPECT_EQ(Page().width, 11906);
    EXPECT_EQ(Page().height, 16837);
    PageSetup([](frmPageDlg& d) {
        EXPECT_EQ(d.cboPaperSize.Text(), L"A4");
        TypeAndLeave(d.txtPaperWidth, L"8.275");  // 11916
        EXPECT_EQ(d.cboPaperSize.Text(), L"User Defined");
        EXPECT_EQ(d.txtPaperWidth.Text(), L"8.275");
        ui::test::Click(d.btnOK);
    });
    EXPECT_EQ(Page().width, 11916);
    EXPECT_EQ(Page().height, 16837);
}

TEST_F(PageSetupDialog, A4IsLaidOutStoredLoadedAndRenderedWithItsMargins) {
    TypeText(L"The quick brown fox jumps over the lazy dog and keeps running along the river bank "
             L"until the evening light fades behind the hills far away from the town.");
    const size_t linesBefore = engine().GetLayout().Lines().size();
    editor().DirtyFlag = false;
    PageSetup([](frmPageDlg& d) {
        d.cboPaperSize.SetListIndex(0);
        EXPECT_EQ(d.txtPaperWidth.Text(), L"8.27");
        EXPECT_EQ(d.txtPaperHeight.Text(), L"11.69");
        ui::test::Type(d.txtLeftMargin, L"2");
        ui::test::Click(d.btnOK);
    });
    EXPECT_EQ(Page(), (tx::PageSetup{11906, 16837, 2880, 1440, 1440, 1440}));
    EXPECT_GT(engine().GetLayout().Lines().size(), linesBefore) << "the narrower page kept its line breaks";
    EXPECT_TRUE(editor().DirtyFlag);

    // Leaving the page asks to store it.
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) { ui::test::Click(d.btnSave); });
    GoToNextPage();
    ui::DoEvents();
    EXPECT_EQ(ui::test::PendingModalActions(), 0u) << "leaving the page did not ask to store it";
    const fs::path page = folder_ / L"0001.txm";
    ASSERT_TRUE(fs::exists(page));
    const PageFileHeader header = ReadPageHeader(zv::ReadFileBytes(page.wstring()));
    EXPECT_EQ(header.PageWidth, 11906);
    EXPECT_EQ(header.PageHeight, 16837);
    EXPECT_EQ(header.MarginL, 2880);
    EXPECT_EQ(header.MarginT, 1440);

    // Back on the page, the editor has A4 again.
    GoToPreviousPage();
    ui::DoEvents();
    EXPECT_EQ(Page(), (tx::PageSetup{11906, 16837, 2880, 1440, 1440, 1440}));

    // The stored page rendered as print, preview and thumbnails render it: its ink starts at the
    // left margin (2 inch), not at the editor's default one.
    tx::TXTextControl& printControl = editor().prtTXTextControl2;
    LoadPageIntoControl(L"0001.txm", printControl, true);
    const PagePixels pixels = PrintFirstPage(printControl);
    ASSERT_EQ(pixels.width, pixels.Px(11906));
    const int firstInk = pixels.FirstInkColumn();
    const int dpi = pixels.dpi;
    const int margin = MulDiv(2880, dpi, 1440);
    EXPECT_GE(firstInk, margin);
    EXPECT_LE(firstInk, margin + dpi / 16) << "first ink at " << firstInk << " px, margin at " << margin;
}

// The stored page as the print preview, the go-to view and the page chooser draw it, through the
// stored-page helper onto a bitmap, whole and as a half-size thumbnail: its ink starts at the left
// margin it was stored with, not at the one the print control held before.
TEST_F(PageSetupDialog, TheStoredA4PageDrawnForTheViewsStartsAtItsOwnLeftMargin) {
    TypeText(L"Ink begins at the left margin.");
    PageSetup([](frmPageDlg& d) {
        d.cboPaperSize.SetListIndex(0);
        ui::test::Type(d.txtLeftMargin, L"2");
        ui::test::Click(d.btnOK);
    });
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) { ui::test::Click(d.btnSave); });
    ASSERT_TRUE(SaveCurrentPage());
    ASSERT_EQ(ui::test::PendingModalActions(), 0u);
    ASSERT_EQ(ReadPageHeader(zv::ReadFileBytes((folder_ / L"0001.txm").wstring())).MarginL, 2880);

    for (const int percent : {100, 50}) {
        SCOPED_TRACE(percent);
        // What the print control held: the editor's own page.
        tx::TextEngine& print = editor().prtTXTextControl2.Engine();
        print.SetPageWidth(kEditorPage.width);
        print.SetPageMarginL(kEditorPage.marginLeft);
        // A box of the page's size at this zoom (rounded up, so that the fit is the zoom itself).
        const long boxWidth = (11906L * percent + 99) / 100, boxHeight = (16837L * percent + 99) / 100;
        bool drawn = false;
        const PagePixels pixels = DrawOnWhite(boxWidth, boxHeight, [&](HDC dc) {
            drawn = DrawStoredPage(editor(), L"0001.txm", dc, boxWidth, boxHeight);
        });
        EXPECT_TRUE(drawn);
        const int firstInk = pixels.FirstInkColumn();
        const int margin = pixels.Px(2880 * percent / 100);
        EXPECT_GE(firstInk, margin);
        EXPECT_LE(firstInk, margin + pixels.dpi / 16) << "first ink at " << firstInk << " px, margin at " << margin;
    }
}

TEST_F(PageSetupDialog, APageThatPushesTextPastTheFirstPageIsReportedAndNothingIsCut) {
    for (int i = 0; i < 8; ++i) TypeText(L"Line of text\r");
    const std::wstring text = engine().Text();
    ASSERT_EQ(engine().PageCount(), 1);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    PageSetup([](frmPageDlg& d) {
        ui::test::Type(d.txtTopMargin, L"6");
        ui::test::Click(d.btnOK);
    });
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kPastOnePageMessage);
    EXPECT_GT(engine().PageCount(), 1);
    EXPECT_EQ(engine().Text(), text);
    EXPECT_EQ(Page().marginTop, 8640);
}

}  // namespace
