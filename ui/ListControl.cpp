#include "ui/ListControl.h"

#include "base/Error.h"

namespace ui {

void ListControl::CheckIndex(int index) const {
    if (index < 0 || index >= ListCount()) throw zv::Error(L"Invalid property array index");
}

void ListControl::AddItem(const std::wstring& item, int index) {
    int count = ListCount();
    if (index < -1 || index > count) throw zv::Error(L"Invalid procedure call or argument");
    if (index == -1) {
        index = count;
        if (s_.sorted) {
            index = 0;
            while (index < count && _wcsicmp(s_.items[static_cast<size_t>(index)].c_str(), item.c_str()) <= 0) ++index;
        }
    }
    s_.items.insert(s_.items.begin() + index, item);
    s_.itemData.insert(s_.itemData.begin() + index, 0);
    if (s_.listIndex >= index) ++s_.listIndex;
    s_.newIndex = index;
    OnItemsChanged(index, +1);
    if (hwnd_) SendMessageW(hwnd_, Msgs().insertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) throw zv::Error(L"Invalid procedure call or argument");
    int current = ListIndex();
    s_.items.erase(s_.items.begin() + index);
    s_.itemData.erase(s_.itemData.begin() + index);
    if (current == index) s_.listIndex = -1;
    else if (current > index) s_.listIndex = current - 1;
    else s_.listIndex = current;
    s_.newIndex = -1;
    OnItemsChanged(index, -1);
    if (hwnd_) {
        SendMessageW(hwnd_, Msgs().deleteString, static_cast<WPARAM>(index), 0);
        SendMessageW(hwnd_, Msgs().setCurSel, static_cast<WPARAM>(s_.listIndex), 0);
    }
}

void ListControl::Clear() {
    s_.items.clear();
    s_.itemData.clear();
    s_.listIndex = -1;
    s_.newIndex = -1;
    OnItemsChanged(-1, 0);
    if (hwnd_) SendMessageW(hwnd_, Msgs().resetContent, 0, 0);
}

std::wstring ListControl::List(int index) const {
    if (index < 0 || index >= ListCount()) return L"";
    return s_.items[static_cast<size_t>(index)];
}

void ListControl::SetList(int index, const std::wstring& text) {
    if (index == ListCount()) {
        AddItem(text);
        return;
    }
    CheckIndex(index);
    int current = ListIndex();
    s_.items[static_cast<size_t>(index)] = text;
    if (hwnd_) {
        SendMessageW(hwnd_, Msgs().deleteString, static_cast<WPARAM>(index), 0);
        SendMessageW(hwnd_, Msgs().insertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(hwnd_, Msgs().setCurSel, static_cast<WPARAM>(current), 0);
    }
}

long ListControl::ItemData(int index) const {
    CheckIndex(index);
    return s_.itemData[static_cast<size_t>(index)];
}

void ListControl::SetItemData(int index, long value) {
    CheckIndex(index);
    s_.itemData[static_cast<size_t>(index)] = value;
}

int ListControl::ListIndex() const {
    if (hwnd_) return static_cast<int>(SendMessageW(hwnd_, Msgs().getCurSel, 0, 0));
    return s_.listIndex;
}

void ListControl::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw zv::Error(L"Invalid property value");
    bool changed = ListIndex() != index;
    s_.listIndex = index;
    if (hwnd_) SendMessageW(hwnd_, Msgs().setCurSel, static_cast<WPARAM>(index), 0);
    OnListIndexSet();
    if (changed) Fire(Click);
}

void ListControl::FillWindow() {
    SendMessageW(hwnd_, Msgs().resetContent, 0, 0);
    for (const auto& item : s_.items) SendMessageW(hwnd_, Msgs().addString, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(hwnd_, Msgs().setCurSel, static_cast<WPARAM>(s_.listIndex), 0);
}

}  // namespace ui
