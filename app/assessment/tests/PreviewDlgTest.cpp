// The player preview as an author meets it: a module of three pages, one with a Flash movie, shown
// page by page with its topic line; the players found through their current-version keys and gone
// at every step; the editor's page list never moved; the Flash size command; Exit.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
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
using ui::testing::WindowPixels;

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


// ---- the skin ----

// Every control the form is designed with, by name.
const wchar_t* const kDesignControls[] = {
    L"TXTextControl1", L"Label1",        L"Exit_Pic",      L"Min_btn",        L"NextBtn",       L"Prev",
    L"Picture1",       L"Picture2",      L"Label2",        L"Label3",         L"Label4",        L"CourseNameLbl",
    L"ModLabel",       L"TopicLabel",    L"ToolLabel",     L"OverMenuLabel",  L"ToolTip",       L"Modules",
    L"Main_Menu_frm",  L"Main_Topic_frm", L"Main_Tool_frm", L"MenuFrame",     L"TopicFrame",    L"toolBar_Frame",
    L"toolBar_But",    L"MenuSlice",     L"TopicSlice",    L"toolBar_Slice",  L"Over_MenuSlice", L"MenuScrlUp",
    L"MenuScrlDwn",    L"TopicScrlup",   L"TopicScrlDwn",  L"Return_Btn",     L"Prv_objExt",    L"VScroll1",
    L"Timer7",         L"SysInfo1",
};
// What has no look of its own: the text control scrolls itself, the external object has no place
// yet, timers and system information have no size.
const std::set<std::wstring> kUnseen = {L"Prv_objExt", L"VScroll1", L"Timer7", L"SysInfo1"};

