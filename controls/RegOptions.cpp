#include "controls/RegOptions.h"

#include "controls/core/LibraryError.h"

namespace palvex {

namespace {
const wchar_t kSource[] = L"RegOptions";
}

RegOptions::RegOptions() : AutomationObject(IID__RegOptions, kSource) {}

bool RegOptions::Names(const std::wstring& appName, const std::wstring& ctlName) {
    return !appName.empty() && (appName == kGlobalAppName || !ctlName.empty());
}

void RegOptions::Load(const std::wstring& appName, const std::wstring& ctlName, bool remove) {
    if (!Names(appName, ctlName)) return;
    appName_ = appName;
    ctlName_ = ctlName;
    HKEY key = registry_.OpenKey(HKEY_CURRENT_USER, ControlOptionsKey(appName_, ctlName_));
    if (remove) {
        // Only the six values go: keys below this one (a dialog's own settings) stay.
        for (const wchar_t* name : kOptionValueNames) registry_.DeleteValue(key, name);
    }
    options_ = ReadFontOptions([&](const wchar_t* name) { return registry_.GetValue(key, name); });
    registry_.CloseKey(key);
}

void RegOptions::Save() {
    if (!Names(appName_, ctlName_)) return;
    HKEY key = registry_.OpenKey(HKEY_CURRENT_USER, ControlOptionsKey(appName_, ctlName_));
    WriteFontOptions(options_, [&](const wchar_t* name, const RegistryValue& value) { registry_.SetValue(key, name, value); });
    registry_.CloseKey(key);
}

HRESULT RegOptions::get_CtlName(BSTR* CtlName) { return OutText(CtlName, ctlName_); }
HRESULT RegOptions::get_AppName(BSTR* AppName) { return OutText(AppName, appName_); }

HRESULT RegOptions::SetChecked(int32_t& field, LONG value, bool (*valid)(int32_t)) {
    return Member([&] {
        if (!valid(value)) throw LibraryError(kErrInvalidPropertyValue, kSource, L"Invalid property value");
        field = value;
    });
}

HRESULT RegOptions::get_FaceDraw(LONG* FaceDraw) { return Out(FaceDraw, options_.faceDraw); }
HRESULT RegOptions::put_FaceDraw(LONG FaceDraw) { return SetChecked(options_.faceDraw, FaceDraw, ValidFaceDraw); }
HRESULT RegOptions::get_SymbolDraw(LONG* SymbolDraw) { return Out(SymbolDraw, options_.symbolDraw); }
HRESULT RegOptions::put_SymbolDraw(LONG SymbolDraw) { return SetChecked(options_.symbolDraw, SymbolDraw, ValidSymbolDraw); }
HRESULT RegOptions::get_FilterCode(FilterCodeConstants* FilterCode) { return Out(FilterCode, options_.filterCode); }
HRESULT RegOptions::put_FilterCode(FilterCodeConstants FilterCode) {
    return SetChecked(options_.filterCode, FilterCode, ValidFilterCode);
}

HRESULT RegOptions::get_SymbolPreview(VARIANT_BOOL* SymbolPreview) { return Out(SymbolPreview, OleBool(options_.symbolPreview)); }
HRESULT RegOptions::put_SymbolPreview(VARIANT_BOOL SymbolPreview) {
    options_.symbolPreview = SymbolPreview != VARIANT_FALSE;
    return S_OK;
}
HRESULT RegOptions::get_PitchAndFamilyFilters(VARIANT_BOOL* Filters) {
    return Out(Filters, OleBool(options_.pitchAndFamilyFilters));
}
HRESULT RegOptions::put_PitchAndFamilyFilters(VARIANT_BOOL Filters) {
    options_.pitchAndFamilyFilters = Filters != VARIANT_FALSE;
    return S_OK;
}
HRESULT RegOptions::get_SuppressLoadDlg(VARIANT_BOOL* Suppress) { return Out(Suppress, OleBool(options_.suppressLoadDlg)); }
HRESULT RegOptions::put_SuppressLoadDlg(VARIANT_BOOL Suppress) {
    options_.suppressLoadDlg = Suppress != VARIANT_FALSE;
    return S_OK;
}

HRESULT RegOptions::LoadProperties(BSTR AppName, BSTR CtlName, VARIANT_BOOL Remove) {
    return Member([&] { Load(AppName ? AppName : L"", CtlName ? CtlName : L"", Remove != VARIANT_FALSE); });
}

HRESULT RegOptions::SaveProperties() {
    return Member([&] { Save(); });
}

}  // namespace palvex
