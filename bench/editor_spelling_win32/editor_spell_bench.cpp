// Times Tools > Spell Check in the editor under Wine on a page of about 500 words: from the command
// until the checker's dialog is shown and painted (the author then cancels), on the first check of
// the process, when the dictionaries are read, and after. Prints milliseconds (medians of repeats).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "bench/spelling/SamplePage.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/TestHooks.h"

namespace {

double Now() {
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int wmain() {
    ui::test::SetNoRealDialogs(true);
    auto& frame = ui::Forms::Get<frmMDIParent>();
    frame.Show();
    InitPageList();
    frmMDIChild& editor = frame.NewEditorWindow();
    editor.Show();
    editor.TXTextControl1.Engine().SetSelText(sp::bench::SamplePage());
    ui::DoEvents();

    auto timeToDialog = [&] {
        double shown = 0;
        ui::test::OnNextModal<sp::frmSpellCheck>([&](sp::frmSpellCheck& d) {
            UpdateWindow(d.hWnd());
            shown = Now();
            d.cmdCancel.PerformClick();
        });
        ui::test::AnswerNextMsgBox(ui::vbOK);  // "Spelling Check Cancelled."
        const double start = Now();
        RunSpellCheck();
        return shown - start;
    };
    const double first = timeToDialog();
    std::vector<double> warm;
    for (int i = 0; i < 20; ++i) warm.push_back(timeToDialog());
    std::printf("Spell Check in the editor to its dialog shown, first use (dictionaries read): %.1f ms\n", first);
    std::printf("Spell Check in the editor to its dialog shown, dictionaries loaded (median of 20): %.1f ms\n", Median(warm));
    editor.DirtyFlag = false;
    ui::Forms::Reset();
    return 0;
}
