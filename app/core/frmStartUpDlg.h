#pragma once
// The start-up window: the program's first window, shown for three seconds before the frame. The
// same window shows again later as the About box, where it only waits for OK.

#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"

class frmStartUpDlg : public ui::Form {
public:
    ui::Label lblProduct{this, L"lblProduct"};
    ui::Label lblDescription{this, L"lblDescription"};
    ui::Label lblVersion{this, L"lblVersion"};
    ui::Label lblCopyright{this, L"lblCopyright"};
    ui::CommandButton cmdOK{this, L"cmdOK"};

    frmStartUpDlg();
    void Form_Load() override;
    void cmdOK_Click();
};

// How long the start-up window shows before the frame, in milliseconds.
inline constexpr unsigned kStartUpDelayMs = 3000;
