#include "components/textcontrol/dialogs/FontEntries.h"

#include <cmath>
#include <cwctype>

#include "components/textcontrol/model/Limits.h"

namespace tx::dialogs {
namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::optional<bool> CheckValue(int entered, int shown) {
    if (entered == shown || entered == kGrayed) return std::nullopt;
    return entered == kChecked;
}

}  // namespace

const std::vector<NamedColor>& StandardColors() {
    static const std::vector<NamedColor> colors = {
        {L"Black", 0x000000},  {L"Maroon", 0x000080}, {L"Green", 0x008000},  {L"Olive", 0x008080},
        {L"Navy", 0x800000},   {L"Purple", 0x800080}, {L"Teal", 0x808000},   {L"Gray", 0x808080},
        {L"Silver", 0xC0C0C0}, {L"Red", 0x0000FF},    {L"Lime", 0x00FF00},   {L"Yellow", 0x00FFFF},
        {L"Blue", 0xFF0000},   {L"Fuchsia", 0xFF00FF}, {L"Aqua", 0xFFFF00}, {L"White", 0xFFFFFF},
    };
    return colors;
}

std::vector<NamedColor> ColorChoices(std::optional<Color> current) {
    std::vector<NamedColor> choices = StandardColors();
    if (!current) return choices;
    for (const auto& c : choices)
        if (c.color == *current) return choices;
    choices.push_back({L"Custom", *current});
    return choices;
}

FontBoxes ShowFont(const CharValues& selected) {
    FontBoxes b;
    if (selected.face) b.font = *selected.face;
    if (selected.size) b.size = NumberText(*selected.size / 20.0);
    auto check = [](const std::optional<bool>& v) { return v ? (*v ? kChecked : kUnchecked) : kGrayed; };
    b.bold = check(selected.bold);
    b.italic = check(selected.italic);
    b.underline = check(selected.underline);
    b.strike = check(selected.strike);
    b.color = selected.color;
    return b;
}

Checked<CharValues> ReadFont(const FontBoxes& entered, const FontBoxes& shown, const std::vector<std::wstring>& faces) {
    Checked<CharValues> r;
    CharValues& v = r.value;
    const std::wstring face = Trim(entered.font);
    if (face != Trim(shown.font)) {
        if (face.empty()) {
            r.error = BoxNeeds(L"Font", L"the name of a font");
            return r;
        }
        if (face.size() > limits::kMaxFaceName) {
            r.error = BoxNeeds(L"Font", L"a font name of at most " + std::to_wstring(limits::kMaxFaceName) + L" characters");
            return r;
        }
        // A face not installed is taken as typed, as word processors do: the screen shows a
        // substitute and the name travels with the text to where the font may exist.
        v.face = face;
        for (const auto& known : faces)
            if (SameName(known, face)) v.face = known;
    }
    if (Trim(entered.size) != Trim(shown.size)) {
        const auto points = ParseNumber(entered.size);
        const double maxPoints = limits::kMaxFontSize / 20.0;
        if (!points || *points < 1 || *points > maxPoints) {
            r.error = BoxNeeds(L"Size", L"a number of points from 1 to " + NumberText(maxPoints));
            return r;
        }
        v.size = static_cast<int>(std::lround(*points * 20));
    }
    v.bold = CheckValue(entered.bold, shown.bold);
    v.italic = CheckValue(entered.italic, shown.italic);
    v.underline = CheckValue(entered.underline, shown.underline);
    v.strike = CheckValue(entered.strike, shown.strike);
    if (entered.color != shown.color) v.color = entered.color;
    return r;
}

}  // namespace tx::dialogs
