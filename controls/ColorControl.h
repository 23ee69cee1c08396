#pragma once
// What the two colour controls share: the named-colour entries, their appearance, the colour
// dialog, the events of the native list they own, and the COM members of their interfaces, which
// carry the same names and arguments on both. ColorCombo owns a drop-down combo, ColorList a list
// box; each adds its own sizing and what only it has.

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

#include "controls/ColorRows.h"
#include "com/Automation.h"
#include "com/DualControl.h"
#include "com/OleControl.h"
#include "controls/ComPlumbing.h"
#include "controls/com/PalvexIdl.h"
#include "controls/win/FontNotifySink.h"
#include "controls/win/NativeListWnd.h"
#include "controls/win/ScaleNumeric.h"

namespace palvex {

template <class Interface>
class ColorControl : public DualControl<Interface>, protected NativeWndEvents {
public:
    // The members both interfaces have.
    HRESULT STDMETHODCALLTYPE AddColor(BSTR ColorName, OLE_COLOR ColorVal, VARIANT* InsertBefore) override;
    HRESULT STDMETHODCALLTYPE get_ListCount(LONG* ListCount) override;
    HRESULT STDMETHODCALLTYPE get_ListIndex(LONG* ListIndex) override;
    HRESULT STDMETHODCALLTYPE put_ListIndex(LONG ListIndex) override;
    HRESULT STDMETHODCALLTYPE get_ColorName(LONG Index, BSTR* ColorName) override;
    HRESULT STDMETHODCALLTYPE put_ColorName(LONG Index, BSTR ColorName) override;
    HRESULT STDMETHODCALLTYPE get_ColorValue(LONG Index, OLE_COLOR* ColorValue) override;
    HRESULT STDMETHODCALLTYPE put_ColorValue(LONG Index, OLE_COLOR ColorValue) override;
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE SetCustomColors(LONG* CustomColors) override;
    HRESULT STDMETHODCALLTYPE GetCustomColors(LONG* lpCustom) override;
    HRESULT STDMETHODCALLTYPE get_hWnd(LONG* hWnd) override;
    HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** Font) override;
    HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* Font) override;
    HRESULT STDMETHODCALLTYPE get_AutoEdit(VARIANT_BOOL* AutoEdit) override;
    HRESULT STDMETHODCALLTYPE put_AutoEdit(VARIANT_BOOL AutoEdit) override;
    HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* BackColor) override;
    HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR BackColor) override;
    HRESULT STDMETHODCALLTYPE get_TextColor(OLE_COLOR* TextColor) override;
    HRESULT STDMETHODCALLTYPE put_TextColor(OLE_COLOR TextColor) override;
    HRESULT STDMETHODCALLTYPE get_HighlightText(OLE_COLOR* HighlightText) override;
    HRESULT STDMETHODCALLTYPE put_HighlightText(OLE_COLOR HighlightText) override;
    HRESULT STDMETHODCALLTYPE get_Highlight(OLE_COLOR* Highlight) override;
    HRESULT STDMETHODCALLTYPE put_Highlight(OLE_COLOR Highlight) override;
    HRESULT STDMETHODCALLTYPE get_SwatchBorder(SwatchBorderConstants* SwatchBorder) override;
    HRESULT STDMETHODCALLTYPE put_SwatchBorder(SwatchBorderConstants SwatchBorder) override;
    HRESULT STDMETHODCALLTYPE get_ColorSquareWidth(LONG* ColorSquareWidth) override;
    HRESULT STDMETHODCALLTYPE put_ColorSquareWidth(LONG ColorSquareWidth) override;
    HRESULT STDMETHODCALLTYPE get_ColorSquareHeight(LONG* ColorSquareHeight) override;
    HRESULT STDMETHODCALLTYPE put_ColorSquareHeight(LONG ColorSquareHeight) override;
    HRESULT STDMETHODCALLTYPE EditColor(LONG Index, OLE_COLOR* Color) override;

    // Internal members, called by the control window's procedure.
    WNDPROC OldWndProc() const { return oldWndProc_; }
    LRESULT OnMeasureItem(LPARAM lParam);  // -1: re-measure every row
    LRESULT OnDrawItem(LPARAM lParam);
    HBRUSH GetBackBrush() { return rows_.BackBrush(); }
    COLORREF BackColorValue() const { return rows_.BackColorValue(); }

    // State for tests and diagnostics.
    bool Created() const { return created_; }

