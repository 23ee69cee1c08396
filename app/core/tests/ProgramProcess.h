#pragma once
// Zorvik.exe as the build leaves it beside the test programs, started as a user starts it, with the
// visible windows it shows; it does not outlive the test, whatever the test found.

#include <windows.h>

#include <string>
#include <vector>

namespace zv_test {

class ProgramProcess {
public:
    // `arguments`: the command line after the program's own (quoted) path.
    explicit ProgramProcess(const std::wstring& arguments = L"") {
        std::wstring commandLine = L"\"" + Path() + L"\"";
        if (!arguments.empty()) commandLine += L" " + arguments;
        STARTUPINFOW si{sizeof(si)};
        started_ = CreateProcessW(Path().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                  &pi_) != FALSE;
    }
    ~ProgramProcess() {
        if (!started_) return;
        TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // The program file, built beside this test.
    static std::wstring Path() {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring path(self);
        return path.substr(0, path.find_last_of(L'\\')) + L"\\Zorvik.exe";
    }
    static std::wstring Folder() { return Path().substr(0, Path().find_last_of(L'\\')); }

    bool Started() const { return started_; }
    // The program's visible top-level windows, front to back.
    std::vector<HWND> Windows() const {
        struct Search {
            DWORD pid;
            std::vector<HWND> found;
        } search{pi_.dwProcessId, {}};
        EnumWindows(
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(lp);
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                if (pid == s.pid && IsWindowVisible(hwnd)) s.found.push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Its visible top-level window with this caption, if it shows one.
    HWND Window(const std::wstring& caption) const {
        for (HWND hwnd : Windows())
            if (Caption(hwnd) == caption) return hwnd;
        return nullptr;
    }
    static std::wstring Caption(HWND hwnd) {
        wchar_t caption[128] = {};
        GetWindowTextW(hwnd, caption, 128);
        return caption;
    }
    // Whether the program ended within `ms`; ExitCode() then tells how.
    bool WaitForExit(DWORD ms) const { return started_ && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

}  // namespace zv_test
