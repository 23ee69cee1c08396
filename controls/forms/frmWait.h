#pragma once
// A small box the library shows while it is busy; it has no code of its own.

#include "ui/Form.h"
#include "ui/Label.h"

namespace palvex {

class frmWait : public ui::Form {
public:
    ui::Label Label1{this, L"Label1"};

    frmWait() {
        SetCaption(L"Please Wait");
        SetBorderStyle(3);
        SetControlBox(false);
        SetStartUpPosition(2);
        SetShowInTaskbar(false);
        SetClientSize(3600, 840);
        Label1.SetCaption(L"Please wait...");
        Label1.SetAlignment(2);
        Label1.Move(120, 300, 3360, 255);
    }
};

}  // namespace palvex
