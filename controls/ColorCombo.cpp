#include "controls/ColorCombo.h"

#include <commdlg.h>

#include <new>

#include "controls/CtrlMsg.h"
#include "controls/com/ErrorInfo.h"
#include "controls/com/TypeLib.h"
#include "controls/core/ColorEntry.h"
#include "controls/core/LibraryError.h"
#include "controls/core/RowLayout.h"
#include "controls/core/ScaleMath.h"
#include "controls/win/DrawBase.h"
#include "controls/win/FontUtils.h"
#include "controls/win/WndHook.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

namespace {

constexpr int32_t kComboStyle = 0x200023;  // WS_VSCROLL | CBS_OWNERDRAWVARIABLE | CBS_DROPDOWNLIST
constexpr int kMemoryWidth = 1024;
constexpr int kMemoryHeight = 768;
constexpr DWORD kColorDialogFlags = CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR;
constexpr int32_t kErrInvalidPropertyValue = 380;
const wchar_t kSource[] = L"ColorCombo";

enum EventId : DISPID {
    kShowDlg = 1, kHideDlg, kClick, kDblClick, kMouseMove, kMouseDown, kMouseUp, kKeyPress, kKeyDown, kKeyUp,
};

VARIANT_BOOL OleBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

template <class T, class V>
HRESULT Out(T* out, V value) {
    if (!out) return E_POINTER;
    *out = static_cast<T>(value);
    return S_OK;
}

}  // namespace

HRESULT ColorCombo::CreateInstance(REFIID iid, void** out) {
    ColorCombo* control = new (std::nothrow) ColorCombo();
    if (!control) return E_OUTOFMEMORY;
    const HRESULT hr = control->QueryInterface(iid, out);
    control->Release();
    return hr;
}

ColorCombo::ColorCombo()
    : OleControl(CLSID_ColorCombo, DIID___ColorCombo), combo_(this), fontSink_([this] {
          UpdateMetrics();
          PropertyChanged(L"Font");
      }) {
    GetPalvexTypeInfo(IID__ColorCombo, &typeInfo_);
    combo_.SetStyle(kComboStyle);
    combo_.SetThreedBorder(true);
    for (COLORREF& color : customColors_) color = 0xFFFFFF;
    SetFontObject(NewStdFont(L"Arial", 9.5).Get());
    WindowDC screen(nullptr);
    memoryDC_.Reset(CreateCompatibleDC(screen.Get()));
    memoryBitmap_.Reset(CreateCompatibleBitmap(screen.Get(), kMemoryWidth, kMemoryHeight));
    originalBitmap_ = SelectObject(memoryDC_.Get(), memoryBitmap_.Get());
}

ColorCombo::~ColorCombo() {
    WindowDestroying();
    if (originalBitmap_) SelectObject(memoryDC_.Get(), originalBitmap_);
    fontSink_.Watch(nullptr);
    if (typeInfo_) typeInfo_->Release();
}

// --- IUnknown, IDispatch, ISupportErrorInfo ---

HRESULT ColorCombo::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__ColorCombo) {
        *out = static_cast<_ColorCombo*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else if (QueryOleInterface(riid, out)) {
        return S_OK;
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ColorCombo::AddRef() { return InterlockedIncrement(&refs_); }

ULONG ColorCombo::Release() {
    const ULONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
}

HRESULT ColorCombo::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = typeInfo_ ? 1 : 0;
    return S_OK;
}

HRESULT ColorCombo::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (!typeInfo_) return TYPE_E_CANTLOADLIBRARY;
    *info = typeInfo_;
    typeInfo_->AddRef();
    return S_OK;
}

HRESULT ColorCombo::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!typeInfo_) return TYPE_E_CANTLOADLIBRARY;
    return DispGetIDsOfNames(typeInfo_, names, count, ids);
}

HRESULT ColorCombo::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* exception, UINT* argError) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!typeInfo_) return TYPE_E_CANTLOADLIBRARY;
    return DispInvoke(static_cast<_ColorCombo*>(this), typeInfo_, id, flags, params, result, exception, argError);
}

HRESULT ColorCombo::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IID__ColorCombo ? S_OK : S_FALSE;
}

template <class Body>
HRESULT ColorCombo::Member(Body&& body) {
    ComPtr<IUnknown> keepAlive(static_cast<_ColorCombo*>(this));  // an event handler may release us
    SetErrorInfo(0, nullptr);
    return Guarded(IID__ColorCombo, kSource, [&] {
        body();
        return S_OK;
    });
}

