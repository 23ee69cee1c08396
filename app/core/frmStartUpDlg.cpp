#include "app/core/frmStartUpDlg.h"

#include <windows.h>

#include "app/core/AppState.h"
#include "app/core/ProductTexts.h"
#include "app/core/frmMDIParent.h"

frmStartUpDlg::frmStartUpDlg() {
    SetCaption(std::wstring(L"About ") + kProductName);
    SetBorderStyle(3);
    SetControlBox(false);
    SetShowInTaskbar(false);
    SetStartUpPosition(2);
    SetClientSize(6000, 3300);
    SetBackColor(0x00FFFFFF);

    lblProduct.SetCaption(kProductName);
    lblProduct.Move(480, 360, 5040, 720);
    lblProduct.SetFont({L"Arial", 28, true});
    lblProduct.SetForeColor(0x00804000);
    lblProduct.SetBackStyle(0);

    lblDescription.SetCaption(kProductDescription);
    lblDescription.Move(480, 1140, 5040, 360);
    lblDescription.SetFont({L"Arial", 11});
    lblDescription.SetBackStyle(0);

    lblVersion.SetCaption(kProductVersion);
    lblVersion.Move(480, 1560, 5040, 300);
    lblVersion.SetBackStyle(0);

    lblCopyright.SetCaption(kProductCopyright);
    lblCopyright.Move(480, 2700, 3600, 300);
    lblCopyright.SetBackStyle(0);

    cmdOK.SetCaption(L"OK");
    cmdOK.Move(4560, 2640, 1080, 375);
    cmdOK.SetDefault(true);
    cmdOK.SetCancel(true);
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmStartUpDlg::Form_Load() {
    if (App().AppStarted) return;  // loaded again as the About box
    Show();
    Refresh();
    Sleep(kStartUpDelayMs);  // the start-up window stands alone for a moment; nothing else runs
    ui::Forms::Get<frmMDIParent>().Show();
    Unload();
    App().AppStarted = true;
}

void frmStartUpDlg::cmdOK_Click() { Unload(); }
