#include "ui/gallery/GalleryShot.h"

#include <string>

#include "base/Files.h"
#include "ui/Handles.h"

namespace ui {

bool SaveWindowPicture(HWND hwnd, const std::wstring& path) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return false;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
    void* bits = nullptr;
    Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    OwnedDc mem(CreateCompatibleDC(nullptr));
    if (!bmp || !mem) return false;
    {
        SelectIn sel(mem.Get(), bmp.Get());
        // The screen holds the window with its children as they are drawn.
        WindowDc screen(nullptr);
        BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    size_t imageSize = stride * static_cast<size_t>(h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + imageSize);
    std::string file(fh.bfSize, '\0');
    BITMAPINFOHEADER ih = bi.bmiHeader;
    ih.biSizeImage = static_cast<DWORD>(imageSize);
    memcpy(file.data(), &fh, sizeof fh);
    memcpy(file.data() + sizeof fh, &ih, sizeof ih);
    memcpy(file.data() + fh.bfOffBits, bits, imageSize);
    try {
        zv::WriteFileReplacing(path, file);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace ui
