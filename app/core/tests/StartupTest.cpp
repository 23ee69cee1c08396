// The start-up road: the start-up window first, three seconds later the frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "app/core/AppState.h"
#include "app/core/Startup.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmOpenDlg.h"
#include "app/core/frmStartUpDlg.h"
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

// The program itself, as a separate process: its start-up window shows first, then its frame.
struct TopWindows {
    DWORD pid;
    bool splash = false;
    HWND frame = nullptr;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
    auto& found = *reinterpret_cast<TopWindows*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != found.pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd, caption, 64);
    if (std::wstring(caption) == L"About Zorvik") found.splash = true;
    if (std::wstring(caption) == L"Zorvik") found.frame = hwnd;
    return TRUE;
}

TEST(StartUpProcess, ZorvikShowsItsStartUpWindowThenItsFrame) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe(self);
    exe = exe.substr(0, exe.find_last_of(L'\\')) + L"\\Zorvik.exe";  // built beside this test

    // A module to open, so that the frame comes up without asking for one.
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\')) + L"\\startup_000321";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const auto& [name, text] : {std::pair<std::wstring, std::string>{L"\\Map.txt", "000321\r\nStart\r\n1\r\n"},
                                     {L"\\000321.zvk", ""}}) {
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::wstring commandLine = L"\"" + exe + L"\" " + folder + L"\\000321.zvk";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << "cannot start the program";

    const auto start = Clock::now();
    long long splashAt = -1, frameAt = -1;
    bool splashWithFrame = false;
    HWND frame = nullptr;
    while (MsSince(start) < 30000 && frameAt < 0) {
        TopWindows found{pi.dwProcessId};
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
        if (found.splash && splashAt < 0) splashAt = MsSince(start);
        if (found.frame != nullptr) {
            frameAt = MsSince(start);
            frame = found.frame;
            splashWithFrame = found.splash;
        }
        Sleep(20);
    }
    ASSERT_GE(splashAt, 0) << "the start-up window never showed";
    ASSERT_GE(frameAt, 0) << "the frame never showed";
    EXPECT_GE(frameAt - splashAt, static_cast<long long>(kStartUpDelayMs) - 100);

    // The start-up window goes once the frame stands.
    bool splashGone = !splashWithFrame;
    for (int i = 0; i < 100 && !splashGone; ++i) {
        TopWindows found{pi.dwProcessId};
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
        splashGone = !found.splash;
        Sleep(20);
    }
    EXPECT_TRUE(splashGone);

    // Closing the frame ends the program.
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

}  // namespace
