// What the dialogs' boxes show and take: lengths in either unit, the refusals that name their box,
// and boxes left as they were shown changing nothing.
#include <gtest/gtest.h>

#include "components/textcontrol/dialogs/FontEntries.h"
#include "components/textcontrol/dialogs/ListEntries.h"
#include "components/textcontrol/dialogs/ParagraphEntries.h"
#include "components/textcontrol/dialogs/StyleEntries.h"
#include "components/textcontrol/dialogs/TabEntries.h"

namespace tx::dialogs {
namespace {

TEST(DialogLengths, ShowTwoDecimalsInTheHostsUnit) {
    struct Case {
        int twips, unit;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1440, kUnitInch, L"1.00"},  {0, kUnitInch, L"0.00"},          {-720, kUnitInch, L"-0.50"},
        {1000, kUnitInch, L"0.69"},  {7, kUnitInch, L"0.00"},          {-7, kUnitInch, L"0.00"},
        {567, kUnitCentimetre, L"1.00"}, {1440, kUnitCentimetre, L"2.54"}, {31680, kUnitInch, L"22.00"},
        {1440, 7, L"1.00"},  // an unknown unit counts as inches
    };
    for (const auto& c : cases) EXPECT_EQ(LengthText(c.twips, c.unit), c.text) << c.twips << " in unit " << c.unit;
}

TEST(DialogLengths, ReadPlainNumbersAndATrailingUnit) {
    struct Case {
        const wchar_t* text;
        int unit;
        std::optional<int> twips;
    };
    const Case cases[] = {
        {L"1", kUnitInch, 1440},        {L" 0.5 ", kUnitInch, 720},     {L"-1.25", kUnitInch, -1800},
        {L"+2", kUnitInch, 2880},       {L".5", kUnitInch, 720},        {L"1.", kUnitInch, 1440},
        {L"1", kUnitCentimetre, 567},   {L"2.54", kUnitCentimetre, 1440},
        {L"2 cm", kUnitInch, 1134},     {L"1in", kUnitCentimetre, 1440}, {L"1\"", kUnitCentimetre, 1440},
        {L"10 mm", kUnitInch, 567},     {L"12pt", kUnitInch, 240},
        {L"", kUnitInch, std::nullopt}, {L"abc", kUnitInch, std::nullopt}, {L"1,5", kUnitInch, std::nullopt},
        {L"1.2.3", kUnitInch, std::nullopt}, {L"1e3", kUnitInch, std::nullopt}, {L"-", kUnitInch, std::nullopt},
        {L".", kUnitInch, std::nullopt}, {L"cm", kUnitInch, std::nullopt}, {L"99999999999", kUnitInch, std::nullopt},
        {L"nan", kUnitInch, std::nullopt}, {L"1 2", kUnitInch, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLength(c.text, c.unit), c.twips) << testing::PrintToString(std::wstring(c.text));
}

// ---------------------------------------------------------------- font

TEST(FontEntries, AMixedSelectionShowsBlankAndGrayAndLeavesThemAlone) {
    CharValues mixed;
    mixed.bold = true;  // every other value differs across the selection
    const FontBoxes shown = ShowFont(mixed);
    EXPECT_EQ(shown.font, L"");
    EXPECT_EQ(shown.size, L"");
    EXPECT_EQ(shown.bold, kChecked);
    EXPECT_EQ(shown.italic, kGrayed);
    EXPECT_FALSE(shown.color.has_value());

    // OK without touching anything changes nothing.
    auto r = ReadFont(shown, shown, {L"Arial"});
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.value, CharValues{});

    // Only what the author touched is applied.
    FontBoxes entered = shown;
    entered.italic = kChecked;
    entered.size = L"10.5";
    r = ReadFont(entered, shown, {L"Arial"});
    ASSERT_TRUE(r.Ok());
    CharValues expected;
    expected.italic = true;
    expected.size = 210;
    EXPECT_EQ(r.value, expected);
}

TEST(FontEntries, RefusalsNameTheirBox) {
    CharValues v;
    v.face = L"Arial";
    v.size = 240;
    v.bold = v.italic = v.underline = v.strike = false;
    v.color = kBlack;
    const FontBoxes shown = ShowFont(v);
    EXPECT_EQ(shown.size, L"12");
    const std::vector<std::wstring> faces = {L"Arial", L"Courier New"};
    struct Case {
        const wchar_t* font;
        const wchar_t* size;
        const wchar_t* box;  // nullptr = accepted
    };
    const Case cases[] = {
        {L"", L"12", L"Font"},          {L"Wingbats Pro", L"12", nullptr}, {L"courier new", L"12", nullptr},
        {L"Arial", L"", L"Size"},       {L"Arial", L"0", L"Size"},         {L"Arial", L"0.5", L"Size"},
        {L"Arial", L"1639", L"Size"},   {L"Arial", L"big", L"Size"},       {L"Arial", L"1638", nullptr},
        {L"Arial", L" 12 ", nullptr},
    };
    for (const auto& c : cases) {
        FontBoxes entered = shown;
        entered.font = c.font;
        entered.size = c.size;
        const auto r = ReadFont(entered, shown, faces);
        if (!c.box) {
            EXPECT_TRUE(r.Ok()) << testing::PrintToString(std::wstring(c.font));
            continue;
        }
        ASSERT_FALSE(r.Ok()) << testing::PrintToString(std::wstring(c.font) + L"/" + c.size);
        EXPECT_EQ(r.error->box, c.box);
        EXPECT_NE(r.error->message.find(std::wstring(L"\"") + c.box + L"\""), std::wstring::npos) << testing::PrintToString(r.error->message);
    }
    // A face typed in another case takes the installed font's own spelling; another is kept as typed.
    FontBoxes entered = shown;
    entered.font = L"courier new";
    EXPECT_EQ(ReadFont(entered, shown, faces).value.face, L"Courier New");
    entered.font = L" Wingbats Pro ";
    EXPECT_EQ(ReadFont(entered, shown, faces).value.face, L"Wingbats Pro");
}

TEST(FontEntries, AColourOutsideTheListIsOfferedAsCustom) {
    EXPECT_EQ(ColorChoices(0x0000FF).size(), StandardColors().size());
    const auto choices = ColorChoices(0x123456);
    ASSERT_EQ(choices.size(), StandardColors().size() + 1);
    EXPECT_EQ(choices.back().name, L"Custom");
    EXPECT_EQ(choices.back().color, 0x123456u);
    EXPECT_EQ(ColorChoices(std::nullopt).size(), StandardColors().size());
}

// ---------------------------------------------------------------- paragraph

TEST(ParagraphEntries, UnchangedBoxesKeepValuesTheyCannotShowExactly) {
    ParaValues v;
    v.align = Align::Center;
    v.leftIndent = 1000;  // shows as 0.69 in
    v.rightIndent = 0;
    v.firstIndent = -360;
    v.spaceBefore = 0;
    v.spaceAfter = 120;
    v.lineSpacing = 150;
    const ParagraphBoxes shown = ShowParagraph(v, kUnitInch);
    EXPECT_EQ(shown.alignment, 2);
    EXPECT_EQ(shown.leftIndent, L"0.69");
    EXPECT_EQ(shown.firstLine, L"-0.25");
    EXPECT_EQ(shown.lineSpacing, L"150");
    auto r = ReadParagraph(shown, shown, kUnitInch);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.value, ParaValues{});

