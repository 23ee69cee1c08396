#pragma once
// Combo box: drop-down combo (0, the text can be typed), simple (1) or drop-down list (2).

#include "ui/ListControl.h"

namespace ui {

class ComboBox : public ListControl {
public:
    ComboBox(Form* form, std::wstring name);
    int Style() const { return style_; }
    void SetStyle(int v) { style_ = v; }  // design time
    std::wstring Text() const;
    // A drop-down list only takes a text that is one of its items (it chooses that item).
    void SetText(const std::wstring& text);
    bool DroppedDown() const;
    std::function<void()> DropDown;

    void Move(long left, long top, long width, long height) override;
    bool WantsEnterKey() const override { return DroppedDown(); }
    bool WantsEscapeKey() const override { return DroppedDown(); }
    void OnCommand(int code) override;

protected:
    Messages Msgs() const override;
    void CreateKindWindow() override;
    void AfterCreate() override;
    void BeforeDestroy() override;
    void OnListIndexSet() override;

private:
    int DropHeight() const;
    int style_ = 0;
};

}  // namespace ui
