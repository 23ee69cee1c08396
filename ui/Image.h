#pragma once
// Image: shows a picture (a bitmap file or a bitmap handed over), drawn by its container;
// stretched to the control or sizing the control to the picture.

#include "ui/Control.h"

namespace ui {

struct ImageState {
    bool stretch = false;
};

class Image : public ControlWithState<Image, ImageState> {
public:
    Image(Form* form, std::wstring name);
    // Loads a .bmp file; an empty path clears the picture. A file that is not a picture is an error.
    void LoadPicture(const std::wstring& path);
    void SetPicture(Bitmap bitmap);  // takes ownership
    bool HasPicture() const { return static_cast<bool>(picture_); }
    bool Stretch() const { return s_.stretch; }
    void SetStretch(bool v);

    bool CanTakeFocus() const override { return false; }
    void PaintWindowless(HDC dc) override;

protected:
    void CreateKindWindow() override {}

private:
    void FitToPicture();
    Bitmap picture_;
};

}  // namespace ui
