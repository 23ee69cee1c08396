#pragma once
// What the combo box and the list box share: their items (text and item data), sorted insertion,
// the chosen index, and the window messages that mirror the items into the real control.

#include <vector>

#include "ui/Control.h"

namespace ui {

struct ListState {
    std::vector<std::wstring> items;
    std::vector<long> itemData;
    bool sorted = false;
    int listIndex = -1;
    int newIndex = -1;
    std::wstring text;  // combo box: the text of the edit part
};

class ListControl : public ControlWithState<ListControl, ListState> {
public:
    using ControlWithState::ControlWithState;

    // Adds an item at index (-1: at the end, or in order when Sorted).
    void AddItem(const std::wstring& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    std::wstring List(int index) const;  // "" beyond the items, as the program expects
    void SetList(int index, const std::wstring& text);
    int ListCount() const { return static_cast<int>(s_.items.size()); }
    long ItemData(int index) const;
    void SetItemData(int index, long value);
    int NewIndex() const { return s_.newIndex; }
    bool Sorted() const { return s_.sorted; }
    void SetSorted(bool v) { s_.sorted = v; }
    int ListIndex() const;
    void SetListIndex(int index);  // Click fires when the choice changes

protected:
    struct Messages {
        UINT addString, insertString, deleteString, resetContent, getCurSel, setCurSel, setItemData;
    };
    virtual Messages Msgs() const = 0;
    virtual void OnListIndexSet() {}
    // The item list changed (index, +1 inserted or -1 removed; Clear: index -1).
    virtual void OnItemsChanged(int index, int delta) {}
    void FillWindow();
    void CheckIndex(int index) const;
};

}  // namespace ui
