// The spelling dictionary: what it accepts (the made one and small ones), and its reader's
// refusal of damaged files, without reading out of bounds.

#include <gtest/gtest.h>

#include "base/Error.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/tests/TestDictionaries.h"

namespace sp {
namespace {

TEST(Dictionary, AcceptsAndRefusesAsAnEditorReaderWould) {
    SpellChecker checker(test::RealDictionary(), nullptr);
    struct Case {
        const wchar_t* word;
        bool correct;
    } cases[] = {
        {L"the", true}, {L"The", true}, {L"THE", true}, {L"tHe", false}, {L"thE", false},
        {L"i", false}, {L"I", true},
        {L"Aaron", true}, {L"AARON", true}, {L"aaron", false},
        {L"dogs'", true}, {L"dog's", true}, {L"James's", true}, {L"James'", true}, {L"cat'", false},
        {L"recieve's", false},
        {L"o'clock", true}, {L"o\x2019" L"clock", true}, {L"Hallowe'en", true}, {L"HALLOWE'EN", true},
        {L"Atat\xFCrk", true}, {L"ATAT\xDCRK", true}, {L"Ataturk", false},
        {L"don't", true}, {L"receive", true}, {L"recieve", false}, {L"definately", false},
        {L"hy\xADphen", true},  // a soft hyphen does not count
        {L"MP3", false}, {L"abc", false},
        {L"\x043A\x043E\x0442", false},  // another script: no entry, so it is misspelt
    };
    for (const auto& c : cases) EXPECT_EQ(checker.IsCorrect(c.word), c.correct) << testing::PrintToString(std::wstring(c.word));
}

TEST(Dictionary, CaseRulesHoldForEveryKindOfEntry) {
    auto d = test::SmallDictionary("march\nMarch\nMcDonald\nNASA\nit\n");
    auto user = std::make_shared<UserDictionary>();
    user->Add(L"Zorvik");
    user->Add(L"flan");
    user->Add(L"don\x2019tcha");  // as it came from a text
    SpellChecker checker(d, user);
    struct Case {
        const wchar_t* word;
        bool correct;
    } cases[] = {
        {L"march", true}, {L"March", true}, {L"MARCH", true}, {L"mARCH", false},
        {L"McDonald", true}, {L"MCDONALD", true}, {L"Mcdonald", false}, {L"mcdonald", false},
        {L"NASA", true}, {L"Nasa", false},
        {L"it's", true}, {L"IT'S", true}, {L"It\x2019s", true},
        {L"Zorvik", true}, {L"ZORVIK", true}, {L"zorvik", false}, {L"Zorvik's", true},
        {L"flan", true}, {L"Flan", true}, {L"flans'", false}, {L"flan's", true},
        {L"don'tcha", true}, {L"don\x2019tcha", true},
    };
    for (const auto& c : cases) EXPECT_EQ(checker.IsCorrect(c.word), c.correct) << testing::PrintToString(std::wstring(c.word));
}

TEST(Dictionary, IgnoreAllLastsForTheChecker) {
    SpellChecker checker(test::SmallDictionary("cat\n"), nullptr);
    EXPECT_FALSE(checker.IsCorrect(L"Zorvik"));
    checker.IgnoreAll(L"Zorvik");
    EXPECT_TRUE(checker.IsCorrect(L"Zorvik"));
    EXPECT_FALSE(checker.IsCorrect(L"zorvik"));  // as it was written
    SpellChecker other(test::SmallDictionary("cat\n"), nullptr);
    EXPECT_FALSE(other.IsCorrect(L"Zorvik"));
}

TEST(Dictionary, KeepsCommonnessAndLengthsAsBuilt) {
    auto d = test::SmallDictionary("cat 10\ncot 50\nCatalogue\nx\n");
    ASSERT_EQ(d->WordCount(), 4u);
    std::map<std::string, int> classes;
    for (std::uint32_t w = 0; w < d->WordCount(); ++w) {
        classes[std::string(d->Text(w))] = d->Commonness(w);
        EXPECT_GE(static_cast<int>(w), static_cast<int>(d->FirstOfLength(d->Length(w))));
        EXPECT_LT(w, d->EndOfLength(d->Length(w)));
    }
    EXPECT_EQ(classes["cat"], 10);
    EXPECT_EQ(classes["cot"], 50);
    EXPECT_EQ(classes["Catalogue"], kUnclassed);
    int found = 0;
    d->ForEachSpelling("catalogue", [&](std::uint32_t w) { found += d->Text(w) == "Catalogue"; });
    EXPECT_EQ(found, 1);
    // The real one: common words are classed, the letter "i" is left out.
    auto real = test::RealDictionary();
    EXPECT_GT(real->WordCount(), 90000u);
    int theClass = -1, iCount = 0;
    real->ForEachSpelling("the", [&](std::uint32_t w) { theClass = real->Commonness(w); });
    real->ForEachSpelling("i", [&](std::uint32_t w) { iCount += real->Text(w) == "i"; });
    EXPECT_EQ(theClass, 10);
    EXPECT_EQ(iCount, 0);
}

// Bytes that break one promise of the format each; the checksum is put right after the change,
// so that the reader's own checks must find the fault.
TEST(DictionaryFile, RefusesDamagedDictionariesWithAReason) {
    const std::string good = test::SmallDictionaryBytes("cat\ncot\ndog\nCatalogue\n");
    ASSERT_NO_THROW(SpellDictionary(good, L"d"));
    const std::uint32_t words = test::SectionOffset(good, 0), lengths = test::SectionOffset(good, 1),
                        hash = test::SectionOffset(good, 2), pool = test::SectionOffset(good, 3);
    const std::uint32_t slots = (pool - hash) / 4;
    struct Case {
        const char* name;
        std::function<void(std::string&)> damage;
        bool reseal;
        const wchar_t* reason;
    } cases[] = {
        {"empty", [](std::string& b) { b.clear(); }, false, L"not a dictionary"},
        {"other mark", [](std::string& b) { b[0] = 'Y'; }, false, L"not a dictionary"},
        {"newer version", [](std::string& b) { test::PutU32At(b, 8, 2); }, false, L"version 2"},
        {"cut short", [](std::string& b) { b.resize(b.size() - 1); }, false, L"header says"},
        {"a flipped byte", [&](std::string& b) { b[pool + 1] ^= 0x20; }, false, L"checksum"},
        {"more sections", [](std::string& b) { test::PutU32At(b, 20, 5); }, false, L"sections"},
        {"section past the end", [](std::string& b) { test::PutU32At(b, 24 + 12 * 3 + 4, 1u << 30); }, true, L"section"},
        {"word outside the pool", [&](std::string& b) { test::PutU32At(b, words, 1u << 20); }, true, L"outside the text pool"},
        {"commonness too high", [&](std::string& b) { b[words + 6] = static_cast<char>(101); }, true, L"commonness"},
        {"word in the wrong length run", [&](std::string& b) { b[words + 7] = 9; }, true, L"length"},
        {"length index backwards", [&](std::string& b) { test::PutU32At(b, lengths + 4 * 3, 4); test::PutU32At(b, lengths + 4 * 4, 1); }, true, L"length"},
        {"hash names a missing word", [&](std::string& b) { test::PutU32At(b, hash, 99); }, true, L"not there"},
        {"hash table full", [&](std::string& b) { for (std::uint32_t s = 0; s < slots; ++s) if (b.substr(hash + 4 * s, 4) == std::string(4, '\0')) test::PutU32At(b, hash + 4 * s, 1); }, true, L"full"},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        if (c.reseal) test::Reseal(bytes);
        try {
            SpellDictionary d(bytes, L"VSSP_AE.DCT");
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const zv::Error& e) {
            EXPECT_EQ(e.Description().rfind(L"VSSP_AE.DCT: ", 0), 0u) << c.name;
            EXPECT_NE(e.Description().find(c.reason), std::wstring::npos) << c.name << ": " << testing::PrintToString(e.Description());
        }
    }
}

// Every cut and, with the checksum put right, every changed byte either is refused or gives a
// dictionary that answers look-ups and suggestions without reading outside its bytes (the
// sanitizers watch).
TEST(DictionaryFile, NoDamageMakesTheReaderReadOutOfBounds) {
    const std::string good = test::SmallDictionaryBytes("cat\ncot\ndog\nCatalogue\nna\xC3\xAFve\n");
    auto use = [](const SpellDictionary& d) {
        SpellChecker c(std::make_shared<SpellDictionary>(d), nullptr);
        c.IsCorrect(L"cat");
        c.IsCorrect(L"Catalogue");
        c.Suggest(L"cta", 5);
        c.Suggest(L"naive", 5);
    };
    for (std::size_t n = 0; n < good.size(); ++n) EXPECT_THROW(SpellDictionary(good.substr(0, n), L"d"), zv::Error);
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (unsigned char flip : {0x01, 0x80, 0xFF}) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(bytes[at] ^ flip);
            if (at >= 12) test::Reseal(bytes);
            try {
                use(SpellDictionary(bytes, L"d"));
            } catch (const zv::Error&) {
            }
        }
    }
}

}  // namespace
}  // namespace sp
