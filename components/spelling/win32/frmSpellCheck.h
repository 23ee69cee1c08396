#pragma once
// The checker's dialog for a whole-text check: the misspelt word in its sentence, what to change it
// to, the suggestions, and Ignore, Ignore All, Change, Change All, Add, Cancel. It stays open from
// word to word and keeps clear of the word it shows.

#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

namespace sp {

class CheckSession;
class EditTarget;
class SpellChecker;

class frmSpellCheck : public ui::Form {
public:
    ui::Label lblNotInDictionary{this, L"lblNotInDictionary"};
    ui::Label lblWord{this, L"lblWord"};
    ui::TextBox txtSentence{this, L"txtSentence"};
    ui::Label lblChangeTo{this, L"lblChangeTo"};
    ui::TextBox txtChangeTo{this, L"txtChangeTo"};
    ui::Label lblSuggestions{this, L"lblSuggestions"};
    ui::ListBox lstSuggestions{this, L"lstSuggestions"};
    ui::CommandButton cmdIgnore{this, L"cmdIgnore"};
    ui::CommandButton cmdIgnoreAll{this, L"cmdIgnoreAll"};
    ui::CommandButton cmdChange{this, L"cmdChange"};
    ui::CommandButton cmdChangeAll{this, L"cmdChangeAll"};
    ui::CommandButton cmdAdd{this, L"cmdAdd"};
    ui::CommandButton cmdCancel{this, L"cmdCancel"};

    frmSpellCheck();
    // Shows the dialog on the session's current word and runs it to the end of the text; false
    // when the author cancelled.
    bool Run(CheckSession& session, EditTarget& target, const SpellChecker& checker, int maxSuggestions);

    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void ShowCurrent();
    void KeepClearOfWord();
    void Advance();
    void Finish(bool cancelled);

    CheckSession* session_ = nullptr;
    EditTarget* target_ = nullptr;
    const SpellChecker* checker_ = nullptr;
    int maxSuggestions_ = 10;
    bool cancelled_ = true;
};

}  // namespace sp
