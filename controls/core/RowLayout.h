#pragma once
// Geometry of one row of a colour control, shared by measuring and drawing: a swatch at the left,
// the name after it. Portable so that the layout is checked without a window.

#include <cstdint>

namespace palvex {

struct RowRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct RowSize {
    int32_t width = 0, height = 0;
};

// The text every row is measured with when the rows are re-measured as a whole (and for a request
// that names no entry), so that all rows get one height.
extern const wchar_t kMeasureSample[];

RowSize MeasureRow(int32_t textWidth, int32_t textHeight, int32_t squareWidth, int32_t squareHeight);

// The swatch in a row of height h; right and bottom are the last pixel inside (inclusive edges).
RowRect SwatchRect(int32_t rowHeight, int32_t squareWidth, int32_t squareHeight);

// Where the name starts, from the swatch and the measured text height.
int32_t TextLeft(const RowRect& swatch);
int32_t TextTop(int32_t rowHeight, int32_t textHeight);

// The left column that keeps the back colour in a selected three-D row.
int32_t ThreeDColumnWidth(int32_t squareWidth);

// Square sizes below this are stored as this.
constexpr int32_t kMinSquare = 8;

template <class Rect>
void InflateRectBy(Rect& rect, int32_t n) {
    rect.left -= n;
    rect.top -= n;
    rect.right += n;
    rect.bottom += n;
}

template <class Rect>
void OffsetRectBy(Rect& rect, int32_t dx, int32_t dy) {
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

struct PointXY {
    int32_t x = 0, y = 0;
};

// x from the low 16 bits, y from the high 16 bits, each sign-extended (mouse message coordinates).
PointXY LongToPoint(int32_t value);

}  // namespace palvex
