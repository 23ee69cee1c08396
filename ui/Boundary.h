#pragma once
// The edge where Windows calls into our code: window procedures, subclass and hook procedures,
// COM event sinks. No C++ exception may cross it, and none may vanish there either. Every entry
// point of that kind runs its work under a guard that hands what it stopped to one report:
//   - a zv::Error shows its own description;
//   - any other exception shows what it says and where it was stopped;
//   - a cancelled common dialog is no failure and ends its event without a word.
// The report goes to the debugger's output and to the author in a message box; a test run with
// "no real dialogs" fails with the description instead (ui/TestHooks.h). A failure stopped while
// such a message box is open is told once that box closes, so a window that fails in every paint
// does not stack boxes on boxes.

#include <utility>

namespace ui {

// Reports the exception being handled. Call only inside a catch block. Never throws.
// `where` names the entry point (e.g. L"the text control's window procedure").
void ReportStoppedException(const wchar_t* where) noexcept;

// Runs `work` at a boundary; true when it ran to its end, false when it threw (and was reported).
template <class Work>
bool RunAtBoundary(const wchar_t* where, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        ReportStoppedException(where);
        return false;
    }
}

}  // namespace ui
