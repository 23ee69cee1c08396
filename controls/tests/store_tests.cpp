// The portable logic behind the registry, the font options, the font records and the colour
// collection: what stored bytes mean, what malformed ones read as, and the collection's rules.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "controls/core/ColorCollection.h"
#include "controls/core/FontOptions.h"
#include "controls/core/FontRecord.h"
#include "controls/core/LibraryError.h"
#include "controls/core/RegistryValue.h"
#include "controls/tests/Utf16Bytes.h"

using namespace palvex;
using palvex::test::Utf16;
using Kind = RegistryValue::Kind;

namespace {

RegistryValue Decode(uint32_t type, const std::vector<uint8_t>& bytes) {
    return DecodeRegistryValue(type, bytes.data(), bytes.size());
}

int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const LibraryError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace

TEST(RegistryValue, EveryKindRoundTripsThroughItsStoredForm) {
    const RegistryValue values[] = {
        RegistryValue::Text(L"Arial"),
        RegistryValue::Text(L""),
        RegistryValue::Text(L"\u4e2d\u6587 and \u00e9"),
        RegistryValue::TextList({L"one", L"two", L"three"}),
        RegistryValue::TextList({}),
        RegistryValue::Long(-1),
        RegistryValue::Long(0x7FFFFFFF),
        RegistryValue::Byte(1),
        RegistryValue::Byte(0),
        RegistryValue::Bytes({1, 2, 3, 4, 5, 6}),
    };
    for (const RegistryValue& value : values) {
        EncodedRegistryValue stored;
        ASSERT_TRUE(EncodeRegistryValue(value, stored));
        EXPECT_EQ(Decode(stored.type, stored.bytes), value) << "type " << stored.type;
    }
    // An Integer is written as a REG_DWORD and so reads back as a Long of the same value.
    EncodedRegistryValue stored;
    ASSERT_TRUE(EncodeRegistryValue(RegistryValue::Integer(-2), stored));
    EXPECT_EQ(stored.type, kRegDword);
    EXPECT_EQ(Decode(stored.type, stored.bytes), RegistryValue::Long(-2));
}

TEST(RegistryValue, StoredTypesAndLengthsAreExactlyTheOnesWritten) {
    struct Case {
        RegistryValue value;
        uint32_t type;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {RegistryValue::Long(0x01020304), kRegDword, {4, 3, 2, 1}},
        {RegistryValue::Integer(7), kRegDword, {7, 0, 0, 0}},
        {RegistryValue::Bool(true), kRegBinary, {1}},
        {RegistryValue::Bool(false), kRegBinary, {0}},
        {RegistryValue::Text(L"ab"), kRegSz, {'a', 0, 'b', 0, 0, 0}},
        {RegistryValue::TextList({L"a", L"b"}), kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
        {RegistryValue::TextList({}), kRegMultiSz, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EncodedRegistryValue stored;
        ASSERT_TRUE(EncodeRegistryValue(c.value, stored));
        EXPECT_EQ(stored.type, c.type);
        EXPECT_EQ(stored.bytes, c.bytes) << "type " << c.type;
    }
    EncodedRegistryValue untouched{kRegSz, {9}};
    EXPECT_FALSE(EncodeRegistryValue(RegistryValue{}, untouched));
    EXPECT_FALSE(EncodeRegistryValue(RegistryValue::Text(std::wstring(kMaxRegistryValueBytes / 2, L'x')), untouched));
    EXPECT_EQ(untouched.bytes, std::vector<uint8_t>{9});
}

TEST(RegistryValue, HostileBytesReadWithinTheirLengthOrAsMissing) {
    std::vector<uint8_t> noZero = Utf16(L"abc");
    std::vector<uint8_t> oddText = Utf16(L"abc");
    oddText.push_back('d');
    std::vector<uint8_t> listNoFinal = Utf16(L"one");
    listNoFinal.insert(listNoFinal.end(), {0, 0});
    auto two = Utf16(L"two");
    listNoFinal.insert(listNoFinal.end(), two.begin(), two.end());
    std::vector<uint8_t> listOdd = Utf16(std::wstring(L"x") + L'\0');
    listOdd.push_back(0x41);
    std::vector<uint8_t> listEmptyFirst = Utf16(std::wstring(1, L'\0') + L"hidden");
    struct Case {
        const char* what;
        uint32_t type;
        std::vector<uint8_t> bytes;
        RegistryValue expected;
    } cases[] = {
        {"text without its zero", kRegSz, noZero, RegistryValue::Text(L"abc")},
        {"text of odd length", kRegSz, oddText, RegistryValue::Text(L"abc")},
        {"text of one byte", kRegSz, {'a'}, RegistryValue::Text(L"")},
        {"text with a zero inside", kRegSz, Utf16(std::wstring(L"ab") + L'\0' + L"cd"), RegistryValue::Text(L"ab")},
        {"expandable text", kRegExpandSz, Utf16(L"%TEMP%"), RegistryValue::Text(L"%TEMP%")},
        {"list without its final zeros", kRegMultiSz, listNoFinal, RegistryValue::TextList({L"one", L"two"})},
        {"list of odd length", kRegMultiSz, listOdd, RegistryValue::TextList({L"x"})},
        {"list ending at an empty text", kRegMultiSz, listEmptyFirst, RegistryValue::TextList({})},
        {"list of one byte", kRegMultiSz, {'a'}, RegistryValue::TextList({})},
        {"dword of 3 bytes", kRegDword, {1, 2, 3}, RegistryValue{}},
        {"dword of 8 bytes", kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}, RegistryValue{}},
        {"binary of 4 bytes", kRegBinary, {0xFF, 0xFF, 0xFF, 0xFF}, RegistryValue::Long(-1)},
        {"binary of 2 bytes", kRegBinary, {0xFE, 0xFF}, RegistryValue::Integer(-2)},
        {"binary of 3 bytes", kRegBinary, {1, 2, 3}, RegistryValue::Bytes({1, 2, 3})},
        {"no bytes", kRegSz, {}, RegistryValue{}},
        {"big-endian dword", 5, {0, 0, 0, 1}, RegistryValue{}},
        {"qword", 11, {1, 0, 0, 0, 0, 0, 0, 0}, RegistryValue{}},
        {"too long", kRegBinary, std::vector<uint8_t>(kMaxRegistryValueBytes + 1, 1), RegistryValue{}},
    };
    for (const Case& c : cases) EXPECT_EQ(Decode(c.type, c.bytes), c.expected) << c.what;
    EXPECT_EQ(DecodeRegistryValue(kRegSz, nullptr, 8), RegistryValue{});
    // The longest value still read.
    EXPECT_EQ(Decode(kRegBinary, std::vector<uint8_t>(kMaxRegistryValueBytes, 7)).kind, Kind::Bytes);
}

TEST(RegistryValue, NumbersAndFlagsOnlyFromTheKindsWritten) {
    EXPECT_EQ(RegistryLong(RegistryValue::Long(5), 1), 5);
    EXPECT_EQ(RegistryLong(RegistryValue::Text(L"5"), 1), 1);
    EXPECT_EQ(RegistryLong(RegistryValue::Byte(5), 1), 1);
    EXPECT_EQ(RegistryLong(RegistryValue{}, 1), 1);
    EXPECT_TRUE(RegistryBool(RegistryValue::Byte(0xFF), false));
    EXPECT_FALSE(RegistryBool(RegistryValue::Byte(0), true));
    EXPECT_TRUE(RegistryBool(RegistryValue::Long(0), true));
    EXPECT_FALSE(RegistryBool(RegistryValue::Text(L"True"), false));
}

TEST(FontOptions, KeysOfControlsGlobalSetAndCharsets) {
    EXPECT_EQ(ControlOptionsKey(L"Zorvik", L"ColorList1"), L"Software\\Oskavar\\Controls\\colorlist\\Zorvik.ColorList1");
    EXPECT_EQ(ControlOptionsKey(L"Global", L"ignored"), L"Software\\Oskavar\\Controls\\colorlist\\colorlist.Global");
    EXPECT_EQ(GetGlobalOptionsKey(true), L"HKEY_CURRENT_USER\\Software\\Oskavar\\Controls\\colorlist\\colorlist.Global");
    EXPECT_EQ(CharsetKey(136), L"Software\\Oskavar\\Controls\\colorlist\\colorlist.Global\\Charsets\\Charset.136");
}

TEST(FontOptions, ValuesOfTheWrongKindOrOutOfRangeReadAsDefaults) {
    std::map<std::wstring, RegistryValue> stored;
    auto read = [&](const wchar_t* name) {
        auto found = stored.find(name);
        return found == stored.end() ? RegistryValue{} : found->second;
    };
    EXPECT_EQ(ReadFontOptions(read), FontOptions{});

    FontOptions saved;
    saved.suppressLoadDlg = false;
    saved.symbolDraw = 1;
    saved.filterCode = 0x31;
    saved.pitchAndFamilyFilters = true;
    saved.symbolPreview = true;
    saved.faceDraw = 2;
    std::vector<std::wstring> order;
    WriteFontOptions(saved, [&](const wchar_t* name, const RegistryValue& value) {
        order.push_back(name);
        stored[name] = value;
    });
    EXPECT_EQ(order, (std::vector<std::wstring>{L"SymbolDraw", L"SymbolPreview", L"SuppressLoadDlg", L"FaceDraw",
                                                L"PitchAndFamilyFilters", L"FilterCode"}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(order[i], kOptionValueNames[i]);
    EXPECT_EQ(stored[L"SuppressLoadDlg"], RegistryValue::Bool(false));
    EXPECT_EQ(ReadFontOptions(read), saved);

    struct Case {
        const wchar_t* name;
        RegistryValue value;
    } hostile[] = {
        {L"SymbolDraw", RegistryValue::Long(2)},          {L"SymbolDraw", RegistryValue::Long(-2)},
        {L"FaceDraw", RegistryValue::Long(3)},            {L"FaceDraw", RegistryValue::Long(INT32_MIN)},
        {L"FaceDraw", RegistryValue::Text(L"1")},         {L"FilterCode", RegistryValue::Long(0x80)},
        {L"FilterCode", RegistryValue::Long(-1)},         {L"FilterCode", RegistryValue::Long(0x33)},
        {L"SuppressLoadDlg", RegistryValue::Long(0)},
        {L"SymbolPreview", RegistryValue::Bytes({1, 1, 1})}, {L"PitchAndFamilyFilters", RegistryValue::Text(L"True")},
    };
    for (const Case& c : hostile) {
        stored.clear();
        stored[c.name] = c.value;
        EXPECT_EQ(ReadFontOptions(read), FontOptions{}) << testing::PrintToString(std::wstring(c.name));
    }
}

namespace {

template <size_t N>
void PutAnsi(std::array<uint8_t, N>& record, size_t at, const char* text, size_t room) {
    std::memcpy(record.data() + at, text, std::min(std::strlen(text), room));
}

template <size_t N>
void PutWide(std::array<uint8_t, N>& record, size_t at, const std::wstring& text, size_t roomBytes) {
    for (size_t i = 0; i < text.size() && i * 2 + 1 < roomBytes; ++i) {
        record[at + i * 2] = static_cast<uint8_t>(text[i] & 0xFF);
        record[at + i * 2 + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
}

}  // namespace

TEST(FontRecord, AnsiAndWideRecordsGiveTheSameFont) {
    EnumLogFontABytes ansi{};
    ansi[23] = 136;
    ansi[27] = 0x22;  // variable pitch, Swiss
    PutAnsi(ansi, 28, "MingLiU", 32);
    PutAnsi(ansi, 60, "MingLiU Regular", 64);
    PutAnsi(ansi, 124, "Regular", 32);
    PutAnsi(ansi, 156, "CHINESE_BIG5", 32);
    EnumLogFontWBytes wide{};
    wide[23] = 136;
    wide[27] = 0x22;
    PutWide(wide, 28, L"MingLiU", 64);
    PutWide(wide, 92, L"MingLiU Regular", 128);
    PutWide(wide, 220, L"Regular", 64);
    PutWide(wide, 284, L"CHINESE_BIG5", 64);
    for (const FontRecordFields& f : {ReadEnumLogFontA(ansi), ReadEnumLogFontW(wide)}) {
        EXPECT_EQ(f.faceName, L"MingLiU");
        EXPECT_EQ(f.fullName, L"MingLiU Regular");
        EXPECT_EQ(f.style, L"Regular");
        EXPECT_EQ(f.script, L"Traditional Chinese [BIG5]");
        EXPECT_EQ(f.charset, 136);
        EXPECT_EQ(f.pitchAndFamily, 0x22);
        EXPECT_EQ(FontListName(f.faceName, f.script), L"MingLiU (Traditional Chinese [BIG5])");
    }
    EXPECT_EQ(DisplayScript(L"CHINESE_GB2312"), L"Simplified Chinese [GB2312]");
    EXPECT_EQ(DisplayScript(L"Western"), L"Western");
}

TEST(FontRecord, FieldsWithoutZeroEndAtTheirOwnLastByte) {
    EnumLogFontABytes ansi;
    ansi.fill('A');
    ansi[60] = 'F';   // the full name's first byte: the face ends right before it
    ansi[124] = 'S';  // the style's
    ansi[156] = 'C';  // the script's
    FontRecordFields a = ReadEnumLogFontA(ansi);
    EXPECT_EQ(a.faceName, std::wstring(32, L'A'));
    EXPECT_EQ(a.fullName, L"F" + std::wstring(63, L'A'));
    EXPECT_EQ(a.style, L"S" + std::wstring(31, L'A'));
    EXPECT_EQ(a.script, L"C" + std::wstring(31, L'A'));
    EnumLogFontWBytes wide;
    wide.fill(0x42);
    FontRecordFields w = ReadEnumLogFontW(wide);
    EXPECT_EQ(w.faceName, std::wstring(32, L'\x4242'));
    EXPECT_EQ(w.fullName.size(), 64u);
    EXPECT_EQ(w.script.size(), 32u);
    // High ANSI bytes are text of the 8-bit code page.
    EnumLogFontABytes accented{};
    PutAnsi(accented, 28, "Caf\xe9", 32);
    EXPECT_EQ(ReadEnumLogFontA(accented).faceName, L"Caf\u00e9");
}

TEST(FontRecord, FilterCodesMatchPitchAndFamily) {
    struct Case {
        int32_t font, code;
        bool matches;
    } cases[] = {
        {0x22, 0, true},  {0x31, 0, true},    // 0 passes every font
        {0x22, 1, false}, {0x21, 1, true},    // fixed pitch wanted
        {0x22, 2, true},  {0x22, 48, false},  // a Swiss font is no Modern one
        {0x22, 32, true}, {0x22, 34, true},   {0x22, 33, false}, {0x31, 49, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PitchAndFamilyMatches(c.font, c.code), c.matches) << c.font << " " << c.code;
}

TEST(ColorCollection, PositionsKeysAndOrder) {
    ColorCollection c;
    c.Add(0x0000FF, std::wstring(L"Red"), std::nullopt);
    c.Add(0x00FF00, std::nullopt, std::nullopt);
    c.Add(0xFF0000, std::wstring(L"blue"), ItemRef{int64_t{1}});   // before the first
    c.Add(0x808080, std::wstring(L"Grey"), ItemRef{std::wstring(L"RED")});  // before a key, any case
    EXPECT_EQ(c.Colors(), (std::vector<int32_t>{0xFF0000, 0x808080, 0x0000FF, 0x00FF00}));
    EXPECT_EQ(c.Color(ItemRef{std::wstring(L"BLUE")}), 0xFF0000);
    EXPECT_EQ(c.Color(ItemRef{int64_t{4}}), 0x00FF00);
    EXPECT_TRUE(SameKey(L"\u00c9t\u00e9", L"\u00e9T\u00c9"));
    EXPECT_TRUE(SameKey(L"\u0414\u043e\u043c", L"\u0434\u041e\u041c"));
    EXPECT_FALSE(SameKey(L"a", L"ab"));
    c.Remove(ItemRef{std::wstring(L"grey")});
    c.Remove(ItemRef{int64_t{1}});
    EXPECT_EQ(c.Colors(), (std::vector<int32_t>{0x0000FF, 0x00FF00}));
}

TEST(ColorCollection, FailedCallsChangeNothing) {
    ColorCollection c;
    c.Add(1, std::wstring(L"one"), std::nullopt);
    c.Add(2, std::nullopt, std::nullopt);
    const std::vector<ColorCollection::Item> before = c.Items();
    struct Case {
        const char* what;
        std::function<void()> call;
        int32_t error;
    } cases[] = {
        {"duplicate key", [&] { c.Add(3, std::wstring(L"ONE"), std::nullopt); }, kErrDuplicateKey},
        {"insert before position 0", [&] { c.Add(3, std::nullopt, ItemRef{int64_t{0}}); }, kErrSubscriptOutOfRange},
        {"insert past the end", [&] { c.Add(3, std::nullopt, ItemRef{int64_t{3}}); }, kErrSubscriptOutOfRange},
        {"insert before an unknown key", [&] { c.Add(3, std::nullopt, ItemRef{std::wstring(L"x")}); }, kErrInvalidCall},
        {"remove position 3", [&] { c.Remove(ItemRef{int64_t{3}}); }, kErrSubscriptOutOfRange},
        {"remove a number as key", [&] { c.Remove(ItemRef{std::wstring(L"2")}); }, kErrInvalidCall},
        {"read position -1", [&] { c.Color(ItemRef{int64_t{-1}}); }, kErrSubscriptOutOfRange},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ErrorOf(k.call), k.error) << k.what;
        EXPECT_EQ(c.Items(), before) << k.what;
    }
}

TEST(ColorCollection, StoredCountsAndNames) {
    EXPECT_EQ(StoredName(L"Grad", L"Count"), L"Grad.Count");
    EXPECT_EQ(StoredName(L"", L"Value1"), L"Value1");
    EXPECT_EQ(StoredColorCount(-5), 0);
    EXPECT_EQ(StoredColorCount(3), 3);
    EXPECT_EQ(StoredColorCount(kMaxStoredColors), kMaxStoredColors);
    EXPECT_EQ(ErrorOf([] { StoredColorCount(kMaxStoredColors + 1); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([] { StoredColorCount(2000000000); }), kErrInvalidPropertyValue);
}
