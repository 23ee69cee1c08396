// Common dialogs and their hooks, the printer with a capture target, the clipboard, the screen,
// and that creating and unloading a busy form leaves no handle behind.

#include <windows.h>

#include <winspool.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "base/Files.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/ControlArray.h"
#include "ui/Frame.h"
#include "ui/Image.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/ListBox.h"
#include "ui/MdiForm.h"
#include "ui/Menu.h"
#include "ui/OptionButton.h"
#include "ui/PictureBox.h"
#include "ui/Printer.h"
#include "ui/ScrollBar.h"
#include "ui/Shape.h"
#include "ui/StatusBar.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/Timer.h"
#include "ui/Toolbar.h"
#include "ui/testing/UiTest.h"
#include "ui/testing/WinePrinter.h"

namespace ui::testing {
namespace {

TEST_F(UiTest, FilterTextBecomesTheDialogFormAndAnOddOneIsRefused) {
    EXPECT_EQ(CommonDialog::NativeFilter(L"Zorvik 2.0 (*.zvk)|*.zvk"), std::wstring(L"Zorvik 2.0 (*.zvk)\0*.zvk\0\0", 26));
    EXPECT_EQ(CommonDialog::NativeFilter(L"a|*.a|b|*.b"), std::wstring(L"a\0*.a\0b\0*.b\0\0", 13));
    EXPECT_THROW(CommonDialog::NativeFilter(L"a|*.a|b"), zv::Error);
}

TEST_F(UiTest, OpenDialogTakesTheQueuedFileAndRecordsHowItWasAsked) {
    CommonDialog cd;
    cd.DialogTitle = L"Select Module in which the Assesment will be included.";
    cd.Filter = L"Zorvik 2.0 (*.zvk)|*.zvk";
    cd.Flags = 0x1804;
    cd.CancelError = true;
    test::ChooseFileInNextDialog(L"C:\\modules\\000042\\000042.zvk");
    cd.ShowOpen();
    EXPECT_EQ(cd.FileName, L"C:\\modules\\000042\\000042.zvk");
    EXPECT_EQ(cd.FileTitle, L"000042.zvk");
    ASSERT_EQ(test::CommonDialogs().size(), 1u);
    EXPECT_EQ(test::CommonDialogs()[0].kind, L"Open");
    EXPECT_EQ(test::CommonDialogs()[0].title, cd.DialogTitle);
    EXPECT_EQ(test::CommonDialogs()[0].flags, 0x1804);
}

TEST_F(UiTest, CancelRaisesOnlyWithCancelErrorAndACommandSwallowsIt) {
    CommonDialog cd;
    cd.FileName = L"keep.txt";
    test::CancelNextDialog();
    cd.ShowSave();  // without CancelError: a quiet return, nothing chosen
    EXPECT_EQ(cd.FileName, L"keep.txt");
    cd.CancelError = true;
    test::CancelNextDialog();
    EXPECT_THROW(cd.ShowSave(), zv::CancelError);

    // Inside a command (a button's event), the cancel ends the command without a message.
    class F : public Form {
    public:
        CommandButton Command1{this, L"Command1"};
        CommonDialog CommonDialog1{this};
        bool after = false;
        F() {
            Command1.Click = [this] {
                CommonDialog1.CancelError = true;
                CommonDialog1.ShowColor();
                after = true;
            };
        }
    } f;
    f.Show();
    test::CancelNextDialog();
    test::Click(f.Command1);
    EXPECT_FALSE(f.after);
    EXPECT_TRUE(test::MsgBoxes().empty());
}

TEST_F(UiTest, ColourAndPrinterDialogsAreAnsweredByActions) {
    CommonDialog cd;
    cd.Flags = 1;
    cd.Color = 0x123456;
    test::OnNextCommonDialog([](CommonDialog& d) {
        EXPECT_EQ(d.Color, 0x123456u) << "the dialog starts from the given colour";
        d.Color = 0xFF;
        return true;
    });
    cd.ShowColor();
    EXPECT_EQ(cd.Color, 0xFFu);

    cd.Copies = 1;
    cd.FromPage = 1;
    cd.ToPage = 3;
    cd.Min = 1;
    cd.Max = 3;
    cd.Flags = 0x100004;
    cd.CancelError = true;
    test::OnNextCommonDialog([](CommonDialog& d) {
        d.Copies = 2;
        d.Flags |= cdlPDPageNums;
        d.FromPage = 2;
        return true;
    });
    cd.ShowPrinter();
    EXPECT_EQ(cd.Copies, 2);
    EXPECT_TRUE(cd.Flags & cdlPDPageNums);
    EXPECT_EQ(cd.FromPage, 2);
    test::OnNextCommonDialog([](CommonDialog&) { return false; });
    EXPECT_THROW(cd.ShowPrinter(), zv::CancelError);
}

TEST_F(UiTest, FontDialogActionSetsTheFontProperties) {
    CommonDialog cd;
    cd.Flags = cdlCFScreenFonts;
    cd.FontName = L"Arial";
    cd.FontSize = 10;
    test::OnNextCommonDialog([](CommonDialog& d) {
        EXPECT_EQ(d.FontName, L"Arial");
        d.FontName = L"Times New Roman";
        d.FontSize = 14;
        d.FontBold = true;
        return true;
    });
    cd.ShowFont();
    EXPECT_EQ(cd.FontName, L"Times New Roman");
    EXPECT_EQ(cd.FontSize, 14);
    EXPECT_TRUE(cd.FontBold);
    EXPECT_EQ(test::CommonDialogs().back().kind, L"Font");
}

TEST_F(UiTest, CommonDialogWithoutAnswerFailsClearly) {
    CommonDialog cd;
    cd.DialogTitle = L"Open Module";
    EXPECT_THROW(cd.ShowOpen(), HookFailure);
    auto failures = TakeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"Open Module"), std::wstring::npos);
    test::ChooseFileInNextDialog(L"x.bmp");
    EXPECT_THROW(cd.ShowColor(), HookFailure) << "a file answer does not fit a colour dialog";
    TakeFailures();
}

