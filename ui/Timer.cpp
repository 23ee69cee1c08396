#include "ui/Timer.h"

#include "ui/Form.h"

namespace ui {

Timer::Timer(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    MakeWindowless();
    p_.tabStop = false;
    p_.visible = false;
}

Timer::~Timer() { Stop(); }

void Timer::SetInterval(long ms) {
    s_.interval = ms < 0 ? 0 : ms;
    Restart();
}

void Timer::SetEnabled(bool v) {
    Control::SetEnabled(v);
    Restart();
}

void Timer::Restart() {
    Stop();
    if (!created_ || !p_.enabled || s_.interval <= 0) return;
    timerWindow_ = form_->hWnd();
    if (timerWindow_) SetTimer(timerWindow_, static_cast<UINT_PTR>(id_), static_cast<UINT>(s_.interval), nullptr);
}

void Timer::Stop() {
    if (timerWindow_) {
        if (IsWindow(timerWindow_)) KillTimer(timerWindow_, static_cast<UINT_PTR>(id_));
        timerWindow_ = nullptr;
    }
}

void Timer::OnTimer() {
    if (!p_.enabled || !created_) return;
    Fire(Tick);
}

}  // namespace ui
