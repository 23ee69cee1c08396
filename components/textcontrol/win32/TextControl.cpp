#include "components/textcontrol/win32/TextControl.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/Error.h"
#include "components/textcontrol/formats/PdfWriter.h"
#include "components/textcontrol/paint/PagePainter.h"
#include "components/textcontrol/win32/Clipboard.h"
#include "components/textcontrol/win32/EditMessages.h"
#include "components/textcontrol/win32/PdfDevice.h"
#include "components/textcontrol/win32/ToolMessages.h"
#include "ui/Boundary.h"

namespace tx {
namespace {

thread_local TextControl* g_adopt = nullptr;
constexpr int kLineScroll = 240;  // twips per scroll-bar arrow click
constexpr int kDeskGap = 240;     // twips of grey around the sheets in the page views
constexpr int kBorderGrab = 3;    // pixels either side of a column border that start a resize
constexpr int kMinDraggedWidth = 120;  // twips: the narrowest a dragged border leaves its column

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

TextControl::TextControl() : screenMeasurer_(ScreenDpi()) {
    engine_.SetEvents(this);
    // A PDF carries the fonts GDI would print with, so that the file reads as the page does.
    static const bool pdfDevice = [] {
        SetDefaultPdfOptions(PdfOptions{&GdiFontSource::Shared(), DecodePictureForPdf});
        return true;
    }();
    (void)pdfDevice;
    UseDpi(screenMeasurer_.Dpi());
}

TextControl::~TextControl() {
    ReleaseHosts();
    for (HWND tool : {ruler_, buttonBar_, statusBar_})
        if (tool && IsWindow(tool)) SendMessageW(tool, kMsgToolBind, 0, 0);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    engine_.SetEvents(nullptr);
}

void TextControl::RegisterWindowClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TextControl::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = kTextControlClass;
    RegisterClassExW(&wc);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    done = true;
}

void TextControl::AdoptNextWindow(TextControl* control) {
    RegisterWindowClass();
    g_adopt = control;
}

TextControl* TextControl::FromHwnd(HWND hwnd) {
    return hwnd ? reinterpret_cast<TextControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

bool TextControl::Create(HWND parent, const RECT& r, DWORD style, UINT id) {
    AdoptNextWindow(this);
    HWND h = CreateWindowExW(0, kTextControlClass, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    g_adopt = nullptr;
    return h != nullptr;
}

LRESULT CALLBACK TextControl::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        TextControl* self = g_adopt;
        g_adopt = nullptr;
        if (!self) return FALSE;  // a window of this class belongs to an object
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    TextControl* self = FromHwnd(hwnd);
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self->toolTipWindow_) self->toolTipWindow_ = nullptr;  // destroyed with us as our child
        self->hwnd_ = nullptr;
        self->backDc_.Reset();
        self->backBitmap_.Reset();
        self->backSize_ = {0, 0};
        self->invalid_ = self->focused_ = self->caretShown_ = false;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    bool handled = false;
    ui::RunAtBoundary(L"the text control's window procedure", [&] {
        result = self->Handle(msg, wp, lp);
        handled = true;
    });
    return handled ? result : DefWindowProcW(hwnd, msg, wp, lp);
}

// ---------------------------------------------------------------- engine events

void TextControl::Changed(ChangeKind kind) {
    TextControlEvents& ev = events_ ? *events_ : noEvents_;
    if (kind == ChangeKind::Document) {
        knownTables_.clear();
        for (const auto& t : engine_.Doc().tables) knownTables_.insert(t.id);
        images_.Prune();
        // Another document shows from its top, where its caret is, not at the place the last one
        // was scrolled to.
        if (engine_.DocumentsLoaded() != documentsShown_) {
            documentsShown_ = engine_.DocumentsLoaded();
            scrollX_ = scrollY_ = 0;
        }
    }
    if (hwnd_) {
        InvalidateAll();
        if (kind != ChangeKind::Selection) {
            UpdateScrollBars();
            PlaceHostWindows();
        }
        UpdateCaret();
    }
    const bool objectsChanged = kind != ChangeKind::Selection && ObjectsChanged();
    switch (kind) {
    case ChangeKind::Text:
    case ChangeKind::Document: {
        std::vector<int> created;
        for (const auto& t : engine_.Doc().tables)
            if (knownTables_.insert(t.id).second) created.push_back(t.id);
        ev.Change();
        for (int id : created) ev.TableCreated(id);
        break;
    }
    case ChangeKind::Format: ev.FormatChanged(); break;
    case ChangeKind::Selection: break;
    }
    if (objectsChanged && kind != ChangeKind::Document) ev.ObjectChanged();
    CheckFieldEntered();
    ev.StateChanged();
    NotifyTools();
}

bool TextControl::ObjectsChanged() {
    // The anchor is left out: text typed before an object carries it along without changing it.
    std::vector<std::array<int, 8>> now;
    for (const auto& o : engine_.Doc().objects)
        now.push_back({o.id, o.x, o.y, o.scaleX, o.scaleY, o.fixed ? 1 : 0, o.width, o.height});
    if (now == objectState_) return false;
    objectState_ = std::move(now);
    return true;
}

void TextControl::ObjectNameRequest(int objectId, std::wstring& name) {
    if (events_) events_->ObjectGetName(objectId, name);
}

void TextControl::HostWindowRequest(int objectId, std::uintptr_t& hostWindow) {
    HWND h = reinterpret_cast<HWND>(hostWindow);
    if (events_) events_->ObjectCreateHostWindow(objectId, h);
    hostWindow = reinterpret_cast<std::uintptr_t>(h);
    // A restored object's window gets the extent stored with it, before its owner hears the name.
    const Object* o = engine_.Doc().FindObject(objectId);
    if (o && h && IsWindow(h)) {
        const int w = std::max(1, static_cast<int>(std::lround(o->ShownWidth() * Scale())));
        const int ht = std::max(1, static_cast<int>(std::lround(o->ShownHeight() * Scale())));
        SetWindowPos(h, nullptr, 0, 0, w, ht, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TextControl::ObjectAwaitsName(int /*objectId*/) {
    // Without a window the name is asked for when the document is stored.
    if (hwnd_ && !namesPosted_ && PostMessageW(hwnd_, kMsgNameNewObjects, 0, 0)) namesPosted_ = true;
}

void TextControl::HostWindowExtent(std::uintptr_t hostWindow, int scaleX, int scaleY, int& width, int& height) {
    HWND h = reinterpret_cast<HWND>(hostWindow);
    if (!IsWindow(h)) return;
    RECT r{};
    GetWindowRect(h, &r);
    if (r.right <= r.left || r.bottom <= r.top) return;
    width = static_cast<int>(std::lround((r.right - r.left) / Scale() * 100.0 / std::max(1, scaleX)));
    height = static_cast<int>(std::lround((r.bottom - r.top) / Scale() * 100.0 / std::max(1, scaleY)));
}

void TextControl::ObjectRestored(int objectId, const std::wstring& name) {
    if (events_) events_->ObjectRestored(objectId, name);
    PlaceHostWindows();
}

void TextControl::CheckFieldEntered() {
    const int field = engine_.FieldAtInputPos();
    if (field == lastField_) return;
    lastField_ = field;
    if (field && events_) events_->FieldEntered(field);
}

// ---------------------------------------------------------------- geometry

double TextControl::Scale() const { return screenMeasurer_.Dpi() * zoom_ / (100.0 * 1440.0); }
int TextControl::Gap() const { return viewMode_ == kViewNormal ? 0 : kDeskGap; }
int TextControl::ViewWidthTwips(int pageWidth, int viewMode) {
    return pageWidth + 2 * (viewMode == kViewNormal ? 0 : kDeskGap);
}
int TextControl::PageTop(int page) const {
    return Gap() + (page - 1) * (engine_.PageHeight() + Gap());
}
int TextControl::PageLeft() const {
    if (viewMode_ == kViewPageCentered) return std::max(Gap(), (ClientWidthTwips() - engine_.PageWidth()) / 2);
    return Gap();
}
int TextControl::ViewHeight() { return PageTop(PageCount() + 1); }

int TextControl::ClientWidthTwips() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return static_cast<int>((r.right - r.left) / Scale());
}
int TextControl::ClientHeightTwips() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return static_cast<int>((r.bottom - r.top) / Scale());
}

POINT TextControl::PageToClient(int page, int x, int y) const {
    const double s = Scale();
    return POINT{static_cast<LONG>(std::lround((PageLeft() + x - scrollX_) * s)),
                 static_cast<LONG>(std::lround((PageTop(page) + y - scrollY_) * s))};
}

TextControl::PagePoint TextControl::ClientToPage(POINT p) {
    const double s = Scale();
    const int vx = static_cast<int>(std::lround(p.x / s)) + scrollX_ - PageLeft();
    const int vy = static_cast<int>(std::lround(p.y / s)) + scrollY_;
    const int pages = PageCount();
    int page = 1;
    while (page < pages && vy >= PageTop(page + 1) - Gap() / 2) ++page;
    return PagePoint{page, vx, vy - PageTop(page)};
}

POINT TextControl::PositionToClient(int position) {
    const CaretPoint c = ScreenLayout().PositionToPoint(position);
    return PageToClient(c.page, c.x, c.y);
}

int TextControl::ClientToPosition(POINT pixel) {
    const PagePoint p = ClientToPage(pixel);
    ScreenLayout();
    return engine_.PointToPosition(p.page, p.x, p.y);
}

POINT TextControl::EventToClient(int x, int y) const {
    const int dpi = screenMeasurer_.Dpi();
    return POINT{MulDiv(x, dpi, 1440), MulDiv(y, dpi, 1440)};
}

int TextControl::PositionOnPage(POINT pixel) {
    const PagePoint p = ClientToPage(pixel);
    if (p.x < 0 || p.x > engine_.PageWidth() || p.y < 0 || p.y > engine_.PageHeight()) return -1;
    ScreenLayout();
    return engine_.PointToPosition(p.page, p.x, p.y);
}

int TextControl::PositionAt(int x, int y) {
    if (!hwnd_) return -1;
    const POINT pixel = EventToClient(x, y);
    RECT client{};
    GetClientRect(hwnd_, &client);
    return PtInRect(&client, pixel) ? PositionOnPage(pixel) : -1;
}

int TextControl::TableAt(int x, int y) {
    const PagePoint p = ClientToPage(EventToClient(x, y));
    const int grab = static_cast<int>(std::lround(kBorderGrab / Scale()));
    for (const PlacedCell& c : ScreenLayout().Cells())
        if (c.page == p.page && p.y >= c.y && p.y <= c.y + c.height && p.x >= c.x - grab && p.x <= c.x + c.width + grab)
            return c.table;
    return 0;
}

void TextControl::UseDpi(int dpi) {
    if (dpi == activeDpi_) return;
    if (dpi == screenMeasurer_.Dpi()) {
        engine_.SetMeasurer(&screenMeasurer_);
    } else {
        if (!deviceMeasurer_ || deviceMeasurer_->Dpi() != dpi) deviceMeasurer_ = std::make_unique<GdiMeasurer>(dpi);
        engine_.SetMeasurer(deviceMeasurer_.get());
    }
    activeDpi_ = dpi;
}

const Layout& TextControl::ScreenLayout() {
    UseDpi(screenMeasurer_.Dpi());
    return engine_.GetLayout();
}

int TextControl::PageCount() {
    // The page count the program checks is the screen's: the one page the author sees.
    return ScreenLayout().PageCount();
}

// ---------------------------------------------------------------- view

void TextControl::SetViewMode(int mode) {
    viewMode_ = std::clamp(mode, 0, 2);
    UpdateScrollBars();
    Refresh();
}

void TextControl::SetZoomFactor(int percent) {
    const int z = std::clamp(percent, 10, 400);
    if (z == zoom_) return;
    zoom_ = z;
    screenFonts_.Clear();
    UpdateScrollBars();
    PlaceHostWindows();
    UpdateCaret();
    Refresh();
    NotifyTools();
}

void TextControl::SetScrollPosY(int twips) { ScrollTo(twips, true); }

int TextControl::VisiblePageTop() const {
    return std::clamp(scrollY_ - PageTop(1), 0, std::max(0, engine_.PageHeight() - 1));
}

int TextControl::MaxScrollX() const {
    // A centred page that fits has its room on both sides and nothing to scroll; one that does
    // not fit sits at the left as in the layout view.
    return std::max(0, engine_.PageWidth() + 2 * Gap() - ClientWidthTwips());
}

void TextControl::SetScrollPosX(int twips) {
    scrollX_ = std::clamp(twips, 0, MaxScrollX());
    UpdateScrollBars();
    PlaceHostWindows();
    UpdateCaret();
    InvalidateAll();
    NotifyTools();
}

void TextControl::ScrollTo(int twips, bool raise) {
    const int maxY = std::max(0, ViewHeight() - ClientHeightTwips());
    const int y = std::clamp(twips, 0, maxY);
    if (y == scrollY_) return;
    scrollY_ = y;
    UpdateScrollBars();
    PlaceHostWindows();
    UpdateCaret();
    InvalidateAll();
    if (raise && events_) events_->VScroll(scrollY_);
}

void TextControl::UpdateScrollBars() {
    // Showing or hiding a bar resizes the client area, which comes back here through WM_SIZE: the
    // outer call settles both bars.
    if (!hwnd_ || updatingScrollBars_) return;
    // A hidden control (the editor's print control) has no bars to show: the layout they need
    // waits until it is shown, so that loading and changing pages there lays nothing out.
    if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) == 0) {
        scrollBarsStale_ = true;
        return;
    }
    scrollBarsStale_ = false;
    updatingScrollBars_ = true;
    for (int round = 0; round < 3; ++round) {
        RECT before{};
        GetClientRect(hwnd_, &before);
        // A wider window or a narrower page leaves less to scroll.
        const int x = std::clamp(scrollX_, 0, MaxScrollX());
        if (x != scrollX_) {
            scrollX_ = x;
            InvalidateAll();
            NotifyTools();
        }
        SCROLLINFO si{sizeof(si)};
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(0, ViewHeight() - 1);
        si.nPage = static_cast<UINT>(std::max(1, ClientHeightTwips()));
        si.nPos = scrollY_;
        // Setting a scroll bar redraws it: only when something changed, not at every keystroke.
        const std::array<int, 3> now{si.nMax, static_cast<int>(si.nPage), si.nPos};
        if (now != lastScroll_) {
            lastScroll_ = now;
            SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
        }
        if (horizontalBar_) {
            // The bar shows only while the page is wider than the window.
            si.nMax = std::max(0, engine_.PageWidth() + 2 * Gap() - 1);
            si.nPage = static_cast<UINT>(std::max(1, ClientWidthTwips()));
            si.nPos = scrollX_;
            const std::array<int, 3> nowX{si.nMax, static_cast<int>(si.nPage), si.nPos};
            if (nowX != lastScrollX_) {
                lastScrollX_ = nowX;
                SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
            }
        }
        RECT after{};
        GetClientRect(hwnd_, &after);
        if (EqualRect(&before, &after)) break;
    }
    updatingScrollBars_ = false;
}

