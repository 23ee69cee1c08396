#include "components/textcontrol/win32/TXRuler.h"

#include <algorithm>
#include <string>

namespace tx {

TXRuler::TXRuler(ui::Form* form, std::wstring name) : ToolWindow(form, std::move(name)) { SetHeight(375); }

int TXRuler::ToPixel(int pageX) const {
    TextControl* c = Bound();
    if (!c) return -1;
    POINT p = c->PageToClient(1, pageX, 0);
    // The ruler lines up with the text wherever the two windows sit.
    if (c->hWnd() && hWnd()) MapWindowPoints(c->hWnd(), hWnd(), &p, 1);
    return p.x;
}

int TXRuler::PageXAt(int pixelX) const {
    const int zero = ToPixel(0), inch = ToPixel(1440);
    if (zero < 0 || inch == zero) return 0;
    return MulDiv(pixelX - zero, 1440, inch - zero);
}

int TXRuler::MarkerX(Marker marker) const {
    TextControl* c = Bound();
    if (!c) return -1;
    const TextEngine& e = c->Engine();
    const ParaFormat f = e.CurrentParaFormat();
    switch (marker) {
    case Marker::FirstIndent: return ToPixel(e.PageMarginL() + f.leftIndent + f.firstIndent);
    case Marker::LeftIndent: return ToPixel(e.PageMarginL() + f.leftIndent);
    case Marker::RightIndent: return ToPixel(e.PageWidth() - e.PageMarginR() - f.rightIndent);
    case Marker::None: break;
    }
    return -1;
}

void TXRuler::Draw(HDC dc) {
    const SIZE size = ClientSize();
    RECT all{0, 0, size.cx, size.cy};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    TextControl* c = Bound();
    if (!c) return;
    const TextEngine& e = c->Engine();
    const int top = 3, bottom = std::max(top + 4, static_cast<int>(size.cy) - 6);
    RECT column{ToPixel(e.PageMarginL()), top, ToPixel(e.PageWidth() - e.PageMarginR()), bottom};
    SetBkColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);

    // Ticks every eighth of an inch from the text column's left edge, numbers every inch.
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int origin = e.PageMarginL();
    for (int t = -origin / 180 * 180; origin + t <= e.PageWidth(); t += 180) {
        const int x = ToPixel(origin + t);
        if (x < 0 || x > size.cx) continue;
        const int step = (t / 180) % 8;
        if (t % 1440 == 0 && t != 0) {
            const std::wstring label = std::to_wstring(std::abs(t) / 1440);
            ExtTextOutW(dc, x, top, 0, nullptr, label.c_str(), static_cast<UINT>(label.size()), nullptr);
        } else {
            const int len = std::abs(step) == 4 ? 6 : 3;
            RECT tick{x, (top + bottom) / 2 - len / 2, x + 1, (top + bottom) / 2 - len / 2 + len};
            SetBkColor(dc, RGB(0, 0, 0));
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &tick, nullptr, 0, nullptr);
        }
    }
    SelectObject(dc, oldFont);

    // Markers: the first-line indent points down from the top, left and right indents up from below.
    auto triangle = [&](int x, bool down) {
        if (x < 0) return;
        SetBkColor(dc, RGB(64, 64, 64));
        for (int i = 0; i < 5; ++i) {
            const int y = down ? top + i : bottom - 1 - i;
            RECT row{x - (4 - i), y, x + (4 - i) + 1, y + 1};
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
        }
    };
    triangle(MarkerX(Marker::FirstIndent), true);
    triangle(MarkerX(Marker::LeftIndent), false);
    triangle(MarkerX(Marker::RightIndent), false);
    const ParaFormat f = e.CurrentParaFormat();
    SetBkColor(dc, RGB(0, 0, 0));
    for (const tx::TabStop& tab : f.tabs) {
        const int x = ToPixel(e.PageMarginL() + f.leftIndent + tab.position);
        RECT stem{x, bottom - 6, x + 1, bottom}, foot{x, bottom - 1, x + 5, bottom};
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &stem, nullptr, 0, nullptr);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &foot, nullptr, 0, nullptr);
    }
}

void TXRuler::OnMouse(UINT msg, POINT pt) {
    TextControl* c = Bound();
    if (!c) return;
    if (msg == WM_LBUTTONDOWN) {
        dragging_ = Marker::None;
        int best = 5;
        const int mid = ClientSize().cy / 2;
        for (Marker m : {Marker::FirstIndent, Marker::LeftIndent, Marker::RightIndent}) {
            // The first-line marker sits in the upper half, the others in the lower half.
            if ((m == Marker::FirstIndent) != (pt.y < mid)) continue;
            const int d = std::abs(MarkerX(m) - pt.x);
            if (d <= best) {
                best = d;
                dragging_ = m;
            }
        }
        if (dragging_ != Marker::None) SetCapture(hWnd());
        return;
    }
    if (msg == WM_LBUTTONUP && dragging_ != Marker::None) {
        ReleaseCapture();
        const Marker m = dragging_;
        dragging_ = Marker::None;
        TextEngine& e = c->Engine();
        const int x = PageXAt(pt.x);
        const int column = e.PageWidth() - e.PageMarginL() - e.PageMarginR();
        e.FormatParagraphs([&](ParaFormat& f) {
            switch (m) {
            case Marker::FirstIndent: f.firstIndent = std::clamp(x - e.PageMarginL() - f.leftIndent, -f.leftIndent, column); break;
            case Marker::LeftIndent: f.leftIndent = std::clamp(x - e.PageMarginL(), 0, column - f.rightIndent - 120); break;
            case Marker::RightIndent: f.rightIndent = std::clamp(e.PageWidth() - e.PageMarginR() - x, 0, column - f.leftIndent - 120); break;
            case Marker::None: break;
            }
        });
    }
}

}  // namespace tx
