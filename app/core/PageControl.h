#pragma once
// Page navigation in the active editor: next, previous and a named page, inserting an empty page
// before or after the current one, deleting the current page, clearing the editor for a new page
// and resetting the page list for a new module. The rules are the page walk's (PageWalk.h); these
// run them on the active editor window and the frame's Next and Previous buttons.

#include <cstdint>
#include <string>

void GoToNextPage();
void GoToPreviousPage();
// false when the author cancelled storing the page left: the editor stays on it.
bool GoToPage(const std::wstring& pageName);
// where: 1 before the current page, any other value after it.
void InsertPage(std::int16_t where);
void DeleteCurrentPage();
// The first or last stored page, without asking to store a changed page: the change is dropped.
// A module with no stored page stays as it is.
void GoToFirstPage();
void GoToLastPage();
// The page a link names (a page of the open module's list), without asking to store a changed page.
void OpenLinkedPage(const std::wstring& pageName);
void ClearEditorPage();
void InitPageList();
