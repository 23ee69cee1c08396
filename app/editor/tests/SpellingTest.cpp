// Spelling and the thesaurus in the editor, as an author meets them: Tools > Spell Check through
// every button of the checker's dialog on a page with a link and a table, the end-of-check
// messages, a dictionary that is missing or damaged, the suggestion menu at a misspelt word with
// each of its choices and where it opens, and the thesaurus on a selected word. The dictionaries
// and "Custom.dct" are those of this test's own folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "app/core/AppState.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "components/spelling/win32/frmThesaurus.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;

namespace {

// A fresh copy of a dictionary the build made, in this test's program folder.
void CopyDictionary(const wchar_t* name, const fs::path& folder) {
    zv::WriteFileReplacing((folder / name).wstring(), zv::ReadFileBytes((fs::path(ZV_DICTIONARY_DIR) / name).wstring()));
}

class EditorSpelling : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ResetAppState();
        sp::SharedDictionaries::Reset();
        folder_ = fs::path(ui::App().Path());
        // Fresh copies of the dictionaries the build made, and no words of the author's yet.
        for (const wchar_t* name : {sp::kSpellingDictionaryName, sp::kThesaurusName}) CopyDictionary(name, folder_);
        fs::remove(UserDictionary());
        frame().Show();
        InitPageList();
        editor_ = &frame().NewEditorWindow();
        editor_->Show();
    }
    void TearDown() override {
        UiTest::TearDown();
        ResetAppState();
        sp::SharedDictionaries::Reset();
        ui::Screen().SetMousePointer(ui::vbDefault);
    }

    static frmMDIParent& frame() { return ui::Forms::Get<frmMDIParent>(); }
    frmMDIChild& editor() { return *editor_; }
    tx::TextEngine& engine() { return editor_->TXTextControl1.Engine(); }
    fs::path UserDictionary() const { return folder_ / sp::kUserDictionaryName; }
    std::string UserWords() const { return zv::ReadFileBytes(UserDictionary().wstring()); }

    // A page as it stands after loading: its text, unchanged, nothing to undo into.
    void Page(const std::wstring& text) {
        engine().LoadFromBytes("", tx::kFormatText);
        engine().SetSelText(text);
        engine().SetSelStart(0);
        editor().DirtyFlag = false;
    }
    void Select(std::wstring_view what) {
        const std::size_t at = engine().Text().find(what);
        ASSERT_NE(at, std::wstring::npos) << ui::testing::Utf8(std::wstring(what));
        engine().SetSelStart(static_cast<int>(at));
        engine().SetSelLength(static_cast<int>(what.size()));
    }
    int At(std::wstring_view what) { return static_cast<int>(engine().Text().find(what)); }
    bool BoldAt(int position) {
        const tx::Location l = engine().Doc().Locate(position);
        return engine().Doc().FormatAt(l.paragraph, l.offset).bold;
    }
    std::wstring FieldText(int id) {
        const tx::Field* f = engine().Doc().FindField(id);
        return f ? engine().Doc().Text(f->start, f->length) : L"";
    }

    fs::path folder_;
    frmMDIChild* editor_ = nullptr;
};

TEST_F(EditorSpelling, StartingTheEditorNamesTheDictionariesAndReadsNone) {
    EXPECT_TRUE(fs::exists(UserDictionary())) << "made empty when it is missing";
    EXPECT_EQ(UserWords(), "");
    EXPECT_EQ(editor().VSSpell1.MainDictionary(), (folder_ / sp::kSpellingDictionaryName).wstring());
    EXPECT_EQ(editor().VSSpell2.UserDictionary(), UserDictionary().wstring());
    EXPECT_EQ(editor().VSThesaurus1.ThesaurusFile(), (folder_ / sp::kThesaurusName).wstring());
    EXPECT_TRUE(editor().VSSpell1.SkipWordsWithDigits() && editor().VSSpell1.SkipAddresses() &&
                editor().VSSpell1.SkipWordsInCapitals() && editor().VSSpell1.Suggestions());
    EXPECT_FALSE(editor().VSSpell2.OwnPopup()) << "the editor shows its own menu";
    EXPECT_FALSE(editor().pmnuSuggestions.Visible()) << "a popup menu, not on the bar";
    EXPECT_EQ(editor().pmnuSuggestion_Word[0].Caption(), L"(Accept Word)");
    EXPECT_EQ(sp::SharedDictionaries::FilesRead(), 0);
}

