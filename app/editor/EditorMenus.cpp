// The editor's menu bar: what each item does and how the menus adjust themselves when they open.
// Commands run through RunCommand, so that a failure reaches the author as a message.
#include <initializer_list>
#include <utility>

#include "app/assessment/frmAssCreator.h"
#include "app/core/AppState.h"
#include "app/core/DialogCommands.h"
#include "app/core/FILE.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmStartUpDlg.h"
#include "app/editor/EditorDialogs.h"
#include "app/editor/frmImagePropDlg.h"
#include "app/editor/frmMDIChild.h"
#include "components/textcontrol/dialogs/SelectionFormats.h"

namespace {

constexpr const wchar_t* kLayoutCaptions[] = {L"&Normal", L"&Page Layout", L"&Centered Page Layout"};
constexpr int kZoomPercents[] = {10, 20, 25, 50, 75, 100, 150, 200, 250, 300, 400};
constexpr const wchar_t* kNumberingCaptions[] = {L"1, 2, 3", L"A, B, C", L"a, b, c", L"I, II, III, IV", L"i, ii, iii, iv"};

// The caption of Undo and Redo by the kind of step they take back or do again.
std::wstring UndoCaption(int kind) {
    switch (kind) {
    case 1: return L"Undo Input";
    case 2: return L"Undo Deletion";
    case 3: return L"Undo Formatting";
    default: return L"Undo";
    }
}
std::wstring RedoCaption(int kind) {
    switch (kind) {
    case 10: return L"Redo Input";
    case 11: return L"Redo Deletion";
    case 12: return L"Redo Formatting";
    default: return L"Redo";
    }
}

// The number a zoom item's caption starts with ("150%" -> 150).
int LeadingNumber(const std::wstring& caption) {
    int n = 0;
    for (wchar_t c : caption) {
        if (c < L'0' || c > L'9') break;
        n = n * 10 + (c - L'0');
    }
    return n;
}

void On(ui::MenuItem& item, std::function<void()> command) {
    item.Click = [command = std::move(command)] { RunCommand(command); };
}

}  // namespace

