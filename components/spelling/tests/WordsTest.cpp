// Words as the checker finds them in a text, the skip options, and the character facts under them.

#include <gtest/gtest.h>

#include "components/spelling/Unicode.h"
#include "components/spelling/WordScanner.h"

namespace sp {
namespace {

std::vector<std::wstring> Words(std::wstring_view text) {
    std::vector<std::wstring> out;
    WordSpan w;
    for (std::size_t from = 0; FindWord(text, from, w); from = w.End()) out.emplace_back(text.substr(w.start, w.length));
    return out;
}

TEST(Words, AreFoundAsAReaderSeesThem) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> words;
    } cases[] = {
        {L"", {}},
        {L"  ,.;  ", {}},
        {L"The cat sat.", {L"The", L"cat", L"sat"}},
        {L"o'clock Hallowe\x2019" L"en don't", {L"o'clock", L"Hallowe\x2019" L"en", L"don't"}},
        {L"the dogs' bowls", {L"the", L"dogs'", L"bowls"}},                     // a plural's possessive
        {L"James's car", {L"James's", L"car"}},
        {L"'quoted' \x2018single\x2019 'dogs'", {L"quoted", L"single", L"dogs'"}},  // quotes around
        {L"cat' dog'", {L"cat", L"dog"}},                                         // not after an s
        {L"well-known", {L"well", L"known"}},                                     // a hyphen ends a word
        {L"hy\xADphen\xAD", {L"hy\xADphen"}},                                     // soft hyphen inside only
        {L"MP3 2nd 2024", {L"MP3", L"2nd", L"2024"}},
        {L"Atat\xFCrk na\x0131ve", {L"Atat\xFCrk", L"na\x0131ve"}},
        {L"e\x0301t\xE9 \x0301x", {L"e\x0301t\xE9", L"x"}},                      // marks join; a lone one does not start
        {L"\x041C\x043E\x0441\x043A\x0432\x0430, \x03B1\x03B2\x03B3", {L"\x041C\x043E\x0441\x043A\x0432\x0430", L"\x03B1\x03B2\x03B3"}},
        {L"a\xFFFC" L"b", {L"a", L"b"}},                                          // an object separates
        {L"it''s ab'", {L"it", L"s", L"ab"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Words(c.text), c.words) << testing::PrintToString(std::wstring(c.text));
}

TEST(Words, ASelectionIsTrimmedToItsWords) {
    struct Case {
        const wchar_t* selection;
        std::size_t start, length;
    } cases[] = {
        {L"word ", 0, 4}, {L" (word),", 2, 4}, {L"foot race\r\n", 0, 9}, {L"'dogs' ", 1, 5}, {L" .,; ", 0, 0}, {L"", 0, 0},
    };
    for (const auto& c : cases) {
        const WordSpan w = TrimToWords(c.selection);
        EXPECT_EQ(w.start, c.start) << testing::PrintToString(std::wstring(c.selection));
        EXPECT_EQ(w.length, c.length) << testing::PrintToString(std::wstring(c.selection));
    }
}

TEST(Words, LookupFormDropsSoftHyphensAndStraightensApostrophes) {
    EXPECT_EQ(LookupForm(L"Hallowe\x2019" L"en"), U"Hallowe'en");
    EXPECT_EQ(LookupForm(L"hy\xADphen"), U"hyphen");
}

TEST(Words, SkipOptionsLeaveWordsUnchecked) {
    struct Case {
        const wchar_t* text;
        const wchar_t* word;
        SkipOptions options;
        bool skipped;
    } cases[] = {
        {L"in 2024 we", L"2024", {}, true},  // no letters: never a word to check
        {L"play MP3 files", L"MP3", {}, false},
        {L"play MP3 files", L"MP3", {.wordsWithDigits = true}, true},
        {L"ask NASA now", L"NASA", {}, false},
        {L"ask NASA now", L"NASA", {.wordsInCapitals = true}, true},
        {L"ask Nasa now", L"Nasa", {.wordsInCapitals = true}, false},
        {L"see www.exmaple.com today", L"exmaple", {.addresses = true}, true},
        {L"see www.exmaple.com today", L"exmaple", {}, false},
        {L"at <http://host.example/pathh>.", L"pathh", {.addresses = true}, true},
        {L"mail jdoe@exmaple.org now", L"jdoe", {.addresses = true}, true},
        {L"mail jdoe@exmaple.org now", L"exmaple", {.addresses = true}, true},
        {L"end.Nxet sentence", L"Nxet", {.addresses = true}, false},  // no address mark
        {L"a @ b. c", L"b", {.addresses = true}, false},
    };
    for (const auto& c : cases) {
        const std::wstring_view text = c.text;
        const auto at = text.find(c.word);
        ASSERT_NE(at, std::wstring_view::npos);
        EXPECT_EQ(sp::IsSkipped(text, {at, std::wcslen(c.word)}, c.options), c.skipped) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(Unicode, LettersAndCaseBeyondAscii) {
    EXPECT_TRUE(IsLetter(U'\xFC'));
    EXPECT_TRUE(IsLetter(U'\x4E2D'));     // CJK
    EXPECT_TRUE(IsLetter(U'\x1D49C'));    // a letter outside the basic plane
    EXPECT_FALSE(IsLetter(U'\xD7'));      // multiplication sign
    EXPECT_FALSE(IsLetter(U'\x2019'));
    EXPECT_TRUE(IsMark(U'\x301'));
    EXPECT_EQ(ToUpper(U'\xFC'), U'\xDC');
    EXPECT_EQ(ToLower(U'\x130'), U'\x130');  // no one-to-one lower case: left alone
    EXPECT_EQ(ToLower(U'\x391'), U'\x3B1');
    EXPECT_EQ(ToUpper(U'\x101'), U'\x100');  // runs with a stride of two
    EXPECT_EQ(ToUpper(U'\x100'), U'\x100');
    EXPECT_EQ(Lower(U"Atat\xDCRK"), U"atat\xFCrk");
}

TEST(Unicode, Utf8DecodingRefusesMalformedBytes) {
    std::u32string out;
    EXPECT_TRUE(DecodeUtf8("Atat\xC3\xBCrk \xF0\x9D\x92\x9C", out));
    EXPECT_EQ(out, U"Atat\xFCrk \x1D49C");
    for (std::string bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "a\xE2\x82"})
        EXPECT_FALSE(DecodeUtf8(bad, out)) << testing::PrintToString(bad);
    EXPECT_EQ(Utf8ToU32("a\xC3z"), U"a\xFFFDz");
    EXPECT_EQ(WideToU32(U32ToWide(U"x\x1D49Cy")), U"x\x1D49Cy");
}

}  // namespace
}  // namespace sp
