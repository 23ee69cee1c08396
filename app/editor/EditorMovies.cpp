// The editor's movies: players shown inside a page, created from the page's placeholders when it
// loads and removed before every page change. Pages hold no live players in this build: these
// procedures have nothing to take down, hide or create yet.
#include "app/core/DialogCommands.h"
#include "app/editor/frmMDIChild.h"

void frmMDIChild::RemoveMovieControl() {}
void frmMDIChild::RemovePrtMovieControl() {}
void frmMDIChild::DisableMovie(int /*KeyCode*/) {}
void frmMDIChild::InsertMovieObject(HWND& /*MoviehWnd*/) {}
// After a key: the player that Alt hid shows again.
void frmMDIChild::ShowMovieAgain() {}
// A movie just inserted asks for the name it is stored under.
void frmMDIChild::NameMovieObject(std::wstring& /*name*/) {}
// A stored movie of a loaded page gets its player back.
void frmMDIChild::RestoreMovie(const std::wstring& /*storedName*/) {}

// The movie commands of the Insert menu. The movie dialogs are not part of the program yet.
void ShowMoviePropertiesDialog() {}
void InsertMovie(tx::TXTextControl& /*control*/, int /*kind*/, int /*x*/, int /*y*/) {}
