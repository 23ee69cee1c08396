#pragma once
// The thesaurus, "VSTH_AE.THE": headwords (single words and phrases, case-folded, in byte order),
// each with its meanings; a meaning has a part of speech and its synonyms, each with a note
// (generic term, similar term, related term, antonym). The first synonym of a meaning names it.
//
// Sections (after the frame of DictionaryFile.h, version 1):
//   1 entries, 12 bytes: u32 headword offset in the pool, u32 first meaning, u16 headword bytes,
//     u16 meanings
//   2 meanings, 8 bytes: u32 first synonym, u16 synonyms, u8 part of speech, u8 0
//   3 synonyms, 4 bytes: u32, the text's number in its low 28 bits and the note in the high 4
//   4 texts, 8 bytes: u32 offset in the pool, u32 bytes
//   5 pool: UTF-8 bytes

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/spelling/DictionaryFile.h"
#include "components/spelling/Inflection.h"

namespace sp {

enum class PartOfSpeech : std::uint8_t { Other, Noun, Verb, Adjective, Adverb };
enum class SynonymNote : std::uint8_t { None, GenericTerm, SimilarTerm, RelatedTerm, Antonym };
inline constexpr int kLastPartOfSpeech = 4;
inline constexpr int kLastNote = 4;

std::wstring PartOfSpeechName(PartOfSpeech pos);  // "noun", "verb", "adjective", "adverb", ""
std::wstring NoteName(SynonymNote note);          // "generic term", ..., "antonym", ""

struct Synonym {
    std::wstring text;
    SynonymNote note = SynonymNote::None;
};

struct Meaning {
    PartOfSpeech partOfSpeech = PartOfSpeech::Other;
    std::wstring headword;  // the entry it belongs to ("run" when "running" was looked up)
    std::vector<Synonym> synonyms;
    std::wstring Label() const { return synonyms.empty() ? headword : synonyms.front().text; }
};

struct ThesaurusResult {
    std::wstring word;       // as looked up, blanks tidied
    bool found = false;      // meanings were found for it or for its base form
    std::wstring baseForm;   // "run" for "running" when "run" is a headword, else empty
    Ending ending = Ending::Plural;  // how the word was made from its base form (when there is one)
    std::vector<Meaning> meanings;       // its own first, then its base form's
    std::vector<std::wstring> nearby;    // for an unknown word: the headwords around it
};

class Thesaurus {
public:
    // Throws zv::Error naming `what` when the bytes are no sound thesaurus.
    Thesaurus(FileBytes bytes, const std::wstring& what);

    std::uint32_t EntryCount() const { return image_.Count(kEntries); }
    std::string_view Headword(std::uint32_t entry) const;
    // The entry of a folded UTF-8 headword.
    std::optional<std::uint32_t> Find(std::string_view folded) const;
    std::vector<Meaning> Meanings(std::uint32_t entry) const;

    // A word or a phrase as selected in a text: "running" also looks up "run"; an unknown one
    // lists the headwords nearest to it in alphabetical order.
    ThesaurusResult LookUp(std::wstring_view text, std::size_t nearbyCount = 10) const;

    static const FileLayout& Layout();
    enum Section { kEntries, kMeanings, kSynonyms, kTexts, kPool };

private:
    std::string_view TextAt(std::uint32_t text) const;
    DictionaryImage image_;
};

// The form a looked-up text is found under: ’ as ', blanks collapsed, lower case.
std::string ThesaurusKey(std::wstring_view text);

}  // namespace sp
