#pragma once
// The dictionaries of the process: each file is read once, when it is first needed, and every
// checker and thesaurus that names it shares it, so that a word one checker adds to a user
// dictionary is known at once to all. A file that cannot be read is tried again the next time.

#include <memory>
#include <string>

namespace sp {

class SpellDictionary;
class UserDictionary;
class Thesaurus;

// The main dictionary and the thesaurus are refused above this size before anything is read.
inline constexpr std::uintmax_t kMaxDictionaryBytes = 256u << 20;

class SharedDictionaries {
public:
    // Each throws zv::Error whose description names the file and says what is wrong with it.
    static std::shared_ptr<const SpellDictionary> Spelling(const std::wstring& path);
    static std::shared_ptr<UserDictionary> UserWords(const std::wstring& path);  // a missing file: empty
    static std::shared_ptr<const Thesaurus> Synonyms(const std::wstring& path);

    // Files read since the last reset (tests: "nothing was loaded").
    static int FilesRead();
    // Forgets every dictionary (tests; checkers that hold one keep it).
    static void Reset();
};

// "The dictionary "<path>" cannot be used" - the start of every message about a dictionary file.
std::wstring DictionaryProblem(const std::wstring& path);

}  // namespace sp
