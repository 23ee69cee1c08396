#include "app/assessment/frm_AssessmentPrvDlg.h"

#include <functional>

#include "app/assessment/PreviewLayout.h"
#include "app/assessment/TextFields.h"
#include "app/core/AppState.h"
#include "ui/Application.h"
#include "ui/Constants.h"
#include "ui/Handles.h"
#include "ui/Twips.h"

namespace {

// The skin's colours (OLE colours: blue in the high byte).
constexpr unsigned long kSkinDark = 0x5A2E14;     // deep blue
constexpr unsigned long kSkinLight = 0xA8704A;    // the lighter blue it fades to
constexpr unsigned long kPageColor = 0xFFFFFF;
constexpr unsigned long kHeadingBand = 0x6B3A1C;
constexpr unsigned long kQuestionCounterColor = 0xE2CBAF;
constexpr unsigned long kNextButtonColor = 0x3C6E28;  // green
// The skin's head band, solid behind the title, down to its rule.
constexpr long kHeadBandHeight = 800;

// The answers' frame and the page keep these margins, in twips.
constexpr long kPageMargin = 360;
constexpr long kAnswerLeft = 240;
// The button's own mark (the circle or the box) takes this much of an answer's width.
constexpr long kAnswerMarkWidth = 300;

// Runs each step of a sequence; a step that fails does not stop the next.
void EachStep(std::initializer_list<std::function<void()>> steps) {
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
        }
    }
}

COLORREF Rgb(unsigned long ole) { return ui::ToColorRef(ole); }

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    const int h = r.bottom - r.top;
    if (h <= 0) return;
    for (int y = 0; y < h; y += 2) {
        auto mix = [&](int a, int b) { return a + (b - a) * y / h; };
        const COLORREF c = RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                               mix(GetBValue(top), GetBValue(bottom)));
        ui::Brush brush(CreateSolidBrush(c));
        RECT band{r.left, r.top + y, r.right, std::min<LONG>(r.top + y + 2, r.bottom)};
        FillRect(dc, &band, brush.Get());
    }
}

void RoundButton(HDC dc, const RECT& r, COLORREF fill, COLORREF edge) {
    ui::Brush brush(CreateSolidBrush(fill));
    ui::Pen pen(CreatePen(PS_SOLID, 2, edge));
    HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    RoundRect(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, 14, 14);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

}  // namespace

frm_AssessmentPrvDlg::frm_AssessmentPrvDlg() {
    SetBorderStyle(0);
    SetControlBox(false);
    SetShowInTaskbar(false);
    SetStartUpPosition(0);
    SetFont({L"Arial", 10});
    SetBackColor(kSkinDark);
    SetKeyPreview(true);

    Picture1.SetBorderStyle(0);
    Picture1.SetBackColor(kSkinDark);
    Title.SetContainer(&Picture1);
    Title.SetCaption(L"Assessment Preview");
    Title.SetBackColor(kSkinDark);  // on the skin's solid head band
    Title.SetForeColor(0xFFFFFF);
    Title.SetFont({L"Arial", 16, true});
    Picture2.SetContainer(&Picture1);
    Picture2.SetBorderStyle(0);
    Picture2.SetBackColor(kSkinDark);
    Picture2.SetToolTipText(L"Close");
    Q_But.SetContainer(&Picture1);
    Q_But.SetBorderStyle(0);
    Q_But.SetBackColor(kSkinDark);
    Label2.SetContainer(&Q_But);
    Label2.SetBackColor(kNextButtonColor);  // on the button's face
    Label2.SetAlignment(ui::vbCenter);
    Label2.SetForeColor(0xFFFFFF);
    Label2.SetFont({L"Arial", 11, true});
    Label2.SetCaption(L"Next");

    Picture3.SetContainer(&Picture1);
    Picture3.SetBorderStyle(1);
    Picture3.SetBackColor(kPageColor);
    Picture3.SetVisible(false);
    Picture4.SetContainer(&Picture3);
    Picture4.SetBorderStyle(0);
    Picture4.SetBackColor(kPageColor);
    VScroll1.SetContainer(&Picture1);
    VScroll1.SetVisible(false);

    Label7.SetContainer(&Picture4);
    Label7.SetBackColor(kHeadingBand);
    Label7.SetFont({L"Arial", 12, true});
    Label7.Move(kPageMargin, 240, 4000, 360);
    Label8.SetContainer(&Picture4);
    Label8.SetBackColor(kPageColor);
    Label8.SetFont({L"Arial", 12, true});
    Label8.SetWordWrap(true);
    Label8.SetAutoSize(true);
    Label8.SetUseMnemonic(false);
    Frame1.SetContainer(&Picture4);
    Frame1.SetBackColor(kPageColor);
    Frame1.SetBorderStyle(0);
    auto& option = Option1.Load(0);
    option.SetContainer(&Frame1);
    option.SetBackColor(kPageColor);
    auto& check = Check1.Load(0);
    check.SetContainer(&Frame1);
    check.SetBackColor(kPageColor);
    auto& label = Label1.Load(0);
    label.SetContainer(&Frame1);
    Label5.SetContainer(&Picture4);
    Label5.SetBackColor(kPageColor);
    Label5.SetAutoSize(true);
    Label6.SetContainer(&Picture4);
    Label6.SetBackColor(kPageColor);
    Label6.SetFont({L"Arial", 10, true, false, true});
    Label6.SetAutoSize(true);
    Label10.SetContainer(&Picture4);
    Label10.SetBackColor(kPageColor);
    Label10.SetWordWrap(true);
    Label10.SetAutoSize(true);
    Label10.SetUseMnemonic(false);
    TestLabel.SetContainer(&Picture4);
    TestLabel.SetVisible(false);
    TestLabel.SetWordWrap(true);
    TestLabel.SetAutoSize(true);
    TestLabel.SetUseMnemonic(false);

    Picture1.Paint = [this] { PaintSkin(); };
    Picture2.Paint = [this] { PaintCloseButton(); };
    Q_But.Paint = [this] { PaintNextButton(); };
    Picture2.Click = [this] { Unload(); };
    Q_But.Click = [this] { ShowNextQuestion(); };
    Label2.Click = [this] { ShowNextQuestion(); };
    VScroll1.Change = [this] { VScroll1_Scroll(); };
    VScroll1.Scroll = [this] { VScroll1_Scroll(); };
}

