// The selection's formats as the dialogs read them (one value, or "mixed"), and changes applied
// as one formatting step, or as none when they would change nothing.
#include <gtest/gtest.h>

#include "components/textcontrol/dialogs/SelectionFormats.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx::dialogs {
namespace {

using tx::testing::Select;

// "plain bold plain" over two paragraphs, the second centred and numbered.
TextEngine TwoParagraphs() {
    TextEngine e;
    e.SetSelText(L"one BOLD two\nthree four");
    Select(e, L"BOLD");
    e.SetBold(true);
    Select(e, L"three");
    e.FormatParagraphs([](ParaFormat& f) {
        f.align = Align::Center;
        f.listKind = ListKind::Numbered;
        f.listLevel = 3;
    });
    e.SetSelStart(0);
    return e;
}

TEST(SelectionFormats, ASelectionSpanningFormatsReadsMixedOnlyWhereTheyDiffer) {
    TextEngine e = TwoParagraphs();
    Select(e, L"one BOLD");
    CharValues v = SelectedChars(e);
    EXPECT_FALSE(v.bold.has_value());
    EXPECT_EQ(v.italic, false);
    EXPECT_EQ(v.face, L"Arial");
    EXPECT_EQ(v.size, 240);

    Select(e, L"BOLD");
    EXPECT_EQ(SelectedChars(e).bold, true);
    // A selection holding only a paragraph end reads what typing there would use.
    e.SetSelStart(12);
    e.SetSelLength(1);
    EXPECT_EQ(SelectedChars(e).bold, false);

    e.SetSelStart(0);
    e.SetSelLength(-1);
    ParaValues p = SelectedParagraphs(e);
    EXPECT_FALSE(p.align.has_value());
    EXPECT_FALSE(p.listKind.has_value());
    EXPECT_EQ(p.leftIndent, 0);
    EXPECT_EQ(p.tabs, std::vector<TabStop>{});
    e.SetSelStart(15);
    p = SelectedParagraphs(e);
    EXPECT_EQ(p.align, Align::Center);
    EXPECT_EQ(p.listLevel, 3);
}

TEST(SelectionFormats, AChangeIsOneFormattingStepAndLeavesMixedValuesAlone) {
    TextEngine e = TwoParagraphs();
    const Document before = e.Doc();
    e.SetSelStart(0);
    e.SetSelLength(-1);
    CharValues change;
    change.italic = true;  // bold stays as each character has it
    ASSERT_TRUE(ApplyChars(e, change));
    EXPECT_EQ(e.UndoKind(), static_cast<int>(EditKind::Formatting));
    Select(e, L"BOLD");
    EXPECT_TRUE(e.Bold());
    EXPECT_TRUE(e.Italic());
    Select(e, L"one");
    EXPECT_FALSE(e.Bold());
    EXPECT_TRUE(e.Italic());

    e.SetSelStart(0);
    e.SetSelLength(-1);
    ParaValues para;
    para.spaceAfter = 120;  // the alignment that differs stays per paragraph
    ASSERT_TRUE(ApplyParagraphs(e, para));
    EXPECT_EQ(e.Doc().paragraphs[0].format.align, Align::Left);
    EXPECT_EQ(e.Doc().paragraphs[1].format.align, Align::Center);
    EXPECT_EQ(e.Doc().paragraphs[1].format.spaceAfter, 120);

    // Two dialogs, two steps: undoing both gives the document back.
    e.Undo();
    e.Undo();
    EXPECT_EQ(e.Doc().paragraphs[1].format, before.paragraphs[1].format);
    Select(e, L"BOLD");
    EXPECT_FALSE(e.Italic());
    EXPECT_TRUE(e.Bold());
}

TEST(SelectionFormats, AChangeThatChangesNothingRecordsNoStep) {
    TextEngine e = TwoParagraphs();
    Select(e, L"BOLD");
    const int kindBefore = e.UndoKind();
    CharValues same;
    same.bold = true;
    same.face = L"Arial";
    EXPECT_FALSE(ApplyChars(e, same));
    EXPECT_FALSE(ApplyChars(e, CharValues{}));
    ParaValues samePara;
    samePara.align = Align::Left;
    EXPECT_FALSE(ApplyParagraphs(e, samePara));
    EXPECT_EQ(e.UndoKind(), kindBefore);
    // At a caret a character change sets what typing uses and is no step of its own.
    e.SetSelStart(1);
    CharValues italic;
    italic.italic = true;
    EXPECT_TRUE(ApplyChars(e, italic));
    EXPECT_TRUE(e.Italic());
    EXPECT_EQ(e.UndoKind(), kindBefore);
}

TEST(SelectionFormats, ListLevelsStopAtEitherEnd) {
    TextEngine e;
    e.SetSelText(L"a\nb\nc");
    e.SetSelStart(0);
    e.SetSelLength(-1);
    e.FormatParagraphs([](ParaFormat& f) { f.listKind = ListKind::Bullet; });
    Select(e, L"c");
    e.FormatParagraphs([](ParaFormat& f) { f.listKind = ListKind::None; });
    auto levels = [&] {
        std::vector<int> l;
        for (const auto& p : e.Doc().paragraphs) l.push_back(p.format.listLevel);
        return l;
    };
    e.SetSelStart(0);
    e.SetSelLength(-1);
    const int kindBefore = e.UndoKind();
    EXPECT_FALSE(StepListLevel(e, -1));  // already at the top: nothing, and no step
    EXPECT_EQ(e.UndoKind(), kindBefore);
    for (int i = 0; i < kMaxListLevel; ++i) ASSERT_TRUE(StepListLevel(e, +1));
    EXPECT_EQ(levels(), (std::vector<int>{8, 8, 0}));  // a paragraph outside a list stays
    EXPECT_FALSE(StepListLevel(e, +1));
    EXPECT_EQ(levels(), (std::vector<int>{8, 8, 0}));
    // Each step is one undo step of its own.
    e.Undo();
    EXPECT_EQ(levels(), (std::vector<int>{7, 7, 0}));
    ASSERT_TRUE(StepListLevel(e, -1));
    EXPECT_EQ(levels(), (std::vector<int>{6, 6, 0}));
}

TEST(SelectionFormats, StylesRenamedOrRemovedInOneStep) {
    TextEngine e;
    e.SetSelText(L"title\nbody\nquote");
    Style title;
    title.name = L"Title";
    title.para.align = Align::Center;
    title.chars.bold = true;
    Style quote;
    quote.name = L"Quote";
    quote.chars.italic = true;
    e.AddStyle(title);
    e.AddStyle(quote);
    Select(e, L"title");
    e.ApplyStyle(L"Title");
    Select(e, L"quote");
    e.ApplyStyle(L"Quote");
    const Document before = e.Doc();

    Style renamedTitle = title;
    renamedTitle.name = L"Heading";
    Select(e, L"body");
    e.SetStyles({renamedTitle}, {{L"Title", L"Heading"}}, L"Heading");
    const auto& p = e.Doc().paragraphs;
    EXPECT_EQ(p[0].format.styleName, L"Heading");
    EXPECT_EQ(p[1].format.styleName, L"Heading");  // applied
    EXPECT_EQ(p[1].format.align, Align::Center);
    EXPECT_EQ(p[2].format.styleName, L"");  // its style is gone; its look stays
    Select(e, L"quote");
    EXPECT_TRUE(e.Italic());
    ASSERT_EQ(e.Doc().styles.size(), 1u);
    EXPECT_EQ(e.Doc().styles[0].name, L"Heading");

    e.Undo();
    EXPECT_EQ(e.Doc().styles, before.styles);
    for (size_t i = 0; i < before.paragraphs.size(); ++i)
        EXPECT_EQ(e.Doc().paragraphs[i].format, before.paragraphs[i].format) << i;
}

}  // namespace
}  // namespace tx::dialogs
