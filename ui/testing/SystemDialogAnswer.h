#pragma once
// Acts inside the next system dialog box this thread shows (a colour dialog a control opens itself,
// out of the forms runtime's reach), as a person would, once it is up: each dialog box once, for as
// long as this lives.

#include <windows.h>

#include <functional>

namespace ui::testing {

class SystemDialogAnswer {
public:
    explicit SystemDialogAnswer(std::function<void(HWND dialog)> action);
    // Presses the button with this identifier (IDOK, IDCANCEL).
    explicit SystemDialogAnswer(int button);
    ~SystemDialogAnswer();
    SystemDialogAnswer(const SystemDialogAnswer&) = delete;
    SystemDialogAnswer& operator=(const SystemDialogAnswer&) = delete;

    // How many dialog boxes were answered.
    int Shown() const;

private:
    UINT_PTR timer_;
};

}  // namespace ui::testing
