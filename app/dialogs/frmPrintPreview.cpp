#include "app/dialogs/frmPrintPreview.h"

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmGoToDlg.h"
#include "app/editor/StoredPage.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/Constants.h"
#include "ui/MsgBox.h"
#include "ui/Printer.h"

frmPrintPreview::frmPrintPreview() {
    SetCaption(L"Print Preview");
    SetBorderStyle(2);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetClientSize(12000, 8400);

    Frame1.SetBorderStyle(0);
    Frame1.Move(0, 0, 12000, 600);
    struct {
        ui::CommandButton& button;
        const wchar_t* caption;
    } buttons[] = {{btnPrint, L"&Print"},        {btnPrevious, L"&Previous"}, {btnNext, L"&Next"},
                   {btnPages, L"&Two Pages"},    {btnZoomIn, L"Zoom &In"},    {btnZoomOut, L"Zoom &Out"},
                   {btnClose, L"&Close"}};
    long left = 120;
    for (auto& b : buttons) {
        b.button.SetContainer(&Frame1);
        b.button.SetCaption(b.caption);
        b.button.Move(left, 120, 1140, 375);
        left += 1200;
    }
    btnClose.SetCancel(true);
    lblPage.SetContainer(&Frame1);
    lblPage.SetCaption(L"Page: x of n");
    lblPage.Move(left + 120, 180, 2400, 255);

    picMain.SetBorderStyle(0);
    picMain.SetBackColor(0x808080);
    picMain.Move(0, 600, 12000, 7800);
    for (ui::PictureBox* box : {&picPage1, &picPage2}) {
        box->SetContainer(&picMain);
        box->SetBackColor(0xFFFFFF);
        box->SetBorderStyle(0);
    }
    scrollH.SetVisible(false);
    scrollV.SetVisible(false);

    btnClose.Click = [this] { btnClose_Click(); };
    btnNext.Click = [this] { btnNext_Click(); };
    btnPrevious.Click = [this] { btnPrevious_Click(); };
    btnPages.Click = [this] { btnPages_Click(); };
    btnZoomIn.Click = [this] { btnZoomIn_Click(); };
    btnZoomOut.Click = [this] { btnZoomOut_Click(); };
    btnPrint.Click = [this] { btnPrint_Click(); };
    picPage1.Paint = [this] { picPage1_Paint(); };
    picPage2.Paint = [this] { picPage2_Paint(); };
    picPage1.MouseUp = [this](int b, int s, float x, float y) { picPage1_MouseUp(b, s, x, y); };
    picPage2.MouseUp = [this](int b, int s, float x, float y) { picPage2_MouseUp(b, s, x, y); };
    scrollH.Change = [this] { scrollH_Change(); };
    scrollV.Change = [this] { scrollV_Change(); };
}

void frmPrintPreview::ShowPreview(tx::TXTextControl& editorText, tx::TXTextControl& printText) {
    App().PageList.GetAllPageInfo(PageCount, PageNames, PageTypes, TopicNames);
    tx = &editorText;
    tx2 = &printText;
    editor_ = dynamic_cast<frmMDIChild*>(&printText.Parent());
    PageWidthTwips = printText.Engine().PageWidth();
    PageHeightTwips = printText.Engine().PageHeight();
    CurrentPage = 1;
    SavedPrintZoom = printText->PrintZoom();
    ZoomLevel = 0;
    TwoPageMode = false;
    btnPages.SetCaption(L"Two Pages");
    picPage2.SetVisible(false);
    scrollH.SetVisible(false);
    scrollV.SetVisible(false);
    UpdateButtons();
    Show(ui::vbModal);
}

void frmPrintPreview::UpdateButtons() {
    btnNext.SetEnabled(PageCount > CurrentPage);
    btnPrevious.SetEnabled(CurrentPage >= 2);
    btnPages.SetEnabled(ZoomLevel == 0 && PageCount >= 2);
    btnZoomIn.SetEnabled(ZoomLevel < 2);
    btnZoomOut.SetEnabled(ZoomLevel >= 1);
    lblPage.SetCaption(L"Page " + std::to_wstring(CurrentPage) + L" of " + std::to_wstring(PageCount));
}

void frmPrintPreview::RefreshPages() {
    picPage1.Refresh();
    if (TwoPageMode) picPage2.Refresh();
}

void frmPrintPreview::SetZoom(int level) {
    if (level < 0 || level > 2) return;
    ZoomLevel = level;
    UpdateButtons();
    Form_Resize();
}

void frmPrintPreview::ApplyLayout() {
    PreviewLayoutInput in;
    in.width = ScaleWidth();
    in.height = ScaleHeight();
    in.barHeight = Frame1.Height();
    in.scrollVWidth = scrollV.Width();
    in.scrollHHeight = scrollH.Height();
    in.pageWidth = PageWidthTwips;
    in.pageHeight = PageHeightTwips;
    in.zoomLevel = ZoomLevel;
    in.twoPages = TwoPageMode;
    in.page1 = {picPage1.Left(), picPage1.Top(), picPage1.Width(), picPage1.Height()};
    in.page2 = {picPage2.Left(), picPage2.Top(), picPage2.Width(), picPage2.Height()};
    in.scrollHValue = scrollH.Value();
    in.scrollVValue = scrollV.Value();
    const PreviewLayout out = LayOutPreview(in);

    placing_ = true;
    Frame1.SetWidth(out.main.width > 0 ? in.width : Frame1.Width());
    picMain.Move(out.main.left, out.main.top, out.main.width, out.main.height);
    picPage1.Move(out.page1.left, out.page1.top, out.page1.width, out.page1.height);
    picPage2.Move(out.page2.left, out.page2.top, out.page2.width, out.page2.height);
    picPage2.SetVisible(out.page2Visible);
    scrollH.Move(out.scrollH.left, out.scrollH.top, out.scrollH.width, out.scrollH.height);
    scrollV.Move(out.scrollV.left, out.scrollV.top, out.scrollV.width, out.scrollV.height);
    for (auto [bar, setting] : {std::pair{&scrollH, out.h}, std::pair{&scrollV, out.v}}) {
        bar->SetVisible(setting.visible);
        if (!setting.visible) continue;
        bar->SetMin(0);
        bar->SetMax(static_cast<int>(setting.max));
        bar->SetValue(static_cast<int>(setting.value));
        bar->SetLargeChange(static_cast<int>(setting.largeChange));
        bar->SetSmallChange(static_cast<int>(setting.smallChange));
        bar->SetEnabled(setting.enabled);
    }
    placing_ = false;
}

