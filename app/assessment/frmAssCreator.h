#pragma once
// The assessment creator: the author writes the multiple-choice assessment of the current Test page
// one question at a time, its answers one at a time with a "correct" mark, an explanation and a
// link. Every move between questions saves the test file; "Save && Exit", "Save" and "New Module"
// save it after asking for the test type.

#include <string>

#include "app/assessment/CreatorCommands.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"

class frmAssCreator : public ui::Form {
public:
    ui::Frame Question_Frame{this, L"Question_Frame"};
    ui::TextBox Text1{this, L"Text1"};
    ui::Frame Answer_Frame{this, L"Answer_Frame"};
    ui::TextBox Text2{this, L"Text2"};
    ui::CheckBox Check1{this, L"Check1"};
    ui::CommandButton cmbPrev_Module{this, L"cmbPrev_Module"};
    ui::CommandButton cmbNext_Module{this, L"cmbNext_Module"};
    ui::CommandButton Command5{this, L"Command5"};
    ui::CommandButton Command7{this, L"Command7"};
    ui::Frame Frame1{this, L"Frame1"};
    ui::TextBox Text3{this, L"Text3"};
    ui::Frame Frame6{this, L"Frame6"};
    ui::Frame Frame4{this, L"Frame4"};
    ui::TextBox Text4{this, L"Text4"};
    ui::Frame Frame5{this, L"Frame5"};
    ui::TextBox Text5{this, L"Text5"};
    ui::CommandButton Command4{this, L"Command4"};
    ui::CommandButton cmbPrev_Question{this, L"cmbPrev_Question"};
    ui::CommandButton cmbNext_Question{this, L"cmbNext_Question"};
    ui::CommandButton Command6{this, L"Command6"};
    ui::CommandButton Command8{this, L"Command8"};
    ui::CommandButton Command10{this, L"Command10"};
    ui::CommandButton Command1{this, L"Command1"};
    ui::CommandButton Command9{this, L"Command9"};
    ui::CommandButton Command2{this, L"Command2"};
    ui::CommandButton Command3{this, L"Command3"};
    tx::TXTextControl prtTXTextControl2{this, L"prtTXTextControl2"};
    ui::CommonDialog CommonDialog1{this};

    // The window that holds a printable movie of prtTXTextControl2 (made when asked for).
    ui::PictureBox* PrtobjExt = nullptr;

    frmAssCreator();

    // ---- public procedures ----
    HWND InsertPrtMovieObject();
    // Stores the question on screen and writes the test file; with ShowTypeDlg the test type dialog
    // comes first and its Cancel ends the save. False when nothing was written (the author was told
    // why, unless he cancelled).
    bool SaveTestInfo(bool ShowTypeDlg);
    // Writes Assessment.txt in the module folder (beside the old one, then in its place); its path.
    std::wstring CreateTempTxtFile();
    // Hands the printout to the program registered to print text files; false (the author told) when
    // the shell cannot.
    bool PrintTempTxtFile();
    void DeleteTempTxtFile();

    // The caption for the question shown.
    void SetCreatorCaption();

    void Form_Load() override;
    void cmbNext_Question_Click();
    void cmbPrev_Question_Click();
    void cmbNext_Module_Click();
    void cmbPrev_Module_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command10_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command9_Click();

private:
    CreatorBoxes ReadBoxes() const;
    void ShowBoxes(const CreatorBoxes& b);
    // Runs one of the commands on the boxes: what it leaves in them is shown, also when it fails.
    template <class Step>
    void OnBoxes(Step step);
};

// Shows the assessment creator modally over the program for the current Test page (the editor's
// Tools menu).
void ShowAssessmentCreator();

// The printout's file in the module folder.
std::wstring AssessmentPrintoutFile();
