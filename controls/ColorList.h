#pragma once
// ColorList: the list-box twin of ColorCombo. The same entries, rows, colour dialog and events,
// shown in an always-open list whose style follows three properties; changing the style makes a
// new list window, which shows the control's entries and choices as the old one did.

#include "controls/ColorControl.h"
#include "controls/win/ListWnd.h"

namespace palvex {

class ColorList final : public ColorControl<_ColorList> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out);

    HRESULT STDMETHODCALLTYPE get_MultiSelect(VARIANT_BOOL* MultiSelect) override;
    HRESULT STDMETHODCALLTYPE put_MultiSelect(VARIANT_BOOL MultiSelect) override;
    HRESULT STDMETHODCALLTYPE get_WantKeyboardInput(VARIANT_BOOL* WantKeyboardInput) override;
    HRESULT STDMETHODCALLTYPE put_WantKeyboardInput(VARIANT_BOOL WantKeyboardInput) override;
    HRESULT STDMETHODCALLTYPE get_MultiColumn(VARIANT_BOOL* MultiColumn) override;
    HRESULT STDMETHODCALLTYPE put_MultiColumn(VARIANT_BOOL MultiColumn) override;

    // State for tests and diagnostics.
    ListWnd& List() { return listWnd_; }

private:
    ColorList();
    ~ColorList() override;

    void InitProperties() override { UpdateMetrics(); }
    void Resized() override;
    void DrawView(HDC dc, const RECT& bounds) override;
    void RegisterWindow(HWND window) override;
    WNDPROC ControlProcedure() const override;
    void UnregisterWindow() override;
    void SnapToList() override;
    void ReadOwnProperties(PropertyReader& reader) override;
    void WriteOwnProperties(PropertyWriter& writer) override;
    void PropertiesRead() override;
    void BackColorChanged() override;
    void EntryValueChanged() override;

    HRESULT SetStyleProperty(bool& field, VARIANT_BOOL value, const wchar_t* name);
    // The list's style from the three properties.
    int32_t ListStyle() const;
    // A new list window of the current style in place of the old one (if any), showing the entries
    // and the choices of the old one.
    void ChangeListStyle();
    void RecreateList();
    void MakeList(const ListWnd::View& view);
    void SetBorder(bool on);
    // At design time the list window is made only to learn the size it takes.
    SIZE MeasureDesignList(SIZE size);

    ListWnd listWnd_;
    bool multiSelect_ = false;
    bool wantKeyboardInput_ = false;
    bool multiColumn_ = false;
};

}  // namespace palvex
