#include "components/textcontrol/win32/TXTextControl.h"

namespace tx {

TXTextControl::TXTextControl(ui::Form* form, std::wstring name) : ui::Control(form, std::move(name)) {}

TXTextControl::~TXTextControl() {
    // The window goes while the control object it talks to still exists.
    DestroyWindowNow();
}

void TXTextControl::CreateKindWindow() {
    TextControl::AdoptNextWindow(&control_);
    CreateNative(kTextControlClass, WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0, L"");
}

}  // namespace tx
