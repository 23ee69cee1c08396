// FontType filled from the records the system's font enumeration really reports, and from made-up
// ones: its fields, its device fonts and font objects, and copies between records.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cstring>
#include <type_traits>
#include <string>
#include <vector>

#include "controls/FontType.h"
#include "controls/win/FontList.h"

using Microsoft::WRL::ComPtr;
using namespace palvex;

namespace {

// The first enumeration record of a face, in the ANSI or the wide form.
template <class LogFont, class Bytes, class Char>
bool FindRecord(const Char* face, Bytes& out) {
    HDC dc = GetDC(nullptr);
    LogFont wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    for (size_t i = 0; face[i] && i + 1 < LF_FACESIZE; ++i) wanted.lfFaceName[i] = face[i];
    struct Found {
        Bytes* out;
        bool any = false;
    } found{&out};
    auto collect = [](const LogFont* font, const void*, DWORD, LPARAM param) -> int {
        auto* f = reinterpret_cast<Found*>(param);
        std::memcpy(f->out->data(), font, f->out->size());
        f->any = true;
        return 0;
    };
    if constexpr (std::is_same_v<LogFont, LOGFONTA>)
        EnumFontFamiliesExA(dc, &wanted, reinterpret_cast<FONTENUMPROCA>(+collect), reinterpret_cast<LPARAM>(&found), 0);
    else
        EnumFontFamiliesExW(dc, &wanted, reinterpret_cast<FONTENUMPROCW>(+collect), reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found.any;
}

bool FindAnsi(const char* face, EnumLogFontABytes& out) { return FindRecord<LOGFONTA>(face, out); }
bool FindWide(const wchar_t* face, EnumLogFontWBytes& out) { return FindRecord<LOGFONTW>(face, out); }

std::wstring Text(BSTR text) {
    std::wstring out = text ? text : L"";
    SysFreeString(text);
    return out;
}

int ScreenDpiY() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// Puts the thread's record form back after a test that changed it.
struct RecordForm {
    ~RecordForm() { SetUseUnicodeAPI(0); }
};

}  // namespace

TEST(FontType, FilledFromTheSystemsEnumerationRecordsInBothForms) {
    EnumLogFontABytes ansi{};
    ASSERT_TRUE(FindAnsi("Liberation Sans", ansi)) << "fonts-liberation is installed by the setup";
    const auto* record = reinterpret_cast<const ENUMLOGFONTEXA*>(ansi.data());
    auto font = palvex::FontType::New();
    font->SetEnumLogFontA(ansi);
    EXPECT_EQ(font->FaceName(), L"Liberation Sans");
    BSTR text = nullptr;
    font->get_FullName(&text);
    EXPECT_EQ(Text(text), std::wstring(record->elfFullName, record->elfFullName + strlen(reinterpret_cast<const char*>(record->elfFullName))));
    font->get_Script(&text);
    const std::wstring script = Text(text);
    EXPECT_EQ(script, std::wstring(record->elfScript, record->elfScript + strlen(reinterpret_cast<const char*>(record->elfScript))));
    font->get_Listname(&text);
    EXPECT_EQ(Text(text), L"Liberation Sans (" + script + L")");
    unsigned char charset = 0xFF;
    font->get_Charset(&charset);
    EXPECT_EQ(charset, record->elfLogFont.lfCharSet);
    LONG pitchAndFamily = 0, height = 0;
    font->get_PitchAndFamily(&pitchAndFamily);
    EXPECT_EQ(pitchAndFamily, record->elfLogFont.lfPitchAndFamily);
    font->get_Height(&height);
    EXPECT_EQ(height, 14);
    // A Swiss face of variable pitch: filters by pitch and family.
    VARIANT_BOOL matches = VARIANT_FALSE;
    font->CompPF(0, &matches);
    EXPECT_EQ(matches, VARIANT_TRUE);
    font->CompPF(FF_SWISS, &matches);
    EXPECT_EQ(matches, VARIANT_TRUE);
    font->CompPF(48, &matches);
    EXPECT_EQ(matches, VARIANT_FALSE);
    font->CompPF(1, &matches);
    EXPECT_EQ(matches, VARIANT_FALSE);
    EXPECT_EQ(std::memcmp(font->GetEnumLogFontA().data(), ansi.data(), kEnumLogFontASize), 0);

    EnumLogFontWBytes wide{};
    ASSERT_TRUE(FindWide(L"Liberation Serif", wide));
    auto serif = palvex::FontType::New();
    serif->SetEnumLogFontW(wide);
    EXPECT_EQ(serif->FaceName(), L"Liberation Serif");
    EXPECT_EQ(serif->FullName(), reinterpret_cast<const ENUMLOGFONTEXW*>(wide.data())->elfFullName);
    EXPECT_EQ(serif->Height(), 14);
}

TEST(FontType, DeviceFontsAndFontObjectsAreRealFontsOfTheRecord) {
    EnumLogFontABytes ansi{};
    ASSERT_TRUE(FindAnsi("Liberation Mono", ansi));
    auto font = palvex::FontType::New();
    font->SetEnumLogFontA(ansi);
    font->put_Height(20);
    HFONT handle = font->CreateHFont(nullptr, ANTIALIASED_QUALITY);
    ASSERT_NE(handle, nullptr);
    LOGFONTW made{};
    ASSERT_EQ(GetObjectW(handle, sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_STREQ(made.lfFaceName, L"Liberation Mono");
    EXPECT_EQ(made.lfHeight, -MulDiv(20, ScreenDpiY(), 72));
    EXPECT_EQ(made.lfWeight, FW_NORMAL);
    EXPECT_EQ(made.lfQuality, ANTIALIASED_QUALITY);
    // Selected into a DC it is the face asked for, not a stand-in.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_STREQ(face, L"Liberation Mono");
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "the flag is set for variable pitch";
    // The next device font replaces the last.
    HFONT next = font->CreateHFont(nullptr, DEFAULT_QUALITY);
    EXPECT_NE(next, nullptr);
    EXPECT_EQ(font->hFont(), next);

    ComPtr<IFontDisp> object;
    ASSERT_HRESULT_SUCCEEDED(font->CreateIndirect(0, 2, object.GetAddressOf()));
    ComPtr<IFont> asFont;
    ASSERT_HRESULT_SUCCEEDED(object.As(&asFont));
    BSTR name = nullptr;
    asFont->get_Name(&name);
    EXPECT_EQ(Text(name), L"Liberation Mono");
    CY size{};
    asFont->get_Size(&size);
    EXPECT_NEAR(static_cast<double>(size.int64) / 10000.0, 20.0, 0.8);
}

TEST(FontType, AMadeUpBig5RecordAndCopiesBetweenRecords) {
    RecordForm restore;
    EnumLogFontABytes ansi{};
    ansi[23] = CHINESEBIG5_CHARSET;
    ansi[27] = FIXED_PITCH | FF_MODERN;
    std::memcpy(ansi.data() + 28, "MingLiU", 7);
    std::memcpy(ansi.data() + 156, "CHINESE_BIG5", 12);
    auto big5 = palvex::FontType::New();
    big5->SetEnumLogFontA(ansi);
    BSTR text = nullptr;
    big5->get_Script(&text);
    EXPECT_EQ(Text(text), L"Traditional Chinese [BIG5]");
    big5->get_Listname(&text);
    EXPECT_EQ(Text(text), L"MingLiU (Traditional Chinese [BIG5])");
    EXPECT_EQ(big5->Charset(), CHINESEBIG5_CHARSET);

    // A copy takes the ANSI record unless the thread's lists use the wide one; the device font goes.
    auto copy = palvex::FontType::New();
    copy->CreateHFont(nullptr, 2);
    ASSERT_NE(copy->hFont(), nullptr);
    copy->CopyFrom(big5.Get());
    EXPECT_EQ(copy->FaceName(), L"MingLiU");
    EXPECT_EQ(copy->hFont(), nullptr);
    copy->CopyFrom(nullptr);
    copy->CopyFrom(copy.Get());
    EXPECT_EQ(copy->FaceName(), L"MingLiU");
    EnumLogFontWBytes wide{};
    ASSERT_TRUE(FindWide(L"Liberation Sans", wide));
    auto sans = palvex::FontType::New();
    sans->SetEnumLogFontW(wide);
    SetUseUnicodeAPI(-1);
    copy->CopyFrom(sans.Get());
    EXPECT_EQ(copy->FaceName(), L"Liberation Sans");
    // The wide calls make the device font when the lists use the wide records.
    HFONT handle = copy->CreateHFont(nullptr, 2);
    LOGFONTW made{};
    GetObjectW(handle, sizeof made, &made);
    EXPECT_STREQ(made.lfFaceName, L"Liberation Sans");
}

TEST(FontType, AnEmptyFontStillMakesRealFonts) {
    auto empty = palvex::FontType::New();
    EXPECT_EQ(empty->FaceName(), L"");
    EXPECT_NE(empty->CreateHFont(nullptr, 2), nullptr);
    ComPtr<IFontDisp> object;
    EXPECT_HRESULT_SUCCEEDED(empty->CreateIndirect(0, 2, object.GetAddressOf()));
    EXPECT_NE(object.Get(), nullptr);
    ComPtr<IDispatch> parent;
    EXPECT_HRESULT_SUCCEEDED(empty->get_Parent(parent.GetAddressOf()));
    EXPECT_EQ(parent.Get(), nullptr);
}
