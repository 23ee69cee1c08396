#include "app/core/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/core/AppState.h"
#include "base/Error.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == 0xA0; }

int TwipsPerUnit(int unit) {
    switch (unit) {
    case 1: return kTwipsPerInch;
    case 2: return kTwipsPerCentimetre;
    default: return 0;
    }
}

// Reads sign, digits and one separator from `text` at `at`; `at` ends behind what was read.
std::optional<DecimalText> ReadDecimal(std::wstring_view text, size_t& at, wchar_t separator) {
    DecimalText d;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) d.negative = text[at++] == L'-';
    bool digits = false;
    while (at < text.size() && IsDigit(text[at])) {
        if (!d.integerDigits.empty() || text[at] != L'0') d.integerDigits += text[at];
        digits = true;
        ++at;
    }
    if (at < text.size() && text[at] == separator) {
        ++at;
        while (at < text.size() && IsDigit(text[at])) {
            d.fractionDigits += text[at++];
            digits = true;
        }
    }
    if (!digits) return std::nullopt;
    return d;
}

std::wstring Quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

}  // namespace

std::optional<DecimalText> ParseDecimal(std::wstring_view text, wchar_t decimalSeparator) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    auto d = ReadDecimal(text, at, decimalSeparator);
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (!d || at != text.size()) return std::nullopt;
    return d;
}

std::optional<double> LeadingNumber(std::wstring_view text, wchar_t decimalSeparator) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    const auto d = ReadDecimal(text, at, decimalSeparator);
    if (!d) return std::nullopt;
    // Far beyond any length a dialog keeps: such a number only needs to be known as huge.
    if (d->integerDigits.size() > 15) return d->negative ? -1e15 : 1e15;
    double value = 0;
    for (wchar_t c : d->integerDigits) value = value * 10 + (c - L'0');
    double scale = 0.1;
    for (wchar_t c : d->fractionDigits) {
        value += (c - L'0') * scale;
        scale /= 10;
    }
    return d->negative ? -value : value;
}

std::int32_t DlgString2Twips(std::wstring_view text, int unit, wchar_t decimalSeparator) {
    if (std::all_of(text.begin(), text.end(), IsBlank)) return 0;
    const auto d = ParseDecimal(text, decimalSeparator);
    if (!d) throw zv::Error(Quoted(text) + L" is not a number.");
    const long long factor = TwipsPerUnit(unit);
    if (factor == 0) return 0;
    const auto tooLarge = [&] { return zv::Error(Quoted(text) + L" is too large a length."); };
    // Exact decimal arithmetic, so that a length typed as 0.5 twip rounds to the even twip and not
    // by the accident of a binary fraction: whole part times the factor, then the fraction's share.
    constexpr long long kLimit = 2147483648LL;  // the magnitude of the smallest 32-bit value
    if (d->integerDigits.size() > 10) throw tooLarge();
    long long whole = 0;
    for (wchar_t c : d->integerDigits) whole = whole * 10 + (c - L'0');
    long long twips = whole * factor;
    if (twips > kLimit) throw tooLarge();
    // Fifteen fraction digits are exact in 64 bits after multiplying by the factor; any further
    // non-zero digit only moves a value that sits exactly on a half off that half.
    const size_t kept = std::min<size_t>(d->fractionDigits.size(), 15);
    long long fraction = 0, denominator = 1;
    for (size_t i = 0; i < kept; ++i) {
        fraction = fraction * 10 + (d->fractionDigits[i] - L'0');
        denominator *= 10;
    }
    const bool beyond = std::any_of(d->fractionDigits.begin() + static_cast<long>(kept), d->fractionDigits.end(),
                                    [](wchar_t c) { return c != L'0'; });
    const long long scaled = fraction * factor;
    long long quotient = scaled / denominator;
    const long long twiceRest = 2 * (scaled % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && (beyond || (twips + quotient) % 2 != 0))) ++quotient;
    twips += quotient;
    if (d->negative ? twips > kLimit : twips > kLimit - 1) throw tooLarge();
    return static_cast<std::int32_t>(d->negative ? -twips : twips);
}

std::int32_t DlgString2Twips(std::wstring_view text, wchar_t decimalSeparator) {
    return DlgString2Twips(text, App().MeasureUnit, decimalSeparator);
}

std::optional<std::wstring> TwipsToUnitText(double twips, int unit, wchar_t decimalSeparator) {
    const int factor = TwipsPerUnit(unit);
    if (factor == 0) return std::nullopt;
    if (!std::isfinite(twips)) twips = 0;
    twips = std::clamp(twips, -1e12, 1e12);
    // The half-thousandth of a twip lifts a value that binary arithmetic puts just below a half
    // hundredth onto it, as the dialogs have always shown such values.
    const double value = (twips + 0.0005) / factor;
    const long long hundredths = std::llround(value * 100);
    const long long magnitude = std::llabs(hundredths);
    std::wstring fraction = std::to_wstring(magnitude % 100);
    if (fraction.size() < 2) fraction.insert(0, 1, L'0');
    return (hundredths < 0 ? L"-" : L"") + std::to_wstring(magnitude / 100) + decimalSeparator + fraction;
}

std::wstring Twips2DlgString(double twips, wchar_t decimalSeparator) {
    if (auto text = TwipsToUnitText(twips, App().MeasureUnit, decimalSeparator)) return *text;
    TellAuthor(L"Internal Error in Twips2DlgString()");
    return {};
}

std::wstring UnitLabel(int unit) { return unit == 1 ? L"inch" : L"cm"; }