TEST_F(EditorSpelling, SpellCheckThroughEveryButtonOnAPageWithALinkAndATable) {
    Page(L"Teh cat sat on teh mat. Visit wierd site now, Zorvikk and Zorvikk.");
    // The first word's first letter is bold: a change takes that format over the whole word.
    Select(L"T");
    engine().SetBold(true);
    Select(L"wierd site");
    const int link = engine().FieldInsertOverSelection();
    ASSERT_NE(link, 0);
    engine().SetFieldLinkKind(link, tx::kLinkAddress);
    engine().SetFieldLinkTarget(link, L"http://example.com");
    engine().SetSelStart(engine().TextLength());
    const int table = engine().TableInsert(1, 2);
    ASSERT_NE(table, 0);
    engine().SetSelStart(engine().TableCellStart(table, 1, 1));
    engine().SetSelText(L"a dgo");
    engine().SetSelStart(engine().TextLength());
    engine().SetSelText(L"The ned.");
    editor().DirtyFlag = false;
    const int stepsBefore = engine().UndoSteps();

    ui::Screen().SetMousePointer(ui::vbDefault);
    ui::test::OnNextModal<sp::frmSpellCheck>([&](sp::frmSpellCheck& d) {
        EXPECT_EQ(ui::Screen().MousePointer(), ui::vbDefault) << "the arrow while the dialog waits";
        EXPECT_EQ(d.lblWord.Caption(), L"Teh");
        EXPECT_EQ(engine().SelStart(), 0);
        EXPECT_EQ(engine().SelLength(), 3) << "the word is selected in the page";
        EXPECT_EQ(d.txtChangeTo.Text(), L"The");
        ui::test::Click(d.cmdChange);
        EXPECT_EQ(d.lblWord.Caption(), L"teh");
        ui::test::Click(d.cmdIgnore);
        EXPECT_EQ(d.lblWord.Caption(), L"wierd");
        ui::test::Type(d.txtChangeTo, L"weird");
        ui::test::Click(d.cmdChange);
        EXPECT_EQ(d.lblWord.Caption(), L"Zorvikk");
        ui::test::Click(d.cmdIgnoreAll);
        EXPECT_EQ(d.lblWord.Caption(), L"dgo") << "the table's text is checked";
        ui::test::Type(d.txtChangeTo, L"dog");
        ui::test::Click(d.cmdChangeAll);
        EXPECT_EQ(d.lblWord.Caption(), L"ned");
        ui::test::Click(d.cmdAdd);
    });
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunSpellCheck();

    // Teh, teh, wierd, Zorvikk twice (Ignore All took the second), dgo, ned.
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"Spelling Check Completed.\r\n\r\nBad words found: 7");
    EXPECT_EQ(ui::test::LastMsgBox().style & 0xF, ui::vbOKOnly);
    EXPECT_EQ(ui::Screen().MousePointer(), ui::vbDefault);
    EXPECT_EQ(engine().Doc().Text(0, At(L"\n")), L"The cat sat on teh mat. Visit weird site now, Zorvikk and Zorvikk.");
    EXPECT_EQ(engine().Text().substr(static_cast<size_t>(At(L"a dog"))), L"a dog\n\nThe ned.");
    EXPECT_TRUE(BoldAt(0) && BoldAt(1) && BoldAt(2)) << "the changed word keeps its first letter's format";
    EXPECT_FALSE(BoldAt(3));
    EXPECT_EQ(FieldText(link), L"weird site") << "the link goes on over the changed word";
    EXPECT_EQ(UserWords(), "ned\r\n");
    EXPECT_TRUE(editor().DirtyFlag);
    EXPECT_EQ(engine().UndoSteps(), stepsBefore + 3) << "one undo step per change";
    engine().Undo();
    EXPECT_NE(At(L"a dgo"), -1);
    EXPECT_EQ(App().SpellCheckCancelled, false);

    // Ignore All lasts while the editor is open; an added word is known to every checker.
    engine().Undo();
    engine().Undo();
    ui::test::OnNextModal<sp::frmSpellCheck>([&](sp::frmSpellCheck& d) {
        EXPECT_EQ(d.lblWord.Caption(), L"Teh");
        ui::test::Click(d.cmdIgnore);
        EXPECT_EQ(d.lblWord.Caption(), L"teh");
        ui::test::Click(d.cmdIgnore);
        EXPECT_EQ(d.lblWord.Caption(), L"wierd");
        ui::test::Click(d.cmdIgnore);
        EXPECT_EQ(d.lblWord.Caption(), L"dgo");
        ui::test::Click(d.cmdIgnore);
    });
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunSpellCheck();
    // Teh, teh, wierd, dgo: "Zorvikk" is ignored and "ned" a word now.
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"Spelling Check Completed.\r\n\r\nBad words found: 4");
}

