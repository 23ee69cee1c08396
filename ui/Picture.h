#pragma once
// Pictures for image and picture box controls: loading a bitmap file and drawing a bitmap.

#include <windows.h>

#include <string>

#include "ui/Handles.h"

namespace ui {

// Loads a .bmp file; a missing file or one that is no picture is an error (zv::Error).
Bitmap LoadPictureFile(const std::wstring& path);
// The bitmap resource of that name in the program file; empty when the program carries none.
Bitmap LoadPictureResource(const wchar_t* name);
// Draws the bitmap at the rectangle's corner, in its own size, or stretched to the rectangle.
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& at, bool stretch);
// Draws the bitmap over the rectangle cut in nine: its corners of `edge` pixels as they are, its
// edges stretched along them and its middle stretched over the rest (a skin's frames and panels).
void DrawBitmapSliced(HDC dc, HBITMAP bitmap, const RECT& at, int edge);
// The bitmap's size in pixels.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace ui
