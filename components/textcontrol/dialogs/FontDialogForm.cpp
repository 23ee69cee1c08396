#include "components/textcontrol/dialogs/FontDialogForm.h"

#include <windows.h>

#include <algorithm>
#include <set>

namespace tx {

namespace {

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    if (font->lfFaceName[0] != L'@') reinterpret_cast<std::set<std::wstring>*>(data)->insert(font->lfFaceName);
    return 1;
}

}  // namespace

std::vector<std::wstring> InstalledFontFaces() {
    std::set<std::wstring> faces;
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);
    return {faces.begin(), faces.end()};
}

FontDialogForm::FontDialogForm() : DialogForm(L"Font", 4860, 2940) {
    lblFont.SetCaption(L"&Font:");
    lblFont.Move(120, 120, 2880, 240);
    cboFont.SetSorted(true);
    cboFont.Move(120, 360, 2880, 315);
    lblSize.SetCaption(L"&Size:");
    lblSize.Move(3120, 120, 1620, 240);
    cboSize.Move(3120, 360, 1620, 315);
    fraStyle.SetCaption(L"Style");
    fraStyle.Move(120, 840, 2880, 1080);
    struct Check {
        ui::CheckBox* box;
        const wchar_t* caption;
        long left, top;
    };
    for (const Check& c : {Check{&chkBold, L"&Bold", 120, 240}, Check{&chkItalic, L"&Italic", 1440, 240},
                           Check{&chkUnderline, L"&Underline", 120, 600}, Check{&chkStrikeout, L"Stri&keout", 1440, 600}}) {
        c.box->SetContainer(&fraStyle);
        c.box->SetCaption(c.caption);
        c.box->Move(c.left, c.top, 1320, 300);
    }
    lblColor.SetCaption(L"&Color:");
    lblColor.Move(3120, 840, 1620, 240);
    cboColor.SetStyle(2);
    cboColor.Move(3120, 1080, 1620, 315);
    ButtonsLast();
}

void FontDialogForm::Form_Load() {
    if (faces_.empty()) faces_ = InstalledFontFaces();
    for (const auto& face : faces_) cboFont.AddItem(face);
    for (int points : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) cboSize.AddItem(std::to_wstring(points));
}

void FontDialogForm::ShowSelection() {
    const dialogs::CharValues selected = dialogs::SelectedChars(*engine_);
    shown_ = dialogs::ShowFont(selected);
    cboFont.SetText(shown_.font);
    cboSize.SetText(shown_.size);
    chkBold.SetValue(shown_.bold);
    chkItalic.SetValue(shown_.italic);
    chkUnderline.SetValue(shown_.underline);
    chkStrikeout.SetValue(shown_.strike);
    colors_ = dialogs::ColorChoices(selected.color);
    for (size_t i = 0; i < colors_.size(); ++i) {
        cboColor.AddItem(colors_[i].name);
        if (selected.color && colors_[i].color == *selected.color) cboColor.SetListIndex(static_cast<int>(i));
    }
}

dialogs::FontBoxes FontDialogForm::Entered() const {
    dialogs::FontBoxes b;
    b.font = cboFont.Text();
    b.size = cboSize.Text();
    b.bold = chkBold.Value();
    b.italic = chkItalic.Value();
    b.underline = chkUnderline.Value();
    b.strike = chkStrikeout.Value();
    const int color = cboColor.ListIndex();
    if (color >= 0 && color < static_cast<int>(colors_.size())) b.color = colors_[static_cast<size_t>(color)].color;
    return b;
}

bool FontDialogForm::Apply() {
    const auto read = dialogs::ReadFont(Entered(), shown_, faces_);
    if (!read.Ok()) {
        Refuse(*read.error, read.error->box == L"Font" ? static_cast<ui::Control&>(cboFont) : cboSize);
        return false;
    }
    dialogs::ApplyChars(*engine_, read.value);
    return true;
}

}  // namespace tx
