#pragma once
// An about box: the program's picture, its title texts and OK. The Help menu shows the start-up
// window as its about box; this one is kept for a later command, with the same texts.

#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"

class frmAboutDlg : public ui::Form {
public:
    ui::PictureBox picIcon{this, L"picIcon"};
    ui::Label lblTitle{this, L"lblTitle"};
    ui::Label lblDescription{this, L"lblDescription"};
    ui::CommandButton cmdOK{this, L"cmdOK"};

    frmAboutDlg();
    void cmdOK_Click();

private:
    void picIcon_Paint();
};
