#include "controls/win/FontList.h"

#include <windows.h>

#include "controls/core/FontOptions.h"
#include "controls/win/RegistryObject.h"

namespace palvex {

namespace {
thread_local int32_t useUnicodeAPI = 0;
}

bool GetCharsetEnabled(int32_t charset) {
    RegistryObject registry;
    HKEY key = registry.OpenKey(HKEY_CURRENT_USER, CharsetKey(charset));
    return RegistryBool(registry.GetValue(key, L"Enabled"), true);
}

void SetCharsetEnabled(int32_t charset, bool enabled) {
    RegistryObject registry;
    HKEY key = registry.OpenKey(HKEY_CURRENT_USER, CharsetKey(charset));
    registry.SetValue(key, L"Enabled", RegistryValue::Bool(enabled));
}

int32_t UseUnicodeAPI() { return useUnicodeAPI; }
void SetUseUnicodeAPI(int32_t value) { useUnicodeAPI = value; }

}  // namespace palvex
