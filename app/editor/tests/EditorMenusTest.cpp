// The editor's menus as the author meets them in the frame's menu bar: their order and captions,
// what they show when they open, and what their items do.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "app/assessment/frmAssCreator.h"
#include "app/assessment/frmPreviewDlg.h"
#include "app/core/PageControl.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/core/frmStartUpDlg.h"
#include "app/dialogs/frmFindDlg.h"
#include "app/dialogs/frmFramesDlg.h"
#include "app/dialogs/frmGoToDlg.h"
#include "app/dialogs/frmHyperlink.h"
#include "app/dialogs/frmPageDlg.h"
#include "app/dialogs/frmPrintPreview.h"
#include "app/editor/frmImagePropDlg.h"
#include "app/editor/tests/EditorTest.h"
#include "base/Files.h"
#include "components/textcontrol/dialogs/BulletsDialogForm.h"
#include "components/textcontrol/dialogs/FontDialogForm.h"
#include "components/textcontrol/dialogs/ParagraphDialogForm.h"
#include "components/textcontrol/dialogs/StyleDialogForm.h"
#include "components/textcontrol/dialogs/TabsDialogForm.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class EditorMenus : public zv_test::EditorTest {
protected:
    // The captions the author reads, in order (separators as "-"), of a menu that shows.
    static std::vector<std::wstring> Captions(HMENU menu) {
        std::vector<std::wstring> out;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            if (info.fType & MFT_SEPARATOR) {
                out.emplace_back(L"-");
                continue;
            }
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            out.emplace_back(text);
        }
        return out;
    }
    static bool ToolbarEnabled(const wchar_t* key) { return frame().Toolbar1.Buttons(key).Enabled(); }
    static std::string Bytes(const fs::path& p) { return zv::ReadFileBytes(p.wstring()); }
};

TEST_F(EditorMenus, TheBarAndEachMenuInOrderWithTheirCaptions) {
    OpenModule(L"000080", {L"Page 1"});
    frmMDIChild& e = editor();
    EXPECT_EQ(Captions(GetMenu(frame().hWnd())),
              (std::vector<std::wstring>{L"&File", L"&Edit", L"&Document", L"&View", L"&Insert", L"F&ormat", L"&Table",
                                         L"Too&ls", L"&Window", L"&Help"}));
    struct Menu {
        ui::MenuItem* menu;
        std::vector<std::wstring> captions;
    };
    const Menu menus[] = {
        {&e.mnuFile, {L"&New\tCtrl+N", L"&Open...\tCtrl+O", L"&Save\tCtrl+S", L"Sa&ve As...", L"-", L"Page Setup",
                      L"P&rint Preview", L"&Print...\tCtrl+P", L"-", L"E&xit"}},
        {&e.mnuEdit, {L"&Undo\tCtrl+Z", L"&Redo\tCtrl+Y", L"-", L"Cu&t\tCtrl+X", L"&Copy\tCtrl+C", L"&Paste\tCtrl+V",
                      L"&Delete", L"-", L"&Find...\tCtrl+F", L"-", L"Hyperlink...", L"-", L"Select &All"}},
        {&e.mnuDocument, {L"&First Page", L"&Next Page", L"&Previous Page", L"&Last Page", L"-", L"&Go To Page",
                          L"&Insert Page", L"&Delete Page"}},
        {&e.mnuDocument_InsertPage, {L"&Before Current Page", L"&After Current Page"}},
        {&e.mnuView, {L"&Normal", L"&Page Layout", L"&Centered Page Layout", L"-", L"&Tool Bar", L"P&aragraph Bar",
                      L"&Ruler", L"&Status Bar", L"-", L"&Zoom", L"-", L"&Travose Preview"}},
        {&e.mnuView_Zoom, {L"10%", L"20%", L"25%", L"50%", L"75%", L"100%", L"150%", L"200%", L"250%", L"300%", L"400%"}},
        {&e.mnuInsert, {L"&Text...", L"-", L"&Image", L"&Movie", L"-", L"Hypertext Link", L"Remove Hypertext Link"}},
        {&e.mnuInsert_Image, {L"&At Caret Position...", L"As &Fixed Object..."}},
        {&e.mnuMovie, {L"&Flash Move...", L"Shockwave Movie...", L"Window Media Video...", L"Movie Properties",
                       L"Delete Movie"}},
        {&e.mnuFormat, {L"&Character...", L"&Paragraph...", L"Bullets and &Numbering", L"T&abs...", L"&Style...", L"-",
                        L"Paragraph &Frames...", L"-", L"&Text Color...", L"&Background Color...", L"&Image..."}},
        {&e.mnuFormat_BulletsAndNumbering, {L"&Attributes...", L"Increase Level", L"Decrease Level", L"1, 2, 3",
                                            L"A, B, C", L"a, b, c", L"I, II, III, IV", L"i, ii, iii, iv", L"Bullets"}},
        {&e.mnuTable, {L"&Insert", L"&Delete", L"&Select", L"&Grid lines", L"&Properties..."}},
        {&e.mnuTable_Insert, {L"&Table...", L"-", L"Column to the &Left", L"Column to the &Right", L"-", L"Row &Above",
                              L"Row &Below"}},
        {&e.mnuTable_Delete, {L"&Table", L"&Column", L"&Rows"}},
        {&e.mnuTable_Select, {L"&Table", L"&Row", L"&Cell"}},
        {&e.mnuTools, {L"&Spell Check", L"&Assessment Creator", L"&Convert to Word"}},
        {&e.mnuHelp, {L"&About Morvend..."}},
    };
    for (const Menu& m : menus) {
        m.menu->EnsurePopup();
        EXPECT_EQ(Captions(m.menu->PopupHandle()), m.captions) << Utf8(m.menu->Name());
    }
    // The Window menu: the arrangements, then the module list that opening the module filled.
    const auto window = Captions(e.mnuWindow.PopupHandle());
    ASSERT_GE(window.size(), 6u);
    EXPECT_EQ(std::vector<std::wstring>(window.begin(), window.begin() + 5),
              (std::vector<std::wstring>{L"&Cascade", L"Tile &Horizontal", L"Tile &Vertical", L"&Arrange Icons", L"-"}));
    EXPECT_EQ(window[5], App().ModulePath);
    EXPECT_TRUE(Look(e.mnuWindow_WindowList[1]).checked);
}

