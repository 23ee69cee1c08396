#include "app/dialogs/frmTableProp_Dlg.h"

#include <string>
#include <vector>

#include "app/core/SharedCommands.h"
#include "app/dialogs/TablePropRules.h"
#include "app/editor/frmMDIChild.h"
#include "app/editor/TableCommands.h"
#include "base/Error.h"
#include "ui/MsgBox.h"
#include "ui/Twips.h"

namespace {

// The colour drop-down of the control library, by its class identifier, and the members the
// dialog calls, by their dispatch identifiers (fixed by the library's type library).
constexpr wchar_t kColorComboClass[] = L"{8A0F8F1E-F835-491A-A5B8-735256CABB99}";
enum ColorComboMember : DISPID {
    kAddColor = 0x60030010,
    kListCount = 0x6803000F,
    kListIndex = 0x6803000E,
    kColorValue = 0x6803000C,
    kEditColor = 0x60030014,
};

constexpr long kPreviewInset = 300;
constexpr int kTabs = 4;

}  // namespace

frmTableProp_Dlg::frmTableProp_Dlg() {
    SetCaption(L"Form1");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6600, 5040);

    TabStrip1.Move(120, 120, 6360, 4200);
    for (const wchar_t* tab : {L"&Table", L"&Row", L"Col&umn", L"C&ell"}) TabStrip1.AddTab(tab);
    for (int i = 0; i < kTabs; ++i) {
        ui::Frame& page = Frame1.Load(i);
        page.SetBorderStyle(0);
        page.Move(240, 480, 6120, 3720);
        page.SetVisible(i == 0);
    }

    Frame6.SetContainer(&Frame1[0]);
    Frame6.SetCaption(L"Border and Grid Lines");
    Frame6.Move(0, 0, 3600, 1680);
    Label1.SetContainer(&Frame6);
    Label1.SetCaption(L"Border Width:");
    Label1.Move(120, 300, 1320, 240);
    Combo1.SetContainer(&Frame6);
    Combo1.SetStyle(2);
    Combo1.Move(1560, 255, 1440, 315);
    Check1.SetContainer(&Frame6);
    Check1.SetCaption(L"Show grid lines");
    Check1.Move(120, 720, 2400, 255);
    Label5.SetContainer(&Frame6);
    Label5.SetCaption(L"Grid Width");
    Label5.Move(120, 1185, 1320, 240);
    Combo2.SetContainer(&Frame6);
    Combo2.SetStyle(2);
    Combo2.Move(1560, 1140, 1440, 315);

    Picture1.SetContainer(&Frame1[0]);
    Picture1.Move(3720, 120, 2280, 1560);
    Picture1.SetBackColor(0xFFFFFF);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Shape1, &Line1, &Line2}) c->SetContainer(&Picture1);
    // The preview: a table of two by two cells, its border drawn by the shape, its inner lines
    // by the two lines.
    Shape1.Move(kPreviewInset, kPreviewInset, 2280 - 2 * kPreviewInset - 60, 1560 - 2 * kPreviewInset - 60);
    Shape1.SetFillStyle(0);
    Shape1.SetBorderColor(0x0);
    const long midX = Shape1.Left() + Shape1.Width() / 2, midY = Shape1.Top() + Shape1.Height() / 2;
    Line1.SetPoints(midX, Shape1.Top(), midX, Shape1.Top() + Shape1.Height());
    Line2.SetPoints(Shape1.Left(), midY, Shape1.Left() + Shape1.Width(), midY);
    Line1.SetBorderColor(0x0);
    Line2.SetBorderColor(0x0);

    Frame4.SetContainer(&Frame1[0]);
    Frame4.SetCaption(L"Cell Margins:");
    Frame4.Move(0, 1800, 2520, 1860);
    const wchar_t* sides[] = {L"Left:", L"Top:", L"Right:", L"Bottom:"};
    for (int i = 0; i < 4; ++i) {
        ui::Label& label = Label6.Load(i);
        label.SetContainer(&Frame4);
        label.SetCaption(sides[i]);
        label.Move(120, 300 + i * 375, 840, 240);
        ui::ComboBox& list = List2.Load(i);
        list.SetContainer(&Frame4);
        list.SetStyle(2);
        list.Move(1020, 255 + i * 375, 1320, 315);
    }

    Frame2.SetContainer(&Frame1[0]);
    Frame2.SetCaption(L"Background");
    Frame2.Move(2640, 1800, 3480, 1860);
    Option1.SetContainer(&Frame2);
    Option1.SetCaption(L"None");
    Option1.Move(120, 300, 1500, 255);
    Option2.SetContainer(&Frame2);
    Option2.SetCaption(L"User Defined");
    Option2.Move(120, 660, 1800, 255);
    ColorCombo1.SetContainer(&Frame2);
    ColorCombo1.SetClassName(kColorComboClass);
    ColorCombo1.Move(360, 1020, 2940, 315);
    Command3.SetContainer(&Frame2);
    Command3.SetCaption(L"Other...");
    Command3.Move(2100, 1440, 1200, 315);

    Command1.SetCaption(L"OK");
    Command1.SetDefault(true);
    Command1.Move(4080, 4500, 1140, 375);
    Command2.SetCaption(L"Cancel");
    Command2.SetCancel(true);
    Command2.Move(5340, 4500, 1140, 375);

    TabStrip1.Click = [this] { TabStrip1_Click(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Combo2.Click = [this] { Combo2_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

int frmTableProp_Dlg::TwipsPerPixel() const { return static_cast<int>(ui::PixelsToTwipsX(1)); }

long frmTableProp_Dlg::ListIndex() { return ColorCombo1.Get(kListIndex).AsLong(); }
long frmTableProp_Dlg::ListCount() { return ColorCombo1.Get(kListCount).AsLong(); }
std::uint32_t frmTableProp_Dlg::ColorValue(long index) {
    return static_cast<std::uint32_t>(ColorCombo1.Get(kColorValue, {ui::OleVariant::Long(index)}).AsLong());
}

bool frmTableProp_Dlg::IsPredefinedColor(std::uint32_t SelColor, int& ColorListIndex) {
    std::vector<std::uint32_t> values;
    const long count = ListCount();
    for (long i = 0; i < count; ++i) values.push_back(ColorValue(i));
    ColorListIndex = FindColor(values, SelColor);
    return ColorListIndex >= 0;
}

void frmTableProp_Dlg::SetPreviewColor(std::uint32_t color) { Shape1.SetFillColor(color); }

void frmTableProp_Dlg::Form_Load() {
    table_ = 0;
    lastIndex_ = -1;
    // Nothing to show without the drop-down or without a table: say which, and close unchanged.
    if (ColorCombo1.Object() == nullptr) {
        ui::MsgBox(kNoColorComboMessage, ui::vbExclamation);
        Unload();
        return;
    }
    tx::TextEngine* engine = tx ? &tx->Engine() : nullptr;
    table_ = engine ? engine->TableAtInputPos() : 0;
    if (table_ <= 0) {
        table_ = 0;
        ui::MsgBox(kNoTableAtCaretMessage, ui::vbExclamation);
        Unload();
        return;
    }

    TabStrip1_Click();
    const int twipsPerPixel = TwipsPerPixel();
    const std::vector<std::wstring> entries = PixelListEntries();
    for (ui::ComboBox* list : {&Combo1, &Combo2, &List2[0], &List2[1], &List2[2], &List2[3]})
        for (const std::wstring& entry : entries) list->AddItem(entry);

    const int border = PixelListIndex(engine->TableCellAttribute(table_, 1, 1, tx::cell::kBorderWidth), twipsPerPixel);
    Combo1.SetListIndex(border);
    Shape1.SetBorderWidth(border + 1);

    int grid = 0;
    if (engine->TableGridlines()) {
        grid = PixelListIndex(engine->TableCellAttribute(table_, 1, 1, tx::cell::kGridLineWidth), twipsPerPixel);
        Check1.SetValue(1);
    } else {
        Check1.SetValue(0);
    }
    Line1.SetBorderWidth(grid + 1);
    Line2.SetBorderWidth(grid + 1);
    Line1.SetVisible(Check1.Value() == 1);
    Line2.SetVisible(Check1.Value() == 1);
    Combo2.SetListIndex(grid);

    for (const NamedTableColor& c : kTableColors)
        ColorCombo1.Call(kAddColor, {ui::OleVariant::Text(c.name), ui::OleVariant::Long(static_cast<long>(c.value))});
    const auto background = static_cast<std::uint32_t>(engine->TableCellAttribute(table_, 1, 1, tx::cell::kBackColor));
    const BackgroundChoice choice = ChooseBackground(background);
    if (choice.none) {
        // A table without a background: the page shows through its cells, as "None" says.
        Option1.SetValue(true);
        SetPreviewColor(static_cast<std::uint32_t>(tx->BackColor()));
    } else {
        if (choice.addOther)
            ColorCombo1.Call(kAddColor, {ui::OleVariant::Text(kOtherColorName), ui::OleVariant::Long(static_cast<long>(background))});
        int index = -1;
        if (!IsPredefinedColor(background, index)) index = static_cast<int>(ListCount()) - 1;
        ColorCombo1.Put(kListIndex, {ui::OleVariant::Long(index)});
        Option2.SetValue(true);
        SetPreviewColor(background);
    }
    lastIndex_ = static_cast<std::int16_t>(ListIndex());
    Timer1.SetInterval(100);
}

void frmTableProp_Dlg::TabStrip1_Click() {
    const int chosen = TabStrip1.SelectedIndex() - 1;
    if (chosen < 0 || chosen >= kTabs) return;
    ui::Frame& page = Frame1[chosen];
    page.Move(TabStrip1.ClientLeft(), TabStrip1.ClientTop(), TabStrip1.ClientWidth(), TabStrip1.ClientHeight());
    page.ZOrder(0);
    page.SetVisible(true);
    for (int i = 0; i < kTabs; ++i)
        if (i != chosen) Frame1[i].SetVisible(false);
}

void frmTableProp_Dlg::Combo1_Click() { Shape1.SetBorderWidth(Combo1.ListIndex() + 1); }

void frmTableProp_Dlg::Combo2_Click() {
    Line1.SetBorderWidth(Combo2.ListIndex() + 1);
    Line2.SetBorderWidth(Combo2.ListIndex() + 1);
}

void frmTableProp_Dlg::Check1_Click() {
    Line1.SetVisible(Check1.Value() == 1);
    Line2.SetVisible(Check1.Value() == 1);
}

void frmTableProp_Dlg::Option1_Click() {
    if (tx) SetPreviewColor(static_cast<std::uint32_t>(tx->BackColor()));
}

void frmTableProp_Dlg::Option2_Click() {
    const long index = ListIndex();
    if (index >= 0) SetPreviewColor(ColorValue(index));
}

void frmTableProp_Dlg::Timer1_Timer() {
    if (!IsLoaded() || ColorCombo1.Object() == nullptr) return;
    const long index = ListIndex();
    if (index == lastIndex_) return;
    lastIndex_ = static_cast<std::int16_t>(index);
    if (index >= 0) SetPreviewColor(ColorValue(index));
    Option2.SetValue(true);
}

void frmTableProp_Dlg::Command3_Click() { ChooseOtherColor(); }

void frmTableProp_Dlg::ChooseOtherColor() {
    const long count = ListCount();
    const bool hasOther = count > static_cast<long>(kTableColors.size());
    int index = -1;
    if (!hasOther) {
        CommonDialog1.Flags = 1;  // start from the colour given
        CommonDialog1.CancelError = true;
        const long current = ListIndex();
        CommonDialog1.Color = current >= 0 ? ColorValue(current) : 0;
        try {
            CommonDialog1.ShowColor();
        } catch (const zv::CancelError&) {
            return;
        }
        const auto chosen = static_cast<std::uint32_t>(CommonDialog1.Color);
        if (!IsPredefinedColor(chosen, index)) {
            ColorCombo1.Call(kAddColor, {ui::OleVariant::Text(kOtherColorName), ui::OleVariant::Long(static_cast<long>(chosen))});
            index = static_cast<int>(ListCount()) - 1;
        }
    } else {
        // The drop-down's own colour dialog edits the "Other" entry in place; -1 is its cancel.
        const auto edited = static_cast<std::uint32_t>(ColorCombo1.Call(kEditColor, {ui::OleVariant::Long(count - 1)}).AsLong());
        if (!IsPredefinedColor(edited, index)) index = static_cast<int>(count) - 1;
    }
    ColorCombo1.Put(kListIndex, {ui::OleVariant::Long(index)});
    Option2.SetValue(true);
    SetPreviewColor(ColorValue(ListIndex()));
}

void frmTableProp_Dlg::Command1_Click() {
    tx::TextEngine* engine = tx ? &tx->Engine() : nullptr;
    // The table the dialog shows is the one it changes, wherever the record of the last click is.
    const int table = engine ? engine->TableAtInputPos() : 0;
    if (table != table_ || table <= 0) {
        ui::MsgBox(kNoTableAtCaretMessage, ui::vbExclamation);
        Unload();
        return;
    }
    // The editor's record is of the table clicked last, which need not be the caret's: it is made
    // the caret's, so that what the editor does with its table next is done to this one.
    if (frmMDIChild* editor = ActiveEditor(); editor != nullptr && &editor->TXTextControl1 == tx)
        editor->InitTableDims(static_cast<std::int16_t>(table));
    const long index = ListIndex();
    // "None" leaves the cells without a background, showing the page as the preview did.
    const std::uint32_t color = Option2.Value() && index >= 0 ? ColorValue(index) : kNoBackground;
    const int twipsPerPixel = TwipsPerPixel();
    const bool grid = Check1.Value() == 1;
    engine->SetTableGridlines(grid);
    // Every cell's colour, the outer border and the inner lines: one change, so one undo step,
    // one layout and one repaint.
    std::vector<tx::CellChange> changes{{0, 0, tx::cell::kBackColor, static_cast<int>(color)}};
    for (const auto& set : {TableBorderChanges(*engine, table, PixelListTwips(Combo1.ListIndex(), twipsPerPixel)),
                            GridLineChanges(*engine, table, grid ? PixelListTwips(Combo2.ListIndex(), twipsPerPixel) : 1)})
        changes.insert(changes.end(), set.begin(), set.end());
    engine->SetTableCellAttributes(table, changes);
    tx->Refresh();
    Unload();
}

void frmTableProp_Dlg::Command2_Click() { Unload(); }
