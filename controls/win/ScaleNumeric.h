#pragma once
// A length converted between a device's pixels and container units, with the device's resolution.

#include <windows.h>

#include "controls/core/ScaleMath.h"

namespace palvex {

class ScaleNumeric : public ScaleNumericCore {
public:
    ScaleNumeric() { RefreshDeviceCaps(); }
    HDC Device() const { return device_; }
    // 0 = the screen; the resolutions are read again.
    void SetDevice(HDC device) {
        device_ = device;
        RefreshDeviceCaps();
    }
    void RefreshDeviceCaps();

private:
    HDC device_ = nullptr;
};

}  // namespace palvex
