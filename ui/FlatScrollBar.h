#pragma once
// The flat scroll bar: a scroll bar whose direction is a setting (as the flat kind has it rather
// than two classes) with the same range, steps, value and Change event as the intrinsic ones. It
// draws as the system's scroll bar. Enabled is the switch a container turns off when what the bar
// would move already fits.

#include "ui/ScrollBar.h"

namespace ui {

inline constexpr int fsbVertical = 0;
inline constexpr int fsbHorizontal = 1;

class FlatScrollBar : public ScrollBar {
public:
    FlatScrollBar(Form* form, std::wstring name, int orientation)
        : ScrollBar(form, std::move(name), orientation == fsbVertical), orientation_(orientation) {}
    int Orientation() const { return orientation_; }

private:
    int orientation_;
};

}  // namespace ui
