#pragma once
// Registry values as the library stores them, turned from a stored type and its bytes into a value
// and back. The bytes come from the registry of whoever uses the machine, so decoding trusts
// nothing: it never reads past the length it is given, and anything malformed or oversized reads
// as "missing", which every caller answers with its default.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace palvex {

// Value types as the system numbers them.
enum RegistryType : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

// Values longer than this are neither read nor written: the library keeps a few flags and names,
// and a stored value of 64 KiB or more is not one of its own.
constexpr size_t kMaxRegistryValueBytes = 64 * 1024;

struct RegistryValue {
    enum class Kind { Missing, Text, TextList, Long, Integer, Byte, Bytes };
    Kind kind = Kind::Missing;
    std::wstring text;
    std::vector<std::wstring> list;
    int32_t number = 0;  // Long, Integer and Byte
    std::vector<uint8_t> bytes;

    static RegistryValue Text(std::wstring text);
    static RegistryValue TextList(std::vector<std::wstring> list);
    static RegistryValue Long(int32_t value);
    static RegistryValue Integer(int16_t value);
    static RegistryValue Byte(uint8_t value);
    // A flag is kept as one byte: 1 for True, 0 for False.
    static RegistryValue Bool(bool value);
    static RegistryValue Bytes(std::vector<uint8_t> bytes);

    bool operator==(const RegistryValue&) const = default;
};

// What a stored value means: REG_SZ and REG_EXPAND_SZ a text up to its first zero (or its end);
// REG_MULTI_SZ the texts up to the first empty one (or the end, a last text without its zero
// included, an odd last byte ignored); REG_DWORD of exactly 4 bytes a Long; REG_BINARY of 4, 2 or 1
// bytes a Long, an Integer or a Byte, of any other length the bytes. Missing for no bytes at all,
// more than kMaxRegistryValueBytes, a REG_DWORD of another length and every other type.
RegistryValue DecodeRegistryValue(uint32_t type, const uint8_t* data, size_t size);

struct EncodedRegistryValue {
    uint32_t type = kRegNone;
    std::vector<uint8_t> bytes;
};

// The stored form of a value: a text as REG_SZ with its closing zero; a text list as REG_MULTI_SZ,
// each text zero-terminated and one more zero after the last (an empty list is the two zeros
// alone); Long and Integer as a 4-byte REG_DWORD; Byte as a 1-byte REG_BINARY; bytes as REG_BINARY.
// False for Missing and for a value whose bytes would exceed kMaxRegistryValueBytes.
bool EncodeRegistryValue(const RegistryValue& value, EncodedRegistryValue& out);

// The value as a number or a flag of the kind the library writes, else the default.
int32_t RegistryLong(const RegistryValue& value, int32_t defaultValue);
bool RegistryBool(const RegistryValue& value, bool defaultValue);

}  // namespace palvex
