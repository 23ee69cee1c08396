#pragma once
// The page editor: one window per open module, showing one page of it at a time in its text
// control. The rest of the program reaches it only as the frame's active child, through the
// members below; the page walk (app/core/PageWalk.h) through PageEditor.
//
// Where its code lives: the window itself (start-up, closing, size) in frmMDIChild.cpp; what it does
// on the text control's events in EditorEvents.cpp; its menus in EditorMenus.cpp; tables, spelling,
// automatic links and movies in EditorTables.cpp, EditorSpelling.cpp, EditorAutoLinks.cpp and
// EditorMovies.cpp.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/core/AutoLinks.h"
#include "app/core/PageWalk.h"
#include "app/core/frmPageTypeDlg.h"
#include "components/spelling/DictionaryNames.h"
#include "components/spelling/win32/VSSpell.h"
#include "components/spelling/win32/VSThesaurus.h"
#include "app/editor/OnePage.h"
#include "app/editor/TableCommands.h"
#include "components/textcontrol/win32/TXRuler.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "components/textcontrol/win32/TextControlEvents.h"
#include "ui/Form.h"
#include "ui/Line.h"
#include "ui/Menu.h"
#include "ui/PictureBox.h"
#include "ui/Timer.h"
#include "ui/activex/ActiveXControl.h"

// The one page an editor allows, in twips.
inline constexpr int kEditorPageWidth = 15228;
inline constexpr int kEditorPageHeight = 9618;

