#pragma once
// The test type dialog: before a save the author asks for, how the learner's player treats the
// assessment. Its answer is left in TestType and TestTypeCancelled.

#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Line.h"
#include "ui/OptionButton.h"

class frmTestType : public ui::Form {
public:
    ui::Line Line1{this, L"Line1"};
    ui::Line Line2{this, L"Line2"};
    ui::Line Line3{this, L"Line3"};
    ui::OptionButton Option1{this, L"Option1"};
    ui::OptionButton Option2{this, L"Option2"};
    ui::OptionButton Option3{this, L"Option3"};
    ui::CommandButton Command1{this, L"Command1"};
    ui::CommandButton Command2{this, L"Command2"};

    frmTestType();

    void Form_Load() override;
    // The chosen option has the focus, so that the arrows choose another and Enter accepts.
    void Form_Activate() override;
    void Command1_Click();
    void Command2_Click();
};
