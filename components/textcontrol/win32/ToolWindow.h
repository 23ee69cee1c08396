#pragma once
// The common part of the ruler, the button bar and the status bar: a form control with a window of
// our own class that is bound to a text control through that control's Set...Handle(hWnd) and
// repaints when the control's state changes what the tool shows. Painting is double-buffered.

#include "components/textcontrol/win32/TextControl.h"
#include "ui/Control.h"

namespace tx {

class ToolWindow : public ui::Control {
public:
    ToolWindow(ui::Form* form, std::wstring name);
    ~ToolWindow() override;
    TextControl* Bound() const { return bound_; }
    // Client size in pixels.
    SIZE ClientSize() const;
    // Paints into a DC (the same as the window shows), for tests.
    void PaintInto(HDC dc) { Draw(dc); }

protected:
    void CreateKindWindow() override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    virtual void Draw(HDC dc) = 0;
    // Whether the tool would now draw something other than what it drew last. The control tells
    // its tools of every change, a typed key included, and most leave a tool as it was: those
    // draw nothing.
    virtual bool PictureChanged() const { return true; }
    virtual void OnBound() {}
    virtual void OnMouse(UINT msg, POINT pt) {}
    void Redraw();

private:
    void Unbind();
    void Paint();
    TextControl* bound_ = nullptr;
    // Kept between paints: a status bar is drawn again at every typed key.
    ui::Bitmap backBitmap_;
    ui::OwnedDc backDc_;  // goes first: the bitmap is no longer selected when it is deleted
    HGDIOBJ firstBitmap_ = nullptr;
    SIZE backSize_{0, 0};
};

}  // namespace tx
