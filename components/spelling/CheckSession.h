#pragma once
// One whole-text check: the misspelt words of a text one after the other, with what the author
// decides for each (ignore, ignore all, change, change all, add). The text is reached through
// TextAccess, so the same session works on an edit window and in tests.
//
// The count is every misspelt occurrence met, those that Change All and Ignore All took without
// asking included; words ignored in an earlier check count as right.

#include <cstddef>
#include <map>
#include <set>
#include <string>

#include "components/spelling/SpellChecker.h"
#include "components/spelling/WordScanner.h"

namespace sp {

class TextAccess {
public:
    virtual ~TextAccess() = default;
    virtual std::wstring Text() = 0;
    // One change: [start, start + length) becomes `with`.
    virtual void Replace(std::size_t start, std::size_t length, const std::wstring& with) = 0;
};

class CheckSession {
public:
    CheckSession(SpellChecker& checker, TextAccess& text, SkipOptions skip, std::size_t from = 0);

    // Moves to the next word that needs the author, dealing with those that Change All and
    // Ignore All decided; false at the end of the text.
    bool Next();
    const WordSpan& Current() const { return current_; }
    const std::wstring& Word() const { return word_; }
    // The sentence around the current word and where the word lies in it.
    std::wstring Sentence(std::size_t& wordStart) const;

    // What the author decides for the current word; each moves on to the next (call Next()).
    void Ignore();
    void IgnoreAll();
    void Change(const std::wstring& to);
    void ChangeAll(const std::wstring& to);
    // Adds the word to the user dictionary; the text stays as it is. Throws zv::Error when the
    // word could not be saved (it is known for this run all the same).
    void Add();

    int BadWordCount() const { return count_; }

private:
    void ReplaceCurrent(const std::wstring& with);

    SpellChecker& checker_;
    TextAccess& text_;
    SkipOptions skip_;
    std::wstring snapshot_;  // the text as it was when the current word was found
    std::size_t from_;
    WordSpan current_;
    std::wstring word_;
    std::map<std::u32string, std::wstring> changeAll_;
    std::set<std::u32string> ignoredHere_;
    int count_ = 0;
};

}  // namespace sp
