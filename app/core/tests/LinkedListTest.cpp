#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

#include "app/core/AppState.h"
#include "app/core/LinkedList.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace {

// A module folder of its own per test, the state record pointing at it, and the author's messages
// collected instead of shown.
class ModuleFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("zv_pagelist_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        App().ModulePath = dir_.wstring();
        App().ModuleCode = L"000042";
        App().ModuleName = L"Caf\xE9 module";
        App().ShowMessage = [this](const std::wstring& prompt) { messages_.push_back(prompt); };
    }
    void TearDown() override {
        ResetAppState();
        std::filesystem::remove_all(dir_);
    }

    std::wstring MapPath() const { return zv::JoinPath(dir_.wstring(), L"Map.txt"); }
    std::string MapBytes() const { return zv::ReadFileBytes(MapPath()); }
    void WriteMap(const std::string& bytes) const { std::ofstream(dir_ / "Map.txt", std::ios::binary) << bytes; }

    static std::vector<std::wstring> Names(const LinkedList& list) {
        std::int32_t count = -1;
        std::vector<std::wstring> names, types, topics;
        list.GetAllPageInfo(count, names, types, topics);
        EXPECT_EQ(count + 1, static_cast<int>(names.size()));
        return {names.begin() + 1, names.end()};
    }

    std::filesystem::path dir_;
    std::vector<std::wstring> messages_;
};

const std::string kHeader = "000042\r\nCaf\xE9 module\r\n";

TEST_F(ModuleFolderTest, EveryOperationRewritesTheMapFileExactly) {
    LinkedList& list = App().PageList;
    AppState& app = App();

    app.PageCounter = 1;
    list.Add_Page(L"0001.txm", L"Page", L"", false);
    EXPECT_EQ(MapBytes(), kHeader + "1\r\n0001.txm*Page\r\n");

    app.PageCounter = 2;
    list.Add_Page(L"0002.txm", L"Topic", L"Intro", false);
    EXPECT_EQ(MapBytes(), kHeader + "2\r\n0001.txm*Page\r\n0002.txm*Topic*Intro\r\n");

    app.PageCounter = 3;
    list.InsertNewPage(L"0003.txm", L"Test", L"", L"0002.txm", 1);  // before
    EXPECT_EQ(list.GetCurrentPageName(), L"0003.txm");
    app.PageCounter = 4;
    list.InsertNewPage(L"0004.txm", L"Page", L"", L"0002.txm", 0);  // after, at the end
    EXPECT_EQ(MapBytes(), kHeader + "4\r\n0001.txm*Page\r\n0003.txm*Test\r\n0002.txm*Topic*Intro\r\n0004.txm*Page\r\n");

    app.PageCounter = 5;
    list.SetPageAsCurrent(L"0001.txm");
    list.EditCurrentPage(L"Topic", L"Welcome");
    EXPECT_EQ(MapBytes(), kHeader + "5\r\n0001.txm*Topic*Welcome\r\n0003.txm*Test\r\n0002.txm*Topic*Intro\r\n0004.txm*Page\r\n");

    list.Delete_Page(L"0003.txm");
    EXPECT_EQ(list.GetCurrentPageName(), L"0002.txm");  // the page that followed
    list.Delete_Page(L"0004.txm");
    EXPECT_EQ(list.GetCurrentPageName(), L"0002.txm");  // the last page: the one before it
    EXPECT_EQ(MapBytes(), kHeader + "5\r\n0001.txm*Topic*Welcome\r\n0002.txm*Topic*Intro\r\n");
    EXPECT_TRUE(messages_.empty());

    // What was written reads back, with the counter one past the stored value.
    LinkedList other;
    std::int16_t counter = 0;
    std::wstring code, name;
    other.LoadExistingList(MapPath(), counter, code, name, L"");
    EXPECT_EQ(counter, 6);
    EXPECT_EQ(code, L"000042");
    EXPECT_EQ(name, L"Caf\xE9 module");
    EXPECT_EQ(Names(other), (std::vector<std::wstring>{L"0001.txm", L"0002.txm"}));
    EXPECT_EQ(other.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(other.GetCurrentPageTopName(), L"Welcome");
}

TEST_F(ModuleFolderTest, LoadingNeverRewritesTheFile) {
    const std::string stored = kHeader + "7\n0001.txm*Page\n";  // LF endings stay as they are
    WriteMap(stored);
    std::int16_t counter = 0;
    std::wstring code, name;
    App().PageList.LoadExistingList(MapPath(), counter, code, name, L"");
    EXPECT_EQ(MapBytes(), stored);
    EXPECT_EQ(counter, 8);
}

TEST_F(ModuleFolderTest, AModuleWithoutPagesHasThreeLines) {
    App().PageCounter = 1;
    App().PageList.Delete_Page(L"0001.txm");  // not there: told, and the file is still written
    EXPECT_EQ(MapBytes(), kHeader + "1\r\n");
    EXPECT_EQ(messages_, std::vector<std::wstring>{L"File not found"});
}

TEST_F(ModuleFolderTest, PageLinesFollowTheTopicRule) {
    WriteMap(kHeader +
             "3\r\n"
             "0001.txm*Topic\r\n"          // no third field: empty topic
             "0002.txm*Page*stray\r\n"     // a topic on a non-topic page is dropped
             "\r\n"                        // blank lines are skipped
             "0003.txm*Topic*a*b\r\n"      // the topic is everything after the second star
             "0004.txm*Test");             // the last line may lack its ending
    std::int16_t counter = 0;
    std::wstring code, name;
    App().PageList.LoadExistingList(MapPath(), counter, code, name, L"");
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    App().PageList.GetAllPageInfo(count, names, types, topics);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"", L"0001.txm", L"0002.txm", L"0003.txm", L"0004.txm"}));
    EXPECT_EQ(types, (std::vector<std::wstring>{L"", L"Topic", L"Page", L"Topic", L"Test"}));
    EXPECT_EQ(topics, (std::vector<std::wstring>{L"", L"", L"", L"a*b", L""}));
}

