// The go-to view over a module's stored pages, as an author meets it: captions, the selection's
// colours, each way out and the print zoom it leaves, the last row of a long module reached and
// opened, a changed page asked about; and the stored-page drawing the view's boxes use.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/PageControl.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/dialogs/frmGoToDlg.h"
#include "app/dialogs/tests/PageViewsTest.h"
#include "app/editor/StoredPage.h"
#include "app/editor/frmMDIChild.h"
#include "ui/MsgBox.h"
#include "ui/Twips.h"
#include "ui/testing/UiTest.h"

using ui::testing::Utf8;

namespace {

class GoToView : public zv_test::ModuleTest {
protected:
    static void GoTo(std::function<void(frmGoToDlg&)> author) {
        ui::test::OnNextModal<frmGoToDlg>(std::move(author));
        ShowGoToDialog();
        ui::DoEvents();
        EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    }
    static int PrintZoom() { return editor().prtTXTextControl2->PrintZoom(); }
    static void DoubleClick(ui::Control& box) {
        HWND h = box.hWnd();
        ASSERT_TRUE(IsWindowVisible(h));
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ui::DoEvents();
    }
};

// A bitmap of a box's size in pixels: whether any pixel is not white.
struct Box {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    int width, height;
    Box(int w, int h) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, w, h, WHITENESS);
    }
    ~Box() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    long InkPixels() const {
        GdiFlush();
        long ink = 0;
        const auto* p = static_cast<const unsigned*>(bits);
        for (int i = 0; i < width * height; ++i) ink += (p[i] & 0xFFFFFF) != 0xFFFFFF;
        return ink;
    }
};

TEST_F(GoToView, CaptionsOfThreeLinesAndFourForATopicAndOkWithoutAClickOpensPageOne) {
    OpenModule({L"one", L"two", L"three"}, {L"Page", L"Topic", L"Test"});
    GoToPage(L"0003.txm");
    GoTo([](frmGoToDlg& d) {
        EXPECT_EQ(d.Caption(), L"Go To");
        EXPECT_EQ(d.Label1.Caption(), L"Select a page:");
        ASSERT_EQ(d.PageCount, 3);
        EXPECT_EQ(d.VScroll1.Max(), 2);
        EXPECT_EQ(d.Label5[d.BoxOfIndex(0)].Caption(), L"Page 1\r\nPage Type: Page\r\nFile Name: 0001.txm");
        EXPECT_EQ(d.Label5[d.BoxOfIndex(1)].Caption(),
                  L"Page 2\r\nPage Type: Topic\r\nTopic Name: Topic 2\r\nFile Name: 0002.txm");
        EXPECT_EQ(d.Picture3[0].BackColor(), kThumbnailColor) << "the first starts selected, not highlighted";
        ui::test::Click(d.Command1);
    });
    EXPECT_EQ(engine().Text(), L"one");
    EXPECT_EQ(App().CurrentPageNo, 1);
    EXPECT_EQ(Utf8(editor().Caption()), "MODULE: 000077    PAGENAME: 0001.TXM");
    EXPECT_EQ(PrintZoom(), 100);
}

