#pragma once
// Line: drawn by its container (no window of its own). Coordinates in twips in the container.

#include "ui/Control.h"

namespace ui {

struct LineState {
    long x1 = 0, y1 = 0, x2 = 1000, y2 = 0;
    int borderWidth = 1;  // pixels
    unsigned long borderColor = 0x80000008UL;
    int borderStyle = 1;  // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot
};

class Line : public ControlWithState<Line, LineState> {
public:
    Line(Form* form, std::wstring name);
    long X1() const { return s_.x1; }
    long Y1() const { return s_.y1; }
    long X2() const { return s_.x2; }
    long Y2() const { return s_.y2; }
    void SetX1(long v) { SetPoints(v, s_.y1, s_.x2, s_.y2); }
    void SetY1(long v) { SetPoints(s_.x1, v, s_.x2, s_.y2); }
    void SetX2(long v) { SetPoints(s_.x1, s_.y1, v, s_.y2); }
    void SetY2(long v) { SetPoints(s_.x1, s_.y1, s_.x2, v); }
    void SetPoints(long x1, long y1, long x2, long y2);
    int BorderWidth() const { return s_.borderWidth; }
    void SetBorderWidth(int v);
    unsigned long BorderColor() const { return s_.borderColor; }
    void SetBorderColor(unsigned long v);
    int BorderStyle() const { return s_.borderStyle; }
    void SetBorderStyle(int v);

    bool CanTakeFocus() const override { return false; }
    void PaintWindowless(HDC dc) override;

protected:
    void CreateKindWindow() override {}
    void AfterRestore() override { SetPoints(s_.x1, s_.y1, s_.x2, s_.y2); }
};

// A pen for a border style (solid, dash, dot ...) and width in pixels; nullptr for transparent.
HPEN MakeBorderPen(int borderStyle, int widthPixels, unsigned long oleColor);

}  // namespace ui