TEST_F(UiTest, PrinterCaptureRecordsEachPageInOrderWithItsOrientation) {
    PrinterCapture capture;
    Printer().SetCapture(&capture);
    struct Restore {
        ~Restore() { Printer().SetCapture(nullptr); }
    } restore;
    // Two copies of pages 2..3, each page on a sheet of its own: 2, 3, 2, 3.
    bool first = true;
    for (int copy = 1; copy <= 2; ++copy) {
        for (int page = 2; page <= 3; ++page) {
            if (!first) Printer().NewPage();
            first = false;
            Printer().SetOrientation(vbPRORLandscape);
            Printer().Print(L"");
            HDC dc = Printer().hDC();
            ASSERT_NE(dc, nullptr);
            // Page 2 draws a black box at the left, page 3 at the right.
            RECT r = page == 2 ? RECT{10, 10, 60, 60} : RECT{900, 10, 950, 60};
            FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
    }
    Printer().SetCopies(3);
    Printer().EndDoc();
    ASSERT_EQ(capture.PageCount(), 4u);
    EXPECT_EQ(capture.PageCopies(0), 1);
    EXPECT_EQ(capture.PageCopies(3), 3) << "the setting at the end of a page goes with it";
    Printer().SetCopies(1);
    EXPECT_EQ(capture.DocumentCount(), 1);
    std::vector<int> order;
    for (size_t i = 0; i < capture.PageCount(); ++i) {
        EXPECT_EQ(capture.PageOrientation(i), vbPRORLandscape);
        ENHMETAHEADER h{};
        GetEnhMetaFileHeader(capture.Page(i), sizeof h, &h);
        EXPECT_GT(h.rclFrame.right, h.rclFrame.bottom) << "landscape pages are wider than high";
        auto px = capture.Render(i, 500, 300);
        bool left = false, right = false;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 500; ++x)
                if (px[static_cast<size_t>(y) * 500 + static_cast<size_t>(x)] == 0) (x < 250 ? left : right) = true;
        order.push_back(left && !right ? 2 : right && !left ? 3 : 0);
    }
    EXPECT_EQ(order, (std::vector<int>{2, 3, 2, 3}));
    EXPECT_EQ(Printer().ScaleWidth(), 15840) << "landscape swaps the page sides";
}

TEST_F(UiTest, RealPrinterPrintsPagesThroughTheDefaultPrinter) {
    ui::testing::WinePostScriptPrinter printer;
    if (!printer.ok) GTEST_SKIP() << "no PostScript printer could be set up here";
    struct Restore {
        ~Restore() {
            Printer().KillDoc();
            Printer().SetOutputFile(L"");
            Printer().SetOrientation(vbPRORPortrait);
            Printer().SetCapture(nullptr);  // drops the printer's DC
        }
    } restore;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring out = std::wstring(temp) + L"zv_ui_printer_test.ps";
    DeleteFileW(out.c_str());
    Printer().SetCapture(nullptr);
    EXPECT_EQ(Printer().DeviceName(), ui::testing::WinePostScriptPrinter::kName);
    Printer().SetOutputFile(out);
    Printer().SetOrientation(vbPRORLandscape);
    Printer().Print(L"Page one");
    EXPECT_GT(Printer().ScaleWidth(), Printer().ScaleHeight()) << "landscape";
    Printer().NewPage();
    Printer().Print(L"Page two");
    Printer().EndDoc();
    std::string ps = zv::ReadFileBytes(out);
    size_t pages = 0;
    for (size_t at = ps.find("%%Page:"); at != std::string::npos; at = ps.find("%%Page:", at + 1)) ++pages;
    EXPECT_EQ(ps.substr(0, 4), "%!PS");
    EXPECT_EQ(pages, 2u);
    EXPECT_NE(ps.find("Landscape"), std::string::npos);
    DeleteFileW(out.c_str());
}

