#include "app/assessment/frmAssCreator.h"

#include "app/assessment/AnswerSwitch_Dlg.h"
#include "app/assessment/AssCreatorControls.h"
#include "app/assessment/Printout.h"
#include "app/assessment/TestInfoFile.h"
#include "app/assessment/frmTestType.h"
#include "app/assessment/frm_AssessmentPrvDlg.h"
#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "ui/Application.h"
#include "ui/Constants.h"
#include "ui/MsgBox.h"
#include "ui/Shell.h"

namespace {

// The page the hidden print control lays out, in twips.
constexpr int kPrintPageWidth = 15228;
constexpr int kPrintPageHeight = 9948;

AssCreatorGlobals& Model() { return App().AssCreatorControls; }

// A captioned frame holding a multi-line box near its top-left corner.
void BoxInFrame(ui::Frame& frame, const wchar_t* caption, long top, long height, ui::TextBox& box, long boxWidth) {
    frame.SetCaption(caption);
    frame.Move(120, top, 9360, height);
    box.SetContainer(&frame);
    box.SetMultiLine(true);
    box.SetScrollBars(2);
    box.Move(180, 300, boxWidth, 1020);
}

}  // namespace

frmAssCreator::frmAssCreator() {
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetFont({L"Arial", 9});
    SetClientSize(9600, 7800);

    BoxInFrame(Question_Frame, L"Question", 60, 1440, Text1, 9000);
    BoxInFrame(Answer_Frame, L"Answers", 1560, 1920, Text2, 6600);
    Check1.SetContainer(&Answer_Frame);
    Check1.SetCaption(L"Mark this answer as correct");
    Check1.Move(180, 1440, 4200, 315);
    const std::pair<ui::CommandButton*, const wchar_t*> answerButtons[] = {
        {&cmbPrev_Module, L"Previous Answer"}, {&cmbNext_Module, L"Next Answer"},
        {&Command5, L"Delete Answer"}, {&Command7, L"Change Order"}};
    for (int i = 0; i < 4; ++i) {
        answerButtons[i].first->SetContainer(&Answer_Frame);
        answerButtons[i].first->SetCaption(answerButtons[i].second);
        answerButtons[i].first->Move(7020, 300 + 390 * i, 2160, 345);
    }

    BoxInFrame(Frame1, L"Explanation", 3540, 1440, Text3, 9000);

    Frame6.SetCaption(L"Links");
    Frame6.Move(120, 5040, 9360, 1260);
    Frame4.SetContainer(&Frame6);
    Frame4.SetCaption(L"Link Text");
    Frame4.Move(120, 240, 4320, 900);
    Text4.SetContainer(&Frame4);
    Text4.Move(120, 300, 4080, 405);
    Frame5.SetContainer(&Frame6);
    Frame5.SetCaption(L"Link File");
    Frame5.Move(4560, 240, 4680, 900);
    Text5.SetContainer(&Frame5);
    Text5.Move(120, 300, 3240, 405);
    Command4.SetContainer(&Frame5);
    Command4.SetCaption(L"Find File");
    Command4.Move(3480, 300, 1080, 405);

    const std::pair<ui::CommandButton*, const wchar_t*> moves[] = {
        {&cmbPrev_Question, L"<-- Previous Question"}, {&cmbNext_Question, L"Next Question -->"},
        {&Command6, L"Delete Question"}, {&Command8, L"Preview"}, {&Command10, L"Print"}};
    const long moveWidths[] = {2160, 2160, 1800, 1500, 1500};
    long x = 120;
    for (int i = 0; i < 5; ++i) {
        moves[i].first->SetCaption(moves[i].second);
        moves[i].first->Move(x, 6420, moveWidths[i], 420);
        x += moveWidths[i] + 60;
    }
    const std::pair<ui::CommandButton*, const wchar_t*> saves[] = {
        {&Command1, L"New Module"}, {&Command9, L"Save"}, {&Command2, L"Save && Exit"}, {&Command3, L"Cancel"}};
    x = 9480 - 4 * 1560 - 3 * 60;
    for (auto& [button, caption] : saves) {
        button->SetCaption(caption);
        button->Move(x, 7200, 1560, 420);
        x += 1620;
    }

    prtTXTextControl2.SetVisible(false);
    prtTXTextControl2.Move(0, 0, 1200, 900);

    cmbNext_Question.Click = [this] { cmbNext_Question_Click(); };
    cmbPrev_Question.Click = [this] { cmbPrev_Question_Click(); };
    cmbNext_Module.Click = [this] { cmbNext_Module_Click(); };
    cmbPrev_Module.Click = [this] { cmbPrev_Module_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command10.Click = [this] { Command10_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command9.Click = [this] { Command9_Click(); };
}

CreatorBoxes frmAssCreator::ReadBoxes() const {
    return {Text1.Text(), Text2.Text(), Check1.Value() == ui::vbChecked, Text3.Text(), Text4.Text(), Text5.Text()};
}

void frmAssCreator::ShowBoxes(const CreatorBoxes& b) {
    Text1.SetText(b.Text1);
    Text2.SetText(b.Text2);
    Check1.SetValue(b.Check1 ? ui::vbChecked : ui::vbUnchecked);
    Text3.SetText(b.Text3);
    Text4.SetText(b.Text4);
    Text5.SetText(b.Text5);
}

template <class Step>
void frmAssCreator::OnBoxes(Step step) {
    CreatorBoxes b = ReadBoxes();
    try {
        step(b);
    } catch (...) {
        ShowBoxes(b);
        throw;
    }
    ShowBoxes(b);
}

void frmAssCreator::SetCreatorCaption() { SetCaption(CreatorCaption(App().ModuleCode, Model().CurQuestion)); }

void frmAssCreator::Form_Load() {
    AssCreatorGlobals& g = Model();
    g.CurQuestion = 0;
    g.CurAnswer = 0;
    SetCreatorCaption();
    tx::TextEngine& print = prtTXTextControl2.Engine();
    print.SetLoadSaveAttribute(tx::attr::kImportLinks, 1);
    print.SetPageWidth(kPrintPageWidth);
    print.SetPageHeight(kPrintPageHeight);

    StartAssessment(g);
    try {
        LoadTestInfo();
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description(), ui::vbOKOnly | ui::vbExclamation);
    }
    if (!g.Questions[0].QuestionText.empty()) {
        CreatorBoxes b;
        ShowQuestion(g, b, 0);
        ShowBoxes(b);
    }
}

bool frmAssCreator::SaveTestInfo(bool ShowTypeDlg) {
    AssCreatorGlobals& g = Model();
    if (ShowTypeDlg) {
        ui::Forms::Get<frmTestType>().Show(ui::vbModal, this);
        if (g.TestTypeCancelled || g.TestType.empty()) return false;
    }
    StoreCurrentQuestion(g, ReadBoxes());
    try {
        WriteTestInfo(g, CurrentTestInfoFile());
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description() + L"\n\nThe assessment was not saved.", ui::vbOKOnly | ui::vbExclamation);
        return false;
    }
    return true;
}

