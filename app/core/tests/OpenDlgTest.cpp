// The open dialog as the author meets it: opening a module through the file dialog, making one
// from a code and a name (the folder checked on disk), the refusals, and the ways out.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "app/core/frmOpenDlg.h"
#include "app/core/tests/FrameTest.h"
#include "base/Files.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

constexpr wchar_t kRefusedCode[] = L"The module code must be numeric and 6 digits or less.";
constexpr wchar_t kEmptyFields[] = L"The Module Code and Module Name fields can not be empty.";

// New modules go into the program's folder: the codes the tests use are cleared around each test.
class OpenDlg : public zv_test::FrameTest {
protected:
    void SetUp() override {
        programFolder_ = fs::path(ui::App().Path());
        for (const char* code : kCodesUsed) fs::remove_all(programFolder_ / code);
        FrameTest::SetUp();
    }
    void TearDown() override {
        FrameTest::TearDown();
        for (const char* code : kCodesUsed) fs::remove_all(programFolder_ / code);
    }

    // The author picks "Open new Module" and types a code and a name.
    static void EnterNewModule(frmOpenDlg& d, const std::wstring& code, const std::wstring& name) {
        ui::test::Click(d.Option2);
        ui::test::Type(d.Text1[kCodeBox], code);
        ui::test::Type(d.Text1[kNameBox], name);
    }

    // Shows the dialog as File > New does and runs `action` inside it.
    static void ShowDialog(std::function<void(frmOpenDlg&)> action) {
        ui::test::OnNextModal<frmOpenDlg>(std::move(action));
        NewModule();
    }

    static constexpr const char* kCodesUsed[] = {"000042", "000013", "000012", "001000", "000077"};
    fs::path programFolder_;
};

TEST_F(OpenDlg, TheOptionsEnableTheNewModuleBoxes) {
    ShowDialog([](frmOpenDlg& d) {
        EXPECT_EQ(d.Caption(), L"Open Module");
        // Opening an existing module is the first choice: nothing to type.
        EXPECT_TRUE(d.Option1.Value());
        for (int i : {kCodeBox, kNameBox}) {
            EXPECT_FALSE(d.Label1[i].Enabled());
            EXPECT_FALSE(d.Text1[i].Enabled());
        }
        d.Text1[kCodeBox].SetText(L"123");
        ui::test::Click(d.Option2);
        for (int i : {kCodeBox, kNameBox}) {
            EXPECT_TRUE(d.Label1[i].Enabled());
            EXPECT_TRUE(d.Text1[i].Enabled());
        }
        // The code box takes the focus with its text selected, ready to be typed over.
        EXPECT_EQ(GetFocus(), d.Text1[kCodeBox].hWnd());
        EXPECT_EQ(d.Text1[kCodeBox].SelLength(), 3);
        ui::test::Click(d.Option1);
        EXPECT_FALSE(d.Text1[kCodeBox].Enabled());
        EXPECT_FALSE(d.Label1[kNameBox].Enabled());
        d.Unload();
    });
    // The dialog comes over a fresh "Untitled" editor.
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(ActiveEditor()->Caption(), L"Untitled");
}

TEST_F(OpenDlg, ACodeMakesTheModuleFolderUnderTheProgramFolder) {
    struct Case {
        const wchar_t* typed;
        const char* folder;
    } cases[] = {{L"42", "000042"}, {L"12.6", "000013"}, {L" 12.5 ", "000012"}, {L"1e3", "001000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.typed));
        bool closed = false;
        ShowDialog([&](frmOpenDlg& d) {
            EnterNewModule(d, c.typed, L"Safety first");
            ui::test::Click(d.btnOK);
            closed = !d.IsLoaded();
        });
        EXPECT_TRUE(closed);
        EXPECT_TRUE(ui::test::MsgBoxes().empty());
        const fs::path folder = programFolder_ / c.folder;
        const std::wstring code = folder.filename().wstring();
        EXPECT_EQ(App().ModuleCode, code);
        EXPECT_EQ(App().ModuleName, L"Safety first");
        EXPECT_EQ(App().ModulePath, folder.wstring());
        ASSERT_TRUE(fs::is_directory(folder));
        EXPECT_EQ(zv::ReadFileBytes((folder / "Map.txt").wstring()), "");
        EXPECT_EQ(zv::ReadFileBytes((folder / (code + L".zvk")).wstring()), "");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
        // The new module is listed in the Window list, and the editor is named after it.
        EXPECT_EQ(App().WindowList[static_cast<size_t>(App().WindowCount - 1)], folder.wstring());
        ASSERT_NE(ActiveEditor(), nullptr);
        EXPECT_EQ(ActiveEditor()->Caption(), L"MODULE: " + code + L"    PAGENAME: " + code);
        EXPECT_FALSE(ActiveEditor()->DirtyFlag);
        EXPECT_TRUE(App().IsNewPage);
        EXPECT_EQ(App().PageCounter, 1);
        ui::test::Reset();
    }
    EXPECT_EQ(App().WindowCount, 4);
}

TEST_F(OpenDlg, BadCodesAndEmptyFieldsAreRefusedAndTheDialogStays) {
    struct Case {
        const wchar_t* code;
        const wchar_t* name;
        const wchar_t* message;
    } cases[] = {
        {L"1234567", L"Too long", kRefusedCode}, {L"abc", L"Letters", kRefusedCode},
        {L"12a", L"Mixed", kRefusedCode},        {L"-5", L"Negative", kRefusedCode},
        {L"0x10", L"Hex", kRefusedCode},         {L"999999.5", L"Rounds up to seven digits", kRefusedCode},
        {L"42", L"", kEmptyFields},              {L"", L"No code", kEmptyFields},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(std::wstring(c.code) + L" / " + c.name));
        const auto foldersBefore = std::distance(fs::directory_iterator(programFolder_), fs::directory_iterator());
        ShowDialog([&](frmOpenDlg& d) {
            EnterNewModule(d, c.code, c.name);
            ui::test::AnswerNextMsgBox(ui::vbOK);
            ui::test::Click(d.btnOK);
            EXPECT_TRUE(d.IsLoaded());
            EXPECT_TRUE(IsWindowVisible(d.hWnd()));
            // What was typed stays for the author to correct.
            EXPECT_EQ(d.Text1[kCodeBox].Text(), c.code);
            EXPECT_EQ(d.Text1[kNameBox].Text(), c.name);
            d.Unload();
        });
        ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
        EXPECT_EQ(ui::test::LastMsgBox().prompt, c.message);
        EXPECT_EQ(ui::test::LastMsgBox().style, ui::vbOKOnly);
        EXPECT_EQ(std::distance(fs::directory_iterator(programFolder_), fs::directory_iterator()), foldersBefore);
        EXPECT_EQ(App().WindowCount, 0);
        ui::test::Reset();
    }
}

