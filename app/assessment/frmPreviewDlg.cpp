#include "app/assessment/frmPreviewDlg.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "app/core/AppState.h"
#include "app/core/MoviePlaceholder.h"
#include "app/core/PageFile.h"
#include "app/core/ReadRegValue.h"
#include "app/editor/MovieHosting.h"
#include "base/Paths.h"
#include "components/textcontrol/FormatCodes.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Constants.h"
#include "ui/Handles.h"
#include "ui/Picture.h"
#include "ui/Twips.h"

namespace {

using ui::OleVariant;

// The skin's colours (OLE colours) where text stands on it, or a slice is missing.
constexpr unsigned long kSkinBack = 0x5A3A1E;  // deep blue
constexpr unsigned long kWhite = 0xFFFFFF;
constexpr unsigned long kPale = 0xF0D8C0;      // light blue
constexpr unsigned long kInk = 0x3A240E;       // dark blue on the highlighted row

// The frame slice's corners, in pixels.
constexpr int kFrameEdge = 4;

// The window as laid out at 15 twips per pixel.
constexpr long kWidth = 15600, kHeight = 11280;

struct Placed {
    ui::Control* control;
    long left, top, width, height;
};
// Puts each control into the container at its place.
void PlaceIn(ui::Control* container, std::initializer_list<Placed> controls) {
    for (const Placed& p : controls) {
        p.control->SetContainer(container);
        p.control->Move(p.left, p.top, p.width, p.height);
    }
}

RECT ClientPixels(const ui::PictureBox& box) {
    return RECT{0, 0, ui::TwipsToPixelsX(box.ScaleWidth()), ui::TwipsToPixelsY(box.ScaleHeight())};
}

// The ProgID a player's version-independent key names as its current version; VerName stays as
// it was when the key cannot be opened.
void CurrentVersion(const wchar_t* key, std::wstring& VerName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
    VerName = zv::ReadRegValue(opened, L"");
    RegCloseKey(opened);
}

}  // namespace

frmPreviewDlg::frmPreviewDlg() {
    SetName(L"frmPreviewDlg");
    SetCaption(L"Module Preview");
    SetBorderStyle(0);
    SetControlBox(false);
    SetStartUpPosition(2);
    SetKeyPreview(true);
    SetBackColor(kSkinBack);
    SetFont({L"Arial", 9});
    SetClientSize(kWidth, kHeight);
    LayOut();
    TXTextControl1.SetEvents(this);
    Exit_Pic.Click = [this] { Exit_Pic_Click(); };
    Min_btn.Click = [this] { Min_btn_Click(); };
    NextBtn.Click = [this] { NextBtn_Click(); };
    Prev.Click = [this] { Prev_Click(); };
    // The skin's pictures, each drawn from its slice of the program's resources.
    const struct {
        ui::PictureBox* box;
        const wchar_t* slice;
        SliceFit fit;
    } skin[] = {
        {&Picture1, L"PREVIEW_BACK", SliceFit::kStretch},       {&Picture2, L"PREVIEW_BAND", SliceFit::kStretch},
        {&Main_Menu_frm, L"PREVIEW_FRAME", SliceFit::kNine},    {&Main_Topic_frm, L"PREVIEW_FRAME", SliceFit::kNine},
        {&Main_Tool_frm, L"PREVIEW_FRAME", SliceFit::kNine},    {&MenuSlice, L"PREVIEW_HEADER", SliceFit::kStretch},
        {&TopicSlice, L"PREVIEW_HEADER", SliceFit::kStretch},   {&MenuFrame, L"PREVIEW_LIST", SliceFit::kStretch},
        {&TopicFrame, L"PREVIEW_LIST", SliceFit::kStretch},     {&Over_MenuSlice, L"PREVIEW_OVER", SliceFit::kStretch},
        {&toolBar_Frame, L"PREVIEW_TOOL", SliceFit::kStretch},  {&toolBar_Slice, L"PREVIEW_SHEEN", SliceFit::kStretch},
        {&toolBar_But, L"PREVIEW_MENU", SliceFit::kStretch},    {&Return_Btn, L"PREVIEW_RETURN", SliceFit::kStretch},
        {&MenuScrlUp, L"PREVIEW_UP", SliceFit::kStretch},       {&MenuScrlDwn, L"PREVIEW_DOWN", SliceFit::kStretch},
        {&TopicScrlup, L"PREVIEW_UP", SliceFit::kStretch},      {&TopicScrlDwn, L"PREVIEW_DOWN", SliceFit::kStretch},
        {&Exit_Pic, L"PREVIEW_EXIT", SliceFit::kStretch},       {&Min_btn, L"PREVIEW_MIN", SliceFit::kStretch},
        {&Prev, L"PREVIEW_PREV", SliceFit::kStretch},           {&NextBtn, L"PREVIEW_NEXT", SliceFit::kStretch},
    };
    for (const auto& piece : skin) DrawFrom(*piece.box, piece.slice, piece.fit);
}

