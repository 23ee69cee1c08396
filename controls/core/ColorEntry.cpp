#include "controls/core/ColorEntry.h"

#include "controls/core/ScanToken.h"

namespace palvex {

namespace {
const std::wstring kNul(1, L'\0');
const std::wstring kBackslash = L"\\";
}

std::wstring MakeColorEntry(const std::wstring& name, int32_t value) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    uint32_t bits = static_cast<uint32_t>(value);
    std::wstring hex;
    do {
        hex.insert(hex.begin(), kDigits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return name + kNul + L"&H" + hex + L"&";
}

std::wstring ColorEntryName(const std::wstring& entry) {
    std::wstring name = ScanToken(entry, kNul, false, false, L"", kBackslash);
    ScanToken(L"", kNul, false, false, L"", kBackslash);  // leaves the thread's scanner empty
    return name;
}

std::wstring ColorEntryValuePart(const std::wstring& entry) {
    ScanToken(entry, kNul, false, false, L"", kBackslash);
    return ScanToken(L"", kNul, false, false, L"", kBackslash);
}

int32_t ColorEntryValue(const std::wstring& entry) {
    return ParseHexLiteral(ColorEntryValuePart(entry));
}

int32_t ParseHexLiteral(const std::wstring& literal) {
    if (literal.size() < 3 || literal[0] != L'&' || (literal[1] != L'H' && literal[1] != L'h')) return 0;
    uint64_t bits = 0;
    size_t digits = 0;
    size_t i = 2;
    for (; i < literal.size(); ++i) {
        const wchar_t c = literal[i];
        int digit;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        else if (c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        else break;
        bits = (bits << 4) | static_cast<uint64_t>(digit);
        if (++digits > 8) return 0;
    }
    if (digits == 0) return 0;
    const bool longSuffix = i < literal.size() && literal[i] == L'&';
    if (!longSuffix && digits <= 4) return static_cast<int16_t>(static_cast<uint16_t>(bits));
    return static_cast<int32_t>(static_cast<uint32_t>(bits));
}

}  // namespace palvex
