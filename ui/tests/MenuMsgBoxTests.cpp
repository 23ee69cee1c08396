// Menus (bar, arrays, separators, the event before opening, popups, shortcuts) and message boxes.

#include <string>
#include <vector>

#include "base/Error.h"
#include "ui/Menu.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> out;
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
        mii.dwTypeData = text;
        mii.cch = 127;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
        std::wstring s = (mii.fType & MFT_SEPARATOR) ? L"-" : text;
        if (mii.fType & MFT_SEPARATOR) {
            out.push_back(s);
            continue;
        }
        if (mii.fState & MFS_GRAYED) s += L" [off]";
        if (mii.fState & MFS_CHECKED) s += L" [x]";
        out.push_back(s);
    }
    return out;
}

class frmEditor : public Form {
public:
    MenuItem mnuFile{this, L"mnuFile", L"&File"};
    MenuItem mnuFile_New{mnuFile, L"mnuFile_New", L"&New"};
    MenuItem mnuFile_Save{mnuFile, L"mnuFile_Save", L"&Save"};
    MenuItem mnuFile_Sep{mnuFile, L"mnuFile_Sep", L"-"};
    MenuArray mnuRecentFile{mnuFile, L"mnuRecentFile"};
    MenuItem mnuFile_Exit{mnuFile, L"mnuFile_Exit", L"E&xit"};
    MenuItem mnuView{this, L"mnuView", L"&View"};
    MenuItem mnuView_Ruler{mnuView, L"mnuView_Ruler", L"&Ruler"};
    MenuItem pmnuTable{this, L"pmnuTable", L"Table"};
    MenuItem pmnuTable_Copy{pmnuTable, L"pmnuTable_Copy", L"&Copy"};
    MenuItem pmnuTable_Paste{pmnuTable, L"pmnuTable_Paste", L"&Paste"};
    std::vector<std::string> log;

    frmEditor() {
        pmnuTable.SetVisible(false);
        mnuRecentFile.Load(1).SetCaption(L"Recent file 1");
        mnuFile_Save.SetShortcut(L"Ctrl+S");
        mnuFile.Click = [this] {
            log.push_back("file opening");
            mnuFile_Save.SetEnabled(false);
        };
        mnuFile_New.Click = [this] { log.push_back("new"); };
        mnuFile_Save.Click = [this] { log.push_back("save"); };
        mnuRecentFile.Click = [this](int i) { log.push_back("recent" + std::to_string(i)); };
        pmnuTable.Click = [this] { log.push_back("table opening"); };
        pmnuTable_Copy.Click = [this] { log.push_back("copy"); };
    }
};

TEST_F(UiTest, MenuBarShowsVisibleItemsWithStatesAndArraysGrowInPlace) {
    frmEditor f;
    f.Show();
    HMENU bar = GetMenu(f.hWnd());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::wstring>{L"&File", L"&View"})) << "a hidden top menu is left out";
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(MenuTexts(file), (std::vector<std::wstring>{L"&New", L"&Save\tCtrl+S", L"-", L"Recent file 1", L"E&xit"}));

    f.mnuRecentFile.Load(3).SetCaption(L"Recent file 3");
    f.mnuRecentFile.Load(2).SetCaption(L"Recent file 2");
    f.mnuView_Ruler.SetChecked(true);
    f.mnuFile_New.SetVisible(false);
    EXPECT_EQ(MenuTexts(file), (std::vector<std::wstring>{L"&Save\tCtrl+S", L"-", L"Recent file 1", L"Recent file 2", L"Recent file 3", L"E&xit"}));
    EXPECT_EQ(MenuTexts(GetSubMenu(bar, 1)), (std::vector<std::wstring>{L"&Ruler [x]"}));
    f.mnuRecentFile.Unload(2);
    EXPECT_EQ(MenuTexts(file).size(), 5u);
    EXPECT_THROW(f.mnuRecentFile[2], zv::Error);
}

