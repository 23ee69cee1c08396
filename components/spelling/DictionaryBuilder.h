#pragma once
// Making the dictionary files from their sources at build time: the spelling dictionary from a word
// list (a word a line, UTF-8) with commonness classes from classed word lists, the thesaurus from a
// thesaurus text of headword lines ("word|number of meanings") each followed by its meaning lines
// ("(noun)|synonym|synonym (generic term)|...").

#include <map>
#include <string>
#include <string_view>

namespace sp {

// Word -> commonness class (the smallest class of any list that has the word).
using CommonnessMap = std::map<std::string, int, std::less<>>;

// Adds the words of one classed list (a word a line) with its class.
void AddCommonnessList(CommonnessMap& map, std::string_view listBytes, int commonness);

// The bytes of a spelling dictionary. Empty lines, repeats and words of more than 255 bytes or
// of malformed UTF-8 are left out, and so is the letter "i" (the pronoun is "I").
std::string BuildSpellDictionary(std::string_view wordListBytes, const CommonnessMap& commonness);

// The bytes of a thesaurus; throws zv::Error naming the line where the text is malformed.
std::string BuildThesaurus(std::string_view thesaurusText);

}  // namespace sp
