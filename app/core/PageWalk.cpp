#include "app/core/PageWalk.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/core/ModuleFiles.h"
#include "app/core/PageFile.h"
#include "base/Error.h"
#include "base/Paths.h"

// ---- PageWalk ----

PageWalk::PageWalk(const std::wstring& folder, LinkedList& list, PageHolder& holder, Leaving leaving)
    : folder_(folder), list_(list), holder_(holder), leaving_(leaving) {}

std::wstring PageWalk::PathOf(const std::wstring& name) const {
    if (!zv::IsPlainFileName(name)) throw zv::Error(L"File not found: \"" + name + L"\" is not a page of the module.");
    return zv::JoinPath(folder_, name);
}

void PageWalk::Load(const std::wstring& name) {
    const std::wstring path = PathOf(name);
    holder_.RemoveMovies();
    holder_.LoadPage(path);
}

std::wstring PageWalk::LoadCurrent() {
    const std::wstring name = list_.GetCurrentPageName();
    if (!name.empty()) Load(name);
    return name;
}

void PageWalk::StoreCurrent() {
    const std::wstring name = list_.GetCurrentPageName();
    if (!name.empty()) holder_.StorePage(PathOf(name));
}

std::wstring PageWalk::Next(bool wrap) {
    std::wstring name = list_.GetNextPageName();
    const bool wrapping = name.empty() && wrap;
    if (wrapping) {
        // The first page: the one after the head.
        const Node* head = list_.ListHead[LinkedList::kMain];
        if (head != nullptr && head->NextNode != nullptr) name = head->NextNode->PageName;
    }
    if (name.empty()) return name;
    if (leaving_ == Leaving::Stored) StoreCurrent();
    Load(name);
    if (wrapping) {
        list_.GoToFirstPage();
    } else {
        list_.NextPage();
    }
    return name;
}

std::wstring PageWalk::Previous() {
    const std::wstring name = list_.GetPrevPageName();
    if (name.empty()) return name;
    if (leaving_ == Leaving::Stored) StoreCurrent();
    Load(name);
    list_.PreviousPage();
    return name;
}

void PageWalk::GoTo(const std::wstring& name) {
    if (leaving_ == Leaving::Stored) StoreCurrent();
    Load(name);
    list_.SetPageAsCurrent(name);
}

// ---- EditorWalk ----

void ResetPageState(AppState& state) {
    state.PageList.InitLinedList();
    state.PageCounter = 1;
    state.CurrentPageNo = 1;
    state.IsNewPage = true;
    state.PageJustAdded = false;
}

void IncPageCounter(AppState& state) {
    if (state.PageCounter == INT16_MAX) throw zv::Error(L"Overflow");
    ++state.PageCounter;
}

EditorWalk::EditorWalk(AppState& state, PageEditor& editor) : state_(state), editor_(editor) {}

PageWalk EditorWalk::Walk() { return PageWalk(state_.ModulePath, state_.PageList, editor_); }

template <class Step>
void EditorWalk::LoadBy(Step step, bool clearOnFailure) {
    try {
        step();
    } catch (...) {
        if (clearOnFailure) ClearEditorPage();
        throw;
    }
    // Whatever change events the load raised, a freshly loaded page is a clean page.
    editor_.SetDirty(false);
    state_.IsNewPage = false;
}

PageTypeQuestion EditorWalk::QuestionFor(AppState& state, const std::wstring& referenceName) {
    PageTypeQuestion q;
    q.ReferenceName = referenceName;
    const LinkedList& list = state.PageList;
    if (list.GetCurrentPageName().empty() && referenceName.empty()) {
        // The module's very first page: a topic, named by the author, and no way out without storing.
        q.Chosen = PageTypeQuestion::kNewTopic;
        q.TopicText = L"Enter Topic Name";
        q.CancelEnabled = false;
    } else if (state.IsNewPage && referenceName.empty()) {
        q.Chosen = PageTypeQuestion::kContentPage;
    } else {
        const std::wstring type = list.GetCurrentPageTpye();
        if (type == L"Test") {
            q.Chosen = PageTypeQuestion::kModuleTest;
        } else if (type == L"Page") {
            q.Chosen = PageTypeQuestion::kContentPage;
        } else {
            q.Chosen = PageTypeQuestion::kNewTopic;
            q.TopicText = list.GetCurrentPageTopName();
        }
        state.CurTopName = list.GetCurrentPageTopName();
    }
    return q;
}

