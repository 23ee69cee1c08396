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

bool ToolWindow::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case kMsgToolBind:
        bound_ = reinterpret_cast<TextControl*>(lp);
        OnBound();
        Redraw();
        return true;
    case WM_DESTROY:
        Unbind();
        return false;
    case kMsgToolUpdate:
        Redraw();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd(), &ps);
        const SIZE size = ClientSize();
        ui::OwnedDc mem(CreateCompatibleDC(dc));
        ui::Bitmap bmp(CreateCompatibleBitmap(dc, std::max<LONG>(1, size.cx), std::max<LONG>(1, size.cy)));
        {
            ui::SelectIn in(mem.Get(), bmp.Get());
            Draw(mem.Get());
            BitBlt(dc, 0, 0, size.cx, size.cy, mem.Get(), 0, 0, SRCCOPY);
        }
        EndPaint(hWnd(), &ps);
        return true;
    }
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
