#include "app/dialogs/PageChooserRows.h"

#include <utility>

#include "app/core/Hyperlinks.h"

void PageChooserRows::Show(std::vector<ChooserPage> pages, bool otherModule, std::wstring moduleCode,
                           std::wstring folder) {
    pages_ = std::move(pages);
    otherModule_ = otherModule;
    moduleCode_ = std::move(moduleCode);
    folder_ = std::move(folder);
    selected_ = -1;
}

std::wstring PageChooserRows::Caption(int row) const {
    std::wstring caption = L"Page " + std::to_wstring(row + 1);
    if (otherModule_ || row < 0 || row >= Count()) return caption;
    const ChooserPage& page = Page(row);
    caption += L"\r\nPage Type: " + page.type;
    if (page.type == L"Topic") caption += L"\r\nTopic Name: " + page.topic;
    caption += L"\r\nFile Name: " + page.name;
    return caption;
}

void PageChooserRows::Select(int row) {
    if (row >= 0 && row < Count()) selected_ = row;
}

std::optional<std::wstring> PageChooserRows::LinkTarget() const {
    if (selected_ < 0 || selected_ >= Count()) return std::nullopt;
    return zv::PageLinkTarget(moduleCode_, Page(selected_).name);
}

int RowSlotsFor(long viewportHeight, long rowHeight) {
    if (rowHeight <= 0 || viewportHeight <= 0) return 1;
    // The view moves by whole rows: every row that begins inside it, the last one cut off.
    return static_cast<int>((viewportHeight + rowHeight - 1) / rowHeight);
}

int RowInSlot(int slot, int firstRow, int rowCount) {
    if (slot < 0 || firstRow < 0) return -1;
    const long long row = static_cast<long long>(firstRow) + slot;
    return row < rowCount ? static_cast<int>(row) : -1;
}
