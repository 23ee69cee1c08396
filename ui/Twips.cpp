#include "ui/Twips.h"

#include <windows.h>

#include <cmath>

namespace ui {
namespace {
struct Dpi {
    int x = 96, y = 96;
    Dpi() {
        HDC dc = GetDC(nullptr);
        if (dc) {
            x = GetDeviceCaps(dc, LOGPIXELSX);
            y = GetDeviceCaps(dc, LOGPIXELSY);
            ReleaseDC(nullptr, dc);
        }
        if (x <= 0) x = 96;
        if (y <= 0) y = 96;
    }
};
const Dpi& TheDpi() {
    static const Dpi dpi;
    return dpi;
}
int Round(double v) { return static_cast<int>(std::lround(v)); }
}  // namespace

int ScreenDpiX() { return TheDpi().x; }
int ScreenDpiY() { return TheDpi().y; }
int TwipsToPixelsX(long twips) { return Round(twips * static_cast<double>(ScreenDpiX()) / 1440.0); }
int TwipsToPixelsY(long twips) { return Round(twips * static_cast<double>(ScreenDpiY()) / 1440.0); }
long PixelsToTwipsX(int pixels) { return std::lround(pixels * 1440.0 / ScreenDpiX()); }
long PixelsToTwipsY(int pixels) { return std::lround(pixels * 1440.0 / ScreenDpiY()); }

}  // namespace ui
