#include "components/spelling/CheckSession.h"

#include <algorithm>

#include "components/spelling/UserDictionary.h"

namespace sp {
namespace {

bool EndsSentence(wchar_t c) { return c == L'.' || c == L'!' || c == L'?'; }
bool IsBreak(wchar_t c) { return c == L'\r' || c == L'\n' || c == 0x2029 || c == 0x2028 || c == 0x0B || c == 0x0C; }
constexpr std::size_t kMostAround = 200;  // a sentence shown is cut to this much either side

}  // namespace

CheckSession::CheckSession(SpellChecker& checker, TextAccess& text, SkipOptions skip, std::size_t from)
    : checker_(checker), text_(text), skip_(skip), from_(from) {}

bool CheckSession::Next() {
    snapshot_ = text_.Text();
    WordSpan w;
    while (from_ <= snapshot_.size() && FindWord(snapshot_, from_, w)) {
        from_ = w.End();
        if (IsSkipped(snapshot_, w, skip_)) continue;
        const std::wstring word = snapshot_.substr(w.start, w.length);
        const std::u32string form = LookupForm(word);
        if (checker_.IsCorrect(word)) {
            // Right only because this check's Ignore All took it: it counts.
            if (ignoredHere_.count(form)) ++count_;
            continue;
        }
        ++count_;
        current_ = w;
        word_ = word;
        if (auto it = changeAll_.find(form); it != changeAll_.end()) {
            ReplaceCurrent(it->second);
            snapshot_ = text_.Text();
            continue;
        }
        return true;
    }
    current_ = {};
    word_.clear();
    return false;
}

void CheckSession::ReplaceCurrent(const std::wstring& with) {
    text_.Replace(current_.start, current_.length, with);
    from_ = current_.start + with.size();
}

void CheckSession::Ignore() {}

void CheckSession::IgnoreAll() {
    checker_.IgnoreAll(word_);
    ignoredHere_.insert(LookupForm(word_));
}

void CheckSession::Change(const std::wstring& to) {
    if (to != word_) ReplaceCurrent(to);
}

void CheckSession::ChangeAll(const std::wstring& to) {
    changeAll_[LookupForm(word_)] = to;
    Change(to);
}

void CheckSession::Add() { checker_.User()->Add(word_); }

std::wstring CheckSession::Sentence(std::size_t& wordStart) const {
    const std::wstring_view text = snapshot_;
    std::size_t first = current_.start;
    const std::size_t floor = current_.start > kMostAround ? current_.start - kMostAround : 0;
    while (first > floor) {
        const wchar_t c = text[first - 1];
        if (IsBreak(c)) break;
        if (EndsSentence(c) && first < text.size() && text[first] == L' ') break;
        --first;
    }
    while (first < current_.start && text[first] == L' ') ++first;
    std::size_t end = current_.End();
    const std::size_t ceiling = std::min(text.size(), current_.End() + kMostAround);
    while (end < ceiling && !IsBreak(text[end])) {
        const wchar_t c = text[end++];
        if (EndsSentence(c) && (end == text.size() || text[end] == L' ')) break;
    }
    wordStart = current_.start - first;
    std::wstring sentence(text.substr(first, end - first));
    // Objects and tabs show as blanks.
    std::replace(sentence.begin(), sentence.end(), L'\xFFFC', L' ');
    std::replace(sentence.begin(), sentence.end(), L'\t', L' ');
    return sentence;
}

}  // namespace sp
