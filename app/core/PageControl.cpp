#include "app/core/PageControl.h"

#include <filesystem>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "ui/Form.h"

namespace {

// A freshly loaded page is a clean page, whatever change events the load raised.
void LoadEditorPage(frmMDIChild& editor, const std::wstring& name) {
    LoadPageIntoControl(name, editor.TXTextControl1, true);
    editor.DirtyFlag = false;
    App().IsNewPage = false;
}

// Clears the editor and loads a page into it in one step: the load replaces the whole text, and a
// separate clear before it would only cost a second round of layout and repainting. A load that
// fails leaves the editor cleared, as the clear followed by that load would.
void ClearAndLoad(frmMDIChild& editor, const std::wstring& name) {
    editor.RemoveMovieControl();
    try {
        LoadEditorPage(editor, name);
    } catch (...) {
        ClearEditorPage();
        throw;
    }
    editor.PlacePageEndMarkers();
}

void AskPageType(const std::wstring& pageName) {
    auto& dialog = ui::Forms::Get<frmPageTypeDlg>();
    dialog.initPageTypeForm(pageName);
    dialog.Show(ui::vbModal);
}

}  // namespace

void InitPageList() {
    AppState& app = App();
    app.PageList.InitLinedList();
    app.PageCounter = 1;
    app.CurrentPageNo = 1;
    app.IsNewPage = true;
    app.PageJustAdded = false;
    EnableToolbarButton(L"Next", false);
    EnableToolbarButton(L"Previous", false);
}

void ClearEditorPage() {
    frmMDIChild& editor = RequireEditor();
    editor.TXTextControl1.Engine().LoadFromBytes("", tx::kFormatText);
    editor.DirtyFlag = false;
    App().IsNewPage = true;
    editor.PlacePageEndMarkers();
}

void GoToNextPage() {
    AppState& app = App();
    frmMDIChild& editor = RequireEditor();
    editor.RemoveMovieControl();
    const std::wstring next = app.PageList.GetNextPageName();
    if (editor.DirtyFlag) AskPageType(next);
    // Past the last stored page the number stops at one more than that page: an editor that
    // still holds an unstored new page has added nothing to count.
    if (!(next.empty() && app.IsNewPage)) ++app.CurrentPageNo;
    if (!next.empty()) {
        ClearAndLoad(editor, next);
    } else {
        ClearEditorPage();
        EnableToolbarButton(L"Next", false);
    }
    app.PageList.NextPage();
    app.PageJustAdded = false;
    EnableToolbarButton(L"Previous", true);
    ShowPageCaption(next);
    UpdateToolbar();
}

void GoToPreviousPage() {
    AppState& app = App();
    frmMDIChild& editor = RequireEditor();
    editor.RemoveMovieControl();
    const std::wstring cur = app.PageList.GetCurrentPageName();
    if (editor.DirtyFlag) AskPageType(app.IsNewPage ? app.PageList.GetNextPageName() : cur);

    if (app.PageJustAdded && !app.IsNewPage) {
        // A page was just added and the cursor stands on it: go back to the page before it, the
        // page the cursor moves to, so that editor and cursor agree on the page shown.
        app.PageJustAdded = false;
        if (!app.PageList.GetPrevPageName().empty()) {
            app.PageList.PreviousPage();
            --app.CurrentPageNo;
            LoadEditorPage(editor, app.PageList.GetCurrentPageName());
        } else {
            LoadEditorPage(editor, app.PageList.GetCurrentPageName());
            EnableToolbarButton(L"Previous", false);
        }
        EnableToolbarButton(L"Next", true);
        ShowPageCaption(app.PageList.GetCurrentPageName());
    } else if (!app.IsNewPage) {
        const std::wstring prev = app.PageList.GetPrevPageName();
        if (!prev.empty()) {
            LoadEditorPage(editor, prev);
            app.PageList.PreviousPage();
            --app.CurrentPageNo;
            if (app.PageList.GetPrevPageName().empty()) EnableToolbarButton(L"Previous", false);
            ShowPageCaption(prev);
        } else {
            LoadEditorPage(editor, cur);
            EnableToolbarButton(L"Previous", false);
            ShowPageCaption(cur);
        }
        EnableToolbarButton(L"Next", true);
    } else {
        if (cur.empty()) {
            // No page is stored yet: there is nothing before the new page.
            EnableToolbarButton(L"Previous", false);
            UpdateToolbar();
            return;
        }
        LoadEditorPage(editor, cur);
        --app.CurrentPageNo;
        EnableToolbarButton(L"Next", true);
        ShowPageCaption(cur);
    }
    editor.DirtyFlag = false;
    UpdateToolbar();
}

