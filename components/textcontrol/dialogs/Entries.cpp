#include "components/textcontrol/dialogs/Entries.h"

#include <cmath>
#include <cwchar>

namespace tx::dialogs {

int TwipsPerUnit(int unit) { return unit == kUnitCentimetre ? 567 : 1440; }

std::wstring UnitName(int unit) { return unit == kUnitCentimetre ? L"cm" : L"in"; }

std::wstring Trim(std::wstring_view text) {
    size_t first = 0, last = text.size();
    while (first < last && (text[first] == L' ' || text[first] == L'\t')) ++first;
    while (last > first && (text[last - 1] == L' ' || text[last - 1] == L'\t')) --last;
    return std::wstring(text.substr(first, last - first));
}

std::wstring LengthText(int twips, int unit) {
    // Rounded half away from zero to hundredths, in whole hundredths so that no float prints "-0.00".
    const long long per = TwipsPerUnit(unit);
    const long long scaled = static_cast<long long>(twips) * 100;
    long long hundredths = (scaled >= 0 ? scaled + per / 2 : scaled - per / 2) / per;
    std::wstring sign;
    if (hundredths < 0) {
        sign = L"-";
        hundredths = -hundredths;
    }
    std::wstring cents = std::to_wstring(hundredths % 100);
    if (cents.size() < 2) cents.insert(0, 1, L'0');
    return sign + std::to_wstring(hundredths / 100) + L"." + cents;
}

std::optional<double> ParseNumber(std::wstring_view text) {
    const std::wstring t = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) negative = t[i++] == L'-';
    double whole = 0;
    int digits = 0;
    while (i < t.size() && t[i] >= L'0' && t[i] <= L'9') {
        if (++digits > 9) return std::nullopt;  // far beyond any value a dialog takes
        whole = whole * 10 + (t[i++] - L'0');
    }
    if (i < t.size() && t[i] == L'.') {
        ++i;
        double scale = 0.1;
        int decimals = 0;
        while (i < t.size() && t[i] >= L'0' && t[i] <= L'9') {
            if (++decimals <= 9) whole += (t[i] - L'0') * scale;
            scale /= 10;
            ++i;
        }
        digits += decimals;
    }
    if (digits == 0 || i != t.size()) return std::nullopt;
    return negative ? -whole : whole;
}

std::wstring NumberText(double value) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%.2f", value);
    std::wstring s = buffer;
    while (!s.empty() && s.back() == L'0') s.pop_back();
    if (!s.empty() && s.back() == L'.') s.pop_back();
    if (s == L"-0") s = L"0";
    return s;
}

std::optional<int> ParseLength(std::wstring_view text, int unit) {
    std::wstring t = Trim(text);
    struct Suffix {
        const wchar_t* text;
        double twips;
    };
    static constexpr Suffix kSuffixes[] = {{L"cm", 567.0}, {L"mm", 56.7}, {L"in", 1440.0}, {L"\"", 1440.0}, {L"pt", 20.0}};
    double perUnit = TwipsPerUnit(unit);
    for (const auto& s : kSuffixes) {
        const size_t n = std::wcslen(s.text);
        if (t.size() > n && t.compare(t.size() - n, n, s.text) == 0) {
            t.resize(t.size() - n);
            perUnit = s.twips;
            break;
        }
    }
    const auto number = ParseNumber(t);
    if (!number) return std::nullopt;
    const double twips = std::round(*number * perUnit);
    if (std::fabs(twips) > 2e9) return std::nullopt;
    return static_cast<int>(twips);
}

EntryError BoxNeeds(const std::wstring& box, const std::wstring& what) {
    return EntryError{box, L"The \"" + box + L"\" box needs " + what + L"."};
}

std::wstring LengthRange(int lo, int hi, int unit) {
    return L"a length from " + LengthText(lo, unit) + L" to " + LengthText(hi, unit) + L" " + UnitName(unit);
}

}  // namespace tx::dialogs
