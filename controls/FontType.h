#pragma once
// FontType: one font as the font enumeration reports it, with a selection flag and a display
// height, able to make a device font or a font object of itself. A client's own new FontType is
// empty until the library's loaders fill it, and answers every member all the same.

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>

#include "com/Automation.h"
#include "controls/ComPlumbing.h"
#include "controls/com/PalvexIdl.h"
#include "controls/core/FontRecord.h"
#include "controls/win/Handles.h"

namespace palvex {

class FontType final : public AutomationObject<_FontType> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out) { return Create<FontType>(iid, out); }
    static Microsoft::WRL::ComPtr<FontType> New() { return Make<FontType>(); }
    FontType();

    HRESULT STDMETHODCALLTYPE get_Index(LONG* Index) override;
    HRESULT STDMETHODCALLTYPE get_Selected(VARIANT_BOOL* Selected) override;
    HRESULT STDMETHODCALLTYPE put_Selected(VARIANT_BOOL Selected) override;
    HRESULT STDMETHODCALLTYPE get_Height(LONG* Height) override;
    HRESULT STDMETHODCALLTYPE put_Height(LONG Height) override;
    HRESULT STDMETHODCALLTYPE get_PitchAndFamily(LONG* PitchAndFamily) override;
    HRESULT STDMETHODCALLTYPE CompPF(LONG lpf, VARIANT_BOOL* Matches) override;
    HRESULT STDMETHODCALLTYPE get_Charset(unsigned char* Charset) override;
    HRESULT STDMETHODCALLTYPE get_FaceName(BSTR* FaceName) override;
    HRESULT STDMETHODCALLTYPE get_Listname(BSTR* Listname) override;
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* FullName) override;
    HRESULT STDMETHODCALLTYPE get_Script(BSTR* Script) override;
    HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** Parent) override;
    HRESULT STDMETHODCALLTYPE CreateIndirect(LONG hDC, LONG Quality, IFontDisp** Font) override;

    // The library's own members.
    void SetIndex(int32_t index) { index_ = index; }
    int32_t OwnerData() const { return ownerData_; }
    void SetOwnerData(int32_t value) { ownerData_ = value; }
    HFONT hFont() const { return hFont_.Get(); }
    void SetHFont(HFONT font) { hFont_.Reset(font); }
    void SetParent(IDispatch* parent) { parent_ = parent; }
    const std::wstring& FaceName() const { return fields_.faceName; }
    const std::wstring& FullName() const { return fields_.fullName; }
    const std::wstring& Script() const { return fields_.script; }
    uint8_t Charset() const { return fields_.charset; }
    int32_t PitchAndFamily() const { return fields_.pitchAndFamily; }
    int32_t Height() const { return height_; }
    const EnumLogFontABytes& GetEnumLogFontA() const { return ansi_; }
    const EnumLogFontWBytes& GetEnumLogFontW() const { return wide_; }
    void SetEnumLogFontA(const EnumLogFontABytes& record);
    void SetEnumLogFontW(const EnumLogFontWBytes& record);
    // Takes the other's record in the form this thread's font lists use; the device font goes.
    void CopyFrom(const FontType* other);
    // A device font for hDC (0: the screen) at Height points, kept until the next one.
    HFONT CreateHFont(HDC dc, int32_t quality);

private:
    ~FontType() override = default;
    LOGFONTW LogFontFor(HDC dc, int32_t quality) const;

    EnumLogFontABytes ansi_{};
    EnumLogFontWBytes wide_{};
    FontRecordFields fields_;
    int32_t height_ = 0;
    bool selected_ = false;
    int32_t index_ = 0;
    int32_t ownerData_ = 0;
    Microsoft::WRL::ComPtr<IDispatch> parent_;
    palvex::Font hFont_;
};

}  // namespace palvex
