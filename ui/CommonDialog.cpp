#include "ui/CommonDialog.h"

#include <commdlg.h>

#include <vector>

#include "base/Error.h"
#include "base/Paths.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MdiForm.h"
#include "ui/TestHooks.h"
#include "ui/Twips.h"

namespace ui {

std::wstring CommonDialog::NativeFilter(const std::wstring& filter) {
    if (filter.empty()) return std::wstring(2, L'\0');
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t bar = filter.find(L'|', start);
        parts.push_back(filter.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
        if (bar == std::wstring::npos) break;
        start = bar + 1;
    }
    if (parts.size() % 2 != 0) throw zv::Error(L"Invalid filter: " + filter);
    std::wstring out;
    for (const auto& p : parts) {
        out += p;
        out.push_back(L'\0');
    }
    out.push_back(L'\0');
    return out;
}

HWND CommonDialog::OwnerWindow() const {
    Form* f = owner_ ? owner_ : Screen().ActiveForm();
    if (f && f->MDIChild() && MdiForm::Current()) f = MdiForm::Current();
    return f ? f->hWnd() : nullptr;
}

void CommonDialog::Cancelled() {
    if (CancelError) throw zv::CancelError();
}

bool CommonDialog::AnswerFromTest(const wchar_t* kind, bool isFile) {
    test::CommonDialogRecord record{kind, DialogTitle, Filter, FileName, Flags};
    test::detail::CommonDialogAnswer answer;
    if (!test::detail::TakeCommonDialogAnswer(answer)) {
        if (!test::NoRealDialogs()) return false;
        test::detail::RecordCommonDialog(record);
        test::Fail(std::wstring(L"The ") + kind + L" dialog \"" + DialogTitle + L"\" was shown with no test answer queued.");
        Cancelled();
        return true;
    }
    test::detail::RecordCommonDialog(record);
    switch (answer.kind) {
        case test::detail::CommonDialogAnswer::Cancel:
            Cancelled();
            return true;
        case test::detail::CommonDialogAnswer::File:
            if (!isFile) {
                test::Fail(std::wstring(L"A file name was queued for the ") + kind + L" dialog.");
                return true;
            }
            FileName = answer.path;
            FileTitle = zv::LastPathPart(answer.path);
            if (answer.filterIndex > 0) FilterIndex = answer.filterIndex;
            return true;
        case test::detail::CommonDialogAnswer::Action:
            if (!answer.action(*this)) Cancelled();
            return true;
    }
    return true;
}

void CommonDialog::ShowFile(bool save) {
    std::wstring filter = NativeFilter(Filter);  // a bad filter is an error before anything shows
    if (AnswerFromTest(save ? L"Save" : L"Open", true)) return;
    std::vector<wchar_t> buffer(32768, L'\0');
    wcsncpy(buffer.data(), FileName.c_str(), buffer.size() - 1);
    std::vector<wchar_t> title(MAX_PATH, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = OwnerWindow();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = InitDir.empty() ? nullptr : InitDir.c_str();
    ofn.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = static_cast<DWORD>(Flags) | OFN_EXPLORER;
    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) {
        DWORD err = CommDlgExtendedError();
        if (err != 0) throw zv::Error(L"The file dialog could not be shown (error " + std::to_wstring(err) + L").");
        Cancelled();
        return;
    }
    FileName = buffer.data();
    FileTitle = title.data();
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    Flags = static_cast<long>(ofn.Flags);
}

void CommonDialog::ShowOpen() { ShowFile(false); }
void CommonDialog::ShowSave() { ShowFile(true); }

void CommonDialog::ShowColor() {
    if (AnswerFromTest(L"Color", false)) return;
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = OwnerWindow();
    cc.rgbResult = static_cast<COLORREF>(Color & 0xFFFFFF);
    cc.lpCustColors = custom;
    cc.Flags = static_cast<DWORD>(Flags);
    if (!ChooseColorW(&cc)) {
        Cancelled();
        return;
    }
    Color = cc.rgbResult;
}

void CommonDialog::ShowFont() {
    if (AnswerFromTest(L"Font", false)) return;
    LOGFONTW lf{};
    wcsncpy(lf.lfFaceName, FontName.c_str(), LF_FACESIZE - 1);
    lf.lfHeight = FontSize > 0 ? -static_cast<LONG>(FontSize * ScreenDpiY() / 72.0 + 0.5) : 0;
    lf.lfWeight = FontBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FontItalic;
    lf.lfUnderline = FontUnderline;
    lf.lfStrikeOut = FontStrikethru;
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = OwnerWindow();
    cf.lpLogFont = &lf;
    cf.Flags = static_cast<DWORD>(Flags) | CF_INITTOLOGFONTSTRUCT;
    if (!(cf.Flags & (CF_SCREENFONTS | CF_PRINTERFONTS))) cf.Flags |= CF_SCREENFONTS;
    if (!ChooseFontW(&cf)) {
        Cancelled();
        return;
    }
    FontName = lf.lfFaceName;
    FontSize = cf.iPointSize / 10.0;
    FontBold = lf.lfWeight >= FW_BOLD;
    FontItalic = lf.lfItalic != 0;
    FontUnderline = lf.lfUnderline != 0;
    FontStrikethru = lf.lfStrikeOut != 0;
    Color = cf.rgbColors;
}

void CommonDialog::ShowPrinter() {
    if (AnswerFromTest(L"Printer", false)) return;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = OwnerWindow();
    pd.Flags = static_cast<DWORD>(Flags) | PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nCopies = static_cast<WORD>(Copies > 0 ? Copies : 1);
    pd.nFromPage = static_cast<WORD>(FromPage);
    pd.nToPage = static_cast<WORD>(ToPage);
    pd.nMinPage = static_cast<WORD>(Min);
    pd.nMaxPage = static_cast<WORD>(Max);
    BOOL ok = PrintDlgW(&pd);
    struct GlobalScope {
        HGLOBAL a, b;
        ~GlobalScope() {
            if (a) GlobalFree(a);
            if (b) GlobalFree(b);
        }
    } globals{pd.hDevMode, pd.hDevNames};
    if (!ok) {
        DWORD err = CommDlgExtendedError();
        if (err != 0) throw zv::Error(L"No printer is available (error " + std::to_wstring(err) + L").");
        Cancelled();
        return;
    }
    dc_.Reset(pd.hDC);
    Flags = static_cast<long>(pd.Flags);
    Copies = pd.nCopies;
    FromPage = pd.nFromPage;
    ToPage = pd.nToPage;
    if (pd.hDevMode) {
        if (auto* dm = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode))) {
            if (dm->dmFields & DM_COPIES) Copies = dm->dmCopies;
            if (dm->dmFields & DM_ORIENTATION) Orientation = dm->dmOrientation;
            GlobalUnlock(pd.hDevMode);
        }
    }
}

}  // namespace ui
