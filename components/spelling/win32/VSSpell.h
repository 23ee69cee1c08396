#pragma once
// The spelling checker as a control of a form: `sp::VSSpell VSSpell1{this, L"VSSpell1"};`. It has
// no window of its own; it checks the text of the window named by AutoLinkHwnd through the standard
// edit-control messages, either all of it with its own dialog (CheckText) or a range, telling the
// host of each misspelt word (CheckRange). Its dictionaries are shared by every checker of the
// process (SharedDictionaries).
//
// Options by number, as a host may set them: 37 suggestions, 38 own popup (0: the host shows
// one), 42 skip words with digits, 43 skip web and e-mail addresses, 44 skip words in capitals.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "components/spelling/SpellChecker.h"
#include "components/spelling/WordScanner.h"
#include "ui/Control.h"

namespace sp {

class VSSpell;

// What the checker tells its host; each handler has an empty default.
class SpellEvents {
public:
    virtual ~SpellEvents() = default;
    virtual void CheckDone(VSSpell& sender, bool cancelled) {}      // CheckText ended
    virtual void RangeCheckStarted(VSSpell& sender) {}              // CheckRange begins
    virtual void BadWord(VSSpell& sender, long start, long length) {}  // CheckRange, own popup off
};

namespace option {
inline constexpr int kSuggestions = 37;
inline constexpr int kOwnPopup = 38;
inline constexpr int kSkipWordsWithDigits = 42;
inline constexpr int kSkipAddresses = 43;
inline constexpr int kSkipWordsInCapitals = 44;
}  // namespace option

class VSSpell : public ui::Control {
public:
    VSSpell(ui::Form* form, std::wstring name);
    ~VSSpell() override;
    void SetEvents(SpellEvents* events) { events_ = events; }

    // ---- dictionaries (full paths) ----
    const std::wstring& MainDictionary() const { return mainPath_; }
    void SetMainDictionary(std::wstring path);
    const std::wstring& UserDictionary() const { return userPath_; }
    void SetUserDictionary(std::wstring path);

    // ---- options ----
    bool Suggestions() const { return suggestions_; }
    void SetSuggestions(bool v) { suggestions_ = v; }
    bool OwnPopup() const { return ownPopup_; }
    void SetOwnPopup(bool v) { ownPopup_ = v; }
    bool SkipWordsWithDigits() const { return skip_.wordsWithDigits; }
    void SetSkipWordsWithDigits(bool v) { skip_.wordsWithDigits = v; }
    bool SkipAddresses() const { return skip_.addresses; }
    void SetSkipAddresses(bool v) { skip_.addresses = v; }
    bool SkipWordsInCapitals() const { return skip_.wordsInCapitals; }
    void SetSkipWordsInCapitals(bool v) { skip_.wordsInCapitals = v; }
    int MaxSuggestions() const { return maxSuggestions_; }
    void SetMaxSuggestions(int v) { maxSuggestions_ = v < 0 ? 0 : v; }
    // The options by number (unknown numbers are refused with zv::Error).
    long Option(int number) const;
    void SetOption(int number, long value);

    // ---- the text ----
    HWND AutoLinkHwnd() const { return target_; }
    void SetAutoLinkHwnd(HWND window) { target_ = window; }
    long CheckStart() const { return checkStart_; }
    void SetCheckStart(long v) { checkStart_ = v; }
    long CheckLength() const { return checkLength_; }
    void SetCheckLength(long v) { checkLength_ = v; }

    // ---- one word ----
    // Setting the word checks it and, with suggestions on, finds its suggestions.
    const std::wstring& Word() const { return word_; }
    void SetWord(std::wstring word);
    bool WordIsCorrect() const { return wordIsCorrect_; }
    int SuggestionCount() const { return static_cast<int>(suggestionList_.size()); }
    std::wstring Suggestion(int index) const;  // "" out of range

    // ---- checks ----
    // The whole text from the selection's start, with the check dialog; CheckDone follows.
    void CheckText();
    // The words of [CheckStart, CheckStart + CheckLength), clamped to the text (a reversed range
    // is turned round): RangeCheckStarted, then BadWord for each misspelt word.
    void CheckRange();
    // Misspelt occurrences the last CheckText met.
    long BadWordCount() const { return badWordCount_; }

    // Adds to the user dictionary; when the file cannot be written the word is kept for the run
    // and a message says so (false).
    bool AddToUserDictionary(const std::wstring& word);
    void ClearIgnoreAll();

    // The checker, loaded on first use; nullptr (after a message naming the file, unless quiet)
    // when a dictionary cannot be used.
    SpellChecker* Checker(bool quiet = false);

    bool CanTakeFocus() const override { return false; }

protected:
    void CreateKindWindow() override {}

private:
    void Done(bool cancelled);
    void ShowOwnPopup(class EditTarget& target, std::size_t start, std::size_t length);

    SpellEvents* events_ = nullptr;
    std::wstring mainPath_, userPath_;
    bool suggestions_ = true, ownPopup_ = true;
    SkipOptions skip_;
    int maxSuggestions_ = 10;
    HWND target_ = nullptr;
    long checkStart_ = 0, checkLength_ = 0;
    std::wstring word_;
    bool wordIsCorrect_ = true;
    std::vector<std::wstring> suggestionList_;
    long badWordCount_ = 0;
    std::unique_ptr<SpellChecker> checker_;
};

}  // namespace sp
