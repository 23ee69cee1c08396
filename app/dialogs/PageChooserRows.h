#pragma once
// The rows of the page chooser: one per page of the module shown (the open one or another chosen
// with Select Module), their captions, the selection and the link target it makes, and which rows
// a viewport scrolled by whole rows shows. Only the rows in view get windows, so a module of 9999
// pages needs no more windows, and no taller canvas, than one of ten.

#include <optional>
#include <string>
#include <vector>

struct ChooserPage {
    std::wstring name;   // the page file, as the page list holds it
    std::wstring type;   // the page type ("Topic", ...)
    std::wstring topic;  // the topic name of a Topic page
};

class PageChooserRows {
public:
    // New rows: the selection goes, since its row may name another page or none at all.
    // `moduleCode` is the code a link to these pages carries; `folder` holds their page files.
    void Show(std::vector<ChooserPage> pages, bool otherModule, std::wstring moduleCode, std::wstring folder);

    int Count() const { return static_cast<int>(pages_.size()); }
    const ChooserPage& Page(int row) const { return pages_.at(static_cast<size_t>(row)); }
    bool OtherModule() const { return otherModule_; }
    const std::wstring& ModuleCode() const { return moduleCode_; }
    const std::wstring& Folder() const { return folder_; }

    // "Page n", the page type and, for a Topic page, its topic name, and the file, one a line; a
    // page of another module reads "Page n" alone.
    std::wstring Caption(int row) const;

    // A row outside the rows selects nothing.
    void Select(int row);
    int Selected() const { return selected_; }  // -1: none
    // The selected page's link target (code, backslash, page file); none without a selection.
    std::optional<std::wstring> LinkTarget() const;

private:
    std::vector<ChooserPage> pages_;
    bool otherModule_ = false;
    std::wstring moduleCode_;
    std::wstring folder_;
    int selected_ = -1;
};

// The rows a viewport shows, scrolled by whole rows so that row `firstRow` is at its top: how many
// row places (boxes with their captions) it needs, and which row the place `slot` shows (-1: none).
int RowSlotsFor(long viewportHeight, long rowHeight);
int RowInSlot(int slot, int firstRow, int rowCount);