void frmMDIChild::WireMenus() {
    tx::TextEngine& e = TXTextControl1.Engine();

    // ---- File ----
    On(mnuFile_New, [] { NewModule(); });
    On(mnuFile_Open, [] { OpenModuleFile(L""); });
    On(mnuFileSave, [] { SaveCurrentPage(); });
    On(mnuFile_SaveAs, [] { SaveModuleAs(BrowseForFolder); });
    On(mnuFile_PageSetup, [this] { ShowPageSetup(TXTextControl1); });
    On(mnuFile_PrintPreview, [this] { ShowPreview(TXTextControl1, prtTXTextControl2); });
    On(mnuFile_Print, [this] { PrintModule(prtTXTextControl2, Frame().CmDialog1); });
    On(mnuFile_Exit, [] { Frame().Unload(); });
    // The frame's shortcuts, which its own menus carry while no editor is open.
    mnuFile_New.SetShortcut(L"Ctrl+N");
    mnuFile_Open.SetShortcut(L"Ctrl+O");
    mnuFileSave.SetShortcut(L"Ctrl+S");
    mnuFile_Print.SetShortcut(L"Ctrl+P");

    // ---- Edit ----
    mnuEdit.Click = [this] { mnuEdit_Click(); };
    On(mnuEdit_Undo, [&e] { e.Undo(); });
    On(mnuEdit_Redo, [&e] { e.Redo(); });
    On(mnuEdit_Cut, [] { EditCut(); });
    On(mnuEdit_Copy, [] { EditCopy(); });
    On(mnuEdit_Paste, [this] { PasteWithLinks(); });
    On(mnuEdit_Delete, [] { EditDelete(); });
    On(mnuEdit_Find, [] { ShowFindDialog(1); });
    On(mnuEdit_Hyperlink, [] { ShowHyperlinkDialog(); });
    On(mnuEdit_SelectAll, [] { EditSelectAll(); });
    On(mnuEdit_Thesaurus, [this] { mnuEdit_Thesaurus_Click(); });
    // The thesaurus shows in the menu once the right mouse button has popped the menu up.
    mnuEdSep6.SetVisible(false);
    mnuEdit_Thesaurus.SetVisible(false);
    mnuEdit_Undo.SetShortcut(L"Ctrl+Z");
    mnuEdit_Redo.SetShortcut(L"Ctrl+Y");
    mnuEdit_Cut.SetShortcut(L"Ctrl+X");
    mnuEdit_Copy.SetShortcut(L"Ctrl+C");
    mnuEdit_Paste.SetShortcut(L"Ctrl+V");
    mnuEdit_Find.SetShortcut(L"Ctrl+F");

    // ---- Document ----
    mnuDocument_FirstPage.Click = [this] { FirstPage(); };
    On(mnuDocument_NextPage, [] { GoToNextPage(); });
    On(mnuDocument_PreviousPage, [] { GoToPreviousPage(); });
    mnuDocument_LastPage.Click = [this] { LastPage(); };
    On(mnuDocument_GoToPage, [] { ShowGoToDialog(); });
    On(mnuDocument_Before, [] { InsertPage(1); });
    On(mnuDocument_After, [] { InsertPage(2); });
    On(mnuDocument_DeletePage, [] { DeleteCurrentPage(); });

    // ---- View ----
    mnuView.Click = [this] { mnuView_Click(); };
    for (int i = 0; i < 3; ++i) mnuView_Layout.Load(i).SetCaption(kLayoutCaptions[i]);
    mnuView_Layout.Click = [this](int Index) { RunCommand([&] { SetViewLayout(Index); }); };
    On(mnuView_Toolbar, [this] {
        ToggleToolbar();
        mnuView_Toolbar.SetChecked(Frame().Toolbar1.Visible());
    });
    On(mnuView_ParagraphBar, [this] {
        ToggleParagraphBar();
        mnuView_ParagraphBar.SetChecked(Frame().TXButtonBar1.Visible());
    });
    On(mnuView_Ruler, [this] {
        ToggleRuler(*this);
        mnuView_Ruler.SetChecked(TXRuler1.Visible());
    });
    On(mnuView_StatusBar, [this] {
        ToggleStatusBar();
        mnuView_StatusBar.SetChecked(Frame().TXStatusBar1.Visible());
    });
    for (int i = 0; i < 11; ++i) mnuView_ZoomItem.Load(i).SetCaption(std::to_wstring(kZoomPercents[i]) + L"%");
    mnuView_ZoomItem.Click = [this](int Index) { RunCommand([&] { SetZoom(Index); }); };
    On(mnuTools_TravosePreview, [] { ShowPlayerPreview(); });

    // ---- Insert ----
    mnuInsert.Click = [this] { mnuInsert_Click(); };
    On(mnuInsert_Text, [] { InsertTextFile(); });
    On(mnuInsert_ImageAtCaretPosition, [this] { InsertImage(true, TXTextControl1, Frame().CmDialog1, 0, 0); });
    On(mnuInsert_ImageAsFixedObject, [this] { InsertImage(false, TXTextControl1, Frame().CmDialog1, 1000, 1000); });
    On(mnuInsert_Flash_Movie, [this] { InsertMovie(TXTextControl1, 1, 1000, 1000); });
    On(mnuInsert_Shockwave_Movie, [this] { InsertMovie(TXTextControl1, 2, 1000, 1000); });
    On(mnuInsert_WMV, [this] { InsertMovie(TXTextControl1, 3, 1000, 1000); });
    On(mnuInsert_Properties, [] { ShowMoviePropertiesDialog(); });
    On(mnuInsert_DelMovie, [this] { DeleteMovie(); });
    On(mnuInsert_Hypertext, [] { ShowHyperlinkDialog(); });
    On(mnuInsert_RemoveHyperLink, [&e] { RemoveHyperlink(e); });

    // ---- Format ----
    mnuFormat.Click = [this] { mnuFormat_Click(); };
    auto dialog = [this](bool (tx::TXTextControl::*show)()) {
        return [this, show] {
            TXTextControl1.SetMeasureUnit(App().MeasureUnit);
            (TXTextControl1.*show)();
        };
    };
    On(mnuFormat_Character, dialog(&tx::TXTextControl::FontDialog));
    On(mnuFormat_Paragraph, dialog(&tx::TXTextControl::ParagraphDialog));
    On(mnuFormat_BulletsAndNumbering_Attributes, dialog(&tx::TXTextControl::BulletsAndNumberingDialog));
    On(mnuFormat_Tabs, dialog(&tx::TXTextControl::TabsDialog));
    On(mnuFormat_Style, dialog(&tx::TXTextControl::StyleDialog));
    On(mnuFormat_BulletsAndNumbering_IncreaseLevel, [this] { StepListLevel(+1); });
    On(mnuFormat_BulletsAndNumbering_DecreaseLevel, [this] { StepListLevel(-1); });
    for (int i = 0; i < 5; ++i) mnuFormat_BulletsAndNumbering_Symbols.Load(i).SetCaption(kNumberingCaptions[i]);
    mnuFormat_BulletsAndNumbering_Symbols.Click = [&e](int Index) {
        RunCommand([&] {
            tx::dialogs::ChangeParagraphs(e, [Index](tx::ParaFormat& f) {
                f.listKind = tx::ListKind::Numbered;
                f.numberStyle = static_cast<tx::NumberStyle>(Index);
            });
        });
    };
    On(mnuFormat_BulletsAndNumbering_Bullets, [&e] {
        tx::dialogs::ChangeParagraphs(e, [](tx::ParaFormat& f) { f.listKind = tx::ListKind::Bullet; });
    });
    On(mnuFormat_Frames, [this] { ShowFramesDialog(TXTextControl1); });
    On(mnuFormat_TColor, [] { ChooseTextColor(1); });
    On(mnuFormat_BColor, [] { ChooseTextColor(2); });
    On(mnuFormat_Image, [this] { ShowImageProperties(); });

    // ---- Table ----
    mnuTable.Click = [this] { mnuTable_Click(); };
    On(mnuTable_Insert_Table, [this] { ShowTableDialog(TXTextControl1); });
    On(mnuTable_Insert_Table_ColumnToTheLeft, [this] { ColLeft(); });
    On(mnuTable_Insert_Table_ColumnToTheRight, [this] { ColRight(); });
    On(mnuTable_Insert_Table_RowAbove, [&e] { e.TableInsertRow(false); });
    On(mnuTable_Insert_Table_RowBelow, [&e] { e.TableInsertRow(true); });
    On(mnuTable_Delete_Table, [this, &e] {
        SelectCurrentTable();
        e.TableDeleteRows();
    });
    On(mnuTable_Delete_Column, [&e] { e.TableDeleteColumn(); });
    On(mnuTable_Delete_Rows, [&e] { e.TableDeleteRows(); });
    On(mnuTable_Select_Table, [this] { SelectCurrentTable(); });
    On(mnuTable_Select_Row, [this] { SelectCurrentRow(); });
    On(mnuTable_Select_Cell, [this] { SelectCurrentCell(); });
    On(mnuTable_GridLines, [this, &e] {
        e.SetTableGridlines(!e.TableGridlines());
        TXTextControl1->Refresh();
    });
    On(mnuTable_Properties, [this] { TXTextControl1.TableAttributesDialog(); });
    // The table popup (shown by no command) does what its twins in the Table and Edit menus do.
    const std::pair<ui::MenuItem*, ui::MenuItem*> popupTwins[] = {
        {&pmnuTable_Insert_Table_ColumnToTheLeft, &mnuTable_Insert_Table_ColumnToTheLeft},
        {&pmnuTable_Insert_Table_ColumnToTheRight, &mnuTable_Insert_Table_ColumnToTheRight},
        {&pmnuTable_Insert_Table_Row_Above, &mnuTable_Insert_Table_RowAbove},
        {&pmnuTable_Insert_Table_Row_Below, &mnuTable_Insert_Table_RowBelow},
        {&pmnuTable_Delete_Table, &mnuTable_Delete_Table},
        {&pmnuTable_Delete_Column, &mnuTable_Delete_Column},
        {&pmnuTable_Delete_Row, &mnuTable_Delete_Rows},
        {&pmnuTable_Properties, &mnuTable_Properties},
        {&pmnuTable_Cut, &mnuEdit_Cut},
        {&pmnuTable_Copy, &mnuEdit_Copy},
        {&pmnuTable_Paste, &mnuEdit_Paste},
    };
    for (auto [popup, twin] : popupTwins) popup->Click = twin->Click;
    pmnuTable.SetVisible(false);

    // ---- Tools ----
    mnuTools.Click = [this] { mnuTools_Click(); };
    On(mnuTools_SpellCheck, [] { RunSpellCheck(); });
    On(mnuTools_AssCreator, [] { ShowAssessmentCreator(); });
    On(mnuTools_Convert, [] { ConvertModuleToWord(); });

    // ---- Window ----
    On(mnuWindow_Cascade, [] { Frame().Arrange(0); });
    On(mnuWindow_TileHorizontal, [] { Frame().Arrange(1); });
    On(mnuWindow_TileVertical, [] { Frame().Arrange(2); });
    On(mnuWindow_ArrangeIcons, [] { Frame().Arrange(3); });
    // Element 0 is the design's; BuildWindowList fills the elements from 1 on with module folders.
    mnuWindow_Sep.SetVisible(false);
    mnuWindow_WindowList.Load(0).SetCaption(L"WindowList");
    mnuWindow_WindowList[0].SetVisible(false);
    mnuWindow_WindowList.Click = [this](int Index) {
        const std::wstring caption = mnuWindow_WindowList[Index].Caption();
        RunCommand([&] { OpenRecentModule(caption); });
    };

    // ---- Help ----
    On(mnuHelp_About, [] {
        auto& about = ui::Forms::Get<frmStartUpDlg>();
        about.Load();
        about.cmdOK.SetVisible(true);
        about.Show(ui::vbModal);
    });
}

