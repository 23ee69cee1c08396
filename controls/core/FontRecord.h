#pragma once
// One font as the system's font enumeration reports it, read from the bytes of its extended
// enumeration record: the ANSI form (188 bytes) or the wide form (348 bytes). Every text field is
// read within its own bytes, so a field without a closing zero ends at its last byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace palvex {

constexpr size_t kEnumLogFontASize = 188;  // 60-byte logical font, full name 64, style 32, script 32
constexpr size_t kEnumLogFontWSize = 348;  // 92-byte logical font, full name 128, style 64, script 64

using EnumLogFontABytes = std::array<uint8_t, kEnumLogFontASize>;
using EnumLogFontWBytes = std::array<uint8_t, kEnumLogFontWSize>;

struct FontRecordFields {
    std::wstring faceName;
    std::wstring fullName;
    std::wstring style;
    std::wstring script;  // as shown: the two Chinese scripts by their readable names
    uint8_t charset = 0;
    uint8_t pitchAndFamily = 0;
};

FontRecordFields ReadEnumLogFontA(const EnumLogFontABytes& record);
FontRecordFields ReadEnumLogFontW(const EnumLogFontWBytes& record);

// "CHINESE_GB2312" and "CHINESE_BIG5" by the names a reader knows; every other script unchanged.
std::wstring DisplayScript(const std::wstring& script);
// The face and its script: "Arial (Western)".
std::wstring FontListName(const std::wstring& faceName, const std::wstring& script);
// Whether a font's pitch-and-family byte passes a filter code: a pitch or family the code names
// must be the font's own; a code of 0 passes every font.
bool PitchAndFamilyMatches(int32_t pitchAndFamily, int32_t filterCode);

}  // namespace palvex
