#pragma once
// List box: single or multiple choice, top index, item height, dragging. With Style 1 every item
// has a check box: Selected then reads and sets the check, which a click on the box or the space bar
// toggles, and ItemCheck tells of each change.

#include "ui/ListControl.h"

namespace ui {

class ListBox : public ListControl {
public:
    ListBox(Form* form, std::wstring name);
    int MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(int v) { multiSelect_ = v; }  // design time: 0 none, 1 simple, 2 extended
    int Style() const { return style_; }
    void SetStyle(int v) { style_ = v; }  // design time: 0 standard, 1 check boxes
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const;
    int TopIndex() const;
    void SetTopIndex(int v);
    long ItemHeight() const;  // twips
    std::wstring Text() const { return List(ListIndex()); }

    void OnCommand(int code) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& measure) override;
    bool OnDrawItem(DRAWITEMSTRUCT& draw) override;

    // Style 1: an item's check changed, by a person or by the program.
    std::function<void(int Index)> ItemCheck;

protected:
    Messages Msgs() const override;
    void CreateKindWindow() override;
    void AfterCreate() override;
    void BeforeDestroy() override;
    void OnItemsChanged(int index, int delta) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    bool CheckBoxes() const { return style_ == 1; }
    void SetChecked(int index, bool v);
    // The width of the check box column, in pixels.
    int BoxWidth() const;

    int multiSelect_ = 0;
    int style_ = 0;
    std::vector<bool> checked_;
    int topIndex_ = 0;
    std::vector<bool> selected_;
};

}  // namespace ui