void GoToPage(const std::wstring& pageName) {
    AppState& app = App();
    frmMDIChild& editor = RequireEditor();
    ClearAndLoad(editor, pageName);
    app.PageJustAdded = false;
    app.PageList.SetPageAsCurrent(pageName);
    if (app.PageList.GetPrevPageName().empty()) {
        EnableToolbarButton(L"Previous", false);
    } else if (app.PageList.GetNextPageName().empty()) {
        EnableToolbarButton(L"Next", false);
    } else {
        EnableToolbarButton(L"Previous", true);
        EnableToolbarButton(L"Next", true);
    }
    UpdateToolbar();
}

void InsertPage(std::int16_t where) {
    AppState& app = App();
    frmMDIChild& editor = RequireEditor();
    // Checked before anything changes: a page past the last number is refused whole.
    const std::wstring name = PageFileNameOf(app.PageCounter);
    ClearEditorPage();
    app.PageFileName = name;
    app.CurTopName.clear();
    app.CurPageType = L"Page";
    // The empty page's file first: the page list must never name a page that has no file.
    SavePageFile(name, editor.TXTextControl1);
    app.PageList.InsertNewPage(name, app.CurPageType, app.CurTopName, app.PageList.GetCurrentPageName(), where);
    IncPageCounter();
    app.PageJustAdded = true;
    app.IsNewPage = false;
    editor.DirtyFlag = true;
    app.PageFileName.clear();
    if (where == 2) ++app.CurrentPageNo;
    ShowPageCaption(app.PageList.GetCurrentPageName());
}

void DeleteCurrentPage() {
    AppState& app = App();
    frmMDIChild& editor = RequireEditor();
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    app.PageList.GetAllPageInfo(count, names, types, topics);
    if (app.IsNewPage) {
        // The editor holds a page that was never stored: deleting it drops that page. The list's
        // cursor still stands on the stored page the author came from, which must not go instead.
        editor.RemoveMovieControl();
        const std::wstring cur = app.PageList.GetCurrentPageName();
        if (cur.empty()) {
            ClearEditorPage();
        } else {
            ClearAndLoad(editor, cur);
            if (app.CurrentPageNo > 1) --app.CurrentPageNo;
            EnableToolbarButton(L"Next", !app.PageList.GetNextPageName().empty());
            ShowPageCaption(cur);
        }
        app.PageJustAdded = false;
        UpdateToolbar();
        return;
    }
    if (count <= 1) {
        throw zv::Error(L"A module keeps at least one page: the only page of the module cannot be deleted.");
    }
    const std::wstring old = app.PageList.GetCurrentPageName();
    app.PageList.Delete_Page(old);
    ClearAndLoad(editor, app.PageList.GetCurrentPageName());
    std::error_code ec;
    std::filesystem::remove(zv::FsPath(zv::JoinPath(app.ModulePath, old)), ec);
    app.PageJustAdded = false;
    app.IsNewPage = false;
    UpdateToolbar();
    if (ec) throw zv::Error(L"The page was taken out of the module, but its file " + old + L" could not be deleted.");
}
