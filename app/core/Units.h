#pragma once
// Lengths as the dialogs show them: twips inside, text in the author's unit (App().MeasureUnit:
// 1 inch, 2 centimetre) outside, with the decimal separator of the author's locale, which the
// caller hands in (the window layer reads it from the system).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerCentimetre = 567;

// A decimal number as the author types one: blanks around it, an optional sign, digits with at most
// one decimal separator (the locale's), at least one digit. No group separators and no exponent,
// so that "1,5" in a locale with a decimal point is refused rather than read as 15.
struct DecimalText {
    bool negative = false;
    std::wstring integerDigits;   // without leading zeros
    std::wstring fractionDigits;  // as typed
};
std::optional<DecimalText> ParseDecimal(std::wstring_view text, wchar_t decimalSeparator);

// The number at the start of a text ("3 pt", "2.5pt", " 12"), the rest ignored; nullopt when the
// text does not start with one.
std::optional<double> LeadingNumber(std::wstring_view text, wchar_t decimalSeparator);

// Text in the unit to twips: an empty (or blank) text is 0; the number times 1440 (inch) or 567
// (centimetre), rounded to the nearest twip, halves to the even one; any other unit gives 0.
// Throws zv::Error naming the text when it is no number or the twips do not fit 32 bits.
std::int32_t DlgString2Twips(std::wstring_view text, int unit, wchar_t decimalSeparator);
std::int32_t DlgString2Twips(std::wstring_view text, wchar_t decimalSeparator);  // in App().MeasureUnit

// Twips to text in the unit with exactly two decimals and at least one integer digit ("0.00",
// "8.27"); nullopt for an unknown unit.
std::optional<std::wstring> TwipsToUnitText(double twips, int unit, wchar_t decimalSeparator);
// The same in App().MeasureUnit; an unknown unit tells the author "Internal Error in
// Twips2DlgString()" and gives an empty text.
std::wstring Twips2DlgString(double twips, wchar_t decimalSeparator);

// The unit's name as the dialogs' unit labels show it: "inch" for 1, "cm" otherwise.
std::wstring UnitLabel(int unit);
