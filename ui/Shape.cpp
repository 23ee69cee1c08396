#include "ui/Shape.h"

#include <algorithm>

#include "base/Error.h"
#include "ui/Line.h"

namespace ui {

Shape::Shape(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    MakeWindowless();
    p_.tabStop = false;
    p_.width = 1215;
    p_.height = 855;
    p_.back = 0xFFFFFFUL;
}

void Shape::SetBorderWidth(int v) {
    // 0 draws no border: a width computed from a borderless table must not fail the form's load.
    if (v < 0 || v > 8192) throw zv::Error(L"Invalid property value");
    s_.borderWidth = v;
    InvalidateInContainer();
}

void Shape::PaintWindowless(HDC dc) {
    RECT r = PixelRect();
    if (s_.shape == 1 || s_.shape == 3 || s_.shape == 5) {
        int side = std::min(r.right - r.left, r.bottom - r.top);
        int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        r = {cx - side / 2, cy - side / 2, cx - side / 2 + side, cy - side / 2 + side};
    }
    auto draw = [&](HDC d) {
        int round = std::min(r.right - r.left, r.bottom - r.top) / 4;
        switch (s_.shape) {
            case 2: case 3: Ellipse(d, r.left, r.top, r.right, r.bottom); break;
            case 4: case 5: RoundRect(d, r.left, r.top, r.right, r.bottom, round, round); break;
            default: Rectangle(d, r.left, r.top, r.right, r.bottom); break;
        }
    };
    HGDIOBJ nullPen = GetStockObject(NULL_PEN);
    HGDIOBJ nullBrush = GetStockObject(NULL_BRUSH);
    if (s_.backStyle == 1) {
        Brush b(CreateSolidBrush(ToColorRef(BackColor())));
        SelectIn pen(dc, nullPen);
        SelectIn brush(dc, b.Get());
        draw(dc);
    }
    if (s_.fillStyle == 0) {
        Brush b(CreateSolidBrush(ToColorRef(s_.fillColor)));
        SelectIn pen(dc, nullPen);
        SelectIn brush(dc, b.Get());
        draw(dc);
    }
    // The border lies inside the shape's box, however wide.
    Pen pen(s_.borderWidth > 0 ? MakeBorderPen(s_.borderStyle == 1 ? 6 : s_.borderStyle, s_.borderWidth, s_.borderColor) : nullptr);
    if (pen) {
        SelectIn p(dc, pen.Get());
        SelectIn brush(dc, nullBrush);
        draw(dc);
    }
}

}  // namespace ui
