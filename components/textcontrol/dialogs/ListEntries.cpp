#include "components/textcontrol/dialogs/ListEntries.h"

#include "components/textcontrol/dialogs/ParagraphEntries.h"

namespace tx::dialogs {

const std::vector<std::wstring>& NumberStyleNames() {
    static const std::vector<std::wstring> names = {L"1, 2, 3", L"A, B, C", L"a, b, c", L"I, II, III, IV",
                                                    L"i, ii, iii, iv"};
    return names;
}

ListBoxes ShowList(const ParaValues& selected, int unit) {
    ListBoxes b;
    if (selected.listKind) {
        switch (*selected.listKind) {
        case ListKind::None: b.kind = kListNone; break;
        case ListKind::Bullet: b.kind = kListBullets; break;
        case ListKind::Numbered: b.kind = kListNumbers; break;
        }
    }
    if (selected.numberStyle) b.style = static_cast<int>(*selected.numberStyle);
    if (selected.listLevel) b.level = std::to_wstring(*selected.listLevel + 1);
    if (selected.listIndentStep) b.step = LengthText(*selected.listIndentStep, unit);
    return b;
}

Checked<ParaValues> ReadList(const ListBoxes& entered, const ListBoxes& shown, int unit) {
    Checked<ParaValues> r;
    ParaValues& v = r.value;
    if (entered.kind != shown.kind && entered.kind >= kListNone && entered.kind <= kListNumbers) {
        static constexpr ListKind kKinds[] = {ListKind::None, ListKind::Bullet, ListKind::Numbered};
        v.listKind = kKinds[entered.kind];
    }
    if (entered.style != shown.style && entered.style >= 0 && entered.style < static_cast<int>(NumberStyleNames().size()))
        v.numberStyle = static_cast<NumberStyle>(entered.style);
    if (Trim(entered.level) != Trim(shown.level)) {
        const auto level = ParseNumber(entered.level);
        if (!level || *level != static_cast<int>(*level) || *level < 1 || *level > kMaxListLevel + 1) {
            r.error = BoxNeeds(L"Level", L"a whole number from 1 to " + std::to_wstring(kMaxListLevel + 1));
            return r;
        }
        v.listLevel = static_cast<int>(*level) - 1;
    }
    if (auto e = ReadLengthBox(L"Indent per level", entered.step, shown.step, 0, kMaxLevelStep, unit, v.listIndentStep))
        r.error = e;
    return r;
}

}  // namespace tx::dialogs
