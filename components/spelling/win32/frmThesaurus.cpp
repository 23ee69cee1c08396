#include "components/spelling/win32/frmThesaurus.h"

#include "components/spelling/Inflection.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/Unicode.h"
#include "components/spelling/UserDictionary.h"

namespace sp {

frmThesaurus::frmThesaurus() {
    SetCaption(L"Thesaurus");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6900, 4560);

    lblLookedUp.SetCaption(L"Looked Up:");
    lblLookedUp.Move(120, 120, 3180, 255);
    txtLookedUp.SetLocked(true);
    txtLookedUp.SetTabStop(false);
    txtLookedUp.Move(120, 375, 3180, 315);
    lblReplaceWith.SetCaption(L"Replace &With:");
    lblReplaceWith.Move(3600, 120, 3180, 255);
    txtReplaceWith.Move(3600, 375, 3180, 315);
    lblNote.Move(120, 780, 6660, 255);
    lblNote.SetUseMnemonic(false);
    lblMeanings.SetCaption(L"&Meanings:");
    lblMeanings.Move(120, 1110, 3180, 255);
    lstMeanings.Move(120, 1365, 3180, 2490);
    lblSynonyms.SetCaption(L"&Synonyms:");
    lblSynonyms.Move(3600, 1110, 3180, 255);
    lstSynonyms.Move(3600, 1365, 3180, 2490);

    cmdReplace.SetCaption(L"&Replace");
    cmdReplace.Move(2100, 4065, 1110, 375);
    cmdReplace.SetDefault(true);
    cmdLookUp.SetCaption(L"&Look Up");
    cmdLookUp.Move(3330, 4065, 1110, 375);
    cmdBack.SetCaption(L"&Back");
    cmdBack.Move(4560, 4065, 1110, 375);
    cmdCancel.SetCaption(L"Cancel");
    cmdCancel.Move(5670, 4065, 1110, 375);
    cmdCancel.SetCancel(true);

    lstMeanings.Click = [this] {
        if (nearbyShown_) {
            if (lstMeanings.ListIndex() >= 0) txtReplaceWith.SetText(lstMeanings.Text());
        } else {
            FillSynonyms();
        }
    };
    lstMeanings.DblClick = [this] {
        if (nearbyShown_ && lstMeanings.ListIndex() >= 0) cmdLookUp.PerformClick();
    };
    lstSynonyms.Click = [this] {
        const int m = lstMeanings.ListIndex(), s = lstSynonyms.ListIndex();
        if (m < 0 || s < 0 || nearbyShown_) return;
        chosen_ = result_.meanings[static_cast<std::size_t>(m)].synonyms[static_cast<std::size_t>(s)].text;
        txtReplaceWith.SetText(chosen_);  // the note stays in the list
    };
    lstSynonyms.DblClick = [this] {
        if (lstSynonyms.ListIndex() >= 0) cmdLookUp.PerformClick();
    };
    txtReplaceWith.Change = [this] { cmdReplace.SetEnabled(!CleanUserWord(txtReplaceWith.Text()).empty()); };
    cmdLookUp.Click = [this] {
        std::wstring text = CleanUserWord(txtReplaceWith.Text());
        if (text.empty()) return;
        history_.push_back(result_.word);
        Display(text);
    };
    cmdBack.Click = [this] {
        if (history_.empty()) return;
        const std::wstring previous = history_.back();
        history_.pop_back();
        Display(previous);
    };
    cmdReplace.Click = [this] {
        if (CleanUserWord(txtReplaceWith.Text()).empty()) return;
        replaced_ = true;
        chosen_ = FinalReplacement();
        Unload();
    };
    cmdCancel.Click = [this] { Unload(); };
}

std::wstring frmThesaurus::Run(const Thesaurus& thesaurus, const std::wstring& word,
                               std::function<bool(const std::u32string&)> isWord) {
    thesaurus_ = &thesaurus;
    isWord_ = std::move(isWord);
    original_ = word;
    history_.clear();
    replaced_ = false;
    chosen_.clear();
    Load();
    Display(word);
    ui::Form::Show(ui::vbModal);
    thesaurus_ = nullptr;
    return replaced_ ? chosen_ : L"";
}

void frmThesaurus::Display(const std::wstring& text) {
    result_ = thesaurus_->LookUp(text);
    txtLookedUp.SetText(result_.word);
    lstMeanings.Clear();
    lstSynonyms.Clear();
    chosen_.clear();
    nearbyShown_ = !result_.found;
    if (result_.found) {
        lblMeanings.SetCaption(L"&Meanings:");
        for (const auto& m : result_.meanings) {
            std::wstring item = m.Label() + L" (" + PartOfSpeechName(m.partOfSpeech);
            if (m.headword != result_.word) item += L", " + m.headword;
            lstMeanings.AddItem(item + L")");
        }
        bool own = false;
        for (const auto& m : result_.meanings) own = own || m.headword == result_.word;
        if (result_.baseForm.empty()) lblNote.SetCaption(L"");
        else if (own)
            lblNote.SetCaption(L"\"" + result_.word + L"\" is also a form of \"" + result_.baseForm + L"\": its meanings follow.");
        else
            lblNote.SetCaption(L"\"" + result_.word + L"\" is looked up as \"" + result_.baseForm + L"\".");
        lstMeanings.SetListIndex(0);
        FillSynonyms();
    } else {
        lblMeanings.SetCaption(L"&Nearest Entries:");
        lblNote.SetCaption(L"\"" + result_.word + L"\" was not found.");
        for (const auto& n : result_.nearby) lstMeanings.AddItem(n);
        txtReplaceWith.SetText(result_.word);
    }
    cmdBack.SetEnabled(!history_.empty());
}

void frmThesaurus::FillSynonyms() {
    lstSynonyms.Clear();
    const int m = lstMeanings.ListIndex();
    if (m < 0 || m >= static_cast<int>(result_.meanings.size())) return;
    const Meaning& meaning = result_.meanings[static_cast<std::size_t>(m)];
    for (const auto& s : meaning.synonyms)
        lstSynonyms.AddItem(s.note == SynonymNote::None ? s.text : s.text + L" (" + NoteName(s.note) + L")");
    if (!meaning.synonyms.empty()) {
        lstSynonyms.SetListIndex(0);
        chosen_ = meaning.synonyms.front().text;
        txtReplaceWith.SetText(chosen_);
    }
}

std::wstring frmThesaurus::FinalReplacement() const {
    std::u32string text = WideToU32(CleanUserWord(txtReplaceWith.Text()));
    // A synonym of the base form, chosen for the word looked up first, takes the word's ending:
    // "sprint" for "running" becomes "sprinting".
    const int m = lstMeanings.ListIndex();
    if (history_.empty() && !nearbyShown_ && m >= 0 && m < static_cast<int>(result_.meanings.size()) &&
        !result_.baseForm.empty() && result_.meanings[static_cast<std::size_t>(m)].headword == result_.baseForm &&
        U32ToWide(text) == chosen_ && text.find(U' ') == std::u32string::npos) {
        const std::u32string lower = Lower(text);
        const std::u32string inflected = AddEnding(lower, result_.ending, isWord_);
        if (inflected != lower) text = inflected;
    }
    return U32ToWide(TakeCase(text, WideToU32(original_)));
}

}  // namespace sp
