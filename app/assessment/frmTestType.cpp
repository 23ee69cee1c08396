#include "app/assessment/frmTestType.h"

#include "app/core/AppState.h"

frmTestType::frmTestType() {
    SetCaption(L"Form1");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetFont({L"Arial", 9});
    SetClientSize(5760, 2400);

    Line1.SetPoints(120, 120, 5640, 120);
    Option1.SetCaption(L"Send assesment information for this module.");
    Option1.Move(360, 300, 5160, 315);
    Option2.SetCaption(L"Do not send assesment information for this module. ");
    Option2.Move(360, 720, 5160, 315);
    Option3.SetCaption(L"Do not grade and do not send assesment information");
    Option3.Move(360, 1140, 5160, 315);
    Line2.SetPoints(120, 1620, 5640, 1620);
    Line3.SetPoints(120, 1650, 5640, 1650);

    Command1.SetCaption(L"OK");
    Command1.Move(3000, 1860, 1215, 375);
    Command1.SetDefault(true);
    Command2.SetCaption(L"Cancel");
    Command2.Move(4380, 1860, 1215, 375);
    Command2.SetCancel(true);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmTestType::Form_Load() {
    const std::wstring& type = App().AssCreatorControls.TestType;
    if (type.empty() || type == L"0") {
        Option1.SetValue(true);
    } else if (type == L"1") {
        Option2.SetValue(true);
    } else {
        Option3.SetValue(true);
    }
}

void frmTestType::Form_Activate() {
    for (ui::OptionButton* option : {&Option1, &Option2, &Option3}) {
        if (option->Value()) option->SetFocus();
    }
}

void frmTestType::Command1_Click() {
    AssCreatorGlobals& g = App().AssCreatorControls;
    g.TestType = Option1.Value() ? L"0" : Option2.Value() ? L"1" : L"2";
    g.TestTypeCancelled = false;
    Unload();
}

void frmTestType::Command2_Click() {
    App().AssCreatorControls.TestTypeCancelled = true;
    Unload();
}
