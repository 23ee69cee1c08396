#include "app/dialogs/frmLinkPageSelectDlg.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/SharedCommands.h"
#include "app/editor/StoredPage.h"
#include "app/editor/frmMDIChild.h"
#include "base/Paths.h"

namespace {

constexpr unsigned long kRowColor = 0xFFFFFF;
constexpr unsigned long kSelectedRowColor = 0xE0E0E0;
constexpr long kThumbnailWidth = 1800;   // twips: a letter page at 14 %
constexpr long kThumbnailHeight = 2340;
constexpr long kCaptionHeight = 840;     // four lines
constexpr long kRowGap = 180;
constexpr long kFirstRowTop = 120;

std::vector<ChooserPage> PagesOf(std::int32_t count, const std::vector<std::wstring>& names,
                                 const std::vector<std::wstring>& types, const std::vector<std::wstring>& topics) {
    std::vector<ChooserPage> pages;
    pages.reserve(static_cast<size_t>(std::max(count, 0)));
    for (std::int32_t n = 1; n <= count; ++n)
        pages.push_back({names[static_cast<size_t>(n)], types[static_cast<size_t>(n)], topics[static_cast<size_t>(n)]});
    return pages;
}

}  // namespace

frmLinkPageSelectDlg::frmLinkPageSelectDlg() {
    SetCaption(L"Link To Page");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6960, 7740);

    Label1.SetCaption(L"Select a Page");
    Label1.Move(120, 120, 2700, 255);
    Picture1.Move(120, 420, 2700, 7200);
    Picture1.SetBackColor(kRowColor);
    Picture2.SetContainer(&Picture1);
    Picture2.SetBorderStyle(0);
    Picture2.SetBackColor(kRowColor);
    Picture2.Move(0, 0, 2670, 7170);
    VScroll1.Move(2820, 420, 255, 7200);

    ui::PictureBox& box = Picture3.Load(0);
    box.SetContainer(&Picture2);
    box.SetBackColor(kRowColor);
    box.Move(420, kFirstRowTop, kThumbnailWidth, kThumbnailHeight);
    ui::Label& caption = Label5.Load(0);
    caption.SetContainer(&Picture2);
    caption.SetCaption(L"Page 1");
    caption.SetUseMnemonic(false);
    caption.SetBackColor(kRowColor);  // opaque: a new caption repaints only itself
    caption.Move(120, kFirstRowTop + kThumbnailHeight + 30, 2460, kCaptionHeight);

    fraPageInfo.SetCaption(L"Selected Page Information");
    fraPageInfo.Move(3300, 420, 3540, 1560);
    const struct {
        ui::Label& name;
        const wchar_t* caption;
        ui::Label& value;
    } info[] = {{Label2, L"Module Number:", Label6}, {Label3, L"File Name:", Label7}, {Label4, L"Page Number:", Label8}};
    long top = 330;
    for (const auto& line : info) {
        line.name.SetContainer(&fraPageInfo);
        line.name.SetCaption(line.caption);
        line.name.Move(150, top, 1380, 255);
        line.value.SetContainer(&fraPageInfo);
        line.value.SetCaption(L"");
        line.value.SetUseMnemonic(false);
        line.value.Move(1560, top, 1860, 255);
        top += 360;
    }
    Command1.SetCaption(L"Select Module");
    Command1.Move(3300, 2160, 1560, 375);
    Command2.SetCaption(L"Set Link");
    Command2.Move(4080, 7245, 1320, 375);
    Command2.SetDefault(true);
    Command3.SetCaption(L"Cancel");
    Command3.Move(5520, 7245, 1320, 375);
    Command3.SetCancel(true);

    Picture3.Paint = [this](int index) { Picture3_Paint(index); };
    Picture3.MouseUp = [this](int index, int button, int shift, float x, float y) {
        Picture3_MouseUp(index, button, shift, x, y);
    };
    Picture3.DblClick = [this](int index) { Picture3_DblClick(index); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    VScroll1.Scroll = [this] { VScroll1_Change(); };
}

void frmLinkPageSelectDlg::Form_Load() {
    thumbnails_ = StoredPageImages();
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    App().PageList.GetAllPageInfo(count, names, types, topics);
    PageChooserRows rows;
    rows.Show(PagesOf(count, names, types, topics), false, App().ModuleCode, App().ModulePath);
    ShowRows(std::move(rows));
}

void frmLinkPageSelectDlg::Form_Resize() {
    // Showing the dialog resizes it to the size it has had since its load: nothing to lay out.
    if (IsLoaded() && (ScaleWidth() != laidOutWidth_ || ScaleHeight() != laidOutHeight_)) Resize_Form();
}

void frmLinkPageSelectDlg::Form_Unload(int& /*Cancel*/) {
    // Whichever way the dialog closes (Set Link, Cancel, Esc, the close box), the next printout
    // must come out at full size.
    ResetPrintZoom();
    thumbnails_.Clear();
}

void frmLinkPageSelectDlg::ResetPrintZoom() {
    if (frmMDIChild* editor = ActiveEditor(); editor != nullptr) editor->prtTXTextControl2->SetPrintZoom(100);
}

void frmLinkPageSelectDlg::ShowRows(PageChooserRows rows) {
    rows_ = std::move(rows);
    thumbnails_.Clear();
    ShowSelectedPageInfo();
    Resize_Form();
}