void frmAssCreator::cmbNext_Question_Click() {
    RunCommand([this] {
        Text1.SetFocus();
        bool moved = false;
        OnBoxes([&](CreatorBoxes& b) { moved = NextQuestion(Model(), b); });
        if (!moved) return;
        SaveTestInfo(false);
        SetCreatorCaption();
    });
}

void frmAssCreator::cmbPrev_Question_Click() {
    RunCommand([this] {
        bool moved = false;
        OnBoxes([&](CreatorBoxes& b) { moved = PreviousQuestion(Model(), b); });
        if (!moved) return;
        SaveTestInfo(false);
        SetCreatorCaption();
    });
}

void frmAssCreator::cmbNext_Module_Click() {
    RunCommand([this] { OnBoxes([](CreatorBoxes& b) { NextAnswer(Model(), b); }); });
    Text2.SetFocus();
}

void frmAssCreator::cmbPrev_Module_Click() {
    RunCommand([this] { OnBoxes([](CreatorBoxes& b) { PreviousAnswer(Model(), b); }); });
    Text2.SetFocus();
}

void frmAssCreator::Command5_Click() {
    Text2.SetFocus();
    RunCommand([this] { OnBoxes([](CreatorBoxes& b) { DeleteAnswer(Model(), b); }); });
}

void frmAssCreator::Command6_Click() {
    Text1.SetFocus();
    RunCommand([this] { OnBoxes([](CreatorBoxes& b) { DeleteQuestion(Model(), b); }); });
    SetCreatorCaption();
}

