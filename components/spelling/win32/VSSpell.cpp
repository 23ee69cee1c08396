#include "components/spelling/win32/VSSpell.h"

#include <algorithm>

#include "base/Error.h"
#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/win32/EditTarget.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "components/spelling/win32/frmSuggestionMenu.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"

namespace sp {

VSSpell::VSSpell(ui::Form* form, std::wstring name) : ui::Control(form, std::move(name)) {
    MakeWindowless();
    p_.visible = false;
}

VSSpell::~VSSpell() = default;

void VSSpell::SetMainDictionary(std::wstring path) {
    if (path != mainPath_) checker_.reset();
    mainPath_ = std::move(path);
}

void VSSpell::SetUserDictionary(std::wstring path) {
    if (path != userPath_) checker_.reset();
    userPath_ = std::move(path);
}

long VSSpell::Option(int number) const {
    switch (number) {
        case option::kSuggestions: return suggestions_;
        case option::kOwnPopup: return ownPopup_;
        case option::kSkipWordsWithDigits: return skip_.wordsWithDigits;
        case option::kSkipAddresses: return skip_.addresses;
        case option::kSkipWordsInCapitals: return skip_.wordsInCapitals;
    }
    throw zv::Error(L"The spelling checker has no option " + std::to_wstring(number) + L".");
}

void VSSpell::SetOption(int number, long value) {
    const bool on = value != 0;
    switch (number) {
        case option::kSuggestions: suggestions_ = on; return;
        case option::kOwnPopup: ownPopup_ = on; return;
        case option::kSkipWordsWithDigits: skip_.wordsWithDigits = on; return;
        case option::kSkipAddresses: skip_.addresses = on; return;
        case option::kSkipWordsInCapitals: skip_.wordsInCapitals = on; return;
    }
    throw zv::Error(L"The spelling checker has no option " + std::to_wstring(number) + L".");
}

SpellChecker* VSSpell::Checker(bool quiet) {
    if (checker_) return checker_.get();
    try {
        if (mainPath_.empty()) throw zv::Error(L"The spelling checker has no dictionary.");
        auto main = SharedDictionaries::Spelling(mainPath_);
        auto user = userPath_.empty() ? nullptr : SharedDictionaries::UserWords(userPath_);
        checker_ = std::make_unique<SpellChecker>(std::move(main), std::move(user));
    } catch (const zv::Error& e) {
        if (!quiet) ui::MsgBox(e.Description(), ui::vbExclamation);
        return nullptr;
    }
    return checker_.get();
}

void VSSpell::SetWord(std::wstring word) {
    word_ = std::move(word);
    suggestionList_.clear();
    wordIsCorrect_ = true;
    SpellChecker* checker = Checker(true);
    if (!checker) return;
    wordIsCorrect_ = checker->IsCorrect(word_);
    if (!wordIsCorrect_ && suggestions_) suggestionList_ = checker->Suggest(word_, static_cast<std::size_t>(maxSuggestions_));
}

std::wstring VSSpell::Suggestion(int index) const {
    if (index < 0 || index >= SuggestionCount()) return L"";
    return suggestionList_[static_cast<std::size_t>(index)];
}

void VSSpell::Done(bool cancelled) {
    if (events_) events_->CheckDone(*this, cancelled);
}

void VSSpell::CheckText() {
    badWordCount_ = 0;
    SpellChecker* checker = Checker();
    if (!checker || !target_ || !IsWindow(target_)) {
        // Nothing is checked: never a text full of "misspelt" words for want of a dictionary.
        Done(true);
        return;
    }
    EditTarget target(target_);
    std::size_t start = 0, end = 0;
    target.GetSelection(start, end);
    CheckSession session(*checker, target, skip_, start);
    bool cancelled = false;
    if (session.Next()) {
        // The dialog keeps the arrow while it waits for the author, whatever the host set.
        const int pointer = ui::Screen().MousePointer();
        ui::Screen().SetMousePointer(ui::vbDefault);
        try {
            cancelled = !ui::Forms::Get<frmSpellCheck>().Run(session, target, *checker, maxSuggestions_);
        } catch (...) {
            ui::Screen().SetMousePointer(pointer);
            throw;
        }
        ui::Screen().SetMousePointer(pointer);
    }
    badWordCount_ = session.BadWordCount();
    Done(cancelled);
}

void VSSpell::CheckRange() {
    SpellChecker* checker = Checker();
    if (!checker || !target_ || !IsWindow(target_)) return;
    EditTarget target(target_);
    std::wstring text = target.Text();
    // A reversed range is turned round, and one past the text cut to it.
    long first = checkStart_, last = checkStart_ + checkLength_;
    if (first > last) std::swap(first, last);
    const auto size = static_cast<long>(text.size());
    first = std::clamp(first, 0L, size);
    last = std::clamp(last, 0L, size);
    if (events_) events_->RangeCheckStarted(*this);
    WordSpan w;
    std::size_t from = static_cast<std::size_t>(first);
    // A word the range cuts into is checked whole.
    while (from > 0 && FindWord(text, from - 1, w) && w.start < from && w.End() > from) from = w.start;
    while (FindWord(text, from, w) && static_cast<long>(w.start) < last) {
        from = w.End();
        const std::wstring word = text.substr(w.start, w.length);
        if (IsSkipped(text, w, skip_) || checker->IsCorrect(word)) continue;
        const std::size_t before = text.size();
        if (ownPopup_) ShowOwnPopup(target, w.start, w.length);
        else if (events_) events_->BadWord(*this, static_cast<long>(w.start), static_cast<long>(w.length));
        // The host may have changed the word: go on behind what stands there now.
        text = target.Text();
        const long delta = static_cast<long>(text.size()) - static_cast<long>(before);
        from = static_cast<std::size_t>(std::clamp(static_cast<long>(w.End()) + delta, static_cast<long>(w.start), static_cast<long>(text.size())));
        last = std::clamp(last + delta, 0L, static_cast<long>(text.size()));
    }
}

void VSSpell::ShowOwnPopup(EditTarget& target, std::size_t start, std::size_t length) {
    const std::wstring word = target.Text().substr(start, length);
    SpellChecker* checker = Checker(true);
    if (!checker) return;
    const auto list = suggestions_ ? checker->Suggest(word, 5) : std::vector<std::wstring>{};
    RECT r{};
    POINT at{};
    if (target.ScreenRect(start, length, r)) at = {r.left, r.bottom};
    else GetCursorPos(&at);
    std::wstring chosen;
    switch (ui::Forms::Get<frmSuggestionMenu>().Choose(list, target.Window(), at, chosen)) {
        case frmSuggestionMenu::kSuggestion: target.Replace(start, length, chosen); break;
        case frmSuggestionMenu::kIgnoreAll: checker->IgnoreAll(word); break;
        case frmSuggestionMenu::kAdd: AddToUserDictionary(word); break;
        case frmSuggestionMenu::kNone: break;
    }
}

bool VSSpell::AddToUserDictionary(const std::wstring& word) {
    SpellChecker* checker = Checker();
    if (!checker) return false;
    try {
        checker->User()->Add(word);
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description(), ui::vbExclamation);
        return false;
    }
    return true;
}

void VSSpell::ClearIgnoreAll() {
    if (checker_) checker_->ClearIgnored();
}

}  // namespace sp
