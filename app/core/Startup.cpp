#include "app/core/Startup.h"

#include <windows.h>

#include "app/core/AppState.h"
#include "app/core/CommandLine.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmStartUpDlg.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

void StartZorvik() {
    ui::App().SetTitle(L"Zorvik");
    App().ShowMessage = [](const std::wstring& prompt) { ui::MsgBox(prompt, ui::vbOKOnly); };
    // The frame opens the module named on the command line when it loads.
    ui::Forms::Get<frmMDIParent>().CommandLineText = ArgumentText(GetCommandLineW());
    ui::Forms::Get<frmStartUpDlg>().Load();
}
