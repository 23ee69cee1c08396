#include "app/core/ReadRegValue.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "app/core/RegValueText.h"
#include "base/Cp1252.h"

namespace zv {

std::wstring ReadRegValue(HKEY key, const std::wstring& valueName) {
    const std::string name = EncodeCp1252(valueName);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return L"";
    if (type != kRegString && type != kRegBinary) return L"";
    // The buffer has the size the registry reported, so a value longer than the program's own
    // number is still read whole; a value that grew in between is asked for again.
    std::vector<uint8_t> data;
    for (int attempt = 0; attempt < 4; ++attempt) {
        data.assign(size, 0);
        DWORD read = size;
        const LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &read);
        if (status == ERROR_MORE_DATA) {
            size = read;
            continue;
        }
        if (status != ERROR_SUCCESS) return L"";
        data.resize(std::min<size_t>(read, data.size()));
        return RegValueText(type, data);
    }
    return L"";
}

}  // namespace zv
