#include "app/assessment/AnswerSwitch_Dlg.h"

#include "app/assessment/AssCreatorControls.h"
#include "app/assessment/TextFields.h"
#include "app/core/AppState.h"
#include "ui/Application.h"
#include "ui/Constants.h"

AnswerSwitch_Dlg::AnswerSwitch_Dlg() {
    SetCaption(L"Answer reorder tool");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetFont({L"Arial", 9});
    SetClientSize(6120, 3960);

    List1.Move(120, 120, 5880, 2940);
    Label1.SetCaption(std::wstring(1, kCorrectMark) + L" - Marks a correct answer.");
    Label1.Move(120, 3180, 3600, 255);
    Change_Btn.SetCaption(L"Change");
    Change_Btn.Move(3480, 3480, 1215, 375);
    Change_Btn.SetDefault(true);
    Cancel_Btn.SetCaption(L"Cancel");
    Cancel_Btn.Move(4785, 3480, 1215, 375);
    Cancel_Btn.SetCancel(true);

    List1.MouseDown = [this](int Button, int Shift, float X, float Y) { List1_MouseDown(Button, Shift, X, Y); };
    List1.DragOver = [this](ui::Control& Source, float X, float Y, int State) { List1_DragOver(Source, X, Y, State); };
    List1.DragDrop = [this](ui::Control& Source, float X, float Y) { List1_DragDrop(Source, X, Y); };
    Change_Btn.Click = [this] { Change_Btn_Click(); };
    Cancel_Btn.Click = [this] { Cancel_Btn_Click(); };
}

void AnswerSwitch_Dlg::Form_Load() { changed_ = false; }

void AnswerSwitch_Dlg::List1_MouseDown(int Button, int /*Shift*/, float /*X*/, float Y) {
    if (Button != ui::vbLeftButton || List1.ListCount() == 0) return;
    DragIndex = ListIndexFromY(List1, Y);
    List1.Drag(1);
}

void AnswerSwitch_Dlg::List1_DragOver(ui::Control& /*Source*/, float /*X*/, float Y, int /*State*/) {
    if (List1.ListCount() > 0) List1.SetListIndex(ListIndexFromY(List1, Y));
}

void AnswerSwitch_Dlg::List1_DragDrop(ui::Control& Source, float /*X*/, float Y) {
    auto* list = dynamic_cast<ui::ListBox*>(&Source);
    if (list == nullptr) return;
    MoveListItem(*list, DragIndex, ListIndexFromY(*list, Y));
}

void AnswerSwitch_Dlg::Change_Btn_Click() {
    ApplyAnswerOrder(List1);
    changed_ = true;
    Unload();
}

void AnswerSwitch_Dlg::Cancel_Btn_Click() { Unload(); }

void FillAnswerSwitchList(ui::ListBox& list, const std::vector<AssessmentAnswer>& answers) {
    for (size_t k = 0; k < answers.size(); ++k) {
        const AssessmentAnswer& a = answers[k];
        list.AddItem(IsCorrectFlag(a.Correct) ? kCorrectMark + a.AnswerText : a.AnswerText);
        list.SetItemData(list.NewIndex(), static_cast<long>(k));
    }
}

std::int16_t ListIndexFromY(ui::ListBox& list, float Y) {
    const int h = static_cast<int>(SendMessageA(list.hWnd(), LB_GETITEMHEIGHT, 0, 0));
    return static_cast<std::int16_t>(
        ListIndexAt(list.TopIndex(), Y, ui::Screen().TwipsPerPixelY(), h, list.ListCount()));
}

void MoveListItem(ui::ListBox& list, int fromIndex, int toIndex) {
    const int count = list.ListCount();
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= count || toIndex >= count) return;
    const std::wstring text = list.List(fromIndex);
    const long data = list.ItemData(fromIndex);
    const int step = fromIndex < toIndex ? 1 : -1;
    for (int i = fromIndex; i != toIndex; i += step) {
        list.SetList(i, list.List(i + step));
        list.SetItemData(i, list.ItemData(i + step));
    }
    list.SetList(toIndex, text);
    list.SetItemData(toIndex, data);
}

void ApplyAnswerOrder(ui::ListBox& list) {
    AssCreatorGlobals& g = App().AssCreatorControls;
    if (g.CurQuestion < 0 || static_cast<size_t>(g.CurQuestion) >= g.Questions.size()) return;
    std::vector<int> order;
    for (int i = 0; i < list.ListCount(); ++i) order.push_back(static_cast<int>(list.ItemData(i)));
    ApplyAnswerOrder(g.Questions[static_cast<size_t>(g.CurQuestion)], order);
    g.CurAnswer = 0;
}
