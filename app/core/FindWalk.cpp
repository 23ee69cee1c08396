#include "app/core/FindWalk.h"

#include "app/core/PageFile.h"
#include "base/Error.h"
#include "components/textcontrol/TextEngine.h"

namespace {

std::wstring Quoted(const std::wstring& name) { return L"\"" + name + L"\""; }

std::wstring Instances(std::int32_t count) {
    return std::to_wstring(count) + (count == 1 ? L" replacement was" : L" replacements were");
}

// The page after `name`'s place in the list, the first page after the last one.
std::wstring NextWrapping(const LinkedList& list) {
    std::wstring name = list.GetNextPageName();
    if (name.empty()) {
        const Node* head = list.ListHead[LinkedList::kMain];
        if (head != nullptr && head->NextNode != nullptr) name = head->NextNode->PageName;
    }
    return name;
}

std::int16_t PageNumberOf(const LinkedList& list, const std::wstring& name) {
    const Node* head = list.ListHead[LinkedList::kMain];
    std::int32_t number = 0;
    for (const Node* n = head != nullptr ? head->NextNode : nullptr; n != nullptr && n != head; n = n->NextNode) {
        ++number;
        if (n->PageName == name) return static_cast<std::int16_t>(number > INT16_MAX ? INT16_MAX : number);
    }
    return 0;
}

}  // namespace

int FindOptionsWord(bool matchCase, bool noHighlight) {
    return tx::find::kFromStart | (matchCase ? tx::find::kMatchCase : 0) | (noHighlight ? tx::find::kNoHighlight : 0);
}

std::wstring FindWalk::ReplacedMessage(std::int32_t count) {
    return std::wstring(kCompleted) + L"\r" + L"Replaced " + std::to_wstring(count) + L" instances.";
}

FindWalk::FindWalk(AppState& state, PageEditor& editor, tx::TextEngine& editorText, PageHolder& printer,
                   tx::TextEngine& printText)
    : state_(state), editor_(editor), editorText_(editorText), printer_(printer), printText_(printText) {
    startPageName_ = state_.PageList.GetCurrentPageName();
    startsOnNewPage_ = state_.IsNewPage;
}

bool FindWalk::IsBackAtStartPage() const {
    return leftStartPage_ && state_.PageList.GetCurrentPageName() == startPageName_;
}

void FindWalk::GuardNewPage(const wchar_t* command) const {
    if (state_.IsNewPage && editor_.Dirty()) {
        throw zv::Error(L"This page has not been stored yet. Store it first (File > Save), then use " +
                        std::wstring(command) + L" again.");
    }
}

void FindWalk::ShowEditorPage() {
    const LinkedList& list = state_.PageList;
    const std::wstring name = list.GetCurrentPageName();
    state_.CurrentPageNo = PageNumberOf(list, name);
    state_.PageJustAdded = false;
    editor_.ShowPageName(name);
    editor_.EnablePrevious(!list.GetPrevPageName().empty());
    editor_.EnableNext(true);
    editor_.RefreshToolbar();
}

void FindWalk::StoreEditorPageIfChanged() {
    if (state_.IsNewPage || !editor_.Dirty()) return;
    const std::wstring name = state_.PageList.GetCurrentPageName();
    PageWalk walk(state_.ModulePath, state_.PageList, editor_);
    try {
        walk.StoreCurrent();
    } catch (const zv::Error& e) {
        throw zv::Error(L"Page " + Quoted(name) + L" could not be stored, so the search stopped on it; its changes are "
                        L"still in the editor.\r\n" + e.Description());
    }
    editor_.SetDirty(false);
}

void FindWalk::MoveToNextSearchPage(bool findFirst, const std::wstring& text, int options) {
    LinkedList& list = state_.PageList;
    const std::wstring from = list.GetCurrentPageName();
    const std::wstring to = NextWrapping(list);
    if (to.empty()) {
        // Nothing is stored: there is no page to go to.
        searchDone_ = true;
        return;
    }
    const bool enteringFromNewPage = startsOnNewPage_;
    if (enteringFromNewPage) {
        // The unchanged new page is left out: the walk starts on the stored page after it.
        startPageName_ = to;
    } else {
        leftStartPage_ = true;
        StoreEditorPageIfChanged();
    }
    PageWalk walk(state_.ModulePath, list, editor_);
    try {
        walk.Next(true);
    } catch (const zv::Error& e) {
        std::wstring where = from.empty() ? std::wstring(L".") : L" at page " + Quoted(from) + L".";
        throw zv::Error(L"Page " + Quoted(to) + L" could not be loaded, so the search stopped" + where + L"\r\n" +
                        e.Description());
    }
    editor_.SetDirty(false);
    state_.IsNewPage = false;
    startsOnNewPage_ = false;
    ShowEditorPage();
    if (IsBackAtStartPage()) {
        searchDone_ = true;
        return;
    }
    findStart_ = 0;
    if (findFirst && editorText_.Find(text, 0, options) >= 0) findStart_ = -1;
}

