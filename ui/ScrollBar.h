#pragma once
// Horizontal and vertical scroll bars: Min may exceed Max (the bar then runs the other way).
// Change fires when the value changes (by the program or at the end of a move); Scroll fires
// while the thumb is dragged.

#include "ui/Control.h"

namespace ui {

struct ScrollBarState {
    int min = 0, max = 32767, value = 0;
    int smallChange = 1, largeChange = 1;
};

class ScrollBar : public ControlWithState<ScrollBar, ScrollBarState> {
public:
    int Min() const { return s_.min; }
    void SetMin(int v);
    int Max() const { return s_.max; }
    void SetMax(int v);
    int Value() const { return s_.value; }
    void SetValue(int v);  // outside Min..Max: an error, nothing changes
    int SmallChange() const { return s_.smallChange; }
    void SetSmallChange(int v);
    int LargeChange() const { return s_.largeChange; }
    void SetLargeChange(int v);
    bool Vertical() const { return vertical_; }

    void OnScroll(int code, int position) override;

protected:
    ScrollBar(Form* form, std::wstring name, bool vertical);
    void CreateKindWindow() override;
    void AfterCreate() override { Sync(); }

private:
    int Range() const { return s_.max >= s_.min ? s_.max - s_.min : s_.min - s_.max; }
    int ToNative(int value) const { return s_.max >= s_.min ? value - s_.min : s_.min - value; }
    int FromNative(int pos) const { return s_.max >= s_.min ? s_.min + pos : s_.min - pos; }
    void Sync();
    void ClampAfterRangeChange();
    bool vertical_;
};

class HScrollBar : public ScrollBar {
public:
    HScrollBar(Form* form, std::wstring name) : ScrollBar(form, std::move(name), false) {}
};

class VScrollBar : public ScrollBar {
public:
    VScrollBar(Form* form, std::wstring name) : ScrollBar(form, std::move(name), true) {}
};

}  // namespace ui
