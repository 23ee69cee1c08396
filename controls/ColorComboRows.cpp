// ColorCombo's native combo window: its creation and sizing, and the measuring and drawing of rows.
#include "controls/ColorCombo.h"

#include <algorithm>

#include "controls/CtrlMsg.h"
#include "controls/core/ColorEntry.h"
#include "controls/core/RowLayout.h"
#include "controls/win/DrawBase.h"
#include "controls/win/FontUtils.h"
#include "ui/Boundary.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

namespace {
constexpr int kDroppedHeight = 210;
}

void ColorCombo::Resized() {
    if (droppedDown_ || !Window()) return;
    const SIZE size = ScaleSize();
    if (!created_) {
        const bool userMode = UserMode();
        combo_.Create(Window(), L"", 0, 0, size.cx, size.cy, userMode);
        // Entries added before the control had a window are kept in the array: show them now.
        for (const std::wstring& entry : items_) combo_.AddItem(entry, -1);
        if (userMode) {
            RegisterCombo(this, Window());
            oldWndProc_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboWndProc)));
        }
        created_ = true;
        UpdateMetrics();
        return;
    }
    SnapToCombo();
}

void ColorCombo::SnapToCombo() {
    if (inResize_ || !combo_.hWnd()) return;
    inResize_ = true;
    const SIZE size = ScaleSize();
    GiveComboFont();
    combo_.Move(0, 0, size.cx, size.cy);
    const int width = combo_.Width();
    const int height = combo_.Height();
    if (width != size.cx || height != size.cy) RequestSize(width, height);
    inResize_ = false;
}

void ColorCombo::UpdateMetrics() {
    if (!created_) return;
    fontHandle_.Reset();
    ComPtr<IFont> font;
    if (font_) font_.As(&font);
    if (font) {
        WindowDC dc(Window());
        const LOGFONTW logFont = FontToLogFont(font.Get(), dc.Get());
        fontHandle_.Reset(CreateFontIndirectW(&logFont));
    }
    GiveComboFont();
    OnMeasureItem(-1);
    SnapToCombo();
}

void ColorCombo::GiveComboFont() {
    // Only a new font: a combo re-measures its selection field on every WM_SETFONT (Wine resets
    // it to the font's height), which would undo the row height just set.
    HWND combo = combo_.hWnd();
    if (!combo) return;
    const auto current = reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0));
    if (current != fontHandle_.Get())
        SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.Get()), FALSE);
}

LRESULT ColorCombo::OnMeasureItem(LPARAM lParam) {
    try {
        auto* measure = lParam == -1 ? nullptr : reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        std::wstring text = kMeasureSample;
        if (measure && !items_.empty() && measure->itemID < items_.size()) {
            const std::wstring name = ColorEntryName(items_[measure->itemID]);
            if (!name.empty()) text = name;
        }
        WindowDC dc(Window());
        SIZE extent{};
        {
            SelectIn useFont(dc.Get(), fontHandle_.Get());
            GetTextExtent(dc.Get(), text, extent);
        }
        const RowSize row = MeasureRow(extent.cx, extent.cy, squareWidth_, squareHeight_);
        if (!measure) {
            if (combo_.hWnd()) {
                SendMessageW(combo_.hWnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row.height);
                for (size_t i = 0; i < items_.size(); ++i)
                    SendMessageW(combo_.hWnd(), CB_SETITEMHEIGHT, i, row.height);
            }
        } else {
            measure->itemWidth = static_cast<UINT>(row.width);
            measure->itemHeight = static_cast<UINT>(row.height);
        }
    } catch (...) {
        // A row that cannot be measured keeps the height it had.
        ui::ReportStoppedException(L"measuring a Palvex colour row");
    }
    return 1;
}

