// The thesaurus: building it from its text, looking words and phrases up, base forms and endings,
// and its reader's refusal of damaged files.

#include <gtest/gtest.h>

#include "base/Error.h"
#include "components/spelling/DictionaryBuilder.h"
#include "components/spelling/Inflection.h"
#include "components/spelling/Thesaurus.h"
#include "components/spelling/Unicode.h"
#include "components/spelling/tests/TestDictionaries.h"

namespace sp {
namespace {

const char kText[] =
    "UTF-8\n"
    "big|2\n"
    "(adj)|large|huge (similar term)|small (antonym)\n"
    "(adj)|important|significant (related term)\n"
    "foot race|1\n"
    "(noun)|footrace|race (generic term)\n"
    "run|2\r\n"
    "(verb)|sprint|jog\r\n"
    "(noun)|tally|score (generic term)\r\n"
    "running|1\n"
    "(adj)|flowing\n"
    "caf\xC3\xA9|1\n"
    "(noun)|coffee shop|The Coffee House\n"
    "Zebra|1\n"
    "(noun)|equine (generic term)\n";

std::vector<std::wstring> Synonyms(const Meaning& m) {
    std::vector<std::wstring> out;
    for (const auto& s : m.synonyms) out.push_back(s.text + (s.note == SynonymNote::None ? L"" : L" (" + NoteName(s.note) + L")"));
    return out;
}

TEST(Thesaurus, LooksUpWordsAndPhrasesWithTheirMeanings) {
    Thesaurus t(BuildThesaurus(kText), L"t");
    EXPECT_EQ(t.EntryCount(), 6u);
    auto big = t.LookUp(L"  Big ");
    ASSERT_TRUE(big.found);
    EXPECT_EQ(big.word, L"big");
    ASSERT_EQ(big.meanings.size(), 2u);
    EXPECT_EQ(big.meanings[0].Label(), L"large");
    EXPECT_EQ(big.meanings[0].partOfSpeech, PartOfSpeech::Adjective);
    EXPECT_EQ(Synonyms(big.meanings[0]), (std::vector<std::wstring>{L"large", L"huge (similar term)", L"small (antonym)"}));
    EXPECT_EQ(Synonyms(big.meanings[1]), (std::vector<std::wstring>{L"important", L"significant (related term)"}));
    auto phrase = t.LookUp(L"Foot\r\n  Race");  // whole, with its blanks tidied
    ASSERT_TRUE(phrase.found);
    EXPECT_EQ(Synonyms(phrase.meanings[0]), (std::vector<std::wstring>{L"footrace", L"race (generic term)"}));
    EXPECT_TRUE(t.LookUp(L"CAF\xC9").found);
    EXPECT_TRUE(t.LookUp(L"zebra").found);
    EXPECT_FALSE(t.LookUp(L"foot").found);  // a phrase's first word is no headword
}

TEST(Thesaurus, AFormOfAHeadwordBringsItsMeaningsAndSaysWhose) {
    Thesaurus t(BuildThesaurus(kText), L"t");
    auto running = t.LookUp(L"running");
    EXPECT_EQ(running.baseForm, L"run");
    EXPECT_EQ(running.ending, Ending::Progressive);
    ASSERT_EQ(running.meanings.size(), 3u);  // its own, then those of "run"
    EXPECT_EQ(running.meanings[0].headword, L"running");
    EXPECT_EQ(running.meanings[1].headword, L"run");
    EXPECT_EQ(running.meanings[1].Label(), L"sprint");
    auto runs = t.LookUp(L"runs");
    EXPECT_EQ(runs.baseForm, L"run");
    EXPECT_EQ(runs.meanings.size(), 2u);
    EXPECT_TRUE(t.LookUp(L"bigger").found);
    EXPECT_EQ(t.LookUp(L"big").baseForm, L"");
}

TEST(Thesaurus, AnUnknownWordListsTheNearestHeadwords) {
    Thesaurus t(BuildThesaurus(kText), L"t");
    auto r = t.LookUp(L"bog", 3);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.nearby, (std::vector<std::wstring>{L"big", L"caf\xE9", L"foot race"}));
    EXPECT_EQ(t.LookUp(L"zzz", 2).nearby, (std::vector<std::wstring>{L"running", L"zebra"}));
    EXPECT_EQ(t.LookUp(L"a", 2).nearby, (std::vector<std::wstring>{L"big", L"caf\xE9"}));
    EXPECT_TRUE(t.LookUp(L"   ").nearby.empty());
}

TEST(Thesaurus, TheRealThesaurusKnowsCommonWords) {
    const Thesaurus& t = test::RealThesaurus();
    auto running = t.LookUp(L"running");
    EXPECT_EQ(running.baseForm, L"run");
    bool scarper = false;  // a meaning of the verb "run"
    for (const auto& m : running.meanings)
        for (const auto& s : m.synonyms) scarper = scarper || (s.text == L"scarper" && m.headword == L"run");
    EXPECT_TRUE(scarper);
    auto happy = t.LookUp(L"Happy");
    ASSERT_TRUE(happy.found);
    EXPECT_EQ(happy.meanings[0].partOfSpeech, PartOfSpeech::Adjective);
    EXPECT_TRUE(t.LookUp(L"foot race").found);
}

TEST(Inflection, EndingsComeOffAndGoOnAgain) {
    struct Case {
        const char32_t* word;
        const char32_t* base;
        Ending ending;
    } cases[] = {
        {U"running", U"run", Ending::Progressive}, {U"making", U"make", Ending::Progressive},
        {U"walked", U"walk", Ending::Past},        {U"carried", U"carry", Ending::Past},
        {U"baked", U"bake", Ending::Past},         {U"stopped", U"stop", Ending::Past},
        {U"cities", U"city", Ending::Plural},      {U"boxes", U"box", Ending::Plural},
        {U"cats", U"cat", Ending::Plural},         {U"happier", U"happy", Ending::Comparative},
        {U"biggest", U"big", Ending::Superlative},
    };
    for (const auto& c : cases) {
        bool found = false;
        for (const auto& b : BaseForms(c.word)) found = found || (b.base == c.base && b.ending == c.ending);
        EXPECT_TRUE(found) << testing::PrintToString(std::u32string(c.word));
    }
    EXPECT_TRUE(BaseForms(U"glass").empty());
    EXPECT_TRUE(BaseForms(U"is").empty());
    const std::set<std::u32string> known{U"sprinting", U"jogging", U"hoping", U"hopping", U"cities", U"boxes", U"happier"};
    auto isWord = [&](const std::u32string& w) { return known.count(w) != 0; };
    EXPECT_EQ(AddEnding(U"sprint", Ending::Progressive, isWord), U"sprinting");
    EXPECT_EQ(AddEnding(U"jog", Ending::Progressive, isWord), U"jogging");
    EXPECT_EQ(AddEnding(U"hope", Ending::Progressive, isWord), U"hoping");
    EXPECT_EQ(AddEnding(U"city", Ending::Plural, isWord), U"cities");
    EXPECT_EQ(AddEnding(U"box", Ending::Plural, isWord), U"boxes");
    EXPECT_EQ(AddEnding(U"happy", Ending::Comparative, isWord), U"happier");
    EXPECT_EQ(AddEnding(U"zorvik", Ending::Past, isWord), U"zorvik");  // no known spelling: as it was
}

TEST(ThesaurusText, MalformedLinesAreNamed) {
    struct Case {
        const char* text;
        const wchar_t* reason;
    } cases[] = {
        {"KOI8-R\n", L"line 1"},
        {"UTF-8\nbig\n(adj)|large\n", L"line 2: a headword line"},
        {"UTF-8\nbig|x\n", L"line 2: the number"},
        {"UTF-8\nbig|\n", L"line 2: the number"},
        {"UTF-8\nbig|1\nlarge|huge\n", L"line 3: a meaning line"},
        {"UTF-8\n|1\n", L"line 2"},
    };
    for (const auto& c : cases) {
        try {
            BuildThesaurus(c.text);
            ADD_FAILURE() << c.text;
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(c.reason), std::wstring::npos) << testing::PrintToString(e.Description());
        }
    }
    EXPECT_EQ(Thesaurus(BuildThesaurus("ISO8859-1\ncaf\xE9|1\n(noun)|bistro\n"), L"t").LookUp(L"caf\xE9").meanings.size(), 1u);
}

TEST(ThesaurusFile, NoDamageMakesTheReaderReadOutOfBounds) {
    const std::string good = BuildThesaurus(kText);
    for (std::size_t n = 0; n < good.size(); ++n) EXPECT_THROW(Thesaurus(good.substr(0, n), L"t"), zv::Error);
    int refused = 0;
    for (std::size_t at = 24; at < good.size(); ++at) {
        for (unsigned char flip : {0x01, 0x10, 0x80}) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(bytes[at] ^ flip);
            test::Reseal(bytes);
            try {
                Thesaurus t(bytes, L"t");
                for (const wchar_t* w : {L"big", L"running", L"foot race", L"qq", L"caf\xE9"}) t.LookUp(w);
            } catch (const zv::Error&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace sp