TEST_F(UiTest, RealPrinterAbsentIsAnErrorNotACrash) {
    Printer().SetCapture(nullptr);
    if (!Printer().DeviceName().empty()) GTEST_SKIP() << "a printer is installed here";
    EXPECT_THROW(Printer().hDC(), zv::Error);
    Printer().KillDoc();
}

TEST_F(UiTest, ClipboardCarriesTextAndScreenKnowsTheHourglass) {
    Clipboard().SetText(L"Zorvik \u00e9t\u00e9");
    EXPECT_TRUE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().GetText(), L"Zorvik \u00e9t\u00e9");
    Clipboard().Clear();
    EXPECT_FALSE(Clipboard().HasText());
    Screen().SetMousePointer(vbHourglass);
    EXPECT_EQ(Screen().MousePointer(), vbHourglass);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    Screen().SetMousePointer(vbDefault);
    EXPECT_FALSE(App().Path().empty());
    EXPECT_EQ(App().Path().back() == L'\\', false);
}

// Every kind of control, a menu and a runtime array: what a busy form holds.
class frmBusy : public Form {
public:
    MenuItem mnuFile{this, L"mnuFile", L"&File"};
    MenuItem mnuFile_Open{mnuFile, L"mnuFile_Open", L"&Open"};
    MenuArray mnuRecent{mnuFile, L"mnuRecent"};
    MenuItem pmnu{this, L"pmnu", L"Popup"};
    MenuItem pmnu_A{pmnu, L"pmnu_A", L"A"};
    Toolbar Toolbar1{this, L"Toolbar1"};
    StatusBar StatusBar1{this, L"StatusBar1"};
    Label Label1{this, L"Label1"};
    TextBox Text1{this, L"Text1"};
    CommandButton Command1{this, L"Command1"};
    CheckBox Check1{this, L"Check1"};
    Frame Frame1{this, L"Frame1"};
    ControlArray<OptionButton> Option1{this, L"Option1"};
    ComboBox Combo1{this, L"Combo1"};
    ListBox List1{this, L"List1"};
    PictureBox Picture1{this, L"Picture1"};
    HScrollBar HScroll1{this, L"HScroll1"};
    VScrollBar VScroll1{this, L"VScroll1"};
    Timer Timer1{this, L"Timer1"};
    Line Line1{this, L"Line1"};
    Shape Shape1{this, L"Shape1"};
    Image Image1{this, L"Image1"};
    TabStrip TabStrip1{this, L"TabStrip1"};
    ImageList ImageList1{16, 16};

    frmBusy() {
        mnuRecent.Load(1).SetCaption(L"Recent");
        pmnu.SetVisible(false);
        Label1.SetFont({L"Arial", 10, true});
        Text1.SetBackColor(0xC0FFFF);
        Option1.Load(0).SetContainer(&Frame1);
        Timer1.SetInterval(1000);
        Toolbar1.SetImageList(&ImageList1);
        Toolbar1.AddButton(L"New", L"New");
        StatusBar1.AddPanel(L"Page 1");
        TabStrip1.AddTab(L"One");
        Shape1.SetFillStyle(0);
    }
    void Form_Load() override {
        for (int i = 1; i < 4; ++i) Option1.Load(i);
        mnuRecent.Load(2);
        Combo1.AddItem(L"x");
    }
};

TEST_F(UiTest, ABusyFormLeavesNoHandleBehindWhenUnloaded) {
    auto countWindows = [] {
        long n = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND h, LPARAM lp) -> BOOL {
                auto* count = reinterpret_cast<long*>(lp);
                ++*count;
                EnumChildWindows(h, [](HWND, LPARAM p) -> BOOL { ++*reinterpret_cast<long*>(p); return TRUE; }, lp);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&n));
        return n;
    };
    DoEvents();
    const LiveHandleCounts before = LiveHandles();
    const long windowsBefore = countWindows();
    const long failedBefore = detail::FailedReleases();
    {
        frmBusy f;
        for (int round = 0; round < 3; ++round) {
            f.Show();
            f.Picture1.Refresh();
            f.Label1.SetFont({L"Arial", 12});
            f.Text1.SetBackColor(0xFFFFFF);
            test::ChooseInNextPopup(L"pmnu_A");
            f.PopupMenu(f.pmnu);
            DoEvents();
            LiveHandleCounts during = LiveHandles();
            EXPECT_GT(during.windows, before.windows);
            EXPECT_GT(during.menus, before.menus);
            EXPECT_GT(during.gdi, before.gdi);
            f.Unload();
            DoEvents();
            LiveHandleCounts after = LiveHandles();
            after.imageLists = before.imageLists;  // the image list lives with the form object
            EXPECT_EQ(after, before) << "round " << round;
            EXPECT_EQ(countWindows(), windowsBefore) << "round " << round;
        }
    }
    EXPECT_EQ(LiveHandles(), before);
    EXPECT_EQ(detail::FailedReleases(), failedBefore) << "no handle was released twice or was not ours";
}

}  // namespace
}  // namespace ui::testing
