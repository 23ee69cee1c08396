// Spelling and the thesaurus in the editor: the checkers' dictionaries, what the editor does when
// a check ends, the suggestion menu at a misspelt word of a range check, and the thesaurus for the
// selected word.
#include <windows.h>

#include <algorithm>

#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/spelling/WordScanner.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

namespace {

// What follows the word in the add item's caption.
constexpr wchar_t kAddItemSuffix[] = L" (add to dictionary)";
// Suggestions the menu offers at most.
constexpr int kMenuSuggestions = 5;

// A menu caption shows '&' only when it is doubled.
std::wstring MenuCaption(const std::wstring& text) {
    std::wstring caption;
    for (wchar_t c : text) {
        caption += c;
        if (c == L'&') caption += L'&';
    }
    return caption;
}

}  // namespace

void frmMDIChild::SetUpSpelling() {
    VSSpell1.SetEvents(this);
    VSSpell2.SetEvents(this);
    VSThesaurus1.SetEvents(this);
    for (int option : {sp::option::kSkipWordsWithDigits, sp::option::kSkipAddresses, sp::option::kSkipWordsInCapitals,
                       sp::option::kSuggestions})
        VSSpell1.SetOption(option, 1);
    VSSpell2.SetOption(sp::option::kOwnPopup, 0);

    // Only the names are set here: a dictionary is read when a check first needs it.
    const std::wstring folder = ui::App().Path();
    const std::wstring mainDictionary = zv::JoinPath(folder, sp::kSpellingDictionaryName);
    const std::wstring userDictionary = zv::JoinPath(folder, sp::kUserDictionaryName);
    // The checker adds the author's words to this file; it must exist before it opens.
    if (!zv::FileExists(userDictionary)) {
        try {
            zv::WriteFileReplacing(userDictionary, "");
        } catch (const zv::Error&) {
            // A read-only program folder: spelling works without the author's own words, and
            // adding one says that the file could not be written.
        }
    }
    for (sp::VSSpell* checker : {&VSSpell1, &VSSpell2}) {
        checker->SetMainDictionary(mainDictionary);
        checker->SetUserDictionary(userDictionary);
    }
    VSThesaurus1.SetThesaurusFile(zv::JoinPath(folder, sp::kThesaurusName));

    // The suggestion menu pops up at the word; it is never on the menu bar.
    pmnuSuggestions.SetVisible(false);
    if (!pmnuSuggestion_Word.Exists(0)) pmnuSuggestion_Word.Load(0).SetCaption(L"(Accept Word)");
    pmnuSuggestion_Word.Click = [this](int index) { pmnuSuggestion_Word_Click(index); };
}

void frmMDIChild::CheckDone(sp::VSSpell& sender, bool cancelled) {
    if (&sender != &VSSpell1) return;
    if (cancelled) {
        ui::MsgBox(L"Spelling Check Cancelled.", ui::vbOKOnly);
        App().SpellCheckCancelled = true;
    } else {
        ui::MsgBox(L"Spelling Check Completed.\r\n\r\nBad words found: " + std::to_wstring(VSSpell1.BadWordCount()),
                   ui::vbOKOnly);
    }
    ui::Screen().SetMousePointer(ui::vbDefault);
}

void frmMDIChild::RangeCheckStarted(sp::VSSpell& sender) {
    if (&sender == &VSSpell2) rangeCheckRunning_ = true;
}

POINT frmMDIChild::SuggestionMenuPoint(long position) {
    // The foot of the word's line, where the word starts: the menu opens just below the word,
    // wherever the ruler leaves the text.
    tx::TextControl& control = TXTextControl1.Control();
    const tx::CaretPoint at = control.Engine().PositionToPoint(static_cast<int>(position));
    POINT point = control.PageToClient(at.page, at.x, at.y + at.height);
    ClientToScreen(control.hWnd(), &point);
    return point;
}

