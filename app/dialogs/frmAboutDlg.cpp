#include "app/dialogs/frmAboutDlg.h"

#include <windows.h>

#include <string>

#include "app/core/ProductTexts.h"

frmAboutDlg::frmAboutDlg() {
    SetCaption(std::wstring(L"About ") + kProductName);
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(5160, 1800);

    picIcon.SetBorderStyle(0);
    picIcon.Move(240, 240, 720, 720);
    lblTitle.SetCaption(std::wstring(kProductName) + L" " + kProductVersion);
    lblTitle.SetFont({L"Arial", 12, true});
    lblTitle.Move(1200, 240, 3720, 360);
    lblDescription.SetCaption(std::wstring(kProductDescription) + L"\r\n" + kProductCopyright);
    lblDescription.Move(1200, 660, 3720, 540);
    cmdOK.SetCaption(L"OK");
    cmdOK.Move(3780, 1290, 1140, 375);
    cmdOK.SetDefault(true);
    cmdOK.SetCancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    picIcon.Paint = [this] { picIcon_Paint(); };
}

void frmAboutDlg::picIcon_Paint() {
    // The program's own icon when it has one, else the system's application icon.
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DrawIconEx(picIcon.hDC(), 0, 0, icon, 48, 48, 0, nullptr, DI_NORMAL);
}

void frmAboutDlg::cmdOK_Click() { Unload(); }
