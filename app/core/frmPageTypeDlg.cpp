#include "app/core/frmPageTypeDlg.h"

#include <filesystem>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

frmPageTypeDlg::frmPageTypeDlg() {
    SetCaption(L"Page Type Selection");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(4680, 3180);

    Frame1.SetCaption(L"Page Type");
    Frame1.Move(120, 120, 2160, 1500);
    const wchar_t* captions[] = {L"Content Page", L"New Topic", L"Module Test"};
    for (int i = 0; i < 3; ++i) {
        auto& opt = optPageType.Load(i);
        opt.SetContainer(&Frame1);
        opt.SetCaption(captions[i]);
        opt.Move(180, 300 + 380 * i, 1800, 300);
    }
    optPageType[kOptContentPage].SetValue(true);

    Label1.SetCaption(L"Enter New Topic Name");
    Label1.Move(2460, 180, 2100, 255);
    Text1.Move(2460, 450, 2100, 315);
    Label2.SetCaption(L"Module Name");
    Label2.Move(2460, 900, 2100, 255);
    ModName.Move(2460, 1170, 2100, 315);

    btnSave.SetCaption(L"Save Page");
    btnSave.Move(1140, 2400, 1215, 420);
    btnSave.SetDefault(true);
    Command2.SetCaption(L"Cancel");
    Command2.Move(2460, 2400, 1215, 420);
    Command2.SetCancel(true);

    optPageType.Click = [this](int Index) { optPageType_Click(Index); };
    btnSave.Click = [this] { btnSave_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmPageTypeDlg::initPageTypeForm(const std::wstring& PageName) {
    // Setting a control of an unloaded form loads it first, so each showing starts from the
    // form's own design and not from what the last showing left.
    if (!IsLoaded()) Load();
    pageName_ = PageName;
    AppState& app = App();
    const std::wstring current = app.PageList.GetCurrentPageName();
    if (current.empty() && PageName.empty()) {
        Text1.SetText(L"Enter Topic Name");
        optPageType[kOptNewTopic].SetValue(true);
        Command2.SetEnabled(false);
    } else if (app.IsNewPage && PageName.empty()) {
        optPageType[kOptContentPage].SetValue(true);
        Text1.SetText(L"");
        Command2.SetEnabled(true);
    } else {
        const std::wstring type = app.PageList.GetCurrentPageTpye();
        if (type == L"Test") {
            optPageType[kOptModuleTest].SetValue(true);
        } else if (type == L"Page") {
            optPageType[kOptContentPage].SetValue(true);
        } else {
            optPageType[kOptNewTopic].SetValue(true);
            Text1.SetText(app.PageList.GetCurrentPageTopName());
        }
        app.CurTopName = app.PageList.GetCurrentPageTopName();
        Command2.SetEnabled(true);
    }
}

void frmPageTypeDlg::Form_Activate() {
    ModName.SetText(App().ModuleName);
    const bool topic = !optPageType[kOptContentPage].Value() && !optPageType[kOptModuleTest].Value();
    Text1.SetEnabled(topic);
    Label1.SetEnabled(topic);
    ui::DoEvents();
}

void frmPageTypeDlg::optPageType_Click(int Index) {
    if (Index == kOptNewTopic) {
        Text1.SetEnabled(true);
        Label1.SetEnabled(true);
        Text1.SetSelStart(0);
        Text1.SetSelLength(static_cast<long>(Text1.Text().size()));
    } else {
        Text1.SetSelLength(0);
        Text1.SetEnabled(false);
        Label1.SetEnabled(false);
    }
}

void frmPageTypeDlg::btnSave_Click() {
    try {
        std::wstring type = L"Page";
        std::wstring topic;
        if (optPageType[kOptNewTopic].Value()) {
            type = L"Topic";
            topic = Text1.Text();
        } else if (optPageType[kOptModuleTest].Value()) {
            type = L"Test";
        }
        AppState& app = App();
        app.ModuleName = ModName.Text();
        SavePage(pageName_, type, topic);
        if (app.MovieDeletePending && !app.MovieFileTitle.empty()) {
            std::error_code ec;  // a movie file already gone is no reason to keep the page unsaved
            std::filesystem::remove(
                zv::FsPath(zv::JoinPath(zv::JoinPath(app.ModulePath, L"Movies"), app.MovieFileTitle)), ec);
        }
        app.MovieDeletePending = false;
        Unload();
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description());  // the dialog stays open: the author may try again or cancel
    }
}

void frmPageTypeDlg::Command2_Click() { Unload(); }
