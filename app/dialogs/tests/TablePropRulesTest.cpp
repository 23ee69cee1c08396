#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/dialogs/TablePropRules.h"

namespace {

TEST(TablePropRules, TheWidthListsCountOneToTenPixels) {
    const auto entries = PixelListEntries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0], L"1 pixel");
    EXPECT_EQ(entries[1], L"2 pixels");
    EXPECT_EQ(entries[9], L"10 pixels");
}

TEST(TablePropRules, AWidthSelectsTheNearestEntryOfTheList) {
    struct Case {
        long twips;
        int twipsPerPixel, index;
    } cases[] = {
        {15, 15, 0},     {45, 15, 2},      {150, 15, 9},    {30, 12, 1},   // 2.5 pixels: halves to even
        {0, 15, 0},      {-45, 15, 0},     {7, 15, 0},      // no border still selects "1 pixel"
        {300, 15, 9},    {32767, 15, 9},   {2147483647L, 15, 9},
        {23, 15, 1},     {22, 15, 0},      {45, 0, 2},      // no twips per pixel known: the screen's usual 15
    };
    for (const Case& c : cases)
        EXPECT_EQ(PixelListIndex(c.twips, c.twipsPerPixel), c.index) << c.twips << " twips at " << c.twipsPerPixel;
}

TEST(TablePropRules, AnEntryIsSentAsWholePixelsInTwips) {
    EXPECT_EQ(PixelListTwips(2, 15), 45);  // 3 pixels at 15 twips per pixel
    EXPECT_EQ(PixelListTwips(0, 15), 15);
    EXPECT_EQ(PixelListTwips(9, 12), 120);
    EXPECT_EQ(PixelListTwips(-1, 15), 15) << "no selection sends the thinnest, never 0";
    EXPECT_EQ(PixelListTwips(12, 15), 150);
}

TEST(TablePropRules, ColoursAreFoundByTheirFirstEqualEntry) {
    const std::vector<std::uint32_t> values{0xFFFFFF, 0xFF, 0x123456, 0xFF};
    EXPECT_EQ(FindColor(values, 0xFF), 1);
    EXPECT_EQ(FindColor(values, 0x123456), 2);
    EXPECT_EQ(FindColor(values, 0xFE), -1);
    EXPECT_EQ(FindColor({}, 0), -1);
}

TEST(TablePropRules, ABackgroundOpensAsNoneANamedColourOrOther) {
    ASSERT_EQ(kTableColors.size(), 16u);
    const BackgroundChoice gray = ChooseBackground(0xC0C0C0);
    EXPECT_FALSE(gray.none);
    EXPECT_EQ(gray.listIndex, 1);
    EXPECT_FALSE(gray.addOther);
    EXPECT_EQ(ChooseBackground(0x0).listIndex, 4) << "black is a colour, not the no-colour mark";
    EXPECT_EQ(ChooseBackground(0x80).listIndex, 15);
    const BackgroundChoice other = ChooseBackground(0x123456);
    EXPECT_TRUE(other.addOther);
    EXPECT_EQ(other.listIndex, 16);
    const BackgroundChoice none = ChooseBackground(kNoBackground);
    EXPECT_TRUE(none.none);
    EXPECT_FALSE(none.addOther) << "no Other entry may hold the no-colour mark";
    EXPECT_EQ(none.listIndex, -1);
}

}  // namespace
