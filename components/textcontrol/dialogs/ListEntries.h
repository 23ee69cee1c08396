#pragma once
// The bullets and numbering dialog's boxes: the list kind, the numbering style, the level (shown
// from 1, as authors count; the model counts from 0) and the indent each level adds.

#include <string>
#include <vector>

#include "components/textcontrol/dialogs/Entries.h"
#include "components/textcontrol/dialogs/SelectionFormats.h"

namespace tx::dialogs {

// The kind options, in the dialog's order.
inline constexpr int kListNone = 0, kListBullets = 1, kListNumbers = 2;
// The furthest indent a level may add.
inline constexpr int kMaxLevelStep = 2880;

struct ListBoxes {
    int kind = -1;   // kListNone..kListNumbers; -1 = the paragraphs differ
    int style = -1;  // index into NumberStyleNames(); -1 = nothing chosen
    std::wstring level;
    std::wstring step;
    bool operator==(const ListBoxes&) const = default;
};

// "1, 2, 3", "A, B, C", "a, b, c", "I, II, III, IV", "i, ii, iii, iv": the model's numbering styles.
const std::vector<std::wstring>& NumberStyleNames();

ListBoxes ShowList(const ParaValues& selected, int unit);
Checked<ParaValues> ReadList(const ListBoxes& entered, const ListBoxes& shown, int unit);

}  // namespace tx::dialogs
