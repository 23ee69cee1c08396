// A whole-text check driven as the dialog drives it: each decision, the text after it, the count.

#include <gtest/gtest.h>

#include <fstream>

#include "base/Error.h"
#include "components/spelling/CheckSession.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/tests/TestDictionaries.h"

namespace sp {
namespace {

class StringText : public TextAccess {
public:
    explicit StringText(std::wstring text) : text(std::move(text)) {}
    std::wstring Text() override { return text; }
    void Replace(std::size_t start, std::size_t length, const std::wstring& with) override {
        text.replace(start, length, with);
        ++changes;
    }
    std::wstring text;
    int changes = 0;
};

auto Dictionary() { return test::SmallDictionary("the\ncat\nsat\non\nmat\na\nhat\nand\ndog\nran\n"); }

TEST(CheckSession, EveryDecisionLeavesTheTextAsTheAuthorMeantIt) {
    SpellChecker checker(Dictionary(), std::make_shared<UserDictionary>());
    StringText text(L"The cta sat. Teh zorvik ran, teh cta sat on zorvik and xyz and Zorvik.");
    CheckSession s(checker, text, {});
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"cta");
    EXPECT_EQ(s.Current().start, 4u);
    s.ChangeAll(L"cat");
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"Teh");
    s.Change(L"The");
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"zorvik");
    s.IgnoreAll();
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"teh");  // Change was for one occurrence only
    s.Ignore();
    // The second "cta" is changed without asking; the second "zorvik" is ignored without asking.
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"xyz");
    s.Add();
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"Zorvik");  // Ignore All takes the word as it was written
    s.Ignore();
    EXPECT_FALSE(s.Next());
    EXPECT_EQ(text.text, L"The cat sat. The zorvik ran, teh cat sat on zorvik and xyz and Zorvik.");
    EXPECT_EQ(text.changes, 3);
    // cta, Teh, zorvik, teh, cta (Change All), zorvik (Ignore All), xyz, Zorvik.
    EXPECT_EQ(s.BadWordCount(), 8);
    EXPECT_TRUE(checker.IsCorrect(L"xyz"));  // added
    EXPECT_EQ(s.Word(), L"");
}

TEST(CheckSession, ACleanTextCountsNothingAndIgnoredWordsOfAnEarlierCheckAreRight) {
    SpellChecker checker(Dictionary(), nullptr);
    StringText clean(L"The cat sat on the mat. 2024 www.exmaple.com");
    CheckSession s(checker, clean, {.addresses = true});
    EXPECT_FALSE(s.Next());
    EXPECT_EQ(s.BadWordCount(), 0);
    StringText text(L"zorvik and zorvik");
    CheckSession first(checker, text, {});
    ASSERT_TRUE(first.Next());
    first.IgnoreAll();
    EXPECT_FALSE(first.Next());
    EXPECT_EQ(first.BadWordCount(), 2);
    CheckSession second(checker, text, {});
    EXPECT_FALSE(second.Next());
    EXPECT_EQ(second.BadWordCount(), 0);
}

TEST(CheckSession, AChangeToTheSameWordOrToNothingIsTakenLiterally) {
    SpellChecker checker(Dictionary(), nullptr);
    StringText text(L"cat xq dog xq qq");
    CheckSession s(checker, text, {});
    ASSERT_TRUE(s.Next());
    s.Change(L"xq");  // unchanged: no change made
    ASSERT_TRUE(s.Next());
    s.ChangeAll(L"");  // deleted, here and after
    ASSERT_TRUE(s.Next());
    EXPECT_EQ(s.Word(), L"qq");
    EXPECT_FALSE((s.Ignore(), s.Next()));
    EXPECT_EQ(text.text, L"cat xq dog  qq");
    EXPECT_EQ(text.changes, 1);
}

TEST(CheckSession, TheSentenceAroundTheWordIsShown) {
    SpellChecker checker(Dictionary(), nullptr);
    StringText text(L"First one. The cta sat\xFFFC on it! Next.\r\nOther line");
    CheckSession s(checker, text, {});
    ASSERT_TRUE(s.Next());
    ASSERT_EQ(s.Word(), L"First");
    std::size_t at = 99;
    EXPECT_EQ(s.Sentence(at), L"First one.");
    EXPECT_EQ(at, 0u);
    while (s.Next() && s.Word() != L"cta") {
    }
    EXPECT_EQ(s.Sentence(at), L"The cta sat  on it!");
    EXPECT_EQ(at, 4u);
    while (s.Next() && s.Word() != L"Other") {
    }
    EXPECT_EQ(s.Sentence(at), L"Other line");
}

TEST(CheckSession, AWordThatCannotBeSavedIsStillKnown) {
    test::ScratchFolder folder;
    std::ofstream(folder.Path() / "file") << "x";
    SpellChecker checker(Dictionary(), std::make_shared<UserDictionary>(folder.File(L"file") + L"/Custom.dct"));
    StringText text(L"xq and xq");
    CheckSession s(checker, text, {});
    ASSERT_TRUE(s.Next());
    EXPECT_THROW(s.Add(), zv::Error);
    EXPECT_FALSE(s.Next());
    EXPECT_EQ(s.BadWordCount(), 1);
}

}  // namespace
}  // namespace sp
