#pragma once
// The key under which the library files a handle in its collections: "_H" and the handle's value in
// upper-case hexadecimal.

#include <cstdint>
#include <cwchar>
#include <string>

namespace palvex {

inline std::wstring HandleKey(uint64_t handle) {
    wchar_t text[24] = {};
    std::swprintf(text, 24, L"_H%llX", static_cast<unsigned long long>(handle));
    return text;
}

}  // namespace palvex
