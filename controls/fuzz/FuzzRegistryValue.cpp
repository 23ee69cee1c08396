// Decodes a stored registry value from arbitrary bytes: the first byte picks the stored type, the
// rest is the value's data, copied so that a read past its end is caught. A value that decodes is
// written again and must read back as itself.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "controls/core/RegistryValue.h"

using namespace palvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const uint32_t kTypes[] = {kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword, 5, kRegMultiSz, 11};
    const uint32_t type = kTypes[data[0] % 8];
    const std::vector<uint8_t> value(data + 1, data + size);
    const RegistryValue decoded = DecodeRegistryValue(type, value.data(), value.size());
    EncodedRegistryValue stored;
    if (!EncodeRegistryValue(decoded, stored)) return 0;
    if (stored.bytes.size() > kMaxRegistryValueBytes) std::abort();
    RegistryValue again = DecodeRegistryValue(stored.type, stored.bytes.data(), stored.bytes.size());
    // An Integer is stored as a REG_DWORD and comes back a Long of the same value.
    if (decoded.kind == RegistryValue::Kind::Integer) again.kind = RegistryValue::Kind::Integer;
    if (!(again == decoded)) std::abort();
    return 0;
}