PageTypeAnswer EditorWalk::AskPageType(const std::wstring& referenceName) {
    return editor_.AskPageType(QuestionFor(state_, referenceName),
                               [this](const std::wstring& type, const std::wstring& topic) { SavePage(type, topic); });
}

bool EditorWalk::MayLeavePage(const std::wstring& referenceName) {
    if (!editor_.Dirty()) return true;
    // Cancel is the author's "not now": the command ends before anything of it is done, and the
    // page stays in the editor with its edits, still to be stored.
    return AskPageType(referenceName) == PageTypeAnswer::Stored;
}

std::wstring EditorWalk::ReferenceForLeaving() const {
    const LinkedList& list = state_.PageList;
    return state_.IsNewPage ? list.GetNextPageName() : list.GetCurrentPageName();
}

void EditorWalk::ClearEditorPage() {
    editor_.ClearPage();
    editor_.SetDirty(false);
    state_.IsNewPage = true;
}

bool EditorWalk::SaveCurrentPage() {
    // Cancel stores nothing, and the page keeps its changes: leaving it later asks again.
    if (AskPageType(state_.PageList.GetNextPageName()) != PageTypeAnswer::Stored) return false;
    editor_.SetDirty(false);
    return true;
}

void EditorWalk::SavePage(const std::wstring& pageType, const std::wstring& topicName) {
    AppState& s = state_;
    LinkedList& list = s.PageList;
    PageWalk walk = Walk();
    s.PageJustAdded = false;
    EnsureFolder(s.ModulePath);
    // A page new in the editor is always added. The dialog's reference name named a listed page
    // with a new page in the editor only after a failed load had left the editor cleared with the
    // cursor on a stored page; rewriting that page put the new text in the place of another's.
    if (s.IsNewPage) {
        const std::wstring name = PageFileNameOf(s.PageCounter);
        s.PageFileName = name;
        s.CurPageType = pageType;
        s.CurTopName = topicName;
        // The file first: the page list must never name a page that has no file.
        editor_.StorePage(walk.PathOf(name));
        list.Add_Page(name, pageType, topicName, false);
        IncPageCounter(s);
        s.PageJustAdded = true;
        s.PageFileName.clear();
    } else {
        // A stored page keeps its file, whatever name the dialog was prepared with.
        s.PageFileName = list.GetCurrentPageName();
        if (s.PageFileName.empty()) throw zv::Error(L"The page list has no current page to store.");
        s.CurPageType = pageType;
        s.CurTopName = topicName;
        editor_.StorePage(walk.PathOf(s.PageFileName));
        list.EditCurrentPage(pageType, topicName);
        s.PageFileName.clear();
    }
    s.IsNewPage = false;
}

void EditorWalk::GoToNextPage() {
    AppState& s = state_;
    const std::wstring next = s.PageList.GetNextPageName();
    if (!MayLeavePage(next)) return;
    editor_.RemoveMovies();
    // Past the last stored page the number stops at one more than that page: an editor that
    // still holds an unstored new page has added nothing to count.
    if (!(next.empty() && s.IsNewPage)) ++s.CurrentPageNo;
    if (!next.empty()) {
        // Storing the editor's page above appends a new page only at the end, where there is no
        // next page: the page after the cursor is still `next`.
        PageWalk walk = Walk();
        LoadBy([&] { walk.Next(); }, true);
    } else {
        ClearEditorPage();
        editor_.EnableNext(false);
        s.PageList.NextPage();
    }
    s.PageJustAdded = false;
    editor_.EnablePrevious(true);
    editor_.ShowPageName(next);
    editor_.RefreshToolbar();
}