    ParagraphBoxes entered = shown;
    entered.rightIndent = L"1.5";
    entered.alignment = 3;
    entered.lineSpacing = L"200%";
    r = ReadParagraph(entered, shown, kUnitInch);
    ASSERT_TRUE(r.Ok());
    ParaValues expected;
    expected.align = Align::Justify;
    expected.rightIndent = 2160;
    expected.lineSpacing = 200;
    EXPECT_EQ(r.value, expected);

    // Centimetres as the host's unit.
    EXPECT_EQ(ShowParagraph(v, kUnitCentimetre).spaceAfter, L"0.21");
    entered = ShowParagraph(v, kUnitCentimetre);
    const ParagraphBoxes shownCm = entered;
    entered.spaceBefore = L"1";
    EXPECT_EQ(ReadParagraph(entered, shownCm, kUnitCentimetre).value.spaceBefore, 567);
}

TEST(ParagraphEntries, RefusalsNameTheirBoxAndTheRangeInTheUnit) {
    const ParagraphBoxes shown = ShowParagraph(ParaValues{}, kUnitInch);  // all mixed: blank
    struct Case {
        std::wstring ParagraphBoxes::*box;
        const wchar_t* text;
        const wchar_t* caption;  // nullptr = accepted
    };
    const Case cases[] = {
        {&ParagraphBoxes::leftIndent, L"x", L"Left indent"},   {&ParagraphBoxes::leftIndent, L"-1", nullptr},
        {&ParagraphBoxes::leftIndent, L"23", L"Left indent"},  {&ParagraphBoxes::rightIndent, L"22", nullptr},
        {&ParagraphBoxes::firstLine, L"-23", L"First line"},   {&ParagraphBoxes::spaceBefore, L"-0.1", L"Space before"},
        {&ParagraphBoxes::spaceAfter, L"1 cm", nullptr},       {&ParagraphBoxes::lineSpacing, L"5", L"Line spacing"},
        {&ParagraphBoxes::lineSpacing, L"1001", L"Line spacing"}, {&ParagraphBoxes::lineSpacing, L"10", nullptr},
    };
    for (const auto& c : cases) {
        ParagraphBoxes entered = shown;
        entered.*c.box = c.text;
        const auto r = ReadParagraph(entered, shown, kUnitInch);
        if (!c.caption) {
            EXPECT_TRUE(r.Ok()) << testing::PrintToString(std::wstring(c.text));
            continue;
        }
        ASSERT_FALSE(r.Ok()) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(r.error->box, c.caption);
    }
    ParagraphBoxes entered = shown;
    entered.leftIndent = L"30";
    EXPECT_EQ(ReadParagraph(entered, shown, kUnitInch).error.value().message,
              L"The \"Left indent\" box needs a length from -22.00 to 22.00 in.");
    EXPECT_TRUE(ReadParagraph(entered, shown, kUnitCentimetre).Ok());  // 30 cm is within 22 inches
    entered.leftIndent = L"60";
    const auto cm = ReadParagraph(entered, shown, kUnitCentimetre);
    ASSERT_FALSE(cm.Ok());
    EXPECT_EQ(cm.error->message, L"The \"Left indent\" box needs a length from -55.87 to 55.87 cm.");
    // A box that showed a value may not be emptied.
    ParaValues v;
    v.spaceAfter = 0;
    const ParagraphBoxes one = ShowParagraph(v, kUnitInch);
    entered = one;
    entered.spaceAfter = L"";
    EXPECT_EQ(ReadParagraph(entered, one, kUnitInch).error.value().box, L"Space after");
}

