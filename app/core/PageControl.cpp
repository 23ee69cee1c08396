// The page commands on the active editor: the page walk decides, the editor window carries out.
#include "app/core/PageControl.h"

#include "app/core/AppState.h"
#include "app/core/PageWalk.h"
#include "app/core/SharedCommands.h"
#include "app/editor/frmMDIChild.h"

namespace {
EditorWalk ActiveEditorWalk() { return EditorWalk(App(), RequireEditor()); }
}  // namespace

void InitPageList() {
    ResetPageState(App());
    EnableToolbarButton(L"Next", false);
    EnableToolbarButton(L"Previous", false);
}

void ClearEditorPage() { ActiveEditorWalk().ClearEditorPage(); }
void GoToNextPage() { ActiveEditorWalk().GoToNextPage(); }
void GoToPreviousPage() { ActiveEditorWalk().GoToPreviousPage(); }
bool GoToPage(const std::wstring& pageName) { return ActiveEditorWalk().GoToPage(pageName); }
void InsertPage(std::int16_t where) { ActiveEditorWalk().InsertPage(where); }
void DeleteCurrentPage() { ActiveEditorWalk().DeleteCurrentPage(); }
void GoToFirstPage() { ActiveEditorWalk().GoToFirstPage(); }
void GoToLastPage() { ActiveEditorWalk().GoToLastPage(); }
void OpenLinkedPage(const std::wstring& pageName) { ActiveEditorWalk().OpenLinkedPage(pageName); }