void EditorWalk::GoToPreviousPage() {
    AppState& s = state_;
    LinkedList& list = s.PageList;
    PageWalk walk = Walk();
    const std::wstring cur = list.GetCurrentPageName();
    if (!MayLeavePage(ReferenceForLeaving())) return;
    editor_.RemoveMovies();

    if (s.PageJustAdded && !s.IsNewPage) {
        // A page was just added and the cursor stands on it: go back to the page before it.
        s.PageJustAdded = false;
        if (!list.GetPrevPageName().empty()) {
            LoadBy([&] { walk.Previous(); }, false);
            --s.CurrentPageNo;
        } else {
            LoadBy([&] { walk.LoadCurrent(); }, false);
            editor_.EnablePrevious(false);
        }
        editor_.EnableNext(true);
        editor_.ShowPageName(list.GetCurrentPageName());
    } else if (!s.IsNewPage) {
        const std::wstring prev = list.GetPrevPageName();
        if (!prev.empty()) {
            LoadBy([&] { walk.Previous(); }, false);
            --s.CurrentPageNo;
            if (list.GetPrevPageName().empty()) editor_.EnablePrevious(false);
            editor_.ShowPageName(prev);
        } else {
            // The first page: reloaded, the number kept.
            LoadBy([&] { walk.LoadCurrent(); }, false);
            editor_.EnablePrevious(false);
            editor_.ShowPageName(cur);
        }
        editor_.EnableNext(true);
    } else {
        if (cur.empty()) {
            // No page is stored yet: there is nothing before the new page.
            editor_.EnablePrevious(false);
            editor_.RefreshToolbar();
            return;
        }
        // The editor holds a new page; the cursor stands on the last stored page, which it shows.
        LoadBy([&] { walk.LoadCurrent(); }, false);
        --s.CurrentPageNo;
        editor_.EnableNext(true);
        editor_.ShowPageName(cur);
    }
    editor_.SetDirty(false);
    editor_.RefreshToolbar();
}

bool EditorWalk::GoToPage(const std::wstring& name) {
    AppState& s = state_;
    PageWalk walk = Walk();
    if (!MayLeavePage(ReferenceForLeaving())) return false;
    LoadBy([&] { walk.GoTo(name); }, true);
    s.PageJustAdded = false;
    if (s.PageList.GetPrevPageName().empty()) {
        editor_.EnablePrevious(false);
    } else if (s.PageList.GetNextPageName().empty()) {
        editor_.EnableNext(false);
    } else {
        editor_.EnablePrevious(true);
        editor_.EnableNext(true);
    }
    editor_.RefreshToolbar();
    return true;
}

void EditorWalk::InsertPage(std::int16_t where) {
    AppState& s = state_;
    PageWalk walk = Walk();
    // The page left is stored first (a new one is added at the end); the empty page then goes
    // before or after the page the editor showed.
    if (!MayLeavePage(ReferenceForLeaving())) return;
    // Checked before anything changes: a page past the last number is refused whole.
    const std::wstring name = PageFileNameOf(s.PageCounter);
    ClearEditorPage();
    s.PageFileName = name;
    s.CurTopName.clear();
    s.CurPageType = L"Page";
    // The empty page's file first: the page list must never name a page that has no file.
    editor_.StorePage(walk.PathOf(name));
    s.PageList.InsertNewPage(name, s.CurPageType, s.CurTopName, s.PageList.GetCurrentPageName(), where);
    IncPageCounter(s);
    s.PageJustAdded = true;
    s.IsNewPage = false;
    editor_.SetDirty(true);  // leaving the page asks for its type
    s.PageFileName.clear();
    if (where == 2) ++s.CurrentPageNo;
    editor_.ShowPageName(s.PageList.GetCurrentPageName());
}

