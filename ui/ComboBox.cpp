#include "ui/ComboBox.h"

#include "base/Error.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"

namespace ui {
using detail::WindowText;

ComboBox::ComboBox(Form* form, std::wstring name) : ListControl(form, std::move(name)) {
    p_.height = 315;
    p_.width = 1815;
}

ListControl::Messages ComboBox::Msgs() const {
    return {CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL, CB_SETITEMDATA};
}

std::wstring ComboBox::Text() const {
    if (hwnd_) return WindowText(hwnd_);
    if (style_ == 2) return List(s_.listIndex);
    return s_.text;
}

void ComboBox::SetText(const std::wstring& text) {
    if (style_ == 2) {
        for (int i = 0; i < ListCount(); ++i)
            if (_wcsicmp(List(i).c_str(), text.c_str()) == 0) {
                SetListIndex(i);
                return;
            }
        throw zv::Error(L"'Text' property is read-only");
    }
    bool changed = Text() != text;
    s_.text = text;
    if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
    if (changed) Fire(Change);
}

bool ComboBox::DroppedDown() const { return hwnd_ && SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void ComboBox::OnListIndexSet() {
    if (s_.listIndex >= 0) s_.text = List(s_.listIndex);
}

int ComboBox::DropHeight() const { return style_ == 1 ? 0 : 200; }

void ComboBox::Move(long left, long top, long width, long height) {
    Control::Move(left, top, width, height);
    if (hwnd_) {
        RECT r = PixelRect();
        MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top + DropHeight(), TRUE);
    }
}

void ComboBox::OnCommand(int code) {
    switch (code) {
        case CBN_SELCHANGE: {
            int i = ListIndex();
            s_.listIndex = i;
            if (i >= 0) s_.text = List(i);
            Fire(Click);
            break;
        }
        case CBN_EDITCHANGE:
            Fire(Change);
            break;
        case CBN_DROPDOWN:
            Fire(DropDown);
            break;
        default: break;
    }
}

void ComboBox::CreateKindWindow() {
    DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
    style |= style_ == 2 ? CBS_DROPDOWNLIST : style_ == 1 ? CBS_SIMPLE : CBS_DROPDOWN;
    CreateNative(L"COMBOBOX", style, 0, L"");
    if (hwnd_) {
        RECT r = PixelRect();
        MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top + DropHeight(), FALSE);
    }
}

void ComboBox::AfterCreate() {
    FillWindow();
    if (style_ != 2 && s_.listIndex < 0) SetWindowTextW(hwnd_, s_.text.c_str());
}

void ComboBox::BeforeDestroy() {
    if (!hwnd_) return;
    s_.listIndex = ListIndex();
    s_.text = WindowText(hwnd_);
}

}  // namespace ui