TEST_F(PreviewDlg, EveryDesignTimeControlStandsInTheSkinDrawnFromItsSlices) {
    WriteModule();
    preview().Show();
    ui::DoEvents();
    RedrawWindow(preview().hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ui::DoEvents();
    RECT window{};
    GetWindowRect(preview().hWnd(), &window);
    for (const wchar_t* name : kDesignControls) {
        ui::Control* c = preview().FindControl(name);
        ASSERT_NE(c, nullptr) << Utf8(name);
        if (kUnseen.count(name)) continue;
        EXPECT_TRUE(IsWindowVisible(c->hWnd())) << Utf8(name);
        RECT r{};
        GetWindowRect(c->hWnd(), &r);
        EXPECT_TRUE(r.left >= window.left && r.top >= window.top && r.right <= window.right && r.bottom <= window.bottom &&
                    r.right > r.left && r.bottom > r.top)
            << Utf8(name) << " is not inside the window";
        if (auto* label = dynamic_cast<ui::Label*>(c)) {
            EXPECT_FALSE(label->Caption().empty()) << Utf8(name);
        }
    }
    // The first page's movie plays in front of the skin.
    ASSERT_NE(preview().ImageFrame(), nullptr);
    RECT movie{};
    GetWindowRect(preview().ImageFrame()->hWnd(), &movie);
    const HWND atMovie = WindowFromPoint(POINT{(movie.left + movie.right) / 2, (movie.top + movie.bottom) / 2});
    EXPECT_TRUE(atMovie == preview().ImageFrame()->hWnd() || IsChild(preview().ImageFrame()->hWnd(), atMovie))
        << "the movie is hidden behind the skin";
    EXPECT_EQ(preview().ModLabel.Caption(), L"Module 000042");
    EXPECT_EQ(preview().OverMenuLabel.Caption(), L"Ladder Safety");

    // What the screen shows of each picture is its slice: buttons pixel for pixel, frames at their
    // kept corners, strips along a column, row for row as far as stretching goes.
    struct Piece {
        ui::PictureBox& box;
        enum { kWhole, kCorners, kColumn } check;
    };
    frmPreviewDlg& f = preview();
    const Piece pieces[] = {
        {f.Exit_Pic, Piece::kWhole},        {f.Min_btn, Piece::kWhole},       {f.Prev, Piece::kWhole},
        {f.NextBtn, Piece::kWhole},         {f.Return_Btn, Piece::kWhole},    {f.toolBar_But, Piece::kWhole},
        {f.MenuScrlUp, Piece::kWhole},      {f.MenuScrlDwn, Piece::kWhole},   {f.TopicScrlup, Piece::kWhole},
        {f.TopicScrlDwn, Piece::kWhole},    {f.Main_Menu_frm, Piece::kCorners}, {f.Main_Topic_frm, Piece::kCorners},
        {f.Main_Tool_frm, Piece::kCorners}, {f.Picture1, Piece::kColumn},     {f.Picture2, Piece::kColumn},
        {f.MenuSlice, Piece::kColumn},      {f.TopicSlice, Piece::kColumn},   {f.MenuFrame, Piece::kColumn},
        {f.TopicFrame, Piece::kColumn},     {f.Over_MenuSlice, Piece::kColumn}, {f.toolBar_Frame, Piece::kColumn},
        {f.toolBar_Slice, Piece::kColumn},
    };
    for (const Piece& piece : pieces) {
        SCOPED_TRACE(Utf8(piece.box.Name()));
        const HBITMAP slice = f.SkinPicture(piece.box);
        ASSERT_NE(slice, nullptr) << "no slice in the program's resources";
        const WindowPixels want = ui::testing::ReadBitmapPixels(slice);
        const WindowPixels shown = ui::testing::ReadWindowPixels(piece.box.hWnd());
        ASSERT_GT(want.width, 0);
        if (piece.check == Piece::kWhole) {
            ASSERT_EQ(shown.width, want.width);
            ASSERT_EQ(shown.height, want.height);
            int differ = 0;
            for (int y = 0; y < want.height; ++y)
                for (int x = 0; x < want.width; ++x) differ += shown.At(x, y) != want.At(x, y);
            EXPECT_EQ(differ, 0);
        } else if (piece.check == Piece::kCorners) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    EXPECT_EQ(shown.At(x, y), want.At(x, y));
                    EXPECT_EQ(shown.At(shown.width - 1 - x, shown.height - 1 - y),
                              want.At(want.width - 1 - x, want.height - 1 - y));
                }
        } else {
            // The first column, where no control stands on the picture.
            std::vector<RECT> onIt;
            for (HWND child = GetWindow(piece.box.hWnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                if (!IsWindowVisible(child)) continue;
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, piece.box.hWnd(), reinterpret_cast<POINT*>(&r), 2);
                onIt.push_back(r);
            }
            for (int y = 0; y < shown.height; ++y) {
                const POINT at{0, y};
                if (std::any_of(onIt.begin(), onIt.end(), [&](const RECT& r) { return PtInRect(&r, at); })) continue;
                const int row = y * want.height / shown.height;
                // Stretching may blend a row with its neighbours by a shade.
                auto alike = [](std::uint32_t a, std::uint32_t b) {
                    for (int shift : {0, 8, 16})
                        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3)
                            return false;
                    return true;
                };
                bool matched = false;
                for (int r = std::max(0, row - 1); r <= std::min(want.height - 1, row + 1); ++r)
                    matched = matched || alike(shown.At(0, y), want.At(0, r));
                if (!matched) {
                    ADD_FAILURE() << "row " << y << " shows " << std::hex << shown.At(0, y) << ", the slice's row " << std::dec
                                  << row << " is " << std::hex << want.At(0, row);
                    break;
                }
            }
        }
    }
    preview().Unload();
}

