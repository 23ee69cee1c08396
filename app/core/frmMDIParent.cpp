#include "app/core/frmMDIParent.h"

#include "app/core/AppState.h"
#include "app/core/DialogCommands.h"
#include "app/core/FILE.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/core/ToolbarImages.h"
#include "app/core/frmStartUpDlg.h"
#include "app/dialogs/frmPrintPreview.h"
#include "app/editor/frmMDIChild.h"
#include "ui/Application.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>

namespace {

// The toolbar from left to right: key, tool tip; an empty key is a gap between groups.
struct ToolbarKey {
    const wchar_t* key;
    const wchar_t* toolTip;
};
constexpr ToolbarKey kToolbarKeys[] = {
    {L"New", L"New module (Ctrl+N)"},
    {L"Open", L"Open module (Ctrl+O)"},
    {L"Save", L"Save page (Ctrl+S)"},
    {L"", L""},
    {L"Print", L"Print module (Ctrl+P)"},
    {L"PrintPreview", L"Print preview"},
    {L"", L""},
    {L"Cut", L"Cut (Ctrl+X)"},
    {L"Copy", L"Copy (Ctrl+C)"},
    {L"Paste", L"Paste (Ctrl+V)"},
    {L"Undo", L"Undo (Ctrl+Z)"},
    {L"Redo", L"Redo (Ctrl+Y)"},
    {L"", L""},
    {L"Find", L"Find and replace (Ctrl+F)"},
    {L"SpellCheck", L"Check spelling"},
    {L"", L""},
    {L"Previous", L"Previous page"},
    {L"Next", L"Next page"},
    {L"insert_B", L"Insert a page before this one"},
    {L"insert_A", L"Insert a page after this one"},
    {L"Del_Page", L"Delete this page"},
    {L"", L""},
    {L"insert_image", L"Insert image at a fixed place"},
    {L"insert_image_fixed", L"Insert image into the text"},
    {L"insert_hyperlink", L"Insert hyperlink"},
    {L"delete_hyperlink", L"Remove hyperlink"},
    {L"", L""},
    {L"insert_flash", L"Insert Flash movie"},
    {L"insert_director", L"Insert Shockwave movie"},
    {L"insert_wmp", L"Insert Windows Media movie"},
    {L"remove_movie", L"Remove movie"},
    {L"movie_properties", L"Movie properties"},
    {L"", L""},
    // Header and footer: enabled while the caret is in one; they have no command.
    {L"HeaderProperties", L"Header and footer properties"},
    {L"SwitchBetweenHeaderAndFooter", L"Switch between header and footer"},
    {L"GoToFirstPage", L"Go to the first page's header"},
    {L"GoToDefault", L"Go back to the page's text"},
};

// Enabled only while the caret stands in a header or footer.
constexpr const wchar_t* kHeaderFooterKeys[] = {L"HeaderProperties", L"SwitchBetweenHeaderAndFooter", L"GoToFirstPage",
                                               L"GoToDefault"};

// The program's start: the start-up window loads the frame, and only then does a frame without a
// module to open ask the author for one.
bool LoadedByStartUpWindow() {
    for (ui::Form* form : ui::Forms::Loaded()) {
        if (dynamic_cast<frmStartUpDlg*>(form) != nullptr) return true;
    }
    return false;
}

}  // namespace

// Wide enough for an editor that shows its whole page, as far as the screen allows.
long frmMDIParent::FirstWidth() {
    RECT border{0, 0, 0, 0};
    AdjustWindowRectEx(&border, WS_OVERLAPPEDWINDOW, TRUE, 0);
    int pixels = frmMDIChild::WidthShowingWholePage() + 2 * GetSystemMetrics(SM_CXEDGE) + (border.right - border.left);
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left)
        pixels = std::min<int>(pixels, work.right - work.left);
    return std::max(14400L, std::lround(pixels * ui::Screen().TwipsPerPixelX()));
}

