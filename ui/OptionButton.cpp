#include "ui/OptionButton.h"

#include "ui/Form.h"

namespace ui {

void OptionButton::SetCaption(std::wstring caption) {
    s_.caption = std::move(caption);
    if (hwnd_) SetWindowTextW(hwnd_, s_.caption.c_str());
}

void OptionButton::Check(bool v) {
    s_.value = v;
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::SetValue(bool v) {
    if (!v) {
        Check(false);
        return;
    }
    bool was = s_.value;
    for (Control* c : form_->Controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->Container() == Container() && other->s_.value) other->Check(false);
    }
    Check(true);
    if (!was) Fire(Click);
}

void OptionButton::OnAccessKey() {
    SetFocus();
    SetValue(true);
}

void OptionButton::OnCommand(int code) {
    if (code != BN_CLICKED) return;
    if (s_.value) {
        Fire(Click);  // a person clicked the chosen option again
        return;
    }
    SetValue(true);
}

void OptionButton::CreateKindWindow() {
    // A caption longer than the button wraps onto further lines, as forms expect of option buttons.
    DWORD style = WS_TABSTOP | BS_RADIOBUTTON | BS_MULTILINE | (s_.alignment == 1 ? BS_LEFTTEXT : 0);
    CreateNative(L"BUTTON", style, 0, s_.caption);
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, s_.value ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ui