class frmMDIChild : public ui::Form,
                    public PageEditor,
                    private tx::TextControlEvents,
                    private sp::SpellEvents,
                    private sp::ThesaurusEvents {
public:
    tx::TXTextControl TXTextControl1{this, L"TXTextControl1"};
    tx::TXTextControl prtTXTextControl2{this, L"prtTXTextControl2"};
    tx::TXRuler TXRuler1{this, L"TXRuler1"};
    ui::PictureBox Picture1{this, L"Picture1"};
    ui::Line Line1{this, L"Line1"};
    ui::Timer Timer1{this, L"Timer1"};

    // ---- spelling and the thesaurus (EditorSpelling.cpp) ----
    sp::VSSpell VSSpell1{this, L"VSSpell1"};  // the whole page, with its own dialog
    sp::VSSpell VSSpell2{this, L"VSSpell2"};  // a range, the editor's suggestion menu at the word
    sp::VSThesaurus VSThesaurus1{this, L"VSThesaurus1"};
    ui::MenuItem pmnuSuggestions{this, L"pmnuSuggestions", L"Suggestions"};
    ui::MenuArray pmnuSuggestion_Word{pmnuSuggestions, L"pmnuSuggestion_Word"};
    // ---- menus (EditorMenus.cpp) ----
    ui::MenuItem mnuFile{this, L"mnuFile", L"&File"};
    ui::MenuItem mnuFile_New{mnuFile, L"mnuFile_New", L"&New"};
    ui::MenuItem mnuFile_Open{mnuFile, L"mnuFile_Open", L"&Open..."};
    ui::MenuItem mnuFileSave{mnuFile, L"mnuFileSave", L"&Save"};
    ui::MenuItem mnuFile_SaveAs{mnuFile, L"mnuFile_SaveAs", L"Sa&ve As..."};
    ui::MenuItem mnuFiSep1{mnuFile, L"mnuFiSep1", L"-"};
    ui::MenuItem mnuFile_PageSetup{mnuFile, L"mnuFile_PageSetup", L"Page Setup"};
    ui::MenuItem mnuFile_PrintPreview{mnuFile, L"mnuFile_PrintPreview", L"P&rint Preview"};
    ui::MenuItem mnuFile_Print{mnuFile, L"mnuFile_Print", L"&Print..."};
    ui::MenuItem mnuFiSep4{mnuFile, L"mnuFiSep4", L"-"};
    ui::MenuItem mnuFile_Exit{mnuFile, L"mnuFile_Exit", L"E&xit"};

    ui::MenuItem mnuEdit{this, L"mnuEdit", L"&Edit"};
    ui::MenuItem mnuEdit_Undo{mnuEdit, L"mnuEdit_Undo", L"&Undo"};
    ui::MenuItem mnuEdit_Redo{mnuEdit, L"mnuEdit_Redo", L"&Redo"};
    ui::MenuItem mnuEdSep1{mnuEdit, L"mnuEdSep1", L"-"};
    ui::MenuItem mnuEdit_Cut{mnuEdit, L"mnuEdit_Cut", L"Cu&t"};
    ui::MenuItem mnuEdit_Copy{mnuEdit, L"mnuEdit_Copy", L"&Copy"};
    ui::MenuItem mnuEdit_Paste{mnuEdit, L"mnuEdit_Paste", L"&Paste"};
    ui::MenuItem mnuEdit_Delete{mnuEdit, L"mnuEdit_Delete", L"&Delete"};
    ui::MenuItem mnuEdSep2{mnuEdit, L"mnuEdSep2", L"-"};
    ui::MenuItem mnuEdit_Find{mnuEdit, L"mnuEdit_Find", L"&Find..."};
    ui::MenuItem mnuEdSep3{mnuEdit, L"mnuEdSep3", L"-"};
    ui::MenuItem mnuEdit_Hyperlink{mnuEdit, L"mnuEdit_Hyperlink", L"Hyperlink..."};
    ui::MenuItem mnuEdSep4{mnuEdit, L"mnuEdSep4", L"-"};
    ui::MenuItem mnuEdit_SelectAll{mnuEdit, L"mnuEdit_SelectAll", L"Select &All"};
    ui::MenuItem mnuEdSep6{mnuEdit, L"mnuEdSep6", L"-"};
    ui::MenuItem mnuEdit_Thesaurus{mnuEdit, L"mnuEdit_Thesaurus", L"&Thesaurus"};

    ui::MenuItem mnuDocument{this, L"mnuDocument", L"&Document"};
    ui::MenuItem mnuDocument_FirstPage{mnuDocument, L"mnuDocument_FirstPage", L"&First Page"};
    ui::MenuItem mnuDocument_NextPage{mnuDocument, L"mnuDocument_NextPage", L"&Next Page"};
    ui::MenuItem mnuDocument_PreviousPage{mnuDocument, L"mnuDocument_PreviousPage", L"&Previous Page"};
    ui::MenuItem mnuDocument_LastPage{mnuDocument, L"mnuDocument_LastPage", L"&Last Page"};
    ui::MenuItem mnuDocument_Sep{mnuDocument, L"mnuDocument_Sep", L"-"};
    ui::MenuItem mnuDocument_GoToPage{mnuDocument, L"mnuDocument_GoToPage", L"&Go To Page"};
    ui::MenuItem mnuDocument_InsertPage{mnuDocument, L"mnuDocument_InsertPage", L"&Insert Page"};
    ui::MenuItem mnuDocument_Before{mnuDocument_InsertPage, L"mnuDocument_Before", L"&Before Current Page"};
    ui::MenuItem mnuDocument_After{mnuDocument_InsertPage, L"mnuDocument_After", L"&After Current Page"};
    ui::MenuItem mnuDocument_DeletePage{mnuDocument, L"mnuDocument_DeletePage", L"&Delete Page"};

    ui::MenuItem mnuView{this, L"mnuView", L"&View"};
    ui::MenuArray mnuView_Layout{mnuView, L"mnuView_Layout"};  // 0 normal, 1 page layout, 2 centred
    ui::MenuItem mnuVSep1{mnuView, L"mnuVSep1", L"-"};
    ui::MenuItem mnuView_Toolbar{mnuView, L"mnuView_Toolbar", L"&Tool Bar"};
    ui::MenuItem mnuView_ParagraphBar{mnuView, L"mnuView_ParagraphBar", L"P&aragraph Bar"};
    ui::MenuItem mnuView_Ruler{mnuView, L"mnuView_Ruler", L"&Ruler"};
    ui::MenuItem mnuView_StatusBar{mnuView, L"mnuView_StatusBar", L"&Status Bar"};
    ui::MenuItem mnuVSep3{mnuView, L"mnuVSep3", L"-"};
    ui::MenuItem mnuView_Zoom{mnuView, L"mnuView_Zoom", L"&Zoom"};
    ui::MenuArray mnuView_ZoomItem{mnuView_Zoom, L"mnuView_ZoomItem"};
    ui::MenuItem mnuVSep4{mnuView, L"mnuVSep4", L"-"};
    ui::MenuItem mnuTools_TravosePreview{mnuView, L"mnuTools_TravosePreview", L"&Travose Preview"};

    ui::MenuItem mnuInsert{this, L"mnuInsert", L"&Insert"};
    ui::MenuItem mnuInsert_Text{mnuInsert, L"mnuInsert_Text", L"&Text..."};
    ui::MenuItem mnuInsert_Sep1{mnuInsert, L"mnuInsert_Sep1", L"-"};
    ui::MenuItem mnuInsert_Image{mnuInsert, L"mnuInsert_Image", L"&Image"};
    ui::MenuItem mnuInsert_ImageAtCaretPosition{mnuInsert_Image, L"mnuInsert_ImageAtCaretPosition", L"&At Caret Position..."};
    ui::MenuItem mnuInsert_ImageAsFixedObject{mnuInsert_Image, L"mnuInsert_ImageAsFixedObject", L"As &Fixed Object..."};
    ui::MenuItem mnuMovie{mnuInsert, L"mnuMovie", L"&Movie"};
    ui::MenuItem mnuInsert_Flash_Movie{mnuMovie, L"mnuInsert_Flash_Movie", L"&Flash Move..."};
    ui::MenuItem mnuInsert_Shockwave_Movie{mnuMovie, L"mnuInsert_Shockwave_Movie", L"Shockwave Movie..."};
    ui::MenuItem mnuInsert_WMV{mnuMovie, L"mnuInsert_WMV", L"Window Media Video..."};
    ui::MenuItem mnuInsert_Properties{mnuMovie, L"mnuInsert_Properties", L"Movie Properties"};
    ui::MenuItem mnuInsert_DelMovie{mnuMovie, L"mnuInsert_DelMovie", L"Delete Movie"};
    ui::MenuItem mnuInsert_Sep2{mnuInsert, L"mnuInsert_Sep2", L"-"};
    ui::MenuItem mnuInsert_Hypertext{mnuInsert, L"mnuInsert_Hypertext", L"Hypertext Link"};
    ui::MenuItem mnuInsert_RemoveHyperLink{mnuInsert, L"mnuInsert_RemoveHyperLink", L"Remove Hypertext Link"};

    ui::MenuItem mnuFormat{this, L"mnuFormat", L"F&ormat"};
    ui::MenuItem mnuFormat_Character{mnuFormat, L"mnuFormat_Character", L"&Character..."};
    ui::MenuItem mnuFormat_Paragraph{mnuFormat, L"mnuFormat_Paragraph", L"&Paragraph..."};
    ui::MenuItem mnuFormat_BulletsAndNumbering{mnuFormat, L"mnuFormat_BulletsAndNumbering", L"Bullets and &Numbering"};
    ui::MenuItem mnuFormat_BulletsAndNumbering_Attributes{mnuFormat_BulletsAndNumbering,
                                                          L"mnuFormat_BulletsAndNumbering_Attributes", L"&Attributes..."};
    ui::MenuItem mnuFormat_BulletsAndNumbering_IncreaseLevel{mnuFormat_BulletsAndNumbering,
                                                             L"mnuFormat_BulletsAndNumbering_IncreaseLevel", L"Increase Level"};
    ui::MenuItem mnuFormat_BulletsAndNumbering_DecreaseLevel{mnuFormat_BulletsAndNumbering,
                                                             L"mnuFormat_BulletsAndNumbering_DecreaseLevel", L"Decrease Level"};
    ui::MenuArray mnuFormat_BulletsAndNumbering_Symbols{mnuFormat_BulletsAndNumbering,
                                                        L"mnuFormat_BulletsAndNumbering_Symbols"};
    ui::MenuItem mnuFormat_BulletsAndNumbering_Bullets{mnuFormat_BulletsAndNumbering,
                                                       L"mnuFormat_BulletsAndNumbering_Bullets", L"Bullets"};
    ui::MenuItem mnuFormat_Tabs{mnuFormat, L"mnuFormat_Tabs", L"T&abs..."};
    ui::MenuItem mnuFormat_Style{mnuFormat, L"mnuFormat_Style", L"&Style..."};
    ui::MenuItem mnuFSep1{mnuFormat, L"mnuFSep1", L"-"};
    ui::MenuItem mnuFormat_Frames{mnuFormat, L"mnuFormat_Frames", L"Paragraph &Frames..."};
    ui::MenuItem mnuFSep2{mnuFormat, L"mnuFSep2", L"-"};
    ui::MenuItem mnuFormat_TColor{mnuFormat, L"mnuFormat_TColor", L"&Text Color..."};
    ui::MenuItem mnuFormat_BColor{mnuFormat, L"mnuFormat_BColor", L"&Background Color..."};
    ui::MenuItem mnuFormat_Image{mnuFormat, L"mnuFormat_Image", L"&Image..."};

    ui::MenuItem mnuTable{this, L"mnuTable", L"&Table"};
    ui::MenuItem mnuTable_Insert{mnuTable, L"mnuTable_Insert", L"&Insert"};
    ui::MenuItem mnuTable_Insert_Table{mnuTable_Insert, L"mnuTable_Insert_Table", L"&Table..."};
    ui::MenuItem SepTI1{mnuTable_Insert, L"SepTI1", L"-"};
    ui::MenuItem mnuTable_Insert_Table_ColumnToTheLeft{mnuTable_Insert, L"mnuTable_Insert_Table_ColumnToTheLeft",
                                                       L"Column to the &Left"};
    ui::MenuItem mnuTable_Insert_Table_ColumnToTheRight{mnuTable_Insert, L"mnuTable_Insert_Table_ColumnToTheRight",
                                                        L"Column to the &Right"};
    ui::MenuItem SepTI2{mnuTable_Insert, L"SepTI2", L"-"};
    ui::MenuItem mnuTable_Insert_Table_RowAbove{mnuTable_Insert, L"mnuTable_Insert_Table_RowAbove", L"Row &Above"};
    ui::MenuItem mnuTable_Insert_Table_RowBelow{mnuTable_Insert, L"mnuTable_Insert_Table_RowBelow", L"Row &Below"};
    ui::MenuItem mnuTable_Delete{mnuTable, L"mnuTable_Delete", L"&Delete"};
    ui::MenuItem mnuTable_Delete_Table{mnuTable_Delete, L"mnuTable_Delete_Table", L"&Table"};
    ui::MenuItem mnuTable_Delete_Column{mnuTable_Delete, L"mnuTable_Delete_Column", L"&Column"};
    ui::MenuItem mnuTable_Delete_Rows{mnuTable_Delete, L"mnuTable_Delete_Rows", L"&Rows"};
    ui::MenuItem mnuTable_Select{mnuTable, L"mnuTable_Select", L"&Select"};
    ui::MenuItem mnuTable_Select_Table{mnuTable_Select, L"mnuTable_Select_Table", L"&Table"};
    ui::MenuItem mnuTable_Select_Row{mnuTable_Select, L"mnuTable_Select_Row", L"&Row"};
    ui::MenuItem mnuTable_Select_Cell{mnuTable_Select, L"mnuTable_Select_Cell", L"&Cell"};
    ui::MenuItem mnuTable_GridLines{mnuTable, L"mnuTable_GridLines", L"&Grid lines"};
    ui::MenuItem mnuTable_Properties{mnuTable, L"mnuTable_Properties", L"&Properties..."};

    // The table popup: nothing pops it up; each item does what its twin in the Table or Edit
    // menu does.
    ui::MenuItem pmnuTable{this, L"pmnuTable", L"Popup_TableMenu"};
    ui::MenuItem pmnuTable_Insert_Table_ColumnToTheLeft{pmnuTable, L"pmnuTable_Insert_Table_ColumnToTheLeft",
                                                        L"Column to the Left"};
    ui::MenuItem pmnuTable_Insert_Table_ColumnToTheRight{pmnuTable, L"pmnuTable_Insert_Table_ColumnToTheRight",
                                                         L"Column to the Right"};
    ui::MenuItem pmnuTable_Insert_Table_Row_Above{pmnuTable, L"pmnuTable_Insert_Table_Row_Above", L"Row Above"};
    ui::MenuItem pmnuTable_Insert_Table_Row_Below{pmnuTable, L"pmnuTable_Insert_Table_Row_Below", L"Row Below"};
    ui::MenuItem pmnuTable_Sep1{pmnuTable, L"pmnuTable_Sep1", L"-"};
    ui::MenuItem pmnuTable_Delete_Table{pmnuTable, L"pmnuTable_Delete_Table", L"Table"};
    ui::MenuItem pmnuTable_Delete_Column{pmnuTable, L"pmnuTable_Delete_Column", L"Column"};
    ui::MenuItem pmnuTable_Delete_Row{pmnuTable, L"pmnuTable_Delete_Row", L"Row"};
    ui::MenuItem pmnuTable_Sep2{pmnuTable, L"pmnuTable_Sep2", L"-"};
    ui::MenuItem pmnuTable_Cut{pmnuTable, L"pmnuTable_Cut", L"Cut"};
    ui::MenuItem pmnuTable_Copy{pmnuTable, L"pmnuTable_Copy", L"Copy"};
    ui::MenuItem pmnuTable_Paste{pmnuTable, L"pmnuTable_Paste", L"Paste"};
    ui::MenuItem pmnuTable_Sep3{pmnuTable, L"pmnuTable_Sep3", L"-"};
    ui::MenuItem pmnuTable_Properties{pmnuTable, L"pmnuTable_Properties", L"Table Properties..."};

    ui::MenuItem mnuTools{this, L"mnuTools", L"Too&ls"};
    ui::MenuItem mnuTools_SpellCheck{mnuTools, L"mnuTools_SpellCheck", L"&Spell Check"};
    ui::MenuItem mnuTools_AssCreator{mnuTools, L"mnuTools_AssCreator", L"&Assessment Creator"};
    ui::MenuItem mnuTools_Convert{mnuTools, L"mnuTools_Convert", L"&Convert to Word"};

    ui::MenuItem mnuWindow{this, L"mnuWindow", L"&Window"};
    ui::MenuItem mnuWindow_Cascade{mnuWindow, L"mnuWindow_Cascade", L"&Cascade"};
    ui::MenuItem mnuWindow_TileHorizontal{mnuWindow, L"mnuWindow_TileHorizontal", L"Tile &Horizontal"};
    ui::MenuItem mnuWindow_TileVertical{mnuWindow, L"mnuWindow_TileVertical", L"Tile &Vertical"};
    ui::MenuItem mnuWindow_ArrangeIcons{mnuWindow, L"mnuWindow_ArrangeIcons", L"&Arrange Icons"};
    ui::MenuItem mnuWindow_Sep{mnuWindow, L"mnuWindow_Sep", L"-"};
    ui::MenuArray mnuWindow_WindowList{mnuWindow, L"mnuWindow_WindowList"};

    ui::MenuItem mnuHelp{this, L"mnuHelp", L"&Help"};
    ui::MenuItem mnuHelp_About{mnuHelp, L"mnuHelp_About", L"&About Morvend..."};

    // ---- public variables ----
    bool DirtyFlag = false;       // the page changed since it was last stored or loaded
    bool DeletingAction = false;  // a deletion longer than one page is under way
    std::int16_t HeaderFooterActive = 0;
    // The page's movie (EditorMovies.cpp): the container the editing control hosts and the one
    // player in it; the same for the hidden print control. Null while there is none.
    ui::PictureBox* objExt = nullptr;
    ui::ActiveXControl* objSWF = nullptr;
    ui::ActiveXControl* objDir = nullptr;
    ui::ActiveXControl* objVideo = nullptr;
    ui::PictureBox* PrtobjExt = nullptr;
    ui::ActiveXControl* PrtobjSWF = nullptr;
    ui::ActiveXControl* PrtobjDir = nullptr;
    ui::ActiveXControl* PrtobjVideo = nullptr;

    frmMDIChild();
    ~frmMDIChild() override;

    // ---- public procedures ----
    // Movies (EditorMovies.cpp). The players of the editing and the printing control go before
    // every page change; loading a page makes them again from its placeholder.
    void ResizeMovieScreen();
    void InsertMovieObject(HWND& MoviehWnd);
    void InsertPrtMovieObject(HWND& MoviehWnd);
    void InsertFlashMovie();
    void InsertPrintableFlashMovie();
    void InsertDirectorMovie();
    void InsertPrintableDirectorMovie();
    void InsertVideo();
    void InsertPrintableVideo();
    void RemoveMovieControl();
    void RemovePrtMovieControl();
    // Insert > Delete Movie and the toolbar's key: the selected object goes, with the page's
    // players; a movie placeholder's file goes at the next store once no page names it.
    void DeleteMovie();
    // The placeholder the editing control shows the page's movie for (0: none).
    int MoviePlaceholder();
    // Pastes the clipboard at the caret once and links the web addresses it brought
    // (EditorAutoLinks.cpp): the Edit menu and the toolbar paste through here.
    void PasteWithLinks();
    // Checks the words of the text from one position to another (either way round, cut to the
    // text); the first misspelt one gets the suggestion menu at the word.
    void CheckForSpellError(std::int32_t nStartPosition, std::int32_t nEndPosition);
    // Edit > Thesaurus: the synonyms of the selected word (of the word at the caret when nothing
    // is selected); a chosen one replaces that word alone.
    void mnuEdit_Thesaurus_Click();
    // Alt hides the page's movie player while the menu keys are used.
    void DisableMovie(int KeyCode);

    // Tables (EditorTables.cpp).
    void ColLeft();
    void ColRight();
    void init_pmnuTable();
    void subResizeTable();
    void InitTableDims(std::int16_t TableID);
    std::int32_t GetPercentAddedSubtracted(std::int32_t OldSize, std::int32_t NewSize, std::int16_t& Positive);
    std::int16_t GetCurrentTableID();
    void ResizeTableBorder(std::int16_t BorderWidth);
    void ResizeGridLines(std::int16_t LineWidth);

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Resize() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

    // Puts the page-end markers at the end of the one page, as the control shows it now.
    void PlacePageEndMarkers();
    // The first width: the whole page in view where the frame has the room.
    void OpenWideEnoughForThePage();
    // The text control fills the window below the ruler (when the ruler shows).
    void FitEditorToRuler();
    // Adjusts the menus that change when they open (the runtime runs these before a menu shows).
    void mnuEdit_Click();
    void mnuInsert_Click();
    void mnuFormat_Click();
    void mnuView_Click();
    void mnuTools_Click();
    void mnuTable_Click();

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    // ---- the page walk's view of the editor ----
    bool Dirty() const override { return DirtyFlag; }
    void SetDirty(bool dirty) override { DirtyFlag = dirty; }
    void LoadPage(const std::wstring& path) override;
    void StorePage(const std::wstring& path) override;
    void RemoveMovies() override { RemoveMovieControl(); }
    void ClearPage() override;
    PageTypeAnswer AskPageType(const PageTypeQuestion& question, const PageStore& store) override;
    void ShowPageName(const std::wstring& name) override;
    void EnableNext(bool enabled) override;
    void EnablePrevious(bool enabled) override;
    void RefreshToolbar() override;

    // The outer width, in pixels, of an editor window that shows the whole width of its page.
    static int WidthShowingWholePage();

private:
    // ---- the text control's events (EditorEvents.cpp) ----
    void Change() override;
    void FormatChanged() override;
    void ObjectChanged() override;
    // Cut, Copy, Undo and the rest of the toolbar follow the selection and the undo history.
    void StateChanged() override;
    void KeyDown(int& keyCode, int shift) override;
    void KeyPress(int& keyAscii) override;
    void KeyUp(int& keyCode, int shift) override;
    void MouseDown(int button, int shift, int x, int y) override;
    void MouseMove(int button, int shift, int x, int y) override;
    void MouseUp(int button, int shift, int x, int y) override;
    void FieldEntered(int fieldId) override;
    void FieldLinkHover(int fieldId, int& cursor) override;
    void FieldLinkClicked(int linkKind, const std::wstring& target) override;
    void ObjectClicked(int objectId) override;
    void ObjectDeselected() override;
    void ObjectGetName(int objectId, std::wstring& name) override;
    void ObjectCreateHostWindow(int objectId, HWND& hostWindow) override;
    void ObjectRestored(int objectId, const std::wstring& name) override;
    void HeaderFooterActivated(int kind) override;
    void HeaderFooterDeactivated() override;
    void TableCreated(int tableId) override;
    void TableResized(int tableId) override;
    void DragDrop(int x, int y) override;
    void VScroll(int scrollPosY) override;

    // What the control reports is acted on once it has finished with the input that caused it, so
    // that no message box or page change runs inside the control's own handling of a key or click.
    void AfterInput(std::function<void()> action);
    void RunAfterInput();
    void CheckOnePage();
    void FollowLink(int kind, const std::wstring& target);
    void RightButtonMenus();
    // The caret's line into view (after a jump to a mark).
    void ShowCaretLine();

    // ---- menu commands (EditorMenus.cpp) ----
    void WireMenus();
    void FirstPage();
    void LastPage();
    void FindNext();
    void StepListLevel(int delta);
    void ShowImageProperties();
    void SetViewLayout(int index);
    void SetZoom(int index);

    // ---- automatic links (EditorAutoLinks.cpp) ----
    zv::AutoLinker autoLinker_;
    // The toolbar waits while the linker works: the selection it moves over a word and back would
    // set the buttons on and off again, each a message and a repaint of the toolbar.
    class ToolbarHold {
    public:
        explicit ToolbarHold(frmMDIChild& editor);
        ~ToolbarHold();
        ToolbarHold(const ToolbarHold&) = delete;
        ToolbarHold& operator=(const ToolbarHold&) = delete;

    private:
        frmMDIChild& editor_;
    };
    int toolbarHeld_ = 0;
    bool toolbarDue_ = false;
    // The toolbar's buttons as the text and caret now are (at once, or once the linker is done).
    void ShowTextState();
    void AutoLinkKeyPress(int& KeyAscii);
    void AutoLinkRange(std::int32_t start, std::int32_t end);
    void StartAutoLinkMatchers(int position);

    // ---- movies (EditorMovies.cpp) ----
    // One side's movie: the editing control's or the print control's.
    struct MovieSide;
    MovieSide EditingSide();
    MovieSide PrintSide();
    void ShowMovieAgain();
    void BringBackUndoneMovie();
    void NameMovieObject(std::wstring& name);
    void RestoreMovie(int objectId, const std::wstring& storedName);
    void HostMovie(int objectId, HWND& hostWindow);
    void HostMovie(MovieSide side, int objectId, HWND& hostWindow);
    void RestoreOnSide(MovieSide side, int objectId, const std::wstring& storedName);
    void InsertMovieContainer(MovieSide side, HWND& MoviehWnd);
    ui::ActiveXControl* AddPlayer(MovieSide side, const wchar_t* name, const wchar_t* progId);
    ui::ActiveXControl* AddFlashPlayer(MovieSide side);
    void RemovePlayers(MovieSide side);
    void objExt_Resize();
    void objSWF_FSCommand(const std::wstring& command, const std::wstring& args);
    // The print control's events: its pages' movies get printable players.
    class PrintControlEvents : public tx::TextControlEvents {
    public:
        explicit PrintControlEvents(frmMDIChild& editor) : editor_(editor) {}
        void ObjectGetName(int objectId, std::wstring& name) override;
        void ObjectCreateHostWindow(int objectId, HWND& hostWindow) override;
        void ObjectRestored(int objectId, const std::wstring& name) override;

    private:
        frmMDIChild& editor_;
    };
    PrintControlEvents printEvents_{*this};
    // The fit flag of the page last restored into the print control: its own, so that drawing a
    // page there never changes the flag the editing control names a new movie with.
    std::wstring prtScaleMode_;

    // ---- tables (EditorTables.cpp) ----
    void SelectCurrentTable();
    void SelectCurrentRow();
    void SelectCurrentCell();
    // The table the mouse went down over (the one a drag of its border resizes or the right button
    // drags) is recorded, not the caret's: the click has not moved the caret yet.
    void RecordTableUnderMouse(int button, int x, int y);
    void DragTable();
    TableDims tableDims_;
    int dragTable_ = 0;  // the table under the right button when it went down

    bool ctrlFlag_ = false;    // the last key down was with Ctrl alone
    // The key last pressed with Ctrl held, until it comes up: a quick Ctrl+Right lets Ctrl go a
    // moment before the arrow, and is still the page move the author pressed.
    int ctrlChordKey_ = 0;
    bool insertMode_ = true;   // what the Insert key last set
    // Where the link under the mouse stands, one box per line, in the control's client pixels.
    std::vector<RECT> hoverRects_;
    int hoverField_ = 0;
    POINT mouse_{-1, -1};  // the last mouse position over the text, client pixels
    bool OverHoveredLink() const;
    std::vector<std::function<void()>> afterInput_;
    bool afterInputPosted_ = false;
    bool onePageCheckDue_ = false;

    // ---- spelling (EditorSpelling.cpp) ----
    void SetUpSpelling();
    void CheckDone(sp::VSSpell& sender, bool cancelled) override;
    void RangeCheckStarted(sp::VSSpell& sender) override;
    void BadWord(sp::VSSpell& sender, long start, long length) override;
    void WordChosen(sp::VSThesaurus& sender, const std::wstring& word) override;
    void pmnuSuggestion_Word_Click(int Index);
    // Screen pixels just below the start of the word at `position`.
    POINT SuggestionMenuPoint(long position);
    bool rangeCheckRunning_ = false;
    // The suggestions the menu offers now, items 1 to 5.
    std::vector<std::wstring> suggestionsShown_;
    // Where the thesaurus's word stands in the text while its window is open.
    long thesaurusStart_ = 0, thesaurusLength_ = 0;

    // Kept loaded (hidden) between page changes: making its windows anew cost a page change most
    // of its time. It goes when the editor goes.
    frmPageTypeDlg pageTypeDialog_;
};

// The user dictionary the spelling checker adds words to, in the program's folder.
using sp::kUserDictionaryName;
