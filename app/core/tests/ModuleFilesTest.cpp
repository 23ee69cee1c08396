#include <gtest/gtest.h>

#include <filesystem>
#include <cwchar>
#include <fstream>

#include "app/core/ModuleFiles.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace fs = std::filesystem;

namespace {

TEST(ModuleNames, CodesAreSixDigitsAndLongerNumbersAreRefused) {
    struct Case {
        std::int32_t number;
        const wchar_t* text;
    } cases[] = {{1, L"000001"}, {123, L"000123"}, {999999, L"999999"}, {1000000, L""}, {2147483647, L""}};
    for (const auto& c : cases) EXPECT_EQ(FormatModuleCode(c.number), c.text) << c.number;
}

TEST(ModuleNames, FormatComesFromTheExtensionInAnyCase) {
    struct Case {
        const wchar_t* name;
        int format;
    } cases[] = {{L"0001.txm", 3}, {L"a.TXM", 3}, {L"b.rtf", 5},  {L"c.Htm", 4},   {L"d.html", 4},
                 {L"e.doc", 9},    {L"f.xml", 10}, {L"g.css", 11}, {L"h.PDF", 12}, {L"i.txt", 1},
                 {L"noext", 1},    {L"x", 1},      {L"", 1},       {L"docs.docx", 1}};
    for (const auto& c : cases) EXPECT_EQ(FormatFromExtension(c.name), c.format) << std::string(c.name, c.name + wcslen(c.name));
}

TEST(ModuleNames, PathsJoinWithOneSeparator) {
    const std::wstring sep(1, zv::kPathSeparator);
    EXPECT_EQ(BuildModulePath(L"prog", L"000123"), L"prog" + sep + L"000123");
    EXPECT_EQ(BuildModulePath(L"prog" + sep, L"000123"), L"prog" + sep + L"000123");
    EXPECT_EQ(FileNameOfPath(L"C:\\mods\\000123\\000123.zvk"), L"000123.zvk");
    EXPECT_TRUE(IsNumericName(L"000123"));
    EXPECT_FALSE(IsNumericName(L"12a"));
    EXPECT_FALSE(IsNumericName(L""));
}

class ModuleFolderOps : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                (std::string("zv_modfolder_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    void Write(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::string Read(const fs::path& p) { return zv::ReadFileBytes(p.wstring()); }

    fs::path root_;
};

TEST_F(ModuleFolderOps, ANewModuleIsItsFolderWithAnEmptyMapAndItsMarker) {
    const fs::path folder = root_ / "000123";
    EXPECT_TRUE(CreateModuleFolder(folder.wstring(), L"000123"));
    EXPECT_TRUE(fs::is_regular_file(folder / "Map.txt"));
    EXPECT_EQ(fs::file_size(folder / "Map.txt"), 0u);
    EXPECT_TRUE(fs::is_regular_file(folder / "000123.zvk"));
    EXPECT_EQ(fs::file_size(folder / "000123.zvk"), 0u);
}

TEST_F(ModuleFolderOps, AnExistingFolderIsNeverTakenOver) {
    const fs::path folder = root_ / "000123";
    Write(folder / "Map.txt", "000123\r\nOther\r\n3\r\n0001.txm*Page\r\n");
    Write(folder / "0001.txm", "page");
    try {
        CreateModuleFolder(folder.wstring(), L"000123");
        FAIL() << "an existing folder was taken over";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(folder.wstring()), std::wstring::npos) << "the message names the folder";
    }
    EXPECT_EQ(Read(folder / "Map.txt"), "000123\r\nOther\r\n3\r\n0001.txm*Page\r\n");
    EXPECT_FALSE(fs::exists(folder / "000123.zvk"));
}

TEST_F(ModuleFolderOps, SaveAsMovesEveryFileAndTheMoviesFolder) {
    const fs::path from = root_ / "000001";
    const fs::path to = root_ / "copies" / "000777";
    Write(from / "Map.txt", "map");
    Write(from / "0001.txm", "one");
    Write(from / "000001.zvk", "");
    Write(from / "Movies" / "clip.swf", "FWS movie");
    Write(to / "unrelated.txt", "already here");  // the chosen folder's own files stay

    MoveModuleFiles(from.wstring(), to.wstring());
    EXPECT_EQ(Read(to / "Map.txt"), "map");
    EXPECT_EQ(Read(to / "0001.txm"), "one");
    EXPECT_TRUE(fs::exists(to / "000001.zvk"));
    EXPECT_EQ(Read(to / "Movies" / "clip.swf"), "FWS movie");
    EXPECT_EQ(Read(to / "unrelated.txt"), "already here");
    EXPECT_TRUE(fs::is_empty(from));
}

TEST_F(ModuleFolderOps, AClashMovesNothingAndLosesNothing) {
    const fs::path from = root_ / "000001";
    const fs::path to = root_ / "000002";
    Write(from / "Map.txt", "mine");
    Write(from / "0001.txm", "page one");
    Write(from / "Movies" / "a.swf", "a");
    Write(to / "Map.txt", "theirs");
    Write(to / "Movies" / "b.swf", "b");
    try {
        MoveModuleFiles(from.wstring(), to.wstring());
        FAIL() << "a clash was not reported";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"Map.txt"), std::wstring::npos);
        EXPECT_NE(e.Description().find(L"Movies"), std::wstring::npos);
    }
    EXPECT_EQ(Read(from / "Map.txt"), "mine");
    EXPECT_EQ(Read(from / "0001.txm"), "page one");
    EXPECT_EQ(Read(from / "Movies" / "a.swf"), "a");
    EXPECT_EQ(Read(to / "Map.txt"), "theirs");
    EXPECT_EQ(Read(to / "Movies" / "b.swf"), "b");
    EXPECT_FALSE(fs::exists(to / "0001.txm"));
}

TEST_F(ModuleFolderOps, TheModuleCannotMoveIntoItself) {
    const fs::path from = root_ / "000001";
    Write(from / "Map.txt", "mine");
    EXPECT_THROW(MoveModuleFiles(from.wstring(), from.wstring()), zv::Error);
    EXPECT_THROW(MoveModuleFiles(from.wstring(), (from / "000002").wstring()), zv::Error);
    EXPECT_EQ(Read(from / "Map.txt"), "mine");
    EXPECT_FALSE(fs::exists(from / "000002"));
}

}  // namespace
