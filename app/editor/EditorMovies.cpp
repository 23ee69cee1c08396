// The editor's movies: players shown inside a page, created from the page's placeholder when it
// loads into either text control and removed before every page change. Each control has one
// container and at most one player: the page's first placeholder gets them, any further one is
// kept as stored and shows as its outlined place.
#include <algorithm>

#include "app/core/AppState.h"
#include "app/core/DialogCommands.h"
#include "app/core/MovieFiles.h"
#include "app/core/MoviePlaceholder.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmMoviePropertiesDlg.h"
#include "app/editor/MovieHosting.h"
#include "app/editor/frmMDIChild.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

namespace {

using ui::OleVariant;

// The container a new movie gets, and the player's inset inside a container on every side.
constexpr long kContainerWidth = 7065, kContainerHeight = 5100;
constexpr long kInset = 30;
constexpr long kButtonFace = static_cast<long>(0x8000000F);
constexpr int kAltKey = 18;

}  // namespace

struct frmMDIChild::MovieSide {
    tx::TXTextControl& control;
    ui::PictureBox*& ext;
    ui::ActiveXControl*& swf;
    ui::ActiveXControl*& dir;
    ui::ActiveXControl*& video;
    std::wstring& title;      // MovieFileTitle or PrtMovieFileTitle
    std::wstring& scaleMode;  // the fit flag the side's players are made with
    bool editing;
    const wchar_t* containerName;
    const wchar_t* flashName;
    const wchar_t* otherName;  // the Shockwave and the Windows Media player's
};

frmMDIChild::MovieSide frmMDIChild::EditingSide() {
    AppState& app = App();
    return MovieSide{TXTextControl1, objExt,        objSWF, objDir, objVideo, app.MovieFileTitle, app.MovieScaleMode,
                     true,           L"Picture2",   L"ShockwaveFlash1", L"ShockwaveCtl1"};
}

frmMDIChild::MovieSide frmMDIChild::PrintSide() {
    return MovieSide{prtTXTextControl2, PrtobjExt,   PrtobjSWF, PrtobjDir, PrtobjVideo, App().PrtMovieFileTitle,
                     prtScaleMode_,     false,       L"Picture3", L"ShockwaveFlash2", L"ShockwaveCtl2"};
}

// ---------------------------------------------------------------- containers

void frmMDIChild::InsertMovieContainer(MovieSide side, HWND& MoviehWnd) {
    // The players sit in the container: they go with it.
    RemovePlayers(side);
    RemoveMovieContainer(*this, side.ext);
    side.ext = &AddMovieContainer(*this, side.containerName, side.control.hWnd(), kContainerWidth, kContainerHeight);
    if (side.editing) {
        side.ext->Resize = [this] { objExt_Resize(); };
        side.ext->KeyDown = [this](int& KeyCode, int) { DisableMovie(KeyCode); };
        // The player covers its placeholder: a click on it selects the placeholder, so that
        // Delete Movie and Movie Properties can be chosen, and the keys stay with the text.
        side.ext->SetTabStop(false);
        side.ext->Click = [this] {
            TXTextControl1.Engine().SetObjectCurrent(MoviePlaceholder());
            TXTextControl1.SetFocus();
            UpdateToolbar();
        };
    }
    MoviehWnd = side.ext->hWnd();
}

void frmMDIChild::InsertMovieObject(HWND& MoviehWnd) { InsertMovieContainer(EditingSide(), MoviehWnd); }
void frmMDIChild::InsertPrtMovieObject(HWND& MoviehWnd) { InsertMovieContainer(PrintSide(), MoviehWnd); }

// ---------------------------------------------------------------- a page loads

void frmMDIChild::HostMovie(MovieSide side, int objectId, HWND& hostWindow) {
    // A page shows one movie: a further placeholder keeps its place, stored as it was, unhosted.
    const int hosted = zv::HostedPlaceholder(side.control.Engine().Doc());
    if (hosted != 0 && hosted != objectId) {
        hostWindow = nullptr;
        return;
    }
    InsertMovieContainer(side, hostWindow);
    side.title.clear();
    if (!side.editing) side.ext->SetVisible(true);
}

void frmMDIChild::RestoreOnSide(MovieSide side, int objectId, const std::wstring& storedName) {
    const tx::Object* placeholder = side.control.Engine().Doc().FindObject(objectId);
    if (!side.ext || !placeholder || placeholder->hostWindow != reinterpret_cast<std::uintptr_t>(side.ext->hWnd()))
        return;  // not the placeholder that shows the page's movie
    const zv::StoredMovie movie = zv::ReadStoredMovie(storedName);
    side.title = movie.title;
    side.scaleMode = movie.flag;
    switch (movie.kind) {
    case zv::MovieKind::Flash: side.editing ? InsertFlashMovie() : InsertPrintableFlashMovie(); break;
    case zv::MovieKind::Shockwave: side.editing ? InsertDirectorMovie() : InsertPrintableDirectorMovie(); break;
    case zv::MovieKind::Video:
        App().IsVideoMovie = true;
        side.editing ? InsertVideo() : InsertPrintableVideo();
        break;
    default: break;  // a title that names no movie file: the container alone
    }
    if (side.editing && TXTextControl1.Visible() && IsWindowEnabled(TXTextControl1.hWnd())) TXTextControl1.SetFocus();
}