frmPreviewDlg::~frmPreviewDlg() { TXTextControl1.SetEvents(nullptr); }

// Every control in its design place, for a screen of 15 twips per pixel. Labels stand at least 45
// twips from their container's top: on other screens they move up by three pixels.
void frmPreviewDlg::LayOut() {
    Picture1.Move(0, 0, kWidth, kHeight);
    // What has no place of its own below stands on the background too.
    for (ui::Control* c : Controls())
        if (c != &Picture1 && c->Container() == nullptr) c->SetContainer(&Picture1);

    PlaceIn(&Picture1, {{&Picture2, 0, 0, kWidth, 600}});
    PlaceIn(&Picture2, {{&CourseNameLbl, 240, 150, 4200, 330},
                        {&ModLabel, 4560, 180, 3600, 270},
                        {&Label2, 8640, 180, 1500, 270},
                        {&Label3, 10200, 180, 1500, 270},
                        {&Label4, 11760, 180, 1200, 270},
                        {&Min_btn, 14460, 120, 420, 360},
                        {&Exit_Pic, 14940, 120, 420, 360}});

    // The menu and the topic frames down the left side: a heading, a list, its scroll buttons.
    struct SideFrame {
        ui::PictureBox& frame;
        ui::PictureBox& heading;
        ui::Label& title;
        ui::PictureBox& list;
        ui::PictureBox& up;
        ui::PictureBox& down;
        long top;
    };
    for (const SideFrame& side : {SideFrame{Main_Menu_frm, MenuSlice, Modules, MenuFrame, MenuScrlUp, MenuScrlDwn, 780},
                                  SideFrame{Main_Topic_frm, TopicSlice, TopicLabel, TopicFrame, TopicScrlup, TopicScrlDwn,
                                            5400}}) {
        PlaceIn(&Picture1, {{&side.frame, 180, side.top, 2280, 4500}});
        PlaceIn(&side.frame, {{&side.heading, 60, 60, 2160, 360},
                              {&side.list, 60, 480, 2160, 3600},
                              {&side.up, 1740, 4140, 210, 210},
                              {&side.down, 1980, 4140, 210, 210}});
        PlaceIn(&side.heading, {{&side.title, 120, 60, 1920, 270}});
    }
    // The menu's first row, highlighted.
    PlaceIn(&MenuFrame, {{&Over_MenuSlice, 0, 0, 2160, 360}});
    PlaceIn(&Over_MenuSlice, {{&OverMenuLabel, 120, 60, 1920, 270}});

    // The text control scrolls itself; the skin's own bar and the external object's place stay
    // out of sight.
    PlaceIn(&Picture1, {{&Label1, 2640, 660, 12720, 300},
                        {&TXTextControl1, 2640, 1020, 12720, 8880},
                        {&VScroll1, 15120, 1020, 240, 8880},
                        {&Prv_objExt, 2640, 1020, 0, 0},
                        {&Main_Tool_frm, 2640, 10020, 12720, 1080}});
    VScroll1.SetVisible(false);
    Prv_objExt.SetVisible(false);
    PlaceIn(&Main_Tool_frm, {{&toolBar_Frame, 60, 60, 12600, 960}});
    PlaceIn(&toolBar_Frame, {{&toolBar_Slice, 0, 0, 12600, 120},
                             {&toolBar_But, 120, 240, 480, 480},
                             {&ToolLabel, 720, 360, 4800, 270},
                             {&ToolTip, 5640, 360, 3000, 270},
                             {&Return_Btn, 8760, 240, 480, 480},
                             {&Prev, 11160, 240, 600, 480},
                             {&NextBtn, 11880, 240, 600, 480}});

    for (ui::Control* c : Controls())
        if (auto* box = dynamic_cast<ui::PictureBox*>(c)) box->SetBorderStyle(0);
    struct Text {
        ui::Label* label;
        const wchar_t* caption;
        unsigned long colour;
        ui::FontSpec font;
    };
    const Text texts[] = {
        {&CourseNameLbl, L"Module Preview", kWhite, {L"Arial", 11, true}},
        {&ModLabel, L"", kPale, {L"Arial", 9}},
        {&Label2, L"Contents", kWhite, {L"Arial", 9}},
        {&Label3, L"Glossary", kWhite, {L"Arial", 9}},
        {&Label4, L"Help", kWhite, {L"Arial", 9}},
        {&Modules, L"Modules", kWhite, {L"Arial", 9, true}},
        {&OverMenuLabel, L"", kInk, {L"Arial", 9}},
        {&TopicLabel, L"Topics", kWhite, {L"Arial", 9, true}},
        {&Label1, L"", kWhite, {L"Arial", 10, true}},
        {&ToolLabel, L"Previous and Next turn the pages.", kWhite, {L"Arial", 9}},
        {&ToolTip, L"Links are not followed here.", kPale, {L"Arial", 9}},
    };
    for (const Text& t : texts) {
        t.label->SetBackStyle(0);
        t.label->SetForeColor(t.colour);
        t.label->SetFont(t.font);
        t.label->SetCaption(t.caption);
    }
    Timer7.SetEnabled(false);
}