TEST_F(EditorMenus, EditShowsWhatUndoAndRedoWouldTakeBack) {
    OpenModule(L"000081", {L"Page 1"});
    frmMDIChild& e = editor();
    struct Case {
        std::function<void()> act;
        const wchar_t* undo;
        const wchar_t* redo;
    };
    const Case cases[] = {
        {[] {}, L"Undo", L"Redo"},
        {[] { TypeText(L"abc"); }, L"Undo Input", L"Redo"},
        {[] { Key(VK_BACK); }, L"Undo Deletion", L"Redo"},
        {[] {
             engine().SetSelStart(0);
             engine().SetSelLength(2);
             Key('B', zv_test::kCtrlKey);
         },
         L"Undo Formatting", L"Redo"},
        {[&e] { Choose(e.mnuEdit_Undo); }, L"Undo Deletion", L"Redo Formatting"},
        {[&e] { Choose(e.mnuEdit_Undo); }, L"Undo Input", L"Redo Deletion"},
        {[&e] { Choose(e.mnuEdit_Undo); }, L"Undo", L"Redo Input"},
    };
    for (const Case& c : cases) {
        c.act();
        Open(e.mnuEdit);
        EXPECT_EQ(Look(e.mnuEdit_Undo).text, std::wstring(c.undo) + L"\tCtrl+Z");
        EXPECT_EQ(Look(e.mnuEdit_Redo).text, std::wstring(c.redo) + L"\tCtrl+Y");
        EXPECT_EQ(Look(e.mnuEdit_Undo).grayed, std::wstring(c.undo) == L"Undo");
        EXPECT_EQ(Look(e.mnuEdit_Redo).grayed, std::wstring(c.redo) == L"Redo");
    }
    // Cut and Copy need a selection; Thesaurus and Hyperlink selected text.
    engine().SetSelStart(0);
    Open(e.mnuEdit);
    EXPECT_TRUE(Look(e.mnuEdit_Cut).grayed);
    EXPECT_TRUE(Look(e.mnuEdit_Copy).grayed);
    EXPECT_TRUE(Look(e.mnuEdit_Hyperlink).grayed);
    engine().SetSelLength(4);
    Open(e.mnuEdit);
    EXPECT_FALSE(Look(e.mnuEdit_Cut).grayed);
    EXPECT_FALSE(Look(e.mnuEdit_Hyperlink).grayed);
    ui::Clipboard().SetText(L"x");
    Open(e.mnuEdit);
    EXPECT_FALSE(Look(e.mnuEdit_Paste).grayed);
}

