#include "controls/forms/frmFilterSettings.h"

namespace palvex {

namespace {
constexpr int32_t kFilterBits = 0x73;
}

frmFilterSettings::frmFilterSettings() {
    SetCaption(L"Font Filters Advanced");
    SetBorderStyle(4);  // a tool window beside the settings dialog
    SetShowInTaskbar(false);
    SetStartUpPosition(1);
    SetClientSize(3975, 2700);

    Label2.SetCaption(L"Font Pitch Filters:");
    Label2.Move(120, 120, 1800, 255);
    const wchar_t* pitches[] = {L"&Any Pitch", L"&Fixed Pitch", L"&Variable Pitch"};
    for (int i = 0; i < 3; ++i) {
        auto& option = Option1.Load(i);
        option.SetCaption(pitches[i]);
        option.Move(240, 420 + 300 * i, 1650, 255);
    }
    Label1.SetCaption(L"Font Family Filters:");
    Label1.Move(2040, 120, 1800, 255);
    const wchar_t* families[] = {L"An&y Family", L"&Modern", L"&Decorative", L"&Script", L"S&wiss", L"&Roman"};
    for (int i = 0; i < 6; ++i) {
        auto& box = Check1.Load(i);
        box.SetCaption(families[i]);
        box.Move(2160, 420 + 300 * i, 1695, 255);
    }
    cmdReset.SetCaption(L"R&eset");
    cmdReset.Move(240, 2160, 1215, 375);
    cmdReset.SetEnabled(false);

    Check1.Click = [this](int Index) { Check1_Click(Index); };
    Option1.Click = [this](int Index) { Option1_Click(Index); };
    cmdReset.Click = [this] { cmdReset_Click(); };
}

void frmFilterSettings::Form_Load() { ShowCode(applied_, true); }

void frmFilterSettings::SetFilterCode(int32_t code) {
    applied_ = code & kFilterBits;
    if (IsLoaded()) ShowCode(applied_, true);
    else edited_ = applied_;
}

void frmFilterSettings::ShowCode(int32_t code, bool applied) {
    guard_ = true;
    Check1[0].SetValue(1);
    Option1[0].SetValue(true);
    for (int i = 1; i <= 5; ++i) {
        const bool on = (code & kFamilyValues[i]) == kFamilyValues[i];
        Check1[i].SetValue(on ? 1 : 0);
        if (on) Check1[0].SetValue(0);
    }
    // A pitch of 3 names no option: the code then shows as any pitch rather than failing.
    const int pitch = code & 3;
    Option1[Option1.Exists(pitch) ? pitch : 0].SetValue(true);
    guard_ = false;
    edited_ = code;
    if (applied) SetChanged(false);
}

int32_t frmFilterSettings::ReadControls() const {
    int32_t code = 0;
    for (int i = 0; i <= 5; ++i)
        if (Check1[i].Value() == 1) code |= kFamilyValues[i];
    for (int i = 0; i < 3; ++i)
        if (Option1[i].Value()) code |= i;
    return code;
}

void frmFilterSettings::Check1_Click(int Index) {
    if (guard_) return;
    guard_ = true;
    auto clear = [&](int from, int to) {
        for (int i = from; i <= to; ++i) Check1[i].SetValue(0);
    };
    if (Index == 0) clear(1, 5);
    else if (Index == 1 || Index == 2) clear(3, 5);
    else clear(1, 2);
    guard_ = false;
    edited_ = ReadControls();
    SetChanged(true);
    Raise(Change);
}

void frmFilterSettings::Option1_Click(int Index) {
    if (guard_) return;
    edited_ = ReadControls();
    Raise(Change);
}

void frmFilterSettings::SetChanged(bool value) {
    changed_ = value;
    if (!value) edited_ = applied_;
    cmdReset.SetEnabled(value);
}

void frmFilterSettings::ResetFilters() {
    ShowCode(applied_, true);
    Raise(Reset);
}

void frmFilterSettings::cmdReset_Click() { ResetFilters(); }

void frmFilterSettings::Apply() {
    applied_ = IsLoaded() ? ReadControls() : edited_;
    SetChanged(false);
}

void frmFilterSettings::Raise(const std::function<void()>& event) {
    if (auto handler = event) handler();
}

}  // namespace palvex