frmMDIParent::frmMDIParent() {
    SetCaption(L"Zorvik");
    SetStartUpPosition(2);
    Move(0, 0, FirstWidth(), 10800);

    Toolbar1.SetImageList(&ImageList1);
    int separators = 0;
    for (const ToolbarKey& k : kToolbarKeys) {
        if (*k.key == L'\0') {
            Toolbar1.AddButton(L"sep" + std::to_wstring(++separators), L"", ui::tbrSeparator);
            continue;
        }
        const int image = AddToolbarImage(ImageList1, k.key);
        Toolbar1.AddButton(k.key, L"", ui::tbrDefault, image).SetToolTipText(k.toolTip);
    }
    for (const wchar_t* key : kHeaderFooterKeys) Toolbar1.FindButton(key)->SetEnabled(false);
    Toolbar1.ButtonClick = [this](ui::ToolbarButton& Button) { Toolbar1_ButtonClick(Button); };

    mnuFile_New.SetShortcut(L"Ctrl+N");
    mnuFile_Open.SetShortcut(L"Ctrl+O");
    mnuFile_Save.SetShortcut(L"Ctrl+S");
    mnuFile_Print.SetShortcut(L"Ctrl+P");
    for (int i = 1; i <= 4; ++i) mnuRecentFile.Load(i).SetCaption(L"Recent file " + std::to_wstring(i));
    mnuEdit_Undo.SetShortcut(L"Ctrl+Z");
    mnuEdit_Redo.SetShortcut(L"Ctrl+Y");
    mnuEdit_Cut.SetShortcut(L"Ctrl+X");
    mnuEdit_Copy.SetShortcut(L"Ctrl+C");
    mnuEdit_Paste.SetShortcut(L"Ctrl+V");
    mnuEdit_Find.SetShortcut(L"Ctrl+F");
    struct MenuKey {
        ui::MenuItem& item;
        const wchar_t* key;
    } menuKeys[] = {{mnuFile_New, L"New"},   {mnuFile_Open, L"Open"},   {mnuFile_Save, L"Save"},
                    {mnuFile_Print, L"Print"}, {mnuEdit_Undo, L"Undo"}, {mnuEdit_Redo, L"Redo"},
                    {mnuEdit_Cut, L"Cut"},   {mnuEdit_Copy, L"Copy"},   {mnuEdit_Paste, L"Paste"},
                    {mnuEdit_Find, L"Find"}};
    for (const MenuKey& m : menuKeys) {
        std::wstring key = m.key;
        m.item.Click = [this, key] { RunToolbarKey(key); };
    }
    mnuFile_Exit.Click = [this] { Unload(); };
    TXButtonBar1.SetAlign(1);  // top, under the toolbar
    TXButtonBar1.SetHeight(420);
    TXStatusBar1.SetAlign(2);  // bottom
    TXStatusBar1.SetHeight(330);
}

frmMDIParent::~frmMDIParent() = default;

void frmMDIParent::WidenForTheEditor() {
    RECT room{}, outer{}, work{};
    if (ClientWindow() == nullptr || !GetClientRect(ClientWindow(), &room) || room.right <= 0) return;
    const int shortfall = frmMDIChild::WidthShowingWholePage() - room.right;
    if (shortfall <= 0) return;
    GetWindowRect(hWnd(), &outer);
    int pixels = (outer.right - outer.left) + shortfall;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left)
        pixels = std::min<int>(pixels, work.right - work.left);
    if (pixels > outer.right - outer.left) SetWidth(std::lround(pixels * ui::Screen().TwipsPerPixelX()));
}

void frmMDIParent::Form_Load() {
    // The borders and bars as this system draws them may take more room than reckoned at start.
    WidenForTheEditor();
    DragAcceptFiles(hWnd(), TRUE);
    AddClipboardFormatListener(hWnd());
    UpdateToolbar();
    if (!CommandLineText.empty()) {
        RunCommand([this] { OpenModuleFile(CommandLineText); });
    } else if (LoadedByStartUpWindow()) {
        // The author chooses a module with the frame in view behind the open dialog.
        Show();
        NewModule();
    }
}