void frmMDIChild::HostMovie(int objectId, HWND& hostWindow) { HostMovie(EditingSide(), objectId, hostWindow); }

void frmMDIChild::RestoreMovie(int objectId, const std::wstring& storedName) {
    RestoreOnSide(EditingSide(), objectId, storedName);
}

// A deleted movie brought back by Undo: its container shows again, and its player with it.
void frmMDIChild::BringBackUndoneMovie() {
    if (objSWF || objDir || objVideo) return;
    const int id = MoviePlaceholder();
    const tx::Object* placeholder = id ? TXTextControl1.Engine().Doc().FindObject(id) : nullptr;
    // A placeholder being inserted has no name yet: its player comes with the insertion.
    if (!placeholder || placeholder->name.empty()) return;
    RestoreOnSide(EditingSide(), id, placeholder->name);
}

void frmMDIChild::NameMovieObject(std::wstring& name) {
    AppState& app = App();
    if (app.MovieFileTitle.empty()) {
        ui::MsgBox(L"NO name", ui::vbOKOnly);
        return;
    }
    name = zv::MakePlaceholderName(app.MovieFileTitle, app.MovieScaleMode);
    app.MovieFileTitle.clear();
}

void frmMDIChild::PrintControlEvents::ObjectGetName(int, std::wstring& name) {
    AppState& app = App();
    if (app.PrtMovieFileTitle.empty()) {
        ui::MsgBox(L"NO name", ui::vbOKOnly);
        return;
    }
    name = zv::MakePlaceholderName(app.PrtMovieFileTitle, editor_.prtScaleMode_);
    app.PrtMovieFileTitle.clear();
}

void frmMDIChild::PrintControlEvents::ObjectCreateHostWindow(int objectId, HWND& hostWindow) {
    editor_.HostMovie(editor_.PrintSide(), objectId, hostWindow);
}

void frmMDIChild::PrintControlEvents::ObjectRestored(int objectId, const std::wstring& name) {
    editor_.RestoreOnSide(editor_.PrintSide(), objectId, name);
}

// ---------------------------------------------------------------- players

ui::ActiveXControl* frmMDIChild::AddPlayer(MovieSide side, const wchar_t* name, const wchar_t* progId) {
    if (!side.ext) return nullptr;
    return AddMoviePlayer(*this, *side.ext, name, progId, kInset, kInset, side.ext->Width() - 2 * kInset,
                          side.ext->Height() - 2 * kInset);
}

namespace {

std::wstring PathOf(const std::wstring& title) { return zv::MovieFilePath(App().ModulePath, title); }

}  // namespace

// Both controls' Flash players show the movie alike; only the editing one answers its commands.
ui::ActiveXControl* frmMDIChild::AddFlashPlayer(MovieSide side) {
    ui::ActiveXControl* player = AddPlayer(side, side.flashName, kFlashProgId);
    if (!player) return nullptr;
    PutMember(*player, L"BackgroundColor", OleVariant::Long(kButtonFace));
    PutMember(*player, L"Movie", OleVariant::Text(PathOf(side.title)));
    PutMember(*player, L"ScaleMode", OleVariant::Long(zv::FlagKeepsNaturalSize(side.scaleMode) ? 3 : 2));
    return player;
}

void frmMDIChild::InsertFlashMovie() {
    objSWF = AddFlashPlayer(EditingSide());
    if (!objSWF) return;
    OnFlashCommand(*objSWF, [this](const std::wstring& command, const std::wstring& args) {
        objSWF_FSCommand(command, args);
    });
    objSWF->SetVisible(true);
}

void frmMDIChild::InsertPrintableFlashMovie() {
    PrtobjSWF = AddFlashPlayer(PrintSide());
    if (PrtobjSWF) PrtobjSWF->SetVisible(true);
}

void frmMDIChild::InsertDirectorMovie() {
    MovieSide side = EditingSide();
    objDir = AddPlayer(side, side.otherName, kShockwaveProgId);
    if (!objDir) return;
    PutMember(*objDir, L"SRC", OleVariant::Text(PathOf(side.title)));
    PutMember(*objDir, L"swStretchStyle", OleVariant::Text(zv::FlagKeepsNaturalSize(side.scaleMode) ? L"stage" : L"fill"));
    objDir->SetVisible(true);
}

void frmMDIChild::InsertPrintableDirectorMovie() {
    MovieSide side = PrintSide();
    PrtobjDir = AddPlayer(side, side.otherName, kShockwaveProgId);
    if (!PrtobjDir) return;
    PutMember(*PrtobjDir, L"SRC", OleVariant::Text(PathOf(side.title)));
    PutMember(*PrtobjDir, L"swStretchStyle", OleVariant::Text(L"fill"));  // printed stretched, whatever the flag
    PrtobjDir->SetVisible(true);
}

