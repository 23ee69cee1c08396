#include "controls/core/AnsiBytes.h"

#include <algorithm>

#include "base/Cp1252.h"

namespace palvex {

std::wstring ByteArrayToString(const std::vector<char>& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), '\0');
    return zv::DecodeCp1252(std::string_view(bytes.data(), static_cast<size_t>(end - bytes.begin())));
}

void StringToByteArray(const std::wstring& text, std::vector<char>& bytes, bool keep) {
    const std::string encoded = zv::EncodeCp1252(text);
    if (!keep || bytes.size() < encoded.size() + 1) bytes.resize(encoded.size() + 1);
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
    bytes[encoded.size()] = '\0';
}

}  // namespace palvex
