#include "components/players/Poster.h"

#include <gtest/gtest.h>

namespace players {
namespace {

TEST(PosterTest, EachKindsSettingGivesItsFit) {
    struct Case {
        PosterFit got;
        PosterFit want;
    } cases[] = {
        {FlashFit(3), PosterFit::Natural},      {FlashFit(2), PosterFit::Stretch},
        {FlashFit(0), PosterFit::Stretch},      {FlashFit(-1), PosterFit::Stretch},
        {ShockwaveFit(L"stage"), PosterFit::Natural}, {ShockwaveFit(L"STAGE"), PosterFit::Natural},
        {ShockwaveFit(L"fill"), PosterFit::Stretch},  {ShockwaveFit(L""), PosterFit::Stretch},
        {ShockwaveFit(L"stages"), PosterFit::Stretch}, {ShockwaveFit(L"stag"), PosterFit::Stretch},
        {MediaFit(0), PosterFit::Natural},      {MediaFit(4), PosterFit::Stretch},
        {MediaFit(1), PosterFit::Natural},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

TEST(PosterTest, MovieRectCentresTheNaturalSizeAndStretchesOtherwise) {
    struct Case {
        int width, height;
        std::optional<StagePixels> movie;
        PosterFit fit;
        BoxRect want;
    } cases[] = {
        {467, 336, StagePixels{320, 240}, PosterFit::Natural, {73, 48, 393, 288}},
        {467, 336, StagePixels{320, 240}, PosterFit::Stretch, {0, 0, 467, 336}},
        {467, 336, std::nullopt, PosterFit::Natural, {0, 0, 467, 336}},
        // Larger than its box: overhangs on both sides alike.
        {100, 50, StagePixels{300, 150}, PosterFit::Natural, {-100, -50, 200, 100}},
        {0, 0, StagePixels{2, 2}, PosterFit::Natural, {-1, -1, 1, 1}},
        // Odd leftovers go to the right and bottom.
        {11, 11, StagePixels{4, 4}, PosterFit::Natural, {3, 3, 7, 7}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MovieRect(c.width, c.height, c.movie, c.fit), c.want)
            << c.width << "x" << c.height << (c.fit == PosterFit::Natural ? " natural" : " stretch");
    }
}

TEST(PosterTest, LinesNameTheFileAndItsSizeOrItsProblem) {
    using Lines = std::vector<std::wstring>;
    EXPECT_EQ(PosterLines(L"C:\\m\\Movies\\intro.swf", StagePixels{320, 240}, L""),
              (Lines{L"intro.swf", L"320 x 240 pixels"}));
    EXPECT_EQ(PosterLines(L"C:/m/clip.wmv", std::nullopt, L""), (Lines{L"clip.wmv"}));
    EXPECT_EQ(PosterLines(L"gone.dcr", std::nullopt, L"The movie file cannot be found."),
              (Lines{L"gone.dcr", L"The movie file cannot be found."}));
    // A problem wins over a size left from an earlier movie.
    EXPECT_EQ(PosterLines(L"x\\bad.swf", StagePixels{1, 1}, L"damaged"), (Lines{L"bad.swf", L"damaged"}));
    EXPECT_EQ(PosterLines(L"", std::nullopt, L""), (Lines{L"No movie"}));
    EXPECT_EQ(FileTitleOf(L"dir\\"), L"");
}

TEST(PosterTest, SizeCommandArgumentsAreWidthXHeight) {
    EXPECT_EQ(SizeCommandArguments({320, 240}), L"320x240");
    EXPECT_EQ(SizeCommandArguments({1, 4096}), L"1x4096");
}

}  // namespace
}  // namespace players