void frmMDIChild::InsertVideo() {
    MovieSide side = EditingSide();
    objVideo = AddPlayer(side, side.otherName, kMediaPlayerProgId);
    if (!objVideo) return;
    PutMember(*objVideo, L"AutoStart", OleVariant::Bool(false));
    PutMember(*objVideo, L"DisplaySize", OleVariant::Long(zv::FlagKeepsNaturalSize(side.scaleMode) ? 0 : 4));
    PutMember(*objVideo, L"FileName", OleVariant::Text(PathOf(side.title)));
    objVideo->SetVisible(true);
}

void frmMDIChild::InsertPrintableVideo() {
    MovieSide side = PrintSide();
    PrtobjVideo = AddPlayer(side, side.otherName, kMediaPlayerProgId);
    if (!PrtobjVideo) return;
    PutMember(*PrtobjVideo, L"AutoSize", OleVariant::Bool(true));
    PutMember(*PrtobjVideo, L"AutoStart", OleVariant::Bool(false));
    PutMember(*PrtobjVideo, L"FileName", OleVariant::Text(PathOf(side.title)));
    PrtobjVideo->SetVisible(true);
}

void frmMDIChild::RemovePlayers(MovieSide side) {
    for (ui::ActiveXControl** player : {&side.swf, &side.dir, &side.video}) RemoveMoviePlayer(*this, *player);
}

void frmMDIChild::RemoveMovieControl() { RemovePlayers(EditingSide()); }
void frmMDIChild::RemovePrtMovieControl() { RemovePlayers(PrintSide()); }

// ---------------------------------------------------------------- the player in its container

void frmMDIChild::objExt_Resize() {
    if (!objExt) return;
    ui::ActiveXControl* player = objSWF ? objSWF : objDir ? objDir : (objVideo && App().IsVideoMovie) ? objVideo : nullptr;
    if (player) player->Move(kInset, kInset, std::max(0L, objExt->Width() - 2 * kInset), std::max(0L, objExt->Height() - 2 * kInset));
}

void frmMDIChild::ResizeMovieScreen() { objExt_Resize(); }

void frmMDIChild::objSWF_FSCommand(const std::wstring& command, const std::wstring& args) {
    const auto extent = SizeCommandExtent(command, args);
    if (!extent || !objExt || !objSWF) return;
    objExt->Move(objExt->Left(), objExt->Top(), extent->first, extent->second);
    objSWF->Move(kInset, kInset, std::max(0L, objExt->Width() - 2 * kInset), std::max(0L, objExt->Height() - 2 * kInset));
}

void frmMDIChild::DisableMovie(int KeyCode) {
    if (KeyCode != kAltKey) return;
    for (ui::ActiveXControl* player : {objSWF, objDir, objVideo}) {
        if (!player) continue;
        player->SetVisible(false);
        return;
    }
}

// After a key: the player that Alt hid shows again.
void frmMDIChild::ShowMovieAgain() {
    for (ui::ActiveXControl* player : {objSWF, objDir, objVideo}) {
        if (!player) continue;
        player->SetVisible(true);
        return;
    }
}

// ---------------------------------------------------------------- commands

int frmMDIChild::MoviePlaceholder() {
    if (!objExt) return 0;
    for (const tx::Object& o : TXTextControl1.Engine().Doc().objects)
        if (o.kind == tx::ObjectKind::Windowed && o.hostWindow == reinterpret_cast<std::uintptr_t>(objExt->hWnd()))
            return o.id;
    return 0;
}

void frmMDIChild::DeleteMovie() {
    tx::TextEngine& e = TXTextControl1.Engine();
    // Only a placeholder names a stored copy; an image deleted here leaves every movie file alone.
    if (const tx::Object* current = e.Doc().FindObject(e.ObjectCurrent());
        current != nullptr && current->kind == tx::ObjectKind::Windowed)
        App().DeletedMovieTitles.push_back(zv::ParsePlaceholderName(current->name).title);
    e.ObjectDelete();
    RemoveMovieControl();
    App().MovieDeletePending = true;  // the movie's file goes when the page is next stored
}

void ShowMoviePropertiesDialog() {
    frmMDIChild& editor = RequireEditor();
    frmMoviePropertiesDlg dialog;
    dialog.movie.objSWF = editor.objSWF;
    dialog.movie.objDir = editor.objDir;
    dialog.movie.objVideo = editor.objVideo;
    dialog.movie.objExt = editor.objExt;
    dialog.movie.DirtyFlag = &editor.DirtyFlag;
    dialog.movie.engine = &editor.TXTextControl1.Engine();
    dialog.movie.placeholder = editor.MoviePlaceholder();
    dialog.movie.refit = [&editor] { editor.ResizeMovieScreen(); };
    dialog.Show(ui::vbModal);
}
