#pragma once
// The tabs dialog's list of stops. It starts with the selected paragraphs' stops. When they differ
// it starts empty: the stops set then are added to each paragraph's own (none is lost), until
// Clear All makes every paragraph's stops the list's.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/textcontrol/dialogs/Entries.h"
#include "components/textcontrol/dialogs/SelectionFormats.h"

namespace tx::dialogs {

// "Left", "Right", "Centered", "Decimal": in the order of the model's tab kinds.
const std::vector<std::wstring>& TabKindNames();

class TabStopList {
public:
    explicit TabStopList(const ParaValues& selected);

    const std::vector<TabStop>& Stops() const { return stops_; }
    // The paragraphs differ and keep their own stops, with the list's added.
    bool Mixed() const { return mixed_ && !clearedAll_; }
    bool Edited() const { return edited_; }
    // Adds a stop at the typed position, or gives the stop already there the new kind. The stops
    // stay in order; the error names the position box.
    std::optional<EntryError> Set(std::wstring_view position, TabKind kind, int unit);
    void Clear(int index);  // an index out of range changes nothing
    void ClearAll();
    // Where the stop at `index` sits in the list after Set (for choosing it there), -1 when none.
    int IndexOf(int position) const;
    // A list entry: "1.00 in   Left".
    static std::wstring Describe(const TabStop& stop, int unit);
    // What OK does to one paragraph's stops (nothing unless the author changed the list).
    void ApplyTo(std::vector<TabStop>& tabs) const;

private:
    std::vector<TabStop> stops_;
    bool mixed_ = false;
    bool clearedAll_ = false;
    bool edited_ = false;
};

}  // namespace tx::dialogs
