#include "components/textcontrol/win32/TXButtonBar.h"

#include <algorithm>

namespace tx {
namespace {

constexpr int kSize = 22, kPad = 2, kGroupGap = 8;
constexpr TXButtonBar::Button kButtons[] = {
    TXButtonBar::Button::AlignLeft,  TXButtonBar::Button::AlignCenter, TXButtonBar::Button::AlignRight,
    TXButtonBar::Button::Justify,    TXButtonBar::Button::IndentLess,  TXButtonBar::Button::IndentMore,
    TXButtonBar::Button::Bullets,    TXButtonBar::Button::Numbering};

void Bar(HDC dc, int l, int t, int r, int b) {
    RECT rc{l, t, r, b};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

}  // namespace

TXButtonBar::TXButtonBar(ui::Form* form, std::wstring name) : ToolWindow(form, std::move(name)) { SetHeight(420); }

RECT TXButtonBar::ButtonRect(Button b) const {
    const int i = static_cast<int>(b);
    const int group = i < 4 ? 0 : (i < 6 ? 1 : 2);
    const int x = kPad + i * (kSize + kPad) + group * kGroupGap;
    return RECT{x, kPad, x + kSize, kPad + kSize};
}

bool TXButtonBar::IsPressed(Button b) const {
    TextControl* c = Bound();
    if (!c) return false;
    const ParaFormat f = c->Engine().CurrentParaFormat();
    switch (b) {
    case Button::AlignLeft: return f.align == Align::Left;
    case Button::AlignCenter: return f.align == Align::Center;
    case Button::AlignRight: return f.align == Align::Right;
    case Button::Justify: return f.align == Align::Justify;
    case Button::Bullets: return f.listKind == ListKind::Bullet;
    case Button::Numbering: return f.listKind == ListKind::Numbered;
    default: return false;
    }
}

void TXButtonBar::Press(Button b) {
    TextControl* c = Bound();
    if (!c) return;
    TextEngine& e = c->Engine();
    const bool pressed = IsPressed(b);
    const int column = e.PageWidth() - e.PageMarginL() - e.PageMarginR();
    e.FormatParagraphs([&](ParaFormat& f) {
        switch (b) {
        case Button::AlignLeft: f.align = Align::Left; break;
        case Button::AlignCenter: f.align = Align::Center; break;
        case Button::AlignRight: f.align = Align::Right; break;
        case Button::Justify: f.align = Align::Justify; break;
        case Button::IndentLess: f.leftIndent = std::max(0, f.leftIndent - kIndentStep); break;
        case Button::IndentMore: f.leftIndent = std::min(f.leftIndent + kIndentStep, std::max(0, column - f.rightIndent - 720)); break;
        case Button::Bullets: f.listKind = pressed ? ListKind::None : ListKind::Bullet; break;
        case Button::Numbering: f.listKind = pressed ? ListKind::None : ListKind::Numbered; break;
        }
    });
    c->Refresh();
}

TXButtonBar::Picture TXButtonBar::Compose() const {
    Picture p;
    p.enabled = Bound() != nullptr;
    for (Button b : kButtons) p.pressed.push_back(IsPressed(b));
    return p;
}

void TXButtonBar::Draw(HDC dc) {
    drawn_ = Compose();
    const SIZE size = ClientSize();
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    Bar(dc, 0, 0, size.cx, size.cy);
    const bool enabled = drawn_.enabled;
    for (Button b : kButtons) {
        RECT r = ButtonRect(b);
        if (drawn_.pressed[static_cast<size_t>(b)]) {
            SetBkColor(dc, RGB(224, 224, 224));
            Bar(dc, r.left, r.top, r.right, r.bottom);
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        } else {
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        }
        SetBkColor(dc, enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
        const int l = r.left + 5, w = kSize - 10, t = r.top + 5;
        switch (b) {
        case Button::AlignLeft:
        case Button::AlignCenter:
        case Button::AlignRight:
        case Button::Justify:
            for (int k = 0; k < 5; ++k) {
                const int len = (b == Button::Justify || k % 2 == 0) ? w : w * 2 / 3;
                const int x = b == Button::AlignLeft || b == Button::Justify ? l : (b == Button::AlignRight ? l + w - len : l + (w - len) / 2);
                Bar(dc, x, t + k * 3, x + len, t + k * 3 + 1);
            }
            break;
        case Button::IndentLess:
        case Button::IndentMore:
            for (int k = 0; k < 5; ++k) Bar(dc, l + 5, t + k * 3, l + w, t + k * 3 + 1);
            for (int k = 0; k < 3; ++k) {
                const int x = b == Button::IndentMore ? l + k : l + 2 - k;
                Bar(dc, x, t + 6 - k, x + 1, t + 7 + k);
            }
            break;
        case Button::Bullets:
        case Button::Numbering:
            for (int k = 0; k < 3; ++k) {
                Bar(dc, l, t + k * 5, l + 2, t + k * 5 + 2 + (b == Button::Numbering ? 1 : 0));
                Bar(dc, l + 4, t + k * 5, l + w, t + k * 5 + 1);
            }
            break;
        }
    }
}

void TXButtonBar::OnMouse(UINT msg, POINT pt) {
    if (msg != WM_LBUTTONUP) return;
    for (Button b : kButtons) {
        const RECT r = ButtonRect(b);
        if (PtInRect(&r, pt)) {
            Press(b);
            Redraw();
            return;
        }
    }
}

}  // namespace tx
