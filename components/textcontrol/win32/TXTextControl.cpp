#include "components/textcontrol/win32/TXTextControl.h"

namespace tx {

TXTextControl::TXTextControl(ui::Form* form, std::wstring name) : ui::Control(form, std::move(name)) {}

TXTextControl::~TXTextControl() {
    // The window goes while the control object it talks to still exists.
    DestroyWindowNow();
}

void TXTextControl::CreateKindWindow() {
    TextControl::AdoptNextWindow(&control_);
    // Windows the host places in the text (movie players) paint themselves: the text is not drawn over them.
    CreateNative(kTextControlClass, WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_CLIPCHILDREN, 0, L"");
}

}  // namespace tx
