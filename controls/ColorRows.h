#pragma once
// The rows of the colour controls: the entries (name and value in one string each), how the rows
// look, and their measuring and drawing. Every row is composed in a memory DC and copied to its
// target in one transfer, so that a visible row never shows half drawn.

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/com/PalvexIdl.h"
#include "controls/core/RowLayout.h"
#include "controls/win/Handles.h"

namespace palvex {

struct RowLook {
    int32_t backColor = static_cast<int32_t>(0x80000005);
    int32_t textColor = static_cast<int32_t>(0x80000008);
    int32_t highlight = static_cast<int32_t>(0x8000000D);
    int32_t highlightText = static_cast<int32_t>(0x8000000E);
    int32_t swatchBorder = sbSingle;
    int32_t squareWidth = 16;
    int32_t squareHeight = 16;
};

class ColorRows {
public:
    // Rows wider or taller than the memory DC are clipped to it.
    static constexpr int kMemoryWidth = 1024;
    static constexpr int kMemoryHeight = 768;

    ColorRows();
    ColorRows(const ColorRows&) = delete;
    ColorRows& operator=(const ColorRows&) = delete;
    ~ColorRows();

    RowLook look;
    std::vector<std::wstring> items;

    bool ValidIndex(int64_t index) const { return index >= 0 && index < static_cast<int64_t>(items.size()); }
    int32_t Value(size_t index) const;

    // The row font made from a font object as the window's DC shows it (no font object: none).
    void MakeFont(IFont* font, HWND window);
    HFONT FontHandle() const { return font_.Get(); }

    // The solid brush of the back colour, made on first use.
    HBRUSH BackBrush();
    void DropBackBrush() { backBrush_.Reset(); }
    COLORREF BackColorValue() const;

    // The size of the row of an entry; an index outside the entries, or an entry without a name,
    // is measured with the sample text that gives every row one height.
    RowSize Measure(HWND window, int64_t index);
    // Draws the row of an entry into target at (x, y); false (and nothing drawn) for an index outside
    // the entries or an empty entry.
    bool Draw(HDC target, int x, int y, int width, int height, int64_t index, bool selected);

private:
    bool Compose(size_t index, bool selected, int width, int height);

    palvex::Font font_;
    Brush backBrush_;
    MemoryDC memoryDC_;
    Bitmap memoryBitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
};

}  // namespace palvex