// ---- drawing the skin ----

void frmPreviewDlg::DrawFrom(ui::PictureBox& box, const wchar_t* resource, SliceFit fit) {
    slices_.emplace_back(&box, ui::LoadPictureResource(resource));
    const HBITMAP slice = slices_.back().second.Get();
    // Where the program carries no such slice the box keeps its colour.
    box.SetBackColor(kSkinBack);
    box.Paint = [&box, slice, fit] {
        const RECT r = ClientPixels(box);
        if (fit == SliceFit::kNine) ui::DrawBitmapSliced(box.hDC(), slice, r, kFrameEdge);
        else ui::DrawBitmap(box.hDC(), slice, r, true);
    };
}

HBITMAP frmPreviewDlg::SkinPicture(const ui::Control& box) const {
    for (const auto& [control, slice] : slices_)
        if (control == &box) return slice.Get();
    return nullptr;
}

// ---- loading and walking ----

void frmPreviewDlg::Form_Load() {
    TXTextControl1->Engine().SetLoadSaveAttribute(tx::attr::kImportLinks, 1);
    PlaceControlsOnForm(*this);
    if (ui::Screen().TwipsPerPixelX() != 15) {
        TXTextControl1->Engine().SetPageWidth(15228);
        TXTextControl1->Engine().SetPageHeight(9948);
    }
    std::wstring fileName = L"Map.txt";
    int fileType = 1;
    OpenPreview(fileName, fileType);
    ShowTopicLine(false);
    ModLabel.SetCaption(L"Module " + walk_.Module().code);
    OverMenuLabel.SetCaption(walk_.Module().name);
}

void frmPreviewDlg::OpenPreview(std::wstring& FileName, int& FileType) {
    RemoveMovieControl();
    const AppState& state = App();
    walk_.Open(PreviewModule{state.ModulePath, state.ModuleCode, state.ModuleName}, FileName);
    FileName = walk_.CurrentPageName();
    FileType = 3;
}

void frmPreviewDlg::LoadPage(const std::wstring& path) {
    tx::TextEngine& engine = TXTextControl1->Engine();
    engine.SetLoadSaveAttribute(tx::attr::kApplyStoredPage, 1);
    LoadPageFile(path, engine, true);
    TXTextControl1->SetScrollPosY(0);
}

