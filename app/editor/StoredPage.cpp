#include "app/editor/StoredPage.h"

#include <exception>

#include "app/core/AppState.h"
#include "app/core/PageFile.h"
#include "app/dialogs/PageViewRules.h"
#include "app/editor/frmMDIChild.h"
#include "base/Paths.h"
#include "components/textcontrol/FormatCodes.h"
#include "ui/Constants.h"
#include "ui/MsgBox.h"
#include "ui/PictureBox.h"

bool DrawStoredPage(frmMDIChild& editor, const std::wstring& pageName, HDC dc, long boxWidth, long boxHeight) {
    return DrawStoredPage(editor, App().ModulePath, pageName, dc, boxWidth, boxHeight);
}

bool DrawStoredPage(frmMDIChild& editor, const std::wstring& folder, const std::wstring& pageName, HDC dc,
                    long boxWidth, long boxHeight) {
    if (dc == nullptr || !zv::IsPlainFileName(pageName)) return false;
    if (boxWidth <= 0 || boxHeight <= 0) return false;
    tx::TXTextControl& control = editor.prtTXTextControl2;
    try {
        editor.RemovePrtMovieControl();
        // The page is drawn with the size and margins it was stored with.
        LoadPageFile(zv::JoinPath(folder, pageName), control.Engine(), true);
    } catch (const std::exception&) {
        return false;  // a damaged or missing page shows as a blank box
    }
    // Fitted to the page just loaded: pages of one module may have different sizes.
    tx::TextEngine& engine = control.Engine();
    const auto zoom = FitPrintZoom(boxWidth, boxHeight, engine.PageWidth(), engine.PageHeight());
    if (!zoom) return false;
    control->SetPrintZoom(*zoom);
    control->SetPrintDevice(dc);
    return control->PrintPage(1);
}

bool DrawStoredPage(frmMDIChild& editor, const std::wstring& pageName, ui::PictureBox& box) {
    return DrawStoredPage(editor, pageName, box.hDC(), box.Width(), box.Height());
}

bool HasStoredPageOrSay() {
    const Node* head = App().PageList.ListHead[LinkedList::kMain];
    if (head != nullptr && head->NextNode != nullptr) return true;
    ui::MsgBox(kNoStoredPageMessage, ui::vbInformation);
    return false;
}
