#pragma once
// Movie insertion (InsertMovie in DialogCommands.h): the three choosers that ask for a movie file
// of their kind and copy it into the module's Movies folder, handing back the container window
// the placeholder is shown in.

#include <windows.h>

namespace ui {
class CommonDialog;
}

// True when a file was chosen and copied; the active editor then has a new container, whose window
// is in MoviehWnd, and MovieFileTitle names the copy. False (the author told why, the page as it
// was) when the dialog was cancelled or the copy failed.
bool SelectFlashMovie(HWND& MoviehWnd, ui::CommonDialog& dialog);
bool SelectShockwaveMovie(HWND& MoviehWnd, ui::CommonDialog& dialog);
bool SelectVideo(HWND& MoviehWnd, ui::CommonDialog& dialog);

// What the author is told when the page already shows a movie.
inline constexpr wchar_t kOneMoviePerPageMessage[] =
    L"This page already holds a movie. A page shows one movie: delete it (Insert > Movie > Delete Movie) "
    L"before you insert another.";