void frmAssCreator::Command7_Click() {
    RunCommand([this] {
        AssCreatorGlobals& g = Model();
        // The answer in the box goes into the list too, rather than being lost when "Change" shows answer 1.
        StoreAnswer(g, ReadBoxes());
        if (g.CurQuestion < 0 || static_cast<size_t>(g.CurQuestion) >= g.Questions.size()) return;
        const auto& answers = g.Questions[static_cast<size_t>(g.CurQuestion)].Answers;
        if (answers.empty()) return;
        AnswerSwitch_Dlg& dialog = ui::Forms::Get<AnswerSwitch_Dlg>();
        if (!dialog.IsLoaded()) dialog.Load();
        FillAnswerSwitchList(dialog.List1, answers);
        dialog.Show(ui::vbModal, this);
        if (dialog.Changed()) OnBoxes([&](CreatorBoxes& b) { ShowAnswer(g, b, 0); });
    });
}

void frmAssCreator::Command8_Click() {
    RunCommand([this] {
        AssCreatorGlobals& g = Model();
        // The preview shows what a save writes: a last question never filled in is no question yet.
        const size_t count = std::max<size_t>(QuestionsToWrite(g.Questions), 1);
        g.PreviewQuestions.assign(g.Questions.begin(), g.Questions.begin() + static_cast<long>(count));
        ui::Forms::Get<frm_AssessmentPrvDlg>().Show(ui::vbModal, this);
    });
}

std::wstring AssessmentPrintoutFile() { return zv::JoinPath(App().ModulePath, kPrintoutFileName); }

std::wstring frmAssCreator::CreateTempTxtFile() {
    const std::wstring path = AssessmentPrintoutFile();
    zv::WriteFileReplacing(path, AssessmentPrintout(Model().Questions));
    return path;
}

bool frmAssCreator::PrintTempTxtFile() {
    const std::wstring path = AssessmentPrintoutFile();
    // Minimised without the focus rather than hidden: a printing program that stays open after it
    // has printed (a text editor showing its print dialog does) can then be seen and closed.
    const INT_PTR result = ui::ShellExecuteFile(L"Print", path, L"", L"", SW_SHOWMINNOACTIVE);
    if (result > 32) return true;
    ui::MsgBox(L"The assessment could not be printed: " + path + L"\n\n" + ui::ShellErrorText(result) +
                   L"\n\nThe printout stays in that file.",
               ui::vbOKOnly | ui::vbExclamation);
    return false;
}

void frmAssCreator::DeleteTempTxtFile() {
    std::error_code ec;
    std::filesystem::remove(zv::FsPath(AssessmentPrintoutFile()), ec);
}

void frmAssCreator::Command10_Click() {
    RunCommand([this] {
        CreateTempTxtFile();
        PrintTempTxtFile();
    });
}

void frmAssCreator::Command1_Click() {
    RunCommand([this] {
        if (!SaveTestInfo(true)) return;
        OnBoxes([](CreatorBoxes& b) { ClearForNewAssessment(Model(), b); });
        SetCreatorCaption();
    });
}

void frmAssCreator::Command2_Click() {
    RunCommand([this] {
        if (SaveTestInfo(true)) Unload();
    });
}

void frmAssCreator::Command3_Click() { Unload(); }

void frmAssCreator::Command4_Click() {
    RunCommand([this] {
        CommonDialog1.DialogTitle = L"Link File";
        CommonDialog1.FileName.clear();
        CommonDialog1.Filter = L"All Files (*.*)|*.*";
        CommonDialog1.FilterIndex = 1;
        CommonDialog1.InitDir = App().ModulePath;
        CommonDialog1.Flags = ui::cdlOFNFileMustExist | ui::cdlOFNHideReadOnly;
        CommonDialog1.CancelError = true;
        CommonDialog1.ShowOpen();
        Text5.SetText(CommonDialog1.FileName);
    });
}

void frmAssCreator::Command9_Click() {
    RunCommand([this] { SaveTestInfo(true); });
}

HWND frmAssCreator::InsertPrtMovieObject() {
    if (PrtobjExt != nullptr) RemoveControl(PrtobjExt->Name());
    PrtobjExt = &AddControl<ui::PictureBox>(L"Picture4");
    return PrtobjExt->hWnd();
}

void ShowAssessmentCreator() {
    RunCommand([] { ui::Forms::Get<frmAssCreator>().Show(ui::vbModal, ui::Screen().ActiveForm()); });
}