TEST_F(EditorMenus, InsertAndFormatFollowTheCaretsLinkAndTheSelectedObject) {
    OpenModule(L"000082", {L"Text "});
    frmMDIChild& e = editor();
    tx::TextEngine& t = engine();
    Open(e.mnuInsert);
    EXPECT_TRUE(Look(e.mnuInsert_RemoveHyperLink).grayed);
    EXPECT_TRUE(Look(e.mnuInsert_DelMovie).grayed);
    Open(e.mnuFormat);
    EXPECT_TRUE(Look(e.mnuFormat_Image).grayed);

    t.SetSelStart(t.TextLength());
    const int field = t.FieldInsert(L"a link");
    t.SetFieldLinkKind(field, tx::kLinkAddress);
    t.SetFieldLinkTarget(field, L"http://example.com");
    t.SetSelStart(t.TextLength() - 2);
    Open(e.mnuInsert);
    EXPECT_FALSE(Look(e.mnuInsert_RemoveHyperLink).grayed);
    EXPECT_EQ(t.FieldCurrent(), field);
    // Remove Hypertext Link: the link goes, its text stays.
    Choose(e.mnuInsert_RemoveHyperLink);
    EXPECT_TRUE(t.Doc().fields.empty());
    EXPECT_EQ(t.Text(), L"Text a link");

    ASSERT_NE(t.ObjectInsertImage(tx::testing::TinyPng(), false, -1, 0), 0);
    Open(e.mnuInsert);
    EXPECT_FALSE(Look(e.mnuInsert_DelMovie).grayed);
    EXPECT_FALSE(Look(e.mnuInsert_Properties).grayed);
    Open(e.mnuFormat);
    EXPECT_FALSE(Look(e.mnuFormat_Image).grayed);
    bool shown = false;
    ui::test::OnNextModal<frmImagePropDlg>([&](frmImagePropDlg& d) {
        shown = true;
        ui::test::Click(d.cmdClose);
    });
    Choose(e.mnuFormat_Image);
    EXPECT_TRUE(shown);
    // Delete Movie takes the selected object out and marks its file for deletion.
    const int length = t.TextLength();
    Choose(e.mnuInsert_DelMovie);
    EXPECT_EQ(t.TextLength(), length - 1);
    EXPECT_TRUE(App().MovieDeletePending);
}

TEST_F(EditorMenus, ViewChecksTheZoomTheLayoutAndTheBarsThatShow) {
    OpenModule(L"000083", {L"Page 1"});
    frmMDIChild& e = editor();
    Choose(e.mnuView_ZoomItem[6]);
    EXPECT_EQ(control().ZoomFactor(), 150);
    Open(e.mnuView);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(Look(e.mnuView_ZoomItem[i]).checked, i == 6) << i;
    EXPECT_TRUE(Look(e.mnuView_Layout[1]).checked);
    Choose(e.mnuView_Layout[2]);
    EXPECT_EQ(control().ViewMode(), tx::kViewPageCentered);
    Open(e.mnuView);
    EXPECT_FALSE(Look(e.mnuView_Layout[1]).checked);
    EXPECT_TRUE(Look(e.mnuView_Layout[2]).checked);

    // The bars: checked while they show, whoever last switched them.
    EXPECT_TRUE(Look(e.mnuView_Toolbar).checked);
    Choose(e.mnuView_Toolbar);
    EXPECT_FALSE(frame().Toolbar1.Visible());
    Open(e.mnuView);
    EXPECT_FALSE(Look(e.mnuView_Toolbar).checked);
    ToggleToolbar();  // switched back from elsewhere (another editor's menu)
    Open(e.mnuView);
    EXPECT_TRUE(Look(e.mnuView_Toolbar).checked);
    struct Bar {
        ui::MenuItem& item;
        std::function<bool()> shows;
    };
    for (const Bar& b : {Bar{e.mnuView_ParagraphBar, [] { return frame().TXButtonBar1.Visible(); }},
                         Bar{e.mnuView_Ruler, [] { return editor().TXRuler1.Visible(); }},
                         Bar{e.mnuView_StatusBar, [] { return frame().TXStatusBar1.Visible(); }}}) {
        const bool before = b.shows();
        Choose(b.item);
        EXPECT_EQ(b.shows(), !before) << Utf8(b.item.Name());
        Open(e.mnuView);
        EXPECT_EQ(Look(b.item).checked, !before) << Utf8(b.item.Name());
        Choose(b.item);
    }
}

