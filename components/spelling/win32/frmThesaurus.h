#pragma once
// The thesaurus window: the word looked up, its meanings (part of speech and the meaning's name),
// the chosen meaning's synonyms with their notes, an editable "Replace With", Look Up with Back,
// Replace and Cancel. An unknown word lists the nearest headwords instead of meanings.

#include <functional>
#include <string>
#include <vector>

#include "components/spelling/Thesaurus.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

namespace sp {

class frmThesaurus : public ui::Form {
public:
    ui::Label lblLookedUp{this, L"lblLookedUp"};
    ui::TextBox txtLookedUp{this, L"txtLookedUp"};
    ui::Label lblNote{this, L"lblNote"};
    ui::Label lblMeanings{this, L"lblMeanings"};
    ui::ListBox lstMeanings{this, L"lstMeanings"};
    ui::Label lblSynonyms{this, L"lblSynonyms"};
    ui::ListBox lstSynonyms{this, L"lstSynonyms"};
    ui::Label lblReplaceWith{this, L"lblReplaceWith"};
    ui::TextBox txtReplaceWith{this, L"txtReplaceWith"};
    ui::CommandButton cmdReplace{this, L"cmdReplace"};
    ui::CommandButton cmdLookUp{this, L"cmdLookUp"};
    ui::CommandButton cmdBack{this, L"cmdBack"};
    ui::CommandButton cmdCancel{this, L"cmdCancel"};

    frmThesaurus();
    // Shows the window for `word`; the replacement in the word's case, or empty when cancelled.
    // `isWord` says whether a word is spelt so (for endings put on a synonym of a base form).
    std::wstring Run(const Thesaurus& thesaurus, const std::wstring& word,
                     std::function<bool(const std::u32string&)> isWord);

private:
    void Display(const std::wstring& text);
    void FillSynonyms();
    std::wstring FinalReplacement() const;

    const Thesaurus* thesaurus_ = nullptr;
    std::function<bool(const std::u32string&)> isWord_;
    std::wstring original_;
    ThesaurusResult result_;
    std::vector<std::wstring> history_;
    std::wstring chosen_;
    bool nearbyShown_ = false;
    bool replaced_ = false;
};

}  // namespace sp
