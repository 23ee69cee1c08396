// The registry as the library uses it: typed values written and read back through the system's
// registry, hostile values written raw, the handles the registry object keeps, the font-display
// options and the per-charset flags. Every test deletes the keys it made.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/RegOptions.h"
#include "controls/core/FontOptions.h"
#include "controls/win/FontList.h"
#include "controls/win/RegistryObject.h"
#include "controls/tests/PalvexTestSupport.h"
#include "controls/tests/Utf16Bytes.h"

using namespace palvex;
using namespace palvex::test;

namespace {

void WriteRaw(HKEY key, const wchar_t* name, DWORD type, const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
}

const std::wstring kTestRoot = std::wstring(kOptionsRootKey) + L"\\PalvexTest.Registry";

}  // namespace

TEST(RegistryObject, EveryTypeRoundTripsWithTheStoredTypeAndLength) {
    TestKey made(kTestRoot);
    RegistryObject registry;
    HKEY key = registry.OpenKey(HKEY_CURRENT_USER, made.Path());
    ASSERT_NE(key, RegistryObject::kNoKey);
    EXPECT_TRUE(made.Exists());
    struct Case {
        const wchar_t* name;
        RegistryValue value;
        DWORD type;
        size_t bytes;
    } cases[] = {
        {L"Text", RegistryValue::Text(L"Liberation Sans"), REG_SZ, 32},
        {L"Texts", RegistryValue::TextList({L"ab", L"c"}), REG_MULTI_SZ, 12},
        {L"NoTexts", RegistryValue::TextList({}), REG_MULTI_SZ, 4},
        {L"Long", RegistryValue::Long(-7), REG_DWORD, 4},
        {L"Flag", RegistryValue::Bool(true), REG_BINARY, 1},
        {L"Byte", RegistryValue::Byte(200), REG_BINARY, 1},
        {L"Bytes", RegistryValue::Bytes({9, 8, 7, 6, 5}), REG_BINARY, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        ASSERT_TRUE(registry.SetValue(key, c.name, c.value));
        const RawValue raw = ReadRaw(made.Path(), c.name);
        ASSERT_TRUE(raw.found);
        EXPECT_EQ(raw.type, c.type);
        EXPECT_EQ(raw.bytes.size(), c.bytes);
        EXPECT_EQ(registry.GetValue(key, c.name), c.value);
    }
    // The multi-string ends in its double zero.
    const RawValue texts = ReadRaw(made.Path(), L"Texts");
    EXPECT_EQ(texts.bytes, (std::vector<uint8_t>{'a', 0, 'b', 0, 0, 0, 'c', 0, 0, 0, 0, 0}));
    // A flag written True reads back True with a flag's default; a missing value gives the default.
    EXPECT_TRUE(RegistryBool(registry.GetValue(key, L"Flag"), false));
    EXPECT_EQ(registry.GetValue(key, L"Missing"), RegistryValue{});
    EXPECT_FALSE(RegistryBool(registry.GetValue(key, L"Missing"), false));
    // Nothing is written for nothing, nor for a value too long to be read back.
    EXPECT_FALSE(registry.SetValue(key, L"Nothing", RegistryValue{}));
    EXPECT_FALSE(registry.SetValue(key, L"Huge", RegistryValue::Bytes(std::vector<uint8_t>(kMaxRegistryValueBytes + 1))));
    EXPECT_FALSE(ReadRaw(made.Path(), L"Nothing").found);
    EXPECT_FALSE(ReadRaw(made.Path(), L"Huge").found);
    EXPECT_TRUE(registry.DeleteValue(key, L"Long"));
    EXPECT_FALSE(ReadRaw(made.Path(), L"Long").found);
    EXPECT_FALSE(registry.DeleteValue(key, L"Long"));
}

TEST(RegistryObject, HostileValuesWrittenRawReadWithinTheirBytesOrAsDefaults) {
    TestKey made(kTestRoot);
    RegistryObject registry;
    HKEY key = registry.OpenKey(HKEY_CURRENT_USER, made.Path());
    ASSERT_NE(key, RegistryObject::kNoKey);
    std::vector<uint8_t> listNoFinal = Utf16(L"one");
    listNoFinal.insert(listNoFinal.end(), {0, 0, 't', 0, 'w', 0});
    std::vector<uint8_t> oddList = Utf16(std::wstring(L"x") + L'\0');
    oddList.push_back('y');
    struct Case {
        const wchar_t* name;
        DWORD type;
        std::vector<uint8_t> bytes;
        RegistryValue expected;
    } cases[] = {
        {L"SzNoZero", REG_SZ, Utf16(L"abc"), RegistryValue::Text(L"abc")},
        {L"SzOdd", REG_SZ, {'a', 0, 'b'}, RegistryValue::Text(L"a")},
        {L"MultiNoFinal", REG_MULTI_SZ, listNoFinal, RegistryValue::TextList({L"one", L"tw"})},
        {L"MultiOdd", REG_MULTI_SZ, oddList, RegistryValue::TextList({L"x"})},
        {L"DwordShort", REG_DWORD, {1, 2}, RegistryValue{}},
        {L"DwordLong", REG_DWORD, {1, 0, 0, 0, 0}, RegistryValue{}},
        {L"Empty", REG_BINARY, {}, RegistryValue{}},
        {L"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, RegistryValue{}},
        {L"Oversized", REG_BINARY, std::vector<uint8_t>(kMaxRegistryValueBytes + 2, 0x55), RegistryValue{}},
    };
    for (const Case& c : cases) {
        WriteRaw(key, c.name, c.type, c.bytes);
        EXPECT_EQ(registry.GetValue(key, c.name), c.expected) << testing::PrintToString(std::wstring(c.name));
    }
}

TEST(RegistryObject, KeepsItsHandlesUnderTheirIndexAndClosesThemAll) {
    TestKey made(kTestRoot);
    HKEY first = nullptr, second = nullptr;
    {
        RegistryObject registry;
        first = registry.OpenKey(HKEY_CURRENT_USER, made.Path() + L"\\A", L"first");
        second = registry.OpenKey(HKEY_CURRENT_USER, made.Path() + L"\\B");
        ASSERT_NE(first, RegistryObject::kNoKey);
        ASSERT_NE(second, RegistryObject::kNoKey);
        EXPECT_EQ(registry.Count(), 2);
        EXPECT_EQ(registry.Item(L"first"), first);
        EXPECT_EQ(registry.Item(L"nothing"), RegistryObject::kNoKey);
        // An index already taken keeps its handle; the new one is not kept open.
        EXPECT_EQ(registry.OpenKey(HKEY_CURRENT_USER, made.Path() + L"\\C", L"first"), RegistryObject::kNoKey);
        EXPECT_EQ(registry.Count(), 2);
        // A key that cannot be opened gives kNoKey and is not kept.
        EXPECT_EQ(registry.OpenKey(reinterpret_cast<HKEY>(static_cast<intptr_t>(0x7777)), L"x"), RegistryObject::kNoKey);
        EXPECT_EQ(registry.Count(), 2);
        registry.CloseKey(std::wstring(L"first"));
        EXPECT_EQ(registry.Count(), 1);
        EXPECT_EQ(registry.Item(L"first"), RegistryObject::kNoKey);
        EXPECT_NE(RegQueryInfoKeyW(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegQueryInfoKeyW(second, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    // Destroying the object closed the handle it still held.
    EXPECT_NE(RegQueryInfoKeyW(second, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    RegistryObject registry;
    HKEY byHandle = registry.OpenKey(HKEY_CURRENT_USER, made.Path());
    registry.CloseKey(byHandle);
    EXPECT_EQ(registry.Count(), 0);
}

namespace {

const std::wstring kOptionsKey = std::wstring(kOptionsRootKey) + L"\\PalvexTest.Options";
const std::wstring kGlobalKey = GetGlobalOptionsKey(false);

}  // namespace

TEST(RegOptions, LoadsOnlyForAControlOrTheGlobalSetAndSavesExactlyTheSixValues) {
    TestKey made(kOptionsKey + L".List1");
    TestKey appOnly(kOptionsKey + L".");
    SharedKey global(kGlobalKey, {std::begin(kOptionValueNames), std::end(kOptionValueNames)});
    auto options = palvex::RegOptions::New();
    // Saving before any load writes nothing; an application without a control loads nothing.
    options->Save();
    options->Load(L"PalvexTest.Options", L"");
    EXPECT_EQ(options->AppName(), L"");
    EXPECT_FALSE(appOnly.Exists());
    // A first load of a new control makes its key and yields the defaults.
    options->Load(L"PalvexTest.Options", L"List1");
    EXPECT_TRUE(made.Exists());
    EXPECT_EQ(options->Options(), FontOptions{});
    EXPECT_FALSE(ReadRaw(made.Path(), L"FaceDraw").found);  // loading writes nothing
    options->Options().faceDraw = 1;
    options->Options().pitchAndFamilyFilters = true;
    options->Save();
    struct Stored {
        const wchar_t* name;
        DWORD type;
        std::vector<uint8_t> bytes;
    } stored[] = {
        {L"SymbolDraw", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}, {L"SymbolPreview", REG_BINARY, {0}},
        {L"SuppressLoadDlg", REG_BINARY, {1}},                {L"FaceDraw", REG_DWORD, {1, 0, 0, 0}},
        {L"PitchAndFamilyFilters", REG_BINARY, {1}},          {L"FilterCode", REG_DWORD, {0, 0, 0, 0}},
    };
    for (const Stored& s : stored) ExpectStored(made.Path(), s.name, s.type, s.bytes);
    // A second object reads what the first saved.
    auto second = palvex::RegOptions::New();
    second->Load(L"PalvexTest.Options", L"List1");
    EXPECT_EQ(second->Options(), options->Options());
    // The global set: "Global" with no control name.
    second->Load(L"Global", L"");
    EXPECT_EQ(second->AppName(), L"Global");
    HKEY globalKey = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kGlobalKey.c_str(), 0, KEY_READ, &globalKey), ERROR_SUCCESS);
    RegCloseKey(globalKey);
}

TEST(RegOptions, StoredValuesOfTheWrongTypeOrRangeReadAsDefaultsAndRemoveKeepsSubkeys) {
    TestKey made(kOptionsKey + L".List2");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, made.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    WriteRaw(key, L"FaceDraw", REG_DWORD, {7, 0, 0, 0});         // out of range
    WriteRaw(key, L"SymbolDraw", REG_SZ, Utf16(L"1"));          // a text
    WriteRaw(key, L"FilterCode", REG_DWORD, {3, 0, 0, 0});       // a pitch no option names
    WriteRaw(key, L"SuppressLoadDlg", REG_DWORD, {0, 0, 0, 0});  // a number for a flag
    WriteRaw(key, L"SymbolPreview", REG_BINARY, {1});            // right
    HKEY dialog = nullptr;
    RegCreateKeyExW(key, L"Dialog", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dialog, nullptr);
    WriteRaw(dialog, L"AdvancedView", REG_BINARY, {1});
    RegCloseKey(dialog);
    RegCloseKey(key);

    auto options = palvex::RegOptions::New();
    options->Load(L"PalvexTest.Options", L"List2");
    FontOptions expected;
    expected.symbolPreview = true;
    EXPECT_EQ(options->Options(), expected);
    LONG faceDraw = 0;
    options->get_FaceDraw(&faceDraw);
    EXPECT_EQ(faceDraw, -1);
    // A client cannot set what could not be stored: the value stays.
    EXPECT_TRUE(FAILED(options->put_FaceDraw(3)));
    EXPECT_TRUE(FAILED(options->put_SymbolDraw(-2)));
    EXPECT_TRUE(FAILED(options->put_FilterCode(static_cast<FilterCodeConstants>(0x80))));
    EXPECT_HRESULT_SUCCEEDED(options->put_FaceDraw(2));
    options->get_FaceDraw(&faceDraw);
    EXPECT_EQ(faceDraw, 2);

    // Remove: the six values go, the subkey stays, and the defaults are loaded.
    options->Load(L"PalvexTest.Options", L"List2", true);
    EXPECT_EQ(options->Options(), FontOptions{});
    for (const wchar_t* name : kOptionValueNames) EXPECT_FALSE(ReadRaw(made.Path(), name).found);
    EXPECT_TRUE(ReadRaw(made.Path() + L"\\Dialog", L"AdvancedView").found);
}

TEST(FontList, CharsetFlagsAreOneByteAndReadEnabledUntilWritten) {
    const int kCharset = 251;  // no charset of the system's: nobody else uses the key
    SharedKey global(GetGlobalOptionsKey(false));
    SharedKey charsets(GetGlobalOptionsKey(false) + L"\\Charsets");
    TestKey made(CharsetKey(kCharset));
    EXPECT_TRUE(GetCharsetEnabled(kCharset));
    SetCharsetEnabled(kCharset, false);
    const RawValue raw = ReadRaw(made.Path(), L"Enabled");
    ASSERT_TRUE(raw.found);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(raw.bytes, std::vector<uint8_t>{0});
    EXPECT_FALSE(GetCharsetEnabled(kCharset));
    SetCharsetEnabled(kCharset, true);
    EXPECT_TRUE(GetCharsetEnabled(kCharset));
    EXPECT_EQ(GetGlobalOptionsKey(true), L"HKEY_CURRENT_USER\\" + GetGlobalOptionsKey(false));
}
