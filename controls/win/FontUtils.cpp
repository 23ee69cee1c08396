#include "controls/win/FontUtils.h"

#include <cwchar>

#include "controls/core/ScaleMath.h"
#include "controls/win/Handles.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

LOGFONTW FontToLogFont(IFont* font, HDC dc) {
    LOGFONTW logFont{};
    if (!font) return logFont;
    CY size{};
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    SHORT charset = 0;
    Bstr face;
    font->get_Size(&size);
    font->get_Bold(&bold);
    font->get_Italic(&italic);
    font->get_Underline(&underline);
    font->get_Strikethrough(&strike);
    font->get_Charset(&charset);
    font->get_Name(face.Out());
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    // The size passes as a whole number of points (9.5 becomes 10), as the controls always sized it.
    const int points = static_cast<int>(RoundHalfEven(static_cast<double>(size.int64) / 10000.0));
    logFont.lfHeight = -MulDiv(points, dpiY, 72);
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = italic ? 1 : 0;
    logFont.lfUnderline = underline ? 1 : 0;
    logFont.lfStrikeOut = strike ? 1 : 0;
    logFont.lfCharSet = static_cast<BYTE>(charset);
    if (face.Get()) wcsncpy(logFont.lfFaceName, face.Get(), LF_FACESIZE - 1);
    return logFont;
}

namespace {

ComPtr<IFontDisp> CreateFont(const wchar_t* face, LONG height, LONG weight, BYTE charset, BYTE italic,
                             BYTE underline, BYTE strike) {
    HDC screen = GetDC(nullptr);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(face);
    desc.cySize.int64 = static_cast<LONGLONG>(MulDiv(height < 0 ? -height : height, 72 * 10000, dpiY));
    desc.sWeight = static_cast<SHORT>(weight);
    desc.sCharset = charset;
    desc.fItalic = italic != 0;
    desc.fUnderline = underline != 0;
    desc.fStrikethrough = strike != 0;
    ComPtr<IFontDisp> font;
    OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

}  // namespace

ComPtr<IFontDisp> CreateFontFromLogFontW(const LOGFONTW& lf) {
    return CreateFont(lf.lfFaceName, lf.lfHeight, lf.lfWeight, lf.lfCharSet, lf.lfItalic, lf.lfUnderline,
                      lf.lfStrikeOut);
}

ComPtr<IFontDisp> CreateFontFromLogFontA(const LOGFONTA& lf) {
    wchar_t face[LF_FACESIZE] = {};
    MultiByteToWideChar(CP_ACP, 0, lf.lfFaceName, -1, face, LF_FACESIZE);
    return CreateFont(face, lf.lfHeight, lf.lfWeight, lf.lfCharSet, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut);
}

ComPtr<IFontDisp> NewStdFont(const wchar_t* face, double points) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(face);
    desc.cySize.int64 = static_cast<LONGLONG>(points * 10000);
    desc.sWeight = FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    ComPtr<IFontDisp> font;
    OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

}  // namespace palvex