// ---------------------------------------------------------------- menus that adjust when they open

void frmMDIChild::mnuEdit_Click() {
    tx::TextEngine& e = TXTextControl1.Engine();
    mnuEdit_Undo.SetCaption(UndoCaption(e.UndoKind()));
    mnuEdit_Redo.SetCaption(RedoCaption(e.RedoKind()));
    mnuEdit_Undo.SetEnabled(e.UndoKind() != 0);
    mnuEdit_Redo.SetEnabled(e.RedoKind() != 0);
    mnuEdit_Cut.SetEnabled(TXTextControl1->CanCopy());
    mnuEdit_Copy.SetEnabled(TXTextControl1->CanCopy());
    mnuEdit_Paste.SetEnabled(TXTextControl1->CanPaste());
    const bool text = !e.SelText().empty();
    mnuEdit_Thesaurus.SetEnabled(text);
    mnuEdit_Hyperlink.SetEnabled(text);
}

void frmMDIChild::mnuInsert_Click() {
    tx::TextEngine& e = TXTextControl1.Engine();
    const int field = e.FieldAtInputPos();
    e.SetFieldCurrent(field);
    mnuInsert_RemoveHyperLink.SetEnabled(field != 0);
    mnuInsert_DelMovie.SetEnabled(e.ObjectCurrent() != 0);
    mnuInsert_Properties.SetEnabled(e.ObjectCurrent() != 0);
}

