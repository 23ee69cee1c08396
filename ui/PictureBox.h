#pragma once
// Picture box: a window the program draws on through its device context (in the Paint event),
// a container for other controls, with mouse events in twips.

#include "ui/Control.h"

namespace ui {

struct PictureBoxState {
    int borderStyle = 1;  // 0 none, 1 fixed single (sunken)
};

class PictureBox : public ControlWithState<PictureBox, PictureBoxState> {
public:
    PictureBox(Form* form, std::wstring name);
    int BorderStyle() const { return s_.borderStyle; }
    void SetBorderStyle(int v);
    long ScaleWidth() const;   // inner size in twips
    long ScaleHeight() const;
    // The window's own device context (valid while the form is loaded; the class keeps one per
    // window, so it is the same in and out of the Paint event).
    HDC hDC() const;
    void Cls();
    // The picture shown in the box's top-left corner, under what the Paint event draws.
    void LoadPicture(const std::wstring& bmpPath);  // "" clears it; a file that is no picture is an error
    void SetPicture(Bitmap bitmap);
    HBITMAP Picture() const { return picture_.Get(); }
    void DrawPicture(HDC dc) const;

    bool IsContainer() const override { return true; }
    void Move(long left, long top, long width, long height) override;

    // The box's size changed, by Move or by whoever else placed its window (a text control that
    // hosts it, for one).
    std::function<void()> Resize;
    // Used by the window procedure: the window was moved or sized; a place given from outside
    // becomes the box's own, so Left, Top, Width and Height tell where it is.
    void WindowPlaced();

private:
    Bitmap picture_;
    SIZE pixelSize_{0, 0};  // the window's size when Resize last fired

protected:
    void CreateKindWindow() override;
    // The window keeps one DC: it gets the control's font and colours once, as drawing expects.
    void AfterCreate() override;
};

}  // namespace ui
