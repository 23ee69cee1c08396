#pragma once
// Subclassing of one native window: its messages reach the library as events of a listener.

#include <windows.h>

#include <cstdint>

namespace palvex {

// Message groups routed through the dispatcher (WndTraps bits).
enum WndTrapBits : uint32_t {
    kTrapPaint = 0x1,     // WM_PAINT, WM_DRAWITEM, WM_MEASUREITEM
    kTrapMouse = 0x2,     // WM_MOUSEFIRST .. WM_MOUSEWHEEL
    kTrapKeys = 0x4,      // WM_KEYDOWN .. WM_SYSDEADCHAR
    kTrapCommand = 0x8,   // WM_COMMAND
    kTrapMoveSize = 0x10, // WM_MOVE, WM_SIZE
    kTrapScroll = 0x20,   // WM_HSCROLL, WM_VSCROLL
    kTrapImeChar = 0x40,  // WM_IME_CHAR
    kTrapFocus = 0x80,    // WM_SETFOCUS, WM_KILLFOCUS
    kTrapAllFirst = 0x80000000u,  // the dispatcher runs the window's own procedure first, for every message
};

// The events of a hooked window; a listener overrides the ones it wants.
class WindowHookEvents {
public:
    virtual void WndEvent(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {}
    virtual void Paint() {}
    virtual void Resize() {}
    virtual void Move() {}
    virtual void DrawItem() {}
    virtual void MeasureItem() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void LButtonUp(int32_t shift, int32_t x, int32_t y) {}
    virtual void RButtonUp(int32_t shift, int32_t x, int32_t y) {}
    virtual void MButtonUp(int32_t shift, int32_t x, int32_t y) {}
    virtual void LButtonDown(int32_t shift, int32_t x, int32_t y) {}
    virtual void RButtonDown(int32_t shift, int32_t x, int32_t y) {}
    virtual void MButtonDown(int32_t shift, int32_t x, int32_t y) {}
    virtual void LButtonDblClk(int32_t shift, int32_t x, int32_t y) {}
    virtual void RButtonDblClk(int32_t shift, int32_t x, int32_t y) {}
    virtual void MButtonDblClk(int32_t shift, int32_t x, int32_t y) {}
    virtual void MouseWheel(int32_t delta, int32_t shift, int32_t x, int32_t y) {}
    virtual void MouseMove(int32_t buttons, int32_t x, int32_t y) {}
    virtual void KeyDown(int32_t keyCode, int32_t modifiers) {}
    virtual void KeyUp(int32_t keyCode, int32_t modifiers) {}
    virtual void KeyPress(int32_t keyCode, int32_t modifiers) {}
    virtual void SysKeyUp(int32_t keyCode, int32_t modifiers) {}
    virtual void SysKeyDown(int32_t keyCode, int32_t modifiers) {}
    virtual void SysKeyPress(int32_t keyCode, int32_t modifiers) {}
    virtual void IMEChar(int32_t charCode, int32_t scanCode, bool extended) {}
    virtual void HScroll(int32_t request, int32_t position, HWND scrollBar) {}
    virtual void VScroll(int32_t request, int32_t position, HWND scrollBar) {}
    virtual void Command(int32_t notification) {}

protected:
    ~WindowHookEvents() = default;
};

// Modifier bits tracked from key messages (per hooking object).
enum TrackedModifier : int32_t {
    kLeftShift = 0x1, kRightShift = 0x2, kLeftCtrl = 0x4, kRightCtrl = 0x8, kLeftAlt = 0x10, kRightAlt = 0x20,
};

class WindowHook {
public:
    explicit WindowHook(WindowHookEvents* events = nullptr) : events_(events) {}
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;
    ~WindowHook();

    void SetEvents(WindowHookEvents* events) { events_ = events; }

    bool BypassEvents() const { return bypassEvents_; }
    void SetBypassEvents(bool value) { bypassEvents_ = value; }
    bool CaptureReturnCancel() const { return captureReturnCancel_; }
    void SetCaptureReturnCancel(bool value) { captureReturnCancel_ = value; }
    uint32_t WndTraps() const { return wndTraps_; }
    void SetWndTraps(uint32_t value) { wndTraps_ = value; }
    bool Hooked() const { return hooked_; }
    WNDPROC OldProc() const { return oldProc_; }
    WNDPROC WndProc() const { return wndProc_; }
    bool OwnerDraw() const { return ownerDraw_; }
    HWND hWnd() const { return hWnd_; }
    HDC hDC() const { return hDC_; }
    int32_t MouseStatus() const { return mouseStatus_; }
    int32_t Modifiers() const { return modifiers_; }

    // Throws LibraryError 65586 when another hook holds the window.
    bool Hook(HWND hWnd, bool takeDC);
    void Unhook();

    // The dispatcher: raises the events of one message and gives the message's result.
    LRESULT RaiseWndEvents(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    // Used by the hook table only.
    void SetHooked(bool value) { hooked_ = value; }
    void SetOldProc(WNDPROC value) { oldProc_ = value; }
    void SetWndProc(WNDPROC value) { wndProc_ = value; }
    void SetOwnerDraw(bool value) {
        if (!hooked_) ownerDraw_ = value;
    }
    void SetHWnd(HWND value) { hWnd_ = value; }
    void SetHDC(HDC value) { hDC_ = value; }

private:
    LRESULT CallOld(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void RaiseMessageEvent(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    WindowHookEvents* events_;
    bool bypassEvents_ = false;
    bool captureReturnCancel_ = false;
    uint32_t wndTraps_ = 62;
    bool hooked_ = false;
    WNDPROC oldProc_ = nullptr;
    WNDPROC wndProc_ = nullptr;
    bool ownerDraw_ = false;
    HWND hWnd_ = nullptr;
    HDC hDC_ = nullptr;
    int32_t mouseStatus_ = 0;
    int32_t modifiers_ = 0;
};

}  // namespace palvex
