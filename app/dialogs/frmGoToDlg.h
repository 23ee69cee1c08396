#pragma once
// Go To: a scrolling column of page thumbnails, each with a caption, from which the author opens a
// page by selecting it and pressing OK or by double-clicking it. Each thumbnail is the stored page
// file, drawn through the editor's hidden print control (app/editor/StoredPage.h).
//
// Only the rows in view have boxes: the scroll bar's value is the page in the first row, and the
// boxes show that page and those after it. A module of any length scrolls to its last row, and
// opening the view costs the same for ten pages or a thousand. Each page is drawn once per showing
// and painted from its bitmap after that, so scrolling back and forth costs copies.

#include <cstdint>
#include <string>
#include <vector>

#include "app/editor/StoredPage.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"
#include "ui/ScrollBar.h"

class frmMDIChild;

inline constexpr unsigned long kThumbnailColor = 0xFFFFFF;
inline constexpr unsigned long kSelectedThumbnailColor = 0xE0E0E0;
// The frame of the box's colour around each thumbnail's page, in twips: the selected one's grey
// shows in it. The page is fitted into the box's inner area less this frame.
inline constexpr long kThumbnailFrame = 90;

class frmGoToDlg : public ui::Form {
public:
    ui::Label Label1{this, L"Label1"};
    ui::PictureBox Picture1{this, L"Picture1"};
    ui::PictureBox Picture2{this, L"Picture2"};
    ui::ControlArray<ui::PictureBox> Picture3{this, L"Picture3"};
    ui::ControlArray<ui::Label> Label5{this, L"Label5"};
    ui::VScrollBar VScroll1{this, L"VScroll1"};
    ui::CommandButton Command1{this, L"Command1"};
    ui::CommandButton Command2{this, L"Command2"};

    // ---- dialog state ----
    std::int32_t PageCount = 0;
    std::vector<std::wstring> PageNames, PageTypes, TopicNames;  // 1-based, element 0 the list's head
    std::int32_t RowPitch = 0;
    std::int32_t SelectedIndex = 0;  // thumbnail i shows page i + 1
    bool SelectionShown = false;     // the first thumbnail starts selected without a highlight

    frmGoToDlg();

    // Builds the thumbnails and captions and lays the dialog out; before the dialog is shown.
    void InitCombo();
    void Resize_Form();

    // The thumbnail index (page - 1) a box shows now, -1 for a box showing none.
    int IndexOfBox(int box) const;
    // The box showing thumbnail `index` now, -1 when it is out of view.
    int BoxOfIndex(int index) const;
    // The caption under a thumbnail, as its box shows it.
    std::wstring CaptionOf(int index) const;
    // How many times a page was drawn from its file in this showing.
    int PagesDrawn() const { return images_.Rendered(); }

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click();
    void Command2_Click();
    void Picture3_DblClick(int Index);
    void Picture3_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Picture3_Paint(int Index);
    void VScroll1_Change();
    void VScroll1_Scroll();

private:
    // Puts pages into the boxes from the scroll bar's value on: captions, colours, visibility.
    void PlaceRows();
    void OpenPage(int index);
    int TopRow() const { return VScroll1.Value(); }

    frmMDIChild* editor_ = nullptr;
    int boxes_ = 0;  // boxes loaded (element 0 included)
    std::vector<int> shownIndex_;  // the thumbnail each box shows, -1 for none
    StoredPageImages images_;
};

// Document > Go To Page: the thumbnails of the active editor's module. A module without a stored
// page is told so instead.
void ShowGoToDialog();