void frmPreviewDlg::ClearPage() {
    tx::TextEngine& engine = TXTextControl1->Engine();
    engine.SetSelStart(0);
    engine.SetSelLength(-1);
    engine.SetSelText(L"");
}

void frmPreviewDlg::ShowTopicLine(bool onlyWithTopic) {
    if (onlyWithTopic && walk_.CurrentTopic().empty()) return;
    Label1.SetCaption(walk_.Caption());
}

void frmPreviewDlg::NextPreviewPage() {
    if (walk_.Next()) ShowTopicLine(true);
}

void frmPreviewDlg::PreviousPreviewPage() {
    if (walk_.Previous()) ShowTopicLine(true);
}

void frmPreviewDlg::PlaceControlsOnForm(ui::Form& TheForm) {
    const double x = ui::Screen().TwipsPerPixelX(), y = ui::Screen().TwipsPerPixelY();
    const TwipsBox window = ScaleToScreen(ScaledControl::kWindow,
                                          TwipsBox{double(TheForm.Left()), double(TheForm.Top()),
                                                   double(TheForm.Width()), double(TheForm.Height())},
                                          x, y);
    TheForm.Move(std::lround(window.left), std::lround(window.top), std::lround(window.width), std::lround(window.height));
    for (ui::Control* c : TheForm.Controls()) {
        ScaledControl kind = ScaledControl::kPlain;
        if (dynamic_cast<ui::Label*>(c)) kind = ScaledControl::kLabel;
        else if (dynamic_cast<ui::ComboBox*>(c)) kind = ScaledControl::kComboBox;
        else if (dynamic_cast<ui::Timer*>(c) || dynamic_cast<ui::SysInfo*>(c)) kind = ScaledControl::kSizeless;
        if (kind == ScaledControl::kSizeless) continue;
        const TwipsBox box = ScaleToScreen(
            kind, TwipsBox{double(c->Left()), double(c->Top()), double(c->Width()), double(c->Height())}, x, y);
        c->Move(std::lround(box.left), std::lround(box.top), std::lround(box.width), std::lround(box.height));
    }
    TheForm.Refresh();
}

// ---- closing ----

void frmPreviewDlg::Exit_Pic_Click() {
    RemoveMovieControl();
    if (imageFrame_) {
        RemoveControl(imageFrame_->Name());
        imageFrame_ = nullptr;
    }
    Unload();
}

void frmPreviewDlg::Min_btn_Click() { SetWindowState(ui::vbMinimized); }

void frmPreviewDlg::Form_Unload(int&) {
    RemoveMovieControl();
    if (imageFrame_) {
        RemoveControl(imageFrame_->Name());
        imageFrame_ = nullptr;
    }
}

// ---- movies ----

std::wstring frmPreviewDlg::MoviePath() const {
    return zv::JoinPath(zv::JoinPath(walk_.Module().folder, L"Movies"), CurMovieFile);
}

void frmPreviewDlg::InsertMovieObject(HWND& MoviehWnd) {
    // A player left in the old container would lose its window with it.
    RemoveMovieControl();
    if (imageFrame_) RemoveControl(imageFrame_->Name());
    imageFrame_ = &AddControl<ui::PictureBox>(L"ImageFrame");
    imageFrame_->SetBorderStyle(0);
    imageFrame_->SetBackColor(kWhite);
    imageFrame_->Move(0, 0, 7065, 5100);
    MoviehWnd = imageFrame_->hWnd();
}

void frmPreviewDlg::ObjectCreateHostWindow(int, HWND& hostWindow) {
    InsertMovieObject(hostWindow);
    CurMovieFile.clear();
}

void frmPreviewDlg::ObjectRestored(int, const std::wstring& name) {
    // A title that is no plain file name of the Movies folder plays nothing.
    const zv::StoredMovie movie = zv::ReadStoredMovie(name);
    CurMovieFile = movie.title;
    switch (movie.kind) {
    case zv::MovieKind::Flash: InsertFlashMovie(); break;
    case zv::MovieKind::Shockwave: InsertDirectorMovie(); break;
    case zv::MovieKind::Video:
        App().IsVideoMovie = true;
        InsertVideo();
        break;
    default: break;
    }
}

