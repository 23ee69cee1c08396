#include "components/textcontrol/dialogs/StyleDialogForm.h"

#include "components/textcontrol/dialogs/SelectionFormats.h"


namespace tx {

StyleDialogForm::StyleDialogForm() : DialogForm(L"Style", 4560, 3300) {
    lblStyles.SetCaption(L"&Styles:");
    lblStyles.Move(120, 120, 2880, 240);
    lstStyles.SetSorted(false);
    lstStyles.Move(120, 360, 2880, 1920);
    lblName.SetCaption(L"&Name:");
    lblName.Move(120, 2400, 720, 240);
    txtName.Move(900, 2355, 2100, 315);
    struct Button {
        ui::CommandButton* button;
        const wchar_t* caption;
        long top;
    };
    for (const Button& b : {Button{&cmdApply, L"&Apply", 360}, Button{&cmdNew, L"Ne&w", 840},
                            Button{&cmdRename, L"&Rename", 1260}, Button{&cmdDelete, L"&Delete", 1680}}) {
        b.button->SetCaption(b.caption);
        b.button->Move(3240, b.top, 1200, 375);
    }
    lstStyles.Click = [this] { lstStyles_Click(); };
    cmdApply.Click = [this] { cmdApply_Click(); };
    cmdNew.Click = [this] { cmdNew_Click(); };
    cmdRename.Click = [this] { cmdRename_Click(); };
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    ButtonsLast();
}

void StyleDialogForm::ShowSelection() {
    styles_.emplace(engine_->Doc().styles);
    const dialogs::ParaValues selected = dialogs::SelectedParagraphs(*engine_);
    // The paragraphs' own style is chosen; paragraphs of different styles choose none.
    FillList(selected.styleName ? styles_->IndexOf(*selected.styleName) : -1);
}

void StyleDialogForm::FillList(int choose) {
    lstStyles.Clear();
    for (const auto& style : styles_->Styles()) lstStyles.AddItem(style.name);
    lstStyles.SetListIndex(choose);
    txtName.SetText(choose >= 0 ? styles_->Styles()[static_cast<size_t>(choose)].name : L"");
    const bool chosen = lstStyles.ListIndex() >= 0;
    cmdApply.SetEnabled(chosen);
    cmdRename.SetEnabled(chosen);
    cmdDelete.SetEnabled(chosen);
}

void StyleDialogForm::lstStyles_Click() {
    const int index = lstStyles.ListIndex();
    if (index >= 0 && index < static_cast<int>(styles_->Styles().size()))
        txtName.SetText(styles_->Styles()[static_cast<size_t>(index)].name);
    cmdApply.SetEnabled(index >= 0);
    cmdRename.SetEnabled(index >= 0);
    cmdDelete.SetEnabled(index >= 0);
}

void StyleDialogForm::cmdNew_Click() {
    Style style;
    style.para = engine_->CurrentParaFormat();
    // The character format the selection starts with, as typing there would use it.
    CharFormat first;
    first.face = engine_->FontName();
    first.size = engine_->FontSize();
    first.bold = engine_->Bold();
    first.italic = engine_->Italic();
    first.underline = engine_->Underline();
    first.strike = engine_->Strikeout();
    first.color = engine_->ForeColor();
    first.backColor = engine_->TextBkColor();
    style.chars = first;
    if (auto error = styles_->Add(txtName.Text(), style)) {
        Refuse(*error, txtName);
        return;
    }
    FillList(styles_->IndexOf(dialogs::Trim(txtName.Text())));
}

void StyleDialogForm::cmdRename_Click() {
    const int index = lstStyles.ListIndex();
    if (auto error = styles_->Rename(index, txtName.Text())) {
        Refuse(*error, txtName);
        return;
    }
    FillList(index);
}

void StyleDialogForm::cmdDelete_Click() {
    styles_->Remove(lstStyles.ListIndex());
    FillList(-1);
}

void StyleDialogForm::Commit(const std::wstring& apply) {
    if (!styles_->Edited() && apply.empty()) return;
    engine_->SetStyles(styles_->Styles(), styles_->Renamed(), apply);
}

void StyleDialogForm::cmdApply_Click() {
    const int index = lstStyles.ListIndex();
    if (index < 0) {
        Refuse(L"Choose a style in the \"Styles\" list.", lstStyles);
        return;
    }
    Commit(styles_->Styles()[static_cast<size_t>(index)].name);
    Accept();
}

bool StyleDialogForm::Apply() {
    Commit(L"");
    return true;
}

}  // namespace tx
