#include "ui/CheckBox.h"

#include "base/Error.h"

namespace ui {

void CheckBox::SetCaption(std::wstring caption) {
    s_.caption = std::move(caption);
    if (hwnd_) SetWindowTextW(hwnd_, s_.caption.c_str());
}

void CheckBox::SetValue(int v) {
    if (v < 0 || v > 2) throw zv::Error(L"Invalid property value");
    if (v == s_.value) return;
    s_.value = v;
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    Fire(Click);
}

void CheckBox::OnAccessKey() {
    SetFocus();
    SetValue(s_.value == 1 ? 0 : 1);
}

void CheckBox::OnCommand(int code) {
    if (code == BN_CLICKED) SetValue(s_.value == 1 ? 0 : 1);
}

void CheckBox::CreateKindWindow() {
    // A caption longer than the box wraps onto further lines, as forms expect of check boxes.
    DWORD style = WS_TABSTOP | BS_3STATE | BS_MULTILINE | (s_.alignment == 1 ? BS_LEFTTEXT : 0);
    CreateNative(L"BUTTON", style, 0, s_.caption);
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, s_.value == 1 ? BST_CHECKED : s_.value == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

}  // namespace ui
