#include "ui/ScrollBar.h"

#include <algorithm>

#include "base/Error.h"

namespace ui {

ScrollBar::ScrollBar(Form* form, std::wstring name, bool vertical) : ControlWithState(form, std::move(name)), vertical_(vertical) {
    if (vertical) {
        p_.width = 255;
        p_.height = 1215;
    } else {
        p_.width = 1215;
        p_.height = 255;
    }
}

void ScrollBar::Sync() {
    if (!hwnd_) return;
    SCROLLINFO si{sizeof(si)};
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = Range();
    si.nPage = 0;
    si.nPos = ToNative(s_.value);
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

void ScrollBar::ClampAfterRangeChange() {
    int lo = std::min(s_.min, s_.max), hi = std::max(s_.min, s_.max);
    int v = std::clamp(s_.value, lo, hi);
    bool changed = v != s_.value;
    s_.value = v;
    Sync();
    if (changed) Fire(Change);
}

void ScrollBar::SetMin(int v) {
    if (v < -32768 || v > 32767) throw zv::Error(L"Invalid property value");
    s_.min = v;
    ClampAfterRangeChange();
}

void ScrollBar::SetMax(int v) {
    if (v < -32768 || v > 32767) throw zv::Error(L"Invalid property value");
    s_.max = v;
    ClampAfterRangeChange();
}

void ScrollBar::SetValue(int v) {
    int lo = std::min(s_.min, s_.max), hi = std::max(s_.min, s_.max);
    if (v < lo || v > hi) throw zv::Error(L"Invalid property value");
    if (v == s_.value) return;
    s_.value = v;
    Sync();
    Fire(Change);
}

void ScrollBar::SetSmallChange(int v) {
    if (v < 0) throw zv::Error(L"Invalid property value");
    s_.smallChange = v;
}

void ScrollBar::SetLargeChange(int v) {
    if (v < 0) throw zv::Error(L"Invalid property value");
    s_.largeChange = v;
}

void ScrollBar::OnScroll(int code, int position) {
    int pos = ToNative(s_.value);
    int range = Range();
    bool tracking = false;
    switch (code) {
        case SB_LINEUP: pos -= s_.smallChange; break;
        case SB_LINEDOWN: pos += s_.smallChange; break;
        case SB_PAGEUP: pos -= s_.largeChange; break;
        case SB_PAGEDOWN: pos += s_.largeChange; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = range; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            // The range is at most 65535 wide, so the 16-bit position of the message is exact.
            pos = position;
            tracking = code == SB_THUMBTRACK;
            break;
        default: return;
    }
    pos = std::clamp(pos, 0, range);
    int v = FromNative(pos);
    if (tracking) {
        s_.value = v;
        if (hwnd_) SetScrollPos(hwnd_, SB_CTL, pos, TRUE);
        Fire(Scroll);
        return;
    }
    bool changed = v != s_.value || code == SB_THUMBPOSITION;
    s_.value = v;
    Sync();
    if (changed) Fire(Change);
}

void ScrollBar::CreateKindWindow() { CreateNative(L"SCROLLBAR", WS_TABSTOP | (vertical_ ? SBS_VERT : SBS_HORZ), 0, L""); }

}  // namespace ui