void frmMDIParent::RunToolbarKey(const std::wstring& key) {
    // The buttons' state as of now: the editor may have changed since the toolbar last looked.
    UpdateToolbar();
    ui::ToolbarButton* button = Toolbar1.FindButton(key);
    if (button != nullptr && button->Enabled()) Toolbar1_ButtonClick(*button);
}

LRESULT frmMDIParent::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLIPBOARDUPDATE) {
        UpdatePasteButton();
        return 0;
    }
    if (msg != WM_DROPFILES) return MdiForm::HandleMessage(msg, wp, lp);
    auto drop = reinterpret_cast<HDROP>(wp);
    std::wstring path;
    if (const UINT length = DragQueryFileW(drop, 0, nullptr, 0); length > 0) {
        path.resize(length + 1);
        path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    }
    DragFinish(drop);
    if (!path.empty()) RunCommand([&path] { OpenModuleFile(path); });
    return 0;
}

void frmMDIParent::Toolbar1_ButtonClick(ui::ToolbarButton& Button) {
    const std::wstring key = Button.Key();
    RunCommand([&] {
        if (key == L"New") {
            NewModule();
        } else if (key == L"Open") {
            OpenModuleFile(L"");
        } else if (key == L"Save") {
            SaveCurrentPage();
        } else if (key == L"Print") {
            PrintModule(RequireEditor().prtTXTextControl2, CmDialog1);
        } else if (key == L"Cut") {
            EditCut();
        } else if (key == L"Copy") {
            EditCopy();
        } else if (key == L"Paste") {
            RequireEditor().PasteWithLinks();
        } else if (key == L"Undo") {
            RequireEditor().TXTextControl1.Engine().Undo();
        } else if (key == L"Redo") {
            RequireEditor().TXTextControl1.Engine().Redo();
        } else if (key == L"PrintPreview") {
            frmMDIChild& editor = RequireEditor();
            ShowPreview(editor.TXTextControl1, editor.prtTXTextControl2);
        } else if (key == L"Find") {
            ShowFindDialog(1);
        } else if (key == L"SpellCheck") {
            RunSpellCheck();
        } else if (key == L"remove_movie") {
            RequireEditor().DeleteMovie();
        } else if (key == L"delete_hyperlink") {
            RemoveHyperlink(RequireEditor().TXTextControl1.Engine());
        } else if (key == L"Previous") {
            GoToPreviousPage();
        } else if (key == L"Next") {
            GoToNextPage();
        } else if (key == L"Del_Page") {
            DeleteCurrentPage();
        } else if (key == L"insert_B") {
            InsertPage(1);
        } else if (key == L"insert_A") {
            InsertPage(2);
        } else if (key == L"insert_flash" || key == L"insert_director" || key == L"insert_wmp") {
            const int kind = key == L"insert_flash" ? 1 : key == L"insert_director" ? 2 : 3;
            InsertMovie(RequireEditor().TXTextControl1, kind, 1000, 1000);
            UpdateToolbar();
        } else if (key == L"movie_properties") {
            ShowMoviePropertiesDialog();
        } else if (key == L"insert_image") {
            InsertImage(false, RequireEditor().TXTextControl1, CmDialog1, 1000, 1000);
        } else if (key == L"insert_image_fixed") {
            InsertImage(true, RequireEditor().TXTextControl1, CmDialog1, 0, 0);
        } else if (key == L"insert_hyperlink") {
            ShowHyperlinkDialog();
        }
        // "delete image" never did anything.
    });
}

frmMDIChild& frmMDIParent::NewEditorWindow() {
    for (auto& editor : editors_) {
        if (!editor->IsLoaded()) {
            editor->Load();
            return *editor;
        }
    }
    editors_.push_back(std::make_unique<frmMDIChild>());
    editors_.back()->Load();
    return *editors_.back();
}

void frmMDIParent::SetPageStatusText(const std::wstring& text) { TXStatusBar1.SetText(text); }
std::wstring frmMDIParent::PageStatusText() const { return TXStatusBar1.Text(); }
