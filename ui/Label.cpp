#include "ui/Label.h"

namespace ui {

Label::Label(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) { p_.tabStop = false; }

void Label::SetCaption(std::wstring caption) {
    s_.caption = std::move(caption);
    if (hwnd_) {
        SetWindowTextW(hwnd_, s_.caption.c_str());
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
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
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}
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
    CreateNative(L"STATIC", style, s_.borderStyle == 1 ? WS_EX_STATICEDGE : 0, s_.caption);
}

}  // namespace ui
