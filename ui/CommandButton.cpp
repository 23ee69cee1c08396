#include "ui/CommandButton.h"

#include "ui/Form.h"

namespace ui {

void CommandButton::SetCaption(std::wstring caption) {
    s_.caption = std::move(caption);
    if (hwnd_) SetWindowTextW(hwnd_, s_.caption.c_str());
}

void CommandButton::SetDefault(bool v) {
    if (s_.isDefault == v) return;
    s_.isDefault = v;
    form_->NoteDefaultButton(this, v);
    if (hwnd_) SendMessageW(hwnd_, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void CommandButton::SetCancel(bool v) {
    if (s_.isCancel == v) return;
    s_.isCancel = v;
    form_->NoteCancelButton(this, v);
}

void CommandButton::AfterRestore() {
    form_->NoteDefaultButton(this, s_.isDefault);
    form_->NoteCancelButton(this, s_.isCancel);
}

void CommandButton::OnAccessKey() {
    SetFocus();
    PerformClick();
}

void CommandButton::OnCommand(int code) {
    if (code == BN_CLICKED) PerformClick();
}

void CommandButton::CreateKindWindow() {
    CreateNative(L"BUTTON", WS_TABSTOP | (s_.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, s_.caption);
}

}  // namespace ui
