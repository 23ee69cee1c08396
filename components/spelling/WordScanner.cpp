#include "components/spelling/WordScanner.h"

#include "components/spelling/Unicode.h"

namespace sp {
namespace {

constexpr char32_t kSoftHyphen = 0xAD;

// The code point at `i` and the units it takes.
char32_t At(std::wstring_view text, std::size_t i, std::size_t& units) {
    units = 1;
    char32_t c = static_cast<char32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const char32_t low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                units = 2;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    return c;
}

bool IsWordCharacter(char32_t c) { return IsLetter(c) || IsMark(c) || IsDigit(c); }
bool IsJoiner(char32_t c) { return IsApostrophe(c) || c == kSoftHyphen; }

bool IsSpaceLike(wchar_t c) {
    return c <= L' ' || c == 0xA0 || c == 0xFFFC || c == 0x2028 || c == 0x2029 || c == L'"' || c == L'<' ||
           c == L'>' || c == L'(' || c == L')' || c == 0x201C || c == 0x201D;
}

bool StartsWithNoCase(std::wstring_view s, std::wstring_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (ToLower(static_cast<char32_t>(s[i])) != static_cast<char32_t>(prefix[i])) return false;
    return true;
}

// Web and e-mail addresses, judged by the run of non-blank characters a word stands in.
bool IsInAddress(std::wstring_view text, const WordSpan& word) {
    std::size_t first = word.start, end = word.End();
    while (first > 0 && !IsSpaceLike(text[first - 1])) --first;
    while (end < text.size() && !IsSpaceLike(text[end])) ++end;
    const std::wstring_view chunk = text.substr(first, end - first);
    if (chunk.find(L"://") != std::wstring_view::npos) return true;
    if (StartsWithNoCase(chunk, L"www.")) return true;
    const auto at = chunk.find(L'@');
    return at != std::wstring_view::npos && at > 0 && chunk.find(L'.', at) != std::wstring_view::npos &&
           chunk.find(L'.', at) > at + 1;
}

}  // namespace

bool FindWord(std::wstring_view text, std::size_t from, WordSpan& word) {
    std::size_t i = from, units;
    while (i < text.size() && !IsWordCharacter(At(text, i, units))) i += units;
    // A mark with no letter before it starts nothing.
    while (i < text.size() && IsMark(At(text, i, units))) {
        i += units;
        while (i < text.size() && !IsWordCharacter(At(text, i, units))) i += units;
    }
    if (i >= text.size()) return false;
    const std::size_t start = i;
    char32_t lastCharacter = 0;
    while (i < text.size()) {
        const char32_t c = At(text, i, units);
        if (IsWordCharacter(c)) {
            lastCharacter = c;
            i += units;
            continue;
        }
        if (!IsJoiner(c)) break;
        // Joiners run on only into more of the word: "o'clock", "Hallowe’en", a soft hyphen.
        std::size_t next = i + units, nextUnits = 0;
        while (next < text.size() && At(text, next, nextUnits) == kSoftHyphen) next += nextUnits;
        if (next < text.size() && IsWordCharacter(At(text, next, nextUnits)) && !(IsApostrophe(c) && next != i + units)) {
            i = next;
            continue;
        }
        // "dogs'": the apostrophe of a plural's possessive.
        if (IsApostrophe(c) && (lastCharacter == U's' || lastCharacter == U'S')) i += units;
        break;
    }
    word = {start, i - start};
    return true;
}

WordSpan TrimToWords(std::wstring_view selection) {
    WordSpan first, word;
    if (!FindWord(selection, 0, first)) return {};
    std::size_t end = first.End();
    for (std::size_t from = end; FindWord(selection, from, word); from = word.End()) end = word.End();
    return {first.start, end - first.start};
}

std::u32string LookupForm(std::wstring_view word) {
    std::u32string out;
    for (char32_t c : WideToU32(word)) {
        if (c == kSoftHyphen) continue;
        out.push_back(c == U'\x2019' ? U'\'' : c);
    }
    return out;
}

bool IsSkipped(std::wstring_view text, const WordSpan& word, const SkipOptions& options) {
    bool letters = false, digits = false, lower = false;
    for (char32_t c : WideToU32(text.substr(word.start, word.length))) {
        if (IsDigit(c)) digits = true;
        else if (IsLetter(c)) {
            letters = true;
            lower = lower || IsLower(c) || !IsUpper(c);
        }
    }
    if (!letters) return true;
    if (options.wordsWithDigits && digits) return true;
    if (options.wordsInCapitals && !lower) return true;
    return options.addresses && IsInAddress(text, word);
}

}  // namespace sp
