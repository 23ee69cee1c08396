#include "app/dialogs/frmPageDlg.h"

#include "app/core/AppState.h"
#include "app/core/Units.h"
#include "app/dialogs/DecimalSeparator.h"

frmPageDlg::frmPageDlg() {
    SetCaption(L"Page Setup");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6180, 2820);

    fraMargins.SetCaption(L"Page margins");
    fraMargins.Move(120, 120, 2880, 2040);
    fraPaper.SetCaption(L"&Paper size");
    fraPaper.Move(3180, 120, 2880, 2040);

    struct Row {
        ui::Label& label;
        const wchar_t* caption;
        ui::TextBox& box;
        ui::Frame& frame;
        long top;
    };
    const Row rows[] = {
        {lblLeftMargin, L"&Left:", txtLeftMargin, fraMargins, 300},
        {lblTopMargin, L"&Top:", txtTopMargin, fraMargins, 720},
        {lblRightMargin, L"&Right:", txtRightMargin, fraMargins, 1140},
        {lblBottomMargin, L"&Bottom:", txtBottomMargin, fraMargins, 1560},
        {lblPaperWidth, L"&Width:", txtPaperWidth, fraPaper, 1140},
        {lblPaperHeight, L"&Height:", txtPaperHeight, fraPaper, 1560},
    };
    int index = 0;
    for (const Row& row : rows) {
        row.label.SetContainer(&row.frame);
        row.label.SetCaption(row.caption);
        row.label.Move(180, row.top + 45, 840, 255);
        row.box.SetContainer(&row.frame);
        row.box.Move(1080, row.top, 1020, 315);
        ui::Label& unit = lblMeasurement.Load(index++);
        unit.SetContainer(&row.frame);
        unit.Move(2160, row.top + 45, 600, 255);
    }
    cboPaperSize.SetContainer(&fraPaper);
    cboPaperSize.SetStyle(2);
    cboPaperSize.Move(180, 360, 2520, 315);

    btnOK.SetCaption(L"OK");
    btnOK.Move(3660, 2310, 1140, 375);
    btnOK.SetDefault(true);
    btnCancel.SetCaption(L"Cancel");
    btnCancel.Move(4920, 2310, 1140, 375);
    btnCancel.SetCancel(true);

    btnOK.Click = [this] { btnOK_Click(); };
    btnCancel.Click = [this] { btnCancel_Click(); };
    cboPaperSize.Click = [this] { cboPaperSize_Click(); };
    for (ui::TextBox* box : Boxes()) box->Change = [this] { EntryChanged(); };
    txtPaperWidth.LostFocus = [this] { txtPaperWidth_LostFocus(); };
    txtPaperHeight.LostFocus = [this] { txtPaperHeight_LostFocus(); };
}

std::array<ui::TextBox*, frmPageDlg::kBoxCount> frmPageDlg::Boxes() {
    return {&txtLeftMargin, &txtTopMargin, &txtRightMargin, &txtBottomMargin, &txtPaperWidth, &txtPaperHeight};
}

void frmPageDlg::Form_Load() {
    separator_ = LocaleDecimalSeparator();
    for (int i = 0; i < kBoxCount; ++i) lblMeasurement[i].SetCaption(UnitLabel(App().MeasureUnit));
    cboPaperSize.Clear();
    for (const PaperPreset& p : kPaperPresets) cboPaperSize.AddItem(p.name);
    cboPaperSize.AddItem(kUserDefinedName);
    if (tx == nullptr) return;
    const tx::TextEngine& engine = tx->Engine();
    ShowLength(kLeft, engine.PageMarginL());
    ShowLength(kTop, engine.PageMarginT());
    ShowLength(kRight, engine.PageMarginR());
    ShowLength(kBottom, engine.PageMarginB());
    ShowLength(kWidth, engine.PageWidth());
    ShowLength(kHeight, engine.PageHeight());
    // The list names the page it opens on; a page a few twips off a preset keeps its own size, so
    // that OK without an edit leaves the page as it was.
    auto click = std::move(cboPaperSize.Click);
    cboPaperSize.SetListIndex(::MatchPaperSize(engine.PageWidth(), engine.PageHeight()));
    cboPaperSize.Click = std::move(click);
}

void frmPageDlg::ShowLength(Box box, std::int32_t twips) {
    shown_[box] = {Twips2DlgString(twips, separator_), twips};
    Boxes()[box]->SetText(shown_[box].text);
}

std::optional<std::int32_t> frmPageDlg::Length(Box box) {
    return LengthOfEntry(Boxes()[box]->Text(), shown_[box], App().MeasureUnit, separator_);
}

PageEntries frmPageDlg::Entries() {
    return {Length(kLeft), Length(kTop), Length(kRight), Length(kBottom), Length(kWidth), Length(kHeight)};
}

bool frmPageDlg::ValidatePageEntries() { return ::ValidatePageEntries(Entries()); }

void frmPageDlg::EntryChanged() { btnOK.SetEnabled(ValidatePageEntries()); }

void frmPageDlg::cboPaperSize_Click() {
    const int preset = PresetIndex(cboPaperSize.Text());
    if (preset < 0) return;  // "User Defined" keeps the typed size
    ShowLength(kWidth, kPaperPresets[static_cast<size_t>(preset)].width);
    ShowLength(kHeight, kPaperPresets[static_cast<size_t>(preset)].height);
}

void frmPageDlg::MatchPaperSize() {
    const int index = ::MatchPaperSize(Length(kWidth), Length(kHeight));
    // Choosing the entry already chosen still puts the preset's exact size in the boxes.
    if (cboPaperSize.ListIndex() == index) {
        cboPaperSize_Click();
    } else {
        cboPaperSize.SetListIndex(index);
    }
}

void frmPageDlg::txtPaperWidth_LostFocus() { MatchPaperSize(); }
void frmPageDlg::txtPaperHeight_LostFocus() { MatchPaperSize(); }

void frmPageDlg::btnOK_Click() {
    const PageEntries e = Entries();
    // OK is only enabled while every entry holds; a click that comes anyway changes nothing.
    if (tx != nullptr && ::ValidatePageEntries(e)) {
        tx::TextEngine& engine = tx->Engine();
        engine.SetPageMarginL(*e.left);
        engine.SetPageMarginT(*e.top);
        engine.SetPageMarginR(*e.right);
        engine.SetPageMarginB(*e.bottom);
        engine.SetPageWidth(*e.width);
        engine.SetPageHeight(*e.height);
    }
    Unload();
}

void frmPageDlg::btnCancel_Click() { Unload(); }
