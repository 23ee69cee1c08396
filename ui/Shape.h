#pragma once
// Shape: rectangle, square, oval, circle and rounded forms, drawn by its container.

#include "ui/Control.h"

namespace ui {

struct ShapeState {
    int shape = 0;  // vbShapeRectangle ...
    int borderWidth = 1;
    unsigned long borderColor = 0x80000008UL;
    int borderStyle = 1;
    int fillStyle = 1;  // 0 solid, 1 transparent
    unsigned long fillColor = 0x000000;
    int backStyle = 0;  // 0 transparent, 1 opaque
};

class Shape : public ControlWithState<Shape, ShapeState> {
public:
    Shape(Form* form, std::wstring name);
    int Kind() const { return s_.shape; }
    void SetKind(int v) { s_.shape = v; InvalidateInContainer(); }  // the program's Shape property
    int BorderWidth() const { return s_.borderWidth; }
    void SetBorderWidth(int v);
    unsigned long BorderColor() const { return s_.borderColor; }
    void SetBorderColor(unsigned long v) { s_.borderColor = v; InvalidateInContainer(); }
    int BorderStyle() const { return s_.borderStyle; }
    void SetBorderStyle(int v) { s_.borderStyle = v; InvalidateInContainer(); }
    int FillStyle() const { return s_.fillStyle; }
    void SetFillStyle(int v) { s_.fillStyle = v; InvalidateInContainer(); }
    unsigned long FillColor() const { return s_.fillColor; }
    void SetFillColor(unsigned long v) { s_.fillColor = v; InvalidateInContainer(); }
    int BackStyle() const { return s_.backStyle; }
    void SetBackStyle(int v) { s_.backStyle = v; InvalidateInContainer(); }

    bool CanTakeFocus() const override { return false; }
    void PaintWindowless(HDC dc) override;

protected:
    void CreateKindWindow() override {}
};

}  // namespace ui
