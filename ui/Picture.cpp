#include "ui/Picture.h"

#include <algorithm>

#include "base/Error.h"

namespace ui {

Bitmap LoadPictureFile(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) throw zv::Error(L"File not found: " + path);
    HBITMAP h = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!h) throw zv::Error(L"Invalid picture: " + path);
    return Bitmap(h);
}

Bitmap LoadPictureResource(const wchar_t* name) {
    return Bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& at, bool stretch) {
    if (!bitmap) return;
    SIZE size = BitmapSize(bitmap);
    OwnedDc mem(CreateCompatibleDC(dc));
    if (!mem) return;
    SelectIn sel(mem.Get(), bitmap);
    if (stretch) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, mem.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    } else {
        BitBlt(dc, at.left, at.top, size.cx, size.cy, mem.Get(), 0, 0, SRCCOPY);
    }
}

void DrawBitmapSliced(HDC dc, HBITMAP bitmap, const RECT& at, int edge) {
    if (!bitmap) return;
    const SIZE size = BitmapSize(bitmap);
    const int w = at.right - at.left, h = at.bottom - at.top;
    // A box smaller than two corners keeps its corners the box's halves.
    const int ex = std::min<int>({edge, static_cast<int>(size.cx / 2), w / 2});
    const int ey = std::min<int>({edge, static_cast<int>(size.cy / 2), h / 2});
    OwnedDc mem(CreateCompatibleDC(dc));
    if (!mem || w <= 0 || h <= 0) return;
    SelectIn sel(mem.Get(), bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    const int srcX[] = {0, ex, size.cx - ex, size.cx}, srcY[] = {0, ey, size.cy - ey, size.cy};
    const int dstX[] = {at.left, at.left + ex, at.right - ex, at.right}, dstY[] = {at.top, at.top + ey, at.bottom - ey, at.bottom};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const int dw = dstX[col + 1] - dstX[col], dh = dstY[row + 1] - dstY[row];
            const int sw = srcX[col + 1] - srcX[col], sh = srcY[row + 1] - srcY[row];
            if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) continue;
            StretchBlt(dc, dstX[col], dstY[row], dw, dh, mem.Get(), srcX[col], srcY[row], sw, sh, SRCCOPY);
        }
}

}  // namespace ui
