#include "controls/win/WindowHook.h"

#include "controls/win/WndHook.h"
#include "ui/Boundary.h"

namespace palvex {

namespace {

bool KeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

int32_t LoX(LPARAM lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
int32_t HiY(LPARAM lParam) { return static_cast<int16_t>((lParam >> 16) & 0xFFFF); }

}  // namespace

WindowHook::~WindowHook() {
    if (hooked_) UnhookWindow(this);
}

bool WindowHook::Hook(HWND hWnd, bool takeDC) { return HookWindow(hWnd, this, takeDC, nullptr); }

void WindowHook::Unhook() { UnhookWindow(this); }

LRESULT WindowHook::CallOld(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (IsValidWndProc(oldProc_) && IsWindow(hWnd)) return CallWindowProcW(oldProc_, hWnd, uMsg, wParam, lParam);
    return 0;
}

LRESULT WindowHook::RaiseWndEvents(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const bool allFirst = (wndTraps_ & kTrapAllFirst) != 0;
    try {
        if (bypassEvents_) {
            if (allFirst) {
                const bool returnOrCancel = (uMsg == WM_KEYDOWN || uMsg == WM_KEYUP || uMsg == WM_CHAR) &&
                                            (wParam == VK_RETURN || wParam == VK_ESCAPE);
                if (captureReturnCancel_ && returnOrCancel && !KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT))
                    result = 0;
                else
                    result = CallOld(hWnd, uMsg, wParam, lParam);
            }
            if (events_) events_->WndEvent(hWnd, uMsg, wParam, lParam);
            return result;
        }
        if (allFirst) result = CallOld(hWnd, uMsg, wParam, lParam);
        RaiseMessageEvent(hWnd, uMsg, wParam, lParam);
    } catch (...) {
        // A listener's failure ends its event, not the window's message.
        ui::ReportStoppedException(L"a Palvex window hook");
    }
    return result;
}

void WindowHook::RaiseMessageEvent(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (!events_) return;
    WindowHookEvents& e = *events_;
    const int32_t shift = static_cast<int32_t>(wParam & (MK_SHIFT | MK_CONTROL));
    const int32_t x = LoX(lParam), y = HiY(lParam);
    if (uMsg >= WM_MOUSEFIRST && uMsg <= WM_MOUSEWHEEL) {
        mouseStatus_ = static_cast<int32_t>(wParam);
        switch (uMsg) {
            case WM_MOUSEMOVE: e.MouseMove(static_cast<int32_t>(wParam), x, y); break;
            case WM_LBUTTONDOWN: e.LButtonDown(shift, x, y); break;
            case WM_RBUTTONDOWN: e.RButtonDown(shift, x, y); break;
            case WM_MBUTTONDOWN: e.MButtonDown(shift, x, y); break;
            case WM_LBUTTONUP: mouseStatus_ ^= MK_LBUTTON; e.LButtonUp(shift, x, y); break;
            case WM_RBUTTONUP: mouseStatus_ ^= MK_RBUTTON; e.RButtonUp(shift, x, y); break;
            case WM_MBUTTONUP: mouseStatus_ ^= MK_MBUTTON; e.MButtonUp(shift, x, y); break;
            case WM_LBUTTONDBLCLK: e.LButtonDblClk(shift, x, y); mouseStatus_ ^= MK_LBUTTON; break;
            case WM_RBUTTONDBLCLK: e.RButtonDblClk(shift, x, y); mouseStatus_ ^= MK_RBUTTON; break;
            case WM_MBUTTONDBLCLK: e.MButtonDblClk(shift, x, y); mouseStatus_ ^= MK_MBUTTON; break;
            case WM_MOUSEWHEEL:
                e.MouseWheel(static_cast<int16_t>(HIWORD(wParam)), static_cast<int32_t>(LOWORD(wParam)), x, y);
                break;
            default: e.WndEvent(hWnd, uMsg, wParam, lParam); break;
        }
        return;
    }
    if (uMsg >= WM_KEYDOWN && uMsg <= WM_SYSDEADCHAR) {
        int scanCode = 0;
        bool extended = false;
        DecodeKeyData(lParam, scanCode, extended);
        int32_t bits = 0;
        switch (scanCode) {
            case 42: bits = kLeftShift; break;
            case 54: bits = kRightShift; break;
            case 29: bits = extended ? kRightCtrl : kLeftCtrl; break;
            case 56: bits = extended ? kRightAlt : kLeftAlt; break;
            default: break;
        }
        if (uMsg == WM_KEYDOWN || uMsg == WM_SYSKEYDOWN) modifiers_ |= bits;
        if (uMsg == WM_KEYUP || uMsg == WM_SYSKEYUP) modifiers_ &= ~bits;
        const auto key = static_cast<int32_t>(wParam);
        switch (uMsg) {
            case WM_KEYDOWN: e.KeyDown(key, modifiers_); break;
            case WM_KEYUP: e.KeyUp(key, modifiers_); break;
            case WM_CHAR: e.KeyPress(key, modifiers_); break;
            case WM_SYSKEYUP: e.SysKeyUp(key, modifiers_); break;
            case WM_SYSKEYDOWN:
            case WM_DEADCHAR: e.SysKeyDown(key, modifiers_); break;
            case WM_SYSCHAR: e.SysKeyPress(key, modifiers_); break;
            default: e.WndEvent(hWnd, uMsg, wParam, lParam); break;
        }
        return;
    }
    switch (uMsg) {
        case WM_MOVE: e.Move(); break;
        case WM_SIZE: e.Resize(); break;
        case WM_SETFOCUS: e.GotFocus(); break;
        case WM_KILLFOCUS: e.LostFocus(); break;
        case WM_PAINT: e.Paint(); break;
        case WM_HSCROLL:
            e.HScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_VSCROLL:
            e.VScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_COMMAND: e.Command(HIWORD(wParam)); break;
        case WM_IME_CHAR: {
            int scanCode = 0;
            bool extended = false;
            DecodeKeyData(lParam, scanCode, extended);
            e.IMEChar(static_cast<int32_t>(wParam), scanCode, extended);
            break;
        }
        default: e.WndEvent(hWnd, uMsg, wParam, lParam); break;
    }
}

}  // namespace palvex
