#include "app/dialogs/frmStylesDlg.h"

#include <algorithm>

#include "app/core/AppState.h"
#include "app/dialogs/DecimalSeparator.h"
#include "app/dialogs/StyleWords.h"

namespace {
constexpr wchar_t kAllStyles[] = L"All Styles";
constexpr wchar_t kStylesInUse[] = L"Styles in Use";
constexpr wchar_t kPreviewText[] = L"AaBbYyZz";
// The second line of each separator lies this far below the first: an etched double line.
constexpr long kEtchOffset = 10;
}  // namespace

frmStylesDlg::frmStylesDlg() {
    SetCaption(L"Style");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6600, 4680);

    const struct {
        const wchar_t* caption;
        long left, top, width;
    } labels[] = {{L"&Styles:", 120, 120, 2400},
                  {L"&List:", 120, 3660, 2400},
                  {L"Paragraph preview:", 2760, 120, 2400},
                  {L"Character preview:", 2760, 1200, 2400},
                  {L"Description", 2760, 2280, 2400}};
    for (int i = 0; i < 5; ++i) {
        ui::Label& l = Label2.Load(i);
        l.SetCaption(labels[i].caption);
        l.Move(labels[i].left, labels[i].top, labels[i].width, 255);
    }
    List1.Move(120, 390, 2400, 3150);
    Combo1.SetStyle(2);
    Combo1.Move(120, 3930, 2400, 315);
    for (int i = 0; i < 2; ++i) {
        ui::Label& preview = Label1.Load(i);
        preview.SetBorderStyle(1);
        preview.SetBackColor(0x00FFFFFF);
        preview.Move(2760, 390 + 1080 * i, 3720, 690);
    }
    Label4.SetWordWrap(true);
    Label4.Move(2760, 2550, 3720, 990);

    // Two separators: under the previews and above the buttons.
    const long separators[] = {2190, 3600};
    for (int i = 0; i < 2; ++i) {
        ui::Line& dark = Line1.Load(i);
        dark.SetBorderColor(0x80000010UL);  // button shadow
        dark.SetPoints(2760, separators[i], 6480, separators[i]);
        ui::Line& light = Line2.Load(i);
        light.SetBorderColor(0x80000014UL);  // button highlight
        light.SetPoints(2760, separators[i], 6480, separators[i]);
    }

    const struct {
        ui::CommandButton& button;
        const wchar_t* caption;
    } buttons[] = {{Command1, L"&New..."}, {Command2, L"&Modify..."}, {Command3, L"Delete"},
                   {Command5, L"&Apply"},  {Command4, L"Cancel"}};
    long left = 2760;
    for (const auto& b : buttons) {
        b.button.SetCaption(b.caption);
        b.button.Move(left, 3780, 690, 375);
        left += 750;
    }
    Command4.SetCancel(true);
    Command5.SetDefault(true);

    List1.Click = [this] { List1_Click(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
}

void frmStylesDlg::Form_Load() {
    for (int i = 0; i < 2; ++i) {
        ui::Line& first = Line1[i];
        Line2[i].SetPoints(first.X1(), first.Y1() + kEtchOffset, first.X2(), first.Y2() + kEtchOffset);
    }
    Combo1.Clear();
    Combo1.AddItem(kAllStyles);
    Combo1.AddItem(kStylesInUse);
    auto click = std::move(Combo1.Click);
    Combo1.SetListIndex(0);
    Combo1.Click = std::move(click);
    std::wstring current;
    if (tx != nullptr) current = tx->Engine().CurrentParaFormat().styleName;
    FillList(current);
}

void frmStylesDlg::FillList(const std::wstring& name) {
    shown_.clear();
    if (tx != nullptr) {
        const tx::Document& d = tx->Engine().Doc();
        shown_ = Combo1.ListIndex() == 1 ? StylesInUse(d) : d.styles;
    }
    List1.Clear();
    int chosen = shown_.empty() ? -1 : 0;
    for (size_t i = 0; i < shown_.size(); ++i) {
        List1.AddItem(shown_[i].name);
        if (shown_[i].name == name) chosen = static_cast<int>(i);
    }
    if (chosen >= 0 && List1.ListIndex() != chosen) {
        List1.SetListIndex(chosen);
    } else {
        ShowChosen();
    }
}

const tx::Style* frmStylesDlg::Chosen() const {
    const int index = List1.ListIndex();
    return index >= 0 && index < static_cast<int>(shown_.size()) ? &shown_[static_cast<size_t>(index)] : nullptr;
}

void frmStylesDlg::ShowChosen() {
    const tx::Style* style = Chosen();
    Command2.SetEnabled(style != nullptr);
    Command3.SetEnabled(style != nullptr);
    Command5.SetEnabled(style != nullptr);
    if (style == nullptr) {
        for (int i = 0; i < 2; ++i) Label1[i].SetCaption(L"");
        Label4.SetCaption(L"");
        return;
    }
    const tx::CharFormat& c = style->chars;
    const ui::FontSpec font{c.face, c.size / 20.0, c.bold, c.italic, c.underline, c.strike};
    for (int i = 0; i < 2; ++i) {
        Label1[i].SetFont(font);
        Label1[i].SetForeColor(c.color == tx::kNoColor ? 0 : c.color);
        Label1[i].SetCaption(kPreviewText);
    }
    // The paragraph preview stands as the style aligns its paragraphs.
    const int alignments[] = {0, 1, 2, 0};  // left, right, centre; justified reads as left
    Label1[0].SetAlignment(alignments[std::min(static_cast<int>(style->para.align), 3)]);
    Label4.SetCaption(StyleDescription(*style, App().MeasureUnit, LocaleDecimalSeparator()));
}

void frmStylesDlg::List1_Click() { ShowChosen(); }

void frmStylesDlg::Combo1_Click() {
    const tx::Style* style = Chosen();
    FillList(style != nullptr ? style->name : L"");
}

void frmStylesDlg::OwnStyleDialog() {
    if (tx == nullptr) return;
    const tx::Style* style = Chosen();
    const std::wstring name = style != nullptr ? style->name : L"";
    tx->StyleDialog();
    FillList(name);
}

void frmStylesDlg::Command1_Click() { OwnStyleDialog(); }
void frmStylesDlg::Command2_Click() { OwnStyleDialog(); }

void frmStylesDlg::Command3_Click() {
    const tx::Style* style = Chosen();
    if (tx == nullptr || style == nullptr) return;
    std::vector<tx::Style> kept = tx->Engine().Doc().styles;
    const std::wstring name = style->name;
    kept.erase(std::remove_if(kept.begin(), kept.end(), [&](const tx::Style& s) { return s.name == name; }), kept.end());
    tx->Engine().SetStyles(std::move(kept), {});
    FillList(L"");
}

void frmStylesDlg::Command4_Click() { Unload(); }

void frmStylesDlg::Command5_Click() {
    const tx::Style* style = Chosen();
    if (tx != nullptr && style != nullptr) tx->Engine().ApplyStyle(style->name);
    Unload();
}
