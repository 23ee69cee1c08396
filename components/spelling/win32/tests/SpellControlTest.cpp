// The checker control on a plain EDIT window, driven as an author drives it: the whole-text check
// through every button of its dialog, range checks with the host's handling and with the
// checker's own popup, missing and damaged dictionaries, a user dictionary that cannot be written.

#include <gtest/gtest.h>

#include <fstream>

#include "base/Error.h"
#include "base/Files.h"
#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/win32/EditTarget.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "components/spelling/win32/tests/SpellHost.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

namespace sp::test {
namespace {

using Event = frmSpellHost::Event;

std::size_t SelStart(HWND edit) {
    DWORD s = 0, e = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return s;
}
std::size_t SelEnd(HWND edit) {
    DWORD s = 0, e = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return e;
}

TEST_F(SpellControlTest, TheWholeTextCheckThroughEveryButton) {
    auto& host = Open(L"Teh cat sat on teh mat. Zorvikk is here, and Zorvikk again, teh end. A wierd dgo ran.");
    ui::Screen().SetMousePointer(ui::vbHourglass);  // as the program's command sets it
    const HWND edit = host.Text1.hWnd();
    ui::test::OnNextModal<frmSpellCheck>([&](frmSpellCheck& d) {
        // Each word is selected in its window, shown in its sentence, with the arrow pointer.
        EXPECT_EQ(d.lblWord.Caption(), L"Teh");
        EXPECT_EQ(d.txtSentence.Text(), L"Teh cat sat on teh mat.");
        EXPECT_EQ(SelStart(edit), 0u);
        EXPECT_EQ(SelEnd(edit), 3u);
        EXPECT_EQ(d.txtChangeTo.Text(), L"The");
        EXPECT_EQ(d.lstSuggestions.List(0), L"The");
        EXPECT_EQ(ui::Screen().MousePointer(), ui::vbDefault);
        // The dialog keeps clear of the word.
        RECT word, dialog, overlap;
        EditTarget target(edit);
        ASSERT_TRUE(target.ScreenRect(0, 3, word));
        GetWindowRect(d.hWnd(), &dialog);
        EXPECT_FALSE(IntersectRect(&overlap, &word, &dialog));
        ui::test::Click(d.cmdChange);

        EXPECT_EQ(d.lblWord.Caption(), L"teh");
        EXPECT_EQ(SelStart(edit), 15u);
        EXPECT_EQ(d.txtChangeTo.Text(), L"the");
        ui::test::Click(d.cmdIgnore);

        EXPECT_EQ(d.lblWord.Caption(), L"Zorvikk");
        ui::test::Click(d.cmdIgnoreAll);

        // The second "Zorvikk" is passed over; the third "teh" is the next question.
        EXPECT_EQ(d.lblWord.Caption(), L"teh");
        ui::test::Type(d.txtChangeTo, L"my");  // the author's own word
        ui::test::Click(d.cmdChangeAll);

        EXPECT_EQ(d.lblWord.Caption(), L"wierd");
        ui::test::Click(d.cmdAdd);

        EXPECT_EQ(d.lblWord.Caption(), L"dgo");
        d.lstSuggestions.SetListIndex(1);  // a suggestion picked from the list fills the box
        EXPECT_EQ(d.txtChangeTo.Text(), d.lstSuggestions.List(1));
        ui::test::Type(d.txtChangeTo, L"dog");
        ui::test::Click(d.cmdChange);
    });
    host.VSSpell1.CheckText();
    EXPECT_EQ(Text(), L"The cat sat on teh mat. Zorvikk is here, and Zorvikk again, my end. A wierd dog ran.");
    EXPECT_EQ(host.events, (std::vector<Event>{{L"done"}}));
    // Teh, teh, Zorvikk, Zorvikk (Ignore All), teh, wierd, dgo.
    EXPECT_EQ(host.VSSpell1.BadWordCount(), 7);
    EXPECT_EQ(zv::ReadFileBytes(userDictionary_), "wierd\r\n");
    EXPECT_EQ(ui::Screen().MousePointer(), ui::vbHourglass);  // the host restores it itself
    ui::Screen().SetMousePointer(ui::vbDefault);

    // Ignore All lasts for the checker: a second check stops only at "teh".
    host.events.clear();
    ui::test::OnNextModal<frmSpellCheck>([&](frmSpellCheck& d) {
        EXPECT_EQ(d.lblWord.Caption(), L"teh");
        ui::test::Click(d.cmdCancel);
    });
    SendMessageW(edit, EM_SETSEL, 0, 0);
    host.VSSpell1.CheckText();
    EXPECT_EQ(host.events, (std::vector<Event>{{L"cancelled"}}));
    EXPECT_EQ(host.VSSpell1.BadWordCount(), 1);
}

TEST_F(SpellControlTest, AWordFarDownIsScrolledIntoView) {
    std::wstring text;
    for (int i = 0; i < 80; ++i) text += L"The cat sat on the mat.\r\n";
    text += L"The last line has a wrod in it.";
    auto& host = Open(text);
    const HWND edit = host.Text1.hWnd();
    ui::test::OnNextModal<frmSpellCheck>([&](frmSpellCheck& d) {
        EXPECT_EQ(d.lblWord.Caption(), L"wrod");
        EXPECT_GT(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        RECT client, word;
        GetClientRect(edit, &client);
        ASSERT_TRUE(EditTarget(edit).ScreenRect(SelStart(edit), 4, word));
        MapWindowPoints(nullptr, edit, reinterpret_cast<POINT*>(&word), 2);
        EXPECT_GE(word.top, client.top);
        EXPECT_LE(word.bottom, client.bottom);
        ui::test::Click(d.cmdCancel);
    });
    host.VSSpell1.CheckText();
    EXPECT_EQ(host.events, (std::vector<Event>{{L"cancelled"}}));
}

TEST_F(SpellControlTest, ACleanTextShowsNoDialogAndCountsNothing) {
    auto& host = Open(L"The cat sat on the mat. See www.exmaple.com or 2nd MP3s, NASA and Atat\xFCrk's o\x2019" L"clock.");
    for (int option : {option::kSkipWordsWithDigits, option::kSkipAddresses, option::kSkipWordsInCapitals})
        host.VSSpell1.SetOption(option, 1);
    host.VSSpell1.CheckText();  // a dialog would fail the test: none is queued
    EXPECT_EQ(host.events, (std::vector<Event>{{L"done"}}));
    EXPECT_EQ(host.VSSpell1.BadWordCount(), 0);
    EXPECT_THROW(host.VSSpell1.SetOption(99, 1), zv::Error);
}

TEST_F(SpellControlTest, AMissingOrDamagedDictionaryChecksNothingAndEndsAsCancelled) {
    const std::wstring damaged = (folder_ / L"VSSP_AE.DCT").wstring();
    std::string bytes = zv::ReadFileBytes(mainDictionary_);
    bytes[bytes.size() / 2] ^= 0x40;
    std::ofstream(folder_ / L"VSSP_AE.DCT", std::ios::binary) << bytes;
    struct Case {
        std::wstring path;
        std::wstring message;
    } cases[] = {
        {(folder_ / L"missing.DCT").wstring(), L"the file is missing."},
        {damaged, L"the file is damaged (its checksum does not match)."},
    };
    for (const auto& c : cases) {
        auto& host = Open(L"Teh cat.");
        host.events.clear();
        host.VSSpell1.SetMainDictionary(c.path);
        ui::test::AnswerNextMsgBox(ui::vbOK);
        host.VSSpell1.CheckText();
        EXPECT_EQ(ui::test::LastMsgBox().prompt, L"The dictionary \"" + c.path + L"\" cannot be used: " + c.message);
        EXPECT_EQ(host.events, (std::vector<Event>{{L"cancelled"}}));
        EXPECT_EQ(host.VSSpell1.BadWordCount(), 0);
        EXPECT_EQ(Text(), L"Teh cat.");
    }
}

TEST_F(SpellControlTest, ARangeCheckTellsTheHostOfEachMisspeltWord) {
    auto& host = Open(L"one twwo thre four fivve six");
    host.VSSpell2.SetOwnPopup(false);
    struct Case {
        long start, length;
        std::vector<std::wstring> bad;
    } cases[] = {
        {0, 28, {L"twwo", L"thre", L"fivve"}},
        {28, -28, {L"twwo", L"thre", L"fivve"}},  // reversed: turned round
        {10, 1000, {L"thre", L"fivve"}},          // past the text: cut to it; a word cut into is checked whole
        {20, 0, {L"fivve"}},                      // so is the word at an empty range
        {13, 1, {}},
        {-5, 4, {}},
    };
    for (const auto& c : cases) {
        host.events.clear();
        host.VSSpell2.SetCheckStart(c.start);
        host.VSSpell2.SetCheckLength(c.length);
        host.VSSpell2.CheckRange();
        ASSERT_FALSE(host.events.empty());
        EXPECT_EQ(host.events.front().what, L"started");
        std::vector<std::wstring> bad;
        for (std::size_t i = 1; i < host.events.size(); ++i) bad.push_back(host.events[i].word);
        EXPECT_EQ(bad, c.bad) << c.start << " " << c.length;
    }
    // The host changes each word as the editor's popup does; the check goes on behind the change.
    host.onBadWord = [&](long start, long length) {
        host.VSSpell2.SetWord(Text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
        ASSERT_GT(host.VSSpell2.SuggestionCount(), 0);
        EditTarget(host.Text1.hWnd()).Replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length),
                                             host.VSSpell2.Suggestion(0));
    };
    host.events.clear();
    host.VSSpell2.SetCheckStart(0);
    host.VSSpell2.SetCheckLength(28);
    host.VSSpell2.CheckRange();
    EXPECT_EQ(Text(), L"one two three four five six");
    EXPECT_EQ(host.events.size(), 4u);
}

TEST_F(SpellControlTest, TheCheckersOwnPopupChangesIgnoresOrAdds) {
    auto& host = Open(L"teh zorvikk qwrtz");
    host.VSSpell2.SetOwnPopup(true);
    host.VSSpell2.SetCheckStart(0);
    host.VSSpell2.SetCheckLength(100);
    ui::test::ChooseInNextPopup(L"mnuSuggestion", 0);
    ui::test::ChooseInNextPopup(L"mnuAdd");
    ui::test::ChooseInNextPopup(L"");  // dismissed
    host.VSSpell2.CheckRange();
    EXPECT_EQ(Text(), L"the zorvikk qwrtz");
    EXPECT_EQ(zv::ReadFileBytes(userDictionary_), "zorvikk\r\n");
    EXPECT_EQ(ui::test::PopupMenusShown(), (std::vector<std::wstring>{L"mnuSpelling", L"mnuSpelling", L"mnuSpelling"}));
    EXPECT_EQ(host.events, (std::vector<Event>{{L"started"}}));  // the popup is the checker's: no BadWord
}

TEST_F(SpellControlTest, WordsSuggestionsAndTheSharedUserDictionary) {
    auto& host = Open(L"");
    host.VSSpell2.SetWord(L"recieve");
    EXPECT_FALSE(host.VSSpell2.WordIsCorrect());
    ASSERT_GT(host.VSSpell2.SuggestionCount(), 0);
    EXPECT_EQ(host.VSSpell2.Suggestion(0), L"receive");
    EXPECT_EQ(host.VSSpell2.Suggestion(-1), L"");
    EXPECT_EQ(host.VSSpell2.Suggestion(host.VSSpell2.SuggestionCount()), L"");
    host.VSSpell2.SetSuggestions(false);
    host.VSSpell2.SetWord(L"teh");
    EXPECT_EQ(host.VSSpell2.SuggestionCount(), 0);
    // A word added through one checker is known at once to the other.
    host.VSSpell1.SetWord(L"Zorvik");
    EXPECT_FALSE(host.VSSpell1.WordIsCorrect());
    EXPECT_TRUE(host.VSSpell2.AddToUserDictionary(L"Zorvik"));
    host.VSSpell1.SetWord(L"Zorvik");
    EXPECT_TRUE(host.VSSpell1.WordIsCorrect());
    EXPECT_EQ(SharedDictionaries::FilesRead(), 1);  // the main dictionary; the user one did not exist
}

TEST_F(SpellControlTest, AWordThatCannotBeSavedIsKeptAndTheAuthorIsTold) {
    std::ofstream(folder_ / L"file") << "x";
    userDictionary_ = (folder_ / L"file" / L"Custom.dct").wstring();
    auto& host = Open(L"");
    ui::test::AnswerNextMsgBox(ui::vbOK);
    EXPECT_FALSE(host.VSSpell1.AddToUserDictionary(L"Zorvik"));
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"\"Zorvik\" is kept until the program ends, but it could not be saved"),
              std::wstring::npos);
    host.VSSpell2.SetWord(L"Zorvik");
    EXPECT_TRUE(host.VSSpell2.WordIsCorrect());
}

}  // namespace
}  // namespace sp::test
