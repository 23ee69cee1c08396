#include "controls/ColorRows.h"

#include <algorithm>

#include "controls/core/ColorEntry.h"
#include "controls/win/DrawBase.h"
#include "controls/win/FontUtils.h"

namespace palvex {

ColorRows::ColorRows() {
    WindowDC screen(nullptr);
    memoryDC_.Reset(CreateCompatibleDC(screen.Get()));
    memoryBitmap_.Reset(CreateCompatibleBitmap(screen.Get(), kMemoryWidth, kMemoryHeight));
    originalBitmap_ = SelectObject(memoryDC_.Get(), memoryBitmap_.Get());
}

ColorRows::~ColorRows() {
    if (originalBitmap_) SelectObject(memoryDC_.Get(), originalBitmap_);
}

int32_t ColorRows::Value(size_t index) const { return ColorEntryValue(items[index]); }

void ColorRows::MakeFont(IFont* font, HWND window) {
    font_.Reset();
    if (!font) return;
    WindowDC dc(window);
    const LOGFONTW logFont = FontToLogFont(font, dc.Get());
    font_.Reset(CreateFontIndirectW(&logFont));
}

HBRUSH ColorRows::BackBrush() {
    if (!backBrush_) backBrush_.Reset(CreateSolidBrush(TranslateColor(look.backColor)));
    return backBrush_.Get();
}

COLORREF ColorRows::BackColorValue() const { return TranslateColor(look.backColor); }

RowSize ColorRows::Measure(HWND window, int64_t index) {
    std::wstring text = kMeasureSample;
    if (ValidIndex(index)) {
        const std::wstring name = ColorEntryName(items[static_cast<size_t>(index)]);
        if (!name.empty()) text = name;
    }
    WindowDC dc(window);
    SIZE extent{};
    {
        SelectIn useFont(dc.Get(), font_.Get());
        GetTextExtent(dc.Get(), text, extent);
    }
    return MeasureRow(extent.cx, extent.cy, look.squareWidth, look.squareHeight);
}

bool ColorRows::Compose(size_t index, bool selected, int width, int height) {
    HDC dc = memoryDC_.Get();
    SelectIn useFont(dc, font_.Get());
    const COLORREF back = TranslateColor(selected ? look.highlight : look.backColor);
    SetTextColor(dc, TranslateColor(selected ? look.highlightText : look.textColor));
    const RECT row{0, 0, width, height};
    {
        Brush backBrush(CreateSolidBrush(back));
        if (look.swatchBorder == sbThreeD && selected) {
            const int column = ThreeDColumnWidth(look.squareWidth);
            const RECT right{column, 0, width, height};
            FillRect(dc, &right, backBrush.Get());
            const RECT left{0, 0, column, height};
            FillRect(dc, &left, BackBrush());
        } else {
            FillRect(dc, &row, backBrush.Get());
        }
    }
    const RowRect layout = SwatchRect(height, look.squareWidth, look.squareHeight);
    const RECT swatch{layout.left, layout.top, layout.right, layout.bottom};
    const std::wstring& entry = items[index];
    if (entry.empty()) return false;
    const int32_t value = ColorEntryValue(entry);
    if (value != kNoColor) {
        if (look.swatchBorder == sbThreeD) {
            Brush face(CreateSolidBrush(TranslateColor(static_cast<int32_t>(0x8000000F))));
            FillRect(dc, &swatch, face.Get());
            Draw3DEdge(dc, swatch, PS_SOLID);
            DrawFrameLines(dc, swatch);
        }
        Brush color(CreateSolidBrush(TranslateColor(value)));
        FillRect(dc, &swatch, color.Get());
        if (look.swatchBorder == sbSingle) {
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

bool ColorRows::Draw(HDC target, int x, int y, int width, int height, int64_t index, bool selected) {
    if (!ValidIndex(index)) return false;
    width = std::min(width, kMemoryWidth);
    height = std::min(height, kMemoryHeight);
    if (width <= 0 || height <= 0 || !Compose(static_cast<size_t>(index), selected, width, height)) return false;
    BitBlt(target, x, y, width, height, memoryDC_.Get(), 0, 0, SRCCOPY);
    return true;
}

}  // namespace palvex