TEST_F(UiTest, OpeningAMenuRunsItsClickFirstAndCommandsReachTheirItems) {
    frmEditor f;
    f.Show();
    HMENU bar = GetMenu(f.hWnd());
    HMENU file = GetSubMenu(bar, 0);
    SendMessageW(f.hWnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(MenuTexts(file)[1], L"&Save\tCtrl+S [off]") << "the opening event adjusted the menu";
    f.mnuRecentFile.Load(4);
    SendMessageW(f.hWnd(), WM_COMMAND, MAKEWPARAM(f.mnuRecentFile[4].CommandId(), 0), 0);
    SendMessageW(f.hWnd(), WM_COMMAND, MAKEWPARAM(f.mnuFile_New.CommandId(), 0), 0);
    EXPECT_EQ(f.log, (std::vector<std::string>{"file opening", "recent4", "new"}));
}

TEST_F(UiTest, ShortcutKeyFiresOnlyAReachableItem) {
    frmEditor f;
    f.Show();
    SetFocus(f.hWnd());
    test::PressKey('S', false, true);
    f.mnuFile_Save.SetEnabled(false);
    test::PressKey('S', false, true);
    EXPECT_EQ(f.log, (std::vector<std::string>{"save"}));
}

TEST_F(UiTest, PopupMenuAdjustsThenRunsTheChosenItem) {
    frmEditor f;
    f.Show();
    test::ChooseInNextPopup(L"pmnuTable_Copy");
    f.PopupMenu(f.pmnuTable);
    test::ChooseInNextPopup(L"");
    f.PopupMenu(f.pmnuTable);
    EXPECT_EQ(f.log, (std::vector<std::string>{"table opening", "copy", "table opening"}));
    EXPECT_EQ(test::PopupMenusShown(), (std::vector<std::wstring>{L"pmnuTable", L"pmnuTable"}));

    f.pmnuTable_Paste.SetEnabled(false);
    test::ChooseInNextPopup(L"pmnuTable_Paste");
    EXPECT_THROW(f.PopupMenu(f.pmnuTable), HookFailure) << "a disabled item cannot be chosen";
    EXPECT_THROW(f.PopupMenu(f.pmnuTable), HookFailure) << "no choice queued";
    EXPECT_EQ(TakeFailures().size(), 2u);
}

TEST_F(UiTest, MsgBoxTakesQueuedAnswersAndRecordsWhatItShowed) {
    App().SetTitle(L"Zorvik");
    test::AnswerNextMsgBox(vbNo);
    test::AnswerNextMsgBox(vbOK);
    EXPECT_EQ(MsgBox(L"Save changes?", vbYesNo + vbQuestion + vbDefaultButton2), vbNo);
    EXPECT_EQ(MsgBox(L"File not found", vbOKOnly, L"Open"), vbOK);
    ASSERT_EQ(test::MsgBoxes().size(), 2u);
    EXPECT_EQ(test::MsgBoxes()[0].prompt, L"Save changes?");
    EXPECT_EQ(test::MsgBoxes()[0].style, 4 + 32 + 256);
    EXPECT_EQ(test::MsgBoxes()[0].title, L"Zorvik") << "no title: the application title";
    EXPECT_EQ(test::LastMsgBox().title, L"Open");
    EXPECT_EQ(test::PendingMsgBoxAnswers(), 0u);
}

TEST_F(UiTest, MsgBoxRefusesAnAnswerItsButtonsCannotGiveAndFailsWithoutOne) {
    struct Case {
        int style;
        int answer;
        bool fits;
    };
    const Case cases[] = {
        {vbOKOnly, vbOK, true},          {vbOKOnly, vbCancel, false},    {vbOKCancel, vbCancel, true},
        {vbAbortRetryIgnore, vbIgnore, true}, {vbYesNoCancel, vbCancel, true}, {vbYesNo, vbCancel, false},
        {vbYesNo + vbExclamation, vbYes, true}, {vbRetryCancel, vbRetry, true}, {vbRetryCancel, vbOK, false},
    };
    for (const Case& c : cases) {
        test::AnswerNextMsgBox(c.answer);
        if (c.fits) {
            EXPECT_EQ(MsgBox(L"q", c.style), c.answer) << c.style;
        } else {
            EXPECT_THROW(MsgBox(L"q", c.style), HookFailure) << c.style << " " << c.answer;
        }
    }
    EXPECT_EQ(TakeFailures().size(), 3u);
    EXPECT_THROW(MsgBox(L"Nobody answers this"), HookFailure);
    auto failures = TakeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"Nobody answers this"), std::wstring::npos);
}

}  // namespace
}  // namespace ui::testing
