#include "components/spelling/SpellChecker.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "components/spelling/KeyboardDistance.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/Unicode.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/WordScanner.h"

namespace sp {
namespace {

bool HasUpper(std::u32string_view s) {
    return std::any_of(s.begin(), s.end(), [](char32_t c) { return IsUpper(c); });
}
bool HasLower(std::u32string_view s) {
    return std::any_of(s.begin(), s.end(), [](char32_t c) { return IsLower(c); });
}
bool AllCapitals(std::u32string_view s) { return HasUpper(s) && !HasLower(s); }

// Whether an entry accepts the typed word, whose folded form equals the entry's.
bool CaseFits(std::u32string_view entry, std::u32string_view typed) {
    if (entry == typed) return true;
    if (AllCapitals(typed)) return true;
    if (HasUpper(entry) || typed.empty()) return false;
    return typed[0] == ToUpper(entry[0]) && typed.substr(1) == entry.substr(1);
}

bool EndsWith(std::u32string_view s, std::u32string_view end) {
    return s.size() > end.size() && s.substr(s.size() - end.size()) == end;
}

// Folded UTF-8 forms decoded fast: the dictionary is nearly all ASCII.
void DecodeFolded(std::string_view bytes, std::u32string& out) {
    out.clear();
    for (unsigned char c : bytes) {
        if (c >= 0x80) {
            out = Utf8ToU32(bytes);
            return;
        }
        out.push_back(c);
    }
}

// Without a processor option the compiler's bit count is a library call; this is a few operations.
inline int BitCount(std::uint32_t v) {
    v = v - ((v >> 1) & 0x55555555u);
    v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
    return static_cast<int>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

// How many letters must come and go to make one word's letters the other's, order aside: a
// replaced letter counts two, an added or dropped one one, a swap none.
class LetterCounts {
public:
    explicit LetterCounts(std::u32string_view word) {
        for (char32_t c : word) ++counts_[Bucket(c)];
    }
    int Difference(std::u32string_view word, int most) const {
        std::array<int, 28> c = counts_;
        for (char32_t x : word) --c[Bucket(x)];
        int d = 0;
        for (int v : c) {
            d += v < 0 ? -v : v;
            if (d > most) break;
        }
        return d;
    }

private:
    static int Bucket(char32_t c) { return c >= U'a' && c <= U'z' ? static_cast<int>(c - U'a') : c == U'\'' ? 26 : 27; }
    std::array<int, 28> counts_{};
};

struct Candidate {
    int distance;
    int commonness;
    std::string_view folded;
    std::string_view text;
    bool operator<(const Candidate& o) const {
        if (distance != o.distance) return distance < o.distance;
        if (commonness != o.commonness) return commonness < o.commonness;
        if (folded != o.folded) return folded < o.folded;
        return text < o.text;
    }
};

}  // namespace

std::u32string TakeCase(std::u32string_view word, std::u32string_view model) {
    if (HasUpper(word)) return AllCapitals(model) && model.size() > 1 ? Upper(word) : std::u32string(word);
    if (model.size() > 1 && AllCapitals(model)) return Upper(word);
    std::u32string out(word);
    if (!model.empty() && IsUpper(model[0]) && !out.empty()) out[0] = ToUpper(out[0]);
    return out;
}

SpellChecker::SpellChecker(std::shared_ptr<const SpellDictionary> main, std::shared_ptr<UserDictionary> user)
    : main_(std::move(main)), user_(user ? std::move(user) : std::make_shared<UserDictionary>()) {}

bool SpellChecker::IsKnown(const std::u32string& form) const {
    const std::string folded = ToUtf8(Lower(form));
    bool found = false;
    if (main_) {
        main_->ForEachSpelling(folded, [&](std::uint32_t w) {
            found = found || CaseFits(Utf8ToU32(main_->Text(w)), form);
        });
    }
    if (!found) {
        if (auto* spellings = user_->Spellings(folded))
            for (std::size_t i : *spellings) found = found || CaseFits(Utf8ToU32(user_->Words()[i]), form);
    }
    return found;
}

bool SpellChecker::IsCorrect(std::wstring_view word) const {
    const std::u32string form = LookupForm(word);
    if (form.empty() || IsKnown(form) || ignored_.count(form)) return true;
    // Possessives: "James's" and "dogs'" wherever "James" and "dogs" are right.
    if (EndsWith(form, U"'s") || EndsWith(form, U"'S")) return IsKnown(form.substr(0, form.size() - 2));
    if (EndsWith(form, U"s'") || EndsWith(form, U"S'")) return IsKnown(form.substr(0, form.size() - 1));
    return false;
}

void SpellChecker::IgnoreAll(std::wstring_view word) { ignored_.insert(LookupForm(word)); }
bool SpellChecker::IsIgnored(std::wstring_view word) const { return ignored_.count(LookupForm(word)) != 0; }

std::vector<std::u32string> SpellChecker::Near(const std::u32string& form, std::size_t max) const {
    const std::u32string typed = Lower(form);
    const int length = static_cast<int>(typed.size());
    const std::uint32_t mask = LetterMask(typed);
    const LetterCounts counts(typed);
    // Only the nearest few can be offered: once that many are found, the distance of the farthest
    // of them bounds the search (a few more are kept, as case folding may merge some).
    const std::size_t keep = max + 4;
    std::vector<int> best;  // a max-heap of the distances kept
    int limit = kSuggestionLimit;
    std::vector<Candidate> found;
    std::u32string word;
    auto consider = [&](std::string_view folded, std::string_view text, std::uint32_t wordMask, int commonness) {
        // A replaced letter changes at most two of the letters a word is made of, and costs at
        // least 30 a letter; no more than two edits are looked for in any case.
        const int most = std::min(4, limit / 30);
        if (BitCount(mask ^ wordMask) > most) return;
        DecodeFolded(folded, word);
        if (counts.Difference(word, most) > most) return;
        const int d = KeyboardDistance(typed, word, limit);
        if (d > limit) return;
        found.push_back({d, commonness, folded, text});
        best.push_back(d);
        std::push_heap(best.begin(), best.end());
        if (best.size() > keep) {
            std::pop_heap(best.begin(), best.end());
            best.pop_back();
        }
        if (best.size() == keep) limit = best.front();
    };
    if (main_ && length <= kMaxIndexedLength) {
        // Nearest lengths first, so that the bound tightens early.
        for (int delta : {0, -1, 1, -2, 2}) {
            const int n = length + delta;
            if (n < 1 || n > kMaxIndexedLength || std::abs(delta) * cost::kApostrophe > limit) continue;
            for (std::uint32_t w = main_->FirstOfLength(n), end = main_->EndOfLength(n); w < end; ++w)
                consider(main_->Folded(w), main_->Text(w), main_->Mask(w), main_->Commonness(w));
        }
    }
    for (std::size_t i = 0; i < user_->Count(); ++i) {
        const std::string& folded = user_->FoldedWords()[i];
        const std::u32string code = Utf8ToU32(folded);
        if (code.size() + 2 < typed.size() || code.size() > typed.size() + 2) continue;
        consider(folded, user_->Words()[i], LetterMask(code), kUnclassed);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::u32string> out;
    for (const auto& c : found) {
        if (out.size() >= max) break;
        std::u32string s = TakeCase(Utf8ToU32(c.text), form);
        if (s == form) continue;  // the word itself, where only its case is wrong, is no suggestion
        if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(std::move(s));
    }
    return out;
}

std::vector<std::wstring> SpellChecker::Suggest(std::wstring_view word, std::size_t max) const {
    std::u32string form = LookupForm(word);
    // "dgos'": suggest for "dgos" and give back the apostrophe where the suggestion ends in s.
    const bool pluralPossessive = EndsWith(form, U"s'") || EndsWith(form, U"S'");
    if (pluralPossessive) form.pop_back();
    const bool curly = word.find(L'\x2019') != std::wstring_view::npos;
    std::vector<std::wstring> out;
    for (std::u32string s : Near(form, pluralPossessive ? max * 3 : max)) {
        if (pluralPossessive) {
            // Only a plural that is no possessive already takes the apostrophe back.
            if (s.empty() || (s.back() != U's' && s.back() != U'S') || s.find(U'\'') != std::u32string::npos) continue;
            if (out.size() >= max) break;
            s.push_back(U'\'');
        }
        if (curly) std::replace(s.begin(), s.end(), U'\'', U'\x2019');
        out.push_back(U32ToWide(s));
    }
    return out;
}

}  // namespace sp
