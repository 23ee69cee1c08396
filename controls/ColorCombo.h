#pragma once
// ColorCombo: the drop-down list of named colours. Its own window is the parent of one owner-drawn
// drop-down-list combo; each row is a swatch and the colour's name.

#include "controls/ColorControl.h"
#include "controls/win/ComboWnd.h"

namespace palvex {

class ColorCombo final : public ColorControl<_ColorCombo> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out);

    // Internal members, called by the control window's procedure.
    void OnDropDown();
    void OnCloseUp();

    // State for tests and diagnostics.
    ComboWnd& Combo() { return combo_; }
    bool DroppedDown() const { return droppedDown_; }

private:
    ColorCombo();
    ~ColorCombo() override;

    void Resized() override;
    void DrawView(HDC dc, const RECT& bounds) override;
    void WindowDestroying() override;
    void RegisterWindow(HWND window) override;
    WNDPROC ControlProcedure() const override;
    void UnregisterWindow() override;
    void SnapToList() override;
    void RowFontChanged() override { GiveComboFont(); }
    void GiveComboFont();

    ComboWnd combo_;
    bool droppedDown_ = false;
};

}  // namespace palvex
