#pragma once
// Timer: ticks on the user-interface thread every Interval milliseconds while enabled and loaded.

#include "ui/Control.h"

namespace ui {

struct TimerState {
    long interval = 0;
};

class Timer : public ControlWithState<Timer, TimerState> {
public:
    Timer(Form* form, std::wstring name);
    ~Timer() override;
    long Interval() const { return s_.interval; }
    void SetInterval(long ms);
    bool Enabled() const { return Control::Enabled(); }
    void SetEnabled(bool v);
    std::function<void()> Tick;  // the program's Timer1_Timer

    bool CanTakeFocus() const override { return false; }
    void OnTimer() override;

protected:
    void CreateKindWindow() override {}
    void AfterCreate() override { Restart(); }
    void BeforeDestroy() override { Stop(); }
    void AfterRestore() override { Stop(); }

private:
    void Restart();
    void Stop();
    HWND timerWindow_ = nullptr;
};

}  // namespace ui
