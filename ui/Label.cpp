#include "ui/Label.h"

#include "ui/Twips.h"

namespace ui {

Label::Label(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) { p_.tabStop = false; }

void Label::SetCaption(std::wstring caption) {
    s_.caption = std::move(caption);
    if (hwnd_) {
        SetWindowTextW(hwnd_, s_.caption.c_str());
        // The static control repaints itself with its new text; only a transparent one needs what
        // lies under it drawn again. A second paint of an opaque one costs window operations only.
        if (s_.backStyle == 0) Redraw();
    }
    FitToCaption();
}

// A transparent label has no background of its own: what lies under it is the container's drawing
// (its colour, its picture, what its Paint event draws), which only the container can repaint.
void Label::Redraw() {
    if (!hwnd_) return;
    if (s_.backStyle != 0) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    RECT r;
    GetWindowRect(hwnd_, &r);
    HWND container = GetParent(hwnd_);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(container, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Label::SetAutoSize(bool v) {
    s_.autoSize = v;
    FitToCaption();
}

void Label::SetWordWrap(bool v) {
    s_.wordWrap = v;
    FitToCaption();
}

void Label::Move(long left, long top, long width, long height) {
    Control::Move(left, top, width, height);
    if (!fitting_) FitToCaption();
    // Moving copies the window's pixels, old background included.
    if (s_.backStyle == 0) Redraw();
}

void Label::FitToCaption() {
    if (!s_.autoSize || fitting_) return;
    WindowDc screen(nullptr);
    SelectIn font(screen.Get(), EffectiveFont());
    UINT format = DT_CALCRECT | (s_.useMnemonic ? 0 : DT_NOPREFIX);
    RECT r{0, 0, 0, 0};
    if (s_.wordWrap) {
        r.right = TwipsToPixelsX(p_.width);
        format |= DT_WORDBREAK;
    }
    std::wstring text = s_.caption.empty() ? L" " : s_.caption;
    DrawTextW(screen.Get(), text.c_str(), -1, &r, format);
    int border = s_.borderStyle == 1 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    long width = s_.wordWrap ? p_.width : PixelsToTwipsX(r.right - r.left + border);
    long height = s_.caption.empty() && s_.wordWrap ? 0 : PixelsToTwipsY(r.bottom - r.top + border);
    fitting_ = true;
    Control::Move(p_.left, p_.top, width, height);
    fitting_ = false;
}

void Label::Recreate() {
    if (!hwnd_) return;
    DestroyWindowNow();
    CreateWindowNow();
}

void Label::SetAlignment(int v) {
    s_.alignment = v;
    Recreate();
}
void Label::SetBorderStyle(int v) {
    s_.borderStyle = v;
    Recreate();
}
void Label::SetBackStyle(int v) {
    s_.backStyle = v;
    if (!hwnd_) return;
    LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, v == 0 ? (ex | WS_EX_TRANSPARENT) : (ex & ~WS_EX_TRANSPARENT));
    Redraw();
}

void Label::OnAppearanceChanged() { Redraw(); }
void Label::SetUseMnemonic(bool v) {
    s_.useMnemonic = v;
    Recreate();
}

void Label::OnCommand(int code) {
    if (code == STN_CLICKED) Fire(Click);
    else if (code == STN_DBLCLK) Fire(DblClick);
}

HBRUSH Label::OnCtlColor(HDC dc) {
    if (s_.backStyle == 0) {
        SetBkMode(dc, TRANSPARENT);
        if (p_.fore) SetTextColor(dc, ToColorRef(ForeColor()));
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return Control::OnCtlColor(dc);
}

void Label::CreateKindWindow() {
    DWORD style = SS_NOTIFY;
    style |= s_.alignment == 1 ? SS_RIGHT : s_.alignment == 2 ? SS_CENTER : SS_LEFT;
    if (!s_.useMnemonic) style |= SS_NOPREFIX;
    // A transparent window is left out of its container's clipping, so the container's own drawing
    // reaches under it and the label only adds its text.
    DWORD ex = (s_.borderStyle == 1 ? WS_EX_STATICEDGE : 0) | (s_.backStyle == 0 ? WS_EX_TRANSPARENT : 0);
    CreateNative(L"STATIC", style, ex, s_.caption);
}

}  // namespace ui