void frmPrintPreview::Form_Resize() {
    ApplyLayout();
    RefreshPages();
}

void frmPrintPreview::Form_Unload(int& /*Cancel*/) {
    images_.Clear();
    if (tx2 != nullptr) (*tx2)->SetPrintZoom(SavedPrintZoom);
}

void frmPrintPreview::btnClose_Click() { Unload(); }

void frmPrintPreview::btnNext_Click() {
    if (CurrentPage >= PageCount) return;
    ++CurrentPage;
    UpdateButtons();
    RefreshPages();
}

void frmPrintPreview::btnPrevious_Click() {
    if (CurrentPage <= 1) return;
    --CurrentPage;
    UpdateButtons();
    RefreshPages();
}

void frmPrintPreview::btnPages_Click() {
    TwoPageMode = !TwoPageMode;
    ZoomLevel = 0;
    btnPages.SetCaption(TwoPageMode ? L"One Page" : L"Two Pages");
    picPage2.SetVisible(TwoPageMode);
    UpdateButtons();
    Form_Resize();
}

void frmPrintPreview::btnZoomIn_Click() { SetZoom(ZoomLevel + 1); }

void frmPrintPreview::btnZoomOut_Click() { SetZoom(ZoomLevel - 1); }

void frmPrintPreview::btnPrint_Click() {
    try {
        const PrintJob job = AskPrintJob(CommonDialog1, PageCount);
        if (tx2 == nullptr) return;
        (*tx2)->SetPrintZoom(SavedPrintZoom);
        // The editor's page is wider than high: every sheet goes out landscape.
        PrintModulePages(*tx2, PageNames, job, [](ui::PrinterObject& printer) { printer.SetOrientation(ui::vbPRORLandscape); });
    } catch (const zv::CancelError&) {
        // A cancelled printer dialog prints nothing and says nothing.
    } catch (const zv::Error& e) {
        ui::MsgBox(L"The pages could not be printed, so the print job was cancelled.\r\n" + e.Description(),
                   ui::vbExclamation);
    }
    RefreshPages();
}

void frmPrintPreview::picPage1_Paint() {
    if (editor_ == nullptr || CurrentPage < 1 || CurrentPage > PageCount) return;
    images_.Paint(*editor_, PageNames[static_cast<size_t>(CurrentPage)], picPage1);
}

void frmPrintPreview::picPage2_Paint() {
    // After the last page the second box stays blank.
    if (editor_ == nullptr || CurrentPage >= PageCount) return;
    images_.Paint(*editor_, PageNames[static_cast<size_t>(CurrentPage) + 1], picPage2);
}

void frmPrintPreview::ScrollToPoint(float x, float y, long oldWidth, long oldHeight) {
    if (ZoomLevel <= 0) return;
    scrollH.SetValue(static_cast<int>(ScrollValueForPoint(x, oldWidth, scrollH.Max())));
    scrollV.SetValue(static_cast<int>(ScrollValueForPoint(y, oldHeight, scrollV.Max())));
}

void frmPrintPreview::picPage1_MouseUp(int Button, int Shift, float X, float Y) {
    if (Button != ui::vbLeftButton) return;
    const long oldWidth = picPage1.Width(), oldHeight = picPage1.Height();
    int level;
    if (Shift & ui::vbShiftMask) {
        level = ZoomLevel - 1;
    } else {
        if (ZoomLevel == 2) return;
        level = ZoomLevel + 1;
    }
    SetZoom(level);
    ScrollToPoint(X, Y, oldWidth, oldHeight);
}

void frmPrintPreview::picPage2_MouseUp(int Button, int Shift, float X, float Y) {
    if (Button != ui::vbLeftButton) return;
    // The blank box after the last page shows no page to open.
    if (CurrentPage >= PageCount) return;
    const long oldWidth = picPage2.Width(), oldHeight = picPage2.Height();
    if (!(Shift & ui::vbShiftMask)) {
        ++CurrentPage;
        SetZoom(ZoomLevel + 1);
    }
    ScrollToPoint(X, Y, oldWidth, oldHeight);
}

void frmPrintPreview::scrollH_Change() {
    if (placing_) return;
    ApplyLayout();
    RefreshPages();
}

void frmPrintPreview::scrollV_Change() { scrollH_Change(); }

void ShowPreview(tx::TXTextControl& tx, tx::TXTextControl& tx2) {
    RunCommand([&] {
        if (!HasStoredPageOrSay()) return;
        frmPrintPreview preview;
        preview.ShowPreview(tx, tx2);
    });
}
