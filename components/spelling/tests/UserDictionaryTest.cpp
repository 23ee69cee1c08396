// The author's word list: its encodings, Add with its merge and its failure, and the process-wide
// sharing of dictionaries.

#include <gtest/gtest.h>

#include <fstream>

#include "base/Error.h"
#include "base/Files.h"
#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/tests/TestDictionaries.h"

namespace sp {
namespace {

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

TEST(UserWords, AreReadInEachEncodingWithoutHarmFromBlanksOrRepeats) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::vector<std::wstring> words;
    } cases[] = {
        {"empty", "", TextEncoding::Utf8, {}},
        {"UTF-8", "Zorvik\r\nAtat\xC3\xBCrk\n", TextEncoding::Utf8, {L"Zorvik", L"Atat\xFCrk"}},
        {"UTF-8 with mark", "\xEF\xBB\xBF" "caf\xC3\xA9\r\n", TextEncoding::Utf8WithMark, {L"caf\xE9"}},
        {"Windows-1252", "caf\xE9\r\nna\xEFve\r\n\x93q\x94\r\n", TextEncoding::Windows1252, {L"caf\xE9", L"na\xEFve", L"\x201Cq\x201D"}},
        {"UTF-16", std::string("\xFF\xFE" "a\0b\0\r\0\n\0\xE9\0", 12), TextEncoding::Utf16LE, {L"ab", L"\xE9"}},
        {"blanks, empty lines, repeats", "  word \t\r\n\r\n\nword\r\nWord\r\n   \r\nlast", TextEncoding::Utf8,
         {L"word", L"Word", L"last"}},
        {"control characters", "ok\r\nbad\x01word\r\n", TextEncoding::Utf8, {L"ok"}},
    };
    for (const auto& c : cases) {
        const UserWordList list = ParseUserWords(c.bytes);
        EXPECT_EQ(list.words, c.words) << c.name;
        EXPECT_EQ(list.encoding, c.encoding) << c.name;
    }
}

TEST(UserWords, AreWrittenBackInTheirEncoding) {
    const std::vector<std::wstring> words{L"caf\xE9", L"x"};
    EXPECT_EQ(EncodeUserWords(words, TextEncoding::Windows1252), "caf\xE9\r\nx\r\n");
    EXPECT_EQ(EncodeUserWords(words, TextEncoding::Utf8), "caf\xC3\xA9\r\nx\r\n");
    EXPECT_EQ(EncodeUserWords(words, TextEncoding::Utf8WithMark), "\xEF\xBB\xBF" "caf\xC3\xA9\r\nx\r\n");
    // A word Windows-1252 cannot hold turns the file into UTF-8, marked so.
    EXPECT_EQ(EncodeUserWords({L"\x043A\x043E\x0442"}, TextEncoding::Windows1252), "\xEF\xBB\xBF\xD0\xBA\xD0\xBE\xD1\x82\r\n");
    // So does a list whose Windows-1252 bytes would read as UTF-8 ("f\xC3\xA9" is "f\xE9" there).
    EXPECT_EQ(EncodeUserWords({L"f\xC3\xA9"}, TextEncoding::Windows1252), "\xEF\xBB\xBF" "f\xC3\x83\xC2\xA9\r\n");
    for (auto e : {TextEncoding::Utf8, TextEncoding::Utf8WithMark, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const UserWordList back = ParseUserWords(EncodeUserWords({L"Atat\xFCrk", L"\x043A\x043E\x0442"}, e));
        EXPECT_EQ(back.words, (std::vector<std::wstring>{L"Atat\xFCrk", L"\x043A\x043E\x0442"}));
        EXPECT_EQ(back.encoding, e);
    }
}

TEST(UserWords, AddMergesWithTheFileAsItIsThen) {
    test::ScratchFolder folder;
    const std::wstring path = folder.File(L"Custom.dct");
    WriteBytes(path, "caf\xE9\r\n");  // Windows-1252
    UserDictionary user(path);
    // Another editor of the program adds a word meanwhile.
    WriteBytes(path, "caf\xE9\r\nna\xEFve\r\n");
    user.Add(L"  Zorvik ");
    EXPECT_EQ(zv::ReadFileBytes(path), "caf\xE9\r\nna\xEFve\r\nZorvik\r\n");
    SpellChecker checker(nullptr, std::make_shared<UserDictionary>(user));
    EXPECT_TRUE(checker.IsCorrect(L"na\xEFve"));  // the merge taught this list the other's word
    EXPECT_TRUE(checker.IsCorrect(L"Zorvik"));
    user.Add(L"Zorvik");  // known already: the file stays as it is
    user.Add(L"");
    user.Add(L"two\r\nlines");
    EXPECT_EQ(zv::ReadFileBytes(path), "caf\xE9\r\nna\xEFve\r\nZorvik\r\n");
    user.Add(L"\x043A\x043E\x0442");
    EXPECT_EQ(zv::ReadFileBytes(path), "\xEF\xBB\xBF" "caf\xC3\xA9\r\nna\xC3\xAFve\r\nZorvik\r\n\xD0\xBA\xD0\xBE\xD1\x82\r\n");
    // A missing file is made by the first word.
    UserDictionary fresh(folder.File(L"new.dct"));
    EXPECT_EQ(fresh.Count(), 0u);
    fresh.Add(L"word");
    EXPECT_EQ(zv::ReadFileBytes(folder.File(L"new.dct")), "word\r\n");
}

TEST(UserWords, AWordThatCannotBeSavedIsKeptForTheRun) {
    test::ScratchFolder folder;
    WriteBytes(folder.File(L"file"), "x");
    // A folder nobody can write to: here, one whose name is taken by a file.
    const std::wstring path = folder.File(L"file") + L"/Custom.dct";
    UserDictionary user(path);
    try {
        user.Add(L"Zorvik");
        FAIL() << "the failed save was not told";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"\"Zorvik\" is kept until the program ends"), std::wstring::npos);
    }
    SpellChecker checker(nullptr, std::make_shared<UserDictionary>(user));
    EXPECT_TRUE(checker.IsCorrect(L"Zorvik"));
}

