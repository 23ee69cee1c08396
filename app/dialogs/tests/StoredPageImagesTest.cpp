// Stored pages painted from the bitmaps a view keeps: the same pixels as the page drawn straight
// onto its box, each page drawn from its file once per box size and colour, pages that cannot be
// drawn left blank without being tried again, the oldest bitmaps given up past the memory kept; and
// the go-to view and the print preview drawing each page once while the author scrolls and turns
// back and forth.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/dialogs/frmGoToDlg.h"
#include "app/dialogs/frmPrintPreview.h"
#include "app/dialogs/tests/PageViewsTest.h"
#include "app/editor/StoredPage.h"
#include "app/editor/frmMDIChild.h"
#include "ui/PictureBox.h"
#include "ui/testing/UiTest.h"

using ui::testing::Utf8;

namespace {

// A window with one picture box, as the views have them.
class BoxForm : public ui::Form {
public:
    ui::PictureBox Box{this, L"Box"};
    BoxForm() {
        SetCaption(L"Boxes");
        SetClientSize(9000, 6000);
    }
};

long Differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size()) return -1;
    long n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

long Ink(const std::vector<std::uint32_t>& pixels, std::uint32_t background) {
    long n = 0;
    for (std::uint32_t p : pixels) n += p != background;
    return n;
}

class StoredPageImagesTest : public zv_test::ModuleTest {
protected:
    // A box of `width` x `height` twips with the border and colour given, shown on its own form.
    ui::PictureBox& ShowBox(long width, long height, int border, unsigned long color) {
        form_ = std::make_unique<BoxForm>();
        ui::PictureBox& box = form_->Box;
        box.SetBorderStyle(border);
        box.SetBackColor(color);
        box.Move(120, 120, width, height);
        form_->Show();
        ui::DoEvents();
        return box;
    }
    // Paints the box now and reads back what it shows.
    std::vector<std::uint32_t> PaintAndRead(ui::PictureBox& box) {
        box.Refresh();
        ui::DoEvents();
        return ui::testing::ReadWindowPixels(box.hWnd()).px;
    }
    void TearDown() override {
        if (form_) form_->Unload();
        form_.reset();
        ModuleTest::TearDown();
    }
    std::unique_ptr<BoxForm> form_;
};