FindWalk::FindEnd FindWalk::FindNext(const std::wstring& text, int options) {
    GuardNewPage(L"Find");
    bool found = false;
    for (;;) {
        if (found) {
            if (searchDone_) break;
            return FindEnd::Match;
        }
        if (searchDone_) break;
        const int result = editorText_.Find(text, findStart_, options);
        if (result < 0) {
            if (IsBackAtStartPage()) return FindEnd::Closed;
            MoveToNextSearchPage(false, text, options);
            continue;
        }
        found = true;
        findStart_ = -1;
        ++foundCount_;
    }
    return FindEnd::Completed;
}

bool FindWalk::ReplaceNext(const std::wstring& text, const std::wstring& replacement, int options) {
    GuardNewPage(L"Replace");
    if (editorText_.SelLength() > 0) {
        editorText_.ReplaceSel(replacement);
        editor_.SetDirty(true);
    }
    if (searchDone_) return false;
    const int result = editorText_.Find(text, findStart_, options);
    if (result < 0) {
        if (IsBackAtStartPage()) return false;
        MoveToNextSearchPage(true, text, options);
        return true;
    }
    findStart_ = -1;
    return true;
}

std::int32_t FindWalk::ReplaceOnPrintPage(const std::wstring& text, const std::wstring& replacement, int options) {
    if (text.empty()) return 0;
    // Every match is replaced whether or not the author wants matches highlighted, and the search
    // goes on behind each replacement, so a replacement holding the text is not found again.
    const int word = tx::find::kFromStart | (options & tx::find::kMatchCase);
    std::int32_t count = 0;
    int from = 0;
    for (;;) {
        if (printText_.Find(text, from, word) < 0) break;
        printText_.ReplaceSel(replacement);
        ++count;
        from = printText_.SelStart() + printText_.SelLength();
    }
    return count;
}

std::int32_t FindWalk::ReplaceAll(const std::wstring& text, const std::wstring& replacement, int options) {
    GuardNewPage(L"Replace All");
    LinkedList& list = state_.PageList;
    const bool editorOnNewPage = state_.IsNewPage;
    // The editor's own selection first (not counted).
    if (editorText_.SelLength() > 0) {
        editorText_.ReplaceSel(replacement);
        editor_.SetDirty(true);
    }
    const std::wstring start = list.GetCurrentPageName();
    std::int32_t stored = 0;
    replaceDone_ = true;
    if (start.empty()) return stored;

    // What the author typed on the start page is part of the walk: the editor's page goes into the
    // print control as it stands and is stored once, with the replacements made in it.
    bool editorHoldsChanges = !editorOnNewPage && editor_.Dirty();
    PageWalk walk(state_.ModulePath, list, printer_);
    std::wstring page = start;
    const auto loadFailed = [&](const zv::Error& e) {
        return zv::Error(L"Page " + Quoted(page) + L" could not be loaded, so Replace All stopped there. " +
                         Instances(stored) + L" stored before it.\r\n" + e.Description());
    };
    try {
        try {
            if (editorHoldsChanges) {
                printer_.RemoveMovies();
                CopyPage(editorText_, printText_);
            } else {
                walk.LoadCurrent();
            }
        } catch (const zv::Error& e) {
            throw loadFailed(e);
        }
        for (;;) {
            const std::int32_t replaced = ReplaceOnPrintPage(text, replacement, options);
            if (replaced > 0 || editorHoldsChanges) {
                try {
                    walk.StoreCurrent();
                } catch (const zv::Error& e) {
                    if (editorHoldsChanges) {
                        throw zv::Error(L"Page " + Quoted(page) + L" could not be stored, so the search stopped on it; "
                                        L"its changes are still in the editor.\r\n" + e.Description());
                    }
                    throw zv::Error(L"Page " + Quoted(page) + L" could not be stored, so Replace All stopped there; "
                                    L"the page keeps its old text. " + Instances(stored) + L" stored before it.\r\n" +
                                    e.Description());
                }
                editorHoldsChanges = false;
                stored += replaced;
            }
            page = NextWrapping(list);
            if (page.empty() || page == start) break;
            try {
                walk.Next(true);
            } catch (const zv::Error& e) {
                throw loadFailed(e);
            }
        }
    } catch (const zv::Error& e) {
        // What was stored stays stored, and the editor shows the start page as it is stored now,
        // so that storing it later cannot put back what was replaced; changes of the author's that
        // could not be stored stay in the editor.
        list.SetPageAsCurrent(start);
        if (!editorOnNewPage && !editorHoldsChanges) {
            try {
                PageWalk(state_.ModulePath, list, editor_).LoadCurrent();
                editor_.SetDirty(false);
            } catch (const zv::Error&) {
                // the walk's own error says what went wrong first
            }
        }
        throw;
    }
    list.SetPageAsCurrent(start);
    if (!editorOnNewPage) {
        // The editor shows the start page as it is stored now.
        PageWalk editorWalk(state_.ModulePath, list, editor_);
        try {
            editorWalk.LoadCurrent();
        } catch (const zv::Error& e) {
            throw zv::Error(L"Replace All stored " + std::to_wstring(stored) + L" replacements, but page " + Quoted(start) +
                            L" could not be shown again: the editor still shows it as it was before.\r\n" +
                            e.Description());
        }
        editor_.SetDirty(false);
    }
    return stored;
}
