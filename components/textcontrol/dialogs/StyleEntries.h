#pragma once
// The style dialog's list of named styles while it is open: new styles from the selection, renames
// and deletions wait there until OK or Apply, so that Cancel leaves the document as it was.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "components/textcontrol/dialogs/Entries.h"
#include "components/textcontrol/model/Formats.h"

namespace tx::dialogs {

inline constexpr size_t kMaxStyleName = 64;

class StyleList {
public:
    explicit StyleList(std::vector<Style> styles);

    const std::vector<Style>& Styles() const { return styles_; }
    int IndexOf(std::wstring_view name) const;  // -1 when there is none
    // A new style from the selection's formats under a typed name; the error names the name box.
    std::optional<EntryError> Add(std::wstring_view name, Style fromSelection);
    std::optional<EntryError> Rename(int index, std::wstring_view name);
    void Remove(int index);  // an index out of range changes nothing
    bool Edited() const { return edited_; }
    // The styles that were there when the dialog opened and now carry another name: (old, new).
    std::vector<std::pair<std::wstring, std::wstring>> Renamed() const;

private:
    std::optional<EntryError> CheckName(const std::wstring& name, int except) const;
    std::vector<Style> styles_;
    std::vector<std::wstring> original_;  // each style's name when the dialog opened ("" = new)
    bool edited_ = false;
};

}  // namespace tx::dialogs
