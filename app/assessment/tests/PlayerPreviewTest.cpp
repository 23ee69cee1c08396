// The player preview's walk against a module on disk, with a page held in memory that logs what
// happens to it, and the rescaling of the preview's controls to other screens.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/assessment/PlayerPreview.h"
#include "app/core/LinkedList.h"
#include "app/core/PageFile.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace fs = std::filesystem;

namespace {

class LoggedPage : public PreviewPage {
public:
    std::wstring text;
    std::vector<std::wstring> log;  // "load 0002.txm", "movies", "clear"

    void LoadPage(const std::wstring& path) override {
        tx::TextEngine page;
        LoadPageFile(path, page, true);
        text = page.Text();
        log.push_back(L"load " + zv::LastPathPart(path));
    }
    void RemoveMovies() override { log.push_back(L"movies"); }
    void ClearPage() override {
        text.clear();
        log.push_back(L"clear");
    }
};

struct PageSpec {
    const wchar_t* name;
    const wchar_t* type;
    const wchar_t* topic;
    const wchar_t* text;  // null: listed but no file
};

class PreviewWalkTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / "player_preview_test";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void WriteModule(const std::vector<PageSpec>& pages) {
        std::vector<Node> nodes(pages.size());
        for (size_t i = 0; i < pages.size(); ++i) {
            nodes[i].PageName = pages[i].name;
            nodes[i].PageType = pages[i].type;
            nodes[i].TopicName = pages[i].topic;
            if (i > 0) nodes[i].PreviousNode = &nodes[i - 1];
            if (i + 1 < pages.size()) nodes[i].NextNode = &nodes[i + 1];
            if (!pages[i].text) continue;
            tx::TextEngine page;
            page.SetSelText(pages[i].text);
            WritePageFile((folder_ / pages[i].name).wstring(), page);
        }
        zv::WriteFileReplacing((folder_ / "Map.txt").wstring(),
                               FormatPageMap(L"000042", L"Ladder Safety", 9, nodes.empty() ? nullptr : &nodes[0]));
    }
    PreviewModule Module() const { return {folder_.wstring(), L"000042", L"Ladder Safety"}; }

    fs::path folder_;
    LoggedPage page_;
};

const std::vector<PageSpec> kThreePages = {
    {L"0003.txm", L"Topic", L"Getting started", L"First"},
    {L"0001.txm", L"Page", L"", L"Second"},
    {L"0002.txm", L"Topic", L"Climbing", L"Third"},
};

TEST_F(PreviewWalkTest, NextAndPreviousWalkTheListAndStopAtBothEnds) {
    WriteModule(kThreePages);
    PreviewWalk walk(page_);
    walk.Open(Module(), L"Map.txt");
    EXPECT_EQ(page_.text, L"First");
    EXPECT_EQ(walk.Caption(), L"Getting started : Ladder Safety");

    struct Step {
        bool next;
        bool moves;
        const wchar_t* text;
        const wchar_t* page;
        std::vector<std::wstring> log;  // what happened to the page in this step
    };
    const Step steps[] = {
        {false, false, L"First", L"0003.txm", {}},  // before the first page: nothing, movie stays
        {true, true, L"Second", L"0001.txm", {L"movies", L"load 0001.txm"}},
        {true, true, L"Third", L"0002.txm", {L"movies", L"load 0002.txm"}},
        {true, false, L"Third", L"0002.txm", {}},  // past the last page: nothing, movie stays
        {false, true, L"Second", L"0001.txm", {L"movies", L"load 0001.txm"}},
    };
    for (const Step& s : steps) {
        page_.log.clear();
        EXPECT_EQ(s.next ? walk.Next() : walk.Previous(), s.moves);
        EXPECT_EQ(page_.text, s.text);
        EXPECT_EQ(walk.CurrentPageName(), s.page);
        EXPECT_EQ(page_.log, s.log) << (s.next ? "next to " : "previous to ") << testing::PrintToString(std::wstring(s.page));
    }
    walk.Next();
    EXPECT_EQ(walk.Caption(), L"Climbing : Ladder Safety");
}

TEST_F(PreviewWalkTest, TheModuleIsTheOneOpenedWithItsNameFromTheList) {
    WriteModule(kThreePages);
    PreviewWalk walk(page_);
    walk.Open({folder_.wstring(), L"", L"stale"}, L"Map.txt");
    EXPECT_EQ(walk.Module().code, L"000042");
    EXPECT_EQ(walk.Module().name, L"Ladder Safety");
    EXPECT_EQ(walk.Module().folder, folder_.wstring());
}

TEST_F(PreviewWalkTest, WhatCannotBeReadShowsEmptyWithoutAMessage) {
    // A missing list: no pages, an empty control, and the steps do nothing.
    {
        PreviewWalk walk(page_);
        page_.text = L"before";
        walk.Open(Module(), L"Map.txt");
        EXPECT_EQ(page_.text, L"");
        EXPECT_FALSE(walk.Next());
        EXPECT_FALSE(walk.Previous());
    }
    // A listed page without its file shows empty, and the walk goes on past it.
    WriteModule({{L"0001.txm", L"Page", L"", L"One"}, {L"0002.txm", L"Page", L"", nullptr}, {L"0003.txm", L"Page", L"", L"Three"}});
    PreviewWalk walk(page_);
    walk.Open(Module(), L"Map.txt");
    EXPECT_TRUE(walk.Next());
    EXPECT_EQ(page_.text, L"");
    EXPECT_EQ(walk.CurrentPageName(), L"0002.txm");
    EXPECT_TRUE(walk.Next());
    EXPECT_EQ(page_.text, L"Three");
    EXPECT_TRUE(walk.Previous());
    EXPECT_EQ(walk.CurrentPageName(), L"0002.txm");
    EXPECT_EQ(page_.text, L"");
}

TEST(ScaleToScreen, FifteenTwipsPerPixelMovesNothingTwelveMakesFourFifths) {
    const TwipsBox box{1500, 3000, 4500, 600};
    struct Case {
        ScaledControl kind;
        double x, y;
        TwipsBox expected;
    };
    const Case cases[] = {
        {ScaledControl::kWindow, 15, 15, box},
        {ScaledControl::kPlain, 15, 15, box},
        {ScaledControl::kLabel, 15, 15, box},
        {ScaledControl::kComboBox, 15, 15, box},
        {ScaledControl::kWindow, 12, 12, {1200, 2400, 3600, 480}},
        {ScaledControl::kPlain, 12, 12, {1200, 2400, 3600, 480}},
        // A label gets 5 pixels more height and starts 3 pixels higher.
        {ScaledControl::kLabel, 12, 12, {1200, (200 - 3) * 12, 3600, (40 + 5) * 12}},
        {ScaledControl::kLabel, 12, 15, {1200, 3000, 3600, 600}},
        // A combo box keeps the height its font gives it.
        {ScaledControl::kComboBox, 12, 12, {1200, 2400, 3600, 600}},
        {ScaledControl::kSizeless, 12, 12, box},
    };
    for (const Case& c : cases) {
        const TwipsBox got = ScaleToScreen(c.kind, box, c.x, c.y);
        EXPECT_EQ(got, c.expected) << static_cast<int>(c.kind) << " at " << c.x << " x " << c.y << ": " << got.left
                                   << "," << got.top << "," << got.width << "," << got.height;
    }
}

}  // namespace
