#include "components/textcontrol/dialogs/BulletsDialogForm.h"

namespace tx {

BulletsDialogForm::BulletsDialogForm() : DialogForm(L"Bullets and Numbering", 4680, 2580) {
    fraKind.SetCaption(L"List");
    fraKind.Move(120, 120, 1560, 1320);
    const wchar_t* kinds[] = {L"N&one", L"&Bullets", L"N&umbers"};
    for (int i = 0; i < 3; ++i) {
        auto& opt = optKind.Load(i);
        opt.SetContainer(&fraKind);
        opt.SetCaption(kinds[i]);
        opt.Move(120, 270 + 330 * i, 1320, 285);
    }
    lblStyle.SetCaption(L"&Numbering style:");
    lblStyle.Move(1860, 120, 2700, 240);
    cboStyle.SetStyle(2);
    cboStyle.Move(1860, 360, 2700, 315);
    lblLevel.SetCaption(L"&Level (1-9):");
    lblLevel.Move(1860, 810, 1740, 240);
    txtLevel.Move(3660, 765, 900, 315);
    lblStep.SetCaption(L"&Indent per level:");
    lblStep.Move(1860, 1230, 1740, 240);
    txtStep.Move(3660, 1185, 900, 315);
    ButtonsLast();
}

void BulletsDialogForm::Form_Load() {
    for (const auto& name : dialogs::NumberStyleNames()) cboStyle.AddItem(name);
    lblStep.SetCaption(L"&Indent per level (" + dialogs::UnitName(unit_) + L"):");
}

void BulletsDialogForm::ShowSelection() {
    shown_ = dialogs::ShowList(dialogs::SelectedParagraphs(*engine_), unit_);
    // Paragraphs of different kinds: no option is chosen until the author chooses one.
    for (int i = 0; i < 3; ++i) optKind[i].SetValue(i == shown_.kind);
    cboStyle.SetListIndex(shown_.style);
    txtLevel.SetText(shown_.level);
    txtStep.SetText(shown_.step);
}

dialogs::ListBoxes BulletsDialogForm::Entered() {
    dialogs::ListBoxes b;
    for (int i = 0; i < 3; ++i)
        if (optKind[i].Value()) b.kind = i;
    b.style = cboStyle.ListIndex();
    b.level = txtLevel.Text();
    b.step = txtStep.Text();
    return b;
}

bool BulletsDialogForm::Apply() {
    const auto read = dialogs::ReadList(Entered(), shown_, unit_);
    if (!read.Ok()) {
        Refuse(*read.error, read.error->box == L"Level" ? txtLevel : txtStep);
        return false;
    }
    dialogs::ApplyParagraphs(*engine_, read.value);
    return true;
}

}  // namespace tx
