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

TXRuler::Picture TXRuler::Compose() const {
    Picture p;
    const SIZE size = ClientSize();
    p.width = size.cx;
    p.height = size.cy;
    TextControl* c = Bound();
    if (!c) return p;
    p.bound = true;
    const TextEngine& e = c->Engine();
    p.top = 3;
    p.bottom = std::max(p.top + 4, static_cast<int>(size.cy) - 6);
    p.columnLeft = ToPixel(e.PageMarginL());
    p.columnRight = ToPixel(e.PageWidth() - e.PageMarginR());
    // Ticks every eighth of an inch from the text column's left edge, numbers every inch.
    const int origin = e.PageMarginL();
    for (int t = -origin / 180 * 180; origin + t <= e.PageWidth(); t += 180) {
        const int x = ToPixel(origin + t);
        if (x < 0 || x > size.cx) continue;
        const int step = (t / 180) % 8;
        if (t % 1440 == 0 && t != 0) p.ticks.push_back(Tick{x, std::abs(t) / 1440, 0});
        else p.ticks.push_back(Tick{x, 0, std::abs(step) == 4 ? 6 : 3});
    }
    p.firstIndent = MarkerX(Marker::FirstIndent);
    p.leftIndent = MarkerX(Marker::LeftIndent);
    p.rightIndent = MarkerX(Marker::RightIndent);
    const ParaFormat f = e.CurrentParaFormat();
    for (const tx::TabStop& tab : f.tabs) p.tabs.push_back(ToPixel(e.PageMarginL() + f.leftIndent + tab.position));
    return p;
}

void TXRuler::Draw(HDC dc) {
    drawn_ = Compose();
    const Picture& p = drawn_;
    RECT all{0, 0, p.width, p.height};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    if (!p.bound) return;
    const int top = p.top, bottom = p.bottom;
    RECT column{p.columnLeft, top, p.columnRight, bottom};
    SetBkColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    for (const Tick& tick : p.ticks) {
        if (tick.label != 0) {
            const std::wstring label = std::to_wstring(tick.label);
            ExtTextOutW(dc, tick.x, top, 0, nullptr, label.c_str(), static_cast<UINT>(label.size()), nullptr);
        } else {
            RECT mark{tick.x, (top + bottom) / 2 - tick.length / 2, tick.x + 1, (top + bottom) / 2 - tick.length / 2 + tick.length};
            SetBkColor(dc, RGB(0, 0, 0));
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &mark, nullptr, 0, nullptr);
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
    triangle(p.firstIndent, true);
    triangle(p.leftIndent, false);
    triangle(p.rightIndent, false);
    SetBkColor(dc, RGB(0, 0, 0));
    for (const int x : p.tabs) {
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
