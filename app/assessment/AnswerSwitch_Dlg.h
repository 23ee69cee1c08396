#pragma once
// The answer reorder dialog: the current question's answers in a list, put into another order by
// dragging them with the left button; "Change" gives the question that order.

#include <cstdint>
#include <vector>

#include "app/assessment/Assessment.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

class AnswerSwitch_Dlg : public ui::Form {
public:
    ui::ListBox List1{this, L"List1"};
    ui::Label Label1{this, L"Label1"};
    ui::CommandButton Change_Btn{this, L"Change_Btn"};
    ui::CommandButton Cancel_Btn{this, L"Cancel_Btn"};

    std::int16_t DragIndex = 0;  // the item being dragged

    AnswerSwitch_Dlg();

    // True once "Change" has put the list's order into the current question (until the next showing).
    bool Changed() const { return changed_; }

    void Form_Load() override;
    void List1_MouseDown(int Button, int Shift, float X, float Y);
    void List1_DragOver(ui::Control& Source, float X, float Y, int State);
    void List1_DragDrop(ui::Control& Source, float X, float Y);
    void Change_Btn_Click();
    void Cancel_Btn_Click();

private:
    bool changed_ = false;
};

// One item per answer, in order: its text, after the correct-answer mark when it is correct. Each
// item carries its answer's index, so that the order read back never depends on the text.
void FillAnswerSwitchList(ui::ListBox& list, const std::vector<AssessmentAnswer>& answers);
// The index of the item at Y (twips in the list), always one of the list's items.
std::int16_t ListIndexFromY(ui::ListBox& list, float Y);
// Moves one item (its text and the answer it carries) from one place to another.
void MoveListItem(ui::ListBox& list, int fromIndex, int toIndex);
// Gives the current question the list's order, shows its first answer in the creator.
void ApplyAnswerOrder(ui::ListBox& list);
