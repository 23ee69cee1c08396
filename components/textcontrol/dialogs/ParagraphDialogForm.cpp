#include "components/textcontrol/dialogs/ParagraphDialogForm.h"

namespace tx {

ParagraphDialogForm::ParagraphDialogForm() : DialogForm(L"Paragraph", 5640, 2760) {
    lblAlignment.SetCaption(L"&Alignment:");
    lblAlignment.Move(120, 165, 1200, 240);
    cboAlignment.SetStyle(2);
    cboAlignment.Move(1380, 120, 1800, 315);
    struct Row {
        ui::Frame* frame;
        ui::Label* label;
        ui::TextBox* box;
        const wchar_t* caption;
        long top;
    };
    fraIndents.SetCaption(L"Indents");
    fraIndents.Move(120, 600, 2640, 1500);
    fraSpacing.SetCaption(L"Spacing");
    fraSpacing.Move(2880, 600, 2640, 1500);
    for (const Row& r : {Row{&fraIndents, &lblLeftIndent, &txtLeftIndent, L"&Left indent:", 300},
                         Row{&fraIndents, &lblRightIndent, &txtRightIndent, L"&Right indent:", 720},
                         Row{&fraIndents, &lblFirstLine, &txtFirstLine, L"&First line:", 1140},
                         Row{&fraSpacing, &lblSpaceBefore, &txtSpaceBefore, L"Space &before:", 300},
                         Row{&fraSpacing, &lblSpaceAfter, &txtSpaceAfter, L"Space af&ter:", 720},
                         Row{&fraSpacing, &lblLineSpacing, &txtLineSpacing, L"Li&ne spacing (%):", 1140}}) {
        r.label->SetContainer(r.frame);
        r.label->SetCaption(r.caption);
        r.label->Move(120, r.top + 45, 1440, 240);
        r.box->SetContainer(r.frame);
        r.box->Move(1620, r.top, 900, 315);
    }
    ButtonsLast();
}

void ParagraphDialogForm::Form_Load() {
    for (const auto& name : dialogs::AlignmentNames()) cboAlignment.AddItem(name);
    // The unit the lengths are in, beside each length box's caption.
    const std::wstring unit = L" (" + dialogs::UnitName(unit_) + L"):";
    lblLeftIndent.SetCaption(L"&Left indent" + unit);
    lblRightIndent.SetCaption(L"&Right indent" + unit);
    lblFirstLine.SetCaption(L"&First line" + unit);
    lblSpaceBefore.SetCaption(L"Space &before" + unit);
    lblSpaceAfter.SetCaption(L"Space af&ter" + unit);
}

void ParagraphDialogForm::ShowSelection() {
    shown_ = dialogs::ShowParagraph(dialogs::SelectedParagraphs(*engine_), unit_);
    cboAlignment.SetListIndex(shown_.alignment);
    txtLeftIndent.SetText(shown_.leftIndent);
    txtRightIndent.SetText(shown_.rightIndent);
    txtFirstLine.SetText(shown_.firstLine);
    txtSpaceBefore.SetText(shown_.spaceBefore);
    txtSpaceAfter.SetText(shown_.spaceAfter);
    txtLineSpacing.SetText(shown_.lineSpacing);
}

dialogs::ParagraphBoxes ParagraphDialogForm::Entered() const {
    dialogs::ParagraphBoxes b;
    b.alignment = cboAlignment.ListIndex();
    b.leftIndent = txtLeftIndent.Text();
    b.rightIndent = txtRightIndent.Text();
    b.firstLine = txtFirstLine.Text();
    b.spaceBefore = txtSpaceBefore.Text();
    b.spaceAfter = txtSpaceAfter.Text();
    b.lineSpacing = txtLineSpacing.Text();
    return b;
}

bool ParagraphDialogForm::Apply() {
    const auto read = dialogs::ReadParagraph(Entered(), shown_, unit_);
    if (!read.Ok()) {
        const std::pair<const wchar_t*, ui::TextBox*> boxes[] = {
            {L"Left indent", &txtLeftIndent}, {L"Right indent", &txtRightIndent}, {L"First line", &txtFirstLine},
            {L"Space before", &txtSpaceBefore}, {L"Space after", &txtSpaceAfter}, {L"Line spacing", &txtLineSpacing}};
        for (const auto& [caption, box] : boxes)
            if (read.error->box == caption) Refuse(*read.error, *box);
        return false;
    }
    dialogs::ApplyParagraphs(*engine_, read.value);
    return true;
}

}  // namespace tx
