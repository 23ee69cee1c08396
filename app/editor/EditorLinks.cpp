// Hyperlinks and pictures the author places on a page.
#include <string>

#include "app/core/DialogCommands.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmHyperlink.h"
#include "base/Error.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/CommonDialog.h"
#include "ui/MsgBox.h"

namespace {

constexpr wchar_t kImageFilter[] =
    L"JPEG File Interchange Format(.JPG, .JPEG)|*.jpg|Windows Bitmap(.BMP)|*.bmp|Tagged Image Format(.TIF)|*.tif|"
    L"Windows Metafile(.WMF)|*.wmf|Portable Network Graphics(.PNG)|*.png";
// Hide read-only, path must exist, file must exist.
constexpr long kImageDialogFlags = ui::cdlOFNHideReadOnly | ui::cdlOFNPathMustExist | ui::cdlOFNFileMustExist;
constexpr int kFullScale = 100;

}  // namespace

void ShowHyperlinkDialog() {
    RequireEditor();
    frmHyperlink dialog;
    dialog.Show(ui::vbModal);
}

void InsertImage(bool asCharacter, tx::TXTextControl& control, ui::CommonDialog& dialog, int x, int y) {
    dialog.DialogTitle = L"Insert Image";
    dialog.FileName = L"";
    dialog.Filter = kImageFilter;
    dialog.FilterIndex = 1;
    dialog.Flags = kImageDialogFlags;
    dialog.CancelError = true;
    try {
        dialog.ShowOpen();
    } catch (const zv::CancelError&) {
        return;
    }
    const std::wstring file = dialog.FileName;
    try {
        // The file is read whole before anything is placed: a file that is no picture changes nothing.
        tx::TextEngine& engine = control.Engine();
        if (asCharacter) {
            engine.ObjectInsertAsChar(0, file, -1, kFullScale, kFullScale);
        } else {
            engine.ObjectInsertFixed(0, file, x, control->VisiblePageTop() + y, kFullScale, kFullScale);
        }
    } catch (const zv::Error& e) {
        ui::MsgBox(L"Cannot Insert image: " + file + L". Error " + e.Description() + L".", ui::vbOKOnly);
    }
}
