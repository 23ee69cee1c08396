#include "controls/core/FontOptions.h"

namespace palvex {

const wchar_t kOptionsRootKey[] = L"Software\\Oskavar\\Controls\\colorlist";
const wchar_t kGlobalAppName[] = L"Global";

const wchar_t* const kOptionValueNames[6] = {L"SymbolDraw", L"SymbolPreview", L"SuppressLoadDlg",
                                             L"FaceDraw", L"PitchAndFamilyFilters", L"FilterCode"};

namespace {
constexpr int32_t kFilterBits = 0x73;
}

std::wstring GetGlobalOptionsKey(bool printRootKey) {
    std::wstring key = std::wstring(kOptionsRootKey) + L"\\colorlist.Global";
    return printRootKey ? L"HKEY_CURRENT_USER\\" + key : key;
}

std::wstring ControlOptionsKey(const std::wstring& appName, const std::wstring& ctlName) {
    if (appName == kGlobalAppName) return GetGlobalOptionsKey(false);
    return std::wstring(kOptionsRootKey) + L"\\" + appName + L"." + ctlName;
}

std::wstring CharsetKey(int32_t charset) {
    return GetGlobalOptionsKey(false) + L"\\Charsets\\Charset." + std::to_wstring(charset);
}

bool ValidSymbolDraw(int32_t value) { return value >= -1 && value <= 1; }
bool ValidFaceDraw(int32_t value) { return value >= -1 && value <= 2; }
bool ValidFilterCode(int32_t value) { return value >= 0 && (value & ~kFilterBits) == 0 && (value & 3) != 3; }

FontOptions ReadFontOptions(const std::function<RegistryValue(const wchar_t* name)>& read) {
    const FontOptions defaults;
    FontOptions options;
    auto number = [&](const wchar_t* name, int32_t fallback, bool (*valid)(int32_t)) {
        const int32_t value = RegistryLong(read(name), fallback);
        return valid(value) ? value : fallback;
    };
    options.symbolDraw = number(L"SymbolDraw", defaults.symbolDraw, ValidSymbolDraw);
    options.symbolPreview = RegistryBool(read(L"SymbolPreview"), defaults.symbolPreview);
    options.suppressLoadDlg = RegistryBool(read(L"SuppressLoadDlg"), defaults.suppressLoadDlg);
    options.faceDraw = number(L"FaceDraw", defaults.faceDraw, ValidFaceDraw);
    options.pitchAndFamilyFilters = RegistryBool(read(L"PitchAndFamilyFilters"), defaults.pitchAndFamilyFilters);
    options.filterCode = number(L"FilterCode", defaults.filterCode, ValidFilterCode);
    return options;
}

void WriteFontOptions(const FontOptions& options,
                      const std::function<void(const wchar_t* name, const RegistryValue& value)>& write) {
    write(L"SymbolDraw", RegistryValue::Long(options.symbolDraw));
    write(L"SymbolPreview", RegistryValue::Bool(options.symbolPreview));
    write(L"SuppressLoadDlg", RegistryValue::Bool(options.suppressLoadDlg));
    write(L"FaceDraw", RegistryValue::Long(options.faceDraw));
    write(L"PitchAndFamilyFilters", RegistryValue::Bool(options.pitchAndFamilyFilters));
    write(L"FilterCode", RegistryValue::Long(options.filterCode));
}

}  // namespace palvex
