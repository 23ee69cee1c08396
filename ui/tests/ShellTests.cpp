// The shell function: what a test records instead of running, and the real shell's answers.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/Shell.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

TEST_F(UiTest, ShellCallsAreRecordedInTestsAndRunForRealWhenAsked) {
    EXPECT_GT(ShellExecuteFile(L"Open", L"http://example.com/a b", L"-x", L"C:\\", SW_SHOWMAXIMIZED), 32);
    test::AnswerNextShellCall(SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecuteFile(L"Print", L"C:\\no such folder\\a.txt"), SE_ERR_NOASSOC);
    ASSERT_EQ(test::ShellCalls().size(), 2u);
    const auto& open = test::ShellCalls()[0];
    EXPECT_EQ(open.verb, L"Open");
    EXPECT_EQ(open.file, L"http://example.com/a b");
    EXPECT_EQ(open.parameters, L"-x");
    EXPECT_EQ(open.folder, L"C:\\");
    EXPECT_EQ(open.show, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(open.ran);
    EXPECT_EQ(test::ShellCalls()[1].show, SW_SHOWNORMAL);

    // The real shell: a file that is not there is an error, and says so.
    test::RunRealShellCalls(true);
    const INT_PTR missing = ShellExecuteFile(L"Open", L"C:\\zv no such folder\\nothing.zvtest");
    EXPECT_LE(missing, 32);
    EXPECT_TRUE(test::ShellCalls().back().ran);
    EXPECT_EQ(test::ShellCalls().back().result, missing);
    EXPECT_FALSE(ShellErrorText(missing).empty());
    EXPECT_EQ(ShellErrorText(SE_ERR_NOASSOC), L"No program is registered for this kind of file and this command.");
    EXPECT_EQ(ShellErrorText(ERROR_FILE_NOT_FOUND), L"The file was not found.");

    test::Reset();
    EXPECT_TRUE(test::ShellCalls().empty());
    EXPECT_GT(ShellExecuteFile(L"Open", L"x"), 32) << "Reset goes back to recording only";
    EXPECT_FALSE(test::ShellCalls().back().ran);
}

}  // namespace
}  // namespace ui::testing
