#include "app/dialogs/frmImageDlg.h"

#include "app/core/AppState.h"
#include "app/core/Units.h"
#include "app/dialogs/DecimalSeparator.h"
#include "app/dialogs/ImageRules.h"
#include "app/dialogs/RefuseEntry.h"
#include "base/Error.h"

frmImageDlg::frmImageDlg() {
    SetCaption(L"Image Attributes");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6360, 2700);

    fraBorders.SetCaption(L"Image Borders");
    fraBorders.Move(120, 120, 2640, 2040);
    const struct {
        ui::Label& label;
        const wchar_t* caption;
        ui::TextBox& box;
    } rows[] = {{lblLeftBorder, L"&Left:", txtLeftBorder},
                {lblTopBorder, L"&Top:", txtTopBorder},
                {lblRightBorder, L"&Right:", txtRightBorder},
                {lblBottomBorder, L"&Bottom:", txtBottomBorder}};
    long top = 300;
    int index = 0;
    for (const auto& row : rows) {
        row.label.SetContainer(&fraBorders);
        row.label.SetCaption(row.caption);
        row.label.Move(180, top + 45, 780, 255);
        row.box.SetContainer(&fraBorders);
        row.box.Move(1000, top, 900, 315);
        ui::Label& unit = lblMeasurement.Load(index++);
        unit.SetContainer(&fraBorders);
        unit.Move(1960, top + 45, 600, 255);
        top += 420;
    }
    fraOptions.SetCaption(L"Options");
    fraOptions.Move(2880, 120, 3360, 2040);
    optEmbed.SetContainer(&fraOptions);
    optEmbed.SetCaption(L"Embed image data in document");
    optEmbed.Move(180, 300, 3000, 300);
    optSaveToFile.SetContainer(&fraOptions);
    optSaveToFile.SetCaption(L"Save image to file");
    optSaveToFile.Move(180, 660, 3000, 300);
    lblFileFormats.SetContainer(&fraOptions);
    lblFileFormats.SetCaption(L"Save image as:");
    lblFileFormats.Move(180, 1140, 3000, 255);
    cboFileFormats.SetContainer(&fraOptions);
    cboFileFormats.SetStyle(2);
    cboFileFormats.Move(180, 1440, 3000, 315);

    btnOK.SetCaption(L"OK");
    btnOK.Move(3840, 2250, 1140, 375);
    btnOK.SetDefault(true);
    btnCancel.SetCaption(L"Cancel");
    btnCancel.Move(5100, 2250, 1140, 375);
    btnCancel.SetCancel(true);

    btnOK.Click = [this] { btnOK_Click(); };
    btnCancel.Click = [this] { btnCancel_Click(); };
}

std::array<ui::TextBox*, 4> frmImageDlg::Boxes() {
    return {&txtLeftBorder, &txtTopBorder, &txtRightBorder, &txtBottomBorder};
}

bool frmImageDlg::ProbeImageAttribute() {
    if (tx == nullptr) return false;
    try {
        tx::TextEngine& engine = tx->Engine();
        engine.SetObjectEmbedded(engine.ObjectEmbedded());
        return true;
    } catch (const zv::Error&) {
        return false;
    }
}

void frmImageDlg::Form_Load() {
    const wchar_t separator = LocaleDecimalSeparator();
    image_ = tx != nullptr && tx->Engine().ObjectIsImage();
    for (int side = 1; side <= 4; ++side) {
        ui::TextBox& box = *Boxes()[static_cast<size_t>(side - 1)];
        ShownValue& shown = shown_[static_cast<size_t>(side - 1)];
        shown = {};
        if (image_) {
            const int twips = tx->Engine().ObjectDistance(side);
            shown = {Twips2DlgString(twips, separator), twips};
        }
        box.SetText(shown.text);
        box.SetEnabled(image_);
        lblMeasurement[side - 1].SetEnabled(image_);
        lblMeasurement[side - 1].SetCaption(UnitLabel(App().MeasureUnit));
    }
    cboFileFormats.SetEnabled(image_);
    probed_ = ProbeImageAttribute();
    if (probed_) {
        if (tx->Engine().ObjectEmbedded()) {
            optEmbed.SetValue(true);
        } else {
            optSaveToFile.SetValue(true);
        }
    } else {
        optEmbed.SetEnabled(false);
        optSaveToFile.SetEnabled(false);
    }
    cboFileFormats.Clear();
    if (tx == nullptr) return;
    for (const std::wstring& format : SplitFormats(tx->Engine().ObjectSaveFormats())) cboFileFormats.AddItem(format);
    const int chosen = tx->Engine().ObjectSaveFormat();
    if (chosen > 0 && chosen <= cboFileFormats.ListCount()) cboFileFormats.SetListIndex(chosen - 1);
}

void frmImageDlg::btnOK_Click() {
    if (tx != nullptr && image_) {
        tx::TextEngine& engine = tx->Engine();
        // All four distances are checked before any is written.
        std::array<std::wstring, 4> texts;
        for (size_t i = 0; i < 4; ++i) texts[i] = Boxes()[i]->Text();
        std::array<std::int32_t, 4> twips{};
        int failed = -1;
        try {
            twips = ReadImageDistances(texts, shown_, App().MeasureUnit, LocaleDecimalSeparator(), failed);
        } catch (const zv::Error& e) {
            RefuseEntry(*this, e.Description(), *Boxes()[static_cast<size_t>(failed < 0 ? 0 : failed)]);
            return;
        }
        try {
            for (int side = 1; side <= 4; ++side) engine.SetObjectDistance(side, twips[static_cast<size_t>(side - 1)]);
            if (probed_) engine.SetObjectEmbedded(optEmbed.Value());
            engine.SetObjectSaveFormat(cboFileFormats.ListIndex() + 1);
        } catch (const zv::Error& e) {
            RefuseEntry(*this, e.Description(), btnOK);
            return;
        }
    }
    Unload();
}

void frmImageDlg::btnCancel_Click() { Unload(); }
