#pragma once
// Style: the named styles of a text control. The list shows all of them or those some paragraph
// carries; a chosen style shows in the two previews and in words. Apply gives it to the selected
// paragraphs, New and Modify go through the control's own style dialog, Delete removes the style
// (its paragraphs keep their look). Cancel and Esc close without a change.

#include <string>
#include <vector>

#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/ListBox.h"

class frmStylesDlg : public ui::Form {
public:
    // Label2: "&Styles:", "&List:", "Paragraph preview:", "Character preview:", "Description"
    ui::ControlArray<ui::Label> Label2{this, L"Label2"};
    ui::ListBox List1{this, L"List1"};
    ui::ComboBox Combo1{this, L"Combo1"};
    // Label1(0) the paragraph preview, Label1(1) the character preview; Label4 the description.
    ui::ControlArray<ui::Label> Label1{this, L"Label1"};
    ui::Label Label4{this, L"Label4"};
    ui::CommandButton Command1{this, L"Command1"};
    ui::CommandButton Command2{this, L"Command2"};
    ui::CommandButton Command3{this, L"Command3"};
    ui::CommandButton Command4{this, L"Command4"};
    ui::CommandButton Command5{this, L"Command5"};
    ui::ControlArray<ui::Line> Line1{this, L"Line1"};
    ui::ControlArray<ui::Line> Line2{this, L"Line2"};

    // The control whose styles the dialog manages; set before it is shown.
    tx::TXTextControl* tx = nullptr;

    frmStylesDlg();

    void Form_Load() override;
    void List1_Click();
    void Combo1_Click();
    void Command1_Click();  // New
    void Command2_Click();  // Modify
    void Command3_Click();  // Delete
    void Command4_Click();  // Cancel
    void Command5_Click();  // Apply

private:
    // Fills the list from the control, choosing `name` when it is there.
    void FillList(const std::wstring& name);
    void ShowChosen();
    void OwnStyleDialog();
    const tx::Style* Chosen() const;
    std::vector<tx::Style> shown_;
};
