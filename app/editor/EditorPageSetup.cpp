// Page setup of an editor's page: the dialog writes the new page into the control, which lays out
// again at once; the page then counts as changed, and text the new page pushes past the one page
// is reported (nothing is cut).
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmPageDlg.h"
#include "app/editor/OnePage.h"
#include "app/editor/frmMDIChild.h"
#include "ui/MsgBox.h"

void ShowPageSetup(tx::TXTextControl& control) {
    RunCommand([&control] {
        tx::TextEngine& engine = control.Engine();
        const tx::PageSetup before = engine.Doc().page;
        frmPageDlg dialog;
        dialog.tx = &control;
        dialog.Show(ui::vbModal);
        if (engine.Doc().page == before) return;
        if (auto* editor = dynamic_cast<frmMDIChild*>(&control.Parent())) {
            editor->DirtyFlag = true;
            editor->PlacePageEndMarkers();
        }
        if (engine.PageCount() > 1) ui::MsgBox(kPastOnePageMessage, ui::vbOKOnly);
    });
}
