#pragma once
// Text to and from the NUL-terminated 8-bit buffers that native windows exchange.

#include <string>
#include <vector>

namespace palvex {

// The bytes up to the first zero byte (or the end), decoded from Windows-1252.
std::wstring ByteArrayToString(const std::vector<char>& bytes);
// One byte per character and a closing zero byte. keep: write from the start into the existing
// array (growing it only when the text does not fit); otherwise the array is made to fit.
void StringToByteArray(const std::wstring& text, std::vector<char>& bytes, bool keep);

}  // namespace palvex
