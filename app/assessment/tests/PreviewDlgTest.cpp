// The player preview as an author meets it: a module of three pages, one with a Flash movie, shown
// page by page with its topic line; the players found through their current-version keys and gone
// at every step; the editor's page list never moved; the Flash size command; Exit.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/assessment/frmPreviewDlg.h"
#include "app/core/AppState.h"
#include "app/core/LinkedList.h"
#include "app/core/PageFile.h"
#include "app/core/tests/ServerModuleTest.h"
#include "base/Files.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class PreviewDlg : public zv_test::ServerModuleTest {
protected:
    PreviewDlg() : ServerModuleTest(fs::path(ZV_PLAYERS_DLL).wstring(), "zv_player_preview", L"Ladder Safety") {}

    void SetUp() override {
        ServerModuleTest::SetUp();
        if (HasFatalFailure()) return;
        fs::create_directories(folder_ / "Movies");
    }

    // Pages "First" (topic "Getting started", a Flash movie), "Second" (no topic), "Third" (topic
    // "Climbing"), listed in that order under file names out of order.
    void WriteModule() {
        struct Page {
            const wchar_t* name;
            const wchar_t* type;
            const wchar_t* topic;
            const wchar_t* text;
            const wchar_t* movie;
        };
        const Page pages[] = {
            {L"0003.txm", L"Topic", L"Getting started", L"First", L"clip.swf,1"},
            {L"0001.txm", L"Page", L"", L"Second", nullptr},
            {L"0002.txm", L"Topic", L"Climbing", L"Third", L"clip.swf"},
        };
        std::vector<Node> nodes(std::size(pages));
        for (size_t i = 0; i < nodes.size(); ++i) {
            nodes[i] = Node{pages[i].name, pages[i].type, pages[i].topic, L"", nullptr, nullptr};
            if (i > 0) nodes[i].PreviousNode = &nodes[i - 1];
            if (i + 1 < nodes.size()) nodes[i].NextNode = &nodes[i + 1];
            tx::TextEngine page;
            page.SetSelText(pages[i].text);
            if (pages[i].movie) {
                const int id = page.ObjectInsertFixed(1, L"", 1000, 1000);
                page.SetObjectName(id, pages[i].movie);
            }
            WritePageFile((folder_ / pages[i].name).wstring(), page);
        }
        zv::WriteFileReplacing((folder_ / "Map.txt").wstring(), FormatPageMap(L"000042", L"Ladder Safety", 4, &nodes[0]));
        zv::WriteFileReplacing((folder_ / "Movies" / "clip.swf").wstring(), "not really a movie");
        // The editor stands on the second page of its own list.
        App().PageList.InitLinedList();
        for (const Page& p : pages) App().PageList.Add_Page(p.name, p.type, p.topic, true);
        App().PageList.SetPageAsCurrent(L"0001.txm");
        App().CurrentPageNo = 2;
    }
    static frmPreviewDlg& preview() { return ui::Forms::Get<frmPreviewDlg>(); }
    static std::wstring Shown() { return preview().TXTextControl1->Engine().Text(); }
};

// The object character of the movie placeholder stands before the text it was inserted in front of.
bool Shows(const std::wstring& text, const wchar_t* page) { return text.find(page) != std::wstring::npos; }

