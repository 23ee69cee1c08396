// The walk over every page without windows: Replace All over 1000 stored pages of a few paragraphs
// with one hit each, through the portable page walk and real text engines, on files in a temporary
// folder. Beside the whole walk, its stages on one page (load, find and replace, store), so that a
// profiler run (callgrind, perf) on this program shows what the walk itself costs, apart from the
// windows and from Wine.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/core/AppState.h"
#include "app/core/FindWalk.h"
#include "app/core/PageFile.h"
#include "app/core/tests/EnginePages.h"
#include "bench/program/BenchModule.h"
#include "components/textcontrol/TextEngine.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPages = 1000;

using zv_test::EngineEditor;
using zv_test::EnginePage;

fs::path MakeModule() {
    const fs::path folder = fs::temp_directory_path() / "zv_walk_bench";
    zv_bench::WriteModule(folder, kPages, L"needle");
    ResetAppState();
    AppState& app = App();
    app.ModulePath = folder.wstring();
    ResetPageState(app);
    app.PageList.LoadExistingList((folder / "Map.txt").wstring(), app.PageCounter, app.ModuleCode, app.ModuleName,
                                  app.ModulePath);
    return folder;
}

void ReplaceAllOverAThousandPages(benchmark::State& state) {
    const fs::path folder = MakeModule();
    AppState& app = App();
    EngineEditor editor;
    EnginePage printer;
    LoadPageFile((folder / L"0001.txm").wstring(), editor.page.text, true);
    const wchar_t* words[] = {L"needle", L"thread"};
    int run = 0;
    for (auto _ : state) {
        FindWalk walk(app, editor, editor.page.text, printer, printer.text);
        const std::int32_t count = walk.ReplaceAll(words[run % 2], words[(run + 1) % 2], FindOptionsWord(false, false));
        if (count != kPages) state.SkipWithError("not every page had its one hit");
        ++run;
        state.PauseTiming();
        editor.page.log.clear();
        printer.log.clear();
        state.ResumeTiming();
    }
    fs::remove_all(folder);
}
BENCHMARK(ReplaceAllOverAThousandPages)->Unit(benchmark::kMillisecond);

void Stages(benchmark::State& state) {
    const fs::path folder = MakeModule();
    const std::wstring path = (folder / L"0001.txm").wstring();
    EnginePage page;
    const int stage = static_cast<int>(state.range(0));
    for (auto _ : state) {
        switch (stage) {
        case 0: page.LoadPage(path); break;
        case 1:
            state.PauseTiming();
            page.LoadPage(path);
            state.ResumeTiming();
            if (page.text.Find(L"needle", 0, tx::find::kFromStart) >= 0) page.text.ReplaceSel(L"needle");
            break;
        case 2: benchmark::DoNotOptimize(PageFileBytes(page.text)); break;
        case 3: page.StorePage(path); break;
        }
    }
    static const char* kNames[] = {"load a page file", "find and replace its word", "its page file bytes",
                                   "store it (write and replace)"};
    state.SetLabel(kNames[stage]);
    fs::remove_all(folder);
}
BENCHMARK(Stages)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