ui::ActiveXControl* frmPreviewDlg::AddPlayer(const std::wstring& name, const std::wstring& progId) {
    if (!imageFrame_) return nullptr;
    // The container's size; the player fills it from its corner.
    return AddMoviePlayer(*this, *imageFrame_, name, progId, 0, 0, imageFrame_->Width(), imageFrame_->Height());
}

void frmPreviewDlg::InsertFlashMovie() {
    std::wstring progId;
    GetFlashVersion(progId);
    swf_ = AddPlayer(L"ShockwaveFlash3", progId);
    if (!swf_) return;
    swf_->InvokeByName(L"Movie", DISPATCH_PROPERTYPUT, {OleVariant::Text(MoviePath())});
    swf_->InvokeByName(L"ScaleMode", DISPATCH_PROPERTYPUT, {OleVariant::Long(2)});
    OnFlashCommand(*swf_, [this](const std::wstring& command, const std::wstring& args) {
        Prv_objSWF_FSCommand(command, args);
    });
    swf_->SetVisible(true);
}

void frmPreviewDlg::InsertDirectorMovie() {
    std::wstring progId;
    GetDirectorVersion(progId);
    dir_ = AddPlayer(L"ShockwaveCtl3", progId);
    if (!dir_) return;
    dir_->InvokeByName(L"SRC", DISPATCH_PROPERTYPUT, {OleVariant::Text(MoviePath())});
    dir_->InvokeByName(L"swStretchStyle", DISPATCH_PROPERTYPUT, {OleVariant::Text(L"fill")});
    dir_->SetVisible(true);
}

void frmPreviewDlg::InsertVideo() {
    std::wstring progId;
    GetVideoVersion(progId);
    video_ = AddPlayer(L"ShockwaveCtl3", progId);
    if (!video_) return;
    video_->InvokeByName(L"ShowControls", DISPATCH_PROPERTYPUT, {OleVariant::Bool(false)});
    video_->InvokeByName(L"FileName", DISPATCH_PROPERTYPUT, {OleVariant::Text(MoviePath())});
    video_->SetVisible(true);
}

void frmPreviewDlg::GetFlashVersion(std::wstring& VerName) {
    CurrentVersion(L"SOFTWARE\\Classes\\ShockwaveFlash.ShockwaveFlash\\CurVer", VerName);
}
void frmPreviewDlg::GetDirectorVersion(std::wstring& VerName) {
    CurrentVersion(L"SOFTWARE\\Classes\\SWCtl.SWCtl\\CurVer", VerName);
}
void frmPreviewDlg::GetVideoVersion(std::wstring& VerName) {
    CurrentVersion(L"SOFTWARE\\Classes\\MediaPlayer.MediaPlayer\\CurVer", VerName);
}

void frmPreviewDlg::RemoveMovieControl() {
    for (ui::ActiveXControl** player : {&swf_, &dir_, &video_}) RemoveMoviePlayer(*this, *player);
}

void frmPreviewDlg::Prv_objSWF_FSCommand(const std::wstring& command, const std::wstring& args) {
    // Only "size" with two whole numbers from 1 to 4096, as in the editor; anything else is ignored.
    const auto extent = SizeCommandExtent(command, args);
    if (!extent || !imageFrame_ || !swf_) return;
    const auto [width, height] = *extent;
    imageFrame_->Move(imageFrame_->Left(), imageFrame_->Top(), width, height);
    swf_->InvokeByName(L"ScaleMode", DISPATCH_PROPERTYPUT, {OleVariant::Long(3)});
    swf_->Move(0, 0, width, height);
}

// ---- a read-only text: keys that move and copy pass, keys that change the page do not ----

void frmPreviewDlg::KeyDown(int& keyCode, int shift) {
    const bool ctrl = (shift & 2) != 0;
    switch (keyCode) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
        return;
    case 'C': case 'A': case VK_INSERT:
        if (ctrl) return;
        break;
    default: break;
    }
    keyCode = 0;
}

void frmPreviewDlg::KeyPress(int& keyAscii) { keyAscii = 0; }
