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
#include "ui/Twips.h"

namespace {

using ui::OleVariant;

// The skin's colours (OLE colours).
constexpr unsigned long kSkinBack = 0x5A3A1E;   // deep blue
constexpr unsigned long kSkinLight = 0xB07A46;
constexpr unsigned long kFrameBack = 0xF4ECE4;
constexpr unsigned long kFrameEdge = 0x8C5A2E;
constexpr unsigned long kWhite = 0xFFFFFF;

// The window as laid out at 15 twips per pixel.
constexpr long kWidth = 15600, kHeight = 11280;

COLORREF Rgb(unsigned long ole) { return ui::ToColorRef(ole); }

RECT ClientPixels(const ui::PictureBox& box) {
    return RECT{0, 0, ui::TwipsToPixelsX(box.ScaleWidth()), ui::TwipsToPixelsY(box.ScaleHeight())};
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    const int h = r.bottom - r.top;
    for (int y = 0; y < h; y += 2) {
        auto mix = [&](int a, int b) { return a + (b - a) * y / std::max(1, h); };
        ui::Brush brush(CreateSolidBrush(RGB(mix(GetRValue(top), GetRValue(bottom)),
                                             mix(GetGValue(top), GetGValue(bottom)),
                                             mix(GetBValue(top), GetBValue(bottom)))));
        RECT band{r.left, r.top + y, r.right, std::min<LONG>(r.top + y + 2, r.bottom)};
        FillRect(dc, &band, brush.Get());
    }
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
    Picture1.Paint = [this] { PaintSkin(); };
    Main_Menu_frm.Paint = [this] { PaintFrame(Main_Menu_frm, L"Menu"); };
    Main_Topic_frm.Paint = [this] { PaintFrame(Main_Topic_frm, L"Topics"); };
    Main_Tool_frm.Paint = [this] { PaintFrame(Main_Tool_frm, L""); };
    Exit_Pic.Paint = [this] { PaintButton(Exit_Pic, 0); };
    Min_btn.Paint = [this] { PaintButton(Min_btn, 1); };
    Prev.Paint = [this] { PaintButton(Prev, 2); };
    NextBtn.Paint = [this] { PaintButton(NextBtn, 3); };
}

frmPreviewDlg::~frmPreviewDlg() { TXTextControl1.SetEvents(nullptr); }

// Every control in its design place, for a screen of 15 twips per pixel.
void frmPreviewDlg::LayOut() {
    Picture1.Move(0, 0, kWidth, kHeight);
    Picture1.SetBorderStyle(0);
    Picture2.Move(0, 0, kWidth, 600);
    Picture2.SetVisible(false);  // the band is part of the background's drawing
    CourseNameLbl.Move(240, 120, 6000, 300);
    Label2.Move(6480, 120, 2400, 300);
    Label3.Move(9000, 120, 2400, 300);
    Label4.Move(11400, 120, 1500, 300);
    Min_btn.Move(14460, 120, 420, 360);
    Exit_Pic.Move(14940, 120, 420, 360);

    Main_Menu_frm.Move(180, 780, 2280, 4500);
    MenuFrame.Move(60, 360, 2160, 3780);
    MenuSlice.Move(0, 0, 2160, 360);
    Over_MenuSlice.Move(0, 360, 2160, 360);
    OverMenuLabel.Move(120, 420, 1920, 240);
    MenuScrlUp.Move(1860, 4200, 180, 180);
    MenuScrlDwn.Move(2040, 4200, 180, 180);
    Modules.Move(120, 4200, 1500, 240);

    Main_Topic_frm.Move(180, 5400, 2280, 4500);
    TopicFrame.Move(60, 360, 2160, 3780);
    TopicSlice.Move(0, 0, 2160, 360);
    TopicLabel.Move(120, 60, 1920, 240);
    TopicScrlup.Move(1860, 4200, 180, 180);
    TopicScrlDwn.Move(2040, 4200, 180, 180);

    ModLabel.Move(2640, 660, 2400, 240);
    Label1.Move(2640, 660, 12720, 300);
    TXTextControl1.Move(2640, 1020, 12720, 8880);
    VScroll1.Move(15120, 1020, 240, 8880);
    VScroll1.SetVisible(false);  // the text control scrolls itself
    Prv_objExt.Move(2640, 1020, 0, 0);
    Prv_objExt.SetVisible(false);

    Main_Tool_frm.Move(2640, 10020, 12720, 1080);
    toolBar_Frame.Move(60, 60, 12600, 960);
    toolBar_Slice.Move(0, 0, 12600, 960);
    toolBar_But.Move(120, 240, 480, 480);
    ToolLabel.Move(720, 360, 4800, 240);
    ToolTip.Move(5640, 360, 3000, 240);
    Return_Btn.Move(8760, 240, 480, 480);
    Prev.Move(11160, 240, 600, 480);
    NextBtn.Move(11880, 240, 600, 480);

    // What only carries the skin's look stays behind its frames' own drawing.
    for (ui::Control* look : std::initializer_list<ui::Control*>{
             &MenuFrame, &MenuSlice, &Over_MenuSlice, &OverMenuLabel, &MenuScrlUp, &MenuScrlDwn, &Modules, &TopicFrame,
             &TopicSlice, &TopicLabel, &TopicScrlup, &TopicScrlDwn, &ModLabel, &toolBar_Frame, &toolBar_Slice,
             &toolBar_But, &ToolLabel, &ToolTip, &Return_Btn, &Label2, &Label3, &Label4})
        look->SetVisible(false);
    for (ui::PictureBox* box : {&Main_Menu_frm, &Main_Topic_frm, &Main_Tool_frm, &Exit_Pic, &Min_btn, &Prev, &NextBtn})
        box->SetBorderStyle(0);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&MenuFrame, &MenuSlice, &Over_MenuSlice, &OverMenuLabel,
                                                              &MenuScrlUp, &MenuScrlDwn, &Modules})
        c->SetContainer(&Main_Menu_frm);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&TopicFrame, &TopicSlice, &TopicLabel, &TopicScrlup,
                                                              &TopicScrlDwn})
        c->SetContainer(&Main_Topic_frm);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&toolBar_Frame, &toolBar_Slice, &toolBar_But, &ToolLabel,
                                                              &ToolTip, &Return_Btn, &Prev, &NextBtn})
        c->SetContainer(&Main_Tool_frm);
    Label1.SetBackStyle(0);
    Label1.SetForeColor(kWhite);
    Label1.SetFont({L"Arial", 10, true});
    CourseNameLbl.SetBackStyle(0);
    CourseNameLbl.SetForeColor(kWhite);
    CourseNameLbl.SetFont({L"Arial", 11, true});
    CourseNameLbl.SetCaption(L"Module Preview");
    Timer7.SetEnabled(false);
}

