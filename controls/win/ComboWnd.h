#pragma once
// Owns one native drop-down combo box child window.

#include "controls/win/NativeListWnd.h"

namespace palvex {

using ComboWndEvents = NativeWndEvents;

class ComboWnd final : public NativeListWnd {
public:
    explicit ComboWnd(NativeWndEvents* events = nullptr);

    bool Locked() const { return locked_; }
    void SetLocked(bool value);

private:
    bool locked_ = false;
};

}  // namespace palvex
