// Targets: a full page loaded from its own format and laid out under 1 ms; the re-layout after one
// typed character under 50 us; reading a 200 KB RTF document under 10 ms.
#include <benchmark/benchmark.h>

#include "bench/textcontrol/ProportionalMeasurer.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace {

using tx::bench::ProportionalMeasurer;

// The benchmark page: 20 paragraphs, a 3 x 4 table, an image and 30 fields.
void LoadAndLayOutPage(benchmark::State& state) {
    const std::string bytes = tx::WriteTxm(tx::testing::BenchmarkPage());
    ProportionalMeasurer measurer;
    for (auto _ : state) {
        tx::TextEngine engine;
        engine.SetMeasurer(&measurer);
        engine.LoadFromBytes(bytes, tx::kFormatOwn);
        benchmark::DoNotOptimize(engine.PageCount());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(LoadAndLayOutPage)->Unit(benchmark::kMicrosecond);

// One keystroke in the middle of the page, then the layout the view asks for. Typing and deleting
// alternate so that the page stays the same size.
void RelayoutAfterTypedCharacter(benchmark::State& state) {
    ProportionalMeasurer measurer;
    tx::TextEngine engine;
    engine.SetMeasurer(&measurer);
    engine.LoadFromBytes(tx::WriteTxm(tx::testing::BenchmarkPage()), tx::kFormatOwn);
    engine.GetLayout();
    const int caret = engine.Doc().ParagraphStart(8) + 12;
    engine.SetSelStart(caret);
    bool type = true;
    for (auto _ : state) {
        if (type) engine.TypeChar(L'x');
        else engine.DeleteBackward();
        type = !type;
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
    }
    state.counters["broken_per_edit"] = engine.GetLayout().ParagraphsBroken();
}
BENCHMARK(RelayoutAfterTypedCharacter)->Unit(benchmark::kMicrosecond);

// The layout step alone, for the same keystroke.
void RelayoutOnly(benchmark::State& state) {
    ProportionalMeasurer measurer;
    tx::Document d = tx::testing::BenchmarkPage();
    tx::Layout layout;
    layout.SetMeasurer(&measurer);
    layout.Update(d);
    const int caret = d.ParagraphStart(8) + 12;
    bool type = true;
    for (auto _ : state) {
        state.PauseTiming();
        if (type) d.Insert(caret, L"x", 0);
        else d.Delete(caret, 1);
        type = !type;
        state.ResumeTiming();
        layout.Update(d);
        benchmark::DoNotOptimize(layout.PageCount());
    }
}
BENCHMARK(RelayoutOnly)->Unit(benchmark::kMicrosecond);

// About 200 KB of RTF: the benchmark page's paragraphs and tables repeated.
std::string LargeRtf() {
    tx::Document page = tx::testing::BenchmarkPage();
    tx::Document big = page;
    while (tx::WriteRtf(big).size() < 200 * 1024) big.InsertDocument(big.Length(), page);
    return tx::WriteRtf(big);
}

void ReadLargeRtf(benchmark::State& state) {
    const std::string rtf = LargeRtf();
    for (auto _ : state) benchmark::DoNotOptimize(tx::ReadRtf(rtf).Length());
    state.counters["bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(ReadLargeRtf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