// Where PlaceControlsOnForm puts every control on a screen of x by y twips per pixel: each place
// and size scaled from 15, a label given room for larger fonts (five pixels more, three up), a
// combo box keeping its height; timers and system information as they were.
void ExpectPlacedForTheScreen(frmPreviewDlg& shown, double x, double y) {
    frmPreviewDlg design;  // never loaded: its controls keep their design places
    auto within = [](long got, double want) { return std::abs(got - want) <= 1; };
    // The window has no border: its size is its inner size.
    EXPECT_TRUE(within(shown.Width(), design.ScaleWidth() / 15.0 * x)) << shown.Width() << " / " << design.ScaleWidth();
    EXPECT_TRUE(within(shown.Height(), design.ScaleHeight() / 15.0 * y)) << shown.Height() << " / " << design.ScaleHeight();
    for (ui::Control* d : design.Controls()) {
        ui::Control* c = shown.FindControl(d->Name());
        ASSERT_NE(c, nullptr) << Utf8(d->Name());
        double left = d->Left() / 15.0 * x, width = d->Width() / 15.0 * x;
        double top = d->Top() / 15.0 * y, height = d->Height() / 15.0 * y;
        if (dynamic_cast<ui::Timer*>(d) || dynamic_cast<ui::SysInfo*>(d)) {
            left = d->Left(), top = d->Top(), width = d->Width(), height = d->Height();
        } else if (dynamic_cast<ui::Label*>(d) && y != 15) {
            height = (d->Height() / 15.0 + 5) * y;
            top = (d->Top() / 15.0 - 3) * y;
        }
        EXPECT_TRUE(within(c->Left(), left) && within(c->Top(), top) && within(c->Width(), width) &&
                    within(c->Height(), height))
            << Utf8(d->Name()) << " stands at " << c->Left() << ", " << c->Top() << " sized " << c->Width() << " x "
            << c->Height() << "; designed at " << d->Left() << ", " << d->Top() << " sized " << d->Width() << " x "
            << d->Height();
    }
}

TEST_F(PreviewDlg, OnThisScreenPlacingTheControlsScalesEveryDesignPlace) {
    WriteModule();
    preview().Show();
    ui::DoEvents();
    const double x = ui::Screen().TwipsPerPixelX(), y = ui::Screen().TwipsPerPixelY();
    ExpectPlacedForTheScreen(preview(), x, y);
    preview().Unload();
}

// The same on a screen of 120 dots per inch, 12 twips per pixel: this test program run again with
// the desktop's resolution set so for the current user, which a program reads when it starts.
constexpr wchar_t kAt120Dpi[] = L"ZV_PREVIEW_AT_120_DPI";

TEST_F(PreviewDlg, OnATwelveTwipsScreenEveryPlaceIsFourFifthsLabelsExcepted) {
    if (GetEnvironmentVariableW(kAt120Dpi, nullptr, 0) != 0) {
        ASSERT_EQ(ui::Screen().TwipsPerPixelX(), 12);
        ASSERT_EQ(ui::Screen().TwipsPerPixelY(), 12);
        WriteModule();
        preview().Show();
        ui::DoEvents();
        ExpectPlacedForTheScreen(preview(), 12, 12);
        // Every size and place is four fifths of its design: the text control's, for one.
        EXPECT_EQ(preview().TXTextControl1.Left(), 2640 * 4 / 5);
        EXPECT_EQ(preview().TXTextControl1.Width(), 12720 * 4 / 5);
        preview().Unload();
        return;
    }
    HKEY desktop = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                              nullptr, &desktop, nullptr),
              ERROR_SUCCESS);
    DWORD old = 0, size = sizeof old, type = 0;
    const bool hadValue = RegQueryValueExW(desktop, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old), &size) ==
                          ERROR_SUCCESS;
    const DWORD dpi = 120;
    ASSERT_EQ(RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi),
              ERROR_SUCCESS);
    // The run's output, through a pipe; the resolution put back whatever happens.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_filter=PreviewDlg.OnATwelveTwipsScreenEveryPlaceIsFourFifthsLabelsExcepted";
    SetEnvironmentVariableW(kAt120Dpi, L"1");
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(kAt120Dpi, nullptr);
    CloseHandle(writeEnd);
    std::string output;
    char buffer[4096];
    DWORD read = 0;
    while (started && ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
    CloseHandle(readEnd);
    DWORD code = 1;
    if (started) {
        WaitForSingleObject(pi.hProcess, 60000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    if (hadValue) RegSetValueExW(desktop, L"LogPixels", 0, type, reinterpret_cast<const BYTE*>(&old), sizeof old);
    else RegDeleteValueW(desktop, L"LogPixels");
    RegCloseKey(desktop);
    ASSERT_TRUE(started) << "the test program could not be run again";
    EXPECT_EQ(code, 0u) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}

}  // namespace
