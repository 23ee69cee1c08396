#include "components/textcontrol/dialogs/TabEntries.h"

#include <algorithm>

#include "components/textcontrol/dialogs/ParagraphEntries.h"
#include "components/textcontrol/model/Limits.h"

namespace tx::dialogs {

const std::vector<std::wstring>& TabKindNames() {
    static const std::vector<std::wstring> names = {L"Left", L"Right", L"Centered", L"Decimal"};
    return names;
}

TabStopList::TabStopList(const ParaValues& selected) {
    if (selected.tabs) stops_ = *selected.tabs;
    else mixed_ = true;
}

std::optional<EntryError> TabStopList::Set(std::wstring_view position, TabKind kind, int unit) {
    const auto twips = ParseLength(position, unit);
    if (!twips || *twips <= 0 || *twips > kMaxDialogLength)
        return BoxNeeds(L"Tab stop position", L"a length above 0.00 and up to " + LengthText(kMaxDialogLength, unit) + L" " + UnitName(unit));
    const int at = IndexOf(*twips);
    if (at >= 0) {
        stops_[static_cast<size_t>(at)].kind = kind;
    } else {
        if (stops_.size() >= limits::kMaxTabs)
            return EntryError{L"Tab stop position", L"A paragraph takes at most " + std::to_wstring(limits::kMaxTabs) +
                                                        L" tab stops: clear one before setting another."};
        stops_.push_back(TabStop{*twips, kind});
        std::sort(stops_.begin(), stops_.end(), [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
    }
    edited_ = true;
    return std::nullopt;
}

void TabStopList::Clear(int index) {
    if (index < 0 || index >= static_cast<int>(stops_.size())) return;
    stops_.erase(stops_.begin() + index);
    edited_ = true;
}

void TabStopList::ClearAll() {
    stops_.clear();
    clearedAll_ = true;
    edited_ = true;
}

int TabStopList::IndexOf(int position) const {
    for (size_t i = 0; i < stops_.size(); ++i)
        if (stops_[i].position == position) return static_cast<int>(i);
    return -1;
}

std::wstring TabStopList::Describe(const TabStop& stop, int unit) {
    return LengthText(stop.position, unit) + L" " + UnitName(unit) + L"   " + TabKindNames()[static_cast<size_t>(stop.kind)];
}

void TabStopList::ApplyTo(std::vector<TabStop>& tabs) const {
    if (!edited_) return;
    if (!Mixed()) {
        tabs = stops_;
        return;
    }
    for (const TabStop& stop : stops_) {
        auto same = std::find_if(tabs.begin(), tabs.end(), [&](const TabStop& t) { return t.position == stop.position; });
        if (same != tabs.end()) same->kind = stop.kind;
        else tabs.push_back(stop);
    }
    std::sort(tabs.begin(), tabs.end(), [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
}

}  // namespace tx::dialogs