// Everything takes its place for the screen's size: the page in the middle, the buttons around it.
void frm_AssessmentPrvDlg::LayOutOnScreen() {
    const long w = ui::Screen().Width(), h = ui::Screen().Height();
    Move(0, 0, w, h);
    Picture1.Move(0, 0, w, h);
    Title.Move(600, 240, w - 2400, 480);
    Picture2.Move(w - 840, 240, 480, 480);
    const long scrollWidth = 255;
    const long viewWidth = std::min<long>(w - 1800, 13000);
    const long viewLeft = (w - viewWidth - scrollWidth) / 2;
    Picture3.Move(viewLeft, 1080, viewWidth, h - 2460);
    VScroll1.Move(viewLeft + viewWidth, 1080, scrollWidth, h - 2460);
    Q_But.Move(viewLeft + viewWidth + scrollWidth - 1800, h - 1200, 1800, 600);
    Label2.Move(240, 150, 1320, 300);
    const long pageWidth = Picture3.ScaleWidth();
    Label8.Move(kPageMargin, Label8.Top(), pageWidth - 2 * kPageMargin, Label8.Height());
    Frame1.Move(kPageMargin, Frame1.Top(), pageWidth - 2 * kPageMargin, Frame1.Height());
    const long answerWidth = Frame1.Width() - kAnswerLeft - 120;
    Option1[0].Move(kAnswerLeft, 240, answerWidth, 300);
    Check1[0].Move(kAnswerLeft, 240, answerWidth, 300);
    TestLabel.Move(0, 0, answerWidth - kAnswerMarkWidth, 0);
    Label5.Move(kPageMargin, Label5.Top(), Label5.Width(), Label5.Height());
    Label6.Move(kPageMargin, Label6.Top(), Label6.Width(), Label6.Height());
    Label10.Move(kPageMargin, Label10.Top(), pageWidth - 2 * kPageMargin, Label10.Height());
}

void frm_AssessmentPrvDlg::Form_Load() {
    EachStep({
        [this] {
            PreviewIndex = 0;
            LayOutOnScreen();
        },
        [this] {
            HideAnswerChecks();
            HideAnswerOptions();
            HideAnswerLabels();
            HideQuestionLabels();
        },
        [this] { NumQuestions = static_cast<std::int16_t>(App().AssCreatorControls.PreviewQuestions.size()); },
        [this] {
            Label2.SetCaption(L"Next");
            Label7.SetCaption(L"Question 1 of " + std::to_wstring(NumQuestions));
        },
        [this] { ShowQuestion(PreviewIndex); },
        // The page is as tall as the question shown, explanation included, so that scrolling reaches
        // all of it; its top shows first.
        [this] { Resize_Test(1, GetQuesionPageSize(shownStyle_)); },
        [this] {
            Picture3.SetVisible(true);
            Label7.SetForeColor(kQuestionCounterColor);
            Label8.SetVisible(true);
        },
    });
}

