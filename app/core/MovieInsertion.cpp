#include "app/core/MovieInsertion.h"

#include <string>

#include "app/core/AppState.h"
#include "app/core/DialogCommands.h"
#include "app/core/MovieFiles.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/Application.h"
#include "ui/CommonDialog.h"
#include "ui/MsgBox.h"

namespace {

struct MovieKindText {
    const wchar_t* dialogTitle;
    const wchar_t* filter;
    const wchar_t* failureLead;
};

constexpr MovieKindText kKinds[] = {
    {L"Insert Flash Movie", L"Flash Movie (*.swf)|*.swf", L"Cannot Insert Flash movie: "},
    {L"Insert Shockwave Movie", L"Shockwave Movie (*.dcr)|*.dcr", L"Cannot Insert Shockwave movie: "},
    {L"Insert Windows Media Video", L"WMV(*.wmv)|*.wmv", L"Cannot Insert Windows Media video: "},
};

// Hide read-only, path must exist, file must exist.
constexpr long kMovieDialogFlags = ui::cdlOFNHideReadOnly | ui::cdlOFNPathMustExist | ui::cdlOFNFileMustExist;
constexpr int kVideoKind = 3;

// The description without its closing full stop: the message closes the sentence itself.
std::wstring Sentence(std::wstring text) {
    while (!text.empty() && text.back() == L'.') text.pop_back();
    return text;
}

bool SelectMovie(int kind, HWND& MoviehWnd, ui::CommonDialog& dialog) {
    const MovieKindText& text = kKinds[kind - 1];
    dialog.DialogTitle = text.dialogTitle;
    dialog.FileName = L"";
    dialog.Filter = text.filter;
    dialog.FilterIndex = 1;
    dialog.Flags = kMovieDialogFlags;
    dialog.CancelError = true;
    try {
        dialog.ShowOpen();
    } catch (const zv::CancelError&) {
        ui::MsgBox(L"No movie inserted.", ui::vbOKOnly);
        return false;
    }
    const std::wstring file = dialog.FileName;
    const std::wstring title = dialog.FileTitle.empty() ? zv::LastPathPart(file) : dialog.FileTitle;
    AppState& app = App();
    try {
        HourglassPointer hourglass;
        zv::StoreMovieCopy(file, app.ModulePath, title);
    } catch (const zv::Error& e) {
        // Nothing changed on the page: its container and player stay as they were.
        ui::MsgBox(text.failureLead + file + L". Error " + Sentence(e.Description()) + L".", ui::vbOKOnly);
        return false;
    }
    if (kind == kVideoKind) app.IsVideoMovie = false;
    frmMDIChild& editor = RequireEditor();
    editor.InsertMovieObject(MoviehWnd);
    editor.objExt->Move(editor.objExt->Left(), editor.objExt->Top(), 7065, 5100);
    app.MovieFileTitle = title;
    return true;
}

}  // namespace

bool SelectFlashMovie(HWND& MoviehWnd, ui::CommonDialog& dialog) { return SelectMovie(1, MoviehWnd, dialog); }
bool SelectShockwaveMovie(HWND& MoviehWnd, ui::CommonDialog& dialog) { return SelectMovie(2, MoviehWnd, dialog); }
bool SelectVideo(HWND& MoviehWnd, ui::CommonDialog& dialog) { return SelectMovie(kVideoKind, MoviehWnd, dialog); }

void InsertMovie(tx::TXTextControl& control, int kind, int x, int y) {
    if (kind < 1 || kind > 3) return;
    frmMDIChild& editor = RequireEditor();
    tx::TextEngine& engine = control.Engine();
    if (zv::PageHoldsMovie(engine.Doc())) {
        ui::MsgBox(kOneMoviePerPageMessage, ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    HWND container = nullptr;
    ui::CommonDialog& dialog = Frame().CmDialog1;
    const bool chosen = kind == 1 ? SelectFlashMovie(container, dialog)
                        : kind == 2 ? SelectShockwaveMovie(container, dialog)
                                    : SelectVideo(container, dialog);
    if (!chosen) return;
    // The placeholder keeps its size in twips on screens of other resolutions.
    const int scale = static_cast<int>(ui::Screen().TwipsPerPixelX() / 15.0 * 100.0);
    engine.ObjectInsertFixed(reinterpret_cast<std::uintptr_t>(container), L"", x, control->VisiblePageTop() + y, scale,
                             scale, 0);
    AppState& app = App();
    app.MovieDeletePending = false;
    // Every kind is shown at its own size when inserted, and stored so: the flag a restored or
    // edited movie left behind would bring it back stretched.
    app.MovieScaleMode = L"1";
    switch (kind) {
    case 1: editor.InsertFlashMovie(); break;
    case 2: editor.InsertDirectorMovie(); break;
    default:
        editor.InsertVideo();
        app.IsVideoMovie = true;
        control->Refresh();
        break;
    }
    if (!editor.objSWF && !editor.objDir && !editor.objVideo)
        ui::MsgBox(L"The movie was placed on the page, but its player is not installed: the page shows its place only.",
                   ui::vbOKOnly | ui::vbExclamation);
}
