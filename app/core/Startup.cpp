#include "app/core/Startup.h"

#include "app/core/AppState.h"
#include "app/core/frmStartUpDlg.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

void StartZorvik() {
    ui::App().SetTitle(L"Zorvik");
    App().ShowMessage = [](const std::wstring& prompt) { ui::MsgBox(prompt, ui::vbOKOnly); };
    ui::Forms::Get<frmStartUpDlg>().Load();
}
