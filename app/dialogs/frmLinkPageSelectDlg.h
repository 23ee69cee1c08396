#pragma once
// Link To Page: a thumbnail and a caption per page of the open module, or of another module chosen
// with Select Module; Set Link (or a double click) writes the chosen page's link target into the
// hyperlink dialog's target box. Only the rows in view have windows: the scroll bar moves whole
// rows, and each place shows the row its position and the scroll value give it. A thumbnail is
// drawn from its page file once per showing and painted from a bitmap after that; a page that
// cannot be read leaves its box blank. However the dialog closes, the print zoom of the editor's
// print control goes back to 100.

#include <string>

#include "app/dialogs/PageChooserRows.h"
#include "app/editor/StoredPage.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Handles.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

class frmLinkPageSelectDlg : public ui::Form {
public:
    ui::Label Label1{this, L"Label1"};
    ui::PictureBox Picture1{this, L"Picture1"};  // the viewport
    ui::PictureBox Picture2{this, L"Picture2"};  // the canvas of the rows in view
    ui::VScrollBar VScroll1{this, L"VScroll1"};
    ui::ControlArray<ui::PictureBox> Picture3{this, L"Picture3"};  // thumbnail boxes, one per place
    ui::ControlArray<ui::Label> Label5{this, L"Label5"};           // their captions
    ui::Frame fraPageInfo{this, L"fraPageInfo"};
    ui::Label Label2{this, L"Label2"};
    ui::Label Label3{this, L"Label3"};
    ui::Label Label4{this, L"Label4"};
    ui::Label Label6{this, L"Label6"};
    ui::Label Label7{this, L"Label7"};
    ui::Label Label8{this, L"Label8"};
    ui::CommandButton Command1{this, L"Command1"};
    ui::CommandButton Command2{this, L"Command2"};
    ui::CommandButton Command3{this, L"Command3"};

    // The hyperlink dialog's target box, which Set Link writes; set before the dialog is shown.
    ui::TextBox* TargetBox = nullptr;

    frmLinkPageSelectDlg();

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
    void Resize_Form();
    void Picture3_Paint(int Index);
    void Picture3_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Picture3_DblClick(int Index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void VScroll1_Change();

    const PageChooserRows& Rows() const { return rows_; }
    // The page row a place shows, -1 for a place below the last row.
    int RowOfPlace(int Index) const;
    // How many thumbnails were drawn from their page files in this showing.
    int ThumbnailsRendered() const { return thumbnails_.Rendered(); }

private:
    void SelectOtherModule();
    void ShowRows(PageChooserRows rows);
    // Gives every place its row after a scroll, a new selection or new rows.
    void PlaceRows();
    void ShowSelectedPageInfo();
    void ResetPrintZoom();

    PageChooserRows rows_;
    StoredPageImages thumbnails_;
    int places_ = 1;
    long rowHeight_ = 0;
    long laidOutWidth_ = -1, laidOutHeight_ = -1;  // the inner size the rows were laid out for
};
