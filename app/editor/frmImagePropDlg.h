#pragma once
// The window the editor's Format > Image command and a right click on a picture show: it has no
// settings of its own and changes nothing; Close, Enter or Esc closes it.

#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"

class frmImagePropDlg : public ui::Form {
public:
    ui::Label lblNote{this, L"lblNote"};
    ui::CommandButton cmdClose{this, L"cmdClose"};

    frmImagePropDlg();
};
