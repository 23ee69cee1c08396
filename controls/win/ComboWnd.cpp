#include "controls/win/ComboWnd.h"

namespace palvex {

namespace {
const NativeListMessages kComboMessages = {"COMBOBOX",     CB_RESETCONTENT, CB_GETCOUNT,
                                           CB_GETLBTEXTLEN, CB_GETLBTEXT,   CB_GETCURSEL,
                                           CB_SETCURSEL,   CB_INSERTSTRING, CB_SETITEMHEIGHT, false};
}

ComboWnd::ComboWnd(NativeWndEvents* events) : NativeListWnd(kComboMessages, events) {}

void ComboWnd::SetLocked(bool value) {
    locked_ = value;
    if (hWnd()) SendMessageW(hWnd(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

}  // namespace palvex
