#pragma once
// The ruler above a text control: the page's text column in inches, the current paragraph's
// first-line, left and right indents as markers the author drags, and its tab stops.

#include "components/textcontrol/win32/ToolWindow.h"

namespace tx {

class TXRuler : public ToolWindow {
public:
    TXRuler(ui::Form* form, std::wstring name);

    enum class Marker { None, FirstIndent, LeftIndent, RightIndent };
    // Where a marker stands, in the ruler's client pixels (-1 without a bound control).
    int MarkerX(Marker marker) const;
    // The page x (twips) under a ruler pixel.
    int PageXAt(int pixelX) const;

protected:
    void Draw(HDC dc) override;
    void OnMouse(UINT msg, POINT pt) override;

private:
    int ToPixel(int pageX) const;
    Marker dragging_ = Marker::None;
    int dragX_ = 0;
};

}  // namespace tx
