#include "app/core/RegValueText.h"

#include <algorithm>
#include <string_view>

#include "base/Cp1252.h"

namespace zv {

std::wstring RegValueText(uint32_t type, std::span<const uint8_t> data) {
    if (type == kRegString) {
        // Nothing past the reported size is read: a value stored without its NUL ends there.
        const auto end = std::find(data.begin(), data.end(), uint8_t{0});
        return DecodeCp1252(std::string_view(reinterpret_cast<const char*>(data.data()),
                                             static_cast<size_t>(end - data.begin())));
    }
    if (type == kRegBinary) {
        // The number starts at zero and takes what was stored: an empty value reads as 0, a single
        // byte as the low byte, a longer value gives its first two.
        const unsigned low = data.empty() ? 0u : data[0], high = data.size() > 1 ? data[1] : 0u;
        return std::to_wstring(static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8))));
    }
    return L"";
}

}  // namespace zv
