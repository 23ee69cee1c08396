// The find dialog over the module's pages. The print preview and the go-to view are their
// windows' own (app/dialogs/frmPrintPreview.cpp, frmGoToDlg.cpp).
#include "app/core/DialogCommands.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmFindDlg.h"
#include "ui/Form.h"

// Find (mode 1) and find next (mode 2) over the module's pages.
void ShowFindDialog(int /*mode*/) {
    RunCommand([] {
        RequireEditor();
        frmFindDlg dialog;
        dialog.Show(ui::vbModal);
    });
}