// --- entries ---

int32_t ColorCombo::EntryValue(LONG index) const { return ColorEntryValue(items_[static_cast<size_t>(index)]); }

HRESULT ColorCombo::AddColor(BSTR ColorName, OLE_COLOR ColorVal, VARIANT* InsertBefore) {
    // Errors of adding are absorbed: a bad position adds nothing.
    try {
        const std::wstring entry = MakeColorEntry(ColorName ? ColorName : L"", static_cast<int32_t>(ColorVal));
        LONG position = -1;
        if (InsertBefore && !(V_VT(InsertBefore) == VT_ERROR || V_VT(InsertBefore) == VT_EMPTY)) {
            Variant index;
            if (FAILED(VariantChangeType(index.Get(), InsertBefore, 0, VT_I4))) return S_OK;
            position = index->lVal;
            if (position < 0 || position > static_cast<LONG>(items_.size())) return S_OK;
        }
        if (position < 0) {
            items_.push_back(entry);
            combo_.AddItem(entry, -1);
        } else {
            items_.insert(items_.begin() + position, entry);
            combo_.AddItem(entry, position);
        }
    } catch (...) {
    }
    return S_OK;
}

HRESULT ColorCombo::get_ListCount(LONG* ListCount) { return Out(ListCount, combo_.ListCount()); }

HRESULT ColorCombo::get_ListIndex(LONG* ListIndex) { return Out(ListIndex, combo_.ListIndex()); }

HRESULT ColorCombo::put_ListIndex(LONG ListIndex) {
    combo_.SetListIndex(ListIndex);
    return S_OK;
}

HRESULT ColorCombo::get_ColorName(LONG Index, BSTR* ColorName) {
    if (!ColorName) return E_POINTER;
    *ColorName = nullptr;
    return Member([&] {
        const std::wstring name =
            (Index >= 0 && Index < combo_.ListCount() && ValidIndex(Index)) ? ColorEntryName(items_[Index]) : L"";
        *ColorName = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    });
}

HRESULT ColorCombo::put_ColorName(LONG Index, BSTR ColorName) {
    return Member([&] {
        if (Index < 0 || Index >= combo_.ListCount() || !ValidIndex(Index)) return;
        const std::wstring valuePart = ColorEntryValuePart(items_[Index]);
        items_[Index] = std::wstring(ColorName ? ColorName : L"") + L'\0' + valuePart;
        UpdateMetrics();
    });
}

HRESULT ColorCombo::get_ColorValue(LONG Index, OLE_COLOR* ColorValue) {
    if (!ColorValue) return E_POINTER;
    *ColorValue = 0;
    return Member([&] {
        if (Index >= 0 && Index < combo_.ListCount() && ValidIndex(Index))
            *ColorValue = static_cast<OLE_COLOR>(EntryValue(Index));
    });
}

HRESULT ColorCombo::put_ColorValue(LONG Index, OLE_COLOR ColorValue) {
    return Member([&] {
        if (Index < 0 || Index >= combo_.ListCount() || !ValidIndex(Index)) return;
        items_[Index] = MakeColorEntry(ColorEntryName(items_[Index]), static_cast<int32_t>(ColorValue));
        UpdateMetrics();
    });
}

HRESULT ColorCombo::Clear() {
    combo_.Clear();
    items_.clear();
    return S_OK;
}

HRESULT ColorCombo::SetCustomColors(LONG* CustomColors) {
    if (!CustomColors) return E_POINTER;
    // The caller passes the first of 16 consecutive Longs (an array's first element by reference).
    for (int i = 0; i < 16; ++i) customColors_[i] = static_cast<COLORREF>(CustomColors[i]);
    return S_OK;
}

HRESULT ColorCombo::GetCustomColors(LONG* lpCustom) {
    if (!lpCustom) return E_POINTER;
    for (int i = 0; i < 16; ++i) lpCustom[i] = static_cast<LONG>(customColors_[i]);
    return S_OK;
}

HRESULT ColorCombo::get_hWnd(LONG* hWnd) { return Out(hWnd, static_cast<LONG>(reinterpret_cast<intptr_t>(Window()))); }

// --- appearance ---

HRESULT ColorCombo::get_Font(IFontDisp** Font) {
    if (!Font) return E_POINTER;
    *Font = font_.Get();
    if (*Font) (*Font)->AddRef();
    return S_OK;
}

