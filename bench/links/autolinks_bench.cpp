// Automatic links on the text engine alone, on the benchmark page (20 paragraphs, a table, an
// image and 30 links): the word end that makes a link of a typed address, with the layout the
// view asks for after it, and the scan of a pasted text of five addresses. The editor's figure
// under Wine (bench/links_win32) is this work plus the window's.
#include <benchmark/benchmark.h>

#include <string>

#include "app/core/AutoLinks.h"
#include "bench/textcontrol/ProportionalMeasurer.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace {

const tx::bench::ProportionalMeasurer kMeasurer;

const std::string& PageBytes() {
    static const std::string bytes = tx::WriteTxm(tx::testing::BenchmarkPage());
    return bytes;
}

// The page loaded and laid out, the caret at the end of its first paragraph.
void Load(tx::TextEngine& engine, zv::AutoLinker& linker) {
    engine.SetMeasurer(&kMeasurer);
    engine.LoadFromBytes(PageBytes(), tx::kFormatOwn);
    engine.SetSelStart(engine.Doc().ParagraphStart(1) - 1);
    engine.GetLayout();
    linker.Restart(engine.SelStart());
}

void TypedSpaceMakesALink(benchmark::State& state) {
    tx::TextEngine engine;
    zv::AutoLinker linker;
    bool ctrl = false;
    for (auto _ : state) {
        state.PauseTiming();
        Load(engine, linker);
        for (wchar_t c : std::wstring(L" www.example.org")) {
            if (!linker.KeyPress(engine, c, false, ctrl)) engine.TypeChar(c);
        }
        engine.GetLayout();
        state.ResumeTiming();
        linker.KeyPress(engine, L' ', false, ctrl);
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
    }
    int links = 0;
    for (int id = engine.FieldNext(0); id != 0; id = engine.FieldNext(id)) ++links;
    state.counters["links"] = links;
}
BENCHMARK(TypedSpaceMakesALink)->Unit(benchmark::kMicrosecond);

void PasteScanned(benchmark::State& state) {
    tx::TextEngine engine;
    zv::AutoLinker linker;
    const std::wstring pasted =
        L" see www.one.org, http://two.example.com/a and w3.three.net or www.four.org\nand http://five.org ";
    for (auto _ : state) {
        state.PauseTiming();
        Load(engine, linker);
        const int start = engine.SelStart();
        engine.SetSelText(pasted);
        engine.GetLayout();
        state.ResumeTiming();
        linker.AutoLinkRange(engine, start, start + static_cast<int>(pasted.size()));
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
    }
}
BENCHMARK(PasteScanned)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
