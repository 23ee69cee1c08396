#pragma once
// Text as the registry stores a REG_SZ value: UTF-16 code units, low byte first, no final zero.

#include <cstdint>
#include <string>
#include <vector>

namespace palvex::test {

inline std::vector<uint8_t> Utf16(const std::wstring& text) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

}  // namespace palvex::test
