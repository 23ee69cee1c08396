#include "app/core/Hyperlinks.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/core/tests/LinkFields.h"

#include "app/core/AutoLinks.h"

namespace zv {
namespace {

using zv_test::Link;
using zv_test::LinksOf;

// "Read the guide here." with "guide" a web link.
tx::TextEngine PageWithALink() {
    tx::TextEngine e;
    e.SetSelText(L"Read the guide here.");
    e.SetSelStart(9);
    e.SetSelLength(5);
    const int id = e.FieldInsertOverSelection();
    e.SetFieldLinkKind(id, kWebLinkKind);
    e.SetFieldLinkTarget(id, L"http://guide.example");
    e.SetSelStart(0);
    return e;
}

TEST(Hyperlinks, TheBoxesShowTheLinkAtTheCaretElseTheSelection) {
    tx::TextEngine e = PageWithALink();
    e.SetSelStart(11);  // inside "guide"
    HyperlinkBoxes boxes = HyperlinkBoxesAtCaret(e);
    EXPECT_EQ(boxes.linkedText, L"guide");
    EXPECT_EQ(boxes.target, L"http://guide.example");
    EXPECT_EQ(e.FieldCurrent(), e.FieldAtInputPos());

    e.SetSelStart(0);
    e.SetSelLength(4);  // "Read", no link
    boxes = HyperlinkBoxesAtCaret(e);
    EXPECT_EQ(boxes.linkedText, L"Read");
    EXPECT_EQ(boxes.target, L"");
}

TEST(Hyperlinks, EmptyBoxesAreNamedTextFirst) {
    const std::wstring noText =
        L"Hyperlink contains no text. Please enter the text to be shown as a hyperlink in the Linked Text field.";
    const std::wstring noTarget = L"No target specified. Please enter a target URL in the Link To field.";
    struct Case {
        HyperlinkBoxes boxes;
        std::wstring problem;
    } cases[] = {
        {{L"", L""}, noText},
        {{L"", L"www.a.com"}, noText},
        {{L"text", L""}, noTarget},
        {{L"text", L"#"}, L""},  // an anchor with no name passes
        {{L" ", L" "}, L""},     // blanks are text
    };
    for (const auto& c : cases) EXPECT_EQ(HyperlinkBoxesProblem(c.boxes), c.problem);
}

TEST(Hyperlinks, ANewLinkReplacesTheSelectionWithItsKindAndTarget) {
    struct Case {
        const char* name;
        std::wstring target;
        Link made;
    } cases[] = {
        {"web address as typed, blanks kept", L" www.a.com ", {L"here", L" www.a.com ", kWebLinkKind}},
        {"anchor", L"#top", {L"here", L"top", kAnchorLinkKind}},
        {"anchor without a name", L"#", {L"here", L"", kAnchorLinkKind}},
        {"page of a module", L"000001\\000003.std", {L"here", L"000001\\000003.std", kWebLinkKind}},
        {"a second # is part of the name", L"##x", {L"here", L"#x", kAnchorLinkKind}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tx::TextEngine e;
        e.SetSelText(L"Go there now");
        e.SetSelStart(3);
        e.SetSelLength(5);  // "there"
        EXPECT_EQ(StoreHyperlink(e, {L"here", c.target}), HyperlinkStored::Inserted);
        EXPECT_EQ(e.Text(), L"Go here now");
        EXPECT_EQ(LinksOf(e), std::vector<Link>{c.made});
        EXPECT_EQ(e.SelStart(), 7);  // behind the new link
        e.SetSelStart(4);
        e.SetSelLength(1);
        EXPECT_EQ(e.ForeColor(), kLinkColor);
        EXPECT_TRUE(e.Underline());
    }
}

TEST(Hyperlinks, TheLinkAtTheCaretIsRewrittenNotDoubled) {
    tx::TextEngine e = PageWithALink();
    e.SetSelStart(10);
    EXPECT_EQ(StoreHyperlink(e, {L"manual", L"#part2"}), HyperlinkStored::Rewritten);
    EXPECT_EQ(e.Text(), L"Read the manual here.");
    EXPECT_EQ(LinksOf(e), (std::vector<Link>{{L"manual", L"part2", kAnchorLinkKind}}));

    // Reopened on that link, the anchor shows its "#" again, and OK without a change keeps it.
    e.SetSelStart(12);
    const HyperlinkBoxes boxes = HyperlinkBoxesAtCaret(e);
    EXPECT_EQ(boxes.target, L"#part2");
    EXPECT_EQ(StoreHyperlink(e, boxes), HyperlinkStored::Rewritten);
    EXPECT_EQ(LinksOf(e), (std::vector<Link>{{L"manual", L"part2", kAnchorLinkKind}}));
}

TEST(Hyperlinks, ARefusedLinkTouchesNoOtherLink) {
    // The selection covers the link but the caret (its start) is in none: the control refuses a
    // link over a link, and the link there keeps its text, kind and target.
    tx::TextEngine e = PageWithALink();
    const int other = e.FieldNext(0);
    e.SetFieldCurrent(other);
    e.SetSelStart(5);
    e.SetSelLength(11);  // "the guide h"
    const std::string before = e.SaveToBytes(tx::kFormatOwn);
    EXPECT_EQ(StoreHyperlink(e, {L"new", L"#anchor"}), HyperlinkStored::Refused);
    EXPECT_EQ(e.SaveToBytes(tx::kFormatOwn), before);
    EXPECT_EQ(LinksOf(e), (std::vector<Link>{{L"guide", L"http://guide.example", kWebLinkKind}}));
    EXPECT_FALSE(HyperlinkRefusedMessage().empty());
}

TEST(Hyperlinks, APageTargetIsCodeBackslashFile) {
    EXPECT_EQ(PageLinkTarget(L"000001", L"000004.std"), L"000001\\000004.std");
    EXPECT_EQ(PageLinkTarget(L"", L"a.std"), L"\\a.std");
}

}  // namespace
}  // namespace zv
