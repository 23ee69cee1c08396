#include "components/textcontrol/dialogs/TableDialogForm.h"

#include <utility>

#include "base/Error.h"

namespace tx {

TableDialogForm::TableDialogForm() : DialogForm(L"Table Properties", 5400, 3960) {
    fraApplyTo.SetCaption(L"Apply to");
    fraApplyTo.Move(120, 120, 5160, 600);
    optCells.SetContainer(&fraApplyTo);
    optCells.SetCaption(L"&Selected cells");
    optCells.Move(120, 270, 2280, 255);
    optTable.SetContainer(&fraApplyTo);
    optTable.SetCaption(L"Whole &table");
    optTable.Move(2640, 270, 2280, 255);

    lblColumnWidth.Move(240, 885, 2280, 240);
    txtColumnWidth.Move(2640, 840, 1080, 315);

    fraBorders.SetCaption(L"Borders");
    fraBorders.Move(120, 1275, 5160, 1500);
    const std::pair<ui::Label*, ui::TextBox*> boxes[] = {
        {&lblLeft, &txtLeft}, {&lblTop, &txtTop}, {&lblRight, &txtRight}, {&lblBottom, &txtBottom}};
    for (size_t i = 0; i < 4; ++i) {
        const long left = i % 2 ? 2640 : 120, top = i / 2 ? 720 : 300;
        boxes[i].first->SetContainer(&fraBorders);
        boxes[i].first->Move(left, top + 45, 1260, 240);
        boxes[i].second->SetContainer(&fraBorders);
        boxes[i].second->Move(left + 1320, top, 900, 315);
    }
    lblGridWidth.SetContainer(&fraBorders);
    lblGridWidth.Move(120, 1125, 2280, 240);
    txtGridWidth.SetContainer(&fraBorders);
    txtGridWidth.Move(2640, 1080, 1080, 315);

    fraBackground.SetCaption(L"Background");
    fraBackground.Move(120, 2895, 3240, 900);
    chkBackground.SetContainer(&fraBackground);
    chkBackground.SetCaption(L"&Colour");
    chkBackground.Move(120, 360, 960, 255);
    lblSwatch.SetContainer(&fraBackground);
    lblSwatch.SetBorderStyle(1);
    lblSwatch.SetBackStyle(1);
    lblSwatch.Move(1140, 330, 600, 315);
    cmdColor.SetContainer(&fraBackground);
    cmdColor.SetCaption(L"C&hoose...");
    cmdColor.Move(1860, 300, 1200, 375);

    optCells.Click = [this] { ShowCells(); };
    optTable.Click = [this] { ShowCells(); };
    chkBackground.Click = [this] { ShowSwatch(); };
    cmdColor.Click = [this] { ChooseColor(); };
    ButtonsLast();
}

void TableDialogForm::Form_Load() {
    const std::wstring unit = L" (" + dialogs::UnitName(unit_) + L"):";
    lblColumnWidth.SetCaption(L"Column &width" + unit);
    lblLeft.SetCaption(L"&Left" + unit);
    lblTop.SetCaption(L"T&op" + unit);
    lblRight.SetCaption(L"&Right" + unit);
    lblBottom.SetCaption(L"&Bottom" + unit);
    lblGridWidth.SetCaption(L"&Grid line width" + unit);
}

void TableDialogForm::ShowSelection() {
    // A caret in one cell means the table; a selection means its cells.
    const dialogs::CellRange selected = dialogs::SelectedCells(*engine_);
    const bool oneCell = selected.firstRow == selected.lastRow && selected.firstCol == selected.lastCol;
    if (oneCell && engine_->SelLength() == 0) optTable.SetValue(true);
    else optCells.SetValue(true);
    ShowCells();
}

void TableDialogForm::ShowCells() {
    if (!engine_) return;
    cells_ = optTable.Value() ? dialogs::WholeTable(*engine_, engine_->TableAtInputPos()) : dialogs::SelectedCells(*engine_);
    shown_ = dialogs::ShowTable(*engine_, cells_, unit_);
    txtColumnWidth.SetText(shown_.columnWidth);
    txtLeft.SetText(shown_.left);
    txtTop.SetText(shown_.top);
    txtRight.SetText(shown_.right);
    txtBottom.SetText(shown_.bottom);
    txtGridWidth.SetText(shown_.gridWidth);
    backColor_ = shown_.background ? shown_.backColor : 0xFFFFFF;
    chkBackground.SetValue(shown_.background ? 1 : shown_.backgroundMixed ? 2 : 0);
    ShowSwatch();
}

void TableDialogForm::ShowSwatch() {
    lblSwatch.SetVisible(chkBackground.Value() == 1);
    lblSwatch.SetBackColor(backColor_);
}

void TableDialogForm::ChooseColor() {
    dlgColor.Flags = 1;  // start from the colour shown
    dlgColor.CancelError = true;
    dlgColor.Color = backColor_;
    try {
        dlgColor.ShowColor();
    } catch (const zv::CancelError&) {
        return;
    }
    backColor_ = static_cast<Color>(dlgColor.Color & 0xFFFFFF);
    if (chkBackground.Value() != 1) chkBackground.SetValue(1);
    ShowSwatch();
}

dialogs::TableBoxes TableDialogForm::Entered() const {
    dialogs::TableBoxes b = shown_;
    b.columnWidth = txtColumnWidth.Text();
    b.left = txtLeft.Text();
    b.top = txtTop.Text();
    b.right = txtRight.Text();
    b.bottom = txtBottom.Text();
    b.gridWidth = txtGridWidth.Text();
    // Grey (the cells differ) leaves the backgrounds as they are.
    if (chkBackground.Value() != 2) {
        b.background = chkBackground.Value() == 1;
        b.backColor = b.background ? backColor_ : kNoColor;
    }
    return b;
}

bool TableDialogForm::Apply() {
    const auto read = dialogs::ReadTable(Entered(), shown_, unit_);
    if (!read.Ok()) {
        const std::pair<const wchar_t*, ui::TextBox*> boxes[] = {
            {L"Column width", &txtColumnWidth}, {L"Left border", &txtLeft},     {L"Top border", &txtTop},
            {L"Right border", &txtRight},       {L"Bottom border", &txtBottom}, {L"Grid line width", &txtGridWidth}};
        for (const auto& [caption, box] : boxes)
            if (read.error->box == caption) Refuse(*read.error, *box);
        return false;
    }
    dialogs::ApplyTable(*engine_, cells_, read.value);
    return true;
}

}  // namespace tx
