#pragma once
// Regular English endings, both ways: the forms a word may have come from ("running" from "run",
// "cities" from "city", "baked" from "bake") and the same ending put on another word ("sprint" to
// "sprinting"). Irregular forms ("ran") are not known.

#include <functional>
#include <string>
#include <vector>

namespace sp {

enum class Ending { Plural, Past, Progressive, Comparative, Superlative };

struct BaseForm {
    std::u32string base;
    Ending ending;
};

// The candidates a lower-case word may be an ending of, most likely first.
std::vector<BaseForm> BaseForms(const std::u32string& word);

// `word` with the ending; where the spelling is uncertain (a doubled consonant, a dropped e) the
// first candidate that `isWord` accepts is taken, else `word` stays as it is.
std::u32string AddEnding(const std::u32string& word, Ending ending,
                         const std::function<bool(const std::u32string&)>& isWord);

}  // namespace sp
