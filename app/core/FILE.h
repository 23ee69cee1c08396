#pragma once
// The program's file operations on the open module: opening and loading a module into an editor
// window, storing the editor's page, Save As of the module folder, saving the page as a document,
// printing the module and inserting a text file.

#include <functional>
#include <string>
#include <vector>

class frmMDIChild;
namespace tx {
class TXTextControl;
}
namespace ui {
class CommonDialog;
class PrinterObject;
}

// Opens the module whose marker file is `path` (asks for one when it is empty).
void OpenModuleFile(std::wstring path);
// Asks for a module's marker file in the frame's open dialog (a cancel raises zv::CancelError);
// the chosen path without surrounding quotes.
std::wstring ChooseModuleMarker();
// Loads ModulePath's page map and its first page into a new editor window; `mapName` comes back as
// the first page's name.
void LoadModule(std::wstring& mapName);
// Asks whether the changed page of `editor` should be stored (Yes, No, Cancel; the warning icon;
// titled with the frame's caption) and returns the answer.
int AskToSaveChanges(const frmMDIChild& editor);
// Opens the module whose folder a Window-menu entry names, after asking to store a changed page.
void OpenRecentModule(const std::wstring& caption);
// Makes a new module folder and names the editor after it. Refuses an existing folder.
void CreateModule(const std::wstring& path, const std::wstring& code);

// Stores the editor's page: appends a new page or rewrites the current one, as EditorWalk::SavePage
// decides.
void SavePage(const std::wstring& pageType, const std::wstring& topicName);
// Writes ModulePath\name from a text control: the header, then the control's own format.
void SavePageFile(const std::wstring& name, tx::TXTextControl& control);
// Loads ModulePath\name into a text control behind the page header.
void LoadPageIntoControl(const std::wstring& name, tx::TXTextControl& control, bool applyStoredPage);
// File > Save: the page type dialog decides how the page is stored; false when the author
// cancelled it (the page keeps its changes) or the store failed.
bool SaveCurrentPage();
void IncPageCounter();

// Chooses a folder: (title, start folder) -> the chosen folder, "" when cancelled.
using FolderBrowser = std::function<std::wstring(const std::wstring& title, const std::wstring& startAt)>;
// The system's folder dialog.
std::wstring BrowseForFolder(const std::wstring& title, const std::wstring& startAt);
// Save As of the module folder.
std::wstring BrowseModuleFolder(const FolderBrowser& browser);
void SaveModuleAs(const FolderBrowser& browser);

// Saves the editor's text in the format of the file name's extension.
void SaveDocumentAs(const std::wstring& fileName);
// Prints pages of the module through the print dialog with the hidden print control.
void PrintModule(tx::TXTextControl& printControl, ui::CommonDialog& dialog);

// The pages the printer dialog asked for, held to 1..the module's page count, and the copies.
struct PrintJob {
    int from = 1, to = 0, copies = 1;
};
// The printer dialog for a module of `pageCount` pages; a cancel raises zv::CancelError.
PrintJob AskPrintJob(ui::CommonDialog& dialog, int pageCount);
// Prints the job's pages on the printer object, every page of a copy before the next copy, each
// loaded from its page file (`names` 1-based, as GetAllPageInfo gives them) into the print control
// and drawn at its print zoom; `beforePage` sets the printer up before each page. A failure cancels
// the printer's document and is thrown.
void PrintModulePages(tx::TXTextControl& printControl, const std::vector<std::wstring>& names, const PrintJob& job,
                      const std::function<void(ui::PrinterObject&)>& beforePage = {});
// Inserts a text or RTF file at the editor's selection (a page file replaces the text).
void InsertTextFile();
