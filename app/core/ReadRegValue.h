#pragma once
// One registry value of an open key as text (the caller opens and closes the key); every failure
// reads as the empty text.

#include <windows.h>

#include <string>

namespace zv {

std::wstring ReadRegValue(HKEY key, const std::wstring& valueName);

}  // namespace zv
