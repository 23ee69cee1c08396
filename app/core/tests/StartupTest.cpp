// The start-up road: the start-up window first, three seconds later the frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/core/AppState.h"
#include "app/core/Startup.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmOpenDlg.h"
#include "app/core/frmStartUpDlg.h"
#include "app/core/tests/ProgramProcess.h"
#include "ui/Application.h"
#include "ui/TestHooks.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class StartUp : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ui::test::UseUnmanagedWindowsUnderWine(); }
    void SetUp() override {
        ResetAppState();
        ui::test::Reset();
        ui::test::SetNoRealDialogs(true);
    }
    void TearDown() override {
        ui::Forms::Reset();
        ui::DoEvents();
        ui::test::Reset();
        ResetAppState();
    }
};

TEST_F(StartUp, TheFrameFollowsTheStartUpWindowAfterItsDelay) {
    // Without a module on the command line the frame asks for one; the author leaves it for later.
    ui::test::OnNextModal<frmOpenDlg>([](frmOpenDlg& d) { d.Unload(); });
    const auto start = Clock::now();
    StartZorvik();
    EXPECT_GE(MsSince(start), kStartUpDelayMs - 20);

    auto& frame = ui::Forms::Get<frmMDIParent>();
    ASSERT_TRUE(frame.IsLoaded());
    EXPECT_TRUE(IsWindowVisible(frame.hWnd()));
    EXPECT_EQ(frame.Caption(), L"Zorvik");
    EXPECT_FALSE(ui::Forms::Get<frmStartUpDlg>().IsLoaded());
    EXPECT_TRUE(App().AppStarted);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

struct TextPixels {
    int all = 0, text = 0;
    COLORREF corner = 0;
};

// What a window shows on the screen: its pixels that differ from white, and its bottom-right one.
TextPixels CountTextPixels(HWND hwnd) {
    UpdateWindow(GetParent(hwnd));
    UpdateWindow(hwnd);
    ui::DoEvents();
    RECT r;
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd);
    TextPixels p;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) {
            ++p.all;
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) ++p.text;
        }
    p.corner = GetPixel(dc, r.right - 2, r.bottom - 2);
    ReleaseDC(hwnd, dc);
    return p;
}

TEST_F(StartUp, LoadedAgainTheStartUpWindowIsOnlyTheAboutBox) {
    App().AppStarted = true;
    auto& about = ui::Forms::Get<frmStartUpDlg>();
    bool shown = false;
    ui::test::OnNextModal<frmStartUpDlg>([&](frmStartUpDlg& f) {
        shown = IsWindowVisible(f.hWnd()) != 0;
        // Its texts stand on the window's white, as the author sees them; a label that paints no
        // background of its own showed as a black bar.
        for (ui::Label* label : {&f.lblProduct, &f.lblDescription, &f.lblVersion, &f.lblCopyright}) {
            SCOPED_TRACE(std::string(label->Name().begin(), label->Name().end()));
            const TextPixels p = CountTextPixels(label->hWnd());
            EXPECT_EQ(p.corner, RGB(255, 255, 255)) << "beside the text";
            EXPECT_GT(p.text, 0) << "the text shows";
            EXPECT_LT(p.text * 3, p.all) << "most of the label is the window's background";
        }
        ui::test::Click(f.cmdOK);
    });
    const auto start = Clock::now();
    about.Show(ui::vbModal);
    EXPECT_LT(MsSince(start), static_cast<long long>(kStartUpDelayMs));
    EXPECT_TRUE(shown);
    EXPECT_FALSE(about.IsLoaded());
    EXPECT_FALSE(ui::Forms::Get<frmMDIParent>().IsLoaded());  // no second frame
}

// The program itself, as a separate process: its start-up window shows first, then its frame, each
// centred on the screen's work area.
testing::AssertionResult CentredOnTheScreen(HWND hwnd) {
    RECT r{}, work{};
    GetWindowRect(hwnd, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (std::abs((r.left + r.right) - (work.left + work.right)) <= 2 &&
        std::abs((r.top + r.bottom) - (work.top + work.bottom)) <= 2)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the window stands at (" << r.left << ", " << r.top << ")-(" << r.right << ", "
                                       << r.bottom << ") on a work area (" << work.left << ", " << work.top << ")-("
                                       << work.right << ", " << work.bottom << ")";
}

TEST(StartUpProcess, ZorvikShowsItsStartUpWindowThenItsFrameBothCentred) {
    // A module to open, so that the frame comes up without asking for one.
    const std::wstring folder = zv_test::ProgramProcess::Folder() + L"\\startup_000321";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const auto& [name, text] : {std::pair<std::wstring, std::string>{L"\\Map.txt", "000321\r\nStart\r\n1\r\n"},
                                     {L"\\000321.zvk", ""}}) {
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    zv_test::ProgramProcess program(folder + L"\\000321.zvk");
    ASSERT_TRUE(program.Started()) << "cannot start the program";

    const auto start = Clock::now();
    long long splashAt = -1, frameAt = -1;
    bool splashWithFrame = false;
    testing::AssertionResult splashCentred = testing::AssertionFailure();
    HWND frame = nullptr;
    while (MsSince(start) < 30000 && frameAt < 0) {
        const HWND splash = program.Window(L"About Zorvik");
        if (splash && splashAt < 0) {
            splashAt = MsSince(start);
            splashCentred = CentredOnTheScreen(splash);
        }
        if (HWND shown = program.Window(L"Zorvik")) {
            frameAt = MsSince(start);
            frame = shown;
            splashWithFrame = splash != nullptr;
        }
        Sleep(20);
    }
    ASSERT_GE(splashAt, 0) << "the start-up window never showed";
    ASSERT_GE(frameAt, 0) << "the frame never showed";
    EXPECT_GE(frameAt - splashAt, static_cast<long long>(kStartUpDelayMs) - 100);
    EXPECT_TRUE(splashCentred);
    EXPECT_TRUE(CentredOnTheScreen(frame)) << "the frame opens centred, not at the screen's corner";

    // The start-up window goes once the frame stands.
    bool splashGone = !splashWithFrame;
    for (int i = 0; i < 100 && !splashGone; ++i) {
        splashGone = program.Window(L"About Zorvik") == nullptr;
        Sleep(20);
    }
    EXPECT_TRUE(splashGone);

    // Closing the frame ends the program.
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(15000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
