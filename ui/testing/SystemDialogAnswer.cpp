#include "ui/testing/SystemDialogAnswer.h"

#include <cwchar>
#include <utility>

namespace ui::testing {
namespace {

// A thread timer has no object to call back: the one answer in force lives here.
struct Answering {
    std::function<void(HWND)> action;
    int shown = 0;
    HWND answered = nullptr;
};
Answering& Current() {
    static Answering answering;
    return answering;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        Answering& a = Current();
        if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window) || window == a.answered) return TRUE;
        a.answered = window;
        ++a.shown;
        if (a.action) a.action(window);
        return FALSE;
    }, 0);
}

}  // namespace

SystemDialogAnswer::SystemDialogAnswer(std::function<void(HWND)> action) {
    Current() = Answering{std::move(action), 0, nullptr};
    timer_ = SetTimer(nullptr, 0, 30, &Tick);
}

SystemDialogAnswer::SystemDialogAnswer(int button)
    : SystemDialogAnswer([button](HWND dialog) {
          PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
      }) {}

SystemDialogAnswer::~SystemDialogAnswer() {
    KillTimer(nullptr, timer_);
    Current().action = nullptr;
}

int SystemDialogAnswer::Shown() const { return Current().shown; }

}  // namespace ui::testing
