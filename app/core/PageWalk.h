#pragma once
// Page walking: the one place that decides how a module's pages are walked, loaded and stored.
//
// What it owns
//   - Which page file a page goes to: a page that is new in the editor takes the next number of the
//     page counter (and only when it is stored), a stored page keeps its file; the file is always
//     written before the page list names it.
//   - The page state of the state record: CurrentPageNo, IsNewPage, PageJustAdded, PageCounter,
//     PageFileName, CurPageType and CurTopName, and the page list's cursor.
//   - What Map.txt becomes on Next, Previous, Go To, Insert before and after, Delete and Save (the
//     page list rewrites it; this code decides which list operation runs when).
//   - When the page type dialog is asked, what it is prepared with, and what its answer does.
//   - Walks over every page of a module: a preview that keeps its own page list and leaves the
//     editor's where it is, and a search over all pages that moves the editor's list and stores each
//     page it leaves, are both a PageWalk; the editor's own page changes go through one too.
//
// What it does not own
//   - Windows, controls and dialogs. It talks to the editor only through PageEditor below (the
//     program's editor window implements it; tests use a page held in memory), and to the text of a
//     page only through PageHolder (load it from a page file, store it into one).
//   - The page file's bytes (PageFile.h) and the page map's bytes (LinkedList.h).
//
// Every operation throws zv::Error for the author; the steps already done stay done, as a command
// that reports its error and ends.

#include <cstdint>
#include <functional>
#include <string>

#include "app/core/AppState.h"

// Whatever holds one page's text during a walk: the editor, the hidden print control, a preview.
class PageHolder {
public:
    virtual ~PageHolder() = default;
    // Loads the page file at `path` with its stored page size and margins. Throws zv::Error; a
    // failed load leaves the page held as it was.
    virtual void LoadPage(const std::wstring& path) = 0;
    // Writes the page held into the page file at `path`, replacing it whole. Throws zv::Error.
    virtual void StorePage(const std::wstring& path) = 0;
    // A page's movie players go before the page does.
    virtual void RemoveMovies() = 0;
};

// What the page type dialog is prepared with.
struct PageTypeQuestion {
    enum Option { kContentPage = 0, kNewTopic = 1, kModuleTest = 2 };  // the dialog's option indices
    std::wstring ReferenceName;  // the page after the one asked about ("" at the end of the list)
    Option Chosen = kContentPage;
    std::wstring TopicText;      // the topic box's text
    bool CancelEnabled = true;   // the very first page of a module cannot be left unstored
};

// The dialog's answer. A cancelled question ends the command that asked it: the page stays in the
// editor, changed and unstored, and nothing else moves.
enum class PageTypeAnswer { Stored, Cancelled };

// Stores the editor's page with the type and topic the author chose; throws zv::Error (the dialog
// then stays open for another try or a cancel).
using PageStore = std::function<void(const std::wstring& pageType, const std::wstring& topicName)>;

// The editor as the walk needs it.
class PageEditor : public PageHolder {
public:
    virtual bool Dirty() const = 0;
    virtual void SetDirty(bool dirty) = 0;
    // The editor's text becomes empty.
    virtual void ClearPage() = 0;
    // Asks for the page type (modally); the author's Save Page calls `store`.
    virtual PageTypeAnswer AskPageType(const PageTypeQuestion& question, const PageStore& store) = 0;
    // The caption and the page number shown for the page named ("" for a new page).
    virtual void ShowPageName(const std::wstring& name) = 0;
    virtual void EnableNext(bool enabled) = 0;
    virtual void EnablePrevious(bool enabled) = 0;
    // The rest of the toolbar follows the editor's text (clipboard, undo, ...).
    virtual void RefreshToolbar() = 0;
};

// A walk over the pages of one list, loading each page into a holder. The list's cursor always
// stands on the page the holder holds: a page is loaded first and the cursor moves only when the
// load succeeded.
class PageWalk {
public:
    // What becomes of the page the walk leaves.
    enum class Leaving { Kept, Stored };

