#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/Units.h"
#include "app/dialogs/ImageRules.h"
#include "base/Error.h"

namespace {

TEST(ImageRules, AFormatListIsCutAtEachBar) {
    EXPECT_EQ(SplitFormats(L"PNG|JPEG|BMP"), (std::vector<std::wstring>{L"PNG", L"JPEG", L"BMP"}));
    EXPECT_EQ(SplitFormats(L"PNG"), (std::vector<std::wstring>{L"PNG"}));
    EXPECT_EQ(SplitFormats(L""), (std::vector<std::wstring>{}));
    EXPECT_EQ(SplitFormats(L"A||B|"), (std::vector<std::wstring>{L"A", L"", L"B", L""}));
}

std::array<ShownValue, 4> Shown(std::array<std::int32_t, 4> twips) {
    std::array<ShownValue, 4> shown;
    for (size_t i = 0; i < 4; ++i) shown[i] = {*TwipsToUnitText(twips[i], 1, L'.'), twips[i]};
    return shown;
}

TEST(ImageRules, UntouchedDistancesComeBackExactly) {
    // 100 twips show as "0.07" inch, which reads back as 101.
    const auto shown = Shown({100, 0, 32767, 7});
    int failed = 9;
    const auto twips = ReadImageDistances({shown[0].text, shown[1].text, shown[2].text, shown[3].text}, shown, 1, L'.', failed);
    EXPECT_EQ(twips, (std::array<std::int32_t, 4>{100, 0, 32767, 7}));
    EXPECT_EQ(failed, -1);
}

TEST(ImageRules, ADistanceThatIsNoLengthOrOutOfRangeIsRefusedNamingItsBox) {
    const auto shown = Shown({0, 0, 0, 0});
    const struct {
        std::array<std::wstring, 4> texts;
        int failed;
        const wchar_t* name;
    } cases[] = {
        {{L"abc", L"0.00", L"0.00", L"0.00"}, 0, L"Left"},
        {{L"0.00", L"-0.01", L"0.00", L"0.00"}, 1, L"Top"},
        {{L"0.00", L"0.00", L"22.76", L"0.00"}, 2, L"Right"},   // 32774 twips
        {{L"0.00", L"0.00", L"0.00", L"1,5"}, 3, L"Bottom"},
        {{L"0.00", L"x", L"y", L"0.00"}, 1, L"Top"},            // the first that fails is named
    };
    for (const auto& c : cases) {
        int failed = -1;
        try {
            ReadImageDistances(c.texts, shown, 1, L'.', failed);
            ADD_FAILURE() << "accepted " << c.failed;
        } catch (const zv::Error& e) {
            EXPECT_EQ(failed, c.failed);
            EXPECT_NE(e.Description().find(c.name), std::wstring::npos);
        }
    }
    int failed = -1;
    EXPECT_EQ(ReadImageDistances({L"22.75", L"", L"1", L"2.54"}, shown, 1, L'.', failed),
              (std::array<std::int32_t, 4>{32760, 0, 1440, 3658}));
}

}  // namespace