TEST_F(ModuleFolderTest, CounterLineIsReadAsANumberPlusOneRounded) {
    const std::pair<const char*, int> cases[] = {
        {"0", 1}, {"41", 42}, {" 41 ", 42}, {"12.6", 14}, {"1.5", 2}, {"2.5", 4}, {"32766", 32767}};
    for (const auto& [line, expected] : cases) {
        WriteMap(kHeader + line + "\r\n");
        LinkedList list;
        std::int16_t counter = 0;
        std::wstring code, name;
        list.LoadExistingList(MapPath(), counter, code, name, L"");
        EXPECT_EQ(counter, expected) << line;
    }
}

TEST_F(ModuleFolderTest, MalformedMapFilesAreRefusedWithADescriptionAndChangeNothing) {
    struct Case {
        std::string bytes;
        const wchar_t* mentions;
    };
    const Case cases[] = {
        {"", L"is empty"},
        {"000042\r\n", L"line 2"},
        {"000042\r\nName\r\n", L"line 3"},
        {kHeader + "abc\r\n", L"line 3"},
        {kHeader + "\r\n", L"line 3"},
        {kHeader + "-1\r\n", L"line 3"},
        {kHeader + "32767\r\n", L"line 3"},  // the next number would not fit
        {kHeader + "1e3\r\n", L"line 3"},
        {kHeader + "3\r\n0001.txm*Page\r\n0002.txm Page\r\n", L"line 5"},
        {kHeader + "3\r\n..\\..\\boot.ini*Page\r\n", L"line 4"},
        {kHeader + "3\r\n../0001.txm*Page\r\n", L"line 4"},
        {kHeader + "3\r\nC:0001.txm*Page\r\n", L"line 4"},
        {kHeader + "3\r\nsub\\0001.txm*Page\r\n", L"line 4"},
        {kHeader + "3\r\n..*Page\r\n", L"line 4"},
        {kHeader + "3\r\nCON*Page\r\n", L"line 4"},
        {kHeader + "3\r\n*Page\r\n", L"line 4"},
        {kHeader + "3\r\n00\x01.txm*Page\r\n", L"line 4"},
    };
    LinkedList& list = App().PageList;
    list.Add_Page(L"keep.txm", L"Page", L"", true);
    for (const auto& c : cases) {
        WriteMap(c.bytes);
        std::int16_t counter = 99;
        std::wstring code = L"before", name = L"before";
        try {
            list.LoadExistingList(MapPath(), counter, code, name, L"");
            ADD_FAILURE() << "accepted: " << c.bytes;
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(c.mentions), std::wstring::npos) << c.bytes;
            EXPECT_NE(e.Description().find(L"Map.txt"), std::wstring::npos) << c.bytes;
        }
        EXPECT_EQ(counter, 99);
        EXPECT_EQ(code, L"before");
        EXPECT_EQ(Names(list), std::vector<std::wstring>{L"keep.txm"});
    }
}

