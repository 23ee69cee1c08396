#pragma once
// What the frame's toolbar, the editor window and the page code share: the active editor, the
// caption and status text of a page, the toolbar's enabled buttons, and the way every command
// reports its failures.

#include <functional>
#include <string>

class frmMDIChild;
class frmMDIParent;
namespace tx {
class TextEngine;
class TXTextControl;
}
namespace ui {
class MenuItem;
class MenuArray;
}  // namespace ui

// The one road from commands to the program's windows.
// The program's frame window, nullptr when it is not open.
frmMDIParent* OpenFrame();
// The frame; throws zv::Error when it is not open.
frmMDIParent& Frame();
// The frame's active editor window, nullptr when there is none.
frmMDIChild* ActiveEditor();
// The active editor; throws zv::Error when no editor window is open.
frmMDIChild& RequireEditor();
bool IsEditorActive();

// The editor's caption "MODULE: code    PAGENAME: name" and the frame's status text "Page n".
void ShowPageCaption(const std::wstring& name);
// Enables the frame's toolbar buttons by what the active editor can do.
void UpdateToolbar();
// The buttons that follow the active editor's text and caret (the selection, the undo history,
// the object and the link at the caret): UpdateToolbar less what an edit or a caret move cannot
// change. Run on every change of the editor's state.
void UpdateTextButtons(frmMDIChild& editor);
// Paste, which follows the clipboard: on every change of the clipboard's content.
void UpdatePasteButton();
// Enables or disables one toolbar button of the frame by its key (no frame or button: nothing).
void EnableToolbarButton(const std::wstring& key, bool enabled);
bool ToolbarButtonEnabled(const std::wstring& key);

// Adds the open module to the Window list (once per module code).
void AddToWindowList();
// AddToWindowList, then lists the modules in the active editor's Window menu, the open one checked.
void BuildWindowList();
// The Window menu's entries, element n (from 1) naming WindowList(n - 1); element 0 stays unused.
void BuildWindowList(ui::MenuItem& mnuWindow_Sep, ui::MenuArray& mnuWindow_WindowList);

// The clipboard commands on the active editor's text.
void EditCut();
void EditCopy();
void EditPaste();
void EditDelete();
void EditSelectAll();
// The link at the caret goes, its text stays and no longer looks like a link.
void RemoveHyperlink(tx::TextEngine& engine);

// File > New: asks to store a changed page, resets the page list, opens an "Untitled" editor and
// shows the open dialog. Failures end it without a message.
void NewModule();
// kind 1: the selection's text colour; any other kind: its background colour.
void ChooseTextColor(int kind);
// The page setup dialog for a text control.
void ShowPageSetup(tx::TXTextControl& control);
// The find dialog (mode is kept for the callers' sake; the dialog has one mode).
void ShowFindDialog(int mode);
// The spelling check of the active editor's page.
void RunSpellCheck();

// Show or hide the frame's paragraph bar, status bar and toolbar; the editor's ruler.
void ToggleParagraphBar();
void ToggleStatusBar();
void ToggleToolbar();
void ToggleRuler(frmMDIChild& form);
// The editor's text fills the window below its ruler.
void FitEditorToRuler(frmMDIChild& form);

// 1-based position of the first page of PageList named exactly `pageName`; 0 when absent.
int GetPageIndex(const std::wstring& pageName);

// Runs a command: a zv::Error is shown to the author in a message box, a cancelled common dialog
// ends it silently.
void RunCommand(const std::function<void()>& command);

// The hourglass while a long step runs; the normal pointer returns however the step ends.
class HourglassPointer {
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
};
