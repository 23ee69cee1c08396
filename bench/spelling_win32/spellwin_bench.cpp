// Times the checker under Wine on an edit window holding a 500-word page: from CheckText until its
// dialog is shown and painted, on the first use in the process (the dictionaries are read then) and
// after; and reading the three dictionaries. Prints milliseconds (medians where repeated).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/WinClock.h"
#include "bench/spelling/SamplePage.h"
#include "bench/spelling/SpellDialogTiming.h"
#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/Unicode.h"
#include "components/spelling/win32/VSSpell.h"
#include "components/spelling/win32/frmSpellCheck.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/TestHooks.h"
#include "ui/TextBox.h"

namespace {

using bench::Median;
using bench::Now;

class frmBench : public ui::Form {
public:
    ui::TextBox Text1{this, L"Text1"};
    sp::VSSpell VSSpell1{this, L"VSSpell1"};
    frmBench() {
        SetClientSize(9000, 6000);
        Text1.SetMultiLine(true);
        Text1.Move(0, 0, 9000, 6000);
    }
};

}  // namespace

int wmain() {
    const std::filesystem::path folder = sp::Utf8ToWide(ZV_DICTIONARY_DIR);
    const std::wstring main = (folder / L"VSSP_AE.DCT").wstring(), thesaurus = (folder / L"VSTH_AE.THE").wstring();
    const std::wstring user = (std::filesystem::temp_directory_path() / L"zv-spellwin-bench.dct").wstring();

    auto& form = ui::Forms::Get<frmBench>();
    form.VSSpell1.SetMainDictionary(main);
    form.VSSpell1.SetUserDictionary(user);
    form.Show();
    form.Text1.SetText(sp::bench::SamplePage());
    form.VSSpell1.SetAutoLinkHwnd(form.Text1.hWnd());
    ui::DoEvents();

    // Spell Check until the dialog is up and painted; the author then cancels.
    auto timeToDialog = [&] {
        SendMessageW(form.Text1.hWnd(), EM_SETSEL, 0, 0);
        return sp::bench::MsUntilTheDialogShows([&] { form.VSSpell1.CheckText(); });
    };
    const double first = timeToDialog();
    std::vector<double> warm;
    for (int i = 0; i < 20; ++i) warm.push_back(timeToDialog());

    // The parts: the dialog's windows made and destroyed, and the suggestions of its first word.
    std::vector<double> dialog, suggest;
    for (int i = 0; i < 10; ++i) {
        double start = Now();
        auto& d = ui::Forms::Get<sp::frmSpellCheck>();
        d.Load();
        d.Unload();
        dialog.push_back(Now() - start);
        start = Now();
        form.VSSpell1.Checker()->Suggest(L"recieve", 10);
        suggest.push_back(Now() - start);
    }

    std::vector<double> load;
    for (int i = 0; i < 10; ++i) {
        sp::SharedDictionaries::Reset();
        const double start = Now();
        sp::SharedDictionaries::Spelling(main);
        sp::SharedDictionaries::UserWords(user);
        sp::SharedDictionaries::Synonyms(thesaurus);
        load.push_back(Now() - start);
    }
    std::printf("Spell Check to its dialog shown, first use (dictionaries read): %.1f ms\n", first);
    std::printf("Spell Check to its dialog shown, dictionaries loaded (median of 20): %.1f ms\n", Median(warm));
    std::printf("  the dialog's windows made and destroyed, as on a first check (median of 10): %.1f ms\n", Median(dialog));
    std::printf("  the suggestions for \"recieve\" (median of 10): %.1f ms\n", Median(suggest));
    std::printf("Reading the three dictionaries (median of 10): %.1f ms\n", Median(load));
    ui::Forms::Reset();
    return 0;
}
