#pragma once
// The commands of the editor's menus and the frame's toolbar that open the editor's further
// windows, insert pictures and movies, preview and convert the module. Each is carried out by its
// own window, defined beside the editor (app/editor/Editor*.cpp) by the family it belongs to.

namespace tx {
class TXTextControl;
}
namespace ui {
class CommonDialog;
}

// The print preview of the module's stored pages, drawn through the hidden print control.
void ShowPreview(tx::TXTextControl& tx, tx::TXTextControl& tx2);
// The go-to view: a thumbnail of every page; OK opens the chosen page.
void ShowGoToDialog();
// The hyperlink dialog over the active editor's text (a new link, or the one at the caret).
void ShowHyperlinkDialog();
// The table insertion dialog for a text control.
void ShowTableDialog(tx::TXTextControl& tx);
// The properties of the page's movie.
void ShowMoviePropertiesDialog();
// Asks for a picture file and inserts it: as a character at the caret, or fixed at (x, y) of the
// visible part of the page.
void InsertImage(bool asCharacter, tx::TXTextControl& control, ui::CommonDialog& dialog, int x, int y);
// Asks for a movie file of a kind (1 Flash, 2 Shockwave, 3 Windows Media video), copies it into
// the module's Movies folder and places it on the page.
void InsertMovie(tx::TXTextControl& control, int kind, int x, int y);
// Converts the module into a word-processor document in its folder.
void ConvertModuleToWord();
// The player's view of the module, page by page.
void ShowPlayerPreview();
