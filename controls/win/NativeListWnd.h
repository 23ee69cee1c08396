#pragma once
// What the wrappers of the native combo box and list box share: each owns one child window of its
// class, creates and destroys it, shows its state as plain values in pixels, and turns the messages
// it receives into events. They differ only in the messages that reach their items.

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

#include "controls/win/FontNotifySink.h"
#include "controls/win/Handles.h"
#include "controls/win/WindowHook.h"

namespace palvex {

class NativeWndEvents {
public:
    virtual void Click() {}
    virtual void KeyDown(int16_t keyCode, int16_t shift) {}
    virtual void KeyUp(int16_t keyCode, int16_t shift) {}
    virtual void KeyPress(int16_t keyAscii) {}
    virtual void MouseDown(int16_t button, int16_t shift, float x, float y) {}
    virtual void MouseUp(int16_t button, int16_t shift, float x, float y) {}
    virtual void MouseMove(int16_t button, int16_t shift, float x, float y) {}
    virtual void DblClick() {}
    virtual void Change() {}
    virtual void EditChange() {}  // never raised
    virtual void Resize() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void Paint() {}

protected:
    ~NativeWndEvents() = default;
};

// The window class and the messages that reach the items of one kind of native list.
struct NativeListMessages {
    const char* className;
    UINT resetContent, getCount, getTextLength, getText, getCurSel, setCurSel, insertString, setItemHeight;
    // Whether a visible window of the class redraws itself on every item added (a list box does,
    // and under Wine each redraw costs milliseconds): such a window holds its redrawing while items
    // are added and redraws once the thread's messages are processed again.
    bool holdRedraw;
};

class NativeListWnd : private WindowHookEvents {
public:
    // The owners replace it: WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST.
    static constexpr int32_t kDefaultStyle = 0xA00003;

    NativeListWnd(const NativeListWnd&) = delete;
    NativeListWnd& operator=(const NativeListWnd&) = delete;
    virtual ~NativeListWnd();

    HWND hWnd() const { return hWnd_; }
    void SetFocus();
    int32_t Style() const { return style_; }
    void SetStyle(int32_t value);
    bool ThreedBorder() const { return threedBorder_; }
    void SetThreedBorder(bool value);
    int32_t Length() const;
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void Clear();
    int32_t ListCount() const;
    std::wstring List(int32_t index) const;
    int32_t ListIndex() const;  // -2 without window
    void SetListIndex(int32_t index);
    int32_t AddItem(const std::wstring& text, int32_t insertBefore = -1);
    // Rows whose text the window never reads (an owner-drawn list without strings): count of them
    // appended at once, with the window's redrawing held until the last.
    void AddRows(int32_t count);
    // index -1: the selection field of a combo (a list box of fixed-height rows takes any index).
    void SetItemHeight(int32_t index, int32_t height);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Edges relative to the owner's window; the width and height are the window's true size.
    int32_t Left() const;
    int32_t Top() const;
    int32_t Width() const;
    int32_t Height() const;
    void SetLeft(int32_t value);
    void SetTop(int32_t value);
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    IFontDisp* Font() const { return font_.Get(); }
    void SetFont(IFontDisp* font);
    HWND Owner() const { return owner_; }
    // width or height < 0: keep that edge.
    void Move(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1);
    void Destroy();
    // rows: rows without text to add at once to the new window, before it is hooked.
    void Create(HWND hWndParent, const std::wstring& name, int32_t x, int32_t y, int32_t cx, int32_t cy,
                bool userMode, int32_t rows = 0);
    HDC hDC() const { return hDC_; }
    HFONT FontHandle() const { return fontHandle_.Get(); }
    WindowHook& Hook() { return windowHook_; }

protected:
    NativeListWnd(const NativeListMessages& messages, NativeWndEvents* events);

private:
    void WndEvent(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void ApplyFont();
    bool OwnerRect(RECT& rect) const;
    void HoldRedrawUntilIdle();

    const NativeListMessages& messages_;
    NativeWndEvents* events_;
    HWND hWnd_ = nullptr;
    HWND owner_ = nullptr;
    int32_t style_ = kDefaultStyle;
    bool visible_ = true;
    bool enabled_ = true;
    bool threedBorder_ = true;
    bool redrawHeld_ = false;
    std::wstring text_;
    HDC hDC_ = nullptr;
    Microsoft::WRL::ComPtr<IFontDisp> font_;
    palvex::Font fontHandle_;
    FontNotifySink fontSink_;
    WindowHook windowHook_;
};

// The window rectangle made relative to the owner's outer top-left corner.
void ScreenToOwnerRect(HWND owner, RECT& rect);

}  // namespace palvex
