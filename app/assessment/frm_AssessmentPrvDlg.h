#pragma once
// The assessment preview: the questions one at a time as a learner meets them, over the whole
// screen, answers as option buttons (one correct answer) or check boxes (several), the correct ones
// in bold, the explanation below. "Next" walks the questions, "Exit" on the last closes. Nothing the
// viewer clicks is stored.

#include <cstdint>

#include "ui/CheckBox.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/PictureBox.h"
#include "ui/ScrollBar.h"

class frm_AssessmentPrvDlg : public ui::Form {
public:
    ui::PictureBox Picture1{this, L"Picture1"};  // the skin behind everything
    ui::Label Title{this, L"Title"};
    ui::PictureBox Picture2{this, L"Picture2"};  // the close button
    ui::PictureBox Q_But{this, L"Q_But"};        // the next button
    ui::Label Label2{this, L"Label2"};
    ui::PictureBox Picture3{this, L"Picture3"};  // the viewport
    ui::PictureBox Picture4{this, L"Picture4"};  // the question page
    ui::VScrollBar VScroll1{this, L"VScroll1"};
    ui::Label Label7{this, L"Label7"};
    ui::Label Label8{this, L"Label8"};
    ui::Frame Frame1{this, L"Frame1"};
    ui::ControlArray<ui::OptionButton> Option1{this, L"Option1"};
    ui::ControlArray<ui::CheckBox> Check1{this, L"Check1"};
    ui::ControlArray<ui::Label> Label1{this, L"Label1"};
    ui::Label Label5{this, L"Label5"};
    ui::Label Label6{this, L"Label6"};
    ui::Label Label10{this, L"Label10"};
    ui::Label TestLabel{this, L"TestLabel"};

    std::int16_t NumQuestions = 0;
    std::int16_t PreviewIndex = 0;

    frm_AssessmentPrvDlg();

    // ---- public procedures ----
    void InitAssessmentPrv() {}
    void Resize_Test(int QShow, long OriginalHeight);
    long GetQuesionPageSize(int QStyle);
    void ShowNextQuestion();

    void Form_Load() override;
    // Escape closes the preview, as it closes a dialog: the window has no frame of its own.
    void Form_KeyDown(int& KeyCode, int Shift) override;

private:
    void HideAnswerChecks();
    void HideAnswerOptions();
    void HideAnswerLabels();
    void HideQuestionLabels();
    void ShowQuestion(int index);
    void LayOutOnScreen();
    void PaintSkin();
    void PaintCloseButton();
    void PaintNextButton();
    void VScroll1_Scroll();

    int shownStyle_ = 2;  // the page style of the question shown
};
