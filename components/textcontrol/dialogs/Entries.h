#pragma once
// What the text control's dialogs share between their boxes and the document: numbers and lengths
// as the author types them, in the unit the host chose, and the error that names the box a bad
// entry was typed into. Portable: the dialogs' windows only copy box texts in and out.

#include <optional>
#include <string>
#include <string_view>

namespace tx::dialogs {

// The host's unit for lengths in dialogs.
inline constexpr int kUnitInch = 1;
inline constexpr int kUnitCentimetre = 2;

int TwipsPerUnit(int unit);            // 1440 per inch, 567 per centimetre; any other unit is inches
std::wstring UnitName(int unit);       // "in" or "cm", as labels and messages show it

// A length as a box shows it: the unit's value with two decimals ("1.00", "-0.50", "12.70").
std::wstring LengthText(int twips, int unit);
// A typed length in the unit; a trailing unit ("2 cm", "1.5 in", "1.5\"", "10 mm", "12 pt") wins
// over the host's. Empty when the text is not a plain number (no exponent, no thousands marks).
std::optional<int> ParseLength(std::wstring_view text, int unit);

// A plain decimal number: optional sign, digits, an optional point and digits, blanks around.
std::optional<double> ParseNumber(std::wstring_view text);
std::wstring NumberText(double value);  // "12", "10.5": no trailing zeros
std::wstring Trim(std::wstring_view text);

// A refused entry: the box's caption and the message the author reads. The dialog stays open,
// shows the message and puts the focus back into that box.
struct EntryError {
    std::wstring box;
    std::wstring message;
};

// What reading a dialog's boxes gives: the values, or the first entry that was refused.
template <class T>
struct Checked {
    T value{};
    std::optional<EntryError> error;
    bool Ok() const { return !error.has_value(); }
};

// "The "Left indent" box needs <what>."
EntryError BoxNeeds(const std::wstring& box, const std::wstring& what);
// A length between lo and hi twips, said in the host's unit.
std::wstring LengthRange(int lo, int hi, int unit);

}  // namespace tx::dialogs
