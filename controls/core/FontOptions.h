#pragma once
// The font-display options of one control of one application (or the global set), as they are
// kept under the current user's key, and the paths of the keys that hold them.

#include <cstdint>
#include <functional>
#include <string>

#include "controls/core/RegistryValue.h"

namespace palvex {

// Every key of the library lies below this one (under the current user).
extern const wchar_t kOptionsRootKey[];
// The application name that selects the global set.
extern const wchar_t kGlobalAppName[];

// "Software\Oskavar\Controls\colorlist\colorlist.Global"; with "HKEY_CURRENT_USER\" in front when
// printRootKey.
std::wstring GetGlobalOptionsKey(bool printRootKey);
// The key of one application's control: the root, "\", the application, "." and the control; the
// global key for the application name "Global".
std::wstring ControlOptionsKey(const std::wstring& appName, const std::wstring& ctlName);
// The key of a charset's "Enabled" flag below the global key.
std::wstring CharsetKey(int32_t charset);

struct FontOptions {
    bool suppressLoadDlg = true;
    int32_t symbolDraw = -1;  // -1 the developer's default, 0 own face, 1 not in its own face
    int32_t filterCode = 0;   // pitch bits 0-1, family bits 4-6
    bool pitchAndFamilyFilters = false;
    bool symbolPreview = false;
    int32_t faceDraw = -1;  // -1 the developer's default, 0 always, 1 not Far-East fonts, 2 never

    bool operator==(const FontOptions&) const = default;
};

bool ValidSymbolDraw(int32_t value);
bool ValidFaceDraw(int32_t value);
// A code made only of the pitch and family bits, with a pitch that names one (0 any, 1 fixed,
// 2 variable).
bool ValidFilterCode(int32_t value);

// The six value names, in the order they are read and written.
extern const wchar_t* const kOptionValueNames[6];

// Reads each value by name (in the order above); a value of another kind than the one written, or
// out of its range, reads as its default.
FontOptions ReadFontOptions(const std::function<RegistryValue(const wchar_t* name)>& read);
// Writes the six values in order: numbers as Longs, flags as one-byte flags.
void WriteFontOptions(const FontOptions& options,
                      const std::function<void(const wchar_t* name, const RegistryValue& value)>& write);

}  // namespace palvex
