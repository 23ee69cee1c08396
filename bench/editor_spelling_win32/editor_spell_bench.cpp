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
#include "bench/WinClock.h"
#include "bench/spelling/SamplePage.h"
#include "bench/spelling/SpellDialogTiming.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/TestHooks.h"

namespace {

using bench::Median;

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
        ui::test::AnswerNextMsgBox(ui::vbOK);  // "Spelling Check Cancelled."
        return sp::bench::MsUntilTheDialogShows([] { RunSpellCheck(); });
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