// ---- drawing the skin ----

void frmPreviewDlg::PaintSkin() {
    HDC dc = Picture1.hDC();
    const RECT r = ClientPixels(Picture1);
    FillGradient(dc, r, Rgb(kSkinBack), Rgb(kSkinLight));
    // The title band.
    ui::Brush band(CreateSolidBrush(Rgb(kSkinBack)));
    RECT top{r.left, r.top, r.right, ui::TwipsToPixelsY(600)};
    FillRect(dc, &top, band.Get());
}

void frmPreviewDlg::PaintFrame(ui::PictureBox& box, const wchar_t* title) {
    HDC dc = box.hDC();
    const RECT r = ClientPixels(box);
    ui::Brush back(CreateSolidBrush(Rgb(kFrameBack)));
    FillRect(dc, &r, back.Get());
    ui::Brush edge(CreateSolidBrush(Rgb(kFrameEdge)));
    FrameRect(dc, &r, edge.Get());
    if (*title == 0) return;
    // A heading slice across the frame's top.
    RECT slice{r.left, r.top, r.right, ui::TwipsToPixelsY(360)};
    FillGradient(dc, slice, Rgb(kSkinLight), Rgb(kSkinBack));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT text = slice;
    text.left += 8;
    DrawTextW(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

// Glyphs: 0 close, 1 minimise, 2 previous, 3 next.
void frmPreviewDlg::PaintButton(ui::PictureBox& box, int glyph) {
    HDC dc = box.hDC();
    const RECT r = ClientPixels(box);
    FillGradient(dc, r, Rgb(kSkinLight), Rgb(kSkinBack));
    ui::Pen pen(CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
    ui::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    HGDIOBJ oldBrush = SelectObject(dc, white.Get());
    const int w = r.right, h = r.bottom, m = std::min(w, h) / 4;
    if (glyph == 0) {
        MoveToEx(dc, w / 2 - m, h / 2 - m, nullptr);
        LineTo(dc, w / 2 + m, h / 2 + m);
        MoveToEx(dc, w / 2 + m, h / 2 - m, nullptr);
        LineTo(dc, w / 2 - m, h / 2 + m);
    } else if (glyph == 1) {
        MoveToEx(dc, w / 2 - m, h / 2 + m, nullptr);
        LineTo(dc, w / 2 + m, h / 2 + m);
    } else {
        const int dir = glyph == 2 ? -1 : 1;
        POINT arrow[3] = {{w / 2 - dir * m, h / 2 - m}, {w / 2 + dir * m, h / 2}, {w / 2 - dir * m, h / 2 + m}};
        Polygon(dc, arrow, 3);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    ui::Brush edge(CreateSolidBrush(Rgb(kFrameEdge)));
    FrameRect(dc, &r, edge.Get());
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
        else if (dynamic_cast<ui::Timer*>(c)) kind = ScaledControl::kSizeless;
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
