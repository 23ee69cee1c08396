#include "app/dialogs/DecimalSeparator.h"

#include <windows.h>

wchar_t LocaleDecimalSeparator() {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 0 && buffer[0] != 0 && buffer[1] == 0)
        return buffer[0];
    return L'.';  // a separator of several characters cannot be typed into our boxes as one
}
