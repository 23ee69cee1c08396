#include "controls/core/FontRecord.h"

#include <string_view>

#include "base/Cp1252.h"

namespace palvex {

namespace {

// Field places shared by both forms: the logical font's charset and pitch-and-family bytes and
// where its face name starts.
constexpr size_t kCharsetAt = 23;
constexpr size_t kPitchAndFamilyAt = 27;
constexpr size_t kFaceAt = 28;

struct Field {
    size_t at, size;  // in bytes
};

constexpr Field kAnsiFields[] = {{kFaceAt, 32}, {60, 64}, {124, 32}, {156, 32}};
constexpr Field kWideFields[] = {{kFaceAt, 64}, {92, 128}, {220, 64}, {284, 64}};

std::wstring AnsiField(const uint8_t* record, Field field) {
    const auto* begin = reinterpret_cast<const char*>(record + field.at);
    size_t length = 0;
    while (length < field.size && begin[length] != '\0') ++length;
    return zv::DecodeCp1252(std::string_view(begin, length));
}

std::wstring WideField(const uint8_t* record, Field field) {
    std::wstring text;
    for (size_t i = 0; i + 1 < field.size; i += 2) {
        const auto unit = static_cast<wchar_t>(record[field.at + i] | (record[field.at + i + 1] << 8));
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

template <class Read>
FontRecordFields Fields(const uint8_t* record, const Field (&fields)[4], Read read) {
    FontRecordFields out;
    out.faceName = read(record, fields[0]);
    out.fullName = read(record, fields[1]);
    out.style = read(record, fields[2]);
    out.script = DisplayScript(read(record, fields[3]));
    out.charset = record[kCharsetAt];
    out.pitchAndFamily = record[kPitchAndFamilyAt];
    return out;
}

}  // namespace

FontRecordFields ReadEnumLogFontA(const EnumLogFontABytes& record) {
    return Fields(record.data(), kAnsiFields, AnsiField);
}

FontRecordFields ReadEnumLogFontW(const EnumLogFontWBytes& record) {
    return Fields(record.data(), kWideFields, WideField);
}

std::wstring DisplayScript(const std::wstring& script) {
    if (script == L"CHINESE_GB2312") return L"Simplified Chinese [GB2312]";
    if (script == L"CHINESE_BIG5") return L"Traditional Chinese [BIG5]";
    return script;
}

std::wstring FontListName(const std::wstring& faceName, const std::wstring& script) {
    return faceName + L" (" + script + L")";
}

bool PitchAndFamilyMatches(int32_t pitchAndFamily, int32_t filterCode) {
    const int32_t pitch = filterCode & 3;
    const int32_t family = filterCode & 0x70;
    if (pitch != 0 && pitch != (pitchAndFamily & 3)) return false;
    if (family != 0 && family != (pitchAndFamily & 0x70)) return false;
    return true;
}

}  // namespace palvex
