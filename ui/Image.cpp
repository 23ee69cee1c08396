#include "ui/Image.h"

#include "base/Error.h"
#include "ui/Twips.h"

namespace ui {

Image::Image(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    MakeWindowless();
    p_.tabStop = false;
}

void Image::LoadPicture(const std::wstring& path) {
    if (path.empty()) {
        SetPicture(Bitmap());
        return;
    }
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) throw zv::Error(L"File not found: " + path);
    HBITMAP h = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!h) throw zv::Error(L"Invalid picture: " + path);
    SetPicture(Bitmap(h));
}

void Image::SetPicture(Bitmap bitmap) {
    InvalidateInContainer();
    picture_ = std::move(bitmap);
    if (!s_.stretch) FitToPicture();
    InvalidateInContainer();
}

void Image::SetStretch(bool v) {
    s_.stretch = v;
    if (!v) FitToPicture();
    InvalidateInContainer();
}

void Image::FitToPicture() {
    if (!picture_) return;
    BITMAP bm{};
    GetObjectW(picture_.Get(), sizeof bm, &bm);
    Move(p_.left, p_.top, PixelsToTwipsX(bm.bmWidth), PixelsToTwipsY(bm.bmHeight));
}

void Image::PaintWindowless(HDC dc) {
    if (!picture_) return;
    BITMAP bm{};
    GetObjectW(picture_.Get(), sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(dc);
    if (!mem) return;
    {
        SelectIn sel(mem, picture_.Get());
        RECT r = PixelRect();
        if (s_.stretch) {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        } else {
            BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        }
    }
    DeleteDC(mem);
}

}  // namespace ui
