#include <gtest/gtest.h>

#include <optional>
#include <cstring>
#include <cwchar>
#include <string>

#include "app/core/Units.h"
#include "app/dialogs/PageSetupRules.h"
#include "app/dialogs/ShownValue.h"

namespace {

constexpr int kInch = 1, kCm = 2;
using Twips = std::optional<std::int32_t>;
constexpr Twips kNoLength = std::nullopt;

struct ValidateCase {
    const char* what;
    PageEntries entries;
    bool valid;
};

TEST(PageSetupRules, OkIsAllowedOnlyForSizesAndMarginsInRange) {
    const PageEntries page{1440, 1440, 1440, 1440, 15228, 9618};
    auto with = [&](auto member, Twips value) {
        PageEntries e = page;
        e.*member = value;
        return e;
    };
    const ValidateCase cases[] = {
        {"the editor's page", page, true},
        {"width 16383", with(&PageEntries::width, 16383), true},
        {"width 16384: twice it leaves 16 bits", with(&PageEntries::width, 16384), false},
        {"width 40000", with(&PageEntries::width, 40000), false},
        {"width 0", with(&PageEntries::width, 0), false},
        {"height 32767", with(&PageEntries::height, 32767), true},
        {"height 32768", with(&PageEntries::height, 32768), false},
        {"left margin equal to the width", with(&PageEntries::left, 15228), true},
        {"right margin past the width", with(&PageEntries::right, 15229), false},
        {"top margin equal to the height", with(&PageEntries::top, 9618), true},
        {"bottom margin past the height", with(&PageEntries::bottom, 9619), false},
        {"left margin 0", with(&PageEntries::left, 0), false},
        {"bottom margin 0", with(&PageEntries::bottom, 0), false},
        {"negative top margin", with(&PageEntries::top, -1440), false},
        {"margin of 1 twip", with(&PageEntries::right, 1), true},
        {"a margin that is no length", with(&PageEntries::left, kNoLength), false},
        {"a width that is no length", with(&PageEntries::width, kNoLength), false},
        {"a height that is no length", with(&PageEntries::height, kNoLength), false},
    };
    for (const auto& c : cases) EXPECT_EQ(ValidatePageEntries(c.entries), c.valid) << c.what;
}

struct MatchCase {
    Twips width, height;
    int index;
};

TEST(PageSetupRules, ATypedSizeWithinNineTwipsOfAPresetIsThePreset) {
    const MatchCase cases[] = {
        {15228, 9618, 3},                 // the editor's page is "Letter"
        {11906, 16837, 0},
        {8418, 11906, 1},
        {9978, 14174, 2},
        {12240, 20160, 4},
        {11906 + 9, 16837 - 9, 0},
        {11906 - 9, 16837 + 9, 0},
        {11906 + 10, 16837, 5},
        {11906, 16837 - 10, 5},
        {12240, 15840, 5},                // the usual letter page is not a preset here
        {40000, 9618, 5},
        {15228, 40000, 5},
        {15228 + 65536, 9618, 5},         // as a 16-bit value this would be "Letter"
        {15228, 9618 - 65536, 5},
        {32768, 32768, 5},
        {kNoLength, 9618, 5},
        {15228, kNoLength, 5},
        {0, 0, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchPaperSize(c.width, c.height), c.index)
            << (c.width ? *c.width : -1) << " x " << (c.height ? *c.height : -1);
    }
}

TEST(PageSetupRules, PresetsAreFoundByTheirListText) {
    for (size_t i = 0; i < kPaperPresets.size(); ++i) EXPECT_EQ(PresetIndex(kPaperPresets[i].name), static_cast<int>(i));
    EXPECT_EQ(PresetIndex(kUserDefinedName), -1);
    EXPECT_EQ(PresetIndex(L"a4"), -1);
}

// Two decimals of an inch or a centimetre are coarser than a twip: the text a box shows does not
// read back to its value, yet an OK must not move a length nobody touched.
TEST(PageSetupRules, AnUntouchedBoxGivesBackItsExactLength) {
    for (int unit : {kInch, kCm}) {
        for (const PaperPreset& p : kPaperPresets) {
            for (std::int32_t twips : {p.width, p.height}) {
                const ShownValue shown{*TwipsToUnitText(twips, unit, L'.'), twips};
                EXPECT_EQ(LengthOfEntry(shown.text, shown, unit, L'.'), twips) << twips << " in unit " << unit;
            }
        }
    }
    // The same texts typed anew are read as typed: A4 through "8.27" x "11.69" inch.
    const ShownValue other{L"1.00", 1440};
    EXPECT_EQ(LengthOfEntry(L"8.27", other, kInch, L'.'), 11909);
    EXPECT_EQ(LengthOfEntry(L"11.69", other, kInch, L'.'), 16834);
}

struct EntryCase {
    const wchar_t* text;
    int unit;
    wchar_t separator;
    Twips twips;
};

TEST(PageSetupRules, ATypedBoxIsReadInTheUnitAndAnythingElseIsNoLength) {
    const ShownValue shown{L"1.00", 1440};
    const EntryCase cases[] = {
        {L"1", kInch, L'.', 1440},
        {L"2.54", kCm, L'.', 1440},
        {L"2,54", kCm, L',', 1440},
        {L"29.7", kCm, L'.', 16840},
        {L"", kInch, L'.', 0},  // an emptied box is a length of 0, which no size or margin allows
        {L"abc", kInch, L'.', kNoLength},
        {L"1,5", kInch, L'.', kNoLength},
        {L"8.27in", kInch, L'.', kNoLength},
        {L"99999999999", kInch, L'.', kNoLength},
    };
    for (const auto& c : cases) {
        const Twips got = LengthOfEntry(c.text, shown, c.unit, c.separator);
        EXPECT_EQ(got, c.twips) << std::string(c.text, c.text + std::wcslen(c.text));
    }
}

}  // namespace
