#include "components/textcontrol/win32/TXStatusBar.h"

namespace tx {

TXStatusBar::TXStatusBar(ui::Form* form, std::wstring name) : ToolWindow(form, std::move(name)) { SetHeight(330); }

void TXStatusBar::SetText(std::wstring text) {
    pageText_ = std::move(text);
    Redraw();
}

std::wstring TXStatusBar::FieldText(int index) const {
    if (index == 0) return pageText_;
    TextControl* c = Bound();
    if (index < 1 || index > 2) return L"";
    if (!c) return kFieldNames[index];
    const auto [line, col] = c->CaretLineAndColumn();
    return std::wstring(kFieldNames[index]) + L" " + std::to_wstring(index == 1 ? line : col);
}

bool TXStatusBar::PictureChanged() const {
    for (int i = 0; i < 3; ++i)
        if (FieldText(i) != drawn_[i]) return true;
    return false;
}

void TXStatusBar::Draw(HDC dc) {
    const SIZE size = ClientSize();
    RECT all{0, 0, size.cx, size.cy};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    // The page field takes what the line and column fields leave.
    const int fixed = 90;
    RECT fields[3] = {{2, 2, std::max(60L, size.cx - 2 * fixed - 4), size.cy - 2}, {}, {}};
    fields[1] = {fields[0].right + 2, 2, fields[0].right + 2 + fixed, size.cy - 2};
    fields[2] = {fields[1].right + 2, 2, fields[1].right + 2 + fixed, size.cy - 2};
    for (int i = 0; i < 3; ++i) {
        DrawEdge(dc, &fields[i], BDR_SUNKENOUTER, BF_RECT);
        RECT text = fields[i];
        InflateRect(&text, -4, -1);
        const std::wstring& s = drawn_[i] = FieldText(i);
        DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

}  // namespace tx
