#pragma once
// The page editor: one window per open module, showing one page of it at a time in its text
// control. The rest of the program reaches it only as the frame's active child, through the
// members below; the page walk (app/core/PageWalk.h) through PageEditor.

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/PageWalk.h"
#include "app/core/frmPageTypeDlg.h"
#include "components/spelling/DictionaryNames.h"
#include "components/spelling/win32/VSSpell.h"
#include "components/spelling/win32/VSThesaurus.h"
#include "components/textcontrol/win32/TXRuler.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "components/textcontrol/win32/TextControlEvents.h"
#include "ui/Form.h"
#include "ui/Line.h"
#include "ui/Menu.h"
#include "ui/PictureBox.h"
#include "ui/Timer.h"

// The one page an editor allows, in twips.
inline constexpr int kEditorPageWidth = 15228;
inline constexpr int kEditorPageHeight = 9618;
// Where the page-end markers sit below the top of the text, in twips.
inline constexpr int kPageEndMarkerTop = 9660;

class frmMDIChild : public ui::Form,
                    public PageEditor,
                    private tx::TextControlEvents,
                    private sp::SpellEvents,
                    private sp::ThesaurusEvents {
public:
    tx::TXTextControl TXTextControl1{this, L"TXTextControl1"};
    tx::TXTextControl prtTXTextControl2{this, L"prtTXTextControl2"};
    tx::TXRuler TXRuler1{this, L"TXRuler1"};
    ui::PictureBox Picture1{this, L"Picture1"};
    ui::Line Line1{this, L"Line1"};
    ui::Timer Timer1{this, L"Timer1"};

    // ---- spelling and the thesaurus (EditorSpelling.cpp) ----
    sp::VSSpell VSSpell1{this, L"VSSpell1"};  // the whole page, with its own dialog
    sp::VSSpell VSSpell2{this, L"VSSpell2"};  // a range, the editor's suggestion menu at the word
    sp::VSThesaurus VSThesaurus1{this, L"VSThesaurus1"};
    ui::MenuItem pmnuSuggestions{this, L"pmnuSuggestions", L"Suggestions"};
    ui::MenuArray pmnuSuggestion_Word{pmnuSuggestions, L"pmnuSuggestion_Word"};

    // ---- public variables ----
    bool DirtyFlag = false;       // the page changed since it was last stored or loaded
    bool DeletingAction = false;  // a deletion longer than one page is under way
    std::int16_t HeaderFooterActive = 0;

    frmMDIChild();
    ~frmMDIChild() override;

    // ---- public procedures ----
    // The movie players of the editing and the printing control go before every page change.
    // Pages hold no live players in this build, so there is nothing for them to take down yet.
    void RemoveMovieControl();
    void RemovePrtMovieControl();
    // Checks the words of the text from one position to another (either way round, cut to the
    // text); the first misspelt one gets the suggestion menu at the word.
    void CheckForSpellError(std::int32_t nStartPosition, std::int32_t nEndPosition);
    // Edit > Thesaurus: the synonyms of the selected word (of the word at the caret when nothing
    // is selected); a chosen one replaces that word alone.
    void mnuEdit_Thesaurus_Click();

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Resize() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    // Puts the page-end markers at the end of the one page for the control's scroll position.
    void PlacePageEndMarkers();
    // The text control fills the window below the ruler (when the ruler shows).
    void FitEditorToRuler();

    // ---- the page walk's view of the editor ----
    bool Dirty() const override { return DirtyFlag; }
    void SetDirty(bool dirty) override { DirtyFlag = dirty; }
    void LoadPage(const std::wstring& path) override;
    void StorePage(const std::wstring& path) override;
    void RemoveMovies() override { RemoveMovieControl(); }
    void ClearPage() override;
    PageTypeAnswer AskPageType(const PageTypeQuestion& question, const PageStore& store) override;
    void ShowPageName(const std::wstring& name) override;
    void EnableNext(bool enabled) override;
    void EnablePrevious(bool enabled) override;
    void RefreshToolbar() override;

private:
    void Change() override;
    // Cut, Copy, Undo and the rest of the toolbar follow the selection and the undo history.
    void StateChanged() override;

    // ---- spelling (EditorSpelling.cpp) ----
    void SetUpSpelling();
    void CheckDone(sp::VSSpell& sender, bool cancelled) override;
    void RangeCheckStarted(sp::VSSpell& sender) override;
    void BadWord(sp::VSSpell& sender, long start, long length) override;
    void WordChosen(sp::VSThesaurus& sender, const std::wstring& word) override;
    void pmnuSuggestion_Word_Click(int Index);
    // Screen pixels just below the start of the word at `position`.
    POINT SuggestionMenuPoint(long position);
    bool rangeCheckRunning_ = false;
    // The suggestions the menu offers now, items 1 to 5.
    std::vector<std::wstring> suggestionsShown_;
    // Where the thesaurus's word stands in the text while its window is open.
    long thesaurusStart_ = 0, thesaurusLength_ = 0;

    // Kept loaded (hidden) between page changes: making its windows anew cost a page change most
    // of its time. It goes when the editor goes.
    frmPageTypeDlg pageTypeDialog_;
};

// The user dictionary the spelling checker adds words to, in the program's folder.
using sp::kUserDictionaryName;
