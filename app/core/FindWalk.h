#pragma once
// Find and replace over every page of the open module: the find dialog's decisions, apart from its
// windows. A search starts at the page in the editor, goes page by page in page-list order, wraps
// from the last page to the first and ends when it comes back to the page it started at.
//
// Find and Replace move the editor itself from page to page, storing a page they leave when it
// changed; Replace All walks the stored pages through the hidden print control, storing each page
// it changed, and then shows the start page again. Pages move through PageWalk, so the list's
// cursor always names the page the holder holds.
//
// Walks never write the editor's text over another page: a new page that was never stored is left
// out of the walk when unchanged, and a changed one must be stored first (zv::Error says so before
// anything moves). A page that cannot be loaded or written stops the walk with a zv::Error naming
// the page (and for Replace All the count stored so far); what was stored stays stored, and the
// editor and the list's cursor are left on one page.

#include <cstdint>
#include <string>

#include "app/core/AppState.h"
#include "app/core/PageWalk.h"

namespace tx {
class TextEngine;
}

// The text control's find options word as the dialog's two boxes form it.
int FindOptionsWord(bool matchCase, bool noHighlight);

class FindWalk {
public:
    // `editorText` is the text of `editor`, `printText` that of `printer` (the hidden print control).
    FindWalk(AppState& state, PageEditor& editor, tx::TextEngine& editorText, PageHolder& printer,
             tx::TextEngine& printText);

    enum class FindEnd {
        Match,      // a match is selected in the editor; the dialog stays for the next press
        Completed,  // the walk came back to its start: "Document search completed." or "Text not found!"
        Closed,     // the start page has no further match: the dialog closes without a word
    };
    // One press of Find.
    FindEnd FindNext(const std::wstring& text, int options);
    // One press of Replace (after the dialog was expanded): the editor's selection, when there is
    // one, becomes `replacement`, then the next match is looked for. False when the dialog closes.
    bool ReplaceNext(const std::wstring& text, const std::wstring& replacement, int options);
    // Replace All: every match on every stored page (the editor's own selection first, which is
    // not counted); returns the number of replacements stored.
    std::int32_t ReplaceAll(const std::wstring& text, const std::wstring& replacement, int options);

    std::int32_t FoundCount() const { return foundCount_; }
    bool SearchDone() const { return searchDone_; }
    const std::wstring& StartPageName() const { return startPageName_; }

    static constexpr wchar_t kCompleted[] = L"Document search completed.";
    static constexpr wchar_t kNotFound[] = L"Text not found!";
    // "Document search completed." CR "Replaced n instances."
    static std::wstring ReplacedMessage(std::int32_t count);

private:
    bool IsBackAtStartPage() const;
    // Before the editor leaves a page it was not loaded by the walk with: a new page must not be
    // stored under another page's name.
    void GuardNewPage(const wchar_t* command) const;
    // Moves the editor to the next page (wrapping), storing the page left when it changed. The
    // new page is searched from its start; with `findFirst` its first match is selected at once.
    void MoveToNextSearchPage(bool findFirst, const std::wstring& text, int options);
    // The editor's page, the number, the caption and the page buttons follow the list's cursor.
    void ShowEditorPage();
    // Stores the editor's page into its file when it changed.
    void StoreEditorPageIfChanged();
    // Every match of the print control's page replaced; the number of replacements.
    std::int32_t ReplaceOnPrintPage(const std::wstring& text, const std::wstring& replacement, int options);

    AppState& state_;
    PageEditor& editor_;
    tx::TextEngine& editorText_;
    PageHolder& printer_;
    tx::TextEngine& printText_;

    std::int32_t findStart_ = 0;
    std::int32_t foundCount_ = 0;
    std::wstring startPageName_;
    bool leftStartPage_ = false;
    bool searchDone_ = false;
    bool replaceDone_ = false;
    // The editor held an unstored, unchanged page when the dialog opened: the walk starts at the
    // page after the list's cursor instead.
    bool startsOnNewPage_ = false;
};