TEST_F(EditorSpelling, CancelledAndCleanChecksSayHowTheyEnded) {
    struct Case {
        const char* name;
        const wchar_t* text;
        bool dialog;  // the dialog shows, and the author cancels it
        const wchar_t* message;
        bool cancelled;
    };
    const Case cases[] = {
        {"cancelled", L"Teh end. Aand more.", true, L"Spelling Check Cancelled.", true},
        {"clean", L"The end, and more: www.exmaple.com MP3 NASA.", false, L"Spelling Check Completed.\r\n\r\nBad words found: 0",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App().SpellCheckCancelled = false;
        Page(c.text);
        if (c.dialog) {
            ui::test::OnNextModal<sp::frmSpellCheck>([&](sp::frmSpellCheck& d) {
                EXPECT_EQ(d.lblWord.Caption(), L"Teh");
                ui::test::Click(d.cmdCancel);
            });
        }
        const size_t boxes = ui::test::MsgBoxes().size();
        ui::test::AnswerNextMsgBox(ui::vbOK);
        RunSpellCheck();
        ASSERT_EQ(ui::test::MsgBoxes().size(), boxes + 1) << "one message";
        EXPECT_EQ(ui::test::LastMsgBox().prompt, c.message);
        EXPECT_EQ(App().SpellCheckCancelled, c.cancelled);
        EXPECT_EQ(ui::Screen().MousePointer(), ui::vbDefault);
        EXPECT_EQ(engine().Text(), c.text);
        EXPECT_FALSE(editor().DirtyFlag);
        EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    }
}

TEST_F(EditorSpelling, AMissingOrDamagedDictionaryIsNamedAndTheCheckEndsCancelled) {
    const fs::path dictionary = folder_ / sp::kSpellingDictionaryName;
    struct Case {
        const char* name;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"missing", [&] { fs::remove(dictionary); }},
        {"damaged",
         [&] {
             std::string bytes = zv::ReadFileBytes(dictionary.wstring());
             bytes[bytes.size() / 2] ^= 0x40;
             std::ofstream(dictionary, std::ios::binary) << bytes;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sp::SharedDictionaries::Reset();
        CopyDictionary(sp::kSpellingDictionaryName, folder_);
        c.spoil();
        editor().Unload();
        editor_ = &frame().NewEditorWindow();
        editor_->Show();
        Page(L"Teh cat.");
        const size_t boxes = ui::test::MsgBoxes().size();
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::AnswerNextMsgBox(ui::vbOK);
        RunSpellCheck();
        const auto& shown = ui::test::MsgBoxes();
        ASSERT_EQ(shown.size(), boxes + 2);
        EXPECT_NE(shown[boxes].prompt.find(dictionary.wstring()), std::wstring::npos) << ui::testing::Utf8(shown[boxes].prompt);
        EXPECT_EQ(shown[boxes + 1].prompt, L"Spelling Check Cancelled.");
        EXPECT_EQ(ui::Screen().MousePointer(), ui::vbDefault) << "the pointer comes back";
        EXPECT_EQ(engine().Text(), L"Teh cat.");
        EXPECT_FALSE(editor().DirtyFlag);
    }
    CopyDictionary(sp::kSpellingDictionaryName, folder_);
}

TEST_F(EditorSpelling, TheSuggestionMenuAtAMisspeltWordWithEachChoice) {
    struct Case {
        const char* name;
        const wchar_t* text;
        int from, to;             // CheckForSpellError's range
        int item;                 // chosen item, -1 none
        const wchar_t* after;
        bool changed;             // DirtyFlag and one undo step
        const char* userWords;
    };
    const Case cases[] = {
        {"the first suggestion", L"so teh cat", 0, 10, 1, L"so the cat", true, ""},
        {"add: the text stays", L"so zorvikka cat", 3, 11, 0, L"so zorvikka cat", false, "zorvikka\r\n"},
        {"closed without a choice", L"so wrod cat", 0, 10, -1, L"so wrod cat", false, ""},
        {"a reversed range", L"so teh cat", 6, 3, 1, L"so the cat", true, ""},
        {"a range past the text", L"so teh cat", 3, 5000, 1, L"so the cat", true, ""},
        {"a range from before the text", L"so teh cat", -20, 6, 1, L"so the cat", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(UserDictionary());
        std::ofstream(UserDictionary(), std::ios::binary);
        sp::SharedDictionaries::Reset();
        Page(c.text);
        const int steps = engine().UndoSteps();
        const size_t popups = ui::test::PopupMenusShown().size();
        ui::test::ChooseInNextPopup(c.item < 0 ? L"" : L"pmnuSuggestion_Word", c.item);
        editor().CheckForSpellError(c.from, c.to);
        EXPECT_EQ(ui::test::PopupMenusShown().size(), popups + 1);
        EXPECT_EQ(engine().Text(), c.after);
        EXPECT_EQ(editor().DirtyFlag, c.changed);
        EXPECT_EQ(engine().UndoSteps(), steps + (c.changed ? 1 : 0));
        EXPECT_EQ(UserWords(), c.userWords);
    }
    // An added word is known at once to the whole-page check.
    Page(L"zorvikkb");
    ui::test::ChooseInNextPopup(L"pmnuSuggestion_Word", 0);
    editor().CheckForSpellError(0, 8);
    EXPECT_EQ(UserWords(), "zorvikkb\r\n");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    RunSpellCheck();
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"Spelling Check Completed.\r\n\r\nBad words found: 0");
}

TEST_F(EditorSpelling, TheMenuOffersAtMostFiveSuggestionsAndTheAddItemAlwaysFor) {
    frmMDIChild& e = editor();
    Page(L"teh");
    ui::test::ChooseInNextPopup(L"");
    e.CheckForSpellError(0, 3);
    ASSERT_GE(e.VSSpell2.SuggestionCount(), 8) << "a word with many suggestions";
    EXPECT_EQ(e.pmnuSuggestion_Word[0].Caption(), L"teh (add to dictionary)");
    for (int n = 1; n <= 5; ++n) {
        ASSERT_TRUE(e.pmnuSuggestion_Word.Exists(n));
        EXPECT_TRUE(e.pmnuSuggestion_Word[n].Visible());
        EXPECT_EQ(e.pmnuSuggestion_Word[n].Caption(), e.VSSpell2.Suggestion(n - 1));
    }
    EXPECT_FALSE(e.pmnuSuggestion_Word.Exists(6));
    EXPECT_EQ(e.pmnuSuggestion_Word[1].Caption(), L"the");

    // No suggestions: the add item alone.
    Page(L"qxzjvkwq");
    ui::test::ChooseInNextPopup(L"");
    e.CheckForSpellError(0, 8);
    EXPECT_EQ(e.VSSpell2.SuggestionCount(), 0);
    EXPECT_EQ(e.pmnuSuggestion_Word[0].Caption(), L"qxzjvkwq (add to dictionary)");
    EXPECT_TRUE(e.pmnuSuggestion_Word[0].Visible());
    for (int n = 1; n <= 5; ++n) EXPECT_FALSE(e.pmnuSuggestion_Word[n].Visible()) << n;

    // One range check, one menu: the first misspelt word of the range.
    Page(L"teh wrod and fivve");
    const size_t popups = ui::test::PopupMenusShown().size();
    ui::test::ChooseInNextPopup(L"pmnuSuggestion_Word", 1);
    e.CheckForSpellError(0, 18);
    EXPECT_EQ(ui::test::PopupMenusShown().size(), popups + 1);
    EXPECT_EQ(engine().Text(), L"the wrod and fivve");
}

TEST_F(EditorSpelling, TheMenuOpensJustBelowTheWordsStartRulerShownOrNot) {
    frmMDIChild& e = editor();
    Page(L"first line\r\nsecond teh line");
    const int word = At(L"teh");
    const HWND text = e.TXTextControl1.hWnd();
    for (bool ruler : {true, false}) {
        SCOPED_TRACE(ruler ? "ruler shown" : "no ruler");
        e.TXRuler1.SetVisible(ruler);
        e.FitEditorToRuler();
        ui::test::ChooseInNextPopup(L"");
        e.CheckForSpellError(word, word + 3);
        const auto [x, y] = ui::test::LastPopupPoint();
        // The word's top-left corner and the top of the line below it, on the screen.
        const LRESULT top = SendMessageW(text, EM_POSFROMCHAR, static_cast<WPARAM>(word), 0);
        POINT corner{static_cast<short>(LOWORD(top)), static_cast<short>(HIWORD(top))};
        ClientToScreen(text, &corner);
        EXPECT_EQ(x, corner.x);
        EXPECT_GT(y, corner.y + 5) << "below the word's top";
        EXPECT_LE(y, corner.y + 40) << "and no further than its line";
    }
}

TEST_F(EditorSpelling, TheThesaurusReplacesTheSelectedWordAlone) {
    struct Case {
        const char* name;
        const wchar_t* text;
        const wchar_t* selected;  // nullptr: the caret in the word "big"/"Big"
        const wchar_t* after;
    };
    const Case cases[] = {
        {"a double-clicked word with its blank", L"a big dog", L"big ", L"a large dog"},
        {"a word with its stop", L"It is big.", L"big.", L"It is large."},
        {"a capitalised word", L"Big dogs bark", L"Big", L"Large dogs bark"},
        {"the word at the caret", L"a big dog", nullptr, L"a large dog"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Page(c.text);
        if (c.selected) {
            Select(c.selected);
        } else {
            engine().SetSelStart(At(L"big") + 1);
        }
        ui::test::OnNextModal<sp::frmThesaurus>([&](sp::frmThesaurus& d) {
            EXPECT_EQ(d.txtLookedUp.Text(), L"big");
            d.lstSynonyms.SetListIndex(0);
            EXPECT_EQ(d.txtReplaceWith.Text(), L"large");
            ui::test::Click(d.cmdReplace);
        });
        editor().mnuEdit_Thesaurus_Click();
        EXPECT_EQ(engine().Text(), c.after);
        EXPECT_TRUE(editor().DirtyFlag);
    }
}

TEST_F(EditorSpelling, TheThesaurusCancelledOrNotFindingTheWordChangesNothing) {
    struct Case {
        const char* name;
        const wchar_t* text;
        const wchar_t* selected;
    };
    const Case cases[] = {
        {"cancelled", L"a big dog", L"big"},
        {"not found", L"a xyzzyq dog", L"xyzzyq"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Page(c.text);
        Select(c.selected);
        ui::test::OnNextModal<sp::frmThesaurus>([&](sp::frmThesaurus& d) {
            EXPECT_EQ(d.txtLookedUp.Text(), c.selected);
            ui::test::Click(d.cmdCancel);
        });
        editor().mnuEdit_Thesaurus_Click();
        EXPECT_EQ(engine().Text(), c.text);
        EXPECT_FALSE(editor().DirtyFlag);
    }
}

}  // namespace
