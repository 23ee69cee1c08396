#pragma once
// Between standard OLE font objects and the system's logical-font records.

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace palvex {

// A logical font for the font object as the DC would show it (height from the DC's resolution).
LOGFONTW FontToLogFont(IFont* font, HDC dc);
Microsoft::WRL::ComPtr<IFontDisp> CreateFontFromLogFontW(const LOGFONTW& logFont);
Microsoft::WRL::ComPtr<IFontDisp> CreateFontFromLogFontA(const LOGFONTA& logFont);
// A new standard font object of the given face and size in points.
Microsoft::WRL::ComPtr<IFontDisp> NewStdFont(const wchar_t* face, double points);

}  // namespace palvex
