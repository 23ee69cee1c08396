#pragma once
// The author's own words ("Custom.dct"): a word a line, read as UTF-8 (with or without a byte-order
// mark; UTF-16 with its mark as well) or else as Windows-1252. Blanks around a word, CR LF or LF,
// empty lines and repeated words do no harm. Adding a word rewrites the file through a temporary
// file, merged with the file as it is at that moment, so words another editor added meanwhile stay.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sp {

enum class TextEncoding { Utf8, Utf8WithMark, Utf16LE, Utf16BE, Windows1252 };

struct UserWordList {
    std::vector<std::wstring> words;  // in file order, each once
    TextEncoding encoding = TextEncoding::Utf8;
};

UserWordList ParseUserWords(std::string_view bytes);
// One word a line, CR LF after each. A Windows-1252 list that cannot hold a word becomes UTF-8
// with a byte-order mark.
std::string EncodeUserWords(const std::vector<std::wstring>& words, TextEncoding encoding);

class UserDictionary {
public:
    // Reads the file; a missing file is an empty list. Throws zv::Error naming the file when it
    // exists but cannot be read.
    explicit UserDictionary(std::wstring path);
    // A list that belongs to no file (tests, and a checker without a user dictionary).
    UserDictionary() = default;

    const std::wstring& Path() const { return path_; }
    std::size_t Count() const { return words_.size(); }
    const std::vector<std::string>& Words() const { return words_; }  // UTF-8, folded forms in folded_
    const std::vector<std::string>& FoldedWords() const { return folded_; }
    // The spellings whose case-folded UTF-8 form is `folded`.
    const std::vector<std::size_t>* Spellings(const std::string& folded) const;

    // Adds a word (blanks around it dropped; nothing for an empty word or one with a line break).
    // It is known at once; then the file is rewritten. When that fails the word stays known for
    // this run and zv::Error says why the file could not be written.
    void Add(std::wstring_view word);

private:
    bool Remember(const std::wstring& word);  // false when known already
    std::wstring path_;
    std::vector<std::string> words_, folded_;
    std::unordered_map<std::string, std::vector<std::size_t>> byFolded_;
};

// The word with blanks around it removed; empty when it holds a line break or a control character.
std::wstring CleanUserWord(std::wstring_view word);

}  // namespace sp
