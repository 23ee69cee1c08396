#include "controls/core/RegistryValue.h"

namespace palvex {

namespace {

// One UTF-16 code unit at a byte offset the caller has checked.
wchar_t UnitAt(const uint8_t* data, size_t offset) {
    return static_cast<wchar_t>(data[offset] | (data[offset + 1] << 8));
}

void PutUnit(std::vector<uint8_t>& out, wchar_t unit) {
    out.push_back(static_cast<uint8_t>(unit & 0xFF));
    out.push_back(static_cast<uint8_t>((unit >> 8) & 0xFF));
}

void PutText(std::vector<uint8_t>& out, const std::wstring& text) {
    for (wchar_t unit : text) PutUnit(out, unit);
    PutUnit(out, L'\0');
}

uint32_t LittleEndian32(const uint8_t* data) {
    return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
           (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

std::vector<uint8_t> Dword(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
            static_cast<uint8_t>(bits >> 24)};
}

}  // namespace

RegistryValue RegistryValue::Text(std::wstring text) {
    RegistryValue v;
    v.kind = Kind::Text;
    v.text = std::move(text);
    return v;
}

RegistryValue RegistryValue::TextList(std::vector<std::wstring> list) {
    RegistryValue v;
    v.kind = Kind::TextList;
    v.list = std::move(list);
    return v;
}

RegistryValue RegistryValue::Long(int32_t value) {
    RegistryValue v;
    v.kind = Kind::Long;
    v.number = value;
    return v;
}

RegistryValue RegistryValue::Integer(int16_t value) {
    RegistryValue v;
    v.kind = Kind::Integer;
    v.number = value;
    return v;
}

RegistryValue RegistryValue::Byte(uint8_t value) {
    RegistryValue v;
    v.kind = Kind::Byte;
    v.number = value;
    return v;
}

RegistryValue RegistryValue::Bool(bool value) { return Byte(value ? 1 : 0); }

RegistryValue RegistryValue::Bytes(std::vector<uint8_t> bytes) {
    RegistryValue v;
    v.kind = Kind::Bytes;
    v.bytes = std::move(bytes);
    return v;
}

RegistryValue DecodeRegistryValue(uint32_t type, const uint8_t* data, size_t size) {
    if (!data || size == 0 || size > kMaxRegistryValueBytes) return {};
    // Texts are counted in whole code units: an odd last byte belongs to no character.
    const size_t units = size / 2;
    switch (type) {
        case kRegSz:
        case kRegExpandSz: {
            std::wstring text;
            for (size_t i = 0; i < units; ++i) {
                const wchar_t unit = UnitAt(data, i * 2);
                if (unit == L'\0') break;
                text.push_back(unit);
            }
            return RegistryValue::Text(std::move(text));
        }
        case kRegMultiSz: {
            std::vector<std::wstring> list;
            std::wstring current;
            bool open = false;  // characters read since the last zero
            for (size_t i = 0; i < units; ++i) {
                const wchar_t unit = UnitAt(data, i * 2);
                if (unit != L'\0') {
                    current.push_back(unit);
                    open = true;
                    continue;
                }
                if (!open) break;  // an empty text ends the list
                list.push_back(std::move(current));
                current.clear();
                open = false;
            }
            if (open) list.push_back(std::move(current));  // the last text lacked its zero
            return RegistryValue::TextList(std::move(list));
        }
        case kRegDword:
            if (size != 4) return {};
            return RegistryValue::Long(static_cast<int32_t>(LittleEndian32(data)));
        case kRegBinary:
            switch (size) {
                case 4: return RegistryValue::Long(static_cast<int32_t>(LittleEndian32(data)));
                case 2: return RegistryValue::Integer(static_cast<int16_t>(data[0] | (data[1] << 8)));
                case 1: return RegistryValue::Byte(data[0]);
                default: return RegistryValue::Bytes(std::vector<uint8_t>(data, data + size));
            }
        default: return {};
    }
}

bool EncodeRegistryValue(const RegistryValue& value, EncodedRegistryValue& out) {
    EncodedRegistryValue encoded;
    switch (value.kind) {
        case RegistryValue::Kind::Missing: return false;
        case RegistryValue::Kind::Text:
            encoded.type = kRegSz;
            PutText(encoded.bytes, value.text);
            break;
        case RegistryValue::Kind::TextList:
            encoded.type = kRegMultiSz;
            for (const std::wstring& text : value.list) PutText(encoded.bytes, text);
            PutUnit(encoded.bytes, L'\0');
            // A list without texts still ends in two zeros: one zero alone is no list to a reader.
            if (value.list.empty()) PutUnit(encoded.bytes, L'\0');
            break;
        case RegistryValue::Kind::Long:
        case RegistryValue::Kind::Integer:
            encoded.type = kRegDword;
            encoded.bytes = Dword(value.number);
            break;
        case RegistryValue::Kind::Byte:
            encoded.type = kRegBinary;
            encoded.bytes = {static_cast<uint8_t>(value.number)};
            break;
        case RegistryValue::Kind::Bytes:
            encoded.type = kRegBinary;
            encoded.bytes = value.bytes;
            break;
    }
    if (encoded.bytes.size() > kMaxRegistryValueBytes) return false;
    out = std::move(encoded);
    return true;
}

int32_t RegistryLong(const RegistryValue& value, int32_t defaultValue) {
    return value.kind == RegistryValue::Kind::Long ? value.number : defaultValue;
}

bool RegistryBool(const RegistryValue& value, bool defaultValue) {
    return value.kind == RegistryValue::Kind::Byte ? value.number != 0 : defaultValue;
}

}  // namespace palvex
