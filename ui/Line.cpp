#include "ui/Line.h"

#include <algorithm>

#include "base/Error.h"
#include "ui/Twips.h"

namespace ui {

HPEN MakeBorderPen(int borderStyle, int widthPixels, unsigned long oleColor) {
    if (borderStyle == 0) return nullptr;
    int style = PS_SOLID;
    switch (borderStyle) {
        case 2: style = PS_DASH; break;
        case 3: style = PS_DOT; break;
        case 4: style = PS_DASHDOT; break;
        case 5: style = PS_DASHDOTDOT; break;
        case 6: style = PS_INSIDEFRAME; break;
        default: break;
    }
    // Wide pens are always solid in GDI, as they were in the original runtime.
    return CreatePen(widthPixels > 1 && style != PS_INSIDEFRAME ? PS_SOLID : style, std::max(1, widthPixels), ToColorRef(oleColor));
}

Line::Line(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    MakeWindowless();
    p_.tabStop = false;
    SetPoints(s_.x1, s_.y1, s_.x2, s_.y2);
}

void Line::SetPoints(long x1, long y1, long x2, long y2) {
    InvalidateInContainer();
    s_.x1 = x1;
    s_.y1 = y1;
    s_.x2 = x2;
    s_.y2 = y2;
    // The bounding box stands in the base geometry, so that repaints cover the line.
    p_.left = std::min(x1, x2);
    p_.top = std::min(y1, y2);
    p_.width = std::max(x1, x2) - p_.left + 15;
    p_.height = std::max(y1, y2) - p_.top + 15;
    InvalidateInContainer();
}

void Line::SetBorderWidth(int v) {
    // 0 draws no line: a width computed from a borderless table must not fail the form's load.
    if (v < 0 || v > 8192) throw zv::Error(L"Invalid property value");
    s_.borderWidth = v;
    InvalidateInContainer();
}

void Line::SetBorderColor(unsigned long v) {
    s_.borderColor = v;
    InvalidateInContainer();
}

void Line::SetBorderStyle(int v) {
    s_.borderStyle = v;
    InvalidateInContainer();
}

void Line::PaintWindowless(HDC dc) {
    if (s_.borderWidth == 0) return;
    Pen pen(MakeBorderPen(s_.borderStyle, s_.borderWidth, s_.borderColor));
    if (!pen) return;
    SelectIn sel(dc, pen.Get());
    MoveToEx(dc, TwipsToPixelsX(s_.x1), TwipsToPixelsY(s_.y1), nullptr);
    LineTo(dc, TwipsToPixelsX(s_.x2), TwipsToPixelsY(s_.y2));
}

}  // namespace ui