TEST_F(EditorMenus, AssessmentCreatorOnlyOnAStoredTestPage) {
    OpenModule(L"000084", {L"Intro", L"Quiz"}, {L"Topic", L"Test"});
    frmMDIChild& e = editor();
    Open(e.mnuTools);
    EXPECT_TRUE(Look(e.mnuTools_AssCreator).grayed);  // a Topic page
    GoToNextPage();
    Open(e.mnuTools);
    EXPECT_FALSE(Look(e.mnuTools_AssCreator).grayed);
    bool shown = false;
    ui::test::OnNextModal<frmAssCreator>([&](frmAssCreator& d) {
        shown = true;
        d.Unload();
    });
    Choose(e.mnuTools_AssCreator);
    EXPECT_TRUE(shown);
    // Past the last page: a new page, not stored, whose list cursor still stands on the Test page.
    GoToNextPage();
    ASSERT_TRUE(App().IsNewPage);
    ASSERT_EQ(App().PageList.GetCurrentPageTpye(), L"Test");
    Open(e.mnuTools);
    EXPECT_TRUE(Look(e.mnuTools_AssCreator).grayed);
}

TEST_F(EditorMenus, FirstAndLastPageMoveWithoutAskingNextAndPreviousAsk) {
    const fs::path folder = OpenModule(L"000085", {L"Page 1", L"Page 2", L"Page 3"});
    frmMDIChild& e = editor();
    Choose(e.mnuDocument_LastPage);
    EXPECT_EQ(engine().Text(), L"Page 3");
    EXPECT_EQ(App().CurrentPageNo, 3);
    TypeText(L"lost ");
    const std::string page3 = Bytes(folder / "0003.txm");
    Choose(e.mnuDocument_FirstPage);
    EXPECT_EQ(engine().Text(), L"Page 1");
    EXPECT_EQ(Bytes(folder / "0003.txm"), page3);
    EXPECT_EQ(App().CurrentPageNo, 1);

    TypeText(L"asked ");
    bool asked = false;
    ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
        asked = true;
        ui::test::Click(d.btnSave);
    });
    Choose(e.mnuDocument_NextPage);
    EXPECT_TRUE(asked);
    EXPECT_EQ(engine().Text(), L"Page 2");
    Choose(e.mnuDocument_PreviousPage);
    EXPECT_EQ(engine().Text(), L"asked Page 1");
}

TEST_F(EditorMenus, DocumentInsertsAndDeletesPages) {
    const fs::path folder = OpenModule(L"000086", {L"Page 1", L"Page 2"});
    frmMDIChild& e = editor();
    Choose(e.mnuDocument_After);
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0003.txm");
    EXPECT_TRUE(fs::exists(folder / "0003.txm"));
    ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) { ui::test::Click(d.btnSave); });
    Choose(e.mnuDocument_DeletePage);
    EXPECT_FALSE(fs::exists(folder / "0003.txm"));
    Choose(e.mnuDocument_Before);
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0004.txm");
}