HRESULT ColorCombo::putref_Font(IFontDisp* Font) {
    if (!Font) return ReportError(ErrorHResult(kErrInvalidPropertyValue), IID__ColorCombo, kSource,
                                  L"Invalid property value");
    return Member([&] {
        SetFontObject(Font);
        UpdateMetrics();
        PropertyChanged(L"Font");
    });
}

void ColorCombo::SetFontObject(IFontDisp* font) {
    font_ = font;
    fontSink_.Watch(font);
}

HRESULT ColorCombo::get_AutoEdit(VARIANT_BOOL* AutoEdit) { return Out(AutoEdit, OleBool(autoEdit_)); }

HRESULT ColorCombo::put_AutoEdit(VARIANT_BOOL AutoEdit) {
    autoEdit_ = AutoEdit != VARIANT_FALSE;
    PropertyChanged(L"AutoEdit");
    return S_OK;
}

HRESULT ColorCombo::get_BackColor(OLE_COLOR* BackColor) { return Out(BackColor, static_cast<OLE_COLOR>(backColor_)); }

HRESULT ColorCombo::put_BackColor(OLE_COLOR BackColor) {
    return Member([&] {
        backColor_ = static_cast<int32_t>(BackColor);
        RenewBackBrush();
        PropertyChanged(L"BackColor");
    });
}

HRESULT ColorCombo::get_TextColor(OLE_COLOR* TextColor) { return Out(TextColor, static_cast<OLE_COLOR>(textColor_)); }

HRESULT ColorCombo::put_TextColor(OLE_COLOR TextColor) {
    return SetRowLook(textColor_, static_cast<int32_t>(TextColor), L"TextColor");
}

HRESULT ColorCombo::get_HighlightText(OLE_COLOR* HighlightText) { return Out(HighlightText, static_cast<OLE_COLOR>(highlightText_)); }

HRESULT ColorCombo::put_HighlightText(OLE_COLOR HighlightText) {
    return SetRowLook(highlightText_, static_cast<int32_t>(HighlightText), L"HighlightText");
}

HRESULT ColorCombo::get_Highlight(OLE_COLOR* Highlight) { return Out(Highlight, static_cast<OLE_COLOR>(highlight_)); }

HRESULT ColorCombo::put_Highlight(OLE_COLOR Highlight) {
    return SetRowLook(highlight_, static_cast<int32_t>(Highlight), L"Highlight");
}

HRESULT ColorCombo::get_SwatchBorder(SwatchBorderConstants* SwatchBorder) { return Out(SwatchBorder, static_cast<SwatchBorderConstants>(swatchBorder_)); }

HRESULT ColorCombo::put_SwatchBorder(SwatchBorderConstants SwatchBorder) {
    return SetRowLook(swatchBorder_, SwatchBorder, L"SwatchBorder");
}

HRESULT ColorCombo::SetRowLook(int32_t& field, int32_t value, const wchar_t* name) {
    field = value;
    if (combo_.hWnd()) InvalidateRect(combo_.hWnd(), nullptr, TRUE);
    PropertyChanged(name);
    return S_OK;
}

HRESULT ColorCombo::get_ColorSquareWidth(LONG* ColorSquareWidth) { return Out(ColorSquareWidth, squareWidth_); }

HRESULT ColorCombo::put_ColorSquareWidth(LONG ColorSquareWidth) {
    return Member([&] {
        squareWidth_ = ColorSquareWidth < kMinSquare ? kMinSquare : ColorSquareWidth;
        UpdateMetrics();
        PropertyChanged(L"ColorSquareWidth");
    });
}

HRESULT ColorCombo::get_ColorSquareHeight(LONG* ColorSquareHeight) { return Out(ColorSquareHeight, squareHeight_); }

HRESULT ColorCombo::put_ColorSquareHeight(LONG ColorSquareHeight) {
    return Member([&] {
        squareHeight_ = ColorSquareHeight < kMinSquare ? kMinSquare : ColorSquareHeight;
        UpdateMetrics();
        PropertyChanged(L"ColorSquareHeight");
    });
}

COLORREF ColorCombo::BackColorValue() const { return TranslateColor(backColor_); }

HBRUSH ColorCombo::GetBackBrush() {
    if (!backBrush_) backBrush_.Reset(CreateSolidBrush(TranslateColor(backColor_)));
    return backBrush_.Get();
}

void ColorCombo::RenewBackBrush() {
    backBrush_.Reset();
    GetBackBrush();
    if (Window()) InvalidateRect(Window(), nullptr, TRUE);
}

// --- the colour dialog ---

