#include "ui/Image.h"

#include "ui/Picture.h"
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
    SetPicture(LoadPictureFile(path));
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
    SIZE size = BitmapSize(picture_.Get());
    Move(p_.left, p_.top, PixelsToTwipsX(size.cx), PixelsToTwipsY(size.cy));
}

void Image::PaintWindowless(HDC dc) { DrawBitmap(dc, picture_.Get(), PixelRect(), s_.stretch); }

}  // namespace ui