void frmMDIChild::mnuFormat_Click() { mnuFormat_Image.SetEnabled(TXTextControl1.Engine().ObjectCurrent() != 0); }

void frmMDIChild::mnuView_Click() {
    const int zoom = TXTextControl1->ZoomFactor();
    for (int i = 0; i < 11; ++i) mnuView_ZoomItem[i].SetChecked(LeadingNumber(mnuView_ZoomItem[i].Caption()) == zoom);
    const int mode = TXTextControl1->ViewMode();
    for (int i = 0; i < 3; ++i) mnuView_Layout[i].SetChecked(i == mode);
    // The bars are the frame's, shared by every editor window: what shows now is what counts.
    if (frmMDIParent* frame = OpenFrame()) {
        mnuView_Toolbar.SetChecked(frame->Toolbar1.Visible());
        mnuView_ParagraphBar.SetChecked(frame->TXButtonBar1.Visible());
        mnuView_StatusBar.SetChecked(frame->TXStatusBar1.Visible());
    }
    mnuView_Ruler.SetChecked(TXRuler1.Visible());
}

void frmMDIChild::mnuTools_Click() {
    // Only a stored Test page has an assessment: a page not yet stored is no page of the list,
    // whatever page the list's cursor was left on.
    const AppState& app = App();
    mnuTools_AssCreator.SetEnabled(!app.IsNewPage && app.PageList.GetCurrentPageTpye() == L"Test");
}

void frmMDIChild::mnuTable_Click() {
    tx::TextEngine& e = TXTextControl1.Engine();
    const bool inTable = e.TableAtInputPos() != 0;
    mnuTable_GridLines.SetChecked(e.TableGridlines());
    mnuTable_Insert_Table.SetEnabled(e.CanInsertTable());
    for (ui::MenuItem* item : {&mnuTable_Insert_Table_ColumnToTheLeft, &mnuTable_Insert_Table_ColumnToTheRight,
                               &mnuTable_Insert_Table_RowAbove, &mnuTable_Insert_Table_RowBelow})
        item->SetEnabled(e.CanInsertRowOrColumn());
    for (ui::MenuItem* item : {&mnuTable_Delete, &mnuTable_Delete_Table, &mnuTable_Delete_Rows, &mnuTable_Delete_Column,
                               &mnuTable_Select, &mnuTable_Select_Table, &mnuTable_Select_Row, &mnuTable_Select_Cell,
                               &mnuTable_Properties})
        item->SetEnabled(inTable);
}

// ---------------------------------------------------------------- commands

void frmMDIChild::FirstPage() { RunCommand([] { GoToFirstPage(); }); }
void frmMDIChild::LastPage() { RunCommand([] { GoToLastPage(); }); }

// The find dialog, ready to find the next match; nothing calls it.
void frmMDIChild::FindNext() { ShowFindDialog(2); }

void frmMDIChild::StepListLevel(int delta) { tx::dialogs::StepListLevel(TXTextControl1.Engine(), delta); }

void frmMDIChild::ShowImageProperties() { ui::Forms::Get<frmImagePropDlg>().Show(ui::vbModal, this); }

void frmMDIChild::SetViewLayout(int index) {
    for (int i = 0; i < 3; ++i) mnuView_Layout[i].SetChecked(i == index);
    TXTextControl1->SetViewMode(index);
    PlacePageEndMarkers();
}

void frmMDIChild::SetZoom(int index) {
    TXTextControl1->SetZoomFactor(LeadingNumber(mnuView_ZoomItem[index].Caption()));
    PlacePageEndMarkers();
}