void TextControl::Refresh() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    invalid_ = true;
    UpdateWindow(hwnd_);
}

void TextControl::InvalidateAll() {
    // One change of the text is often several of the engine's (a link made: the selection moved
    // over the word, the field, its look, the caret back), each telling the window. While the
    // whole window already waits for its paint, asking again is a wasted trip to the window server.
    if (!hwnd_ || invalid_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    invalid_ = true;
}

void TextControl::EnsureCaretVisible() {
    if (!hwnd_) return;
    const CaretPoint c = ScreenLayout().PositionToPoint(engine_.SelCaret());
    const int top = PageTop(c.page) + c.y, bottom = top + c.height;
    const int view = ClientHeightTwips();
    if (top < scrollY_) ScrollTo(top, true);
    else if (bottom > scrollY_ + view) ScrollTo(bottom - view, true);

    // Sideways the view jumps by a quarter of its width, as an edit box does, so that typing at
    // the edge does not scroll at every character.
    const int x = PageLeft() + c.x, width = ClientWidthTwips();
    const int caretWidth = static_cast<int>(std::lround((zoom_ >= 200 ? 2 : 1) / Scale()));
    const int jump = width / 4;
    if (x < scrollX_) SetScrollPosX(x - jump);
    else if (x + caretWidth > scrollX_ + width) SetScrollPosX(x + caretWidth - width + jump);
}

void TextControl::UpdateCaret() {
    // The window's own focus events say whether it has the focus: asking the window system at
    // every change is a server trip under Wine, and so is a caret set where it already stands.
    if (!hwnd_ || !focused_) return;
    const int at = dragging_ && dragCaret_ >= 0 ? dragCaret_ : engine_.SelCaret();
    const CaretPoint c = ScreenLayout().PositionToPoint(at);
    const int height = std::max(1, static_cast<int>(std::lround(c.height * Scale())));
    const int width = zoom_ >= 200 ? 2 : 1;
    if (!caretShown_ || height != caretHeight_ || width != caretWidth_) {
        if (caretShown_) DestroyCaret();
        CreateCaret(hwnd_, nullptr, width, height);
        caretHeight_ = height;
        caretWidth_ = width;
        caretShown_ = true;
        caretAt_ = {INT_MIN, INT_MIN};
        ShowCaret(hwnd_);
    }
    const POINT p = PageToClient(c.page, c.x, c.y);
    if (p.x == caretAt_.x && p.y == caretAt_.y) return;
    SetCaretPos(p.x, p.y);
    caretAt_ = p;
}

void TextControl::SetToolTipText(const std::wstring& text) {
    toolTip_ = text;
    if (!hwnd_) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = hwnd_;
    ti.uId = 1;
    ti.lpszText = const_cast<wchar_t*>(toolTip_.c_str());
    GetClientRect(hwnd_, &ti.rect);
    if (!toolTipWindow_) {
        toolTipWindow_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                         GetModuleHandleW(nullptr), nullptr);
        if (!toolTipWindow_) return;
        ti.uFlags = TTF_SUBCLASS;
        SendMessageW(toolTipWindow_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    SendMessageW(toolTipWindow_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(toolTipWindow_, TTM_ACTIVATE, toolTip_.empty() ? FALSE : TRUE, 0);
}

// ---------------------------------------------------------------- selection

std::pair<int, int> TextControl::CaretLineAndColumn() {
    const Layout& layout = ScreenLayout();
    if (layout.Lines().empty()) return {1, 1};
    const int caret = engine_.SelCaret();
    const int index = layout.LineAt(caret);
    const PlacedLine& line = layout.Lines()[static_cast<size_t>(index)];
    const int first = layout.LinesOfPage(line.page).first;
    return {index - first + 1, caret - line.start + 1};
}

// ---------------------------------------------------------------- clipboard

UINT TextControl::OwnClipboardFormat() { return OwnFormat(); }
UINT TextControl::RtfClipboardFormat() { return RtfFormat(); }

bool TextControl::CanPaste() const { return ClipboardHasContent(); }

void TextControl::Clip(int action) {
    switch (action) {
    case kClipCut:
    case kClipCopy: {
        if (!engine_.CanCopy()) return;
        ClipboardContent c;
        c.own = engine_.SaveToBytes(kFormatOwn, true);
        const ClipData data = engine_.Copy();
        c.rtf = data.rtf;
        c.text = data.text;
        if (!WriteClipboard(hwnd_, c)) throw zv::Error(L"The clipboard cannot be opened.");
        if (action == kClipCut) engine_.DeleteSelection();
        break;
    }
    case kClipPaste: {
        const ClipboardContent c = ReadClipboard(hwnd_);
        if (c.Empty()) return;
        if (!c.own.empty()) {
            try {
                engine_.LoadFromBytes(c.own, kFormatOwn, true);
                break;
            } catch (const zv::Error&) {
                // Another program's bytes under our name: the other forms still hold the content.
            }
        }
        engine_.Paste(ClipData{c.rtf, c.text});
        break;
    }
    case kClipDelete: engine_.DeleteSelection(); break;
    default: break;
    }
    EnsureCaretVisible();
}

// ---------------------------------------------------------------- printing

bool TextControl::PrintPage(int page) {
    HDC dc = printDevice_;
    if (!dc) return false;
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    if (dpi <= 0) dpi = 96;
    UseDpi(dpi);
    const Layout& layout = engine_.GetLayout();
    if (page < 1 || page > layout.PageCount()) return false;
    double originX = 0, originY = 0;
    if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER) {
        // The printer's DC starts at the printable area; the page starts at the paper's edge.
        originX = -GetDeviceCaps(dc, PHYSICALOFFSETX);
        originY = -GetDeviceCaps(dc, PHYSICALOFFSETY);
    }
    const double scale = dpi * std::clamp(printZoom_, 1, 1000) / (100.0 * 1440.0);
    GdiFonts fonts;  // a printer's fonts are of no use to the next device
    GdiSurface surface(dc, images_, fonts);
    PaintOptions options;
    options.hostedWindows = true;
    PaintPage(surface, layout, engine_.Doc(), page, PagePlacement{originX, originY, scale}, options);
    return true;
}

// ---------------------------------------------------------------- hosted windows and tools

void TextControl::PlaceHostWindows() {
    if (!hwnd_ || placingHosts_) return;
    placingHosts_ = true;
    const Document& d = engine_.Doc();
    std::set<HWND> inText;
    for (const auto& o : d.objects)
        if (o.kind == ObjectKind::Windowed && o.hostWindow) inText.insert(reinterpret_cast<HWND>(o.hostWindow));
    // Windows gone with their owners are forgotten; a window whose object left the text hides,
    // one whose object came back (undo) shows again.
    for (auto it = hosts_.begin(); it != hosts_.end();) {
        if (!IsWindow(it->first)) {
            it = hosts_.erase(it);
            continue;
        }
        const bool present = inText.count(it->first) != 0;
        if (!present && !it->second && IsWindowVisible(it->first)) {
            ShowWindow(it->first, SW_HIDE);
            it->second = true;
        } else if (present && it->second) {
            ShowWindow(it->first, SW_SHOWNA);
            it->second = false;
        }
        ++it;
    }
    for (HWND host : inText) {
        if (!IsWindow(host) || hosts_.count(host)) continue;
        hosts_[host] = false;
        SetWindowSubclass(host, HostSubclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    }
    if (!inText.empty()) {
        // The window keeps the size its owner gave it; only its place follows the text.
        for (const PlacedObject& po : ScreenLayout().Objects()) {
            const Object* o = d.FindObject(po.objectId);
            if (!o || o->kind != ObjectKind::Windowed || !o->hostWindow) continue;
            HWND host = reinterpret_cast<HWND>(o->hostWindow);
            if (!IsWindow(host)) continue;
            POINT at = PageToClient(po.page, po.x, po.y);
            HWND parent = GetParent(host);
            MapWindowPoints(hwnd_, parent, &at, 1);
            RECT now{};
            GetWindowRect(host, &now);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
            if (now.left != at.x || now.top != at.y)
                SetWindowPos(host, HWND_TOP, at.x, at.y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE);
        }
    }
    placingHosts_ = false;
}

void TextControl::HostResized(HWND host) {
    if (placingHosts_) return;
    for (const auto& o : engine_.Doc().objects) {
        if (o.kind != ObjectKind::Windowed || reinterpret_cast<HWND>(o.hostWindow) != host) continue;
        RECT r{};
        GetWindowRect(host, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) return;
        // Within a pixel the stored extent already is the window's: no change to the document.
        if (std::abs(w - std::lround(o.ShownWidth() * Scale())) <= 1 &&
            std::abs(h - std::lround(o.ShownHeight() * Scale())) <= 1)
            return;
        int width = o.width, height = o.height;
        HostWindowExtent(o.hostWindow, o.scaleX, o.scaleY, width, height);
        engine_.SetObjectSize(o.id, width, height);
        return;
    }
}

LRESULT CALLBACK TextControl::HostSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                               DWORD_PTR data) {
    auto* self = reinterpret_cast<TextControl*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, HostSubclassProc, id);
        self->hosts_.erase(hwnd);
    } else if (msg == WM_SIZE) {
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        ui::RunAtBoundary(L"the text control's hosted window", [&] { self->HostResized(hwnd); });
        return result;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TextControl::ReleaseHosts() {
    for (const auto& [host, hidden] : hosts_)
        if (IsWindow(host)) RemoveWindowSubclass(host, HostSubclassProc, reinterpret_cast<UINT_PTR>(this));
    hosts_.clear();
}

void TextControl::SetRulerHandle(HWND ruler) {
    if (ruler_ && ruler_ != ruler && IsWindow(ruler_)) SendMessageW(ruler_, kMsgToolBind, 0, 0);
    ruler_ = ruler;
    if (ruler_) SendMessageW(ruler_, kMsgToolBind, 0, reinterpret_cast<LPARAM>(this));
}
void TextControl::SetButtonBarHandle(HWND bar) {
    if (buttonBar_ && buttonBar_ != bar && IsWindow(buttonBar_)) SendMessageW(buttonBar_, kMsgToolBind, 0, 0);
    buttonBar_ = bar;
    if (buttonBar_) SendMessageW(buttonBar_, kMsgToolBind, 0, reinterpret_cast<LPARAM>(this));
}
void TextControl::SetStatusBarHandle(HWND bar) {
    if (statusBar_ && statusBar_ != bar && IsWindow(statusBar_)) SendMessageW(statusBar_, kMsgToolBind, 0, 0);
    statusBar_ = bar;
    if (statusBar_) SendMessageW(statusBar_, kMsgToolBind, 0, reinterpret_cast<LPARAM>(this));
}

void TextControl::NotifyTools() {
    // One posted message for all tools and all changes until it arrives: a typed key would
    // otherwise post to every tool, and each post is a trip through the window system.
    if (!ruler_ && !buttonBar_ && !statusBar_) return;
    if (toolsPosted_) return;
    if (hwnd_ && PostMessageW(hwnd_, kMsgUpdateTools, 0, 0)) {
        toolsPosted_ = true;
        return;
    }
    for (HWND tool : {ruler_, buttonBar_, statusBar_})
        if (tool && IsWindow(tool)) PostMessageW(tool, kMsgToolUpdate, 0, 0);
}

// ---------------------------------------------------------------- hit tests

int TextControl::FieldUnderPoint(POINT pixel) {
    const int pos = ClientToPosition(pixel);
    const int id = engine_.Doc().FieldAt(pos);
    const Field* f = engine_.Doc().FindField(id);
    if (!f) return 0;
    // The nearest position may lie beside the link: the mouse must be over the link's own text.
    const PagePoint p = ClientToPage(pixel);
    const Layout& layout = ScreenLayout();
    const CaretPoint a = layout.PositionToPoint(f->start), b = layout.PositionToPoint(f->start + f->length);
    if (a.page == b.page && a.y == b.y) {
        if (p.page != a.page || p.x < a.x || p.x > b.x || p.y < a.y || p.y > a.y + a.height) return 0;
    }
    return id;
}

std::optional<PlacedCell> TextControl::BorderUnderPoint(POINT pixel) {
    const PagePoint p = ClientToPage(pixel);
    const double s = Scale();
    for (const PlacedCell& c : ScreenLayout().Cells()) {
        if (c.page != p.page || p.y < c.y || p.y > c.y + c.height) continue;
        if (std::abs(static_cast<int>(std::lround((p.x - (c.x + c.width)) * s))) <= kBorderGrab) return c;
    }
    return std::nullopt;
}

int TextControl::ObjectUnderPoint(POINT pixel) {
    const PagePoint p = ClientToPage(pixel);
    const auto& objects = ScreenLayout().Objects();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        if (it->page == p.page && p.x >= it->x && p.x < it->x + it->width && p.y >= it->y && p.y < it->y + it->height)
            return it->objectId;
    return 0;
}

int TextControl::Shift() const {
    // The three keys in one question to the window system: under Wine each is a server trip.
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) return 0;
    return ((keys[VK_SHIFT] & 0x80) ? 1 : 0) | ((keys[VK_CONTROL] & 0x80) ? 2 : 0) | ((keys[VK_MENU] & 0x80) ? 4 : 0);
}

// ---------------------------------------------------------------- keyboard

void TextControl::OnKeyDown(int key) {
    const int shift = Shift();
    const bool extend = (shift & 1) != 0, ctrl = (shift & 2) != 0;
    const bool insertBefore = engine_.InsertMode();
    if (events_) events_->KeyDown(key, shift);
    if (key == 0 || !hwnd_) return;
    CaretMove move;
    switch (key) {
    case VK_LEFT: move = ctrl ? CaretMove::WordLeft : CaretMove::CharLeft; break;
    case VK_RIGHT: move = ctrl ? CaretMove::WordRight : CaretMove::CharRight; break;
    case VK_UP: move = CaretMove::LineUp; break;
    case VK_DOWN: move = CaretMove::LineDown; break;
    case VK_PRIOR: move = CaretMove::ScreenUp; break;
    case VK_NEXT: move = CaretMove::ScreenDown; break;
    case VK_HOME: move = ctrl ? CaretMove::DocumentStart : CaretMove::LineStart; break;
    case VK_END: move = ctrl ? CaretMove::DocumentEnd : CaretMove::LineEnd; break;
    case VK_DELETE:
        if (extend) Clip(kClipCut);
        else if (engine_.SelLength() > 0) engine_.DeleteSelection();
        else engine_.DeleteForward();
        EnsureCaretVisible();
        return;
    case VK_INSERT:
        if (ctrl) Clip(kClipCopy);
        else if (extend) Clip(kClipPaste);
        else if (engine_.InsertMode() == insertBefore) engine_.SetInsertMode(!insertBefore);  // unless the host did
        if (events_) events_->StateChanged();
        return;
    default:
        if (ctrl && !(shift & 4)) {
            switch (key) {
            case 'A': engine_.Select(0, engine_.TextLength()); return;
            case 'C': Clip(kClipCopy); return;
            case 'X': Clip(kClipCut); return;
            case 'V': Clip(kClipPaste); return;
            case 'Z': if (engine_.CanUndo()) engine_.Undo(); EnsureCaretVisible(); return;
            case 'Y': if (engine_.CanRedo()) engine_.Redo(); EnsureCaretVisible(); return;
            default: break;
            }
        }
        return;
    }
    // The moves go over the screen's lines; a screen move scrolls the view by what it shows.
    ScreenLayout();
    const int view = std::max(1, ClientHeightTwips());
    engine_.MoveCaret(move, extend, CaretView{view, Gap()});
    if (move == CaretMove::ScreenUp) ScrollTo(scrollY_ - view, true);
    else if (move == CaretMove::ScreenDown) ScrollTo(scrollY_ + view, true);
    EnsureCaretVisible();
}

void TextControl::OnChar(wchar_t c) {
    int ascii = c;
    if (events_) events_->KeyPress(ascii);
    if (ascii == 0) return;
    c = static_cast<wchar_t>(ascii);
    if (c == L'\b') {
        if (engine_.SelLength() > 0) engine_.DeleteSelection();
        else engine_.DeleteBackward();
    } else if (c == L'\r' || c == L'\n') {
        if (GetKeyState(VK_SHIFT) < 0) engine_.TypeChar(kLineBreak);
        else engine_.TypeChar(L'\n');
    } else if (c == L'\t' || c >= 32) {
        if (c < 32 && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) return;
        engine_.TypeChar(c);
    } else {
        return;  // other control characters (Ctrl+letter) are commands, handled at key down
    }
    EnsureCaretVisible();
}

// ---------------------------------------------------------------- mouse

void TextControl::OnMouseDown(int button, WPARAM wp, LPARAM lp) {
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (GetFocus() != hwnd_) SetFocus(hwnd_);
    // Another button during a drag or a resize ends it, as Escape does.
    ignoreUp_ = 0;
    if (dragging_ || resizeTable_) CancelMouseModes();
    const int shift = Shift();
    downPoint_ = pt;
    downButton_ = button == 1 ? MK_LBUTTON : button == 2 ? MK_RBUTTON : MK_MBUTTON;
    buttonHeld_ = true;
    if (events_) events_->MouseDown(button, shift, PixelsToTwips(pt.x), PixelsToTwips(pt.y));
    if (!hwnd_) return;
    const PagePoint p = ClientToPage(pt);
    const Document& d = engine_.Doc();

    // Header and footer: a click in their band activates them, a click in the body leaves them.
    int band = 0;
    if (!d.header.Empty() && p.y < d.page.marginTop) band = 1;
    else if (!d.footer.Empty() && p.y > d.page.height - d.page.marginBottom) band = 2;
    if (band != headerFooter_) {
        if (headerFooter_ && events_) events_->HeaderFooterDeactivated();
        headerFooter_ = band;
        if (band && events_) events_->HeaderFooterActivated(band);
    }
    if (band) return;

    if (const int object = ObjectUnderPoint(pt)) {
        engine_.SetObjectCurrent(object);
        if (events_) events_->ObjectClicked(object);
        InvalidateAll();
        return;
    }
    if (engine_.ObjectCurrent()) {
        if (events_) events_->ObjectDeselected();
        engine_.SetObjectCurrent(0);
        InvalidateAll();
    }
    if (button != 1) return;

    // A column border under the mouse starts a resize of that column; a tracking line shows where
    // the border goes until the button is let go.
    if (const std::optional<PlacedCell> c = BorderUnderPoint(pt)) {
        resizeTable_ = c->table;
        resizeCol_ = c->col + c->cols - 1;  // a merged cell's right edge is its last column's
        resizeStartX_ = p.x;
        resizeStartWidth_ = engine_.TableCellAttribute(c->table, 0, resizeCol_, cell::kColumnWidth);
        trackWidth_ = resizeStartWidth_;
        resizePage_ = c->page;
        resizeEdge_ = c->x + c->width;
        resizeTop_ = c->y;
        resizeBottom_ = c->y + c->height;
        for (const PlacedCell& other : ScreenLayout().Cells()) {
            if (other.table != c->table || other.page != c->page) continue;
            resizeTop_ = std::min(resizeTop_, other.y);
            resizeBottom_ = std::max(resizeBottom_, other.y + other.height);
        }
        SetCapture(hwnd_);
        InvalidateTrackLine();
        return;
    }

    const int pos = engine_.PointToPosition(p.page, p.x, p.y);
    engine_.Select((shift & 1) ? engine_.SelAnchor() : pos, pos);
    downField_ = FieldUnderPoint(pt);
    selecting_ = true;
    SetCapture(hwnd_);
}

int TextControl::ResizedWidthAt(POINT pixel) {
    return std::max(kMinDraggedWidth, resizeStartWidth_ + ClientToPage(pixel).x - resizeStartX_);
}

RECT TextControl::TrackLine() const {
    const POINT top = PageToClient(resizePage_, resizeEdge_ + trackWidth_ - resizeStartWidth_, resizeTop_);
    const POINT bottom = PageToClient(resizePage_, 0, resizeBottom_);
    return RECT{top.x, top.y, top.x + 1, bottom.y};
}

void TextControl::InvalidateTrackLine() {
    const RECT line = TrackLine();
    if (hwnd_) InvalidateRect(hwnd_, &line, FALSE);
}

void TextControl::FollowDrag(POINT pixel) {
    dragCaret_ = PositionOnPage(pixel);
    UpdateCaret();
}

bool TextControl::Drag() {
    if (dragging_) return true;
    if (!hwnd_ || !buttonHeld_ || !(lastKeys_ & downButton_) || resizeTable_ || selecting_) return false;
    if (std::abs(lastMouse_.x - downPoint_.x) <= GetSystemMetrics(SM_CXDRAG) &&
        std::abs(lastMouse_.y - downPoint_.y) <= GetSystemMetrics(SM_CYDRAG))
        return false;
    dragging_ = true;
    SetCapture(hwnd_);
    FollowDrag(lastMouse_);
    return true;
}

void TextControl::EndMouseModes() {
    const bool running = resizeTable_ != 0 || dragging_;
    if (resizeTable_) InvalidateTrackLine();
    resizeTable_ = 0;
    dragging_ = false;
    dragCaret_ = -1;
    // The state goes before the capture: losing the capture cancels what is still running.
    if (running && hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
    UpdateCaret();
}

void TextControl::CancelMouseModes() {
    // The button that dragged is still held: letting it go is no click.
    if ((resizeTable_ || dragging_) && buttonHeld_) ignoreUp_ = downButton_;
    buttonHeld_ = false;
    EndMouseModes();
}

void TextControl::OnMouseMove(WPARAM wp, LPARAM lp) {
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const int button = ((wp & MK_LBUTTON) ? 1 : 0) | ((wp & MK_RBUTTON) ? 2 : 0) | ((wp & MK_MBUTTON) ? 4 : 0);
    lastMouse_ = pt;
    lastKeys_ = wp;
    if (button == 0) buttonHeld_ = false, ignoreUp_ = 0;  // the mouse up went elsewhere
    if (events_) events_->MouseMove(button, Shift(), PixelsToTwips(pt.x), PixelsToTwips(pt.y));
    if (!hwnd_) return;
    if (dragging_) {
        FollowDrag(pt);
        return;
    }
    if (resizeTable_) {
        const int width = ResizedWidthAt(pt);
        if (width != trackWidth_) {
            InvalidateTrackLine();
            trackWidth_ = width;
            InvalidateTrackLine();
        }
        return;
    }
    if (selecting_ && (wp & MK_LBUTTON)) {
        const int pos = ClientToPosition(pt);
        if (pos != engine_.SelCaret()) {
            engine_.Select(engine_.SelAnchor(), pos);
            EnsureCaretVisible();
        }
        return;
    }
    const int field = FieldUnderPoint(pt);
    const Field* f = engine_.Doc().FindField(field);
    if (f && f->kind != kLinkNone) {
        int cursor = kCursorHand;
        if (events_) events_->FieldLinkHover(field, cursor);
        cursor_ = cursor;
        hoverField_ = field;
    } else {
        cursor_ = kCursorDefault;
        hoverField_ = 0;
    }
}

void TextControl::OnMouseUp(int button, WPARAM wp, LPARAM lp) {
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const WPARAM released = button == 1 ? MK_LBUTTON : button == 2 ? MK_RBUTTON : MK_MBUTTON;
    if (ignoreUp_ == released) {
        ignoreUp_ = 0;
        return;
    }
    buttonHeld_ = false;
    if (dragging_) {
        EndMouseModes();
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (PtInRect(&client, pt) && PositionOnPage(pt) >= 0 && events_)
            events_->DragDrop(PixelsToTwips(pt.x), PixelsToTwips(pt.y));
        return;
    }
    if (resizeTable_ && button == 1) {
        const int table = resizeTable_, col = resizeCol_, start = resizeStartWidth_;
        const int width = ResizedWidthAt(pt);
        InvalidateTrackLine();
        resizeTable_ = 0;
        if (GetCapture() == hwnd_) ReleaseCapture();
        if (width != start) {
            engine_.SetTableCellAttribute(table, 0, col, cell::kColumnWidth, width);
            if (events_) events_->TableResized(table);
        }
    } else if (!resizeTable_ && GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (!hwnd_) return;
    const bool wasSelecting = selecting_;
    selecting_ = false;
    if (events_) events_->MouseUp(button, Shift(), PixelsToTwips(pt.x), PixelsToTwips(pt.y));
    if (!hwnd_ || button != 1 || !wasSelecting) return;
    const int field = downField_;
    downField_ = 0;
    if (field && engine_.SelLength() == 0 && FieldUnderPoint(pt) == field) {
        if (events_) events_->FieldClicked(field);
        const Field* f = engine_.Doc().FindField(field);
        if (f && f->kind != kLinkNone && events_) events_->FieldLinkClicked(f->kind, f->target);
    }
}

// ---------------------------------------------------------------- painting

void TextControl::PaintTo(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const Layout& layout = ScreenLayout();
    ViewPaint view;
    view.client = DeviceRect{client.left, client.top, client.right, client.bottom};
    view.sheets = viewMode_ != kViewNormal;
    view.scale = Scale();
    view.pageOrigin = [this](int page) {
        const POINT p = PageToClient(page, 0, 0);
        return DevicePoint{p.x, p.y};
    };
    view.options.selStart = engine_.SelStart();
    view.options.selEnd = engine_.SelStart() + engine_.SelLength();
    view.options.gridLines = engine_.TableGridlines();
    view.options.currentObject = engine_.ObjectCurrent();
    GdiSurface surface(dc, images_, screenFonts_);
    PaintView(surface, layout, engine_.Doc(), view);
    if (resizeTable_) {
        // The tracking line: where the dragged border goes, inverted so that it shows on any colour.
        const RECT line = TrackLine();
        PatBlt(dc, line.left, line.top, line.right - line.left, line.bottom - line.top, DSTINVERT);
    }
}

void TextControl::OnPaint() {
    invalid_ = false;  // a change made while painting asks for the next paint
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const SIZE size{std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)};
    if (!backDc_ || size.cx != backSize_.cx || size.cy != backSize_.cy) {
        backBitmap_.Reset();
        backDc_.Reset(CreateCompatibleDC(dc));
        backBitmap_.Reset(CreateCompatibleBitmap(dc, size.cx, size.cy));
        backSize_ = size;
        SelectObject(backDc_.Get(), backBitmap_.Get());
    }
    PaintTo(backDc_.Get());
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
           backDc_.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    EndPaint(hwnd_, &ps);
}

// ---------------------------------------------------------------- messages

LRESULT TextControl::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        // Windows drops the style bit while the bar is hidden: whether the window has the bar at
        // all is known from its creation only.
        horizontalBar_ = (reinterpret_cast<const CREATESTRUCTW*>(lp)->style & WS_HSCROLL) != 0;
        lastScroll_ = {-1, -1, -1};
        lastScrollX_ = {-1, -1, -1};
        knownTables_.clear();
        for (const auto& t : engine_.Doc().tables) knownTables_.insert(t.id);
        UpdateScrollBars();
        return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_WINDOWPOSCHANGED:
        // Sent once the window is visible (ShowWindow ends here too): the bars it went without.
        if ((reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_SHOWWINDOW) && scrollBarsStale_) UpdateScrollBars();
        return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_SIZE:
        UpdateScrollBars();
        ScrollTo(scrollY_, false);
        PlaceHostWindows();
        InvalidateAll();
        return 0;
    case WM_SETFOCUS:
        focused_ = true;
        caretShown_ = false;
        UpdateCaret();
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        if (caretShown_) DestroyCaret();
        caretShown_ = false;
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (wp == VK_ESCAPE && (dragging_ || resizeTable_)) {
            CancelMouseModes();
            return 0;
        }
        OnKeyDown(static_cast<int>(wp));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: a drag or a resize under way ends with nothing changed.
        if (reinterpret_cast<HWND>(lp) != hwnd_ && (dragging_ || resizeTable_)) CancelMouseModes();
        return 0;
    case WM_SYSKEYDOWN: {
        int key = static_cast<int>(wp);
        if (events_) events_->KeyDown(key, Shift());
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = static_cast<int>(wp);
        if (events_) events_->KeyUp(key, Shift());
        return msg == WM_SYSKEYUP ? DefWindowProcW(hwnd_, msg, wp, lp) : 0;
    }
    case WM_CHAR: OnChar(static_cast<wchar_t>(wp)); return 0;
    case WM_LBUTTONDOWN: OnMouseDown(1, wp, lp); return 0;
    case WM_RBUTTONDOWN: OnMouseDown(2, wp, lp); return 0;
    case WM_MBUTTONDOWN: OnMouseDown(4, wp, lp); return 0;
    case WM_LBUTTONUP: OnMouseUp(1, wp, lp); return 0;
    case WM_RBUTTONUP: OnMouseUp(2, wp, lp); return 0;
    case WM_MBUTTONUP: OnMouseUp(4, wp, lp); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wp, lp); return 0;
    case WM_LBUTTONDBLCLK: {
        const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (ObjectUnderPoint(pt)) return 0;
        const int pos = ClientToPosition(pt);
        engine_.Select(WordStart(engine_.Doc(), pos), WordEnd(engine_.Doc(), pos));
        selecting_ = false;
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hwnd_, &pt);
            const wchar_t* shape = IDC_IBEAM;
            if (dragging_) shape = IDC_ARROW;
            else if (resizeTable_ || BorderUnderPoint(pt)) shape = IDC_SIZEWE;
            else if (cursor_ == kCursorHand && hoverField_) shape = IDC_HAND;
            else if (ObjectUnderPoint(pt)) shape = IDC_ARROW;
            SetCursor(LoadCursorW(nullptr, shape));
            return TRUE;
        }
        return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
        ScrollTo(scrollY_ - notches * 3 * kLineScroll, true);
        return 0;
    }
    case WM_VSCROLL: {
        SCROLLINFO si{sizeof(si)};
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd_, SB_VERT, &si);
        int y = scrollY_;
        switch (LOWORD(wp)) {
        case SB_LINEUP: y -= kLineScroll; break;
        case SB_LINEDOWN: y += kLineScroll; break;
        case SB_PAGEUP: y -= ClientHeightTwips(); break;
        case SB_PAGEDOWN: y += ClientHeightTwips(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: y = si.nTrackPos; break;
        case SB_TOP: y = 0; break;
        case SB_BOTTOM: y = ViewHeight(); break;
        default: break;
        }
        ScrollTo(y, true);
        return 0;
    }
    case WM_HSCROLL: {
        SCROLLINFO si{sizeof(si)};
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd_, SB_HORZ, &si);
        int x = scrollX_;
        switch (LOWORD(wp)) {
        case SB_LINELEFT: x -= kLineScroll; break;
        case SB_LINERIGHT: x += kLineScroll; break;
        case SB_PAGELEFT: x -= ClientWidthTwips(); break;
        case SB_PAGERIGHT: x += ClientWidthTwips(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: x = si.nTrackPos; break;
        case SB_LEFT: x = 0; break;
        case SB_RIGHT: x = MaxScrollX(); break;
        default: break;
        }
        SetScrollPosX(x);
        return 0;
    }
    case kMsgUpdateTools:
        toolsPosted_ = false;
        for (HWND tool : {ruler_, buttonBar_, statusBar_})
            if (tool && IsWindow(tool)) SendMessageW(tool, kMsgToolUpdate, 0, 0);
        return 0;
    case kMsgNameNewObjects:
        namesPosted_ = false;
        engine_.NameNewObjects();
        return 0;
    case kMsgPositionToPoint: {
        auto* out = reinterpret_cast<POINT*>(lp);
        if (!out) return FALSE;
        *out = PositionToClient(static_cast<int>(wp));
        return TRUE;
    }
    default: {
        LRESULT answer = 0;
        if (AnswerEditMessage(*this, msg, wp, lp, answer)) return answer;
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }
    }
}

}  // namespace tx
