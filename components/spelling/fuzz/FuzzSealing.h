#pragma once
// Most inputs a fuzzer makes would fail the checksum and never reach the checks behind it. An
// input whose first byte is odd is taken without that byte and given a right size and checksum,
// so that the structure checks and the look-ups are fuzzed as well.

#include <cstdint>
#include <string>

#include "components/spelling/DictionaryFile.h"

inline std::string SealedInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.empty() || (bytes[0] & 1) == 0) return bytes;
    bytes.erase(0, 1);
    if (bytes.size() < 24) return bytes;
    auto put = [&](std::size_t at, std::uint32_t v) {
        std::string b;
        sp::PutU32(b, v);
        bytes.replace(at, 4, b);
    };
    put(12, static_cast<std::uint32_t>(bytes.size()));
    const std::size_t tableEnd = 24 + 12 * static_cast<std::size_t>(sp::LoadU32(bytes.data() + 20));
    if (tableEnd <= bytes.size()) put(16, sp::DictionaryChecksum(std::string_view(bytes).substr(tableEnd)));
    return bytes;
}
