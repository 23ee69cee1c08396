#pragma once
// Owns one native list box child window.

#include <vector>

#include "controls/win/NativeListWnd.h"

namespace palvex {

using ListWndEvents = NativeWndEvents;

class ListWnd final : public NativeListWnd {
public:
    explicit ListWnd(NativeWndEvents* events = nullptr);

    // Whether the row is chosen (false without window); the let does nothing without window.
    bool Selected(int32_t index) const;
    void SetSelected(int32_t index, bool value);

    // What a person chose and sees, so that a new window of the same rows shows it again.
    struct View {
        std::vector<int32_t> selected;
        int32_t caret = -1;
        int32_t top = 0;
    };
    View SaveView() const;
    // Rows that the window cannot show chosen (one in a single-choice list) are left out.
    void RestoreView(const View& view);
};

}  // namespace palvex
