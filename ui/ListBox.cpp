#include "ui/ListBox.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Twips.h"

namespace ui {

ListBox::ListBox(Form* form, std::wstring name) : ListControl(form, std::move(name)) {
    p_.width = 1815;
    p_.height = 1230;
}

ListControl::Messages ListBox::Msgs() const {
    return {LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
            static_cast<UINT>(multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL),
            static_cast<UINT>(multiSelect_ ? LB_SETCARETINDEX : LB_SETCURSEL), LB_SETITEMDATA};
}

bool ListBox::Selected(int index) const {
    CheckIndex(index);
    if (CheckBoxes()) return static_cast<size_t>(index) < checked_.size() && checked_[static_cast<size_t>(index)];
    if (hwnd_) return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    if (!multiSelect_) return index == s_.listIndex;
    return static_cast<size_t>(index) < selected_.size() && selected_[static_cast<size_t>(index)];
}

void ListBox::SetSelected(int index, bool v) {
    CheckIndex(index);
    if (CheckBoxes()) {
        SetChecked(index, v);
        return;
    }
    if (!multiSelect_) {
        if (v) SetListIndex(index);
        else if (ListIndex() == index) SetListIndex(-1);
        return;
    }
    if (selected_.size() < s_.items.size()) selected_.resize(s_.items.size());
    selected_[static_cast<size_t>(index)] = v;
    if (hwnd_) SendMessageW(hwnd_, LB_SETSEL, v, static_cast<LPARAM>(index));
    Fire(Click);
}

int ListBox::SelCount() const {
    int n = 0;
    for (int i = 0; i < ListCount(); ++i)
        if (Selected(i)) ++n;
    return n;
}

int ListBox::TopIndex() const { return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0)) : topIndex_; }

void ListBox::SetTopIndex(int v) {
    topIndex_ = v;
    if (hwnd_) SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(v), 0);
}

long ListBox::ItemHeight() const {
    if (hwnd_) return PixelsToTwipsY(static_cast<int>(SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0)));
    return 195;
}

void ListBox::OnItemsChanged(int index, int delta) {
    // The choices and checks made before the window exists follow their items.
    for (std::vector<bool>* marks : {&selected_, &checked_}) {
        if (index < 0) {
            marks->clear();
            continue;
        }
        if (marks->size() < s_.items.size()) marks->resize(s_.items.size());
        if (delta > 0) marks->insert(marks->begin() + index, false);
        else if (static_cast<size_t>(index) < marks->size()) marks->erase(marks->begin() + index);
        marks->resize(s_.items.size());
    }
}

void ListBox::SetChecked(int index, bool v) {
    if (checked_.size() < s_.items.size()) checked_.resize(s_.items.size());
    if (checked_[static_cast<size_t>(index)] == v) return;
    checked_[static_cast<size_t>(index)] = v;
    if (hwnd_) {
        RECT item{};
        if (SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
            InvalidateRect(hwnd_, &item, FALSE);
    }
    if (auto f = ItemCheck) f(index);
}

int ListBox::BoxWidth() const { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }

bool ListBox::OnMeasureItem(MEASUREITEMSTRUCT& measure) {
    if (!CheckBoxes()) return false;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, EffectiveFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(metrics.tmHeight + 2, GetSystemMetrics(SM_CYMENUCHECK) + 2));
    return true;
}

bool ListBox::OnDrawItem(DRAWITEMSTRUCT& draw) {
    if (!CheckBoxes()) return false;
    if (draw.itemID == static_cast<UINT>(-1)) {
        if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
        return true;
    }
    const int index = static_cast<int>(draw.itemID);
    const bool chosen = (draw.itemState & ODS_SELECTED) != 0;
    const bool enabled = !(draw.itemState & ODS_DISABLED);
    RECT row = draw.rcItem;
    FillRect(draw.hDC, &row, GetSysColorBrush(COLOR_WINDOW));
    const int box = GetSystemMetrics(SM_CXMENUCHECK);
    RECT check{row.left + 2, row.top + (row.bottom - row.top - box) / 2, 0, 0};
    check.right = check.left + box;
    check.bottom = check.top + box;
    UINT state = DFCS_BUTTONCHECK | (Selected(index) ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE);
    DrawFrameControl(draw.hDC, &check, DFC_BUTTON, state);
    RECT text = row;
    text.left += BoxWidth();
    FillRect(draw.hDC, &text, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(!enabled ? COLOR_GRAYTEXT : chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring& item = s_.items[static_cast<size_t>(index)];
    RECT inner = text;
    inner.left += 2;
    DrawTextW(draw.hDC, item.c_str(), static_cast<int>(item.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &text);
    return true;
}

bool ListBox::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!CheckBoxes()) return false;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        // A press on an item's box toggles its check; the list still chooses the item as usual.
        const LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, lp);
        const int index = LOWORD(hit);
        if (HIWORD(hit) == 0 && index < ListCount()) {
            RECT item{};
            SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
            if (GET_X_LPARAM(lp) < item.left + BoxWidth()) SetChecked(index, !Selected(index));
        }
        return false;
    }
    if (msg == WM_CHAR && wp == L' ') {
        const int index = static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
        if (index >= 0 && index < ListCount()) SetChecked(index, !Selected(index));
        result = 0;
        return true;
    }
    return false;
}

void ListBox::OnCommand(int code) {
    if (code == LBN_SELCHANGE) {
        s_.listIndex = ListIndex();
        Fire(Click);
    } else if (code == LBN_DBLCLK) {
        Fire(DblClick);
    }
}

void ListBox::CreateKindWindow() {
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (CheckBoxes()) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (multiSelect_ == 1) style |= LBS_MULTIPLESEL;
    if (multiSelect_ == 2) style |= LBS_EXTENDEDSEL;
    CreateNative(L"LISTBOX", style, WS_EX_CLIENTEDGE, L"");
}

void ListBox::AfterCreate() {
    FillWindow();
    if (multiSelect_) {
        for (size_t i = 0; i < selected_.size() && i < s_.items.size(); ++i)
            if (selected_[i]) SendMessageW(hwnd_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }
    SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
}

void ListBox::BeforeDestroy() {
    if (!hwnd_) return;
    s_.listIndex = ListIndex();
    topIndex_ = TopIndex();
}

}  // namespace ui