// A damaged line is named by its number with a short excerpt, never echoed whole: a page map of
// garbage once put some 300 raw characters into the message box.
TEST_F(ModuleFolderTest, ADamagedLineIsShownByItsNumberAndAShortExcerpt) {
    std::string garbage = "\x01\x7F";
    for (int i = 0; garbage.size() < 300; ++i) garbage += static_cast<char>('A' + i % 26);
    struct Case {
        std::string bytes;
        const wchar_t* line;
    };
    const Case cases[] = {
        {kHeader + garbage + "\r\n", L"line 3"},                         // the counter
        {kHeader + "3\r\n0001.txm*Page\r\n" + garbage + "\r\n", L"line 5"},  // no "*"
        {kHeader + "3\r\n" + garbage + "*Page\r\n", L"line 4"},          // no file name
    };
    for (const auto& c : cases) {
        WriteMap(c.bytes);
        std::int16_t counter = 0;
        std::wstring code, name;
        try {
            App().PageList.LoadExistingList(MapPath(), counter, code, name, L"");
            ADD_FAILURE() << "accepted";
        } catch (const zv::Error& e) {
            const std::wstring& d = e.Description();
            SCOPED_TRACE(testing::PrintToString(d));
            EXPECT_NE(d.find(c.line), std::wstring::npos);
            EXPECT_NE(d.find(L"??ABCDEF"), std::wstring::npos) << "the start of the line, control characters as ?";
            EXPECT_EQ(d.find(L"WXYZABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::wstring::npos) << "the line echoed whole";
            EXPECT_LT(d.size(), MapPath().size() + 200);
            EXPECT_TRUE(std::none_of(d.begin(), d.end(), [](wchar_t ch) { return ch < 0x20; }));
        }
    }
}

// Page files are named by four digits. A longer map is refused where its 10,000th entry stands
// (counted in 16 bits, 40,000 entries once gave -25,536 pages and 65,537 gave 1).
TEST_F(ModuleFolderTest, AMapListsAtMost9999PagesAndLongListsCountRight) {
    auto mapOf = [](int pages) {
        std::string bytes = kHeader + "9999\r\n";
        for (int i = 1; i <= pages; ++i) bytes += std::to_string(i) + "*Page\r\n";  // short names: no heap
        return bytes;
    };
    LinkedList& list = App().PageList;
    std::int16_t counter = 0;
    std::wstring code, name;
    for (int pages : {10000, 40000, 65537}) {
        WriteMap(mapOf(pages));
        list.InitLinedList();
        try {
            list.LoadExistingList(MapPath(), counter, code, name, L"");
            ADD_FAILURE() << pages << " pages were accepted";
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(L"Map.txt"), std::wstring::npos) << e.Description();
            EXPECT_NE(e.Description().find(L"line 10003"), std::wstring::npos) << e.Description();
            EXPECT_NE(e.Description().find(L"9999"), std::wstring::npos) << e.Description();
        }
        EXPECT_TRUE(Names(list).empty());
    }
    WriteMap(mapOf(9999));
    list.InitLinedList();
    list.LoadExistingList(MapPath(), counter, code, name, L"");
    int loaded = 0;
    for (const Node* n = list.ListHead[0]->NextNode; n != nullptr; n = n->NextNode) ++loaded;
    EXPECT_EQ(loaded, 9999);

#ifndef _WIN32  // tens of thousands of frees take seconds under Wine's heap checker; the count is the same code
    // The count itself never wraps, however the list grew.
    list.InitLinedList();
    for (int i = 0; i < 40000; ++i) list.Add_Page(L"p.txm", L"Page", L"", true);
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    list.GetAllPageInfo(count, names, types, topics);
    EXPECT_EQ(count, 40000);
#endif
}

TEST_F(ModuleFolderTest, AMissingMapFileIsAnError) {
    std::int16_t counter = 0;
    std::wstring code, name;
    EXPECT_THROW(App().PageList.LoadExistingList(MapPath(), counter, code, name, L""), zv::Error);
}

TEST_F(ModuleFolderTest, AFailedRewriteKeepsTheOldFileAndTellsTheAuthor) {
    App().PageCounter = 1;
    App().PageList.Add_Page(L"0001.txm", L"Page", L"", false);
    const std::string before = MapBytes();
    std::filesystem::create_directory(dir_ / "~Map.txt.tmp");  // the new file cannot be made
    App().PageCounter = 2;
    App().PageList.Add_Page(L"0002.txm", L"Page", L"", false);
    EXPECT_EQ(MapBytes(), before);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find(L"Map.txt"), std::wstring::npos);
    // The list itself goes on: the next successful write stores both pages.
    std::filesystem::remove(dir_ / "~Map.txt.tmp");
    App().PageList.EditCurrentPage(L"Page", L"");
    EXPECT_EQ(MapBytes(), kHeader + "2\r\n0001.txm*Page\r\n0002.txm*Page\r\n");
}

