#include "app/core/MoviePlaceholder.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(MoviePlaceholderTest, StoredNamesGiveTitleFlagAndKind) {
    struct Case {
        const wchar_t* name;
        const wchar_t* title;
        const wchar_t* flag;
        MovieKind kind;
        bool natural;
    } cases[] = {
        {L"clip.swf,0", L"clip.swf", L"0", MovieKind::Flash, false},
        {L"clip.swf,1", L"clip.swf", L"1", MovieKind::Flash, true},
        {L"clip.swf,", L"clip.swf", L"", MovieKind::Flash, true},
        {L"intro.DCR", L"intro.DCR", L"0", MovieKind::Shockwave, false},
        {L"a.wmv,yes", L"a.wmv", L"yes", MovieKind::Video, true},
        // Only the first comma splits: the rest is the flag, which is "not 0".
        {L"a.swf,0,1", L"a.swf", L"0,1", MovieKind::Flash, true},
        {L"notes.txt,1", L"notes.txt", L"1", MovieKind::None, true},
        // The extension may sit anywhere in the name, as it always has.
        {L"my.swf.backup", L"my.swf.backup", L"0", MovieKind::Flash, false},
        {L"x.dcr.wmv", L"x.dcr.wmv", L"0", MovieKind::Shockwave, false},
        {L"", L"", L"0", MovieKind::None, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const PlaceholderName parsed = ParsePlaceholderName(c.name);
        EXPECT_EQ(parsed.title, c.title);
        EXPECT_EQ(parsed.flag, c.flag);
        EXPECT_EQ(KindOfPlaceholder(c.name), c.kind);
        EXPECT_EQ(FlagKeepsNaturalSize(parsed.flag), c.natural);
    }
    EXPECT_EQ(MakePlaceholderName(L"clip.swf", L"1"), L"clip.swf,1");
    const PlaceholderName round = ParsePlaceholderName(MakePlaceholderName(L"clip.swf", L"0"));
    EXPECT_EQ(round.title, L"clip.swf");
    EXPECT_EQ(round.flag, L"0");
}

TEST(MoviePlaceholderTest, OnlyPlainTitlesNameAStoredFile) {
    for (const wchar_t* good : {L"clip.swf", L"My Movie (2).wmv", L"a", L"..clip.swf", L"x,y.swf"})
        EXPECT_TRUE(IsPlainMovieTitle(good)) << testing::PrintToString(std::wstring(good));
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\page.zvk", L"../x.swf", L"sub\\clip.swf", L"C:clip.swf",
                               L"C:\\Windows\\x.swf", L"\\\\server\\share\\x.swf", L"clip.swf.", L"clip.swf ",
                               L"a*.swf", L"a?.swf", L"a|b.swf", L"a\tb.swf"})
        EXPECT_FALSE(IsPlainMovieTitle(bad)) << testing::PrintToString(std::wstring(bad));
}

TEST(MoviePlaceholderTest, ARestoredNameWithoutAPlainTitleGetsNoPlayer) {
    struct Case {
        const wchar_t* name;
        MovieKind kind;
    } cases[] = {
        {L"clip.swf,1", MovieKind::Flash},
        {L"intro.DCR", MovieKind::Shockwave},
        {L"..\\..\\boot.swf,1", MovieKind::None},
        {L"C:clip.wmv,0", MovieKind::None},
        {L"sub/clip.dcr", MovieKind::None},
        {L",1", MovieKind::None},
    };
    for (const Case& c : cases) {
        const StoredMovie m = ReadStoredMovie(c.name);
        EXPECT_EQ(m.kind, c.kind) << testing::PrintToString(std::wstring(c.name));
        EXPECT_EQ(m.title, ParsePlaceholderName(c.name).title);
    }
}

TEST(MoviePlaceholderTest, SizeCommandsOutsideTheirFormAreIgnored) {
    struct Case {
        const wchar_t* command;
        const wchar_t* args;
        std::optional<PixelSize> want;
    } cases[] = {
        {L"size", L"320x240", PixelSize{320, 240}},
        {L"size", L"320X240", PixelSize{320, 240}},
        {L"size", L" 1x4096 ", PixelSize{1, 4096}},
        {L"size", L"4096x1", PixelSize{4096, 1}},
        {L"Size", L"320x240", std::nullopt},
        {L"resize", L"320x240", std::nullopt},
        {L"size", L"320*240", std::nullopt},
        {L"size", L"320", std::nullopt},
        {L"size", L"", std::nullopt},
        {L"size", L"0x240", std::nullopt},
        {L"size", L"320x0", std::nullopt},
        {L"size", L"4097x240", std::nullopt},
        {L"size", L"-320x240", std::nullopt},
        {L"size", L"+320x240", std::nullopt},
        {L"size", L"320.5x240", std::nullopt},
        {L"size", L"320x240x10", std::nullopt},
        {L"size", L"99999999999x1", std::nullopt},
        {L"size", L"x", std::nullopt},
        {L"size", L"1e3x2", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSizeCommand(c.command, c.args), c.want)
            << testing::PrintToString(std::wstring(c.command) + L" " + c.args);
    }
}

TEST(MoviePlaceholderTest, TypedBoxSizesAreWholePixelsInRange) {
    EXPECT_EQ(ParseMoviePixels(L"400"), 400);
    EXPECT_EQ(ParseMoviePixels(L"  300 "), 300);
    EXPECT_EQ(ParseMoviePixels(L"0400"), 400);
    for (const wchar_t* bad : {L"", L" ", L"0", L"4097", L"10000", L"12a", L"1,5", L"1.5", L"-1", L"abc", L"3 00"})
        EXPECT_EQ(ParseMoviePixels(bad), std::nullopt) << testing::PrintToString(std::wstring(bad));
}

TEST(MoviePlaceholderTest, ADeletionRemovesOnlyCopiesNoPageNamesAnyMore) {
    using Titles = std::vector<std::wstring>;
    // Another page still plays it (the stored name carries its flag; case differs).
    EXPECT_EQ(MovieFilesToDelete({L"intro.swf"}, {L"INTRO.swf,1"}), Titles{});
    EXPECT_EQ(MovieFilesToDelete({L"intro.swf"}, {L"other.wmv,0"}), Titles{L"intro.swf"});
    // Names that could reach outside the Movies folder are never deleted.
    EXPECT_EQ(MovieFilesToDelete({L"..\\000001.zvk", L"C:\\x.swf", L""}, {}), Titles{});
    // The same movie deleted on two pages: one deletion.
    EXPECT_EQ(MovieFilesToDelete({L"a.swf", L"A.swf"}, {}), Titles{L"a.swf"});
    // Nothing deleted: nothing to remove, whatever the module holds.
    EXPECT_EQ(MovieFilesToDelete({}, {L"a.swf,1"}), Titles{});
}

}  // namespace
}  // namespace zv
