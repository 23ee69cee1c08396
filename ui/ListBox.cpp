#include "ui/ListBox.h"

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
    if (hwnd_) return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    if (!multiSelect_) return index == s_.listIndex;
    return static_cast<size_t>(index) < selected_.size() && selected_[static_cast<size_t>(index)];
}

void ListBox::SetSelected(int index, bool v) {
    CheckIndex(index);
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
    // The choices made before the window exists follow their items.
    if (index < 0) {
        selected_.clear();
        return;
    }
    if (selected_.size() < s_.items.size()) selected_.resize(s_.items.size());
    if (delta > 0) selected_.insert(selected_.begin() + index, false);
    else if (static_cast<size_t>(index) < selected_.size()) selected_.erase(selected_.begin() + index);
    selected_.resize(s_.items.size());
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