bool ColorCombo::ComposeRow(int index, bool selected, int width, int height) {
    HDC dc = memoryDC_.Get();
    SelectIn useFont(dc, fontHandle_.Get());
    const COLORREF back = TranslateColor(selected ? highlight_ : backColor_);
    SetTextColor(dc, TranslateColor(selected ? highlightText_ : textColor_));
    const RECT row{0, 0, width, height};
    {
        Brush backBrush(CreateSolidBrush(back));
        if (swatchBorder_ == sbThreeD && selected) {
            const int column = ThreeDColumnWidth(squareWidth_);
            const RECT right{column, 0, width, height};
            FillRect(dc, &right, backBrush.Get());
            const RECT left{0, 0, column, height};
            FillRect(dc, &left, GetBackBrush());
        } else {
            FillRect(dc, &row, backBrush.Get());
        }
    }
    const RowRect layout = SwatchRect(height, squareWidth_, squareHeight_);
    const RECT swatch{layout.left, layout.top, layout.right, layout.bottom};
    if (index < 0 || index >= static_cast<int>(items_.size()) || items_[index].empty()) return false;
    const std::wstring& entry = items_[index];
    const int32_t value = ColorEntryValue(entry);
    if (value != kNoColor) {
        if (swatchBorder_ == sbThreeD) {
            Brush face(CreateSolidBrush(TranslateColor(static_cast<int32_t>(0x8000000F))));
            FillRect(dc, &swatch, face.Get());
            Draw3DEdge(dc, swatch, PS_SOLID);
            DrawFrameLines(dc, swatch);
        }
        Brush color(CreateSolidBrush(TranslateColor(value)));
        FillRect(dc, &swatch, color.Get());
        if (swatchBorder_ == sbSingle) {
            Pen black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
            SelectIn usePen(dc, black.Get());
            MoveToEx(dc, swatch.left, swatch.top, nullptr);
            LineTo(dc, swatch.left, swatch.bottom);
            LineTo(dc, swatch.right, swatch.bottom);
            LineTo(dc, swatch.right, swatch.top);
            LineTo(dc, swatch.left, swatch.top);
        }
    }
    const std::wstring name = ColorEntryName(entry);
    SetBkMode(dc, TRANSPARENT);
    SIZE extent{};
    GetTextExtent(dc, name, extent);
    TextOutWA(dc, name, TextLeft(layout), TextTop(height, extent.cy));
    return true;
}

LRESULT ColorCombo::OnDrawItem(LPARAM lParam) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!draw) return 0;
    const int width = std::min<int>(draw->rcItem.right - draw->rcItem.left, 1024);
    const int height = std::min<int>(draw->rcItem.bottom - draw->rcItem.top, 768);
    const int index = static_cast<int>(draw->itemID);
    if (!ComposeRow(index, (draw->itemState & ODS_SELECTED) != 0, width, height)) return 0;
    // One transfer of the whole row, so that the visible row never shows a half-drawn state.
    BitBlt(draw->hDC, draw->rcItem.left, draw->rcItem.top, width, height, memoryDC_.Get(), 0, 0, SRCCOPY);
    return 1;
}

void ColorCombo::DrawView(HDC dc, const RECT& bounds) {
    const int width = std::min<int>(bounds.right - bounds.left, 1024);
    const int height = std::min<int>(bounds.bottom - bounds.top, 768);
    const int index = combo_.hWnd() ? combo_.ListIndex() : -1;
    if (!ComposeRow(index, false, width, height)) {
        FillRect(dc, &bounds, GetBackBrush());
        return;
    }
    BitBlt(dc, bounds.left, bounds.top, width, height, memoryDC_.Get(), 0, 0, SRCCOPY);
}

void ColorCombo::OnDropDown() {
    droppedDown_ = true;
    combo_.SetHeight(kDroppedHeight);
}

void ColorCombo::OnCloseUp() {
    droppedDown_ = false;
    Resized();
}

void ColorCombo::WindowDestroying() {
    HWND window = Window();
    if (oldWndProc_ && window && IsWindow(window))
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
    oldWndProc_ = nullptr;
    combo_.Destroy();
    UnregisterCombo(this);
    created_ = false;
    droppedDown_ = false;
}

}  // namespace palvex