// Every member black, hidden, not bold and not chosen.
template <class Button, class Unchosen>
void HideAnswers(ui::ControlArray<Button>& buttons, Unchosen unchosen) {
    for (int i : buttons.Indexes()) {
        Button& b = buttons[i];
        b.SetForeColor(0);
        b.SetVisible(false);
        ui::FontSpec f = b.Font();
        f.Bold = false;
        b.SetFont(f);
        b.SetValue(unchosen);
    }
}

void frm_AssessmentPrvDlg::HideAnswerChecks() { HideAnswers(Check1, ui::vbUnchecked); }

void frm_AssessmentPrvDlg::HideAnswerOptions() { HideAnswers(Option1, false); }

void frm_AssessmentPrvDlg::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode != VK_ESCAPE) return;
    KeyCode = 0;
    Unload();
}

void frm_AssessmentPrvDlg::HideAnswerLabels() {
    for (int i : Label1.Indexes()) Label1[i].SetVisible(false);
}

void frm_AssessmentPrvDlg::HideQuestionLabels() {
    for (ui::Label* l : {&Label8, &Label5, &Label6, &Label10}) l->SetVisible(false);
}

void frm_AssessmentPrvDlg::ShowQuestion(int index) {
    const auto& questions = App().AssCreatorControls.PreviewQuestions;
    if (index < 0 || static_cast<size_t>(index) >= questions.size()) return;
    const AssessmentQuestion& q = questions[static_cast<size_t>(index)];

    Label8.SetCaption(q.QuestionText);
    Label8.SetTop(Label7.Top() + Label7.Height() + 400);
    Frame1.SetTop(Label8.Top() + Label8.Height() + 400);

    int correct = 0;
    for (const AssessmentAnswer& a : q.Answers) correct += IsCorrectFlag(a.Correct) ? 1 : 0;
    const bool options = correct < 2;
    auto place = [&](auto& array) {
        for (size_t k = 0; k < q.Answers.size(); ++k) {
            const AssessmentAnswer& a = q.Answers[k];
            const int i = static_cast<int>(k);
            const bool bold = IsCorrectFlag(a.Correct);
            // Measured in the answer's own font: a bold answer may need more lines.
            ui::FontSpec font = array[0].Font();
            font.Bold = bold;
            TestLabel.SetFont(font);
            TestLabel.SetHeight(0);
            TestLabel.SetCaption(a.AnswerText);
            const long t = TestLabel.Height();
            if (!array.Exists(i)) array.Load(i);
            auto& b = array[i];
            const long top = i == 0 ? 240 : array[i - 1].Top() + array[i - 1].Height() + 210;
            b.Move(kAnswerLeft, top, array[0].Width(), t);
            b.SetCaption(a.AnswerText);
            b.SetFont(font);
            Frame1.SetHeight(i == 0 ? t + 240 : Frame1.Height() + 210 + t);
            b.SetVisible(true);
        }
    };
    if (options) {
        place(Option1);
    } else {
        place(Check1);
    }
    if (q.Answers.empty()) Frame1.SetHeight(240);

    Label5.SetCaption(L"Correct answer(s) in bold.");
    Label5.SetForeColor(0);
    Label5.SetTop(Frame1.Top() + Frame1.Height() + 240);
    Label5.SetVisible(true);
    int style = 2;
    if (!q.Explanation.empty()) {
        Label6.SetTop(Label5.Top() + Label5.Height() + 240);
        Label6.SetCaption(L"Explanation");
        Label6.SetVisible(true);
        Label10.SetTop(Label6.Top() + Label6.Height() + 240);
        Label10.SetCaption(q.Explanation);
        Label10.SetVisible(true);
        style = 3;
    }
    shownStyle_ = style;
    Resize_Test(2, GetQuesionPageSize(style));
}

long frm_AssessmentPrvDlg::GetQuesionPageSize(int QStyle) {
    PreviewHeights h;
    h.Label7 = Label7.Height();
    h.Label8 = Label8.Height();
    h.Frame1 = Frame1.Height();
    h.Label5 = Label5.Height();
    h.Label6 = Label6.Height();
    h.Label10 = Label10.Height();
    return QuestionPageHeight(QStyle, h);
}

