#pragma once
// The open dialog: the author either opens an existing module through the file dialog or names a
// new one by its code and name, which makes the module's folder at once. It stands between the
// author and an empty program: leaving it without a module ends the program (at start-up) or
// closes the frame.

#include <string>

#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

class frmOpenDlg : public ui::Form {
public:
    ui::Frame Frame1{this, L"Frame1"};
    ui::OptionButton Option1{this, L"Option1"};
    ui::OptionButton Option2{this, L"Option2"};
    ui::ControlArray<ui::Label> Label1{this, L"Label1"};
    ui::ControlArray<ui::TextBox> Text1{this, L"Text1"};
    ui::CommandButton btnOK{this, L"btnOK"};
    ui::CommandButton btnExit{this, L"btnExit"};

    frmOpenDlg();

    bool Get_frmOpenDlg_Opened() const { return Opened; }
    void Set_frmOpenDlg_Opened(bool Value) { Opened = Value; }

    void Form_Activate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Option1_Click();
    void Option2_Click();
    void btnOK_Click();
    void btnExit_Click();

private:
    void EnableNewModuleBoxes(bool enabled);
    bool Opened = false;
};

// Indices of Label1 and Text1.
inline constexpr int kCodeBox = 0;
inline constexpr int kNameBox = 1;

// The module code as the author typed it, made into a folder name: a number (blanks around it, a
// sign, a fraction or an exponent allowed) becomes its value rounded to a whole number, padded with
// zeros to six digits; a number of seven digits or more becomes "". Any other text comes back
// unchanged. The caller accepts only a result of at most six digits.
std::wstring NormalizeModuleCode(const std::wstring& typed);
