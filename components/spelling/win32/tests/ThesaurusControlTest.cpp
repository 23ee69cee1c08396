// The thesaurus control and its window, driven through the window's buttons.

#include <gtest/gtest.h>

#include "components/spelling/win32/frmThesaurus.h"
#include "components/spelling/win32/tests/SpellHost.h"
#include "ui/MsgBox.h"

namespace sp::test {
namespace {

using Event = frmSpellHost::Event;

int IndexOf(const ui::ListBox& list, const std::wstring& item) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == item) return i;
    return -1;
}

TEST_F(SpellControlTest, TheThesaurusReplacesTheWordAloneInItsCase) {
    auto& host = Open(L"");
    struct Case {
        const wchar_t* selection;
        long start, length;
        const wchar_t* replacement;
    } cases[] = {
        {L"big ", 0, 3, L"large"},     // a double-clicked word with its blank
        {L"Big,", 0, 3, L"Large"},     // with punctuation, capitalised
        {L"(BIG)", 1, 3, L"LARGE"},
    };
    for (const auto& c : cases) {
        host.events.clear();
        host.VSThesaurus1.SetWord(c.selection);
        EXPECT_EQ(host.VSThesaurus1.WordStart(), c.start);
        EXPECT_EQ(host.VSThesaurus1.WordLength(), c.length);
        ui::test::OnNextModal<frmThesaurus>([&](frmThesaurus& d) {
            EXPECT_EQ(d.txtLookedUp.Text(), L"big");
            EXPECT_EQ(d.lstMeanings.List(0), L"large (adjective)");
            // Notes are shown in the list and never put in the box.
            const int antonym = IndexOf(d.lstSynonyms, L"small (antonym)");
            ASSERT_GE(antonym, 0);
            d.lstSynonyms.SetListIndex(antonym);
            EXPECT_EQ(d.txtReplaceWith.Text(), L"small");
            d.lstSynonyms.SetListIndex(0);
            EXPECT_EQ(d.txtReplaceWith.Text(), L"large");
            ui::test::Click(d.cmdReplace);
        });
        EXPECT_TRUE(host.VSThesaurus1.LookUp());
        EXPECT_EQ(host.events, (std::vector<Event>{{L"chosen", 0, 0, c.replacement}}));
    }
}

TEST_F(SpellControlTest, AFormIsLookedUpUnderItsBaseAndTheSynonymTakesItsEnding) {
    auto& host = Open(L"");
    host.VSThesaurus1.SetWord(L"running");
    ui::test::OnNextModal<frmThesaurus>([&](frmThesaurus& d) {
        EXPECT_EQ(d.lblNote.Caption(), L"\"running\" is also a form of \"run\": its meanings follow.");
        const int meaning = IndexOf(d.lstMeanings, L"scat (verb, run)");
        ASSERT_GE(meaning, 0);
        d.lstMeanings.SetListIndex(meaning);
        const int synonym = IndexOf(d.lstSynonyms, L"escape");
        ASSERT_GE(synonym, 0);
        d.lstSynonyms.SetListIndex(synonym);
        ui::test::Click(d.cmdReplace);
    });
    ASSERT_TRUE(host.VSThesaurus1.LookUp());
    EXPECT_EQ(host.VSThesaurus1.Replacement(), L"escaping");
}

TEST_F(SpellControlTest, LookUpBackNotFoundAndCancel) {
    auto& host = Open(L"");
    host.VSThesaurus1.SetWord(L"xyzzyq");
    ui::test::OnNextModal<frmThesaurus>([&](frmThesaurus& d) {
        EXPECT_EQ(d.lblNote.Caption(), L"\"xyzzyq\" was not found.");
        EXPECT_EQ(d.lblMeanings.Caption(), L"&Nearest Entries:");
        EXPECT_EQ(d.lstMeanings.ListCount(), 10);
        EXPECT_FALSE(d.cmdBack.Enabled());
        ui::test::Type(d.txtReplaceWith, L"happy");
        ui::test::Click(d.cmdLookUp);
        EXPECT_EQ(d.txtLookedUp.Text(), L"happy");
        EXPECT_GT(d.lstSynonyms.ListCount(), 0);
        EXPECT_TRUE(d.cmdBack.Enabled());
        ui::test::Click(d.cmdBack);
        EXPECT_EQ(d.txtLookedUp.Text(), L"xyzzyq");
        ui::test::Click(d.cmdCancel);
    });
    EXPECT_FALSE(host.VSThesaurus1.LookUp());
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(host.VSThesaurus1.Replacement(), L"");
}

TEST_F(SpellControlTest, AMissingThesaurusIsNamed) {
    auto& host = Open(L"");
    const std::wstring missing = (folder_ / L"VSTH_AE.THE").wstring();
    host.VSThesaurus1.SetThesaurusFile(missing);
    host.VSThesaurus1.SetWord(L"big");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    EXPECT_FALSE(host.VSThesaurus1.LookUp());
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"The dictionary \"" + missing + L"\" cannot be used: the file is missing.");
}

}  // namespace
}  // namespace sp::test
