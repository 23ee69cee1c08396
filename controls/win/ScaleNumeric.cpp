#include "controls/win/ScaleNumeric.h"

namespace palvex {

void ScaleNumeric::RefreshDeviceCaps() {
    if (device_) {
        SetResolution(GetDeviceCaps(device_, LOGPIXELSX), GetDeviceCaps(device_, LOGPIXELSY));
        return;
    }
    HDC screen = GetDC(nullptr);
    SetResolution(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
}

}  // namespace palvex