protected:
    using DualInterface<Interface>::Member;
    using DualInterface<Interface>::Iid;
    using DualInterface<Interface>::Source;
    using OleControl::AmbientByName;
    using OleControl::ContainerWindow;
    using OleControl::PropertyChanged;
    using OleControl::RaiseEvent;
    using OleControl::ScaleSize;
    using OleControl::UserMode;
    using OleControl::Window;

    ColorControl(const CLSID& clsid, const IID& iid, const IID& eventsIid, const wchar_t* source,
                 NativeListWnd& list);
    ~ColorControl() override;

    void ReadProperties(PropertyReader& reader) override;
    void WriteProperties(PropertyWriter& writer) override;
    void WindowDestroying() override;
    HBRUSH BackgroundBrush() override { return GetBackBrush(); }

    // What each control does its own way.
    virtual void RegisterWindow(HWND window) = 0;
    virtual WNDPROC ControlProcedure() const = 0;
    virtual void UnregisterWindow() = 0;
    // Sizes the native list and the control to each other after the rows' metrics changed.
    virtual void SnapToList() = 0;
    // The rows' font was made again, before the rows are measured with it.
    virtual void RowFontChanged() {}
    // The properties only one control has, read before and written after the shared ones' ends.
    virtual void ReadOwnProperties(PropertyReader& reader) {}
    virtual void WriteOwnProperties(PropertyWriter& writer) {}
    virtual void PropertiesRead();
    virtual void BackColorChanged() { RenewBackBrush(); }
    virtual void EntryValueChanged() {}

    // Services for the controls.
    void UpdateMetrics();
    void RenewBackBrush();
    // The control window's procedure replaced by the control's own, and the control registered.
    void Subclass();
    // Creates the native list as a child of the control's window at its client size, with a row for
    // each entry (the entries themselves live here, so every new window shows what the control
    // holds). It is made hidden: ShowList shows it once the caller has given it its choices and its
    // size, so that it paints once.
    void CreateList(bool userMode);
    void ShowList() { list_.SetVisible(true); }
    int32_t RunEditColor(LONG index);
    void SetFontObject(IFontDisp* font);
    HRESULT SetRowLook(int32_t& field, int32_t value, const wchar_t* name);

    // NativeWndEvents
    void Click() override;
    void DblClick() override;
    void KeyDown(int16_t keyCode, int16_t shift) override;
    void KeyUp(int16_t keyCode, int16_t shift) override;
    void KeyPress(int16_t keyAscii) override;
    void MouseDown(int16_t button, int16_t shift, float x, float y) override;
    void MouseUp(int16_t button, int16_t shift, float x, float y) override;
    void MouseMove(int16_t button, int16_t shift, float x, float y) override;

    enum EventId : DISPID {
        kShowDlg = 1, kHideDlg, kClick, kDblClick, kMouseMove, kMouseDown, kMouseUp, kKeyPress, kKeyDown, kKeyUp,
    };

    NativeListWnd& list_;
    ColorRows rows_;
    bool autoEdit_ = true;
    bool created_ = false;
    bool inResize_ = false;
    WNDPROC oldWndProc_ = nullptr;

private:
    void RaiseMouse(DISPID id, int16_t button, int16_t shift, float x, float y);
    void RaiseKey(DISPID id, int16_t keyCode, int16_t shift);
    bool ListedIndex(LONG index) const { return index >= 0 && index < list_.ListCount() && rows_.ValidIndex(index); }

    COLORREF customColors_[16];
    Microsoft::WRL::ComPtr<IFontDisp> font_;
    FontNotifySink fontSink_;
    ScaleNumeric scale_;
};

}  // namespace palvex
