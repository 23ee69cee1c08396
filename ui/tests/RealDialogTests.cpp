// The real dialogs without hooks: the modal loop of a form, a real message box and a real file
// dialog, each closed from a timer as a person would close it.

#include <windows.h>

#include <string>

#include "base/Error.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/MsgBox.h"
#include "ui/Timer.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

class RealDialogs : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        test::SetNoRealDialogs(false);
    }
};

// Finds the thread's visible dialog-class window (a message box or a common dialog).
HWND FindDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(h, cls, 16);
            if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(h)) {
                *reinterpret_cast<HWND*>(lp) = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Posts a command to the first dialog that shows up (polled from a thread timer).
WPARAM g_command = 0;
std::wstring g_seenText;
void CALLBACK PressInDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = FindDialog();
    if (!dlg) return;
    KillTimer(nullptr, id);
    wchar_t text[256] = {};
    GetWindowTextW(dlg, text, 256);
    g_seenText = text;
    PostMessageW(dlg, WM_COMMAND, g_command, 0);
}

TEST_F(RealDialogs, ModalLoopRunsUntilTheFormUnloadsItself) {
    class frmWait : public Form {
    public:
        Timer Timer1{this, L"Timer1"};
        int ticks = 0;
        frmWait() {
            Timer1.SetInterval(10);
            Timer1.Tick = [this] {
                if (++ticks == 3) Unload();
            };
        }
    } f;
    f.Show(vbModal);
    EXPECT_EQ(f.ticks, 3);
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(RealDialogs, RealMessageBoxShowsTheTitleAndReturnsTheButton) {
    App().SetTitle(L"Zorvik");
    g_command = IDNO;
    SetTimer(nullptr, 0, 20, &PressInDialog);
    EXPECT_EQ(MsgBox(L"Save the page?", vbYesNo + vbQuestion), vbNo);
    EXPECT_EQ(g_seenText, L"Zorvik");
    EXPECT_EQ(test::LastMsgBox().result, vbNo);
}

TEST_F(RealDialogs, RealFileDialogCancelledRaisesWithCancelError) {
    CommonDialog cd;
    cd.DialogTitle = L"Open Module";
    cd.Filter = L"Zorvik 2.0 (*.zvk)|*.zvk";
    cd.CancelError = true;
    g_command = IDCANCEL;
    SetTimer(nullptr, 0, 50, &PressInDialog);
    EXPECT_THROW(cd.ShowOpen(), zv::CancelError);
    EXPECT_EQ(g_seenText, L"Open Module");
}

}  // namespace
}  // namespace ui::testing
