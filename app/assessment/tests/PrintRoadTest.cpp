// The printout's road with the real shell under Wine: the print verb of text files (its notepad with
// /p, which asks with a print dialog and stays open after printing) prints Assessment.txt on the
// default printer, a PostScript printer that writes its file without asking; Ghostscript's text of
// that file holds the questions. Without a print verb for text files the author is told.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "app/assessment/tests/AssessmentWindowTest.h"
#include "base/Files.h"
#include "ui/Shell.h"
#include "ui/testing/UiTest.h"
#include "ui/testing/WinePrinter.h"

namespace {

using ui::testing::UnderWine;
using ui::testing::Utf8;
using ui::testing::WaitUntil;

// The class HKCR\.txt names, set for one test and put back after it.
class TextFileClass {
public:
    explicit TextFileClass(const std::wstring& progId) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                            &disposition_) != ERROR_SUCCESS) {
            return;
        }
        wchar_t old[256] = {};
        DWORD size = sizeof old;
        if (disposition_ == REG_OPENED_EXISTING_KEY &&
            RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS) {
            old_ = old;
        }
        ok = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(progId.c_str()),
                            static_cast<DWORD>((progId.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~TextFileClass() {
        if (disposition_ == REG_CREATED_NEW_KEY) {
            RegDeleteKeyW(HKEY_CLASSES_ROOT, L".txt");
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                       static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    bool ok = false;

private:
    DWORD disposition_ = 0;
    std::wstring old_;
};

bool OfOtherProcess(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid != GetCurrentProcessId();
}

// The printing program's windows go, whatever the test found.
class CloseNotepadAfter {
public:
    ~CloseNotepadAfter() {
        while (HWND dialog = FindWindowW(L"#32770", L"Print")) {
            if (!OfOtherProcess(dialog)) break;
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        for (int i = 0; i < 20; ++i) {
            HWND notepad = FindWindowW(L"Notepad", nullptr);
            if (!notepad) return;
            DWORD pid = 0;
            GetWindowThreadProcessId(notepad, &pid);
            HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
            PostMessageW(notepad, WM_CLOSE, 0, 0);
            if (process) {
                if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
                CloseHandle(process);
            }
        }
    }
};

class PrintRoad : public zv_test::AssessmentWindowTest {};

const std::string kTest =
    "\"0\"\r\n"
    "\"Which colour is the sky?\",\"Green>>Blue\",\"0>>1\",\"Light scatters.\",\"\",\"\"\r\n"
    "\"Is the sea salty?\",\"Yes>>No\",\"1>>0\",\"\",\"\",\"\"\r\n";

TEST_F(PrintRoad, ThePrintVerbOfTextFilesPrintsThePage) {
    if (!UnderWine()) GTEST_SKIP() << "the road goes through Wine's own programs";
    const std::filesystem::path printed = folder_.parent_path() / "printed.ps";
    ui::testing::WinePostScriptPrinter printer(printed.wstring());
    TextFileClass textFiles(L"txtfile");  // as a Windows machine has it; this Wine leaves .txt unnamed
    ASSERT_TRUE(printer.ok && textFiles.ok) << "no printer or no .txt class could be set up";
    CloseNotepadAfter closeNotepad;
    WriteTestFile(kTest);
    ui::test::RunRealShellCalls(true);

    InCreator([&](frmAssCreator& f) { ui::test::Click(f.Command10); });
    ASSERT_EQ(ui::test::ShellCalls().size(), 1u);
    EXPECT_TRUE(ui::test::ShellCalls()[0].ran);
    EXPECT_GT(ui::test::ShellCalls()[0].result, 32);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());

    // The print verb asks with its print dialog; the author presses OK.
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindWindowW(L"#32770", L"Print");
        return dialog && OfOtherProcess(dialog) && IsWindowVisible(dialog);
    }, 60);
    ASSERT_NE(dialog, nullptr) << "no print dialog of the printing program";
    // The printing program itself is shown (minimised), not left hidden.
    HWND notepad = FindWindowW(L"Notepad", nullptr);
    ASSERT_NE(notepad, nullptr);
    EXPECT_TRUE(IsWindowVisible(notepad));
    EXPECT_TRUE(IsIconic(notepad));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));

    const bool done = WaitUntil([&] {
        return zv::FileExists(printed.wstring()) &&
               zv::ReadFileBytes(printed.wstring()).find("%%EOF") != std::string::npos;
    }, 60);
    ASSERT_TRUE(done) << "nothing was printed";
    const std::string text = ui::testing::PostScriptText(printed.wstring());
    // Ghostscript writes UTF-8: the mark of a correct answer is "\xC2\xA9".
    for (const char* expected : {"\xC2\xA9 denotes a correct answer.", "1.  Which colour is the sky?", "Green",
                                 "\xC2\xA9" "Blue",
                                 "Light scatters.", "2.  Is the sea salty?", "\xC2\xA9" "Yes", "No",
                                 "****************"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " is not on the printed page:\n" << text;
    }
}

TEST_F(PrintRoad, WithoutAPrintVerbForTextFilesTheAuthorIsTold) {
    if (!UnderWine()) GTEST_SKIP() << "the road goes through Wine's own programs";
    TextFileClass textFiles(L"Zorvik.NoPrintVerb");
    ASSERT_TRUE(textFiles.ok);
    WriteTestFile(kTest);
    ui::test::RunRealShellCalls(true);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    InCreator([&](frmAssCreator& f) { ui::test::Click(f.Command10); });
    ASSERT_EQ(ui::test::ShellCalls().size(), 1u);
    EXPECT_EQ(ui::test::ShellCalls()[0].result, SE_ERR_NOASSOC);
    const auto box = ui::test::LastMsgBox();
    EXPECT_NE(box.prompt.find((folder_ / "Assessment.txt").wstring()), std::wstring::npos) << Utf8(box.prompt);
    EXPECT_NE(box.prompt.find(L"No program is registered for this kind of file and this command."), std::wstring::npos);
    EXPECT_TRUE(zv::FileExists((folder_ / "Assessment.txt").wstring())) << "the printout stays";
}

}  // namespace
