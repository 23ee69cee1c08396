#pragma once
// Draws a module's stored page into a box: the page file (never the editor's live text) is loaded
// into the editor's hidden print control and printed onto the box's device context at the zoom that
// fits the page into the box. Used by the print preview, the go-to view and the page chooser.
//
// Drawing happens inside paint handlers, so it never asks or tells the author anything: a page that
// cannot be loaded, or a box too small for a zoom of 10 %, leaves the box blank and the print
// control's zoom as it was.

#include <windows.h>

#include <string>

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

// What the views of stored pages say when the module has none.
inline constexpr wchar_t kNoStoredPageMessage[] = L"This module has no stored page yet.";
// True when the open module has a stored page; otherwise the author is told so.
bool HasStoredPageOrSay();
