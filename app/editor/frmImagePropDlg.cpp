#include "app/editor/frmImagePropDlg.h"

frmImagePropDlg::frmImagePropDlg() {
    SetCaption(L"Image Properties");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetMaxButton(false);
    SetClientSize(4200, 1320);
    lblNote.SetCaption(L"The selected object has no properties that can be changed here.");
    lblNote.SetWordWrap(true);
    lblNote.Move(180, 180, 3840, 480);
    cmdClose.SetCaption(L"Close");
    cmdClose.SetDefault(true);
    cmdClose.SetCancel(true);
    cmdClose.Move(2940, 780, 1095, 375);
    cmdClose.Click = [this] { Unload(); };
}
