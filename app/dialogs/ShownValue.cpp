#include "app/dialogs/ShownValue.h"

#include "app/core/Units.h"
#include "base/Error.h"

std::optional<std::int32_t> LengthOfEntry(std::wstring_view text, const ShownValue& shown, int unit,
                                          wchar_t decimalSeparator) {
    if (shown.Untouched(text)) return shown.value;
    try {
        return DlgString2Twips(text, unit, decimalSeparator);
    } catch (const zv::Error&) {
        return std::nullopt;
    }
}
