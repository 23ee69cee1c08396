#include "ui/Picture.h"

#include "base/Error.h"

namespace ui {

Bitmap LoadPictureFile(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) throw zv::Error(L"File not found: " + path);
    HBITMAP h = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!h) throw zv::Error(L"Invalid picture: " + path);
    return Bitmap(h);
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

}  // namespace ui
