#pragma once
// Drawing helpers of the colour controls: colour translation, edges, text measuring and output.

#include <windows.h>

#include <cstdint>
#include <string>

namespace palvex {

// OLE colours with the high bit set name a system colour.
COLORREF TranslateColor(int32_t color);
// Whether the system takes the wide-character text calls; remembered per thread.
bool IsWinNT();
// A sunken edge around rect, in pens of the given style.
void Draw3DEdge(HDC dc, const RECT& rect, int penStyle);
// A raised frame on rect.
void DrawFrameLines(HDC dc, const RECT& rect);
// The size of text in the DC's current font; false (and a zero size) for an empty text.
bool GetTextExtent(HDC dc, const std::wstring& text, SIZE& size);
void TextOutWA(HDC dc, const std::wstring& text, int x, int y);

}  // namespace palvex
