#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/Units.h"
#include "base/Error.h"

namespace {

constexpr int kInch = 1, kCm = 2;

struct TextCase {
    const wchar_t* text;
    int unit;
    wchar_t separator;
    int twips;
};

TEST(Units, TextToTwipsRoundsToTheNearestTwipHalvesToEven) {
    const TextCase cases[] = {
        {L"", kInch, L'.', 0},
        {L"   ", kCm, L'.', 0},
        {L"1.5", kInch, L'.', 2160},
        {L"2.54", kCm, L'.', 1440},  // 1440.18
        {L" 1 ", kInch, L'.', 1440},
        {L"+1", kInch, L'.', 1440},
        {L"-0.5", kInch, L'.', -720},
        {L".25", kInch, L'.', 360},
        {L"3.", kInch, L'.', 4320},
        {L"0001", kInch, L'.', 1440},
        {L"1,5", kInch, L',', 2160},
        {L"2,54", kCm, L',', 1440},
        // Values that fall exactly on half a twip go to the even twip; the slightest excess goes up.
        {L"0.003125", kInch, L'.', 4},   // 4.5
        {L"0.009375", kInch, L'.', 14},  // 13.5
        {L"0.0031251", kInch, L'.', 5},
        {L"0.0031250000000001", kInch, L'.', 5},  // the excess lies past fifteen decimals
        {L"0.5", kCm, L'.', 284},   // 283.5
        {L"1.5", kCm, L'.', 850},   // 850.5
        {L"-1.5", kCm, L'.', -850},
        // The largest lengths that fit 32 bits.
        {L"1491308", kInch, L'.', 2147483520},
        {L"1491308.0881", kInch, L'.', 2147483647},  // 2147483646.86
        {L"-1491308.0888", kInch, L'.', -2147483648},  // -2147483647.87 rounds to the smallest value
        // An unknown unit gives 0 for any number.
        {L"1.5", 0, L'.', 0},
        {L"7", 3, L'.', 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DlgString2Twips(c.text, c.unit, c.separator), c.twips) << "\"" << std::string(c.text, c.text + wcslen(c.text)) << "\" unit " << c.unit;
}

TEST(Units, TextThatIsNoNumberOrTooLargeIsAnErrorNamingIt) {
    const std::pair<const wchar_t*, wchar_t> notNumbers[] = {
        {L"abc", L'.'},   {L"1.2.3", L'.'}, {L"1e3", L'.'},  {L"12abc", L'.'}, {L"--1", L'.'},
        {L".", L'.'},     {L"-", L'.'},     {L"1,000", L'.'}, {L"1.5", L','},  {L"1 5", L'.'},
        {L"0x10", L'.'},  {L"\x0661", L'.'},  // an Arabic-Indic digit is no digit here
    };
    for (const auto& [text, separator] : notNumbers) {
        for (int unit : {kInch, kCm, 0}) {
            try {
                DlgString2Twips(text, unit, separator);
                ADD_FAILURE() << "accepted: " << std::string(text, text + wcslen(text));
            } catch (const zv::Error& e) {
                EXPECT_EQ(e.Description(), L"\"" + std::wstring(text) + L"\" is not a number.");
            }
        }
    }
    for (const auto& [text, unit] : std::vector<std::pair<const wchar_t*, int>>{
             {L"1491309", kInch}, {L"1491308.09", kInch}, {L"-1491308.0895", kInch}, {L"3787450", kCm},
             {L"99999999999", kCm}, {L"123456789012345678901234567890", kInch}}) {
        try {
            const int twips = DlgString2Twips(text, unit, L'.');
            ADD_FAILURE() << "accepted as " << twips;
        } catch (const zv::Error& e) {
            EXPECT_EQ(e.Description(), L"\"" + std::wstring(text) + L"\" is too large a length.");
        }
    }
}

TEST(Units, TwipsToTextHasTwoDecimalsInTheUnitAndTheLocalesSeparator) {
    struct Case {
        double twips;
        int unit;
        wchar_t separator;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1440, kInch, L'.', L"1.00"},  {0, kInch, L'.', L"0.00"},      {567, kCm, L'.', L"1.00"},
        {11906, kInch, L'.', L"8.27"}, {16837, kInch, L'.', L"11.69"}, {15228, kInch, L'.', L"10.58"},
        {9618, kInch, L'.', L"6.68"},  {11906, kCm, L'.', L"21.00"},   {2160, kInch, L',', L"1,50"},
        {-720, kInch, L'.', L"-0.50"}, {7, kInch, L'.', L"0.00"},      {2147483647, kInch, L'.', L"1491308.09"},
        // 7.2 twips is 0.005 inch: shown rounded up, not lost below the half.
        {7.2, kInch, L'.', L"0.01"},
    };
    for (const auto& c : cases) EXPECT_EQ(TwipsToUnitText(c.twips, c.unit, c.separator), c.text) << c.twips;
    EXPECT_EQ(TwipsToUnitText(1440, 0, L'.'), std::nullopt);
    EXPECT_EQ(TwipsToUnitText(1440, 3, L'.'), std::nullopt);
}

TEST(Units, TheDialogsUnitComesFromTheStateAndAnUnknownOneIsToldNotFatal) {
    ResetAppState();
    std::vector<std::wstring> told;
    App().ShowMessage = [&](const std::wstring& prompt) { told.push_back(prompt); };
    App().MeasureUnit = kCm;
    EXPECT_EQ(DlgString2Twips(L"2,54", L','), 1440);
    EXPECT_EQ(Twips2DlgString(567, L','), L"1,00");
    App().MeasureUnit = kInch;
    EXPECT_EQ(DlgString2Twips(L"1.5", L'.'), 2160);
    EXPECT_EQ(Twips2DlgString(1440, L'.'), L"1.00");
    EXPECT_TRUE(told.empty());
    App().MeasureUnit = 0;
    EXPECT_EQ(Twips2DlgString(1440, L'.'), L"");
    EXPECT_EQ(told, std::vector<std::wstring>{L"Internal Error in Twips2DlgString()"});
    ResetAppState();
}

TEST(Units, LeadingNumberReadsTheNumberATextStartsWith) {
    const std::pair<const wchar_t*, std::optional<double>> cases[] = {
        {L"3 pt", 3.0},      {L"2.5pt", 2.5},  {L" 12", 12.0},    {L"1.5 pt", 1.5}, {L"-4 pt", -4.0},
        {L"99999 pt", 99999.0}, {L"abc", std::nullopt}, {L"pt 3", std::nullopt}, {L"", std::nullopt},
        {L".5", 0.5},        {L"1e400", 1.0},
        {L"123456789012345678901234567890 pt", 1e15},  // only needs to be known as huge
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(LeadingNumber(text, L'.'), number) << std::string(text, text + wcslen(text));
    EXPECT_EQ(LeadingNumber(L"2,5 pt", L','), 2.5);
}

}  // namespace
