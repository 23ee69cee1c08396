#include "app/core/frmPageTypeDlg.h"

#include <filesystem>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/MovieFiles.h"
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
    Prepare(EditorWalk::QuestionFor(App(), PageName));
    store_ = [](const std::wstring& type, const std::wstring& topic) { SavePage(type, topic); };
}

PageTypeAnswer frmPageTypeDlg::Ask(const PageTypeQuestion& question, PageStore store) {
    Prepare(question);
    store_ = std::move(store);
    Show(ui::vbModal);
    store_ = nullptr;
    return stored_ ? PageTypeAnswer::Stored : PageTypeAnswer::Cancelled;
}

void frmPageTypeDlg::Prepare(const PageTypeQuestion& question) {
    if (!IsLoaded()) Load();
    stored_ = false;
    // Each control goes straight to what a newly loaded form prepared for this question shows,
    // whatever the last showing left, and only where it shows something else: every change to a
    // kept form's control is a message, a box disabled and enabled again a repaint.
    const bool topic = question.Chosen == kOptNewTopic;
    if (Text1.Text() != question.TopicText) Text1.SetText(question.TopicText);
    if (!optPageType[question.Chosen].Value()) optPageType[question.Chosen].SetValue(true);  // its click runs
    if (Text1.Enabled() != topic) Text1.SetEnabled(topic);
    if (Label1.Enabled() != topic) Label1.SetEnabled(topic);
    // The module's very first page has the whole placeholder name selected, ready to be typed
    // over; any other showing has the caret at the start of the topic box.
    const long selected = topic && !question.CancelEnabled ? static_cast<long>(Text1.Text().size()) : 0;
    if (Text1.SelStart() != 0 || Text1.SelLength() != selected) {
        Text1.SetSelStart(0);
        Text1.SetSelLength(selected);
    }
    if (Command2.Enabled() != question.CancelEnabled) Command2.SetEnabled(question.CancelEnabled);
    // What the activation shows, set while the form is out of sight: drawn once, with the form.
    ShowActivationState();
}

void frmPageTypeDlg::Form_Activate() {
    ShowActivationState();
    ui::DoEvents();
}

void frmPageTypeDlg::ShowActivationState() {
    if (ModName.Text() != App().ModuleName) ModName.SetText(App().ModuleName);
    const bool topic = !optPageType[kOptContentPage].Value() && !optPageType[kOptModuleTest].Value();
    if (Text1.Enabled() != topic) Text1.SetEnabled(topic);
    if (Label1.Enabled() != topic) Label1.SetEnabled(topic);
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
        if (store_) store_(type, topic);
        // Only the files of deleted placeholders that no page names any more; a file that cannot
        // be deleted is no reason to keep the page unsaved.
        zv::DeleteMoviesAfterStore(app);
        stored_ = true;
        Hide();
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description());  // the dialog stays open: the author may try again or cancel
    }
}

void frmPageTypeDlg::Command2_Click() { Hide(); }