TEST(SharedDictionaries, EachFileIsReadOnceAndAWordAddedIsKnownToAll) {
    SharedDictionaries::Reset();
    test::ScratchFolder folder;
    const std::wstring main = folder.File(L"VSSP_AE.DCT"), custom = folder.File(L"Custom.dct");
    WriteBytes(main, test::SmallDictionaryBytes("cat\n"));
    WriteBytes(custom, "");
    EXPECT_EQ(SharedDictionaries::FilesRead(), 0);
    SpellChecker first(SharedDictionaries::Spelling(main), SharedDictionaries::UserWords(custom));
    SpellChecker second(SharedDictionaries::Spelling(main), SharedDictionaries::UserWords(custom));
    EXPECT_EQ(SharedDictionaries::FilesRead(), 2);
    second.User()->Add(L"Zorvik");
    EXPECT_TRUE(first.IsCorrect(L"Zorvik"));
    EXPECT_EQ(SharedDictionaries::FilesRead(), 2);
    SharedDictionaries::Reset();
}

TEST(SharedDictionaries, AMissingOrDamagedFileIsNamedAndTriedAgainLater) {
    SharedDictionaries::Reset();
    test::ScratchFolder folder;
    const std::wstring main = folder.File(L"VSSP_AE.DCT");
    auto problem = [&](const std::wstring& path) -> std::wstring {
        try {
            SharedDictionaries::Spelling(path);
        } catch (const zv::Error& e) {
            return e.Description();
        }
        return L"";
    };
    EXPECT_EQ(problem(main), L"The dictionary \"" + main + L"\" cannot be used: the file is missing.");
    std::string bytes = test::SmallDictionaryBytes("cat\n");
    bytes[bytes.size() - 2] ^= 1;
    WriteBytes(main, bytes);
    EXPECT_EQ(problem(main), L"The dictionary \"" + main + L"\" cannot be used: the file is damaged (its checksum does not match).");
    WriteBytes(main, test::SmallDictionaryBytes("cat\n"));
    EXPECT_EQ(problem(main), L"");
    WriteBytes(main, "");  // read once: the dictionary in use stays
    EXPECT_EQ(problem(main), L"");
    EXPECT_THROW(SharedDictionaries::Synonyms(folder.File(L"VSTH_AE.THE")), zv::Error);
    SharedDictionaries::Reset();
}

}  // namespace
}  // namespace sp
