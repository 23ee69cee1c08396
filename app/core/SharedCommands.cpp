#include "app/core/SharedCommands.h"

#include <windows.h>

#include <cwctype>

#include "app/core/AppState.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/Application.h"
#include "ui/MdiForm.h"
#include "ui/MsgBox.h"

frmMDIParent* OpenFrame() { return dynamic_cast<frmMDIParent*>(ui::MdiForm::Current()); }

frmMDIParent& Frame() {
    frmMDIParent* frame = OpenFrame();
    if (frame == nullptr) throw zv::Error(L"The program's frame window is not open.");
    return *frame;
}

frmMDIChild* ActiveEditor() {
    frmMDIParent* frame = OpenFrame();
    return frame != nullptr ? dynamic_cast<frmMDIChild*>(frame->ActiveForm()) : nullptr;
}

frmMDIChild& RequireEditor() {
    frmMDIChild* editor = ActiveEditor();
    if (editor == nullptr) throw zv::Error(L"No editor window is open.");
    return *editor;
}

bool IsEditorActive() {
    // The window's own visible flag: while the frame itself is still loading (a module opened
    // from the command line) the editor counts as shown although nothing is on the screen yet.
    frmMDIChild* editor = ActiveEditor();
    return editor != nullptr && editor->hWnd() != nullptr && (GetWindowLongW(editor->hWnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void ShowPageCaption(const std::wstring& name) {
    const AppState& app = App();
    if (frmMDIChild* editor = ActiveEditor()) {
        std::wstring caption = L"Module: " + app.ModuleCode + L"    PageName: " + name;
        for (auto& c : caption) c = static_cast<wchar_t>(std::towupper(c));
        editor->SetCaption(caption);
    }
    if (auto* frame = OpenFrame()) {
        frame->SetPageStatusText(L"Page " + std::to_wstring(app.CurrentPageNo));
    }
}

void EnableToolbarButton(const std::wstring& key, bool enabled) {
    if (auto* frame = OpenFrame()) {
        // Only a change reaches the toolbar's window: every page change sets a dozen buttons.
        ui::ToolbarButton* button = frame->Toolbar1.FindButton(key);
        if (button != nullptr && button->Enabled() != enabled) button->SetEnabled(enabled);
    }
}

bool ToolbarButtonEnabled(const std::wstring& key) {
    if (auto* frame = OpenFrame()) {
        if (ui::ToolbarButton* button = frame->Toolbar1.FindButton(key)) return button->Enabled();
    }
    return false;
}

void UpdateToolbar() {
    frmMDIChild* editor = IsEditorActive() ? ActiveEditor() : nullptr;
    const wchar_t* always[] = {L"Save", L"Print", L"PrintPreview", L"Find"};
    for (const wchar_t* key : always) EnableToolbarButton(key, editor != nullptr);
    // The page buttons act on the editor's page: without an editor (none opened yet, an open that
    // failed, the last one closed) they have nothing to act on.
    const wchar_t* pageKeys[] = {L"insert_B", L"insert_A", L"Del_Page"};
    for (const wchar_t* key : pageKeys) EnableToolbarButton(key, editor != nullptr);
    if (editor == nullptr) {
        for (const wchar_t* key : {L"Cut", L"Copy", L"Paste", L"Undo", L"Redo", L"remove_movie", L"movie_properties",
                                   L"delete_hyperlink", L"Next", L"Previous"})
            EnableToolbarButton(key, false);
        return;
    }
    UpdateTextButtons(*editor);
    EnableToolbarButton(L"Paste", editor->TXTextControl1.Control().CanPaste());
}

void UpdateTextButtons(frmMDIChild& editor) {
    const tx::TextEngine& engine = editor.TXTextControl1.Engine();
    EnableToolbarButton(L"Cut", engine.CanCopy());
    EnableToolbarButton(L"Copy", engine.CanCopy());
    EnableToolbarButton(L"Undo", engine.CanUndo());
    EnableToolbarButton(L"Redo", engine.CanRedo());
    EnableToolbarButton(L"remove_movie", engine.ObjectCurrent() != 0);
    EnableToolbarButton(L"movie_properties", engine.ObjectCurrent() != 0);
    EnableToolbarButton(L"delete_hyperlink", engine.FieldAtInputPos() != 0);
}

void UpdatePasteButton() {
    frmMDIChild* editor = IsEditorActive() ? ActiveEditor() : nullptr;
    EnableToolbarButton(L"Paste", editor != nullptr && editor->TXTextControl1.Control().CanPaste());
}

void AddToWindowList() {
    AppState& app = App();
    for (int i = 0; i <= 100; ++i) {
        std::wstring& slot = app.WindowList[static_cast<size_t>(i)];
        if (slot.empty()) {
            slot = app.ModulePath;
            app.WindowCount = static_cast<std::int16_t>(i + 1);
            return;
        }
        if (!app.ModuleCode.empty() && slot.find(app.ModuleCode) != std::wstring::npos) return;
    }
}

void RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const zv::CancelError&) {
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description(), ui::vbOKOnly);
    }
}

HourglassPointer::HourglassPointer() { ui::Screen().SetMousePointer(ui::vbHourglass); }
HourglassPointer::~HourglassPointer() { ui::Screen().SetMousePointer(ui::vbDefault); }
