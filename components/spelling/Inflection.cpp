#include "components/spelling/Inflection.h"

namespace sp {
namespace {

bool EndsWith(const std::u32string& s, std::u32string_view end) {
    return s.size() > end.size() && std::u32string_view(s).substr(s.size() - end.size()) == end;
}
bool IsVowel(char32_t c) { return c == U'a' || c == U'e' || c == U'i' || c == U'o' || c == U'u'; }

// Stems of a word that lost `suffix`: the bare stem, the stem with its e back, the stem with a
// doubled last letter undone, a y that became i.
void Stems(const std::u32string& word, std::u32string_view suffix, Ending ending, std::vector<BaseForm>& out) {
    if (!EndsWith(word, suffix)) return;
    const std::u32string stem = word.substr(0, word.size() - suffix.size());
    if (stem.size() < 2) return;
    out.push_back({stem, ending});
    if (stem.back() == U'i') out.push_back({stem.substr(0, stem.size() - 1) + U"y", ending});
    const std::size_t n = stem.size();
    if (n >= 3 && stem[n - 1] == stem[n - 2] && !IsVowel(stem[n - 1])) out.push_back({stem.substr(0, n - 1), ending});
    if (suffix != U"s" && suffix != U"es") out.push_back({stem + U"e", ending});
}

}  // namespace

std::vector<BaseForm> BaseForms(const std::u32string& word) {
    std::vector<BaseForm> out;
    Stems(word, U"ing", Ending::Progressive, out);
    Stems(word, U"ed", Ending::Past, out);
    Stems(word, U"est", Ending::Superlative, out);
    Stems(word, U"er", Ending::Comparative, out);
    Stems(word, U"es", Ending::Plural, out);
    if (!EndsWith(word, U"ss") && !EndsWith(word, U"us") && !EndsWith(word, U"is")) Stems(word, U"s", Ending::Plural, out);
    return out;
}

std::u32string AddEnding(const std::u32string& word, Ending ending, const std::function<bool(const std::u32string&)>& isWord) {
    if (word.empty()) return word;
    std::u32string suffix;
    switch (ending) {
        case Ending::Plural: suffix = U"s"; break;
        case Ending::Past: suffix = U"ed"; break;
        case Ending::Progressive: suffix = U"ing"; break;
        case Ending::Comparative: suffix = U"er"; break;
        case Ending::Superlative: suffix = U"est"; break;
    }
    std::vector<std::u32string> candidates;
    const char32_t last = word.back();
    if (ending == Ending::Plural) {
        if (last == U'y' && word.size() > 1 && !IsVowel(word[word.size() - 2])) candidates.push_back(word.substr(0, word.size() - 1) + U"ies");
        candidates.push_back(word + U"es");
        candidates.push_back(word + U"s");
    } else {
        if (last == U'e') candidates.push_back(word.substr(0, word.size() - 1) + suffix);
        if (last == U'y' && ending != Ending::Progressive) candidates.push_back(word.substr(0, word.size() - 1) + U"i" + suffix);
        if (!IsVowel(last)) candidates.push_back(word + last + suffix);
        candidates.push_back(word + suffix);
    }
    for (const auto& c : candidates)
        if (isWord && isWord(c)) return c;
    return word;
}

}  // namespace sp