TEST_F(StoredPageImagesTest, APaintedBitmapShowsWhatDrawingThePageStraightOntoTheBoxShows) {
    OpenModule({L"The first page, with words enough to put ink on a small box.", L"second"});
    frmMDIChild& e = editor();
    const struct {
        const char* name;
        long width, height;
        int border;
        unsigned long color;
        bool fitInner;  // the page chooser fits into the inner size, the other views into the outer
    } cases[] = {
        {"a go-to thumbnail with its border", 2880, 1819, 1, 0xFFFFFF, false},
        {"a selected thumbnail on grey", 2880, 1819, 1, 0xE0E0E0, false},
        {"a preview page without a border", 7000, 4421, 0, 0xFFFFFF, false},
        {"a chooser thumbnail fitted to its inner size", 1800, 2340, 1, 0xE0E0E0, true},
        {"a box too narrow for the page's height leaves room below", 3000, 3000, 0, 0xFFFFFF, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::PictureBox& box = ShowBox(c.width, c.height, c.border, c.color);
        const long fitWidth = c.fitInner ? box.ScaleWidth() : box.Width();
        const long fitHeight = c.fitInner ? box.ScaleHeight() : box.Height();

        // As the views drew before: the box's background, then the page straight onto its DC.
        UpdateWindow(box.hWnd());
        HDC dc = box.hDC();
        RECT inner{};
        GetClientRect(box.hWnd(), &inner);
        ui::Brush back(CreateSolidBrush(ui::ToColorRef(c.color)));
        FillRect(dc, &inner, back.Get());
        ASSERT_TRUE(DrawStoredPage(e, App().ModulePath, L"0001.txm", dc, fitWidth, fitHeight));
        GdiFlush();
        const std::vector<std::uint32_t> straight = ui::testing::ReadWindowPixels(box.hWnd()).px;
        ASSERT_GT(Ink(straight, c.color), 0) << "the page shows";  // greys read the same either way round

        StoredPageImages images;
        box.Paint = [&] { images.Paint(e, App().ModulePath, L"0001.txm", box, fitWidth, fitHeight); };
        const std::vector<std::uint32_t> first = PaintAndRead(box);
        const std::vector<std::uint32_t> again = PaintAndRead(box);
        EXPECT_EQ(Differing(first, straight), 0) << "drawn into its bitmap";
        EXPECT_EQ(Differing(again, straight), 0) << "painted from its bitmap";
        EXPECT_EQ(images.Rendered(), 1);
        form_->Unload();
    }
}

TEST_F(StoredPageImagesTest, APageIsDrawnFromItsFileOncePerBoxSizeAndColour) {
    OpenModule({L"one", L"two"});
    frmMDIChild& e = editor();
    ui::PictureBox& box = ShowBox(2880, 1819, 1, 0xFFFFFF);
    StoredPageImages images;
    std::wstring page = L"0001.txm";
    box.Paint = [&] { images.Paint(e, page, box); };
    // Each step: what changes before the paint, and how many drawings from files there were by then.
    const struct {
        const char* step;
        std::function<void()> change;
        int rendered;
    } steps[] = {
        {"first paint", [] {}, 1},
        {"repainted", [] {}, 1},
        {"another page", [&] { page = L"0002.txm"; }, 2},
        {"back to the first page", [&] { page = L"0001.txm"; }, 2},
        {"selected: another colour", [&] { box.SetBackColor(0xE0E0E0); }, 3},
        {"white again", [&] { box.SetBackColor(0xFFFFFF); }, 3},
        {"a larger box", [&] { box.Move(120, 120, 4320, 2729); }, 4},
        {"the first size again", [&] { box.Move(120, 120, 2880, 1819); }, 4},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.change();
        const std::vector<std::uint32_t> shown = PaintAndRead(box);
        EXPECT_GT(Ink(shown, box.BackColor()), 0);
        EXPECT_EQ(images.Rendered(), s.rendered);
    }
}

TEST_F(StoredPageImagesTest, APageThatCannotBeDrawnStaysBlankAndIsNotTriedAgain) {
    OpenModule({L"stored text"});
    frmMDIChild& e = editor();
    e.prtTXTextControl2->SetPrintZoom(55);
    const struct {
        const char* name;
        std::wstring page;
        long width, height;
    } cases[] = {
        {"a missing page", L"0009.txm", 2880, 1819},
        {"a name that is no file of the module", L"..\\0001.txm", 2880, 1819},
        {"a box under 10 % of the page", L"0001.txm", 1400, 880},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::PictureBox& box = ShowBox(c.width, c.height, 0, 0xFFFFFF);
        StoredPageImages images;
        bool shows = true;
        box.Paint = [&] { shows = images.Paint(e, c.page, box); };
        for (int paint = 0; paint < 2; ++paint) {
            EXPECT_EQ(Ink(PaintAndRead(box), 0xFFFFFF), 0);
            EXPECT_FALSE(shows);
        }
        EXPECT_EQ(images.Rendered(), 1);
        EXPECT_EQ(e.prtTXTextControl2->PrintZoom(), 55) << "the zoom stays as it was";
        form_->Unload();
    }
    EXPECT_TRUE(ui::test::MsgBoxes().empty()) << "a paint never shows a message box";
}

TEST_F(StoredPageImagesTest, PastTheMemoryKeptThePagesPaintedLongestAgoGo) {
    OpenModule({L"one", L"two", L"three"});
    frmMDIChild& e = editor();
    ui::PictureBox& box = ShowBox(2880, 1819, 0, 0xFFFFFF);
    RECT inner{};
    GetClientRect(box.hWnd(), &inner);
    // Room for two of the box's bitmaps.
    StoredPageImages images(static_cast<std::size_t>(inner.right) * inner.bottom * 4 * 2);
    std::wstring page;
    box.Paint = [&] { images.Paint(e, page, box); };
    const struct {
        const wchar_t* page;
        int rendered;
    } paints[] = {{L"0001.txm", 1}, {L"0002.txm", 2}, {L"0001.txm", 2}, {L"0003.txm", 3},
                  // page 2 was painted longest ago and made room for page 3
                  {L"0001.txm", 3}, {L"0002.txm", 4}};
    for (const auto& p : paints) {
        SCOPED_TRACE(Utf8(p.page));
        page = p.page;
        PaintAndRead(box);
        EXPECT_EQ(images.Rendered(), p.rendered);
    }
}

TEST_F(StoredPageImagesTest, TheGoToViewDrawsEachPageOnceWhileScrollingDownAndBack) {
    std::vector<std::wstring> texts;
    for (int i = 1; i <= 12; ++i) texts.push_back(L"page " + std::to_wstring(i));
    OpenModule(texts);
    ui::test::OnNextModal<frmGoToDlg>([](frmGoToDlg& d) {
        const auto paint = [&d] {
            RedrawWindow(d.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            ui::DoEvents();
        };
        paint();
        for (int v = 1; v <= d.VScroll1.Max(); ++v) {
            d.VScroll1.SetValue(v);
            paint();
        }
        for (int v = d.VScroll1.Max(); v >= 0; --v) {
            d.VScroll1.SetValue(v);
            paint();
        }
        EXPECT_EQ(d.PagesDrawn(), 12);
        ui::test::Click(d.Command2);
    });
    ShowGoToDialog();
    EXPECT_EQ(ui::test::PendingModalActions(), 0u);
}

TEST_F(StoredPageImagesTest, ThePreviewDrawsEachPageOncePerBoxSizeWhileTurningBackAndForth) {
    OpenModule({L"first", L"second", L"third"});
    ui::test::OnNextModal<frmPrintPreview>([](frmPrintPreview& p) {
        const auto paint = [&p] {
            RedrawWindow(p.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            ui::DoEvents();
        };
        paint();
        for (auto* button : {&p.btnNext, &p.btnNext, &p.btnPrevious, &p.btnPrevious}) {
            ui::test::Click(*button);
            paint();
        }
        EXPECT_EQ(p.PagesDrawn(), 3) << "pages 1 to 3, each once";
        // Two pages side by side make smaller boxes: pages 1 and 2 again at that size.
        ui::test::Click(p.btnPages);
        paint();
        ui::test::Click(p.btnNext);
        paint();
        ui::test::Click(p.btnPrevious);
        paint();
        EXPECT_EQ(p.PagesDrawn(), 6) << "pages 1 to 3 at the two-page size";
        ui::test::Click(p.btnClose);
    });
    frmMDIChild& e = editor();
    ShowPreview(e.TXTextControl1, e.prtTXTextControl2);
    EXPECT_EQ(ui::test::PendingModalActions(), 0u);
}

}  // namespace
