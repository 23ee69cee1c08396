#include "ui/WindowControl.h"

namespace ui {

WindowControl::WindowControl(Form* form, std::wstring name, std::wstring windowClass, DWORD style, DWORD exStyle,
                             bool canTakeFocus)
    : Control(form, std::move(name)), windowClass_(std::move(windowClass)), style_(style), exStyle_(exStyle),
      canTakeFocus_(canTakeFocus) {
    p_.tabStop = canTakeFocus;
}

void WindowControl::CreateKindWindow() {
    CreateNative(windowClass_.c_str(), style_ | (canTakeFocus_ ? WS_TABSTOP : 0), exStyle_, L"");
}

}  // namespace ui
