#pragma once
// The spelling benchmarks' measure under Wine: from starting a check (as `start` does) until the
// checker's dialog is up and painted, in milliseconds; the author then cancels it.

#include <windows.h>

#include <functional>

#include "bench/WinClock.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "ui/TestHooks.h"

namespace sp::bench {

inline double MsUntilTheDialogShows(const std::function<void()>& start) {
    double shown = 0;
    ui::test::OnNextModal<sp::frmSpellCheck>([&](sp::frmSpellCheck& d) {
        UpdateWindow(d.hWnd());
        shown = ::bench::Now();
        d.cmdCancel.PerformClick();
    });
    const double began = ::bench::Now();
    start();
    return shown - began;
}

}  // namespace sp::bench
