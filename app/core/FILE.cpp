#include "app/core/FILE.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/CommandLine.h"
#include "app/core/ModuleFiles.h"
#include "app/core/PageControl.h"
#include "app/core/PageFile.h"
#include "app/core/PageWalk.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "ui/CommonDialog.h"
#include "ui/Constants.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"
#include "ui/Printer.h"

namespace {

std::wstring ModuleFile(const std::wstring& name) { return zv::JoinPath(App().ModulePath, name); }

// The open dialog asks for a marker file that is there, in a folder that is there.
constexpr long kOpenModuleFlags = ui::cdlOFNFileMustExist | ui::cdlOFNPathMustExist | ui::cdlOFNHideReadOnly;
constexpr long kInsertTextFlags = ui::cdlOFNPathMustExist | ui::cdlOFNHideReadOnly | ui::cdlOFNOverwritePrompt;
constexpr long kPrintDialogFlags = ui::cdlPDHidePrintToFile | ui::cdlPDNoSelection;

// Reads and checks a page map into records of the open module's page list, before anything of the
// open module changes: a missing or malformed file throws zv::Error and leaves it as it was.
void ReadPageMap(const std::wstring& mapPath, PageMap& map) {
    ParsePageMap(zv::ReadFileBytes(mapPath), mapPath, map);
}

// LoadModule after its page map was read.
void LoadReadModule(PageMap& map, std::wstring& mapName) {
    AppState& app = App();
    InitPageList();
    EnableToolbarButton(L"Next", true);
    app.PageList.LoadParsedList(map, app.PageCounter, app.ModuleCode, app.ModuleName);

    mapName = app.PageList.GetCurrentPageName();
    frmMDIChild& editor = Frame().NewEditorWindow();
    EditorWalk(app, editor).ShowFirstPage();
    editor.Show();
    ShowPageCaption(mapName);
    UpdateToolbar();
    BuildWindowList();
}

// Makes a module folder the open module. A folder without a readable page map opens nothing, and the
// module open before stays the open one.
void OpenModuleFolder(const std::wstring& folder) {
    PageMap map(App().PageList.Pool());
    ReadPageMap(zv::JoinPath(folder, L"Map.txt"), map);
    App().ModulePath = folder;
    std::wstring mapName = L"Map.txt";
    LoadReadModule(map, mapName);
}

}  // namespace

void LoadModule(std::wstring& mapName) {
    PageMap map(App().PageList.Pool());
    ReadPageMap(ModuleFile(mapName), map);
    LoadReadModule(map, mapName);
}

std::wstring ChooseModuleMarker() {
    ui::CommonDialog& dialog = Frame().CmDialog1;
    dialog.DialogTitle = L"Open";
    dialog.FileName = L"";
    dialog.Filter = L"Zorvik 2.0 (*.zvk)|*.zvk";
    dialog.FilterIndex = 1;
    dialog.Flags = kOpenModuleFlags;
    dialog.CancelError = true;
    dialog.ShowOpen();
    return StripSurroundingQuotes(dialog.FileName);
}

void OpenModuleFile(std::wstring path) {
    path = path.empty() ? ChooseModuleMarker() : StripSurroundingQuotes(path);
    OpenModuleFolder(zv::ParentFolder(path));
}

int AskToSaveChanges(const frmMDIChild& editor) {
    const frmMDIParent* frame = OpenFrame();
    return ui::MsgBox(L"The text in [" + editor.Caption() + L"] has changed.\r\nDo you want to save the changes?",
                      ui::vbYesNoCancel + ui::vbExclamation, frame != nullptr ? frame->Caption() : std::wstring());
}

void OpenRecentModule(const std::wstring& caption) {
    if (caption == L"WindowList") return;
    if (frmMDIChild* editor = ActiveEditor(); editor != nullptr && editor->DirtyFlag) {
        const int answer = AskToSaveChanges(*editor);
        if (answer == ui::vbCancel) return;
        if (answer == ui::vbYes && !SaveCurrentPage()) return;
    }
    OpenModuleFolder(caption);
}


