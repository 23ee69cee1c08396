#pragma once
// The font dialog's boxes: face, size in points, the four styles (a grayed check = mixed) and the
// text colour from a list of named colours (blank = mixed).

#include <optional>
#include <string>
#include <vector>

#include "components/textcontrol/dialogs/Entries.h"
#include "components/textcontrol/dialogs/SelectionFormats.h"

namespace tx::dialogs {

inline constexpr int kUnchecked = 0, kChecked = 1, kGrayed = 2;

struct FontBoxes {
    std::wstring font;
    std::wstring size;  // points
    int bold = kUnchecked, italic = kUnchecked, underline = kUnchecked, strike = kUnchecked;
    std::optional<Color> color;  // empty: the list shows nothing chosen
    bool operator==(const FontBoxes&) const = default;
};

struct NamedColor {
    std::wstring name;
    Color color;
};
// The sixteen colours of the colour list; a colour not among them is offered as "Custom".
const std::vector<NamedColor>& StandardColors();
std::vector<NamedColor> ColorChoices(std::optional<Color> current);

FontBoxes ShowFont(const CharValues& selected);
// What OK applies: only boxes the author changed. `faces` are the installed fonts: a face typed in
// another case takes its installed spelling; one not installed is taken as typed.
Checked<CharValues> ReadFont(const FontBoxes& entered, const FontBoxes& shown, const std::vector<std::wstring>& faces);

}  // namespace tx::dialogs
