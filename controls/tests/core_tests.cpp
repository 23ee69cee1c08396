// The portable logic of the control library: token scanning, colour entries, unit scaling, row
// geometry. Runs natively and under Wine.
#include <gtest/gtest.h>

#include <thread>

#include "base/Error.h"
#include "controls/core/AnsiBytes.h"
#include "controls/core/ColorEntry.h"
#include "controls/core/RowLayout.h"
#include "controls/core/ScaleMath.h"
#include "controls/core/ScanToken.h"

using namespace palvex;

namespace {

std::wstring Buffer() { return ScanToken(L"", L",", true, false, L""); }
void SetBuffer(const std::wstring& text) { ScanToken(text, L",", true, false, L""); }

}  // namespace

TEST(ScanToken, SplitsAtTheDelimiterAndKeepsTheRest) {
    struct Case {
        const wchar_t* text;
        const wchar_t* delimiter;
        bool quotes;
        const wchar_t* token;
        const wchar_t* rest;
    } cases[] = {
        {L"abc", L",", false, L"abc", L""},
        {L",x", L",", false, L"", L"x"},
        {L"a,b,c", L",", false, L"a", L"b,c"},
        {L"a,", L",", false, L"a", L""},
        {L"ab::cd", L"::", false, L"ab", L"cd"},
        {L"\"a,b\",c", L",", true, L"\"a,b\"", L"c"},
        {L"\"a,b\",c", L",", false, L"\"a", L"b\",c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(ScanToken(c.text, c.delimiter, false, c.quotes, L""), c.token);
        EXPECT_EQ(Buffer(), c.rest);
    }
}

TEST(ScanToken, ContinuesWithTheBufferAndLeavesItAloneWithoutDelimiter) {
    EXPECT_EQ(ScanToken(L"1;2;3", L";", false, false, L""), L"1");
    EXPECT_EQ(ScanToken(L"", L";", false, false, L""), L"2");
    EXPECT_EQ(ScanToken(L"", L"", false, false, L""), L"");  // no delimiter: the buffer stays
    EXPECT_EQ(ScanToken(L"", L";", false, false, L""), L"3");
    EXPECT_EQ(ScanToken(L"", L";", false, false, L""), L"");  // exhausted
}

TEST(ScanToken, RestModeReplacesOrReturnsTheBuffer) {
    EXPECT_EQ(ScanToken(L"kept", L",", true, false, L""), L"");
    EXPECT_EQ(ScanToken(L"", L",", true, false, L""), L"kept");
    EXPECT_EQ(ScanToken(L"", L",", true, false, L""), L"kept");
}

TEST(ScanToken, CustomQuoteCharacter) {
    EXPECT_EQ(ScanToken(L"'a;b';c", L";", false, true, L"'"), L"'a;b'");
    EXPECT_EQ(Buffer(), L"c");
}

TEST(ScanToken, TheBufferBelongsToTheThread) {
    SetBuffer(L"main thread");
    std::wstring seen = L"unset";
    std::thread([&] { seen = Buffer(); }).join();
    EXPECT_EQ(seen, L"");
    EXPECT_EQ(Buffer(), L"main thread");
}

TEST(ScanToken, AThreadsBufferGoesWithTheThread) {
    SetBuffer(L"main thread");
    const size_t before = ScanBuffersAlive();
    for (int round = 0; round < 20; ++round) {
        std::thread([] {
            EXPECT_EQ(ScanToken(L"a,b,c", L",", false, false, L""), L"a");
            EXPECT_EQ(ScanToken(L"", L",", false, false, L""), L"b");
        }).join();
    }
    EXPECT_EQ(ScanBuffersAlive(), before);
    EXPECT_EQ(Buffer(), L"main thread");
}

TEST(ColorEntry, StringsAndValuesRoundTrip) {
    struct Case {
        const wchar_t* name;
        int32_t value;
        std::wstring stored;
    } cases[] = {
        {L"White", 0xFFFFFF, std::wstring(L"White") + L'\0' + L"&HFFFFFF&"},
        {L"Red", 255, std::wstring(L"Red") + L'\0' + L"&HFF&"},
        {L"Black", 0, std::wstring(L"Black") + L'\0' + L"&H0&"},
        {L"Button face", static_cast<int32_t>(0x8000000F), std::wstring(L"Button face") + L'\0' + L"&H8000000F&"},
        {L"None", kNoColor, std::wstring(L"None") + L'\0' + L"&HFF000000&"},
        {L"", 0x80, std::wstring(1, L'\0') + L"&H80&"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        const std::wstring entry = MakeColorEntry(c.name, c.value);
        EXPECT_EQ(entry, c.stored);
        EXPECT_EQ(ColorEntryName(entry), c.name);
        EXPECT_EQ(ColorEntryValue(entry), c.value);
    }
    EXPECT_EQ(ColorEntryValue(MakeColorEntry(L"White", 0xFFFFFF)), 16777215);
    EXPECT_LT(ColorEntryValue(MakeColorEntry(L"Face", static_cast<int32_t>(0x8000000F))), 0);
}

TEST(ColorEntry, ReadingAnEntryLeavesNoScanBehind) {
    ColorEntryName(MakeColorEntry(L"Red", 255));
    EXPECT_EQ(Buffer(), L"");
    EXPECT_EQ(ColorEntryValue(L""), 0);
    EXPECT_EQ(ColorEntryName(L""), L"");
}

TEST(ColorEntry, HexLiterals) {
    struct Case {
        const wchar_t* literal;
        int32_t value;
    } cases[] = {
        {L"&HFF&", 255},  {L"&Hff", 255},      {L"&HFFFF", -1},  {L"&HFFFF&", 65535},
        {L"&H8000", -32768}, {L"&H10000", 65536}, {L"&HFFFFFFFF&", -1}, {L"&H123456789&", 0},
        {L"", 0},         {L"12", 0},          {L"&H", 0},       {L"&HG&", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseHexLiteral(c.literal), c.value) << testing::PrintToString(std::wstring(c.literal));
}

TEST(ScaleMath, RoundingAndTruncation) {
    EXPECT_EQ(Trunc(2.5), 2);
    EXPECT_EQ(Trunc(-2.6), -2);
    EXPECT_EQ(Trunc(3.5), 3);
    EXPECT_EQ(Trunc(-3.5), -3);
    EXPECT_EQ(Trunc(0.0), 0);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(MulDivRound(2540, 96, 96), 2540);
    EXPECT_EQ(MulDivRound(1, 3, 2), 2);
    EXPECT_EQ(MulDivRound(-1, 3, 2), -2);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

TEST(ScaleMath, UnitsAndPixelsAt96Dpi) {
    struct Case {
        int32_t units;
        double value;
        double pixels;
    } cases[] = {
        {kTwips, 1440, 96}, {kPoints, 72, 96},   {kPixels, 37, 37},     {kInches, 1, 96},
        {kMillimetres, 25.4, 96}, {kCentimetres, 2.54, 96}, {kHimetric, 2540, 96},
        {kCharacters, 5, 0}, {99, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.units);
        EXPECT_NEAR(UnitsToPixels(c.value, 96, c.units), c.pixels, 1e-9);
        if (c.pixels != 0) EXPECT_NEAR(PixelsToUnits(c.pixels, 96, c.units), c.value, 1e-9);
        else EXPECT_EQ(PixelsToUnits(96, 96, c.units), 0);
    }
    EXPECT_EQ(CharsXToPixels(2, 96), 16);
    EXPECT_EQ(CharsYToPixels(2, 96), 32);
    EXPECT_EQ(PixelsToCharsX(16, 96), 2);
    EXPECT_EQ(PixelsToCharsY(32, 96), 2);
    EXPECT_EQ(PixelsToHimetric(96, 96), 2540);
    EXPECT_EQ(HimetricToPixels(2540, 96), 96);
    EXPECT_THROW(CharsXToPixels(20000000, 96), zv::Error);
}

TEST(ScaleMath, ScaleNumericConvertsThroughPixels) {
    ScaleNumericCore scale;
    EXPECT_EQ(scale.Units(), kTwips);
    scale.SetValue(1440);
    EXPECT_EQ(scale.AsPixelsX(), 96);
    scale.SetResolution(120, 144);
    EXPECT_EQ(scale.AsPixelsX(), 120);
    EXPECT_EQ(scale.AsPixelsY(), 144);
    scale.SetAsPixelsY(72);
    EXPECT_DOUBLE_EQ(scale.Value(), 720);
    scale.SetUnits(kCharacters);
    scale.SetAsPixelsX(120);  // one inch: 12 characters across
    EXPECT_EQ(scale.Value(), 12);
    EXPECT_EQ(scale.AsPixelsX(), 120);

    ScaleNumericCore screen;  // 96 dpi, twips
    EXPECT_DOUBLE_EQ(screen.DeviceTranslateX(10, kPixels, kTwips), 150);
    EXPECT_DOUBLE_EQ(screen.DeviceTranslateY(10, kPixels, kUnitOwn), 150);
    EXPECT_DOUBLE_EQ(screen.DeviceTranslateX(16, kPixels, kCharacters), 2);
    EXPECT_DOUBLE_EQ(screen.DeviceTranslateY(96, kPixels, kMillimetres), 25.4);
    EXPECT_DOUBLE_EQ(screen.DeviceTranslate(2, kCharacters, kPixels), 24);  // mean of 16 and 32
}

TEST(RowLayout, MeasureAndPlace) {
    EXPECT_EQ(MeasureRow(100, 15, 16, 16).height, 22);
    EXPECT_EQ(MeasureRow(100, 15, 16, 16).width, 122);
    EXPECT_EQ(MeasureRow(100, 15, 8, 8).height, 21);  // the text is taller than the square
    RowRect swatch = SwatchRect(22, 16, 16);
    EXPECT_EQ(swatch.left, 3);
    EXPECT_EQ(swatch.top, 3);
    EXPECT_EQ(swatch.right, 18);
    EXPECT_EQ(swatch.bottom, 18);
    EXPECT_EQ(TextLeft(swatch), 30);
    EXPECT_EQ(SwatchRect(21, 16, 9).top, 6);   // 10 - 4.5 rounds to even
    EXPECT_EQ(SwatchRect(23, 16, 11).top, 6);  // 11 - 5.5 rounds to even
    EXPECT_EQ(TextTop(22, 15), 3);             // 11 - 7.5 -> 11 - 8
    EXPECT_EQ(TextTop(21, 13), 4);             // 10.5 -> 10, 6.5 -> 6
    EXPECT_EQ(ThreeDColumnWidth(16), 23);
}

TEST(RowLayout, RectAndPointHelpers) {
    RowRect r{10, 20, 30, 40};
    InflateRectBy(r, 2);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 18);
    EXPECT_EQ(r.right, 32);
    EXPECT_EQ(r.bottom, 42);
    OffsetRectBy(r, -8, 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 24);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, 44);
    PointXY p = LongToPoint(static_cast<int32_t>(0xFFFF0001));
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, -1);
    p = LongToPoint(0x0005FFFE);
    EXPECT_EQ(p.x, -2);
    EXPECT_EQ(p.y, 5);
}

TEST(AnsiBytes, StopsAtTheFirstZeroAndTerminates) {
    std::vector<char> bytes{'a', 'b', '\0', 'c'};
    EXPECT_EQ(ByteArrayToString(bytes), L"ab");
    EXPECT_EQ(ByteArrayToString(std::vector<char>{'x', 'y'}), L"xy");
    StringToByteArray(L"caf\u00e9", bytes, false);
    ASSERT_EQ(bytes.size(), 5u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 0xE9);
    EXPECT_EQ(bytes[4], '\0');
    std::vector<char> kept(8, 'z');
    StringToByteArray(L"ab", kept, true);
    EXPECT_EQ(kept.size(), 8u);
    EXPECT_EQ(ByteArrayToString(kept), L"ab");
    EXPECT_EQ(kept[5], 'z');
}