void CreateModule(const std::wstring& path, const std::wstring& code) {
    CreateModuleFolder(path, code);
    ShowPageCaption(code);
    if (frmMDIChild* editor = ActiveEditor()) editor->DirtyFlag = false;
}

void SavePageFile(const std::wstring& name, tx::TXTextControl& control) {
    HourglassPointer hourglass;
    WritePageFile(ModuleFile(name), control.Engine());
}

void LoadPageIntoControl(const std::wstring& name, tx::TXTextControl& control, bool applyStoredPage) {
    if (!zv::IsPlainFileName(name)) throw zv::Error(L"File not found: \"" + name + L"\" is not a page of the module.");
    LoadPageFile(ModuleFile(name), control.Engine(), applyStoredPage);
}

void SavePage(const std::wstring& pageType, const std::wstring& topicName) {
    EditorWalk(App(), RequireEditor()).SavePage(pageType, topicName);
}

bool SaveCurrentPage() { return EditorWalk(App(), RequireEditor()).SaveCurrentPage(); }

std::wstring BrowseForFolder(const std::wstring& title, const std::wstring& startAt) {
    struct Start {
        static int CALLBACK Callback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
            if (msg == BFFM_INITIALIZED && data != 0) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
            return 0;
        }
    };
    BROWSEINFOW info{};
    const frmMDIParent* frame = OpenFrame();
    info.hwndOwner = frame != nullptr ? frame->hWnd() : nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &Start::Callback;
    info.lParam = reinterpret_cast<LPARAM>(startAt.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) return L"";
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return ok ? std::wstring(path) : std::wstring();
}

std::wstring BrowseModuleFolder(const FolderBrowser& browser) {
    AppState& app = App();
    const std::wstring chosen = browser(
        L"Save Zorvik Folder As (Must be a numeric moduale code):\r\nSelect a root folder, then click the New Folder button.",
        app.ModulePath);
    if (!chosen.empty()) {
        app.BrowseFolderPath = chosen;
        app.BrowseFolderName = zv::LastPathPart(chosen);
    }
    if (!app.BrowseFolderName.empty() && !IsNumericName(app.BrowseFolderName)) {
        ui::MsgBox(L"The folder name must be a numeric module code.");
        return L"";
    }
    if (app.BrowseFolderPath.empty()) return L"";
    if (!app.ModulePath.empty()) {
        HourglassPointer hourglass;
        MoveModuleFiles(app.ModulePath, app.BrowseFolderPath);
        // The pages now live in the chosen folder: the open module follows them, or the next
        // store would start a second, partial module in the emptied folder.
        app.ModulePath = app.BrowseFolderPath;
        WriteMarkerFile(app.BrowseFolderPath, app.BrowseFolderName + L".zvq");
    } else {
        EnsureFolder(app.BrowseFolderPath);
        WriteMarkerFile(app.BrowseFolderPath, app.BrowseFolderName + L".zvx");
    }
    return L"";
}

void SaveModuleAs(const FolderBrowser& browser) {
    const std::wstring document = BrowseModuleFolder(browser);
    if (!document.empty()) SaveDocumentAs(document);
}

void SaveDocumentAs(const std::wstring& fileName) {
    frmMDIChild& editor = RequireEditor();
    tx::TextEngine& engine = editor.TXTextControl1.Engine();
    HourglassPointer hourglass;
    // A bare name goes into the module folder; a full path is used as it is.
    const std::wstring path = zv::LastPathPart(fileName) == fileName ? ModuleFile(fileName) : fileName;
    const int format = FormatFromExtension(fileName);
    switch (format) {
    case tx::kFormatOwn:
        WritePageFile(path, engine);
        break;
    case tx::kFormatText:
    case tx::kFormatXml:
    case tx::kFormatCss:
        engine.Save(path, 0, format);
        break;
    case tx::kFormatHtml:
    case tx::kFormatRtf:
    case tx::kFormatWord:
    case tx::kFormatPdf: {
        using namespace tx::attr;
        engine.SetLoadSaveAttribute(kPageWidth, engine.PageWidth());
        engine.SetLoadSaveAttribute(kPageHeight, engine.PageHeight());
        engine.SetLoadSaveAttribute(kMarginLeft, engine.PageMarginL());
        engine.SetLoadSaveAttribute(kMarginTop, engine.PageMarginT());
        engine.SetLoadSaveAttribute(kMarginRight, engine.PageMarginR());
        engine.SetLoadSaveAttribute(kMarginBottom, engine.PageMarginB());
        engine.Save(path, 0, format);
        break;
    }
    default:
        break;
    }
    editor.SetCaption(fileName);
    // Only the page's own format stores the page; after an export the edits are still unsaved, and
    // the next page change must still ask for them.
    if (format == tx::kFormatOwn) editor.DirtyFlag = false;
    UpdateToolbar();
}

