#include "controls/ColorCombo.h"

#include <new>

#include "controls/CtrlMsg.h"

namespace palvex {

namespace {
constexpr int32_t kComboStyle = 0x200023;  // WS_VSCROLL | CBS_OWNERDRAWVARIABLE | CBS_DROPDOWNLIST
constexpr int kDroppedHeight = 210;
}  // namespace

HRESULT ColorCombo::CreateInstance(REFIID iid, void** out) {
    ColorCombo* control = new (std::nothrow) ColorCombo();
    if (!control) return E_OUTOFMEMORY;
    const HRESULT hr = control->QueryInterface(iid, out);
    control->Release();
    return hr;
}

ColorCombo::ColorCombo()
    : ColorControl(CLSID_ColorCombo, IID__ColorCombo, DIID___ColorCombo, L"ColorCombo", combo_), combo_(this) {
    combo_.SetStyle(kComboStyle);
    combo_.SetThreedBorder(true);
}

ColorCombo::~ColorCombo() { WindowDestroying(); }

void ColorCombo::RegisterWindow(HWND window) { RegisterCombo(this, window); }
WNDPROC ColorCombo::ControlProcedure() const { return ComboWndProc; }
void ColorCombo::UnregisterWindow() { UnregisterCombo(this); }

void ColorCombo::Resized() {
    if (droppedDown_ || !Window()) return;
    if (!created_) {
        const bool userMode = UserMode();
        CreateList(userMode);
        if (userMode) Subclass();
        created_ = true;
        UpdateMetrics();
        ShowList();
        return;
    }
    SnapToList();
}

void ColorCombo::SnapToList() {
    if (inResize_ || !combo_.hWnd()) return;
    inResize_ = true;
    const SIZE size = ScaleSize();
    GiveComboFont();
    combo_.Move(0, 0, size.cx, size.cy);
    const int width = combo_.Width();
    const int height = combo_.Height();
    if (width != size.cx || height != size.cy) RequestSize(width, height);
    inResize_ = false;
}

void ColorCombo::GiveComboFont() {
    // Only a new font: a combo re-measures its selection field on every WM_SETFONT (Wine resets
    // it to the font's height), which would undo the row height just set.
    HWND combo = combo_.hWnd();
    if (!combo) return;
    const auto current = reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0));
    if (current != rows_.FontHandle())
        SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(rows_.FontHandle()), FALSE);
}

void ColorCombo::DrawView(HDC dc, const RECT& bounds) {
    const int index = combo_.hWnd() ? combo_.ListIndex() : -1;
    if (!rows_.Draw(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, index, false))
        FillRect(dc, &bounds, GetBackBrush());
}

void ColorCombo::OnDropDown() {
    droppedDown_ = true;
    combo_.SetHeight(kDroppedHeight);
}

void ColorCombo::OnCloseUp() {
    droppedDown_ = false;
    Resized();
}

void ColorCombo::WindowDestroying() {
    ColorControl::WindowDestroying();
    droppedDown_ = false;
}

}  // namespace palvex
