#pragma once
// The program's MDI frame: holds the editor windows, the toolbar whose keyed buttons run the
// page commands on the active editor, and the common dialog for opening, printing and inserting.

#include <memory>
#include <string>
#include <vector>

#include "ui/CommonDialog.h"
#include "ui/ImageList.h"
#include "ui/MdiForm.h"
#include "ui/Menu.h"
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
    ui::ImageList ImageList1;

    // The frame's own menus, shown while no editor window brings its menus. Their shortcuts work
    // from the editor as well, running the toolbar's command for the key.
    ui::MenuItem mnuFile{this, L"mnuFile", L"&File"};
    ui::MenuItem mnuFile_New{mnuFile, L"mnuFile_New", L"&New"};
    ui::MenuItem mnuFile_Open{mnuFile, L"mnuFile_Open", L"&Open..."};
    ui::MenuItem mnuFile_Save{mnuFile, L"mnuFile_Save", L"&Save"};
    ui::MenuItem mnuFile_Print{mnuFile, L"mnuFile_Print", L"&Print..."};
    ui::MenuItem mnuFile_Sep1{mnuFile, L"mnuFile_Sep1", L"-"};
    ui::MenuArray mnuRecentFile{mnuFile, L"mnuRecentFile"};
    ui::MenuItem mnuFile_Sep2{mnuFile, L"mnuFile_Sep2", L"-"};
    ui::MenuItem mnuFile_Exit{mnuFile, L"mnuFile_Exit", L"E&xit"};
    ui::MenuItem mnuEdit{this, L"mnuEdit", L"&Edit"};
    ui::MenuItem mnuEdit_Undo{mnuEdit, L"mnuEdit_Undo", L"&Undo"};
    ui::MenuItem mnuEdit_Redo{mnuEdit, L"mnuEdit_Redo", L"&Redo"};
    ui::MenuItem mnuEdit_Sep1{mnuEdit, L"mnuEdit_Sep1", L"-"};
    ui::MenuItem mnuEdit_Cut{mnuEdit, L"mnuEdit_Cut", L"Cu&t"};
    ui::MenuItem mnuEdit_Copy{mnuEdit, L"mnuEdit_Copy", L"&Copy"};
    ui::MenuItem mnuEdit_Paste{mnuEdit, L"mnuEdit_Paste", L"&Paste"};
    ui::MenuItem mnuEdit_Sep2{mnuEdit, L"mnuEdit_Sep2", L"-"};
    ui::MenuItem mnuEdit_Find{mnuEdit, L"mnuEdit_Find", L"&Find..."};

    frmMDIParent();
    ~frmMDIParent() override;

    // Opens the module named on the command line.
    void Form_Load() override;
    void Toolbar1_ButtonClick(ui::ToolbarButton& Button);
    // The toolbar's command for a key, as if its button were clicked; a disabled button's key
    // does nothing, as the button would.
    void RunToolbarKey(const std::wstring& key);
    // A dropped marker file opens its module (the first of several files); a change of the
    // clipboard sets the toolbar's Paste.
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    // A further editor window (windows of modules opened earlier stay open); loaded, not shown.
    frmMDIChild& NewEditorWindow();
    // The status text "Page n".
    void SetPageStatusText(const std::wstring& text);
    std::wstring PageStatusText() const;

    // The command-line text the frame opens when it loads (the program sets it from its own
    // command line before the frame loads).
    std::wstring CommandLineText;

private:
    static long FirstWidth();
    void WidenForTheEditor();

    std::vector<std::unique_ptr<frmMDIChild>> editors_;
};
