#include "app/dialogs/frmMoviePropertiesDlg.h"

#include "app/core/AppState.h"
#include "app/core/MoviePlaceholder.h"
#include "app/dialogs/RefuseEntry.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/Application.h"

namespace {

long GetLong(ui::ActiveXControl& player, const wchar_t* member) {
    ui::OleVariant value;
    if (FAILED(player.InvokeByName(member, DISPATCH_PROPERTYGET, {}, &value))) return 0;
    return value.AsLong();
}

void PutLong(ui::ActiveXControl& player, const wchar_t* member, long value) {
    player.InvokeByName(member, DISPATCH_PROPERTYPUT, {ui::OleVariant::Long(value)});
}

std::wstring Pixels(long twips, double twipsPerPixel) {
    return std::to_wstring(static_cast<long>(twips / static_cast<long>(twipsPerPixel)));
}

}  // namespace

frmMoviePropertiesDlg::frmMoviePropertiesDlg() {
    SetCaption(L"Movie Attributes");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(5160, 2880);

    Label1.SetCaption(L"Movie Name");
    Label1.Move(120, 165, 1200, 255);
    Text1.Move(1320, 120, 3720, 315);
    Text1.SetLocked(true);

    frm3D.SetCaption(L"Movie Dimensions");
    frm3D.Move(120, 600, 2640, 1500);
    const struct {
        ui::Label& label;
        const wchar_t* caption;
        ui::TextBox& box;
    } rows[] = {{lblWidth, L"&Width:", txtWidth}, {lblHeight, L"&Height:", txtHeight}};
    long top = 360;
    int index = 0;
    for (const auto& row : rows) {
        row.label.SetContainer(&frm3D);
        row.label.SetCaption(row.caption);
        row.label.Move(180, top + 45, 780, 255);
        row.box.SetContainer(&frm3D);
        row.box.Move(1000, top, 900, 315);
        for (int i = 0; i < 2; ++i) {
            ui::Label& unit = lblMeasurement.Load(index++);
            unit.SetContainer(&frm3D);
            unit.Move(1960 + i * 300, top + 45, 300, 255);
        }
        top += 540;
    }

    Frame1.SetCaption(L"Options");
    Frame1.Move(2880, 600, 2160, 1500);
    Check1.SetContainer(&Frame1);
    Check1.SetCaption(L"Stretch to Fit");
    Check1.Move(180, 420, 1860, 300);

    btnOK.SetCaption(L"Ok");
    btnOK.Move(2640, 2340, 1140, 375);
    btnOK.SetDefault(true);
    btnCancel.SetCaption(L"Cancel");
    btnCancel.Move(3900, 2340, 1140, 375);
    btnCancel.SetCancel(true);

    btnOK.Click = [this] { btnOK_Click(); };
    btnCancel.Click = [this] { btnCancel_Click(); };
}

void frmMoviePropertiesDlg::Form_Load() {
    // The title comes from the placeholder the player is shown for: the working title of the
    // last insertion or restore may belong to another page.
    title_.clear();
    if (movie.engine && movie.placeholder)
        title_ = zv::ParsePlaceholderName(movie.engine->ObjectName(movie.placeholder)).title;
    Text1.SetText(title_);

    const double tppX = ui::Screen().TwipsPerPixelX(), tppY = ui::Screen().TwipsPerPixelY();
    ui::ActiveXControl* sized = nullptr;
    if (movie.objSWF) {
        Check1.SetValue(GetLong(*movie.objSWF, L"ScaleMode") == 3 ? ui::vbUnchecked : ui::vbChecked);
        sized = movie.objSWF;
    } else if (movie.objDir) {
        Check1.SetValue(ui::vbUnchecked);
        Check1.SetEnabled(false);
        sized = movie.objDir;
    } else if (movie.objVideo) {
        Check1.SetValue(GetLong(*movie.objVideo, L"DisplaySize") == 0 ? ui::vbUnchecked : ui::vbChecked);
        sized = movie.objVideo;
    }
    if (sized) {
        txtWidth.SetText(Pixels(sized->Width(), tppX));
        txtHeight.SetText(Pixels(sized->Height(), tppY));
    }
    if (movie.DirtyFlag) {
        dirtyBefore_ = *movie.DirtyFlag;
        *movie.DirtyFlag = true;
    }
}

void frmMoviePropertiesDlg::btnOK_Click() {
    std::wstring flag;
    if (movie.objSWF) {
        const bool stretch = Check1.Value() == ui::vbChecked;
        PutLong(*movie.objSWF, L"ScaleMode", stretch ? 2 : 3);
        flag = stretch ? L"0" : L"1";
    } else if (movie.objDir) {
        // Both sizes are checked before either is applied.
        const auto width = zv::ParseMoviePixels(txtWidth.Text());
        if (!width) {
            RefuseEntry(*this, L"The width must be a whole number of pixels from 1 to 4096.", txtWidth);
            return;
        }
        const auto height = zv::ParseMoviePixels(txtHeight.Text());
        if (!height) {
            RefuseEntry(*this, L"The height must be a whole number of pixels from 1 to 4096.", txtHeight);
            return;
        }
        if (movie.objExt) {
            // The player sits 30 twips inside its box on every side.
            movie.objExt->Move(movie.objExt->Left(), movie.objExt->Top(),
                               static_cast<long>(*width * static_cast<long>(ui::Screen().TwipsPerPixelX()) + 60),
                               static_cast<long>(*height * static_cast<long>(ui::Screen().TwipsPerPixelY()) + 60));
            if (movie.refit) movie.refit();
        }
    } else if (movie.objVideo) {
        const bool stretch = Check1.Value() == ui::vbChecked;
        PutLong(*movie.objVideo, L"DisplaySize", stretch ? 4 : 0);
        flag = stretch ? L"0" : L"1";
    }
    if (!flag.empty()) {
        App().MovieScaleMode = flag;
        // The placeholder's name carries the fit to the stored page.
        if (movie.engine && movie.placeholder && !title_.empty())
            movie.engine->SetObjectName(movie.placeholder, zv::MakePlaceholderName(title_, flag));
    }
    applied_ = true;
    Unload();
}

void frmMoviePropertiesDlg::btnCancel_Click() { Unload(); }

void frmMoviePropertiesDlg::Form_Unload(int& /*Cancel*/) {
    // Cancel, Esc and the close box leave the page as changed as it was.
    if (!applied_ && movie.DirtyFlag) *movie.DirtyFlag = dirtyBefore_;
    applied_ = false;
}