TEST_F(PreviewDlg, NextAndPreviousWalkThePagesWithTheirTopicLineAndMovies) {
    WriteModule();
    preview().Show();
    ui::DoEvents();
    EXPECT_TRUE(Shows(Shown(), L"First"));
    EXPECT_EQ(preview().Label1.Caption(), L"Getting started : Ladder Safety");
    ASSERT_NE(preview().Prv_objSWF(), nullptr) << "the first page's Flash movie";
    EXPECT_NE(preview().ImageFrame(), nullptr);

    struct Step {
        bool next;
        const wchar_t* text;
        const wchar_t* label;
        bool flash;
    };
    const Step steps[] = {
        {false, L"First", L"Getting started : Ladder Safety", true},  // nothing before the first page
        {true, L"Second", L"Getting started : Ladder Safety", false},  // no topic: the line stays
        {true, L"Third", L"Climbing : Ladder Safety", true},
        {true, L"Third", L"Climbing : Ladder Safety", true},  // the last page keeps its movie
        {false, L"Second", L"Climbing : Ladder Safety", false},
        {false, L"First", L"Getting started : Ladder Safety", true},
    };
    for (const Step& s : steps) {
        ui::test::Click(s.next ? preview().NextBtn : preview().Prev);
        ui::DoEvents();
        EXPECT_TRUE(Shows(Shown(), s.text)) << Utf8(s.text) << " / " << Utf8(Shown());
        EXPECT_EQ(preview().Label1.Caption(), s.label) << Utf8(s.text);
        EXPECT_EQ(preview().Prv_objSWF() != nullptr, s.flash) << Utf8(s.text);
        EXPECT_EQ(preview().FindControl(L"ShockwaveFlash3") != nullptr, s.flash) << Utf8(s.text);
    }
    // The editor's page list and page number stayed where they were.
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(App().CurrentPageNo, 2);

    ui::test::Click(preview().Exit_Pic);
    ui::DoEvents();
    EXPECT_FALSE(preview().IsLoaded());
    EXPECT_EQ(preview().Prv_objSWF(), nullptr);
    EXPECT_EQ(preview().ImageFrame(), nullptr);
}

TEST_F(PreviewDlg, TheSizeCommandSizesTheContainerAndBadOnesAreIgnored) {
    WriteModule();
    preview().Show();
    ui::DoEvents();
    ASSERT_NE(preview().Prv_objSWF(), nullptr);
    ui::PictureBox& frame = *preview().ImageFrame();
    const double x = ui::Screen().TwipsPerPixelX(), y = ui::Screen().TwipsPerPixelY();
    preview().Prv_objSWF_FSCommand(L"size", L"320x240");
    EXPECT_EQ(frame.Width(), std::lround(320 * x));
    EXPECT_EQ(frame.Height(), std::lround(240 * y));
    if (x == 15 && y == 15) {
        EXPECT_EQ(frame.Width(), 4800);
        EXPECT_EQ(frame.Height(), 3600);
    }
    EXPECT_EQ(preview().Prv_objSWF()->Width(), frame.Width());
    const std::pair<const wchar_t*, const wchar_t*> ignored[] = {
        {L"size", L"320"}, {L"size", L"0x240"}, {L"size", L"5000x10"}, {L"size", L"12.5x10"},
        {L"size", L"x"},   {L"Size", L"100x100"}, {L"play", L"100x100"},
    };
    for (const auto& [command, args] : ignored) {
        preview().Prv_objSWF_FSCommand(command, args);
        EXPECT_EQ(frame.Width(), std::lround(320 * x)) << Utf8(command) << " " << Utf8(args);
        EXPECT_EQ(frame.Height(), std::lround(240 * y)) << Utf8(command) << " " << Utf8(args);
    }
    preview().Unload();
}

TEST_F(PreviewDlg, AMissingVersionKeyShowsNoMovieAndNoMessage) {
    WriteModule();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\ShockwaveFlash.ShockwaveFlash");
    preview().Show();
    ui::DoEvents();
    EXPECT_TRUE(Shows(Shown(), L"First"));
    EXPECT_EQ(preview().Prv_objSWF(), nullptr);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    preview().Unload();
}

TEST_F(PreviewDlg, OnAFifteenTwipsScreenPlacingTheControlsMovesNothing) {
    if (ui::Screen().TwipsPerPixelX() != 15 || ui::Screen().TwipsPerPixelY() != 15) GTEST_SKIP() << "not a 96 dpi screen";
    WriteModule();
    preview().Show();
    ui::DoEvents();
    const long left = preview().TXTextControl1.Left(), top = preview().TXTextControl1.Top();
    const long width = preview().TXTextControl1.Width(), labelTop = preview().Label1.Top();
    preview().PlaceControlsOnForm(preview());
    EXPECT_EQ(preview().TXTextControl1.Left(), left);
    EXPECT_EQ(preview().TXTextControl1.Top(), top);
    EXPECT_EQ(preview().TXTextControl1.Width(), width);
    EXPECT_EQ(preview().Label1.Top(), labelTop);
    preview().Unload();
}

}  // namespace