void frm_AssessmentPrvDlg::Resize_Test(int QShow, long OriginalHeight) {
    const PageScroll s = ScrollForPage(Picture3.ScaleHeight(), OriginalHeight);
    Picture4.Move(0, 0, Picture3.ScaleWidth(), s.pageHeight);
    VScroll1.SetVisible(s.scrollBar);
    VScroll1.Move(Picture3.Left() + Picture3.Width(), Picture3.Top(), VScroll1.Width(), Picture3.Height());
    VScroll1.SetMin(0);
    VScroll1.SetMax(s.max);
    if (s.max > 0) {
        VScroll1.SetSmallChange(1);
        VScroll1.SetLargeChange(15);
    }
    const int value = QShow == 1 ? VScroll1.Min() : VScroll1.Max();
    Picture4.SetTop(-value);
    VScroll1.SetValue(value);
    VScroll1_Scroll();
}

void frm_AssessmentPrvDlg::VScroll1_Scroll() { Picture4.SetTop(-kPreviewScrollStep * VScroll1.Value()); }

void frm_AssessmentPrvDlg::ShowNextQuestion() {
    PreviewIndex = static_cast<std::int16_t>(PreviewIndex + 1);
    if (PreviewIndex >= NumQuestions) {
        Unload();
        return;
    }
    HideAnswerChecks();
    HideAnswerOptions();
    HideQuestionLabels();
    Label7.SetCaption(L"Question " + std::to_wstring(PreviewIndex + 1) + L" of " + std::to_wstring(NumQuestions));
    ShowQuestion(PreviewIndex);
    Picture3.SetVisible(true);
    Label8.SetVisible(true);
    if (PreviewIndex == NumQuestions - 1) Label2.SetCaption(L"Exit");
}

void frm_AssessmentPrvDlg::PaintSkin() {
    HDC dc = Picture1.hDC();
    RECT r{0, 0, ui::TwipsToPixelsX(Picture1.ScaleWidth()), ui::TwipsToPixelsY(Picture1.ScaleHeight())};
    ui::Brush head(CreateSolidBrush(Rgb(kSkinDark)));
    RECT band{r.left, r.top, r.right, ui::TwipsToPixelsY(kHeadBandHeight)};
    FillRect(dc, &band, head.Get());
    FillGradient(dc, RECT{r.left, band.bottom, r.right, r.bottom}, Rgb(kSkinDark), Rgb(kSkinLight));
    // A light rule under the title.
    ui::Brush rule(CreateSolidBrush(Rgb(kQuestionCounterColor)));
    RECT line{ui::TwipsToPixelsX(600), band.bottom, r.right - ui::TwipsToPixelsX(600), band.bottom + 2};
    FillRect(dc, &line, rule.Get());
}

void frm_AssessmentPrvDlg::PaintCloseButton() {
    HDC dc = Picture2.hDC();
    RECT r{0, 0, ui::TwipsToPixelsX(Picture2.ScaleWidth()), ui::TwipsToPixelsY(Picture2.ScaleHeight())};
    ui::Brush back(CreateSolidBrush(Rgb(kSkinDark)));
    FillRect(dc, &r, back.Get());
    RoundButton(dc, r, RGB(176, 48, 48), RGB(255, 255, 255));
    ui::Pen pen(CreatePen(PS_SOLID, 3, RGB(255, 255, 255)));
    HGDIOBJ old = SelectObject(dc, pen.Get());
    const int m = (r.right - r.left) / 3;
    MoveToEx(dc, m, m, nullptr);
    LineTo(dc, r.right - m, r.bottom - m);
    MoveToEx(dc, r.right - m, m, nullptr);
    LineTo(dc, m, r.bottom - m);
    SelectObject(dc, old);
}

void frm_AssessmentPrvDlg::PaintNextButton() {
    HDC dc = Q_But.hDC();
    RECT r{0, 0, ui::TwipsToPixelsX(Q_But.ScaleWidth()), ui::TwipsToPixelsY(Q_But.ScaleHeight())};
    ui::Brush back(CreateSolidBrush(Rgb(kSkinLight)));
    FillRect(dc, &r, back.Get());
    RoundButton(dc, r, Rgb(kNextButtonColor), RGB(220, 240, 220));
}
