#include "controls/core/RowLayout.h"

#include <algorithm>

#include "controls/core/ScaleMath.h"

namespace palvex {

const wchar_t kMeasureSample[] =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456790!@#$%^&*()_+~`-=[]{}\\|':;<>?/,.";

RowSize MeasureRow(int32_t textWidth, int32_t textHeight, int32_t squareWidth, int32_t squareHeight) {
    return RowSize{textWidth + squareWidth + 6, std::max(textHeight, squareHeight) + 6};
}

RowRect SwatchRect(int32_t rowHeight, int32_t squareWidth, int32_t squareHeight) {
    RowRect swatch;
    swatch.left = 3;
    swatch.top = static_cast<int32_t>(RoundHalfEven(rowHeight / 2 - squareHeight / 2.0));
    swatch.right = swatch.left + squareWidth - 1;
    swatch.bottom = swatch.top + squareHeight - 1;
    return swatch;
}

int32_t TextLeft(const RowRect& swatch) { return swatch.right + 12; }

int32_t TextTop(int32_t rowHeight, int32_t textHeight) {
    return static_cast<int32_t>(RoundHalfEven(rowHeight / 2.0) - RoundHalfEven(textHeight / 2.0));
}

int32_t ThreeDColumnWidth(int32_t squareWidth) { return squareWidth + 7; }

PointXY LongToPoint(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    return PointXY{static_cast<int16_t>(bits & 0xFFFF), static_cast<int16_t>(bits >> 16)};
}

}  // namespace palvex
