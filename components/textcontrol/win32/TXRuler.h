#pragma once
// The ruler above a text control: the page's text column in inches, the current paragraph's
// first-line, left and right indents as markers the author drags, and its tab stops.

#include <vector>

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
    bool PictureChanged() const override { return Compose() != drawn_; }
    void OnMouse(UINT msg, POINT pt) override;

private:
    // Everything the ruler draws, in its client pixels.
    struct Tick {
        int x = 0;
        int label = 0;   // the inch it numbers, or 0 for a plain tick
        int length = 0;  // of a plain tick
        bool operator==(const Tick&) const = default;
    };
    struct Picture {
        int width = 0, height = 0;
        bool bound = false;
        int top = 0, bottom = 0, columnLeft = 0, columnRight = 0;
        std::vector<Tick> ticks;
        int firstIndent = -1, leftIndent = -1, rightIndent = -1;
        std::vector<int> tabs;
        bool operator==(const Picture&) const = default;
    };
    Picture Compose() const;
    int ToPixel(int pageX) const;
    Picture drawn_;
    Marker dragging_ = Marker::None;
    int dragX_ = 0;
};

}  // namespace tx
