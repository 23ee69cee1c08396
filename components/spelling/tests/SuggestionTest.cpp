// Suggestions: the keyboard-aware distance, and the order and case of what the checker offers.

#include <gtest/gtest.h>

#include "components/spelling/KeyboardDistance.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/tests/TestDictionaries.h"

namespace sp {
namespace {

TEST(KeyboardDistance, SlipsCostLessThanOtherEdits) {
    struct Case {
        const char32_t* typed;
        const char32_t* word;
        int cost;
    } cases[] = {
        {U"the", U"the", 0},
        {U"teh", U"the", cost::kSwap},
        {U"teh", U"ten", cost::kNeighbourKey},   // h and n touch
        {U"teh", U"tea", cost::kEdit},           // h and a do not
        {U"recieve", U"receive", cost::kSwap},
        {U"definately", U"definitely", cost::kEdit},
        {U"ocasion", U"occasion", cost::kDouble},
        {U"occassion", U"occasion", cost::kDouble},
        {U"dont", U"don't", cost::kApostrophe},
        {U"cat", U"cart", cost::kEdit},
        {U"", U"ab", 2 * cost::kEdit},
        {U"abcd", U"", 4 * cost::kEdit},
        {U"acb", U"abc", cost::kSwap},
        {U"aab", U"ab", cost::kDouble},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyboardDistance(c.typed, c.word, 1000), c.cost) << testing::PrintToString(std::u32string(c.typed)) << " "
                                                                  << testing::PrintToString(std::u32string(c.word));
    // Beyond the limit the answer only has to say so.
    EXPECT_GT(KeyboardDistance(U"abcdef", U"uvwxyz", 200), 200);
    EXPECT_GT(KeyboardDistance(std::u32string(65, U'a'), U"a", 1000), 1000);
}

TEST(KeyboardDistance, NeighbourKeysFollowTheUsLayout) {
    EXPECT_TRUE(AreNeighbourKeys(U'q', U'w'));
    EXPECT_TRUE(AreNeighbourKeys(U'a', U'q'));
    EXPECT_TRUE(AreNeighbourKeys(U'a', U'w'));
    EXPECT_TRUE(AreNeighbourKeys(U'n', U'h'));
    EXPECT_TRUE(AreNeighbourKeys(U'm', U'k'));
    EXPECT_FALSE(AreNeighbourKeys(U'a', U'e'));
    EXPECT_FALSE(AreNeighbourKeys(U'p', U'a'));
    EXPECT_FALSE(AreNeighbourKeys(U'z', U'd'));
    EXPECT_FALSE(AreNeighbourKeys(U'a', U'a'));
    EXPECT_FALSE(AreNeighbourKeys(U'\xFC', U'u'));
}

TEST(Suggestions, FirstSuggestionsForCommonMisspellings) {
    SpellChecker checker(test::RealDictionary(), nullptr);
    struct Case {
        const wchar_t* typed;
        const wchar_t* first;
    } cases[] = {
        {L"teh", L"the"},           {L"Teh", L"The"},
        {L"TEH", L"THE"},           {L"recieve", L"receive"},
        {L"definately", L"definitely"}, {L"Definately", L"Definitely"},
        {L"acommodate", L"accommodate"}, {L"wierd", L"weird"},
        {L"seperate", L"separate"}, {L"tHe", L"the"},
        {L"i", L"I"},               {L"aaronn", L"Aaron"},       // the entry's own capitals stay
        {L"AARONN", L"AARON"},      {L"dgos'", L"dogs'"},
        {L"freind\x2019s", L"friend\x2019s"},                    // the apostrophe as typed
        {L"Atatruk", L"Atat\xFCrk"},
    };
    for (const auto& c : cases) {
        auto s = checker.Suggest(c.typed, 5);
        ASSERT_FALSE(s.empty()) << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(s.front(), c.first) << testing::PrintToString(std::wstring(c.typed));
        EXPECT_LE(s.size(), 5u);
    }
    EXPECT_TRUE(checker.Suggest(L"xqzvjkwp", 5).empty());
    EXPECT_TRUE(checker.Suggest(std::wstring(80, L'a'), 5).empty());
}

TEST(Suggestions, TiesGoToTheCommonerWordThenToTheAlphabet) {
    // z touches a and x on the keyboard, not o or u: "cat" and "cxt" are nearest, "cot" and "cut"
    // next; within each pair the class decides, then the alphabet.
    auto d = test::SmallDictionary("cot 50\ncut 50\ncat 10\ncast\ncxt\n");
    SpellChecker checker(d, nullptr);
    EXPECT_EQ(checker.Suggest(L"czt", 10), (std::vector<std::wstring>{L"cat", L"cxt", L"cot", L"cut", L"cast"}));
    auto user = std::make_shared<UserDictionary>();
    user->Add(L"Czech");
    SpellChecker withUser(d, user);
    auto s = withUser.Suggest(L"Czeck", 10);
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.front(), L"Czech");  // the author's words are suggested too
}

TEST(Suggestions, NoDuplicatesWhenCaseFoldsTwoEntriesTogether) {
    auto d = test::SmallDictionary("march\nMarch\n");
    SpellChecker checker(d, nullptr);
    EXPECT_EQ(checker.Suggest(L"Marhc", 10), (std::vector<std::wstring>{L"March"}));
    EXPECT_EQ(checker.Suggest(L"marhc", 10), (std::vector<std::wstring>{L"March", L"march"}));
}

}  // namespace
}  // namespace sp