TEST_F(EditorMenus, FormatOpensTheControlsDialogsInTheHostsUnit) {
    OpenModule(L"000087", {L"A paragraph"});
    frmMDIChild& e = editor();
    engine().SetSelStart(0);
    engine().SetSelLength(1);
    App().MeasureUnit = 2;  // centimetres
    int shown = 0;
    ui::test::OnNextModal<tx::FontDialogForm>([&](tx::FontDialogForm& d) {
        ++shown;
        ui::test::Click(d.chkBold);
        ui::test::Click(d.cmdOK);
    });
    Choose(e.mnuFormat_Character);
    EXPECT_TRUE(engine().Bold());
    ui::test::OnNextModal<tx::ParagraphDialogForm>([&](tx::ParagraphDialogForm& d) {
        ++shown;
        EXPECT_EQ(d.lblLeftIndent.Caption(), L"&Left indent (cm):");
        ui::test::Type(d.txtLeftIndent, L"1");
        ui::test::Click(d.cmdOK);
    });
    Choose(e.mnuFormat_Paragraph);
    EXPECT_EQ(engine().CurrentParaFormat().leftIndent, 567);
    ui::test::OnNextModal<tx::BulletsDialogForm>([&](tx::BulletsDialogForm& d) {
        ++shown;
        ui::test::Click(d.cmdCancel);
    });
    Choose(e.mnuFormat_BulletsAndNumbering_Attributes);
    ui::test::OnNextModal<tx::TabsDialogForm>([&](tx::TabsDialogForm& d) {
        ++shown;
        ui::test::Click(d.cmdCancel);
    });
    Choose(e.mnuFormat_Tabs);
    ui::test::OnNextModal<tx::StyleDialogForm>([&](tx::StyleDialogForm& d) {
        ++shown;
        ui::test::Click(d.cmdCancel);
    });
    Choose(e.mnuFormat_Style);
    EXPECT_EQ(shown, 5);
    EXPECT_EQ(engine().UndoKind(), 3);
}

TEST_F(EditorMenus, ListItemsMakeListsAndStepTheirLevels) {
    OpenModule(L"000088", {L"An item"});
    frmMDIChild& e = editor();
    auto format = [] { return engine().CurrentParaFormat(); };
    Choose(e.mnuFormat_BulletsAndNumbering_Symbols[3]);
    EXPECT_EQ(format().listKind, tx::ListKind::Numbered);
    EXPECT_EQ(format().numberStyle, tx::NumberStyle::UpperRoman);
    Choose(e.mnuFormat_BulletsAndNumbering_Bullets);
    EXPECT_EQ(format().listKind, tx::ListKind::Bullet);
    Choose(e.mnuFormat_BulletsAndNumbering_DecreaseLevel);  // already at the top
    EXPECT_EQ(format().listLevel, 0);
    for (int i = 0; i < 10; ++i) Choose(e.mnuFormat_BulletsAndNumbering_IncreaseLevel);
    EXPECT_EQ(format().listLevel, tx::kMaxListLevel);
    Choose(e.mnuFormat_BulletsAndNumbering_DecreaseLevel);
    EXPECT_EQ(format().listLevel, tx::kMaxListLevel - 1);
}

TEST_F(EditorMenus, TableMenuFollowsTheCaretAndWorksOnItsTable) {
    OpenModule(L"000089", {L"Before the table"});
    frmMDIChild& e = editor();
    tx::TextEngine& t = engine();
    Open(e.mnuTable);
    EXPECT_FALSE(Look(e.mnuTable_Insert_Table).grayed);
    EXPECT_TRUE(Look(e.mnuTable_Delete).grayed);
    EXPECT_TRUE(Look(e.mnuTable_Properties).grayed);
    EXPECT_TRUE(Look(e.mnuTable_GridLines).checked);
    t.SetSelStart(t.TextLength());
    const int table = t.TableInsert(2, 3);
    ASSERT_NE(table, 0);
    t.SetSelStart(t.TableCellStart(table, 2, 2));
    Open(e.mnuTable);
    EXPECT_TRUE(Look(e.mnuTable_Insert_Table).grayed);
    EXPECT_FALSE(Look(e.mnuTable_Delete).grayed);
    Open(e.mnuTable_Insert);
    EXPECT_FALSE(Look(e.mnuTable_Insert_Table_RowBelow).grayed);
    Choose(e.mnuTable_Insert_Table_RowBelow);
    EXPECT_EQ(t.TableRows(table), 3);
    Choose(e.mnuTable_Delete_Column);
    EXPECT_EQ(t.TableColumns(table), 2);
    t.SetSelStart(t.TableCellStart(table, 1, 1));
    Choose(e.mnuTable_Select_Row);
    EXPECT_EQ(t.SelStart(), t.TableCellStart(table, 1, 1));
    EXPECT_EQ(t.SelStart() + t.SelLength(), t.TableCellStart(table, 1, 2) + t.TableCellLength(table, 1, 2));
    Choose(e.mnuTable_GridLines);
    EXPECT_FALSE(t.TableGridlines());
    t.SetSelStart(t.TableCellStart(table, 1, 1));
    Choose(e.mnuTable_Delete_Table);
    EXPECT_TRUE(t.Doc().tables.empty());
}

