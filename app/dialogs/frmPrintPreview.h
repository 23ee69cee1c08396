#pragma once
// Print Preview: the stored page files of the open module one or two at a time, fitted to the
// window or at 75 % or 100 % with scroll bars, and printing a range of pages with copies. Every
// page is read from its file into the editor's hidden print control and drawn from there
// (app/editor/StoredPage.h); the editor's live text is never shown. A page is drawn once per
// showing at each box size and painted from its bitmap after that: turning back, scrolling a
// zoomed page and repainting cost a copy.

#include <cstdint>
#include <string>
#include <vector>

#include "app/dialogs/PageViewRules.h"
#include "app/editor/StoredPage.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/FlatScrollBar.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"

class frmMDIChild;
namespace tx {
class TXTextControl;
}

class frmPrintPreview : public ui::Form {
public:
    ui::Frame Frame1{this, L"Frame1"};
    ui::CommandButton btnPrint{this, L"btnPrint"};
    ui::CommandButton btnPrevious{this, L"btnPrevious"};
    ui::CommandButton btnNext{this, L"btnNext"};
    ui::CommandButton btnPages{this, L"btnPages"};
    ui::CommandButton btnZoomIn{this, L"btnZoomIn"};
    ui::CommandButton btnZoomOut{this, L"btnZoomOut"};
    ui::CommandButton btnClose{this, L"btnClose"};
    ui::Label lblPage{this, L"lblPage"};
    ui::PictureBox picMain{this, L"picMain"};
    ui::PictureBox picPage1{this, L"picPage1"};
    ui::PictureBox picPage2{this, L"picPage2"};
    ui::FlatScrollBar scrollH{this, L"scrollH", ui::fsbHorizontal};
    ui::FlatScrollBar scrollV{this, L"scrollV", ui::fsbVertical};
    ui::CommonDialog CommonDialog1{this};

    // ---- window state ----
    tx::TXTextControl* tx = nullptr;
    tx::TXTextControl* tx2 = nullptr;
    std::int32_t PageWidthTwips = 0, PageHeightTwips = 0;
    std::int32_t CurrentPage = 1;
    std::int32_t PageCount = 0;
    std::vector<std::wstring> PageNames, PageTypes, TopicNames;
    bool TwoPageMode = false;
    int ZoomLevel = 0;
    int SavedPrintZoom = 100;

    frmPrintPreview();

    void ShowPreview(tx::TXTextControl& tx, tx::TXTextControl& tx2);

    void SetZoom(int level);
    void UpdateButtons();
    void RefreshPages();
    // How many times a page was drawn from its file in this showing.
    int PagesDrawn() const { return images_.Rendered(); }

    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
    void btnClose_Click();
    void btnNext_Click();
    void btnPrevious_Click();
    void btnPages_Click();
    void btnZoomIn_Click();
    void btnZoomOut_Click();
    void btnPrint_Click();
    void picPage1_Paint();
    void picPage2_Paint();
    void picPage1_MouseUp(int Button, int Shift, float X, float Y);
    void picPage2_MouseUp(int Button, int Shift, float X, float Y);
    void scrollH_Change();
    void scrollV_Change();

private:
    void ApplyLayout();
    // Brings the point clicked at (x, y) of a box of the old size into view.
    void ScrollToPoint(float x, float y, long oldWidth, long oldHeight);
    frmMDIChild* editor_ = nullptr;
    bool placing_ = false;  // the layout itself moves the scroll bars
    StoredPageImages images_;
};

// File > Print Preview and the toolbar's "PrintPreview": the active editor's module. A module
// without a stored page is told so instead.
void ShowPreview(tx::TXTextControl& tx, tx::TXTextControl& tx2);
