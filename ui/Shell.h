#pragma once
// The shell's verbs on a file or an address (open, print, ...), as Explorer runs them: the program
// registered for the file's kind does the work on its own, the caller does not wait for it.
//
// In tests (no real dialogs) a call is recorded and not run, so that no browser or printer starts;
// a test that wants the real call says so with ui::test::RunRealShellCalls(true).

#include <windows.h>
#include <shellapi.h>  // the SE_ERR_ results

#include <string>
#include <vector>

namespace ui {

// ShellExecute's result: above 32 when the shell started the verb, else its error
// (SE_ERR_NOASSOC, ERROR_FILE_NOT_FOUND, ...).
INT_PTR ShellExecuteFile(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters = L"",
                         const std::wstring& folder = L"", int showCmd = SW_SHOWNORMAL, HWND owner = nullptr);

// Why a shell call failed, as a sentence for the author.
std::wstring ShellErrorText(INT_PTR result);

namespace test {

struct ShellCall {
    std::wstring verb, file, parameters, folder;
    int show = 0;
    bool ran = false;    // the real shell ran it
    INT_PTR result = 0;  // what the caller got
};

// Every shell call since the last ui::test::Reset, in order.
const std::vector<ShellCall>& ShellCalls();
// Run the next calls for real (until Reset); they are recorded as well.
void RunRealShellCalls(bool on);
// The result the next recorded-only call reports (default: success).
void AnswerNextShellCall(INT_PTR result);

namespace detail {
void ResetShellHooks();
}

}  // namespace test
}  // namespace ui
