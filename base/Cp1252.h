#pragma once
// The one codec for 8-bit text files: Windows-1252, as the program's files are written.

#include <string>
#include <string_view>

namespace zv {

// Characters that Windows-1252 cannot hold become '?'.
std::string EncodeCp1252(std::wstring_view text);
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, unassigned in the code page, map to the control
// characters of the same value, as Windows does.
std::wstring DecodeCp1252(std::string_view bytes);
// The same into an existing string, which keeps its room.
void DecodeCp1252Into(std::string_view bytes, std::wstring& out);

}  // namespace zv
