#include "components/textcontrol/dialogs/StyleEntries.h"

namespace tx::dialogs {

StyleList::StyleList(std::vector<Style> styles) : styles_(std::move(styles)) {
    for (const auto& s : styles_) original_.push_back(s.name);
}

int StyleList::IndexOf(std::wstring_view name) const {
    for (size_t i = 0; i < styles_.size(); ++i)
        if (styles_[i].name == name) return static_cast<int>(i);
    return -1;
}

std::optional<EntryError> StyleList::CheckName(const std::wstring& name, int except) const {
    if (name.empty()) return BoxNeeds(L"Name", L"the name of the style");
    if (name.size() > kMaxStyleName)
        return BoxNeeds(L"Name", L"a name of at most " + std::to_wstring(kMaxStyleName) + L" characters");
    const int existing = IndexOf(name);
    if (existing >= 0 && existing != except)
        return EntryError{L"Name", L"The \"Name\" box names a style that already exists: " + name + L"."};
    return std::nullopt;
}

std::optional<EntryError> StyleList::Add(std::wstring_view typed, Style fromSelection) {
    const std::wstring name = Trim(typed);
    if (auto e = CheckName(name, -1)) return e;
    fromSelection.name = name;
    fromSelection.para.styleName = name;
    styles_.push_back(std::move(fromSelection));
    original_.emplace_back();
    edited_ = true;
    return std::nullopt;
}

std::optional<EntryError> StyleList::Rename(int index, std::wstring_view typed) {
    if (index < 0 || index >= static_cast<int>(styles_.size())) return std::nullopt;
    const std::wstring name = Trim(typed);
    if (auto e = CheckName(name, index)) return e;
    if (styles_[static_cast<size_t>(index)].name == name) return std::nullopt;
    styles_[static_cast<size_t>(index)].name = name;
    styles_[static_cast<size_t>(index)].para.styleName = name;
    edited_ = true;
    return std::nullopt;
}

void StyleList::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(styles_.size())) return;
    styles_.erase(styles_.begin() + index);
    original_.erase(original_.begin() + index);
    edited_ = true;
}

std::vector<std::pair<std::wstring, std::wstring>> StyleList::Renamed() const {
    std::vector<std::pair<std::wstring, std::wstring>> renamed;
    for (size_t i = 0; i < styles_.size(); ++i)
        if (!original_[i].empty() && original_[i] != styles_[i].name) renamed.emplace_back(original_[i], styles_[i].name);
    return renamed;
}

}  // namespace tx::dialogs
