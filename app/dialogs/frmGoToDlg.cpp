#include "app/dialogs/frmGoToDlg.h"

#include "app/core/AppState.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/PageViewRules.h"
#include "app/editor/StoredPage.h"
#include "app/editor/frmMDIChild.h"
#include "ui/Constants.h"
#include "ui/MsgBox.h"
#include "ui/Twips.h"

frmGoToDlg::frmGoToDlg() {
    SetCaption(L"Go To");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(4260, 7020);

    Label1.SetCaption(L"Select a page:");
    Label1.Move(120, 120, 2400, 255);
    Picture1.Move(120, 420, 3540, 5760);
    Picture1.SetBackColor(0xFFFFFF);
    Picture2.SetContainer(&Picture1);
    Picture2.SetBorderStyle(0);
    Picture2.SetBackColor(0xFFFFFF);
    Picture2.Move(0, 0, 3480, 5700);

    // A thumbnail of the editor's page shape at 19 %, with room under it for a four-line caption.
    ui::PictureBox& thumbnail = Picture3.Load(0);
    thumbnail.SetContainer(&Picture2);
    thumbnail.SetBackColor(kThumbnailColor);
    thumbnail.Move(240, 120, 2880, 1819);
    ui::Label& caption = Label5.Load(0);
    caption.SetContainer(&Picture2);
    caption.SetCaption(L"Page 1");
    caption.SetBackColor(0xFFFFFF);
    caption.Move(240, 120 + 1819 + 30, 2880, 840);

    VScroll1.Move(3660, 420, 255, 5760);
    Command1.SetCaption(L"OK");
    Command1.Move(1380, 6450, 1140, 375);
    Command1.SetDefault(true);
    Command2.SetCaption(L"Cancel");
    Command2.Move(2640, 6450, 1140, 375);
    Command2.SetCancel(true);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Picture3.DblClick = [this](int i) { Picture3_DblClick(i); };
    Picture3.MouseUp = [this](int i, int b, int s, float x, float y) { Picture3_MouseUp(i, b, s, x, y); };
    Picture3.Paint = [this](int i) { Picture3_Paint(i); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    VScroll1.Scroll = [this] { VScroll1_Scroll(); };
}

void frmGoToDlg::Form_Load() {
    editor_ = ActiveEditor();
    SelectedIndex = 0;
    SelectionShown = false;
}

void frmGoToDlg::InitCombo() {
    if (!IsLoaded()) Load();
    RowPitch = Label5[0].Height() + Picture3[0].Height() + 180;
    App().PageList.GetAllPageInfo(PageCount, PageNames, PageTypes, TopicNames);
    // Boxes for the rows the viewport shows at most; they take the pages in view as it scrolls.
    const int rows = ThumbnailRowsInView(Picture1.ScaleHeight(), Picture3[0].Top(), RowPitch, 0, PageCount);
    boxes_ = rows > 0 ? rows : 1;
    for (int j = 1; j < boxes_; ++j) {
        ui::PictureBox& box = Picture3.Load(j);
        box.SetTop(Picture3[j - 1].Top() + RowPitch);
        ui::Label& caption = Label5.Load(j);
        caption.SetTop(box.Top() + box.Height() + 30);
    }
    Resize_Form();
}

void frmGoToDlg::Resize_Form() {
    VScroll1.Move(Picture1.Left() + Picture1.Width(), Picture1.Top(), VScroll1.Width(), Picture1.Height());
    Picture2.Move(0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight());
    VScroll1.SetMin(0);
    VScroll1.SetMax(PageCount > 1 ? PageCount - 1 : 0);
    VScroll1.SetSmallChange(1);
    VScroll1.SetLargeChange(2);
    VScroll1.SetValue(VScroll1.Min());
    PlaceRows();
}

std::wstring frmGoToDlg::CaptionOf(int index) const {
    const size_t i = static_cast<size_t>(index) + 1;
    if (index < 0 || i >= PageNames.size()) return L"";
    std::wstring caption = L"Page " + std::to_wstring(i) + L"\r\n" + L"Page Type: " + PageTypes[i] + L"\r\n";
    if (PageTypes[i] == L"Topic") caption += L"Topic Name: " + TopicNames[i] + L"\r\n";
    return caption + L"File Name: " + PageNames[i];
}

int frmGoToDlg::IndexOfBox(int box) const {
    const int index = TopRow() + box;
    return box >= 0 && box < boxes_ && index < PageCount ? index : -1;
}

int frmGoToDlg::BoxOfIndex(int index) const {
    const int box = index - TopRow();
    return box >= 0 && box < boxes_ && index < PageCount ? box : -1;
}

void frmGoToDlg::PlaceRows() {
    shownIndex_.resize(static_cast<size_t>(boxes_), -1);
    for (int box = 0; box < boxes_; ++box) {
        const int index = IndexOfBox(box);
        ui::PictureBox& thumbnail = Picture3[box];
        ui::Label& caption = Label5[box];
        // A scroll step gives every box another page: only what differs is set, since each change
        // costs a repaint.
        int& shown = shownIndex_[static_cast<size_t>(box)];
        if (index < 0) {
            if (thumbnail.Visible()) thumbnail.SetVisible(false);
            if (caption.Visible()) caption.SetVisible(false);
            shown = -1;
            continue;
        }
        const std::wstring text = CaptionOf(index);
        if (caption.Caption() != text) caption.SetCaption(text);
        if (!caption.Visible()) caption.SetVisible(true);
        const unsigned long back = SelectionShown && index == SelectedIndex ? kSelectedThumbnailColor : kThumbnailColor;
        if (thumbnail.BackColor() != back) thumbnail.SetBackColor(back);
        if (!thumbnail.Visible()) thumbnail.SetVisible(true);
        if (shown != index) thumbnail.Cls();  // painted with its new page when the dialog paints next
        shown = index;
    }
}

void frmGoToDlg::Form_Resize() {
    if (PageCount > 0) Resize_Form();
}

void frmGoToDlg::Form_Unload(int& /*Cancel*/) {
    // Every way out, the close box and Esc included, gives the print control its full size back.
    if (frmMDIChild* editor = editor_ != nullptr ? editor_ : ActiveEditor()) editor->prtTXTextControl2->SetPrintZoom(100);
    boxes_ = 1;
    shownIndex_.clear();
    images_.Clear();
    editor_ = nullptr;
}

void frmGoToDlg::OpenPage(int index) {
    if (index < 0 || index >= PageCount) return;
    const std::wstring name = PageNames[static_cast<size_t>(index) + 1];
    Unload();
    // A changed page is asked about first, as Next asks; Cancel there keeps the editor where it is.
    RunCommand([&] {
        if (!GoToPage(name)) return;
        App().CurrentPageNo = static_cast<std::int16_t>(index + 1);
        ShowPageCaption(name);
    });
}

void frmGoToDlg::Command1_Click() { OpenPage(SelectedIndex); }

void frmGoToDlg::Command2_Click() { Unload(); }

void frmGoToDlg::Picture3_DblClick(int Index) { OpenPage(IndexOfBox(Index)); }

void frmGoToDlg::Picture3_MouseUp(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
    const int index = IndexOfBox(Index);
    if (index < 0) return;
    const int before = BoxOfIndex(SelectedIndex);
    if (before >= 0) {
        Picture3[before].SetBackColor(kThumbnailColor);
        Picture3[before].Refresh();
    }
    Picture3[Index].SetBackColor(kSelectedThumbnailColor);
    Picture3[Index].Refresh();
    SelectedIndex = index;
    SelectionShown = true;
}

void frmGoToDlg::Picture3_Paint(int Index) {
    const int index = IndexOfBox(Index);
    if (index < 0 || editor_ == nullptr) return;
    ui::PictureBox& box = Picture3[Index];
    const int frame = ui::TwipsToPixelsX(kThumbnailFrame);
    const long fitWidth = box.ScaleWidth() - ui::PixelsToTwipsX(2 * frame);
    const long fitHeight = box.ScaleHeight() - ui::PixelsToTwipsY(2 * frame);
    images_.Paint(*editor_, App().ModulePath, PageNames[static_cast<size_t>(index) + 1], box, fitWidth, fitHeight, frame);
}

void frmGoToDlg::VScroll1_Change() { VScroll1_Scroll(); }

void frmGoToDlg::VScroll1_Scroll() { PlaceRows(); }

void ShowGoToDialog() {
    RunCommand([] {
        RequireEditor();
        if (!HasStoredPageOrSay()) return;
        frmGoToDlg dialog;
        dialog.InitCombo();
        dialog.Show(ui::vbModal);
    });
}
