#pragma once
// The thesaurus as a control of a form: `sp::VSThesaurus VSThesaurus1{this, L"VSThesaurus1"};`.
// Given the selected text as its word, LookUp shows the thesaurus window; a replacement the author
// chooses is told to the host through ThesaurusEvents, already in the case of the word it replaces.
// The word looked up is the selection without what surrounds its words (WordStart, WordLength),
// so that a host replaces that part alone and keeps a trailing blank or punctuation.

#include <memory>
#include <string>

#include "ui/Control.h"

namespace sp {

class VSThesaurus;
class Thesaurus;

class ThesaurusEvents {
public:
    virtual ~ThesaurusEvents() = default;
    virtual void WordChosen(VSThesaurus& sender, const std::wstring& word) {}
};

class VSThesaurus : public ui::Control {
public:
    VSThesaurus(ui::Form* form, std::wstring name);
    void SetEvents(ThesaurusEvents* events) { events_ = events; }

    const std::wstring& ThesaurusFile() const { return path_; }
    void SetThesaurusFile(std::wstring path) { path_ = std::move(path); }
    // The selected text; the part looked up is [WordStart, WordStart + WordLength) of it.
    const std::wstring& Word() const { return word_; }
    void SetWord(std::wstring text);
    long WordStart() const { return wordStart_; }
    long WordLength() const { return wordLength_; }

    // Shows the thesaurus window for the word; true when the author chose a replacement (then
    // WordChosen was raised and Replacement holds it). A thesaurus file that cannot be used is
    // named in a message, and nothing is shown.
    bool LookUp();
    const std::wstring& Replacement() const { return replacement_; }

    bool CanTakeFocus() const override { return false; }

protected:
    void CreateKindWindow() override {}

private:
    ThesaurusEvents* events_ = nullptr;
    std::wstring path_, word_, replacement_;
    long wordStart_ = 0, wordLength_ = 0;
};

}  // namespace sp