TEST_F(OpenDlg, AnExistingFolderIsNotTakenOverAndTheAuthorMayChooseAnother) {
    fs::create_directories(programFolder_ / "000042");
    std::ofstream(programFolder_ / "000042" / "Map.txt", std::ios::binary) << "000042\r\nSomeone else's\r\n1\r\n";
    ShowDialog([](frmOpenDlg& d) {
        EnterNewModule(d, L"42", L"Mine");
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::Click(d.btnOK);
        EXPECT_TRUE(d.IsLoaded());
        ui::test::Type(d.Text1[kCodeBox], L"77");
        ui::test::Click(d.btnOK);
    });
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"already exists"), std::wstring::npos);
    EXPECT_EQ(zv::ReadFileBytes((programFolder_ / "000042" / "Map.txt").wstring()), "000042\r\nSomeone else's\r\n1\r\n");
    EXPECT_EQ(App().ModuleCode, L"000077");
    EXPECT_TRUE(fs::exists(programFolder_ / "000077" / "000077.zvk"));
}

TEST_F(OpenDlg, OpenExistingAsksForAMarkerFileAndLoadsItsModule) {
    const fs::path folder = root_ / "000077";
    fs::create_directories(folder);
    std::ofstream(folder / "Map.txt", std::ios::binary) << "000077\r\nExisting\r\n1\r\n";
    std::ofstream(folder / "000077.zvk", std::ios::binary);

    bool opened = false;
    ShowDialog([&](frmOpenDlg& d) {
        ui::test::ChooseFileInNextDialog((folder / "000077.zvk").wstring());
        ui::test::Click(d.btnOK);
        opened = d.Get_frmOpenDlg_Opened();
    });
    EXPECT_TRUE(opened);
    ASSERT_EQ(ui::test::CommonDialogs().size(), 1u);
    EXPECT_EQ(ui::test::CommonDialogs()[0].kind, L"Open");
    EXPECT_EQ(App().ModulePath, folder.wstring());
    EXPECT_EQ(App().ModuleCode, L"000077");
    EXPECT_EQ(App().ModuleName, L"Existing");
    EXPECT_TRUE(ui::test::MsgBoxes().empty());

    // A cancelled file dialog leaves the author with the empty editor and no message.
    ResetAppState();
    ShowDialog([](frmOpenDlg& d) {
        ui::test::CancelNextDialog();
        ui::test::Click(d.btnOK);
    });
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    EXPECT_EQ(App().ModulePath, L"");
    EXPECT_TRUE(frame().IsLoaded());
}

TEST_F(OpenDlg, ExitAndTheCloseBoxCloseTheFrameOnceTheProgramHasStarted) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Exit");
        if (!frame().IsLoaded()) frame().Show();
        ShowDialog([closeBox](frmOpenDlg& d) {
            if (closeBox) {
                SendMessageW(d.hWnd(), WM_CLOSE, 0, 0);
            } else {
                ui::test::Click(d.btnExit);
            }
        });
        EXPECT_FALSE(ui::Forms::Get<frmOpenDlg>().IsLoaded());
        EXPECT_FALSE(frame().IsLoaded());
    }
}

TEST_F(OpenDlg, ExitDuringStartUpEndsTheProgram) {
    App().AppStarted = false;
    ShowDialog([](frmOpenDlg& d) { ui::test::Click(d.btnExit); });
    EXPECT_TRUE(ui::Forms::Loaded().empty());
    // The end of the program reaches the outermost message loop too.
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

}  // namespace
