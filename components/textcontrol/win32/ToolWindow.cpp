#include "components/textcontrol/win32/ToolWindow.h"

#include <windowsx.h>

#include "components/textcontrol/win32/ToolMessages.h"

namespace tx {
namespace {

constexpr wchar_t kToolClass[] = L"ZvTextTool";

void RegisterToolClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof(wc)};
    // Every tool lays itself out by its width: a new size draws it whole again.
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kToolClass;
    RegisterClassExW(&wc);
    done = true;
}

}  // namespace

ToolWindow::ToolWindow(ui::Form* form, std::wstring name) : ui::Control(form, std::move(name)) {}

ToolWindow::~ToolWindow() { DestroyWindowNow(); }

void ToolWindow::Unbind() {
    // A control still bound to this window must not send to it once it is gone.
    if (!bound_) return;
    TextControl* c = bound_;
    bound_ = nullptr;
    if (c->RulerHandle() == hWnd()) c->SetRulerHandle(nullptr);
    if (c->ButtonBarHandle() == hWnd()) c->SetButtonBarHandle(nullptr);
    if (c->StatusBarHandle() == hWnd()) c->SetStatusBarHandle(nullptr);
}

void ToolWindow::CreateKindWindow() {
    RegisterToolClass();
    CreateNative(kToolClass, 0, 0, L"");
}

SIZE ToolWindow::ClientSize() const {
    RECT r{};
    if (hWnd()) GetClientRect(hWnd(), &r);
    return SIZE{r.right, r.bottom};
}

void ToolWindow::Redraw() {
    if (hWnd()) InvalidateRect(hWnd(), nullptr, FALSE);
}

void ToolWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd(), &ps);
    const SIZE size = ClientSize();
    const SIZE buffer{std::max<LONG>(1, size.cx), std::max<LONG>(1, size.cy)};
    if (!backDc_ || buffer.cx != backSize_.cx || buffer.cy != backSize_.cy) {
        if (backDc_) SelectObject(backDc_.Get(), firstBitmap_);
        backBitmap_.Reset(CreateCompatibleBitmap(dc, buffer.cx, buffer.cy));
        if (!backDc_) backDc_.Reset(CreateCompatibleDC(dc));
        firstBitmap_ = SelectObject(backDc_.Get(), backBitmap_.Get());
        backSize_ = buffer;
    }
    // Each drawing starts from the DC's defaults, as on a new one.
    const int saved = SaveDC(backDc_.Get());
    Draw(backDc_.Get());
    RestoreDC(backDc_.Get(), saved);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
           backDc_.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    EndPaint(hWnd(), &ps);
}

bool ToolWindow::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case kMsgToolBind:
        bound_ = reinterpret_cast<TextControl*>(lp);
        OnBound();
        Redraw();
        return true;
    case WM_DESTROY:
        Unbind();
        if (backDc_) SelectObject(backDc_.Get(), firstBitmap_);
        backBitmap_.Reset();
        backDc_.Reset();
        backSize_ = {0, 0};
        return false;
    case kMsgToolUpdate:
        if (PictureChanged()) Redraw();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        Paint();
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK:
        OnMouse(msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : msg, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return false;  // the form's mouse events still hear it
    default: return false;
    }
}

}  // namespace tx