    PageWalk(const std::wstring& folder, LinkedList& list, PageHolder& holder, Leaving leaving = Leaving::Kept);

    // Loads the page the cursor stands on; "" when it stands on no page (nothing is loaded).
    std::wstring LoadCurrent();
    // Loads the page after the cursor and moves there. At the last page: with `wrap` the first page,
    // without it nothing happens and "" comes back.
    std::wstring Next(bool wrap = false);
    // Loads the page before the cursor and moves there; "" and nothing happens at the first page.
    std::wstring Previous();
    // Loads the named page and makes it current.
    void GoTo(const std::wstring& name);
    // Stores the page held into the file of the page the cursor stands on (none: nothing happens).
    void StoreCurrent();

    // The path of a page of the list; throws zv::Error for a name that is no file of the folder.
    std::wstring PathOf(const std::wstring& name) const;

private:
    void Load(const std::wstring& name);

    std::wstring folder_;
    LinkedList& list_;
    PageHolder& holder_;
    Leaving leaving_;
};

// The editor's page changes over the state record and its PageList. A changed page is stored through
// the page type dialog before any of them leaves it; Cancel there ends the page change with nothing
// changed.
class EditorWalk {
public:
    EditorWalk(AppState& state, PageEditor& editor);

    void GoToNextPage();
    void GoToPreviousPage();
    // Go To leaves CurrentPageNo and the caption to its caller; false when the author cancelled
    // and the editor stays where it is.
    bool GoToPage(const std::wstring& name);
    // where: 1 before the current page, any other value after it.
    void InsertPage(std::int16_t where);
    // Deletes without asking; the number and the caption follow the page shown after it.
    void DeleteCurrentPage();
    void ClearEditorPage();
    // File > Save: the page type dialog decides how the page is stored; false when it was
    // cancelled (the page keeps its changes).
    bool SaveCurrentPage();
    // Stores the editor's page (the page type dialog's Save Page): a page new in the editor is
    // added at the end of the list under the next page number; a stored page is rewritten in its
    // own file, whatever name the dialog was prepared with.
    void SavePage(const std::wstring& pageType, const std::wstring& topicName);
    // After a module's page list was read: its first page into the editor (none: a new page).
    void ShowFirstPage();
    // First Page and Last Page: the first or last stored page, without asking about the page left:
    // its changes are dropped. A module with no stored page stays as it is.
    void GoToFirstPage();
    void GoToLastPage();
    // A page link: a page of the list, without asking about the page left; Next and Previous
    // follow the place of the page in the list. Throws zv::Error for a name not in the list.
    void OpenLinkedPage(const std::wstring& name);

    // Prepares the page type question for a reference name (and takes the current page's topic
    // into CurTopName when the question is about a stored page).
    static PageTypeQuestion QuestionFor(AppState& state, const std::wstring& referenceName);

private:
    PageTypeAnswer AskPageType(const std::wstring& referenceName);
    // Before the editor leaves its page: a changed page is stored first; false when the author
    // cancelled the page type question.
    bool MayLeavePage(const std::wstring& referenceName);
    // What the question about the page being left is prepared with.
    std::wstring ReferenceForLeaving() const;
    // A step of the walk that loads a page into the editor; the page loaded is clean and stored.
    // With `clearOnFailure` a load that fails leaves the editor on a new, empty page.
    template <class Step>
    void LoadBy(Step step, bool clearOnFailure);
    PageWalk Walk();
    // Loads a page of the list as page number `number`, the page left not stored.
    void ShowListedPage(const std::wstring& name, int number);

    AppState& state_;
    PageEditor& editor_;
};

// A new module: an empty page list, the first page number, a new page in the editor.
void ResetPageState(AppState& state);
// PageCounter + 1; throws zv::Error past the largest counter.
void IncPageCounter(AppState& state);