// ---------------------------------------------------------------- bullets and numbering

TEST(ListEntries, LevelsCountFromOneInTheBoxAndFromZeroInTheModel) {
    ParaValues v;
    v.listKind = ListKind::Numbered;
    v.numberStyle = NumberStyle::UpperRoman;
    v.listLevel = 0;
    v.listIndentStep = 360;
    const ListBoxes shown = ShowList(v, kUnitInch);
    EXPECT_EQ(shown.kind, kListNumbers);
    EXPECT_EQ(shown.style, 3);
    EXPECT_EQ(shown.level, L"1");
    EXPECT_EQ(shown.step, L"0.25");

    struct Case {
        const wchar_t* level;
        std::optional<int> model;  // nullopt = refused
    };
    const Case cases[] = {{L"9", 8}, {L"1", std::nullopt /* unchanged: left alone */}, {L"2", 1},
                          {L"0", std::nullopt}, {L"10", std::nullopt}, {L"2.5", std::nullopt}, {L"", std::nullopt}};
    for (const auto& c : cases) {
        ListBoxes entered = shown;
        entered.level = c.level;
        const auto r = ReadList(entered, shown, kUnitInch);
        if (c.model) {
            ASSERT_TRUE(r.Ok()) << testing::PrintToString(std::wstring(c.level));
            EXPECT_EQ(r.value.listLevel, c.model);
        } else if (std::wstring(c.level) == L"1") {
            EXPECT_TRUE(r.Ok());
            EXPECT_FALSE(r.value.listLevel.has_value());
        } else {
            ASSERT_FALSE(r.Ok()) << testing::PrintToString(std::wstring(c.level));
            EXPECT_EQ(r.error->box, L"Level");
        }
    }
    ListBoxes entered = shown;
    entered.kind = kListBullets;
    entered.step = L"3";
    EXPECT_EQ(ReadList(entered, shown, kUnitInch).error.value().box, L"Indent per level");
    entered.step = L"0.5";
    const auto r = ReadList(entered, shown, kUnitInch);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.value.listKind, ListKind::Bullet);
    EXPECT_EQ(r.value.listIndentStep, 720);
    EXPECT_FALSE(r.value.numberStyle.has_value());
}

// ---------------------------------------------------------------- tabs

TEST(TabEntries, StopsStayInOrderAndASecondSetChangesTheKind) {
    ParaValues v;
    v.tabs = std::vector<TabStop>{{1440, TabKind::Left}};
    TabStopList list(v);
    EXPECT_FALSE(list.Mixed());
    std::vector<TabStop> paragraph = {{100, TabKind::Left}};
    list.ApplyTo(paragraph);
    EXPECT_EQ(paragraph, (std::vector<TabStop>{{100, TabKind::Left}}));  // nothing edited: nothing applied
    EXPECT_FALSE(list.Set(L"0.5", TabKind::Right, kUnitInch));
    EXPECT_FALSE(list.Set(L"1", TabKind::Decimal, kUnitInch));
    ASSERT_EQ(list.Stops().size(), 2u);
    EXPECT_EQ(list.Stops()[0], (TabStop{720, TabKind::Right}));
    EXPECT_EQ(list.Stops()[1], (TabStop{1440, TabKind::Decimal}));
    EXPECT_EQ(TabStopList::Describe(list.Stops()[1], kUnitCentimetre), L"2.54 cm   Decimal");
    for (const wchar_t* bad : {L"0", L"-1", L"x", L"", L"23"}) {
        const auto e = list.Set(bad, TabKind::Left, kUnitInch);
        ASSERT_TRUE(e.has_value()) << testing::PrintToString(std::wstring(bad));
        EXPECT_EQ(e->box, L"Tab stop position");
    }
    list.Clear(5);  // out of range: nothing
    list.Clear(0);
    list.ApplyTo(paragraph);
    EXPECT_EQ(paragraph, (std::vector<TabStop>{{1440, TabKind::Decimal}}));  // the list replaces the stops
    list.ClearAll();
    list.ApplyTo(paragraph);
    EXPECT_TRUE(paragraph.empty());
}

