#pragma once
// ColorCombo: the drop-down list of named colours. Its own window is the parent of one owner-drawn
// drop-down-list combo; each row is a swatch and the colour's name, composed in a memory DC.

#include <windows.h>
#include <commdlg.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/com/OleControl.h"
#include "controls/com/PalvexIdl.h"
#include "controls/win/ComboWnd.h"
#include "controls/win/FontNotifySink.h"
#include "controls/win/Handles.h"
#include "controls/win/ScaleNumeric.h"

namespace palvex {

class ColorCombo final : public OleControl, public _ColorCombo, public ISupportErrorInfo, private ComboWndEvents {
public:
    static HRESULT CreateInstance(REFIID iid, void** out);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, through the type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    // _ColorCombo
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
    HBRUSH GetBackBrush();
    COLORREF BackColorValue() const;
    void OnDropDown();
    void OnCloseUp();

    // State for tests and diagnostics.
    ComboWnd& Combo() { return combo_; }
    bool DroppedDown() const { return droppedDown_; }
    bool Created() const { return created_; }

private:
    ColorCombo();
    ~ColorCombo() override;

    IUnknown* ControllingUnknown() override { return static_cast<_ColorCombo*>(this); }
    void InitProperties() override {}
    void ReadProperties(PropertyReader& reader) override;
    void WriteProperties(PropertyWriter& writer) override;
    void WindowCreated() override {}
    void WindowDestroying() override;
    void Resized() override;
    void DrawView(HDC dc, const RECT& bounds) override;
    HBRUSH BackgroundBrush() override { return GetBackBrush(); }

    // ComboWndEvents
    void Click() override;
    void DblClick() override;
    void KeyDown(int16_t keyCode, int16_t shift) override;
    void KeyUp(int16_t keyCode, int16_t shift) override;
    void KeyPress(int16_t keyAscii) override;
    void MouseDown(int16_t button, int16_t shift, float x, float y) override;
    void MouseUp(int16_t button, int16_t shift, float x, float y) override;
    void MouseMove(int16_t button, int16_t shift, float x, float y) override;

    void UpdateMetrics();
    void SnapToCombo();
    // Stores a property that only changes how rows look, and repaints them.
    HRESULT SetRowLook(int32_t& field, int32_t value, const wchar_t* name);
    void GiveComboFont();
    void SetFontObject(IFontDisp* font);
    void RenewBackBrush();
    bool ValidIndex(LONG index) const { return index >= 0 && index < static_cast<LONG>(items_.size()); }
    int32_t EntryValue(LONG index) const;
    // Composes one row in the memory DC at (0, 0); false when there is nothing to show.
    bool ComposeRow(int index, bool selected, int width, int height);
    int32_t RunEditColor(LONG index);
    void RaiseMouse(DISPID id, int16_t button, int16_t shift, float x, float y);
    void RaiseKey(DISPID id, int16_t keyCode, int16_t shift);
    template <class Body>
    HRESULT Member(Body&& body);

    LONG refs_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
    ComboWnd combo_;
    std::vector<std::wstring> items_;
    COLORREF customColors_[16];
    int32_t backColor_ = static_cast<int32_t>(0x80000005);
    int32_t textColor_ = static_cast<int32_t>(0x80000008);
    int32_t highlight_ = static_cast<int32_t>(0x8000000D);
    int32_t highlightText_ = static_cast<int32_t>(0x8000000E);
    int32_t swatchBorder_ = sbSingle;
    int32_t squareWidth_ = 16;
    int32_t squareHeight_ = 16;
    bool autoEdit_ = true;
    Microsoft::WRL::ComPtr<IFontDisp> font_;
    FontNotifySink fontSink_;
    palvex::Font fontHandle_;
    Brush backBrush_;
    MemoryDC memoryDC_;
    Bitmap memoryBitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    ScaleNumeric scale_;
    WNDPROC oldWndProc_ = nullptr;
    bool created_ = false;
    bool droppedDown_ = false;
    bool inResize_ = false;
};

}  // namespace palvex