TEST_F(EditorMenus, WindowHelpAndTheCommandsStillToCome) {
    OpenModule(L"000090", {L"Page 1"});
    frmMDIChild& e = editor();
    bool about = false;
    ui::test::OnNextModal<frmStartUpDlg>([&](frmStartUpDlg& d) {
        about = true;
        EXPECT_TRUE(d.cmdOK.Visible());
        ui::test::Click(d.cmdOK);
    });
    Choose(e.mnuHelp_About);
    EXPECT_TRUE(about);
    Choose(e.mnuWindow_TileVertical);
    Choose(e.mnuWindow_Cascade);
    // Items whose windows are not part of the program yet change nothing and show nothing.
    const std::wstring text = engine().Text();
    bool pageSetup = false;
    ui::test::OnNextModal<frmPageDlg>([&](frmPageDlg& d) {
        pageSetup = true;
        ui::test::Click(d.btnCancel);
    });
    Choose(e.mnuFile_PageSetup);
    EXPECT_TRUE(pageSetup);
    bool frames = false;
    ui::test::OnNextModal<frmFramesDlg>([&](frmFramesDlg& d) {
        frames = true;
        ui::test::Click(d.cmdCancel);
    });
    Choose(e.mnuFormat_Frames);
    EXPECT_TRUE(frames);
    bool find = false, goTo = false;
    ui::test::OnNextModal<frmFindDlg>([&](frmFindDlg& d) {
        find = true;
        ui::test::Click(d.cmdCancel);
    });
    Choose(e.mnuEdit_Find);
    EXPECT_TRUE(find);
    ui::test::OnNextModal<frmGoToDlg>([&](frmGoToDlg& d) {
        goTo = true;
        ui::test::Click(d.Command2);
    });
    Choose(e.mnuDocument_GoToPage);
    EXPECT_TRUE(goTo);
    bool preview = false;
    ui::test::OnNextModal<frmPrintPreview>([&](frmPrintPreview& d) {
        preview = true;
        ui::test::Click(d.btnClose);
    });
    Choose(e.mnuFile_PrintPreview);
    EXPECT_TRUE(preview);
    EXPECT_EQ(engine().Text(), text);
    // Spell Check checks the page and ends with its message.
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Choose(e.mnuTools_SpellCheck);
    ASSERT_EQ(ui::test::MsgBoxes().size(), 1u);
    EXPECT_EQ(ui::test::MsgBoxes()[0].prompt.rfind(L"Spelling Check Completed.", 0), 0u);
    // Insert > Image asks for a file (Cancel: nothing goes in); the hypertext link dialog opens.
    ui::test::CancelNextDialog();
    Choose(e.mnuInsert_ImageAtCaretPosition);
    ASSERT_FALSE(ui::test::CommonDialogs().empty());
    EXPECT_EQ(ui::test::CommonDialogs().back().title, L"Insert Image");
    bool hyperlink = false;
    ui::test::OnNextModal<frmHyperlink>([&](frmHyperlink& d) {
        hyperlink = true;
        ui::test::Click(d.cmdCancel);
    });
    Choose(e.mnuInsert_Hypertext);
    EXPECT_TRUE(hyperlink);
    EXPECT_EQ(engine().Text(), text);
    // Insert > Movie asks for a movie file (Cancel: the author is told no movie went in).
    ui::test::CancelNextDialog();
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Choose(e.mnuInsert_Flash_Movie);
    EXPECT_EQ(ui::test::CommonDialogs().back().title, L"Insert Flash Movie");
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"No movie inserted.");
    EXPECT_EQ(engine().Text(), text);
    EXPECT_EQ(ui::test::MsgBoxes().size(), 2u);
    // Convert to Word ends with one message (done, or why not: no word processor may be registered
    // here) and leaves the page as it was.
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Choose(e.mnuTools_Convert);
    EXPECT_EQ(ui::test::MsgBoxes().size(), 3u);
    EXPECT_EQ(engine().Text(), text);
    // Travose Preview shows the player preview beside the editor.
    Choose(e.mnuTools_TravosePreview);
    EXPECT_TRUE(ui::Forms::Get<frmPreviewDlg>().Visible());
    EXPECT_EQ(engine().Text(), text);
}

}  // namespace
