#pragma once
// The entries of the colour controls: one string per entry holding the name, a NUL character and
// the value as a hexadecimal literal "&H...&". The trailing "&" keeps the value a 32-bit number,
// so a system colour (high bit set) reads back as the same negative value.

#include <cstdint>
#include <string>

namespace palvex {

// The value of an entry that has no colour: its row shows no swatch and it cannot be edited.
constexpr int32_t kNoColor = static_cast<int32_t>(0xFF000000u);

std::wstring MakeColorEntry(const std::wstring& name, int32_t value);
std::wstring ColorEntryName(const std::wstring& entry);
int32_t ColorEntryValue(const std::wstring& entry);
// The stored value part ("&H...&"), kept as it is when only the name changes.
std::wstring ColorEntryValuePart(const std::wstring& entry);

// The numeric value of a literal such as "&HFF&", "&H8000000F&" or "&H7F" (a literal of up to four
// digits without the "&" suffix is a 16-bit number, as the language reads it); 0 when it is none.
int32_t ParseHexLiteral(const std::wstring& literal);

}  // namespace palvex
