#pragma once
// A page drawn onto a white bitmap at the screen's resolution, as print, preview and thumbnails
// draw it; the tests read its pixels.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "components/textcontrol/win32/TXTextControl.h"

struct PagePixels {
    int width = 0, height = 0, dpi = 96;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows from the top
    bool Ink(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != 0xFFFFFF;
    }
    int Px(int twips) const { return MulDiv(twips, dpi, 1440); }
    // The leftmost column with ink in any row (the width when there is none).
    int FirstInkColumn() const {
        int first = width;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < first; ++x)
                if (Ink(x, y)) first = x;
        return first;
    }
};

// What `draw` puts on a white bitmap of widthTwips x heightTwips.
inline PagePixels DrawOnWhite(long widthTwips, long heightTwips, const std::function<void(HDC)>& draw) {
    PagePixels page;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    page.dpi = GetDeviceCaps(dc, LOGPIXELSX);
    page.width = page.Px(widthTwips);
    page.height = page.Px(heightTwips);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), page.width, -page.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, page.width, page.height, WHITENESS);
        draw(dc);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        page.pixels.assign(p, p + static_cast<size_t>(page.width) * page.height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return page;
}

// A text control's first page printed at 100 %.
inline PagePixels PrintFirstPage(tx::TXTextControl& control) {
    return DrawOnWhite(control.Engine().PageWidth(), control.Engine().PageHeight(), [&](HDC dc) {
        control->SetPrintDevice(dc);
        control->SetPrintZoom(100);
        control->PrintPage(1);
        control->SetPrintDevice(nullptr);
    });
}
