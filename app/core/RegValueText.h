#pragma once
// The text of one registry value as the program reads it: a string up to its first NUL (or all of
// what was stored when the writer left the NUL out), a binary value as its first two bytes taken as
// a signed 16-bit number, anything else as nothing.

#include <cstdint>
#include <span>
#include <string>

namespace zv {

// The registry's type numbers this reader knows.
constexpr uint32_t kRegString = 1;  // REG_SZ
constexpr uint32_t kRegBinary = 3;  // REG_BINARY

// `data` is what the query returned, its size the size the registry reported; strings are 8-bit
// text in the system's code page (Windows-1252 here).
std::wstring RegValueText(uint32_t type, std::span<const uint8_t> data);

}  // namespace zv
