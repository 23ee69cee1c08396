#pragma once
// Saves what a window shows (frame included) as a 24-bit .bmp file.

#include <windows.h>

#include <string>

namespace ui {

bool SaveWindowPicture(HWND hwnd, const std::wstring& path);

}  // namespace ui