void frmMDIChild::BadWord(sp::VSSpell& sender, long start, long length) {
    if (&sender != &VSSpell2 || !rangeCheckRunning_) return;
    tx::TextEngine& engine = TXTextControl1.Engine();
    const std::wstring word = engine.Doc().Text(static_cast<int>(start), static_cast<int>(length));

    VSSpell2.SetOption(sp::option::kOwnPopup, 0);
    VSSpell2.SetOption(sp::option::kSuggestions, 1);
    VSSpell2.SetWord(word);

    pmnuSuggestion_Word[0].SetCaption(MenuCaption(word) + kAddItemSuffix);
    suggestionsShown_.clear();
    for (int n = 1; n <= kMenuSuggestions; ++n) {
        if (n <= VSSpell2.SuggestionCount()) {
            ui::MenuItem& item = pmnuSuggestion_Word.Exists(n) ? pmnuSuggestion_Word[n] : pmnuSuggestion_Word.Load(n);
            suggestionsShown_.push_back(VSSpell2.Suggestion(n - 1));
            item.SetCaption(MenuCaption(suggestionsShown_.back()));
            item.SetVisible(true);
        } else if (pmnuSuggestion_Word.Exists(n)) {
            pmnuSuggestion_Word[n].SetVisible(false);
        }
    }
    VSSpell2.SetTag(L"");

    pmnuSuggestions.ShowPopup(hWnd(), SuggestionMenuPoint(start));

    // The add item hands back the word as it stands: the text keeps it, with its formats, and
    // the page stays unchanged.
    const std::wstring chosen = VSSpell2.Tag();
    if (!chosen.empty() && chosen != word) {
        engine.SetSelStart(static_cast<int>(start));
        engine.SetSelLength(static_cast<int>(length));
        engine.ReplaceSel(chosen);
    }
    rangeCheckRunning_ = false;
}

void frmMDIChild::pmnuSuggestion_Word_Click(int Index) {
    if (Index == 0) {
        const std::wstring& caption = pmnuSuggestion_Word[0].Caption();
        const std::size_t suffix = std::wcslen(kAddItemSuffix);
        std::wstring word = caption.size() > suffix ? caption.substr(0, caption.size() - suffix) : L"";
        // Back from the menu's spelling of an '&'.
        for (std::size_t at = word.find(L"&&"); at != std::wstring::npos; at = word.find(L"&&", at + 1)) word.erase(at, 1);
        VSSpell2.AddToUserDictionary(word);
        VSSpell2.SetTag(word);
        return;
    }
    if (Index >= 1 && Index <= static_cast<int>(suggestionsShown_.size()))
        VSSpell2.SetTag(suggestionsShown_[static_cast<std::size_t>(Index - 1)]);
}

void frmMDIChild::CheckForSpellError(std::int32_t nStartPosition, std::int32_t nEndPosition) {
    const HWND text = TXTextControl1.hWnd();
    // The caret would blink through the menu at the word.
    const bool caretHidden = text && HideCaret(text);
    VSSpell2.SetAutoLinkHwnd(text);
    VSSpell2.SetCheckStart(nStartPosition);
    VSSpell2.SetCheckLength(static_cast<long>(nEndPosition) - static_cast<long>(nStartPosition));
    if (caretHidden) ShowCaret(text);
    VSSpell2.CheckRange();
}

void frmMDIChild::mnuEdit_Thesaurus_Click() {
    tx::TextEngine& engine = TXTextControl1.Engine();
    long start = engine.SelStart();
    std::wstring text = engine.SelText();
    if (text.empty()) {
        // Nothing selected: the word the caret is in or at.
        const tx::Document& doc = engine.Doc();
        const tx::Location at = doc.Locate(engine.SelStart());
        const std::wstring& paragraph = doc.paragraphs[static_cast<std::size_t>(at.paragraph)].text;
        sp::WordSpan word;
        for (std::size_t from = 0; sp::FindWord(paragraph, from, word); from = word.End()) {
            if (word.start > static_cast<std::size_t>(at.offset)) break;
            if (word.End() >= static_cast<std::size_t>(at.offset)) {
                start = doc.ParagraphStart(at.paragraph) + static_cast<long>(word.start);
                text = paragraph.substr(word.start, word.length);
                break;
            }
        }
    }
    VSThesaurus1.SetWord(text);
    thesaurusStart_ = start + VSThesaurus1.WordStart();
    thesaurusLength_ = VSThesaurus1.WordLength();
    VSThesaurus1.LookUp();
}

void frmMDIChild::WordChosen(sp::VSThesaurus& sender, const std::wstring& word) {
    if (&sender != &VSThesaurus1 || word.empty()) return;
    // The word alone: a blank or a stop selected with it stays, so no two words run together.
    tx::TextEngine& engine = TXTextControl1.Engine();
    engine.SetSelStart(static_cast<int>(thesaurusStart_));
    engine.SetSelLength(static_cast<int>(thesaurusLength_));
    engine.ReplaceSel(word);
}

// Tools > Spell Check and the frame's button: the whole page.
void RunSpellCheck() {
    RunCommand([] {
        frmMDIChild& editor = RequireEditor();
        // The hourglass until the check has ended: the editor's end-of-check handler gives the
        // pointer back, and so does a failure here.
        ui::Screen().SetMousePointer(ui::vbHourglass);
        try {
            editor.VSSpell1.SetAutoLinkHwnd(editor.TXTextControl1.hWnd());
            editor.TXTextControl1.Engine().SetSelStart(0);
            editor.VSSpell1.CheckText();
        } catch (...) {
            ui::Screen().SetMousePointer(ui::vbDefault);
            throw;
        }
    });
}