HRESULT ColorCombo::EditColor(LONG Index, OLE_COLOR* Color) {
    if (!Color) return E_POINTER;
    *Color = 0;
    return Member([&] { *Color = static_cast<OLE_COLOR>(RunEditColor(Index)); });
}

int32_t ColorCombo::RunEditColor(LONG index) {
    if (!ValidIndex(index)) throw LibraryError(kErrSubscriptOutOfRange, kSource, L"Subscript out of range");
    const int32_t value = EntryValue(index);
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
        if (ValidIndex(index)) {
            items_[index] = MakeColorEntry(ColorEntryName(items_[index]), result);
            UpdateMetrics();
            if (index == combo_.ListIndex() && combo_.hWnd()) InvalidateRect(combo_.hWnd(), nullptr, TRUE);
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

// --- events of the native combo ---

void ColorCombo::RaiseMouse(DISPID id, int16_t button, int16_t shift, float x, float y) {
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

void ColorCombo::RaiseKey(DISPID id, int16_t keyCode, int16_t shift) {
    VARIANTARG args[2];
    args[1].vt = VT_I2 | VT_BYREF;
    args[1].piVal = &keyCode;
    args[0].vt = VT_I2 | VT_BYREF;
    args[0].piVal = &shift;
    RaiseEvent(id, args, 2);
}

void ColorCombo::Click() { RaiseEvent(kClick); }

void ColorCombo::DblClick() { RaiseEvent(kDblClick); }

void ColorCombo::KeyDown(int16_t keyCode, int16_t shift) {
    if (keyCode == 'E' && shift == 2 && autoEdit_ && combo_.ListIndex() >= 0) RunEditColor(combo_.ListIndex());
    RaiseKey(kKeyDown, keyCode, shift);
}

void ColorCombo::KeyUp(int16_t keyCode, int16_t shift) { RaiseKey(kKeyUp, keyCode, shift); }

void ColorCombo::KeyPress(int16_t keyAscii) {
    VARIANTARG arg;
    arg.vt = VT_I2 | VT_BYREF;
    arg.piVal = &keyAscii;
    RaiseEvent(kKeyPress, &arg, 1);
}

void ColorCombo::MouseDown(int16_t button, int16_t shift, float x, float y) {
    if (button == 2 && autoEdit_) {
        if (combo_.ListIndex() < 0) return;
        RunEditColor(combo_.ListIndex());
    }
    RaiseMouse(kMouseDown, button, shift, x, y);
}

void ColorCombo::MouseUp(int16_t button, int16_t shift, float x, float y) {
    RaiseMouse(kMouseUp, button, shift, x, y);
}

void ColorCombo::MouseMove(int16_t button, int16_t shift, float x, float y) {
    RaiseMouse(kMouseMove, button, shift, x, y);
}

// --- persistence ---

void ColorCombo::ReadProperties(PropertyReader& reader) {
    swatchBorder_ = reader.ReadLong(L"SwatchBorder", swatchBorder_);
    autoEdit_ = reader.ReadBool(L"AutoEdit", autoEdit_);
    backColor_ = reader.ReadLong(L"BackColor", backColor_);
    textColor_ = reader.ReadLong(L"TextColor", textColor_);
    highlight_ = reader.ReadLong(L"Highlight", highlight_);
    highlightText_ = reader.ReadLong(L"HighlightText", highlightText_);
    squareWidth_ = reader.ReadLong(L"ColorSquareWidth", squareWidth_);
    squareHeight_ = reader.ReadLong(L"ColorSquareHeight", squareHeight_);
    ComPtr<IDispatch> stored = reader.ReadObject(L"Font");
    ComPtr<IFontDisp> font;
    if (stored) stored.As(&font);
    if (font) SetFontObject(font.Get());
    UpdateMetrics();
    RenewBackBrush();
}

void ColorCombo::WriteProperties(PropertyWriter& writer) {
    writer.WriteObject(L"Font", font_.Get());
    writer.WriteBool(L"AutoEdit", autoEdit_);
    writer.WriteLong(L"BackColor", backColor_);
    writer.WriteLong(L"TextColor", textColor_);
    writer.WriteLong(L"Highlight", highlight_);
    writer.WriteLong(L"HighlightText", highlightText_);
    writer.WriteLong(L"SwatchBorder", swatchBorder_);
    writer.WriteLong(L"ColorSquareWidth", squareWidth_);
    writer.WriteLong(L"ColorSquareHeight", squareHeight_);
}

}  // namespace palvex
