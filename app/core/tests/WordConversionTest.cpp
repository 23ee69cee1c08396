// The Word conversion's gathering of a module's pages into one control, against page files on
// disk, and the document's file name made from any module name.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/PageFile.h"
#include "app/core/WordConversion.h"
#include "base/Error.h"
#include "components/textcontrol/TextEngine.h"

namespace fs = std::filesystem;

namespace {

class GatherPages : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / "word_conversion_test";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        state_.ModulePath = folder_.wstring();
        state_.PageList.InitLinedList();
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A page of the module with its own page size, listed at the end of the page list.
    void AddPage(const std::wstring& name, const std::wstring& text, int width = 0) {
        tx::TextEngine page;
        page.SetSelText(text);
        if (width) page.SetPageWidth(width);
        WritePageFile((folder_ / name).wstring(), page);
        state_.PageList.Add_Page(name, L"Page", L"", true);
    }

    fs::path folder_;
    AppState state_;
};

TEST_F(GatherPages, PagesFollowTheListWithABreakBetweenPagesOnly) {
    // File names out of list order: the list decides.
    AddPage(L"0003.txm", L"Alpha", 12000);
    AddPage(L"0001.txm", L"Beta", 9000);
    AddPage(L"0002.txm", L"Gamma");
    state_.PageList.SetPageAsCurrent(L"0001.txm");

    tx::TextEngine control;
    // What the control last rendered must not lead the document.
    control.SetSelText(L"left over from printing");
    control.SetFooterText(L"old footer");
    int removals = 0;
    GatherModulePages(state_, control, [&] { ++removals; });

    EXPECT_EQ(control.Text(), L"Alpha\fBeta\fGamma");
    EXPECT_TRUE(control.Doc().footer.Empty());
    // The first page's width, not the control's nor a later page's.
    EXPECT_EQ(control.PageWidth(), 12000);
    // Before the first page (the last rendering's players) and before every page.
    EXPECT_EQ(removals, 4);
    // The editor's list stays where it stood.
    EXPECT_EQ(state_.PageList.GetCurrentPageName(), L"0001.txm");
}

TEST_F(GatherPages, AModuleWithoutPagesGivesAnEmptyDocument) {
    tx::TextEngine control;
    control.SetSelText(L"stale");
    GatherModulePages(state_, control, nullptr);
    EXPECT_EQ(control.Text(), L"");
}

TEST_F(GatherPages, APageThatCannotBeLoadedIsNamed) {
    AddPage(L"0001.txm", L"Alpha");
    state_.PageList.Add_Page(L"0002.txm", L"Page", L"", true);  // listed, never written
    tx::TextEngine control;
    try {
        GatherModulePages(state_, control, nullptr);
        ADD_FAILURE() << "a missing page was gathered";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"0002.txm"), std::wstring::npos);
    }
}

TEST(WordDocumentFileName, WhatNoFileNameHoldsIsReplaced) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Safety Basics", L"Safety Basics.doc"},
        {L"Part 1\\2", L"Part 1_2.doc"},
        {L"a/b", L"a_b.doc"},
        {L"C:notes", L"C_notes.doc"},
        {L"What? <now> \"quoted\" | *", L"What_ _now_ _quoted_ _ _.doc"},
        {L"tab\there", L"tab_here.doc"},
        {L"Ends with dots..", L"Ends with dots__.doc"},
        {L"Trailing ", L"Trailing_.doc"},
        {L"", L"_.doc"},
        {L"CON", L"CON_.doc"},
        {L"nul", L"nul_.doc"},
        {L"Aux.notes", L"Aux_.notes.doc"},
        {L"com1", L"com1_.doc"},
        {L"LPT9", L"LPT9_.doc"},
        {L"COM", L"COM.doc"},
        {L"Console", L"Console.doc"},
        {L"caf\u00e9", L"caf\u00e9.doc"},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(WordDocumentFileName(name), expected) << testing::PrintToString(std::wstring(name));
}

}  // namespace