TEST_F(GoToView, ASecondClickMovesTheHighlightAndEveryWayOutLeavesTheZoomAtOneHundred) {
    OpenModule({L"one", L"two", L"three", L"four"});
    // Cancel, Esc and the close box: the page stays and the thumbnails' zoom goes.
    const std::function<void(frmGoToDlg&)> exits[] = {
        [](frmGoToDlg& d) { ui::test::Click(d.Command2); },
        [](frmGoToDlg& d) {
            d.Command1.SetFocus();
            ui::test::PressKey(VK_ESCAPE);
        },
        [](frmGoToDlg& d) { SendMessageW(d.hWnd(), WM_CLOSE, 0, 0); },
    };
    for (const auto& exit : exits) {
        GoTo([&exit](frmGoToDlg& d) {
            RedrawWindow(d.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            ui::DoEvents();
            EXPECT_NE(PrintZoom(), 100) << "the thumbnails were drawn at their own zoom";
            ui::test::Click(d.Picture3[1]);
            EXPECT_EQ(d.Picture3[1].BackColor(), kSelectedThumbnailColor);
            EXPECT_EQ(d.Picture3[0].BackColor(), kThumbnailColor);
            ui::test::Click(d.Picture3[0]);
            EXPECT_EQ(d.Picture3[0].BackColor(), kSelectedThumbnailColor);
            EXPECT_EQ(d.Picture3[1].BackColor(), kThumbnailColor);
            EXPECT_EQ(d.SelectedIndex, 0);
            exit(d);
        });
        EXPECT_EQ(PrintZoom(), 100);
        EXPECT_EQ(engine().Text(), L"one");
        EXPECT_EQ(App().CurrentPageNo, 1);
    }
}

// What the author sees of the boxes and captions, read from the screen.
std::vector<std::vector<unsigned>> ShownRows(frmGoToDlg& d) {
    std::vector<std::vector<unsigned>> rows;
    for (int box = 0; box < d.Picture3.Count(); ++box) {
        rows.push_back(ui::testing::ReadWindowPixels(d.Picture3[box].hWnd()).px);
        rows.push_back(ui::testing::ReadWindowPixels(d.Label5[box].hWnd()).px);
    }
    return rows;
}

TEST_F(GoToView, EachScrollStepShowsWhatARepaintOfEveryWindowShows) {
    std::vector<std::wstring> texts;
    for (int i = 1; i <= 6; ++i) texts.push_back(L"page " + std::to_wstring(i) + L" " + std::wstring(i * 8, L'W'));
    OpenModule(texts, {L"Page", L"Topic", L"Page", L"Test", L"Topic", L"Page"});
    GoTo([](frmGoToDlg& d) {
        const auto repaint = [&d] {
            RedrawWindow(d.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            ui::DoEvents();
        };
        repaint();
        // Down a row at a time and back, as the scroll bar's arrows go.
        std::vector<int> values;
        for (int v = 1; v <= d.VScroll1.Max(); ++v) values.push_back(v);
        for (int v = d.VScroll1.Max() - 1; v >= 0; --v) values.push_back(v);
        for (int v : values) {
            SCOPED_TRACE("scroll value " + std::to_string(v));
            d.VScroll1.SetValue(v);
            ui::DoEvents();
            const auto shown = ShownRows(d);
            repaint();
            const auto whole = ShownRows(d);
            ASSERT_EQ(shown.size(), whole.size());
            for (size_t i = 0; i < shown.size(); ++i) EXPECT_TRUE(shown[i] == whole[i]) << (i % 2 ? "caption " : "box ") << i / 2;
            EXPECT_EQ(d.Label5[0].Caption(), d.CaptionOf(v));
        }
        ui::test::Click(d.Command2);
    });
}

TEST_F(GoToView, TheSelectedThumbnailShowsGreyAroundItsPage) {
    OpenModule({L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWW first", L"WWWWWWWWWWWWWWWWWWWWWWWWWWWW second"});
    GoTo([](frmGoToDlg& d) {
        ui::DoEvents();
        ui::test::Click(d.Picture3[1]);
        ui::DoEvents();
        const int frame = ui::TwipsToPixelsX(kThumbnailFrame);
        ASSERT_GE(frame, 2);
        const struct {
            int box;
            unsigned around;  // as the screen holds it: 0xRRGGBB
        } cases[] = {{0, 0xFFFFFF}, {1, 0xE0E0E0}};
        for (const auto& c : cases) {
            SCOPED_TRACE("box " + std::to_string(c.box));
            const ui::testing::WindowPixels shot = ui::testing::ReadWindowPixels(d.Picture3[c.box].hWnd());
            const auto at = [&shot](int x, int y) { return shot.At(x, y); };
            // The frame on every side, halfway through its width.
            const int mid = frame / 2;
            for (const auto& [x, y] : {std::pair{mid, shot.height / 2}, std::pair{shot.width - 1 - mid, shot.height / 2},
                                       std::pair{shot.width / 2, mid}, std::pair{shot.width / 2, shot.height - 1 - mid}})
                EXPECT_EQ(at(x, y), c.around) << x << "," << y;
            // The page inside the frame, with its words.
            long ink = 0;
            for (int y = frame; y < shot.height - frame; ++y)
                for (int x = frame; x < shot.width - frame; ++x) ink += at(x, y) != 0xFFFFFF && at(x, y) != c.around;
            EXPECT_GT(ink, 0);
        }
        ui::test::Click(d.Command2);
    });
}

TEST_F(GoToView, TheLastRowOfALongModuleIsReachedAndOpened) {
    std::vector<std::wstring> texts;
    for (int i = 1; i <= 30; ++i) texts.push_back(L"page " + std::to_wstring(i));
    OpenModule(texts);
    GoTo([](frmGoToDlg& d) {
        EXPECT_LE(d.Picture3.Count(), 3) << "boxes only for the rows in view";
        d.VScroll1.SetValue(d.VScroll1.Max());
        ui::DoEvents();
        const int box = d.BoxOfIndex(29);
        ASSERT_GE(box, 0) << "the last page is in view";
        EXPECT_TRUE(d.Picture3[box].Visible());
        EXPECT_EQ(d.Label5[box].Caption(), L"Page 30\r\nPage Type: Page\r\nFile Name: 0030.txm");
        // The box is inside the viewport.
        EXPECT_GE(d.Picture3[box].Top(), 0);
        EXPECT_LE(d.Picture3[box].Top() + d.Picture3[box].Height(), d.Picture1.ScaleHeight());
        DoubleClick(d.Picture3[box]);
    });
    EXPECT_EQ(engine().Text(), L"page 30");
    EXPECT_EQ(App().CurrentPageNo, 30);
    EXPECT_EQ(Utf8(editor().Caption()), "MODULE: 000077    PAGENAME: 0030.TXM");
    EXPECT_EQ(PrintZoom(), 100);
}

TEST_F(GoToView, AChangedPageIsAskedAboutAndCancelKeepsIt) {
    OpenModule({L"one", L"two"});
    TypeText(L"typed ");
    GoTo([](frmGoToDlg& d) {
        ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& t) { ui::test::Click(t.Command2); });
        DoubleClick(d.Picture3[1]);
    });
    EXPECT_EQ(ui::test::PendingModalActions(), 0u) << "the page type dialog was not asked";
    EXPECT_EQ(engine().Text(), L"typed one");
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_EQ(App().CurrentPageNo, 1);
    EXPECT_EQ(Utf8(App().PageList.GetCurrentPageName()), "0001.txm");
}

TEST_F(GoToView, AModuleWithoutStoredPagesIsToldSo) {
    OpenModule({});
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ShowGoToDialog();
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kNoStoredPageMessage);
}

TEST_F(GoToView, AStoredPageIsDrawnNotTheEditorsEditsAndSmallBoxesOrLostPagesStayBlank) {
    OpenModule({L"stored text on the page"});
    TypeText(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW unsaved ");
    frmMDIChild& e = editor();
    e.prtTXTextControl2->SetPrintZoom(55);
    {
        Box box(300, 190);
        EXPECT_TRUE(DrawStoredPage(e, L"0001.txm", box.dc, 4500, 2850));
        EXPECT_GT(box.InkPixels(), 0);
        EXPECT_EQ(e.prtTXTextControl2.Engine().Text(), L"stored text on the page");
        EXPECT_EQ(e.prtTXTextControl2->PrintZoom(), 30);
    }
    e.prtTXTextControl2->SetPrintZoom(55);
    {
        Box box(100, 60);  // about 9 % of the page
        EXPECT_FALSE(DrawStoredPage(e, L"0001.txm", box.dc, 1400, 880));
        EXPECT_EQ(box.InkPixels(), 0);
        EXPECT_EQ(e.prtTXTextControl2->PrintZoom(), 55) << "a box under 10 % leaves the zoom as it was";
    }
    for (const wchar_t* lost : {L"0009.txm", L"..\\0001.txm", L""}) {
        Box box(300, 190);
        EXPECT_FALSE(DrawStoredPage(e, lost, box.dc, 4500, 2850)) << Utf8(lost);
        EXPECT_EQ(box.InkPixels(), 0);
        EXPECT_EQ(e.prtTXTextControl2->PrintZoom(), 55);
    }
    EXPECT_TRUE(ui::test::MsgBoxes().empty()) << "a paint never shows a message box";
}

}  // namespace
