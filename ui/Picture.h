#pragma once
// Pictures for image and picture box controls: loading a bitmap file and drawing a bitmap.

#include <windows.h>

#include <string>

#include "ui/Handles.h"

namespace ui {

// Loads a .bmp file; a missing file or one that is no picture is an error (zv::Error).
Bitmap LoadPictureFile(const std::wstring& path);
// Draws the bitmap at the rectangle's corner, in its own size, or stretched to the rectangle.
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& at, bool stretch);
// The bitmap's size in pixels.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace ui
