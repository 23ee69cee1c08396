#include "controls/FontType.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "base/Cp1252.h"
#include "base/Error.h"
#include "controls/win/FontList.h"
#include "controls/win/FontUtils.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

namespace {

const wchar_t kSource[] = L"FontType";

LOGFONTA ToAnsi(const LOGFONTW& wide) {
    LOGFONTA ansi{};
    std::memcpy(&ansi, &wide, offsetof(LOGFONTA, lfFaceName));
    const std::string face = zv::EncodeCp1252(wide.lfFaceName);
    std::memcpy(ansi.lfFaceName, face.data(), std::min<size_t>(face.size(), LF_FACESIZE - 1));
    return ansi;
}

bool Wide() { return UseUnicodeAPI() == -1; }

}  // namespace

FontType::FontType() : AutomationObject(IID__FontType, kSource) {}

void FontType::SetEnumLogFontA(const EnumLogFontABytes& record) {
    ansi_ = record;
    fields_ = ReadEnumLogFontA(record);
    height_ = 14;
}

void FontType::SetEnumLogFontW(const EnumLogFontWBytes& record) {
    wide_ = record;
    fields_ = ReadEnumLogFontW(record);
    height_ = 14;
}

void FontType::CopyFrom(const FontType* other) {
    if (!other || other == this) return;
    if (Wide()) SetEnumLogFontW(other->wide_);
    else SetEnumLogFontA(other->ansi_);
    hFont_.Reset();
}

LOGFONTW FontType::LogFontFor(HDC dc, int32_t quality) const {
    WindowDC screen(nullptr);
    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(height_, GetDeviceCaps(dc ? dc : screen.Get(), LOGPIXELSY), 72);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = fields_.charset;
    logFont.lfQuality = static_cast<BYTE>(quality);
    logFont.lfPitchAndFamily = fields_.pitchAndFamily;
    wcsncpy(logFont.lfFaceName, fields_.faceName.c_str(), LF_FACESIZE - 1);
    return logFont;
}

HFONT FontType::CreateHFont(HDC dc, int32_t quality) {
    hFont_.Reset();
    const LOGFONTW logFont = LogFontFor(dc, quality);
    if (Wide()) {
        hFont_.Reset(CreateFontIndirectW(&logFont));
    } else {
        const LOGFONTA ansi = ToAnsi(logFont);
        hFont_.Reset(CreateFontIndirectA(&ansi));
    }
    return hFont_.Get();
}

HRESULT FontType::get_Index(LONG* Index) { return Out(Index, index_); }
HRESULT FontType::get_Selected(VARIANT_BOOL* Selected) { return Out(Selected, OleBool(selected_)); }
HRESULT FontType::put_Selected(VARIANT_BOOL Selected) {
    selected_ = Selected != VARIANT_FALSE;
    return S_OK;
}
HRESULT FontType::get_Height(LONG* Height) { return Out(Height, height_); }
HRESULT FontType::put_Height(LONG Height) {
    height_ = Height;
    return S_OK;
}
HRESULT FontType::get_PitchAndFamily(LONG* PitchAndFamily) { return Out(PitchAndFamily, fields_.pitchAndFamily); }
HRESULT FontType::CompPF(LONG lpf, VARIANT_BOOL* Matches) {
    return Out(Matches, OleBool(PitchAndFamilyMatches(fields_.pitchAndFamily, lpf)));
}
HRESULT FontType::get_Charset(unsigned char* Charset) { return Out(Charset, fields_.charset); }
HRESULT FontType::get_FaceName(BSTR* FaceName) { return OutText(FaceName, fields_.faceName); }
HRESULT FontType::get_Listname(BSTR* Listname) { return OutText(Listname, FontListName(fields_.faceName, fields_.script)); }
HRESULT FontType::get_FullName(BSTR* FullName) { return OutText(FullName, fields_.fullName); }
HRESULT FontType::get_Script(BSTR* Script) { return OutText(Script, fields_.script); }

HRESULT FontType::get_Parent(IDispatch** Parent) {
    if (!Parent) return E_POINTER;
    *Parent = parent_.Get();
    if (*Parent) (*Parent)->AddRef();
    return S_OK;
}

HRESULT FontType::CreateIndirect(LONG hDC, LONG Quality, IFontDisp** Font) {
    if (!Font) return E_POINTER;
    *Font = nullptr;
    return Member([&] {
        const LOGFONTW logFont = LogFontFor(reinterpret_cast<HDC>(static_cast<intptr_t>(hDC)), Quality);
        ComPtr<IFontDisp> made = Wide() ? CreateFontFromLogFontW(logFont) : CreateFontFromLogFontA(ToAnsi(logFont));
        if (!made) throw zv::Error(L"The font object could not be made.");
        *Font = made.Detach();
    });
}

}  // namespace palvex
