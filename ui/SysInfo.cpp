#include "ui/SysInfo.h"

#include "ui/Twips.h"

namespace ui {
namespace {

RECT WorkArea() {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace

SysInfo::SysInfo(Form* form, std::wstring name) : Control(form, std::move(name)) {
    MakeWindowless();
    p_.tabStop = false;
    p_.visible = false;
    p_.width = p_.height = 0;
}

long SysInfo::WorkAreaLeft() const { return PixelsToTwipsX(WorkArea().left); }
long SysInfo::WorkAreaTop() const { return PixelsToTwipsY(WorkArea().top); }
long SysInfo::WorkAreaWidth() const {
    const RECT r = WorkArea();
    return PixelsToTwipsX(r.right - r.left);
}
long SysInfo::WorkAreaHeight() const {
    const RECT r = WorkArea();
    return PixelsToTwipsY(r.bottom - r.top);
}

}  // namespace ui
