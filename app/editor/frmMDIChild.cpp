#include "app/editor/frmMDIChild.h"

#include <algorithm>
#include <cmath>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

frmMDIChild::frmMDIChild() {
    SetMDIChild(true);
    SetCaption(L"Untitled");
    Move(0, 0, 12000, 8000);
    TXRuler1.Move(0, 0, 12000, 405);
    TXTextControl1.Move(0, 405, 12000, 7200);
    prtTXTextControl2.SetVisible(false);
    prtTXTextControl2.Move(0, 0, 1200, 900);
    Picture1.SetVisible(false);
    Line1.SetVisible(false);
    TXTextControl1.SetEvents(this);
    prtTXTextControl2.SetEvents(&printEvents_);
    WireMenus();
    // The movie's run-time controls go with the window, which may be loaded again for another module.
    AddUnloadHook([this] {
        objExt = PrtobjExt = nullptr;
        objSWF = objDir = objVideo = PrtobjSWF = PrtobjDir = PrtobjVideo = nullptr;
    });
}

frmMDIChild::~frmMDIChild() {
    TXTextControl1.SetEvents(nullptr);
    prtTXTextControl2.SetEvents(nullptr);
}

void frmMDIChild::Form_Load() {
    for (tx::TXTextControl* control : {&TXTextControl1, &prtTXTextControl2}) {
        (*control)->SetViewMode(tx::kViewPageLayout);  // one editable page as a sheet
        control->Engine().SetLoadSaveAttribute(tx::attr::kImportLinks, 1);
    }
    TXTextControl1->SetRulerHandle(TXRuler1.hWnd());
    if (frmMDIParent* frame = OpenFrame()) {
        TXTextControl1->SetButtonBarHandle(frame->TXButtonBar1.hWnd());
        TXTextControl1->SetStatusBarHandle(frame->TXStatusBar1.hWnd());
    }
    App().MeasureUnit = 1;
    TXTextControl1.SetMeasureUnit(App().MeasureUnit);
    for (tx::TXTextControl* control : {&TXTextControl1, &prtTXTextControl2}) {
        control->Engine().SetPageWidth(kEditorPageWidth);
        control->Engine().SetPageHeight(kEditorPageHeight);
    }
    PlacePageEndMarkers();
    OpenWideEnoughForThePage();

    SetUpSpelling();

    ShowPageCaption(App().PageList.GetCurrentPageName());
    DirtyFlag = false;
    HeaderFooterActive = 0;
}

int frmMDIChild::WidthShowingWholePage() {
    const int dpi = static_cast<int>(std::lround(1440.0 / ui::Screen().TwipsPerPixelX()));
    const int view = tx::TextControl::ViewWidthTwips(kEditorPageWidth, tx::kViewPageLayout);
    RECT border{0, 0, 0, 0};
    AdjustWindowRectEx(&border, WS_OVERLAPPEDWINDOW | WS_CHILD, FALSE, WS_EX_MDICHILD);
    return (view * dpi + 1439) / 1440 + GetSystemMetrics(SM_CXVSCROLL) + (border.right - border.left);
}

void frmMDIChild::OpenWideEnoughForThePage() {
    int width = WidthShowingWholePage();
    // Never wider than the frame's room for its editors: the horizontal bar shows the rest.
    if (frmMDIParent* frame = OpenFrame(); frame != nullptr && frame->ClientWindow() != nullptr) {
        RECT room{};
        GetClientRect(frame->ClientWindow(), &room);
        if (room.right > 0) width = std::min<int>(width, room.right);
    }
    SetWidth(std::lround(width * ui::Screen().TwipsPerPixelX()));
    FitEditorToRuler();  // no resize event reaches the window while it loads
}

void frmMDIChild::PlacePageEndMarkers() {
    // The end of the first page where the control shows it now: its view mode, zoom and scroll
    // decide, and so does the page size.
    tx::TextControl& control = TXTextControl1.Control();
    const long pixelY = control.PageToClient(1, 0, control.Engine().PageHeight()).y;
    const long y = TXTextControl1.Top() + static_cast<long>(pixelY * ui::Screen().TwipsPerPixelY());
    const long lineY = y + static_cast<long>(6 * ui::Screen().TwipsPerPixelY());
    // Every page load and every scroll comes here, and most leave the markers where they were:
    // each move would make their window and the editor's draw that part again.
    const long width = control.Engine().PageWidth();
    if (Line1.X1() != 0 || Line1.X2() != width || Line1.Y1() != lineY || Line1.Y2() != lineY)
        Line1.SetPoints(0, lineY, width, lineY);
    if (Picture1.Left() != 0 || Picture1.Top() != y) Picture1.Move(0, y, Picture1.Width(), Picture1.Height());
}

void frmMDIChild::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    if (!DirtyFlag) return;
    const int answer = AskToSaveChanges(*this);
    if (answer == ui::vbCancel) {
        Cancel = 1;
    } else if (answer == ui::vbYes) {
        // A page type question cancelled, or a store that failed, keeps the window and its page.
        bool stored = false;
        RunCommand([&stored] { stored = SaveCurrentPage(); });
        if (!stored) Cancel = 1;
    }
}

void frmMDIChild::Form_Resize() { FitEditorToRuler(); }

void frmMDIChild::FitEditorToRuler() {
    const long ruler = TXRuler1.Visible() ? TXRuler1.Height() : 0;
    if (WindowState() == ui::vbMinimized || ScaleHeight() - ruler <= 0) return;
    TXRuler1.Move(0, 0, ScaleWidth(), TXRuler1.Height());
    TXTextControl1.Move(0, ruler, ScaleWidth(), ScaleHeight() - ruler);
}

void frmMDIChild::Form_Activate() { UpdateToolbar(); }

void frmMDIChild::Form_Unload(int& /*Cancel*/) {
    pageTypeDialog_.Unload();
    UpdateToolbar();
}

void frmMDIChild::LoadPage(const std::wstring& path) {
    LoadPageFile(path, TXTextControl1.Engine(), true);
    PlacePageEndMarkers();
}

void frmMDIChild::StorePage(const std::wstring& path) {
    HourglassPointer hourglass;
    WritePageFile(path, TXTextControl1.Engine());
}

void frmMDIChild::ClearPage() {
    TXTextControl1.Engine().LoadFromBytes("", tx::kFormatText);
    PlacePageEndMarkers();
}

PageTypeAnswer frmMDIChild::AskPageType(const PageTypeQuestion& question, const PageStore& store) {
    return pageTypeDialog_.Ask(question, store);
}

void frmMDIChild::ShowPageName(const std::wstring& name) { ShowPageCaption(name); }
void frmMDIChild::EnableNext(bool enabled) { EnableToolbarButton(L"Next", enabled); }
void frmMDIChild::EnablePrevious(bool enabled) { EnableToolbarButton(L"Previous", enabled); }
void frmMDIChild::RefreshToolbar() { UpdateToolbar(); }
