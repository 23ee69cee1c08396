#include "components/textcontrol/dialogs/TabsDialogForm.h"

namespace tx {

TabsDialogForm::TabsDialogForm() : DialogForm(L"Tabs", 4560, 3420) {
    lblPosition.SetCaption(L"Tab stop &position:");
    lblPosition.Move(120, 120, 2520, 240);
    txtPosition.Move(120, 360, 2520, 315);
    lstTabs.Move(120, 720, 2520, 1560);
    fraAlignment.SetCaption(L"Alignment");
    fraAlignment.Move(2820, 120, 1620, 1560);
    const auto& kinds = dialogs::TabKindNames();
    const wchar_t* captions[] = {L"&Left", L"&Right", L"C&entered", L"&Decimal"};
    for (int i = 0; i < static_cast<int>(kinds.size()); ++i) {
        auto& opt = optAlignment.Load(i);
        opt.SetContainer(&fraAlignment);
        opt.SetCaption(captions[i]);
        opt.Move(120, 270 + 315 * i, 1380, 285);
    }
    optAlignment[0].SetValue(true);
    cmdSet.SetCaption(L"&Set");
    cmdSet.Move(2820, 1800, 1620, 375);
    cmdClear.SetCaption(L"&Clear");
    cmdClear.Move(120, 2340, 1200, 375);
    cmdClearAll.SetCaption(L"Clear &All");
    cmdClearAll.Move(1440, 2340, 1200, 375);
    lblMixed.SetCaption(L"The paragraphs have different tab stops: the stops set here are added to each.");
    lblMixed.SetVisible(false);
    lblMixed.Move(120, 2820, 2520, 480);
    lblMixed.SetWordWrap(true);
    cmdSet.Click = [this] { cmdSet_Click(); };
    cmdClear.Click = [this] { cmdClear_Click(); };
    cmdClearAll.Click = [this] { cmdClearAll_Click(); };
    lstTabs.Click = [this] { lstTabs_Click(); };
    ButtonsLast();
}

void TabsDialogForm::Form_Load() {
    lblPosition.SetCaption(L"Tab stop &position (" + dialogs::UnitName(unit_) + L"):");
}

void TabsDialogForm::ShowSelection() {
    stops_.emplace(dialogs::SelectedParagraphs(*engine_));
    FillList(-1);
}

void TabsDialogForm::FillList(int choose) {
    filling_ = true;
    lstTabs.Clear();
    for (const auto& stop : stops_->Stops()) lstTabs.AddItem(dialogs::TabStopList::Describe(stop, unit_));
    if (choose >= 0) lstTabs.SetListIndex(choose);
    filling_ = false;
    lblMixed.SetVisible(stops_->Mixed());
    cmdClear.SetEnabled(lstTabs.ListIndex() >= 0);
    cmdClearAll.SetEnabled(!stops_->Stops().empty() || stops_->Mixed());
}

void TabsDialogForm::lstTabs_Click() {
    if (filling_) return;
    const int index = lstTabs.ListIndex();
    cmdClear.SetEnabled(index >= 0);
    if (index < 0 || index >= static_cast<int>(stops_->Stops().size())) return;
    const TabStop& stop = stops_->Stops()[static_cast<size_t>(index)];
    txtPosition.SetText(dialogs::LengthText(stop.position, unit_));
    optAlignment[static_cast<int>(stop.kind)].SetValue(true);
}

void TabsDialogForm::cmdSet_Click() {
    if (auto error = stops_->Set(txtPosition.Text(), ChosenKind(), unit_)) {
        Refuse(*error, txtPosition);
        return;
    }
    FillList(stops_->IndexOf(*dialogs::ParseLength(txtPosition.Text(), unit_)));
    txtPosition.SetFocus();
}

void TabsDialogForm::cmdClear_Click() {
    stops_->Clear(lstTabs.ListIndex());
    FillList(-1);
}

void TabsDialogForm::cmdClearAll_Click() {
    stops_->ClearAll();
    FillList(-1);
}

TabKind TabsDialogForm::ChosenKind() {
    for (int i = 0; i < 4; ++i)
        if (optAlignment[i].Value()) return static_cast<TabKind>(i);
    return TabKind::Left;
}

bool TabsDialogForm::Apply() {
    // A position typed but not yet set (or set with another alignment) is set by OK, as the
    // author expects of a filled-in box.
    if (!dialogs::Trim(txtPosition.Text()).empty()) {
        const auto at = dialogs::ParseLength(txtPosition.Text(), unit_);
        const int index = at ? stops_->IndexOf(*at) : -1;
        if (index < 0 || stops_->Stops()[static_cast<size_t>(index)].kind != ChosenKind()) {
            if (auto error = stops_->Set(txtPosition.Text(), ChosenKind(), unit_)) {
                Refuse(*error, txtPosition);
                return false;
            }
        }
    }
    dialogs::ChangeParagraphs(*engine_, [&](ParaFormat& f) { stops_->ApplyTo(f.tabs); });
    return true;
}

}  // namespace tx
