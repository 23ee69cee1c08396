#include "controls/ColorControl.h"

#include <commdlg.h>

#include "controls/core/ColorEntry.h"
#include "controls/core/LibraryError.h"
#include "controls/core/ScaleMath.h"
#include "controls/win/DrawBase.h"
#include "controls/win/FontUtils.h"
#include "ui/Boundary.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

namespace {
constexpr DWORD kColorDialogFlags = CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR;
}

template <class Interface>
ColorControl<Interface>::ColorControl(const CLSID& clsid, const IID& iid, const IID& eventsIid, const wchar_t* source,
                                      NativeListWnd& list)
    : DualControl<Interface>(clsid, iid, eventsIid, source),
      list_(list),
      fontSink_([this] {
          UpdateMetrics();
          PropertyChanged(L"Font");
      }) {
    for (COLORREF& color : customColors_) color = 0xFFFFFF;
    SetFontObject(NewStdFont(L"Arial", 9.5).Get());
}

template <class Interface>
ColorControl<Interface>::~ColorControl() {
    fontSink_.Watch(nullptr);
}

// --- entries ---

template <class Interface>
HRESULT ColorControl<Interface>::AddColor(BSTR ColorName, OLE_COLOR ColorVal, VARIANT* InsertBefore) {
    // Errors of adding are absorbed: a bad position adds nothing.
    try {
        const std::wstring entry = MakeColorEntry(ColorName ? ColorName : L"", static_cast<int32_t>(ColorVal));
        LONG position = -1;
        if (InsertBefore && !(V_VT(InsertBefore) == VT_ERROR || V_VT(InsertBefore) == VT_EMPTY)) {
            Variant index;
            if (FAILED(VariantChangeType(index.Get(), InsertBefore, 0, VT_I4))) return S_OK;
            position = index->lVal;
            if (position < 0 || position > static_cast<LONG>(rows_.items.size())) return S_OK;
        }
        if (position < 0) {
            rows_.items.push_back(entry);
            list_.AddItem(entry, -1);
        } else {
            rows_.items.insert(rows_.items.begin() + position, entry);
            list_.AddItem(entry, position);
        }
    } catch (...) {
    }
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::get_ListCount(LONG* ListCount) {
    return Out(ListCount, list_.ListCount());
}

template <class Interface>
HRESULT ColorControl<Interface>::get_ListIndex(LONG* ListIndex) {
    return Out(ListIndex, list_.ListIndex());
}

template <class Interface>
HRESULT ColorControl<Interface>::put_ListIndex(LONG ListIndex) {
    list_.SetListIndex(ListIndex);
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::get_ColorName(LONG Index, BSTR* ColorName) {
    if (!ColorName) return E_POINTER;
    *ColorName = nullptr;
    return Member([&] {
        const std::wstring name = ListedIndex(Index) ? ColorEntryName(rows_.items[Index]) : L"";
        *ColorName = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    });
}

template <class Interface>
HRESULT ColorControl<Interface>::put_ColorName(LONG Index, BSTR ColorName) {
    return Member([&] {
        if (!ListedIndex(Index)) return;
        const std::wstring valuePart = ColorEntryValuePart(rows_.items[Index]);
        rows_.items[Index] = std::wstring(ColorName ? ColorName : L"") + L'\0' + valuePart;
        UpdateMetrics();
    });
}

template <class Interface>
HRESULT ColorControl<Interface>::get_ColorValue(LONG Index, OLE_COLOR* ColorValue) {
    if (!ColorValue) return E_POINTER;
    *ColorValue = 0;
    return Member([&] {
        if (ListedIndex(Index)) *ColorValue = static_cast<OLE_COLOR>(rows_.Value(Index));
    });
}

template <class Interface>
HRESULT ColorControl<Interface>::put_ColorValue(LONG Index, OLE_COLOR ColorValue) {
    return Member([&] {
        if (!ListedIndex(Index)) return;
        rows_.items[Index] = MakeColorEntry(ColorEntryName(rows_.items[Index]), static_cast<int32_t>(ColorValue));
        UpdateMetrics();
        EntryValueChanged();
    });
}

template <class Interface>
HRESULT ColorControl<Interface>::Clear() {
    list_.Clear();
    rows_.items.clear();
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::SetCustomColors(LONG* CustomColors) {
    if (!CustomColors) return E_POINTER;
    // The caller passes the first of 16 consecutive Longs (an array's first element by reference).
    for (int i = 0; i < 16; ++i) customColors_[i] = static_cast<COLORREF>(CustomColors[i]);
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::GetCustomColors(LONG* lpCustom) {
    if (!lpCustom) return E_POINTER;
    for (int i = 0; i < 16; ++i) lpCustom[i] = static_cast<LONG>(customColors_[i]);
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::get_hWnd(LONG* hWnd) {
    return Out(hWnd, static_cast<LONG>(reinterpret_cast<intptr_t>(Window())));
}

// --- appearance ---

template <class Interface>
HRESULT ColorControl<Interface>::get_Font(IFontDisp** Font) {
    if (!Font) return E_POINTER;
    *Font = font_.Get();
    if (*Font) (*Font)->AddRef();
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::putref_Font(IFontDisp* Font) {
    if (!Font) return ReportError(ErrorHResult(kErrInvalidPropertyValue), Iid(), Source(), L"Invalid property value");
    return Member([&] {
        SetFontObject(Font);
        UpdateMetrics();
        PropertyChanged(L"Font");
    });
}

template <class Interface>
void ColorControl<Interface>::SetFontObject(IFontDisp* font) {
    font_ = font;
    fontSink_.Watch(font);
}

template <class Interface>
HRESULT ColorControl<Interface>::get_AutoEdit(VARIANT_BOOL* AutoEdit) {
    return Out(AutoEdit, OleBool(autoEdit_));
}

template <class Interface>
HRESULT ColorControl<Interface>::put_AutoEdit(VARIANT_BOOL AutoEdit) {
    autoEdit_ = AutoEdit != VARIANT_FALSE;
    PropertyChanged(L"AutoEdit");
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::get_BackColor(OLE_COLOR* BackColor) {
    return Out(BackColor, static_cast<OLE_COLOR>(rows_.look.backColor));
}

template <class Interface>
HRESULT ColorControl<Interface>::put_BackColor(OLE_COLOR BackColor) {
    return Member([&] {
        rows_.look.backColor = static_cast<int32_t>(BackColor);
        BackColorChanged();
        PropertyChanged(L"BackColor");
    });
}

template <class Interface>
HRESULT ColorControl<Interface>::get_TextColor(OLE_COLOR* TextColor) {
    return Out(TextColor, static_cast<OLE_COLOR>(rows_.look.textColor));
}

template <class Interface>
HRESULT ColorControl<Interface>::put_TextColor(OLE_COLOR TextColor) {
    return SetRowLook(rows_.look.textColor, static_cast<int32_t>(TextColor), L"TextColor");
}

template <class Interface>
HRESULT ColorControl<Interface>::get_HighlightText(OLE_COLOR* HighlightText) {
    return Out(HighlightText, static_cast<OLE_COLOR>(rows_.look.highlightText));
}

template <class Interface>
HRESULT ColorControl<Interface>::put_HighlightText(OLE_COLOR HighlightText) {
    return SetRowLook(rows_.look.highlightText, static_cast<int32_t>(HighlightText), L"HighlightText");
}

template <class Interface>
HRESULT ColorControl<Interface>::get_Highlight(OLE_COLOR* Highlight) {
    return Out(Highlight, static_cast<OLE_COLOR>(rows_.look.highlight));
}

template <class Interface>
HRESULT ColorControl<Interface>::put_Highlight(OLE_COLOR Highlight) {
    return SetRowLook(rows_.look.highlight, static_cast<int32_t>(Highlight), L"Highlight");
}

template <class Interface>
HRESULT ColorControl<Interface>::get_SwatchBorder(SwatchBorderConstants* SwatchBorder) {
    return Out(SwatchBorder, static_cast<SwatchBorderConstants>(rows_.look.swatchBorder));
}

template <class Interface>
HRESULT ColorControl<Interface>::put_SwatchBorder(SwatchBorderConstants SwatchBorder) {
    return SetRowLook(rows_.look.swatchBorder, SwatchBorder, L"SwatchBorder");
}

template <class Interface>
HRESULT ColorControl<Interface>::SetRowLook(int32_t& field, int32_t value, const wchar_t* name) {
    field = value;
    if (list_.hWnd()) InvalidateRect(list_.hWnd(), nullptr, TRUE);
    PropertyChanged(name);
    return S_OK;
}

template <class Interface>
HRESULT ColorControl<Interface>::get_ColorSquareWidth(LONG* ColorSquareWidth) {
    return Out(ColorSquareWidth, rows_.look.squareWidth);
}

template <class Interface>
HRESULT ColorControl<Interface>::put_ColorSquareWidth(LONG ColorSquareWidth) {
    return Member([&] {
        rows_.look.squareWidth = ColorSquareWidth < kMinSquare ? kMinSquare : ColorSquareWidth;
        UpdateMetrics();
        PropertyChanged(L"ColorSquareWidth");
    });
}

template <class Interface>
HRESULT ColorControl<Interface>::get_ColorSquareHeight(LONG* ColorSquareHeight) {
    return Out(ColorSquareHeight, rows_.look.squareHeight);
}

template <class Interface>
HRESULT ColorControl<Interface>::put_ColorSquareHeight(LONG ColorSquareHeight) {
    return Member([&] {
        rows_.look.squareHeight = ColorSquareHeight < kMinSquare ? kMinSquare : ColorSquareHeight;
        UpdateMetrics();
        PropertyChanged(L"ColorSquareHeight");
    });
}

template <class Interface>
void ColorControl<Interface>::RenewBackBrush() {
    rows_.DropBackBrush();
    rows_.BackBrush();
    if (Window()) InvalidateRect(Window(), nullptr, TRUE);
}

// --- the native list ---

template <class Interface>
void ColorControl<Interface>::Subclass() {
    RegisterWindow(Window());
    oldWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure())));
}

template <class Interface>
void ColorControl<Interface>::CreateList(bool userMode) {
    const SIZE size = ScaleSize();
    list_.SetVisible(false);
    list_.Create(Window(), L"", 0, 0, size.cx, size.cy, userMode, static_cast<int32_t>(rows_.items.size()));
}

template <class Interface>
void ColorControl<Interface>::UpdateMetrics() {
    if (!created_) return;
    ComPtr<IFont> font;
    if (font_) font_.As(&font);
    rows_.MakeFont(font.Get(), Window());
    RowFontChanged();
    OnMeasureItem(-1);
    SnapToList();
}

template <class Interface>
LRESULT ColorControl<Interface>::OnMeasureItem(LPARAM lParam) {
    try {
        auto* measure = lParam == -1 ? nullptr : reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        const RowSize row = rows_.Measure(Window(), measure ? static_cast<int64_t>(measure->itemID) : -1);
        if (measure) {
            measure->itemWidth = static_cast<UINT>(row.width);
            measure->itemHeight = static_cast<UINT>(row.height);
        } else if (list_.hWnd()) {
            list_.SetItemHeight(-1, row.height);
            for (size_t i = 0; i < rows_.items.size(); ++i) list_.SetItemHeight(static_cast<int32_t>(i), row.height);
        }
    } catch (...) {
        // A row that cannot be measured keeps the height it had.
        ui::ReportStoppedException(L"measuring a Palvex colour row");
    }
    return 1;
}

template <class Interface>
LRESULT ColorControl<Interface>::OnDrawItem(LPARAM lParam) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!draw) return 0;
    const RECT& r = draw->rcItem;
    const bool drawn = rows_.Draw(draw->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  static_cast<int32_t>(draw->itemID), (draw->itemState & ODS_SELECTED) != 0);
    return drawn ? 1 : 0;
}

template <class Interface>
void ColorControl<Interface>::WindowDestroying() {
    HWND window = Window();
    if (oldWndProc_ && window && IsWindow(window))
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
    oldWndProc_ = nullptr;
    list_.Destroy();
    UnregisterWindow();
    created_ = false;
}

// --- the colour dialog ---

template <class Interface>
HRESULT ColorControl<Interface>::EditColor(LONG Index, OLE_COLOR* Color) {
    if (!Color) return E_POINTER;
    *Color = 0;
    return Member([&] { *Color = static_cast<OLE_COLOR>(RunEditColor(Index)); });
}

template <class Interface>
int32_t ColorControl<Interface>::RunEditColor(LONG index) {
    if (!rows_.ValidIndex(index)) throw LibraryError(kErrSubscriptOutOfRange, Source(), L"Subscript out of range");
    const int32_t value = rows_.Value(index);
    if (value == kNoColor) return 0;
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ContainerWindow();
    dialog.hInstance = reinterpret_cast<HWND>(ModuleInstance());
    // A system colour opens the dialog on the colour it stands for now.
    dialog.rgbResult = TranslateColor(value);
    dialog.lpCustColors = customColors_;
    dialog.Flags = kColorDialogFlags;

    VARIANTARG show[2];
    show[1].vt = VT_I4;
    show[1].lVal = index;
    show[0].vt = VT_I4;
    show[0].lVal = value;
    RaiseEvent(kShowDlg, show, 2);

    const bool confirmed = ChooseColorW(&dialog) != FALSE;

    int32_t result = -1;
    int32_t shown = value;
    if (confirmed) {
        result = static_cast<int32_t>(dialog.rgbResult);
        shown = result;
        if (rows_.ValidIndex(index)) {
            rows_.items[index] = MakeColorEntry(ColorEntryName(rows_.items[index]), result);
            UpdateMetrics();
            if (index == list_.ListIndex() && list_.hWnd()) InvalidateRect(list_.hWnd(), nullptr, TRUE);
        }
    }
    VARIANTARG hide[3];
    hide[2].vt = VT_I4;
    hide[2].lVal = index;
    hide[1].vt = VT_I4;
    hide[1].lVal = shown;
    hide[0].vt = VT_I2;
    hide[0].iVal = confirmed ? 0 : -1;
    RaiseEvent(kHideDlg, hide, 3);
    return result;
}

// --- events of the native list ---

template <class Interface>
void ColorControl<Interface>::RaiseMouse(DISPID id, int16_t button, int16_t shift, float x, float y) {
    Variant scaleMode;
    int32_t units = 0;
    if (SUCCEEDED(AmbientByName(L"ScaleMode", scaleMode.Get()))) {
        Variant asLong;
        if (SUCCEEDED(VariantChangeType(asLong.Get(), scaleMode.Get(), 0, VT_I4))) units = asLong->lVal;
    }
    float sx = static_cast<float>(scale_.DeviceTranslateX(x, kPixels, units));
    float sy = static_cast<float>(scale_.DeviceTranslateY(y, kPixels, units));
    VARIANTARG args[4];
    args[3].vt = VT_I2 | VT_BYREF;
    args[3].piVal = &button;
    args[2].vt = VT_I2 | VT_BYREF;
    args[2].piVal = &shift;
    args[1].vt = VT_R4 | VT_BYREF;
    args[1].pfltVal = &sx;
    args[0].vt = VT_R4 | VT_BYREF;
    args[0].pfltVal = &sy;
    RaiseEvent(id, args, 4);
}

template <class Interface>
void ColorControl<Interface>::RaiseKey(DISPID id, int16_t keyCode, int16_t shift) {
    VARIANTARG args[2];
    args[1].vt = VT_I2 | VT_BYREF;
    args[1].piVal = &keyCode;
    args[0].vt = VT_I2 | VT_BYREF;
    args[0].piVal = &shift;
    RaiseEvent(id, args, 2);
}

template <class Interface>
void ColorControl<Interface>::Click() {
    RaiseEvent(kClick);
}

template <class Interface>
void ColorControl<Interface>::DblClick() {
    RaiseEvent(kDblClick);
}

template <class Interface>
void ColorControl<Interface>::KeyDown(int16_t keyCode, int16_t shift) {
    if (keyCode == 'E' && shift == 2 && autoEdit_ && list_.ListIndex() >= 0) RunEditColor(list_.ListIndex());
    RaiseKey(kKeyDown, keyCode, shift);
}

template <class Interface>
void ColorControl<Interface>::KeyUp(int16_t keyCode, int16_t shift) {
    RaiseKey(kKeyUp, keyCode, shift);
}

template <class Interface>
void ColorControl<Interface>::KeyPress(int16_t keyAscii) {
    VARIANTARG arg;
    arg.vt = VT_I2 | VT_BYREF;
    arg.piVal = &keyAscii;
    RaiseEvent(kKeyPress, &arg, 1);
}

template <class Interface>
void ColorControl<Interface>::MouseDown(int16_t button, int16_t shift, float x, float y) {
    if (button == 2 && autoEdit_) {
        if (list_.ListIndex() < 0) return;
        RunEditColor(list_.ListIndex());
    }
    RaiseMouse(kMouseDown, button, shift, x, y);
}

template <class Interface>
void ColorControl<Interface>::MouseUp(int16_t button, int16_t shift, float x, float y) {
    RaiseMouse(kMouseUp, button, shift, x, y);
}

template <class Interface>
void ColorControl<Interface>::MouseMove(int16_t button, int16_t shift, float x, float y) {
    RaiseMouse(kMouseMove, button, shift, x, y);
}

// --- persistence ---

template <class Interface>
void ColorControl<Interface>::ReadProperties(PropertyReader& reader) {
    RowLook& look = rows_.look;
    look.swatchBorder = reader.ReadLong(L"SwatchBorder", look.swatchBorder);
    autoEdit_ = reader.ReadBool(L"AutoEdit", autoEdit_);
    look.backColor = reader.ReadLong(L"BackColor", look.backColor);
    look.textColor = reader.ReadLong(L"TextColor", look.textColor);
    look.highlight = reader.ReadLong(L"Highlight", look.highlight);
    look.highlightText = reader.ReadLong(L"HighlightText", look.highlightText);
    look.squareWidth = reader.ReadLong(L"ColorSquareWidth", look.squareWidth);
    look.squareHeight = reader.ReadLong(L"ColorSquareHeight", look.squareHeight);
    ReadOwnProperties(reader);
    ComPtr<IDispatch> stored = reader.ReadObject(L"Font");
    ComPtr<IFontDisp> font;
    if (stored) stored.As(&font);
    if (font) SetFontObject(font.Get());
    PropertiesRead();
}

template <class Interface>
void ColorControl<Interface>::PropertiesRead() {
    UpdateMetrics();
    RenewBackBrush();
}

template <class Interface>
void ColorControl<Interface>::WriteProperties(PropertyWriter& writer) {
    const RowLook& look = rows_.look;
    writer.WriteObject(L"Font", font_.Get());
    writer.WriteBool(L"AutoEdit", autoEdit_);
    writer.WriteLong(L"BackColor", look.backColor);
    writer.WriteLong(L"TextColor", look.textColor);
    writer.WriteLong(L"Highlight", look.highlight);
    writer.WriteLong(L"HighlightText", look.highlightText);
    writer.WriteLong(L"SwatchBorder", look.swatchBorder);
    writer.WriteLong(L"ColorSquareWidth", look.squareWidth);
    writer.WriteLong(L"ColorSquareHeight", look.squareHeight);
    WriteOwnProperties(writer);
}

template class ColorControl<_ColorCombo>;
template class ColorControl<_ColorList>;

}  // namespace palvex
