// The commands of SharedCommands.h that the toolbar and the editor's menus run on the active
// editor: clipboard, colours, the bars, File > New and the Window list.
#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmOpenDlg.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/Application.h"
#include "ui/Menu.h"
#include "ui/MsgBox.h"

namespace {

tx::TXTextControl& EditorText() { return RequireEditor().TXTextControl1; }

bool Contains(const std::wstring& text, const std::wstring& part) {
    return !part.empty() && text.find(part) != std::wstring::npos;
}

}  // namespace

void EditCut() { EditorText()->Clip(tx::kClipCut); }
void EditCopy() { EditorText()->Clip(tx::kClipCopy); }
void EditPaste() { EditorText()->Clip(tx::kClipPaste); }

void EditDelete() {
    frmMDIChild& editor = RequireEditor();
    editor.DeletingAction = true;
    editor.TXTextControl1->Clip(tx::kClipDelete);
}

void EditSelectAll() {
    tx::TXTextControl& text = EditorText();
    ui::ScreenObject& screen = ui::Screen();
    const int pointer = screen.MousePointer();
    screen.SetMousePointer(ui::vbHourglass);
    text.Engine().SetSelStart(0);
    text.Engine().SetSelLength(-1);
    screen.SetMousePointer(pointer);
}

void RemoveHyperlink(tx::TextEngine& engine) {
    // The system's window-text colour, as an OLE colour.
    constexpr unsigned long kWindowTextColor = 0x80000008UL;
    const int field = engine.FieldCurrent() != 0 ? engine.FieldCurrent() : engine.FieldAtInputPos();
    if (field == 0) return;
    const int start = engine.FieldStart(field);
    const int end = engine.FieldEnd(field);
    engine.SetSelStart(start - 1);
    engine.SetSelLength(end - start + 1);
    engine.FieldDelete(field);
    engine.SetForeColor(kWindowTextColor);
    engine.SetUnderline(false);
    engine.SetSelLength(0);
}

void NewModule() {
    RunCommand([] {
        if (frmMDIChild* editor = ActiveEditor(); editor != nullptr && editor->DirtyFlag) {
            const int answer = AskToSaveChanges(*editor);
            if (answer == ui::vbCancel) return;
            if (answer == ui::vbYes && !SaveCurrentPage()) return;
        }
        InitPageList();
        frmMDIChild& editor = Frame().NewEditorWindow();
        editor.SetCaption(L"Untitled");
        editor.Show();
        UpdateToolbar();
        ui::Forms::Get<frmOpenDlg>().Show(ui::vbModal);
    });
}

void ChooseTextColor(int kind) {
    try {
        tx::TextEngine& engine = EditorText().Engine();
        const tx::Color current = kind == 1 ? engine.ForeColor() : engine.TextBkColor();
        // The control's "no colour": the dialog starts from black and whatever it gives applies.
        const bool none = current == tx::kNoColor || current == 0xFFFFFFFFu;
        ui::CommonDialog& dialog = Frame().CmDialog1;
        dialog.Color = none ? 0 : current;
        dialog.Flags = ui::cdlCCRGBInit;
        dialog.CancelError = false;
        dialog.ShowColor();
        const auto chosen = static_cast<tx::Color>(dialog.Color);
        if (chosen != current || none) {
            if (kind == 1) {
                engine.SetForeColor(chosen);
            } else {
                engine.SetTextBkColor(chosen);
            }
        }
    } catch (const zv::Error&) {
        // Colour is a nicety: a failure leaves the text as it was.
    }
}

namespace {
// A bar along the frame's edge shows or goes; the editors take or give up its room.
void ToggleFrameBar(ui::Control& bar) {
    bar.SetVisible(!bar.Visible());
    Frame().LayoutAligned();
}
}  // namespace

void ToggleParagraphBar() { ToggleFrameBar(Frame().TXButtonBar1); }
void ToggleStatusBar() { ToggleFrameBar(Frame().TXStatusBar1); }
void ToggleToolbar() { ToggleFrameBar(Frame().Toolbar1); }

void ToggleRuler(frmMDIChild& form) {
    form.TXRuler1.SetVisible(!form.TXRuler1.Visible());
    FitEditorToRuler(form);
}

void FitEditorToRuler(frmMDIChild& form) { form.FitEditorToRuler(); }

int GetPageIndex(const std::wstring& pageName) {
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    App().PageList.GetAllPageInfo(count, names, types, topics);
    for (int i = 1; i <= count; ++i) {
        if (names[static_cast<size_t>(i)] == pageName) return i;
    }
    return 0;
}

void BuildWindowList() {
    AddToWindowList();
    if (frmMDIChild* editor = ActiveEditor()) BuildWindowList(editor->mnuWindow_Sep, editor->mnuWindow_WindowList);
}

void BuildWindowList(ui::MenuItem& mnuWindow_Sep, ui::MenuArray& mnuWindow_WindowList) {
    const AppState& app = App();
    const int last = static_cast<int>(app.WindowList.size());  // elements 1..101
    for (int n = 1; n <= last; ++n) {
        mnuWindow_Sep.SetVisible(true);
        ui::MenuItem& item = mnuWindow_WindowList.Exists(n) ? mnuWindow_WindowList[n] : mnuWindow_WindowList.Load(n);
        const std::wstring& entry = app.WindowList[static_cast<size_t>(n - 1)];
        item.SetCaption(entry);
        item.SetVisible(true);
        item.SetChecked(Contains(entry, app.ModuleCode));
        if (n == last || app.WindowList[static_cast<size_t>(n)].empty()) break;
    }
}
