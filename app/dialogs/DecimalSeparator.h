#pragma once
// The decimal separator of the author's locale, as the dialogs show and read lengths with it.

wchar_t LocaleDecimalSeparator();
