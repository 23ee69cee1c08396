#pragma once
// Whether a word is spelt right, and what it may have been meant to be, against the main
// dictionary, the author's words and the words ignored for the rest of a check session.
//
// Case: an entry in lower case accepts the word so, with a capital first letter and in capitals
// ("the", "The", "THE"); an entry with capitals accepts it as written and in capitals ("Aaron",
// "AARON", not "aaron"). Any other mix is wrong ("tHe"; "i" for the entry "I"). "word's" is right
// wherever "word" is, and so is "words'" where "words" is.

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sp {

class SpellDictionary;
class UserDictionary;

inline constexpr int kSuggestionLimit = 200;  // the farthest a suggestion may be (KeyboardDistance)

class SpellChecker {
public:
    SpellChecker(std::shared_ptr<const SpellDictionary> main, std::shared_ptr<UserDictionary> user);

    // The word as it stands in the text (soft hyphens and ’ allowed).
    bool IsCorrect(std::wstring_view word) const;
    // The nearest words by KeyboardDistance, then the more common, then in alphabetical order;
    // each in the word's own case unless the entry has capitals of its own.
    std::vector<std::wstring> Suggest(std::wstring_view word, std::size_t max) const;

    void IgnoreAll(std::wstring_view word);
    void ClearIgnored() { ignored_.clear(); }
    bool IsIgnored(std::wstring_view word) const;

    UserDictionary* User() const { return user_.get(); }

private:
    bool IsKnown(const std::u32string& form) const;
    std::vector<std::u32string> Near(const std::u32string& form, std::size_t max) const;

    std::shared_ptr<const SpellDictionary> main_;
    std::shared_ptr<UserDictionary> user_;
    std::set<std::u32string> ignored_;
};

// `word` in the case of `model`: all capitals, or a capital first letter; an entry with capitals
// of its own keeps them.
std::u32string TakeCase(std::u32string_view word, std::u32string_view model);

}  // namespace sp
