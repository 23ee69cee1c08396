#include "ui/MsgBox.h"

#include <windows.h>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MdiForm.h"
#include "ui/TestHooks.h"

namespace ui {

bool MsgBoxOffers(int buttons, int result) {
    switch (buttons & 0xF) {
        case vbOKOnly: return result == vbOK;
        case vbOKCancel: return result == vbOK || result == vbCancel;
        case vbAbortRetryIgnore: return result == vbAbort || result == vbRetry || result == vbIgnore;
        case vbYesNoCancel: return result == vbYes || result == vbNo || result == vbCancel;
        case vbYesNo: return result == vbYes || result == vbNo;
        case vbRetryCancel: return result == vbRetry || result == vbCancel;
        default: return false;
    }
}

std::wstring MsgBoxButtonsText(int buttons) {
    switch (buttons & 0xF) {
        case vbOKOnly: return L"OK";
        case vbOKCancel: return L"OK, Cancel";
        case vbAbortRetryIgnore: return L"Abort, Retry, Ignore";
        case vbYesNoCancel: return L"Yes, No, Cancel";
        case vbYesNo: return L"Yes, No";
        case vbRetryCancel: return L"Retry, Cancel";
        default: return L"";
    }
}

int MsgBox(const std::wstring& prompt, int buttons, const std::wstring& title) {
    std::wstring shownTitle = title.empty() ? App().Title() : title;
    int result = 0;
    if (test::detail::TakeMsgBoxAnswer(prompt, buttons, shownTitle, result)) return result;
    HWND owner = nullptr;
    if (Form* active = Screen().ActiveForm()) owner = active->MDIChild() && MdiForm::Current() ? MdiForm::Current()->hWnd() : active->hWnd();
    // Without an owner window the box still keeps the program's windows from input until answered.
    UINT style = static_cast<UINT>(buttons);
    if (!owner && !(buttons & vbSystemModal)) style |= MB_TASKMODAL;
    result = MessageBoxW(owner, prompt.c_str(), shownTitle.c_str(), style);
    test::detail::RecordMsgBox(prompt, buttons, shownTitle, result);
    return result;
}

}  // namespace ui
