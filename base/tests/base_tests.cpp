#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "base/Cp1252.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/PerThread.h"

namespace {

// Counts its own lives, so a test sees every value freed exactly once.
struct Counted {
    static inline std::atomic<int> alive{0};
    Counted() { ++alive; }
    ~Counted() { --alive; }
    std::vector<int> room = std::vector<int>(64, 7);  // something on the heap to free
};

TEST(PerThread, EachThreadHasItsOwnValueFreedWhenTheThreadEnds) {
    zv::PerThread<Counted> state;
    EXPECT_EQ(state.Find(), nullptr);
    Counted* mine = &state.Get();
    EXPECT_EQ(state.Find(), mine);
    for (int round = 0; round < 3; ++round) {
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&state, mine, t] {
                EXPECT_EQ(state.Find(), nullptr);  // nothing of another thread shows here
                EXPECT_NE(&state.Get(), mine);
                state.Get().room.push_back(t);
            });
        }
        for (auto& t : threads) t.join();
        EXPECT_EQ(state.Live(), 1u);  // only this thread's value is left
        EXPECT_EQ(Counted::alive, 1);
    }
    state.Reset();
    EXPECT_EQ(state.Find(), nullptr);
    EXPECT_EQ(state.Live(), 0u);
    EXPECT_EQ(Counted::alive, 0);
    state.Reset();  // nothing to free: no harm
    EXPECT_EQ(Counted::alive, 0);
}

TEST(PerThread, FreeingTheSlotFreesTheValuesStillHeld) {
    {
        zv::PerThread<Counted> state;
        state.Get();
        EXPECT_EQ(Counted::alive, 1);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(Cp1252, RoundTripsEveryByteAndMapsTheSpecialRange) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::wstring text = zv::DecodeCp1252(all);
    EXPECT_EQ(text[0x80], L'\x20AC');  // euro sign
    EXPECT_EQ(text[0x9F], L'\x0178');
    EXPECT_EQ(text[0x81], L'\x0081');  // unassigned: the control character of the same value
    EXPECT_EQ(text[0xE9], L'\xE9');
    EXPECT_EQ(zv::EncodeCp1252(text), all);
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(zv::EncodeCp1252(L"a\x0416z\x20AC"), std::string("a?z\x80"));
}

TEST(Paths, PlainFileNames) {
    struct Case {
        const wchar_t* name;
        bool plain;
    };
    const Case cases[] = {
        {L"0001.txm", true}, {L"page one.txm", true}, {L"", false},       {L".", false},
        {L"..", false},      {L"..\\x.txm", false},   {L"a/b", false},    {L"C:x.txm", false},
        {L"a*b", false},     {L"a\tb", false},        {L"CON", false},    {L"nul.txm", false},
        {L"COM1.txm", false},{L"COM10.txm", true},    {L"name.", false},  {L"name ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(zv::IsPlainFileName(c.name), c.plain) << c.name;
}

TEST(Paths, JoinAndSplit) {
    const std::wstring sep(1, zv::kPathSeparator);
    EXPECT_EQ(zv::JoinPath(L"dir", L"Map.txt"), L"dir" + sep + L"Map.txt");
    EXPECT_EQ(zv::JoinPath(L"dir" + sep, L"Map.txt"), L"dir" + sep + L"Map.txt");
    EXPECT_EQ(zv::ParentFolder(L"C:\\m\\000042\\000042.zvk"), L"C:\\m\\000042");
    EXPECT_EQ(zv::LastPathPart(L"C:\\m\\000042"), L"000042");
    EXPECT_EQ(zv::ParentFolder(L"plain"), L"");
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zv_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::wstring Path(const wchar_t* name) const { return zv::JoinPath(dir_.wstring(), name); }
    std::filesystem::path dir_;
};

TEST_F(FilesTest, ReplaceShortensALongerFileAndLeavesNoTemporaryFile) {
    zv::WriteFileReplacing(Path(L"f.txt"), std::string(1000, 'x'));
    zv::WriteFileReplacing(Path(L"f.txt"), "short");
    EXPECT_EQ(zv::ReadFileBytes(Path(L"f.txt")), "short");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

TEST_F(FilesTest, FailedReplaceKeepsTheOldFile) {
    zv::WriteFileReplacing(Path(L"f.txt"), "old");
    // A folder standing where the temporary file must go makes the write fail.
    std::filesystem::create_directory(dir_ / "~f.txt.tmp");
    EXPECT_THROW(zv::WriteFileReplacing(Path(L"f.txt"), "new"), zv::Error);
    EXPECT_EQ(zv::ReadFileBytes(Path(L"f.txt")), "old");
}

// Page names come from the page map in its code page: "Caf\xE9.txm" and the like. The program runs
// under the C locale, where the library cannot convert such a name itself.
TEST_F(FilesTest, NamesBeyondAsciiAreReadWrittenAndListedAsTheyAre) {
    const std::wstring names[] = {L"Caf\xE9.txm", L"\x041F\x0440\x0438.txm", L"\x65E5\x672C.txm", L"\x20AC 0001.txm"};
    for (const auto& name : names) {
        const std::wstring path = zv::JoinPath(zv::WidePath(dir_), name);
        zv::WriteFileReplacing(path, "page");
        EXPECT_TRUE(zv::FileExists(path));
        EXPECT_EQ(zv::ReadFileBytes(path), "page");
    }
    std::vector<std::wstring> listed;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) listed.push_back(zv::WidePath(entry.path().filename()));
    std::sort(listed.begin(), listed.end());
    std::vector<std::wstring> expected(std::begin(names), std::end(names));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
}

TEST_F(FilesTest, NoLibraryExceptionEscapesAFileCall) {
    // A name no file system holds, and a folder in place of a file: each is told as the program's
    // own error, naming the file.
    const std::wstring odd = zv::JoinPath(zv::WidePath(dir_), std::wstring(L"a") + static_cast<wchar_t>(0xD800) + L".txm");
    EXPECT_FALSE(zv::FileExists(odd));
    EXPECT_FALSE(zv::FolderExists(odd));
    EXPECT_THROW(zv::ReadFileBytes(odd), zv::Error);
    std::filesystem::create_directories(dir_ / "folder.txm");
    try {
        zv::ReadFileBytes(Path(L"folder.txm"));
        ADD_FAILURE() << "a folder was read as a file";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"folder.txm"), std::wstring::npos);
    }
}

TEST_F(FilesTest, ReadingAMissingFileNamesIt) {
    try {
        zv::ReadFileBytes(Path(L"missing.txt"));
        FAIL() << "no error";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"missing.txt"), std::wstring::npos);
    }
}

}  // namespace