TEST_F(ModuleFolderTest, InsertingBeforeAMissingPageTellsTheAuthorAndInsertsNothing) {
    App().PageList.Add_Page(L"0001.txm", L"Page", L"", true);
    App().PageList.InsertNewPage(L"0002.txm", L"Page", L"", L"0009.txm", 1);
    EXPECT_EQ(messages_, std::vector<std::wstring>{L"File not found"});
    EXPECT_EQ(Names(App().PageList), std::vector<std::wstring>{L"0001.txm"});
    EXPECT_EQ(MapBytes(), kHeader + "0\r\n0001.txm*Page\r\n");
}

TEST(PageList, CursorEdgeCases) {
    ResetAppState();
    LinkedList list;
    EXPECT_EQ(list.GetCurrentPageName(), L"");
    list.GoToFirstPage();  // no pages: no current record
    EXPECT_EQ(list.GetCurrentPageName(), L"");
    EXPECT_EQ(list.GetNextPageName(), L"");
    list.NextPage();
    list.GoToLastPage();  // no pages: the head
    EXPECT_EQ(list.CurrentNode[0], list.ListHead[0]);

    list.Add_Page(L"a.txm", L"Page", L"", true);
    list.Add_Page(L"A.txm", L"Page", L"", true);
    list.Add_Page(L"b.txm", L"Test", L"", true);
    EXPECT_TRUE(list.PageExist(L"A.txm"));
    EXPECT_FALSE(list.PageExist(L"B.txm"));  // names differ by case
    EXPECT_FALSE(list.PageExist(L""));

    list.GoToFirstPage();
    EXPECT_EQ(list.GetPrevPageName(), L"");  // the head is no page
    EXPECT_EQ(list.GetNextPageName(), L"A.txm");
    list.PreviousPage();
    EXPECT_EQ(list.CurrentNode[0], list.ListHead[0]);
    EXPECT_EQ(list.GetNextPageName(), L"a.txm");

    list.GoToLastPage();
    EXPECT_EQ(list.GetCurrentPageTpye(), L"Test");
    list.NextPage();  // stays on the last page
    EXPECT_EQ(list.GetCurrentPageName(), L"b.txm");

    list.SetPageAsCurrent(L"nothing");  // unchanged
    EXPECT_EQ(list.GetCurrentPageName(), L"b.txm");
    list.SetPageAsCurrent(L"");  // the head
    EXPECT_EQ(list.CurrentNode[0], list.ListHead[0]);

    // Inserting "before the head" puts the page first.
    list.InsertNewPage(L"first.txm", L"Page", L"", L"", 1);
    list.GoToFirstPage();
    EXPECT_EQ(list.GetCurrentPageName(), L"first.txm");
    EXPECT_EQ(list.CurrentNode[0]->PreviousNode, list.ListHead[0]);
}

TEST(PageList, DeletingTheOnlyPageLeavesTheHeadAndTheHeadCannotBeDeleted) {
    ResetAppState();
    std::vector<std::wstring> told;
    App().ShowMessage = [&](const std::wstring& m) { told.push_back(m); };
    LinkedList list;
    list.Add_Page(L"0001.txm", L"Page", L"", true);
    list.Delete_Page(L"0001.txm");
    EXPECT_EQ(list.CurrentNode[0], list.ListHead[0]);
    EXPECT_EQ(list.GetCurrentPageName(), L"");
    list.Delete_Page(L"");
    EXPECT_NE(list.ListHead[0], nullptr);
    EXPECT_EQ(told, std::vector<std::wstring>{L"File not found"});
    // Appending after the deletion still links from the head.
    list.Add_Page(L"0002.txm", L"Page", L"", true);
    EXPECT_EQ(list.ListHead[0]->NextNode->PageName, L"0002.txm");
    ResetAppState();
}

