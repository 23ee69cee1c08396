#include "controls/win/ListWnd.h"

namespace palvex {

namespace {
const NativeListMessages kListMessages = {"LISTBOX",    LB_RESETCONTENT, LB_GETCOUNT,
                                          LB_GETTEXTLEN, LB_GETTEXT,      LB_GETCURSEL,
                                          LB_SETCURSEL,  LB_INSERTSTRING, LB_SETITEMHEIGHT, true};
}

ListWnd::ListWnd(NativeWndEvents* events) : NativeListWnd(kListMessages, events) {}

bool ListWnd::Selected(int32_t index) const {
    if (!hWnd()) return false;
    const LRESULT state = SendMessageW(hWnd(), LB_GETSEL, static_cast<WPARAM>(index), 0);
    return state != 0 && state != LB_ERR;
}

void ListWnd::SetSelected(int32_t index, bool value) {
    if (hWnd()) SendMessageW(hWnd(), LB_SETSEL, value ? 1 : 0, static_cast<LPARAM>(index));
}

namespace {
bool MultipleChoice(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}
}  // namespace

ListWnd::View ListWnd::SaveView() const {
    View view;
    HWND window = hWnd();
    if (!window) return view;
    if (MultipleChoice(window)) {
        const LRESULT count = SendMessageW(window, LB_GETSELCOUNT, 0, 0);
        if (count > 0) {
            std::vector<INT> rows(static_cast<size_t>(count));
            const LRESULT got = SendMessageW(window, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
            if (got > 0) view.selected.assign(rows.begin(), rows.begin() + got);
        }
    } else {
        const LRESULT index = SendMessageW(window, LB_GETCURSEL, 0, 0);
        if (index >= 0) view.selected.push_back(static_cast<int32_t>(index));
    }
    view.caret = static_cast<int32_t>(SendMessageW(window, LB_GETCARETINDEX, 0, 0));
    view.top = static_cast<int32_t>(SendMessageW(window, LB_GETTOPINDEX, 0, 0));
    return view;
}

void ListWnd::RestoreView(const View& view) {
    HWND window = hWnd();
    if (!window) return;
    const int32_t count = ListCount();
    if (MultipleChoice(window)) {
        for (int32_t row : view.selected)
            if (row >= 0 && row < count) SendMessageW(window, LB_SETSEL, TRUE, row);
        if (view.caret >= 0 && view.caret < count) SendMessageW(window, LB_SETCARETINDEX, view.caret, FALSE);
    } else if (!view.selected.empty()) {
        // Of several chosen rows a single-choice list keeps the one that had the focus, if chosen.
        int32_t keep = view.selected.front();
        for (int32_t row : view.selected)
            if (row == view.caret) keep = row;
        if (keep < count) SendMessageW(window, LB_SETCURSEL, keep, 0);
    }
    if (view.top >= 0 && view.top < count) SendMessageW(window, LB_SETTOPINDEX, view.top, 0);
}

}  // namespace palvex