PrintJob AskPrintJob(ui::CommonDialog& dialog, int pageCount) {
    dialog.Copies = 1;
    dialog.FromPage = 1;
    dialog.ToPage = pageCount;
    dialog.Min = 1;
    dialog.Max = pageCount;
    dialog.Flags = kPrintDialogFlags;
    dialog.CancelError = true;
    dialog.ShowPrinter();

    PrintJob job;
    job.to = pageCount;
    if (dialog.Flags & ui::cdlPDPageNums) {  // the author chose a page range
        job.from = std::max(dialog.FromPage, 1);
        job.to = std::min(dialog.ToPage, pageCount);
    }
    job.copies = std::max(dialog.Copies, 1);
    return job;
}

void PrintModulePages(tx::TXTextControl& printControl, const std::vector<std::wstring>& names, const PrintJob& job,
                      const std::function<void(ui::PrinterObject&)>& beforePage) {
    frmMDIChild& editor = RequireEditor();
    const int last = std::min(job.to, static_cast<int>(names.size()) - 1);
    HourglassPointer hourglass;
    ui::PrinterObject& printer = ui::Printer();
    bool first = true;
    try {
        for (int copy = 0; copy < job.copies; ++copy) {
            for (int page = std::max(job.from, 1); page <= last; ++page) {
                if (!first) printer.NewPage();
                first = false;
                if (beforePage) beforePage(printer);
                printer.Print(L"");
                printControl->SetPrintDevice(printer.hDC());
                printControl.Engine().SetLoadSaveAttribute(tx::attr::kImportLinks, 1);
                editor.RemovePrtMovieControl();
                LoadPageIntoControl(names[static_cast<size_t>(page)], printControl, true);
                printControl->PrintPage(1);
            }
        }
    } catch (...) {
        // Half a job is no job: the pages already sent go with it.
        printControl->SetPrintDevice(nullptr);
        printer.KillDoc();
        throw;
    }
    printControl->SetPrintDevice(nullptr);
    if (!first) printer.EndDoc();
}

void PrintModule(tx::TXTextControl& printControl, ui::CommonDialog& dialog) {
    AppState& app = App();
    std::int32_t pageCount = 0;
    std::vector<std::wstring> names, types, topics;
    app.PageList.GetAllPageInfo(pageCount, names, types, topics);
    const PrintJob job = AskPrintJob(dialog, pageCount);
    PrintModulePages(printControl, names, job);
}

void InsertTextFile() {
    frmMDIChild& editor = RequireEditor();
    ui::CommonDialog& dialog = Frame().CmDialog1;
    dialog.DialogTitle = L"Insert Text";
    dialog.Filter = L"Text (*.txt)|*.txt|RTF Format (*.rtf)|*.rtf";
    dialog.Flags = kInsertTextFlags;
    dialog.CancelError = true;
    dialog.ShowOpen();
    const std::wstring fileName = dialog.FileName;
    dialog.FileName = L"";

    HourglassPointer hourglass;
    tx::TextEngine& engine = editor.TXTextControl1.Engine();
    switch (FormatFromExtension(fileName)) {
    case tx::kFormatRtf:
        engine.Load(fileName, 0, tx::kFormatRtf, true);
        break;
    case tx::kFormatOwn:
        LoadPageFile(fileName, engine, false);
        break;
    default:
        engine.Load(fileName, 0, tx::kFormatText, true);
        break;
    }
    UpdateToolbar();
}
