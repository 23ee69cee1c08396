#pragma once
// What the frame's toolbar, the editor window and the page code share: the active editor, the
// caption and status text of a page, the toolbar's enabled buttons, and the way every command
// reports its failures.

#include <functional>
#include <string>

class frmMDIChild;
class frmMDIParent;

// The frame's active editor window, nullptr when there is none.
frmMDIChild* ActiveEditor();
// The active editor; throws zv::Error when no editor window is open.
frmMDIChild& RequireEditor();
bool IsEditorActive();

// The editor's caption "MODULE: code    PAGENAME: name" and the frame's status text "Page n".
void ShowPageCaption(const std::wstring& name);
// Enables the frame's toolbar buttons by what the active editor can do.
void UpdateToolbar();
// Enables or disables one toolbar button of the frame by its key (no frame or button: nothing).
void EnableToolbarButton(const std::wstring& key, bool enabled);
bool ToolbarButtonEnabled(const std::wstring& key);

// Adds the open module to the Window list (once per module code).
void AddToWindowList();

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
