// The print preview from the toolbar, as an author meets it: its buttons over one-page and longer
// modules, the second box after the last page, zooming by button and mouse with a page that fits
// staying centred, the print zoom given back on close, and printing a range with copies onto the
// printer object's capture, landscape, with Cancel printing nothing and a failure cancelling the job.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmGoToDlg.h"
#include "app/editor/StoredPage.h"
#include "app/dialogs/frmPrintPreview.h"
#include "app/dialogs/tests/PageViewsTest.h"
#include "app/editor/frmMDIChild.h"
#include "ui/MsgBox.h"
#include "ui/Printer.h"
#include "base/Files.h"
#include "ui/testing/UiTest.h"
#include "ui/testing/WinePrinter.h"

#include <cctype>

using ui::testing::Utf8;
using ui::testing::WaitUntil;

namespace {

class Preview : public zv_test::ModuleTest {
protected:
    void Open(std::function<void(frmPrintPreview&)> author) {
        ui::test::OnNextModal<frmPrintPreview>(std::move(author));
        ui::ToolbarButton& button = frame().Toolbar1.Buttons(L"PrintPreview");
        ASSERT_TRUE(button.Enabled());
        frame().Toolbar1.OnButtonCommand(button.CommandId());
        ui::DoEvents();
        EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    }
    static void Paint(ui::Form& f) {
        RedrawWindow(f.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::DoEvents();
    }
    // Pixels of a box's window that are not its white paper.
    static long Ink(ui::PictureBox& box) {
        long ink = 0;
        for (unsigned p : ui::testing::ReadWindowPixels(box.hWnd()).px) ink += p != 0xFFFFFF;
        return ink;
    }
    static void Click(ui::PictureBox& box, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE saved = keys[VK_SHIFT];
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        const WPARAM mk = shift ? MK_SHIFT : 0;
        SendMessageW(box.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON | mk, MAKELPARAM(10, 10));
        SendMessageW(box.hWnd(), WM_LBUTTONUP, mk, MAKELPARAM(10, 10));
        keys[VK_SHIFT] = saved;
        SetKeyboardState(keys);
        ui::DoEvents();
    }
};

TEST_F(Preview, AOnePageModuleHasNothingToTurnOrPair) {
    OpenModule({L"only page"});
    Open([](frmPrintPreview& p) {
        EXPECT_EQ(p.Caption(), L"Print Preview");
        EXPECT_EQ(p.lblPage.Caption(), L"Page 1 of 1");
        EXPECT_FALSE(p.btnNext.Enabled());
        EXPECT_FALSE(p.btnPrevious.Enabled());
        EXPECT_FALSE(p.btnPages.Enabled());
        EXPECT_TRUE(p.btnZoomIn.Enabled());
        EXPECT_FALSE(p.btnZoomOut.Enabled());
        ui::test::Click(p.btnClose);
    });
}

TEST_F(Preview, TwoPagesOnTheLastPageLeaveTheSecondBoxBlankAndItsClickDoesNothing) {
    OpenModule({L"first page", L"second page", L"third page"});
    Open([](frmPrintPreview& p) {
        ui::test::Click(p.btnPages);
        EXPECT_EQ(p.btnPages.Caption(), L"One Page");
        EXPECT_TRUE(p.picPage2.Visible());
        Paint(p);
        EXPECT_GT(Ink(p.picPage2), 0) << "page 2 beside page 1";
        ui::test::Click(p.btnNext);
        ui::test::Click(p.btnNext);
        EXPECT_EQ(p.lblPage.Caption(), L"Page 3 of 3");
        EXPECT_FALSE(p.btnNext.Enabled());
        Paint(p);
        EXPECT_GT(Ink(p.picPage1), 0);
        EXPECT_EQ(Ink(p.picPage2), 0) << "nothing after the last page";
        Click(p.picPage2);
        EXPECT_EQ(p.CurrentPage, 3) << "no page past the end";
        EXPECT_EQ(p.ZoomLevel, 0);
        EXPECT_EQ(p.lblPage.Caption(), L"Page 3 of 3");
        ui::test::Click(p.btnPrevious);
        Click(p.picPage2);  // a page shown there: it becomes current, one level closer
        EXPECT_EQ(p.CurrentPage, 3);
        EXPECT_EQ(p.ZoomLevel, 1);
        EXPECT_FALSE(p.picPage2.Visible());
        ui::test::Click(p.btnClose);
    });
}

TEST_F(Preview, ZoomingByButtonAndMouseKeepsAFittingPageCentredAndTheZoomComesBack) {
    OpenModule({L"first page", L"second page"});
    editor().prtTXTextControl2->SetPrintZoom(37);
    Open([](frmPrintPreview& p) {
        Click(p.picPage1, true);  // Shift-click at the fit level changes nothing
        EXPECT_EQ(p.ZoomLevel, 0);
        EXPECT_FALSE(p.scrollH.Visible());
        // A window wide and high enough for the page at 100 %.
        p.Move(0, 0, 20000, 14000);
        ui::DoEvents();
        Click(p.picPage1);
        Click(p.picPage1);
        EXPECT_EQ(p.ZoomLevel, 2);
        EXPECT_FALSE(p.btnZoomIn.Enabled());
        EXPECT_FALSE(p.btnPages.Enabled());
        EXPECT_EQ(p.picPage1.Width(), p.PageWidthTwips);
        EXPECT_TRUE(p.scrollH.Visible());
        EXPECT_GE(p.scrollH.Max(), 0);
        EXPECT_GE(p.scrollV.Max(), 0);
        ASSERT_GE(p.picMain.Width() - p.picPage1.Width(), 200) << "the window is wide enough for the page";
        EXPECT_FALSE(p.scrollH.Enabled());
        EXPECT_EQ(p.scrollH.Max(), 0);
        EXPECT_EQ(p.picPage1.Left(), (p.picMain.Width() - p.picPage1.Width()) / 2) << "the page stays centred";
        Click(p.picPage1);  // a plain click at 100 % does nothing
        EXPECT_EQ(p.ZoomLevel, 2);
        // In a small window the page scrolls, inside the bar's range.
        p.Move(0, 0, 9000, 7000);
        ui::DoEvents();
        EXPECT_TRUE(p.scrollH.Enabled());
        EXPECT_GT(p.scrollH.Max(), 0);
        p.scrollH.SetValue(p.scrollH.Max());
        EXPECT_EQ(p.picPage1.Left(), 100 - p.scrollH.Max());
        ui::test::Click(p.btnZoomOut);
        ui::test::Click(p.btnZoomOut);
        EXPECT_EQ(p.ZoomLevel, 0);
        EXPECT_FALSE(p.scrollH.Visible());
        Paint(p);
        ui::test::Click(p.btnClose);
    });
    EXPECT_EQ(editor().prtTXTextControl2->PrintZoom(), 37);
}

TEST_F(Preview, TwoCopiesOfPagesTwoToThreePrintInOrderLandscape) {
    OpenModule({L"one", L"two", L"three three three three three three three three three", L"four"});
    ui::PrinterCapture capture;
    ui::Printer().SetCapture(&capture);
    Open([](frmPrintPreview& p) {
        ui::test::OnNextCommonDialog([](ui::CommonDialog& d) {
            EXPECT_EQ(d.Flags, 0x100004);
            EXPECT_EQ(d.Min, 1);
            EXPECT_EQ(d.Max, 4);
            EXPECT_EQ(d.FromPage, 1);
            EXPECT_EQ(d.ToPage, 4);
            EXPECT_EQ(d.Copies, 1);
            d.Flags |= ui::cdlPDPageNums;
            d.FromPage = 2;
            d.ToPage = 3;
            d.Copies = 2;
            return true;
        });
        ui::test::Click(p.btnPrint);
        // Cancel prints nothing.
        ui::test::CancelNextDialog();
        ui::test::Click(p.btnPrint);
        ui::test::Click(p.btnClose);
    });
    ui::Printer().SetCapture(nullptr);
    ASSERT_EQ(capture.PageCount(), 4u);
    EXPECT_EQ(capture.DocumentCount(), 1);
    std::vector<long> ink;
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(capture.PageOrientation(i), ui::vbPRORLandscape) << "sheet " << i;
        const auto pixels = capture.Render(i, 612, 396);
        ink.push_back(std::count_if(pixels.begin(), pixels.end(), [](unsigned p) { return (p & 0xFFFFFF) != 0xFFFFFF; }));
    }
    // 2, 3, 2, 3: the long third page has far more ink than the second.
    EXPECT_GT(ink[0], 0);
    EXPECT_EQ(ink[0], ink[2]);
    EXPECT_EQ(ink[1], ink[3]);
    EXPECT_GT(ink[1], 3 * ink[0]);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(Preview, TwoCopiesOfPagesTwoToThreeOnAPostScriptPrinter) {
    if (!ui::testing::UnderWine()) GTEST_SKIP() << "Wine's PostScript driver prints the file";
    OpenModule({L"page one", L"page two", L"page three", L"page four"});
    const std::filesystem::path printed = root_ / "preview.ps";
    ui::testing::WinePostScriptPrinter printer(printed.wstring());
    ASSERT_TRUE(printer.ok) << "no PostScript printer could be set up";
    Open([](frmPrintPreview& p) {
        ui::test::OnNextCommonDialog([](ui::CommonDialog& d) {
            d.Flags |= ui::cdlPDPageNums;
            d.FromPage = 2;
            d.ToPage = 3;
            d.Copies = 2;
            return true;
        });
        ui::test::Click(p.btnPrint);
        ui::test::Click(p.btnClose);
    });
    ASSERT_TRUE(WaitUntil([&] {
        return zv::FileExists(printed.wstring()) && zv::ReadFileBytes(printed.wstring()).find("%%EOF") != std::string::npos;
    }, 60)) << "nothing was printed";
    const std::string ps = zv::ReadFileBytes(printed.wstring());
    size_t pages = 0;
    for (size_t at = ps.find("%%Page:"); at != std::string::npos; at = ps.find("%%Page:", at + 1)) ++pages;
    EXPECT_EQ(pages, 4u);
    EXPECT_NE(ps.find("Landscape"), std::string::npos) << "the sheets go out landscape";
    // On a landscape sheet Ghostscript reads the line turned: one character a line, last first.
    std::string read;
    for (char c : ui::testing::PostScriptText(printed.wstring()))
        if (std::isalpha(static_cast<unsigned char>(c))) read += c;
    size_t at = 0;
    for (const char* expected : {"owtegap", "eerhtegap", "owtegap", "eerhtegap"}) {
        at = read.find(expected, at);
        ASSERT_NE(at, std::string::npos) << expected << " is not where it belongs in: " << read;
        ++at;
    }
    EXPECT_EQ(read.find("enoegap"), std::string::npos);
    EXPECT_EQ(read.find("ruofegap"), std::string::npos);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(Preview, APrintingFailureIsToldOnceAndTheJobCancelled) {
    OpenModule({L"one", L"two", L"three"});
    std::filesystem::remove(folder_ / "0003.txm");  // gone since the preview opened
    ui::PrinterCapture capture;
    ui::Printer().SetCapture(&capture);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Open([](frmPrintPreview& p) {
        ui::test::OnNextCommonDialog([](ui::CommonDialog&) { return true; });
        ui::test::Click(p.btnPrint);
        ui::test::Click(p.btnClose);
    });
    ui::Printer().SetCapture(nullptr);
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"cancelled"), std::wstring::npos) << Utf8(ui::test::LastMsgBox().prompt);
    EXPECT_EQ(capture.DocumentCount(), 0) << "no document was finished";
}

TEST_F(Preview, AModuleWithoutStoredPagesIsToldSo) {
    OpenModule({});
    ui::test::AnswerNextMsgBox(ui::vbOK);
    frame().Toolbar1.OnButtonCommand(frame().Toolbar1.Buttons(L"PrintPreview").CommandId());
    ui::DoEvents();
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kNoStoredPageMessage);
}

}  // namespace
