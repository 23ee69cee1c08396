#pragma once
// Messages between the text control and the tool windows bound to it (ruler, button bar, status
// bar). A tool learns its control from kMsgToolBind and repaints from the control's state on
// kMsgToolUpdate; the control unbinds itself before it goes away.

#include <windows.h>

namespace tx {

inline constexpr UINT kMsgToolBind = WM_APP + 0x2A0;    // lParam = TextControl* (nullptr = unbind)
inline constexpr UINT kMsgToolUpdate = WM_APP + 0x2A1;  // the bound control's state changed

}  // namespace tx
