// The module's movie files on disk: a chosen movie stored in the Movies folder, and the stored
// copies a save after Delete Movie may take away.
#include "app/core/MovieFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/core/PageFile.h"
#include "base/Error.h"
#include "base/Files.h"
#include "components/textcontrol/TextEngine.h"

namespace fs = std::filesystem;

namespace {

class MovieFiles : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = fs::temp_directory_path() /
                  (std::string("zv_movies_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()) / "000042";
        fs::remove_all(module_.parent_path());
        fs::create_directories(module_);
    }
    void TearDown() override { fs::remove_all(module_.parent_path()); }
    static void Write(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& p) { return zv::ReadFileBytes(p.wstring()); }
    // A page file whose text holds placeholders of these names.
    void WritePage(const std::wstring& name, const std::vector<std::wstring>& placeholders) {
        tx::TextEngine page;
        page.SetSelText(L"text");
        for (const std::wstring& p : placeholders) page.SetObjectName(page.ObjectInsertFixed(1, L"", 100, 100), p);
        WritePageFile((module_ / name).wstring(), page);
    }
    std::wstring Module() const { return module_.wstring(); }
    fs::path Stored(const char* title) const { return module_ / "Movies" / title; }
    // Nothing but the stored copies: no temporary file left beside them.
    std::vector<std::string> MoviesListed() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(module_ / "Movies")) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path module_;
};

TEST_F(MovieFiles, AChosenMovieIsCopiedWholeIntoTheMoviesFolderMadeForIt) {
    // Larger than one piece of the copy, with every byte value.
    std::string movie;
    for (int i = 0; i < 200000; ++i) movie += static_cast<char>((i * 7) & 0xFF);
    const fs::path chosen = module_.parent_path() / "elsewhere" / "clip.swf";
    Write(chosen, movie);
    zv::StoreMovieCopy(chosen.wstring(), Module(), L"clip.swf");
    EXPECT_EQ(Read(Stored("clip.swf")), movie);
    EXPECT_EQ(MoviesListed(), std::vector<std::string>{"clip.swf"});

    // The same title again: the new file replaces the stored copy.
    Write(chosen, "the second take");
    zv::StoreMovieCopy(chosen.wstring(), Module(), L"clip.swf");
    EXPECT_EQ(Read(Stored("clip.swf")), "the second take");

    // The stored copy itself chosen: nothing to copy, nothing lost.
    zv::StoreMovieCopy(Stored("clip.swf").wstring(), Module(), L"clip.swf");
    EXPECT_EQ(Read(Stored("clip.swf")), "the second take");
    EXPECT_EQ(MoviesListed(), std::vector<std::string>{"clip.swf"});
}

TEST_F(MovieFiles, ACopyThatFailsLeavesTheStoredCopyWhole) {
    Write(Stored("clip.swf"), "the stored copy");
    const fs::path chosen = module_.parent_path() / "new.swf";
    Write(chosen, "a new movie");
    // The place the copy is written to first is taken: the copy cannot be made.
    fs::create_directories(module_ / "Movies" / "~clip.swf.tmp");
    EXPECT_THROW(zv::StoreMovieCopy(chosen.wstring(), Module(), L"clip.swf"), zv::Error);
    EXPECT_EQ(Read(Stored("clip.swf")), "the stored copy");
    fs::remove(module_ / "Movies" / "~clip.swf.tmp");

    // A chosen file that is gone, and a title that names no file of the folder.
    EXPECT_THROW(zv::StoreMovieCopy((module_ / "gone.swf").wstring(), Module(), L"clip.swf"), zv::Error);
    EXPECT_THROW(zv::StoreMovieCopy(chosen.wstring(), Module(), L"..\\clip.swf"), zv::Error);
    EXPECT_EQ(Read(Stored("clip.swf")), "the stored copy");
    EXPECT_EQ(MoviesListed(), std::vector<std::string>{"clip.swf"});
}

TEST_F(MovieFiles, ASaveDeletesOnlyCopiesThatNoPageNamesAnyMore) {
    for (const char* title : {"kept.swf", "gone.dcr", "other.wmv"}) Write(Stored(title), title);
    WritePage(L"0001.txm", {L"KEPT.swf,1"});  // named in another letter case: the same file
    WritePage(L"0002.txm", {});
    const std::vector<std::wstring> pages{L"0001.txm", L"0002.txm"};
    const auto deleted = zv::DeleteUnnamedMovies(Module(), {L"kept.swf", L"gone.dcr", L"..\\other.wmv"}, pages);
    EXPECT_EQ(deleted, std::vector<std::wstring>{L"gone.dcr"});
    EXPECT_EQ(MoviesListed(), (std::vector<std::string>{"kept.swf", "other.wmv"}));

    // A page that cannot be read might name the movie: nothing goes.
    Write(module_ / "0003.txm", "damaged");
    const auto none = zv::DeleteUnnamedMovies(Module(), {L"other.wmv"}, {L"0001.txm", L"0003.txm"});
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(fs::exists(Stored("other.wmv")));
}

}  // namespace