TEST_F(ModuleFolderTest, TheTempChainIsIndependentAndNeverWritten) {
    LinkedList& list = App().PageList;
    list.Add_Page(L"0001.txm", L"Page", L"", true);
    list.AddToTempLinkedList(L"0100.txm", L"Page", L"", false);
    EXPECT_FALSE(zv::FileExists(MapPath()));
    EXPECT_EQ(list.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(list.GetCurrentTempPageName(), L"0100.txm");

    WriteMap("000007\r\nOther\r\n2\r\n0001.txm*Page\r\n0002.txm*Topic*T\r\n");
    list.InitTempLinkedList();
    std::int16_t counter = 0;
    std::wstring code, name;
    list.LoadExistingTempList(MapPath(), counter, code, name, L"");
    EXPECT_EQ(list.GetCurrentTempPageName(), L"0001.txm");
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    list.GetAllTempPageInfo(count, names, types, topics);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(topics[2], L"T");
    EXPECT_EQ(Names(list), std::vector<std::wstring>{L"0001.txm"});  // the main chain is untouched
}

TEST_F(ModuleFolderTest, LoadingAppendsToWhatTheChainHolds) {
    WriteMap(kHeader + "2\r\n0001.txm*Page\r\n");
    LinkedList& list = App().PageList;
    list.Add_Page(L"x.txm", L"Page", L"", true);
    std::int16_t counter = 0;
    std::wstring code, name;
    list.LoadExistingList(MapPath(), counter, code, name, L"");
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"x.txm", L"0001.txm"}));
    EXPECT_EQ(list.GetCurrentPageName(), L"0001.txm");  // the first page the file listed
}

}  // namespace

namespace {

// Records of a cleared list are used again: nothing of their old pages may show through.
TEST_F(ModuleFolderTest, ReadingAgainAfterClearingKeepsNothingOfTheOldPages) {
    LinkedList& list = App().PageList;
    std::int16_t counter = 0;
    std::wstring code, name;
    WriteMap(kHeader + "3\r\n0001-long-name.txm*Topic*First topic\r\n0002.txm*Topic*Second\r\n0003.txm*Test\r\n");
    list.LoadExistingList(MapPath(), counter, code, name, L"");
    list.InitLinedList();
    WriteMap(kHeader + "2\r\na.txm*Page\r\nb.txm*Topic\r\n");
    list.LoadExistingList(MapPath(), counter, code, name, L"");

    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    list.GetAllPageInfo(count, names, types, topics);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"", L"a.txm", L"b.txm"}));
    EXPECT_EQ(types, (std::vector<std::wstring>{L"", L"Page", L"Topic"}));
    EXPECT_EQ(topics, (std::vector<std::wstring>{L"", L"", L""}));
    EXPECT_EQ(list.ListHead[0]->PageName, L"");
    EXPECT_EQ(list.ListHead[0]->PreviousNode, nullptr);

    // A deleted page's record comes back as a new page without its old topic.
    list.Delete_Page(L"b.txm");
    list.Add_Page(L"c.txm", L"Page", L"", true);
    list.GoToLastPage();
    EXPECT_EQ(list.GetCurrentPageTopName(), L"");
    EXPECT_EQ(list.GetPrevPageName(), L"a.txm");
}

// A map parsed once, before anything changes, and then handed to the list gives the list that
// reading the file gives; a map that fails to parse leaves the list as it was.
TEST_F(ModuleFolderTest, AParsedMapHandedOverIsTheListTheFileGives) {
    const std::string bytes = kHeader + "4\r\n0001.txm*Topic*Intro\r\n0003.txm*Page\r\n0002.txm*Test\r\n";
    WriteMap(bytes);
    LinkedList read;
    std::int16_t readCounter = 0;
    std::wstring readCode, readName;
    read.LoadExistingList(MapPath(), readCounter, readCode, readName, L"");

    LinkedList& list = App().PageList;
    list.Add_Page(L"old.txm", L"Page", L"", true);
    {
        PageMap broken(list.Pool());
        EXPECT_THROW(ParsePageMap(kHeader + "x\r\n", L"Map.txt", broken), zv::Error);
    }
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"old.txm"}));

    PageMap map(list.Pool());
    ParsePageMap(bytes, MapPath(), map);
    list.InitLinedList();
    std::int16_t counter = 0;
    std::wstring code, name;
    list.LoadParsedList(map, counter, code, name);
    EXPECT_EQ(Names(list), Names(read));
    EXPECT_EQ(list.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(list.GetCurrentPageTopName(), L"Intro");
    EXPECT_EQ(counter, readCounter);
    EXPECT_EQ(code, readCode);
    EXPECT_EQ(name, readName);
    EXPECT_EQ(map.FirstPage, nullptr) << "the list holds the records now";
    list.GoToLastPage();
    EXPECT_EQ(list.GetCurrentPageTpye(), L"Test");
    EXPECT_EQ(list.GetPrevPageName(), L"0003.txm");
}

}  // namespace
