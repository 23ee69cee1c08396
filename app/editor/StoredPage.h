#pragma once
// Draws a module's stored page into a box: the page file (never the editor's live text) is loaded
// into the editor's hidden print control and printed onto the box's device context at the zoom that
// fits the page into the box. Used by the print preview, the go-to view and the page chooser.
//
// Drawing happens inside paint handlers, so it never asks or tells the author anything: a page that
// cannot be loaded, or a box too small for a zoom of 10 %, leaves the box blank and the print
// control's zoom as it was.

#include <windows.h>

#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "ui/Handles.h"

class frmMDIChild;
namespace ui {
class PictureBox;
}

// Draws page file `pageName` of the open module onto `dc`, fitted into a box of boxWidth x
// boxHeight twips, through `editor`'s prtTXTextControl2. True when the page was drawn.
bool DrawStoredPage(frmMDIChild& editor, const std::wstring& pageName, HDC dc, long boxWidth, long boxHeight);
// The same for a page of the module in `folder` (the page chooser shows other modules too); a
// name that is no plain file name in that folder draws nothing.
bool DrawStoredPage(frmMDIChild& editor, const std::wstring& folder, const std::wstring& pageName, HDC dc,
                    long boxWidth, long boxHeight);
// The same into a picture box: its device context and its size.
bool DrawStoredPage(frmMDIChild& editor, const std::wstring& pageName, ui::PictureBox& box);

// The stored pages one showing of a view paints: each page is drawn through the print control once,
// into a bitmap of its box's size on the box's colour, and painted from that bitmap while the view
// stays open. Scrolling back, turning back and repainting cost a copy, not a load, a layout and a
// paint. The page files do not change while a view is open (the views are modal and store nothing).
class StoredPageImages {
public:
    // Bitmaps are kept up to this many bytes of pixels; past it, those painted longest ago go.
    static constexpr std::size_t kKeptBytes = std::size_t{32} << 20;
    explicit StoredPageImages(std::size_t keptBytes = kKeptBytes) : keptBytes_(keptBytes) {}

    // Paints page file `pageName` of `folder` into the inner area of `box` less `inset` pixels on
    // every side (a frame the box's background shows in), fitted into fitWidth x fitHeight twips,
    // as DrawStoredPage draws it onto the box's background. A page that cannot be drawn leaves the
    // box as its background shows it. True when the page shows.
    bool Paint(frmMDIChild& editor, const std::wstring& folder, const std::wstring& pageName, ui::PictureBox& box,
               long fitWidth, long fitHeight, int inset = 0);
    // The same for a page of the open module, fitted into the box's outer size.
    bool Paint(frmMDIChild& editor, const std::wstring& pageName, ui::PictureBox& box);

    // How many times a page was drawn through the print control in this showing.
    int Rendered() const { return rendered_; }
    void Clear();

private:
    struct Key {
        std::wstring folder, page;
        long fitWidth = 0, fitHeight = 0;
        int width = 0, height = 0;  // of the bitmap, pixels
        unsigned long backColor = 0;
        auto operator<=>(const Key&) const = default;
    };
    struct Image {
        ui::Bitmap bitmap;  // none: the page could not be drawn
        std::size_t bytes = 0;
        std::uint64_t lastPainted = 0;
    };
    Image& Render(frmMDIChild& editor, const Key& key, HDC boxDc);
    void MakeRoomFor(std::size_t bytes);
    // One memory device for every drawing and copy of this showing: under Wine each new one costs
    // trips to the server, and a scroll step paints several boxes.
    HDC Memory(HDC boxDc);

    ui::OwnedDc memory_;
    std::size_t keptBytes_;
    std::size_t bytes_ = 0;
    std::uint64_t paints_ = 0;
    int rendered_ = 0;
    std::map<Key, Image> images_;
};

// What the views of stored pages say when the module has none.
inline constexpr wchar_t kNoStoredPageMessage[] = L"This module has no stored page yet.";
// True when the open module has a stored page; otherwise the author is told so.
bool HasStoredPageOrSay();