void EditorWalk::DeleteCurrentPage() {
    AppState& s = state_;
    LinkedList& list = s.PageList;
    PageWalk walk = Walk();
    if (s.IsNewPage) {
        // The editor holds a page that was never stored: deleting it drops that page. The list's
        // cursor still stands on the stored page the author came from, which must not go instead.
        editor_.RemoveMovies();
        const std::wstring cur = list.GetCurrentPageName();
        if (cur.empty()) {
            ClearEditorPage();
        } else {
            LoadBy([&] { walk.LoadCurrent(); }, true);
            if (s.CurrentPageNo > 1) --s.CurrentPageNo;
            editor_.EnableNext(!list.GetNextPageName().empty());
            editor_.ShowPageName(cur);
        }
        s.PageJustAdded = false;
        editor_.RefreshToolbar();
        return;
    }
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    list.GetAllPageInfo(count, names, types, topics);
    if (count <= 1) {
        throw zv::Error(L"A module keeps at least one page: the only page of the module cannot be deleted.");
    }
    const std::wstring old = list.GetCurrentPageName();
    list.Delete_Page(old);
    LoadBy([&] { walk.LoadCurrent(); }, true);
    std::error_code ec;
    std::filesystem::remove(zv::FsPath(zv::JoinPath(s.ModulePath, old)), ec);
    s.PageJustAdded = false;
    s.IsNewPage = false;
    // The number and the caption name the page now shown, so that what the author sees is what a
    // store writes to.
    const std::wstring shown = list.GetCurrentPageName();
    const auto at = std::find(names.begin(), names.end(), shown);
    if (at != names.end()) {
        // `names` still holds the page deleted; the pages after it moved one place up.
        const auto index = at - names.begin();
        const auto oldAt = std::find(names.begin(), names.end(), old) - names.begin();
        s.CurrentPageNo = static_cast<std::int16_t>(index > oldAt ? index - 1 : index);
    }
    editor_.ShowPageName(shown);
    editor_.RefreshToolbar();
    if (ec) throw zv::Error(L"The page was taken out of the module, but its file " + old + L" could not be deleted.");
}

void EditorWalk::ShowFirstPage() {
    PageWalk walk = Walk();
    if (!walk.LoadCurrent().empty()) {
        state_.IsNewPage = false;
    } else {
        // A module without pages opens on a new page rather than on its folder.
        editor_.EnableNext(false);
    }
    editor_.SetDirty(false);
}

namespace {

// The list's page names from index 1 on (index 0 is empty).
std::vector<std::wstring> ListedPages(const LinkedList& list) {
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    list.GetAllPageInfo(count, names, types, topics);
    names.resize(static_cast<size_t>(count) + 1);
    return names;
}

}  // namespace

void EditorWalk::ShowListedPage(const std::wstring& name, int number) {
    PageWalk walk = Walk();
    LoadBy([&] { walk.GoTo(name); }, true);
    state_.PageJustAdded = false;
    state_.CurrentPageNo = static_cast<std::int16_t>(number);
    editor_.ShowPageName(name);
}

void EditorWalk::GoToFirstPage() {
    const std::vector<std::wstring> pages = ListedPages(state_.PageList);
    if (pages.size() < 2) return;
    ShowListedPage(pages[1], 1);
    editor_.EnableNext(true);
    editor_.EnablePrevious(false);
    editor_.RefreshToolbar();
}

void EditorWalk::GoToLastPage() {
    const std::vector<std::wstring> pages = ListedPages(state_.PageList);
    if (pages.size() < 2) return;
    const int last = static_cast<int>(pages.size()) - 1;
    ShowListedPage(pages[static_cast<size_t>(last)], last);
    editor_.EnableNext(false);
    editor_.EnablePrevious(true);
    editor_.RefreshToolbar();
}

void EditorWalk::OpenLinkedPage(const std::wstring& name) {
    const std::vector<std::wstring> pages = ListedPages(state_.PageList);
    const auto at = std::find(pages.begin() + 1, pages.end(), name);
    if (name.empty() || at == pages.end()) throw zv::Error(L"The page " + name + L" is not a page of this module.");
    const int number = static_cast<int>(at - pages.begin());
    ShowListedPage(name, number);
    editor_.EnablePrevious(number > 1);
    editor_.EnableNext(number < static_cast<int>(pages.size()) - 1);
    editor_.RefreshToolbar();
}
