#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>

#include "app/dialogs/FrameRules.h"
#include "base/Error.h"

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

struct WordCase {
    FrameChecks checks;
    std::uint16_t word;
};

TEST(FrameRules, EveryLineIsSwitchedOnOrOffInTheStyleWord) {
    FrameChecks leftTopDouble;
    leftTopDouble.left = leftTopDouble.top = leftTopDouble.doubleLines = true;
    FrameChecks everything{true, true, true, true, true, true, true};
    FrameChecks boxConnected{true, true, true, true, false, false, true};
    const WordCase cases[] = {
        {leftTopDouble, 0x1A45},
        {FrameChecks{}, 0x1F20},
        {everything, 0x00DF},
        {boxConnected, 0x10AF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FrameStyleWord(c.checks), c.word);
        // The boxes a stored style checks make the same word again.
        EXPECT_EQ(FrameStyleWord(FrameChecksOf(c.word)), c.word);
    }
    // Only the low byte checks a box: lines switched off stay unchecked.
    const FrameChecks fromOff = FrameChecksOf(0x1F20);
    EXPECT_FALSE(fromOff.left || fromOff.right || fromOff.top || fromOff.bottom || fromOff.tabLines ||
                 fromOff.doubleLines || fromOff.connected);
}

TEST(FrameRules, ListsShowPointsWithTheirFraction) {
    const struct {
        int twips;
        wchar_t separator;
        const wchar_t* text;
    } cases[] = {
        {0, L'.', L"0 pt"}, {20, L'.', L"1 pt"}, {30, L'.', L"1.5 pt"}, {25, L'.', L"1.25 pt"},
        {1, L'.', L"0.05 pt"}, {240, L'.', L"12 pt"}, {30, L',', L"1,5 pt"}, {1000, L'.', L"50 pt"},
    };
    for (const auto& c : cases) EXPECT_EQ(PointsText(c.twips, c.separator), c.text) << c.twips;
}

struct EntryCase {
    const wchar_t* text;
    int minPoints;
    std::optional<int> twips;
};

TEST(FrameRules, ATypedEntryIsItsLeadingNumberHeldToTheListsRange) {
    const EntryCase cases[] = {
        {L"3 pt", kMinFrameWidthPoints, 60},
        {L"3pt", kMinFrameWidthPoints, 60},
        {L" 12", kMinFrameWidthPoints, 240},
        {L"2.5pt", kMinFrameWidthPoints, 40},   // whole points, halves to the even one
        {L"3.5 pt", kMinFrameWidthPoints, 80},
        {L"0 pt", kMinFrameWidthPoints, 20},
        {L"0 pt", kMinFrameDistancePoints, 0},
        {L"0.4 pt", kMinFrameWidthPoints, 20},
        {L"-5 pt", kMinFrameDistancePoints, 0},
        {L"15 pt", kMinFrameWidthPoints, 240},
        {L"99999 pt", kMinFrameWidthPoints, 240},
        {L"99999999999999999999999 pt", kMinFrameDistancePoints, 240},
        {L"", kMinFrameWidthPoints, std::nullopt},
        {L"   ", kMinFrameDistancePoints, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FramePointsTwips(c.text, c.minPoints, L'.', L"Line Width"), c.twips)
            << Narrow(c.text) << " from " << c.minPoints;
    }
}

TEST(FrameRules, AnEntryThatIsNoNumberIsRefusedNamingItsBox) {
    for (const wchar_t* text : {L"abc", L"pt", L"pt 3", L"."}) {
        try {
            FramePointsTwips(text, kMinFrameDistancePoints, L'.', L"Text Distance");
            ADD_FAILURE() << Narrow(text) << " was taken";
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(L"Text Distance"), std::wstring::npos) << Narrow(e.Description());
        }
    }
}

}  // namespace
