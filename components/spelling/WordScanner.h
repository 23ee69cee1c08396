#pragma once
// Finding the words of a text as the checker sees them. A word is a run of letters (any script),
// combining marks and digits; an apostrophe (' or ’) or a soft hyphen between two of them belongs
// to it, and so does an apostrophe after a final s ("dogs'"); an apostrophe at either end is
// otherwise a quote, and a hyphen or any other character ends the word. Positions and lengths are
// in the text's own units (UTF-16 on Windows), as an edit control counts them.

#include <cstddef>
#include <string>
#include <string_view>

namespace sp {

struct WordSpan {
    std::size_t start = 0, length = 0;
    std::size_t End() const { return start + length; }
};

struct SkipOptions {
    bool wordsWithDigits = false;  // "MP3", "2nd"
    bool addresses = false;        // "www.example.com", "http://...", "someone@example.com"
    bool wordsInCapitals = false;  // "NASA"
};

// The next word that starts at or after `from`; false when there is none.
bool FindWord(std::wstring_view text, std::size_t from, WordSpan& word);

// The word as the dictionaries spell it: soft hyphens dropped, ’ written as '.
std::u32string LookupForm(std::wstring_view word);

// Whether a word is left unchecked: one without letters always; otherwise as the options say.
// The text around it is looked at for addresses.
bool IsSkipped(std::wstring_view text, const WordSpan& word, const SkipOptions& options);

// The words of a selection without what surrounds them: "word " and "(word)," give "word", a
// selected phrase keeps its inner blanks. An empty span when there is no word.
WordSpan TrimToWords(std::wstring_view selection);

// True for an apostrophe as the checker reads it.
inline bool IsApostrophe(char32_t c) { return c == U'\'' || c == U'\x2019'; }

}  // namespace sp
