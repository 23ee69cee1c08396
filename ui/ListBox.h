#pragma once
// List box: single or multiple choice, top index, item height, dragging.

#include "ui/ListControl.h"

namespace ui {

class ListBox : public ListControl {
public:
    ListBox(Form* form, std::wstring name);
    int MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(int v) { multiSelect_ = v; }  // design time: 0 none, 1 simple, 2 extended
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const;
    int TopIndex() const;
    void SetTopIndex(int v);
    long ItemHeight() const;  // twips
    std::wstring Text() const { return List(ListIndex()); }

    void OnCommand(int code) override;

protected:
    Messages Msgs() const override;
    void CreateKindWindow() override;
    void AfterCreate() override;
    void BeforeDestroy() override;
    void OnItemsChanged(int index, int delta) override;

private:
    int multiSelect_ = 0;
    int topIndex_ = 0;
    std::vector<bool> selected_;
};

}  // namespace ui
