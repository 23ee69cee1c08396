#include "ui/Frame.h"

#include "ui/Form.h"
#include "ui/Handles.h"
#include "ui/Boundary.h"
#include "ui/Runtime.h"

namespace ui {

Frame::Frame(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    p_.tabStop = false;
    p_.width = 2000;
    p_.height = 1500;
}

void Frame::SetCaption(std::wstring caption) {
    s_.caption = std::move(caption);
    if (hwnd_) {
        SetWindowTextW(hwnd_, s_.caption.c_str());
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void Frame::SetBorderStyle(int v) {
    s_.borderStyle = v;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Frame::OnAccessKey() {
    // The first control inside the frame takes the focus.
    for (Control* c : detail::TabStops(*form_)) {
        for (Control* k = c->Container(); k; k = k->Container())
            if (k == this) {
                c->SetFocus();
                return;
            }
    }
}

void Frame::CreateKindWindow() { CreateNative(detail::kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, s_.caption); }

void Frame::PaintFrame(HDC dc) {
    RECT r;
    GetClientRect(hwnd_, &r);
    SelectIn font(dc, EffectiveFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (s_.borderStyle != 0) {
        RECT box = r;
        box.top += tm.tmHeight / 2;
        DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    }
    if (!s_.caption.empty()) {
        SetBkColor(dc, ToColorRef(BackColor()));
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, ToColorRef(IsWindowEnabled(hwnd_) ? ForeColor() : 0x80000011UL));
        RECT text{r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
        DrawTextW(dc, (L" " + s_.caption + L" ").c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_TOP);
    }
}

namespace detail {
namespace {
LRESULT FrameMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* frame = dynamic_cast<Frame*>(ControlFromHwnd(hwnd));
    if (!frame) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd, &r);
            Brush b(CreateSolidBrush(ToColorRef(frame->BackColor())));
            FillRect(reinterpret_cast<HDC>(wp), &r, b.Get());
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            frame->PaintFrame(dc);
            PaintWindowless(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_MOUSEMOVE:
            if (WindowlessMouse(hwnd, msg, wp, lp)) return 0;
            if (msg == WM_LBUTTONUP) Guard([&] { if (auto f = frame->Click) f(); });
            break;
        default: break;
    }
    if (ContainerMessage(hwnd, msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (RunAtBoundary(L"a frame's window procedure", [&] { result = FrameMessage(hwnd, msg, wp, lp); })) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace detail

}  // namespace ui