TEST(TabEntries, DifferingParagraphsKeepTheirOwnStopsAndGainTheSetOnes) {
    TabStopList list(ParaValues{});
    EXPECT_TRUE(list.Mixed());
    EXPECT_TRUE(list.Stops().empty());
    std::vector<TabStop> first = {{720, TabKind::Left}, {2880, TabKind::Left}};
    std::vector<TabStop> second = {{1440, TabKind::Right}};
    list.ApplyTo(first);
    EXPECT_EQ(first.size(), 2u);
    EXPECT_FALSE(list.Set(L"1", TabKind::Center, kUnitInch));
    EXPECT_FALSE(list.Set(L"0.5", TabKind::Decimal, kUnitInch));
    EXPECT_TRUE(list.Mixed());
    list.ApplyTo(first);
    list.ApplyTo(second);
    EXPECT_EQ(first, (std::vector<TabStop>{{720, TabKind::Decimal}, {1440, TabKind::Center}, {2880, TabKind::Left}}));
    EXPECT_EQ(second, (std::vector<TabStop>{{720, TabKind::Decimal}, {1440, TabKind::Center}}));
    // Clear All: from then on every paragraph gets exactly the list.
    list.ClearAll();
    EXPECT_FALSE(list.Mixed());
    EXPECT_FALSE(list.Set(L"2", TabKind::Left, kUnitInch));
    list.ApplyTo(first);
    EXPECT_EQ(first, (std::vector<TabStop>{{2880, TabKind::Left}}));
}

TEST(TabEntries, ThePositionBoxRefusesAStopBeyondTheLimit) {
    TabStopList list(ParaValues{});
    for (int i = 1; i <= 64; ++i) ASSERT_FALSE(list.Set(std::to_wstring(i * 10) + L"pt", TabKind::Left, kUnitInch));
    const auto e = list.Set(L"20", TabKind::Left, kUnitInch);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->box, L"Tab stop position");
    EXPECT_EQ(list.Stops().size(), 64u);
    EXPECT_FALSE(list.Set(L"10pt", TabKind::Center, kUnitInch));  // an existing stop can still change
}

// ---------------------------------------------------------------- styles

TEST(StyleEntries, NamesAreCheckedAndRenamesTrackTheOriginalName) {
    Style heading;
    heading.name = L"Heading";
    Style quote;
    quote.name = L"Quote";
    StyleList list({heading, quote});
    EXPECT_FALSE(list.Edited());
    struct Case {
        const wchar_t* name;
        bool accepted;
    };
    const std::wstring tooLong(65, L'x');
    for (const Case& c : {Case{L"", false}, Case{L"   ", false}, Case{L"Quote", false}, Case{tooLong.c_str(), false},
                          Case{L" Note ", true}}) {
        const auto e = list.Add(c.name, Style{});
        EXPECT_EQ(!e.has_value(), c.accepted) << testing::PrintToString(std::wstring(c.name));
        if (e) {
            EXPECT_EQ(e->box, L"Name");
        }
    }
    ASSERT_EQ(list.IndexOf(L"Note"), 2);
    EXPECT_EQ(list.Styles()[2].para.styleName, L"Note");
    EXPECT_TRUE(list.Rename(0, L"Quote").has_value());  // taken
    EXPECT_FALSE(list.Rename(0, L"Title"));
    EXPECT_FALSE(list.Rename(0, L"Big title"));
    EXPECT_FALSE(list.Rename(2, L"Remark"));  // a new style renamed is still new
    list.Remove(1);
    list.Remove(7);
    const auto renamed = list.Renamed();
    ASSERT_EQ(renamed.size(), 1u);
    EXPECT_EQ(renamed[0], (std::pair<std::wstring, std::wstring>{L"Heading", L"Big title"}));
    EXPECT_TRUE(list.Edited());
    EXPECT_EQ(list.Styles().size(), 2u);
}

}  // namespace
}  // namespace tx::dialogs
