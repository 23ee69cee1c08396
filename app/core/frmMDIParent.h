#pragma once
// The program's MDI frame: holds the editor windows, the toolbar whose keyed buttons run the
// page commands on the active editor, and the common dialog for opening, printing and inserting.

#include <memory>
#include <string>
#include <vector>

#include "ui/CommonDialog.h"
#include "ui/MdiForm.h"
#include "components/textcontrol/win32/TXButtonBar.h"
#include "components/textcontrol/win32/TXStatusBar.h"
#include "ui/Toolbar.h"

class frmMDIChild;

class frmMDIParent : public ui::MdiForm {
public:
    ui::Toolbar Toolbar1{this, L"Toolbar1"};
    tx::TXButtonBar TXButtonBar1{this, L"TXButtonBar1"};
    tx::TXStatusBar TXStatusBar1{this, L"TXStatusBar1"};
    ui::CommonDialog CmDialog1{this};

    frmMDIParent();
    ~frmMDIParent() override;

    // Opens the module named on the command line.
    void Form_Load() override;
    void Toolbar1_ButtonClick(ui::ToolbarButton& Button);

    // A further editor window (windows of modules opened earlier stay open); loaded, not shown.
    frmMDIChild& NewEditorWindow();
    // The status text "Page n".
    void SetPageStatusText(const std::wstring& text);
    std::wstring PageStatusText() const;

    // The command-line text the frame opens when it loads (the program sets it from its own
    // command line before the frame loads).
    std::wstring CommandLineText;

private:
    std::vector<std::unique_ptr<frmMDIChild>> editors_;
};
