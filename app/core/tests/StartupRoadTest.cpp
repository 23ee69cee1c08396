// The start-up road as far as the first page: from the start-up window through the frame's load
// to the open dialog, or straight to the module named on the command line.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmOpenDlg.h"
#include "app/core/frmStartUpDlg.h"
#include "app/core/tests/ProgramProcess.h"
#include "app/editor/frmMDIChild.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class StartupRoad : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ResetAppState();
        App().ShowMessage = [](const std::wstring& prompt) { ui::MsgBox(prompt, ui::vbOKOnly); };
        programFolder_ = fs::path(ui::App().Path());
        fs::remove_all(programFolder_ / "000043");
        root_ = fs::temp_directory_path() / "zv_startup_road";
        fs::remove_all(root_);
        module_ = root_ / "My modules" / "000321";
        fs::create_directories(module_);
        std::ofstream(module_ / "Map.txt", std::ios::binary) << "000321\r\nStarted\r\n1\r\n";
        std::ofstream(module_ / "000321.zvk", std::ios::binary);
    }
    void TearDown() override {
        UiTest::TearDown();
        ResetAppState();
        fs::remove_all(programFolder_ / "000043");
        fs::remove_all(root_);
    }

    // The program's start from its start-up window on, with this command-line text.
    static void Start(const std::wstring& commandLine) {
        ui::Forms::Get<frmMDIParent>().CommandLineText = commandLine;
        ui::Forms::Get<frmStartUpDlg>().Load();
    }
    static frmMDIParent& frame() { return ui::Forms::Get<frmMDIParent>(); }

    fs::path programFolder_, root_, module_;
};

TEST_F(StartupRoad, WithoutACommandLineTheAuthorNamesANewModuleOverAnUntitledEditor) {
    bool checked = false;
    ui::test::OnNextModal<frmOpenDlg>([&](frmOpenDlg& d) {
        // The frame stands behind the dialog with an empty editor; the program has not started yet.
        EXPECT_TRUE(IsWindowVisible(frame().hWnd()));
        ASSERT_NE(ActiveEditor(), nullptr);
        EXPECT_EQ(ActiveEditor()->Caption(), L"Untitled");
        EXPECT_FALSE(App().AppStarted);
        ui::test::Click(d.Option2);
        ui::test::Type(d.Text1[kCodeBox], L"43");
        ui::test::Type(d.Text1[kNameBox], L"First steps");
        checked = true;
        ui::test::Click(d.btnOK);
    });
    Start(L"");
    EXPECT_TRUE(checked);
    EXPECT_TRUE(App().AppStarted);
    EXPECT_TRUE(frame().IsLoaded());
    EXPECT_FALSE(ui::Forms::Get<frmStartUpDlg>().IsLoaded());
    EXPECT_EQ(App().ModuleCode, L"000043");
    EXPECT_EQ(App().ModuleName, L"First steps");
    EXPECT_TRUE(fs::exists(programFolder_ / "000043" / "000043.zvk"));
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(ActiveEditor()->Caption(), L"MODULE: 000043    PAGENAME: 000043");
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(StartupRoad, ExitInTheOpenDialogEndsTheProgramBeforeItHasStarted) {
    ui::test::OnNextModal<frmOpenDlg>([](frmOpenDlg& d) { ui::test::Click(d.btnExit); });
    Start(L"");
    EXPECT_TRUE(ui::Forms::Loaded().empty());
    EXPECT_FALSE(frame().IsLoaded());
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

TEST_F(StartupRoad, ACommandLineOpensItsModuleQuotedOrNotAndAnythingElseIsReported) {
    const std::wstring marker = (module_ / "000321.zvk").wstring();
    const fs::path stray = root_ / "notes.txt";
    std::ofstream(stray) << "not a module";
    struct Case {
        std::wstring commandLine;
        bool opens;
    } cases[] = {
        {marker, true},
        {L"\"" + marker + L"\"", true},
        {L"\"" + marker, false},  // a quote at one end only is part of the path
        {stray.wstring(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.commandLine));
        ResetAppState();
        App().ShowMessage = [](const std::wstring& prompt) { ui::MsgBox(prompt, ui::vbOKOnly); };
        if (!c.opens) ui::test::AnswerNextMsgBox(ui::vbOK);
        Start(c.commandLine);
        EXPECT_EQ(ui::test::PendingModalActions(), 0u);  // no open dialog either way
        EXPECT_TRUE(frame().IsLoaded());
        EXPECT_TRUE(App().AppStarted);
        if (c.opens) {
            EXPECT_TRUE(ui::test::MsgBoxes().empty());
            EXPECT_EQ(App().ModulePath, module_.wstring());
            EXPECT_EQ(App().ModuleName, L"Started");
            ASSERT_NE(ActiveEditor(), nullptr);
            EXPECT_EQ(App().WindowList[0], module_.wstring());
        } else {
            ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
            EXPECT_EQ(ActiveEditor(), nullptr);  // the frame without a module
            EXPECT_EQ(App().ModuleCode, L"");
        }
        ui::Forms::Reset();
        ui::DoEvents();
        ui::test::Reset();
    }
}

// The program itself: without a command line it asks for a module, and Exit there ends it.
BOOL CALLBACK FindExitButton(HWND hwnd, LPARAM lp) {
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd, caption, 64);
    if (std::wstring(caption) == L"&Exit") {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

TEST(StartupRoadProcess, ZorvikWithoutACommandLineAsksForAModuleAndExitOrTheCloseBoxEndsIt) {
    for (bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Exit");
    zv_test::ProgramProcess program;
    ASSERT_TRUE(program.Started());

    HWND openDialog = nullptr;
    for (int i = 0; i < 1500 && openDialog == nullptr; ++i) {
        openDialog = program.Window(L"Open Module");
        Sleep(20);
    }
    ASSERT_NE(openDialog, nullptr) << "the open dialog never showed";
    HWND exitButton = nullptr;
    EnumChildWindows(openDialog, FindExitButton, reinterpret_cast<LPARAM>(&exitButton));
    ASSERT_NE(exitButton, nullptr);
    if (closeBox) {
        PostMessageW(openDialog, WM_CLOSE, 0, 0);
    } else {
        PostMessageW(exitButton, BM_CLICK, 0, 0);
    }

    EXPECT_TRUE(program.WaitForExit(15000));
    EXPECT_EQ(program.ExitCode(), 0u);
    }
}

}  // namespace
