#include "ui/Shell.h"

#include <deque>

#include "ui/TestHooks.h"

namespace ui {
namespace {

struct ShellHooks {
    std::vector<test::ShellCall> calls;
    std::deque<INT_PTR> answers;
    bool runReal = false;
};

ShellHooks& Hooks() {
    static ShellHooks hooks;
    return hooks;
}

// What a recorded call reports when the test queued nothing: the value the shell gives a started verb.
constexpr INT_PTR kStarted = 42;

}  // namespace

INT_PTR ShellExecuteFile(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                         const std::wstring& folder, int showCmd, HWND owner) {
    ShellHooks& hooks = Hooks();
    const bool testing = test::NoRealDialogs();
    test::ShellCall call{verb, file, parameters, folder, showCmd, false, kStarted};
    if (testing && !hooks.runReal) {
        if (!hooks.answers.empty()) {
            call.result = hooks.answers.front();
            hooks.answers.pop_front();
        }
        hooks.calls.push_back(call);
        return call.result;
    }
    const HINSTANCE result = ::ShellExecuteW(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                                             parameters.empty() ? nullptr : parameters.c_str(),
                                             folder.empty() ? nullptr : folder.c_str(), showCmd);
    call.ran = true;
    call.result = reinterpret_cast<INT_PTR>(result);
    if (testing) hooks.calls.push_back(call);
    return call.result;
}

std::wstring ShellErrorText(INT_PTR result) {
    switch (result) {
        case 0: return L"The system is out of memory or resources.";
        case ERROR_FILE_NOT_FOUND: return L"The file was not found.";
        case ERROR_PATH_NOT_FOUND: return L"The path was not found.";
        case ERROR_BAD_FORMAT: return L"The program registered for it is not a valid program.";
        case SE_ERR_ACCESSDENIED: return L"Access was denied.";
        case SE_ERR_OOM: return L"There was not enough memory.";
        case SE_ERR_SHARE: return L"A sharing violation occurred.";
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC: return L"No program is registered for this kind of file and this command.";
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY: return L"The program registered for it did not answer.";
        case SE_ERR_DLLNOTFOUND: return L"A library the program needs was not found.";
        default: return L"The shell reported error " + std::to_wstring(result) + L".";
    }
}

namespace test {

const std::vector<ShellCall>& ShellCalls() { return Hooks().calls; }
void RunRealShellCalls(bool on) { Hooks().runReal = on; }
void AnswerNextShellCall(INT_PTR result) { Hooks().answers.push_back(result); }

namespace detail {
void ResetShellHooks() { Hooks() = ShellHooks{}; }
}  // namespace detail

}  // namespace test
}  // namespace ui