void frmLinkPageSelectDlg::Resize_Form() {
    laidOutWidth_ = ScaleWidth();
    laidOutHeight_ = ScaleHeight();
    VScroll1.Move(Picture1.Left() + Picture1.Width(), Picture1.Top(), VScroll1.Width(), Picture1.Height());
    Picture2.Move(0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight());
    rowHeight_ = Label5[0].Height() + Picture3[0].Height() + kRowGap;
    // Places for the rows a viewport shows, never more than there are rows.
    places_ = std::max(1, std::min(RowSlotsFor(Picture2.Height(), rowHeight_), rows_.Count()));
    for (int i : Picture3.Indexes())
        if (i >= places_) Picture3.Unload(i);
    for (int i : Label5.Indexes())
        if (i >= places_) Label5.Unload(i);
    for (int i = 1; i < places_; ++i) {
        if (!Picture3.Exists(i)) Picture3.Load(i);
        if (!Label5.Exists(i)) Label5.Load(i);
    }
    VScroll1.SetMin(0);
    VScroll1.SetValue(0);
    VScroll1.SetMax(std::max(rows_.Count() - 1, 0));
    VScroll1.SetSmallChange(1);
    VScroll1.SetLargeChange(2);
    VScroll1.SetEnabled(rows_.Count() > 1);
    PlaceRows();
}

int frmLinkPageSelectDlg::RowOfPlace(int Index) const {
    return Index < places_ ? RowInSlot(Index, VScroll1.Value(), rows_.Count()) : -1;
}

void frmLinkPageSelectDlg::PlaceRows() {
    for (int i = 0; i < places_; ++i) {
        ui::PictureBox& box = Picture3[i];
        ui::Label& caption = Label5[i];
        const int row = RowOfPlace(i);
        if (row < 0) {
            box.SetVisible(false);
            caption.SetVisible(false);
            continue;
        }
        // A scroll step changes every place's row: only what differs is set, each change costs a
        // repaint.
        const long top = kFirstRowTop + rowHeight_ * i;
        if (box.Top() != top) box.Move(box.Left(), top, box.Width(), box.Height());
        const long captionTop = top + box.Height() + 30;
        if (caption.Top() != captionTop) caption.Move(caption.Left(), captionTop, caption.Width(), caption.Height());
        const unsigned long back = row == rows_.Selected() ? kSelectedRowColor : kRowColor;
        if (box.BackColor() != back) box.SetBackColor(back);
        caption.SetCaption(rows_.Caption(row));
        if (!box.Visible()) box.SetVisible(true);
        if (!caption.Visible()) caption.SetVisible(true);
        box.Refresh();
    }
}

void frmLinkPageSelectDlg::Picture3_Paint(int Index) {
    const int row = RowOfPlace(Index);
    frmMDIChild* editor = ActiveEditor();
    if (row < 0 || editor == nullptr) return;
    ui::PictureBox& box = Picture3[Index];
    thumbnails_.Paint(*editor, rows_.Folder(), rows_.Page(row).name, box, box.ScaleWidth(), box.ScaleHeight());
}

void frmLinkPageSelectDlg::Picture3_MouseUp(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
    const int row = RowOfPlace(Index);
    if (row < 0) return;
    rows_.Select(row);
    ShowSelectedPageInfo();
    PlaceRows();
}

void frmLinkPageSelectDlg::Picture3_DblClick(int Index) {
    const int row = RowOfPlace(Index);
    if (row < 0) return;
    rows_.Select(row);
    Command2_Click();
}

void frmLinkPageSelectDlg::ShowSelectedPageInfo() {
    const int row = rows_.Selected();
    Label6.SetCaption(row >= 0 ? rows_.ModuleCode() : std::wstring());
    Label7.SetCaption(row >= 0 ? rows_.Page(row).name : std::wstring());
    Label8.SetCaption(row >= 0 ? std::to_wstring(row + 1) : std::wstring());
}

void frmLinkPageSelectDlg::Command1_Click() {
    RunCommand([this] { SelectOtherModule(); });
}

void frmLinkPageSelectDlg::SelectOtherModule() {
    const std::wstring folder = zv::ParentFolder(ChooseModuleMarker());

    // The other module's list and code only: the open module's code, counter, name and pages stay.
    // A map that cannot be read leaves the rows shown as they were.
    AppState& app = App();
    app.TempPageList.InitTempLinkedList();
    std::int16_t counter = 0;
    std::wstring code, name;
    app.TempPageList.LoadExistingTempList(folder + L"\\Map.txt", counter, code, name, folder);
    app.TempModulePath = folder;
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    app.TempPageList.GetAllTempPageInfo(count, names, types, topics);
    PageChooserRows rows;
    rows.Show(PagesOf(count, names, types, topics), true, code, folder);
    ShowRows(std::move(rows));
}

void frmLinkPageSelectDlg::Command2_Click() {
    const auto target = rows_.LinkTarget();
    if (!target) return;  // nothing chosen yet: Set Link waits for a click on a page
    if (TargetBox != nullptr) TargetBox->SetText(*target);
    Unload();
}

void frmLinkPageSelectDlg::Command3_Click() { Unload(); }

void frmLinkPageSelectDlg::VScroll1_Change() { PlaceRows(); }
