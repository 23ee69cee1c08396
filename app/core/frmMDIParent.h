#pragma once
// The program's MDI frame: holds the editor windows.

#include "ui/MdiForm.h"

class frmMDIParent : public ui::MdiForm {
public:
    frmMDIParent();
};
