// Editing costs against the document's length: documents of 1, 10 and 50 benchmark pages (each the
// fixture's page of 20 paragraphs, a table, an image and 30 links, ending in a page break).
// Targets: a typed key or a Backspace (the edit and the layout the view asks for) under 20 us at any
// length and at 50 pages within twice the 1-page figure; the layout after a key likewise; find and
// replace all linear in the text searched; 200 alternating typed keys and Backspaces on 50 pages
// leaving the process under 10 MB at its peak.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "bench/textcontrol/ProportionalMeasurer.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace {

using tx::bench::ProportionalMeasurer;

const ProportionalMeasurer kMeasurer;

// The document of `pages` benchmark pages, as the bytes of a page file.
std::string PagesBytes(int pages) {
    const tx::Document page = tx::testing::BenchmarkPage();
    tx::Document all = page;
    for (int i = 1; i < pages; ++i) {
        all.Insert(all.Length(), L"\f", 0);
        all.InsertDocument(all.Length(), page);
    }
    return tx::WriteTxm(all);
}

const std::string& Pages(int pages) {
    static std::string cache[51];
    if (cache[pages].empty()) cache[pages] = PagesBytes(pages);
    return cache[pages];
}

void Load(tx::TextEngine& engine, int pages) {
    engine.SetMeasurer(&kMeasurer);
    engine.LoadFromBytes(Pages(pages), tx::kFormatOwn);
    engine.GetLayout();
}

// The caret in the middle page's paragraph 16, inside running text: the same paragraph at every
// length, so that the figures differ only by what the rest of the document costs. (The middle
// paragraph of the whole document would be another one of the page at each length, with more or
// fewer links, and the keystroke would lay out a longer or shorter paragraph.)
int MiddleCaret(const tx::TextEngine& engine) {
    const tx::Document& d = engine.Doc();
    std::vector<int> found;
    for (int i = 0; i < d.ParagraphCount(); ++i)
        if (d.paragraphs[static_cast<size_t>(i)].text.find(L"Paragraph 16 ") != std::wstring::npos) found.push_back(i);
    if (found.empty()) return 0;
    return d.ParagraphStart(found[found.size() / 2]) + 12;
}

// Seconds of the thread's own processor time: the machine the benchmarks run on is shared, and wall
// time would count the other processes' turns.
double Now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// What reading that clock twice costs by itself. Reading it is a system call of a microsecond or
// more here, as long as the layout of a small page: left in, it would hide most of the difference
// between a short document and a long one. The fastest of many empty intervals is taken off every
// timed one.
double ClockCost() {
    static const double cost = [] {
        double best = 1;
        for (int i = 0; i < 20000; ++i) {
            const double a = Now();
            best = std::min(best, Now() - a);
        }
        return best;
    }();
    return cost;
}

// The time of one interval started at `a`, without the clock's own cost.
double Since(double a) {
    const double end = Now();
    return std::max(0.0, end - a - ClockCost());
}

void Counters(benchmark::State& state, tx::TextEngine& engine) {
    state.counters["layout_pages"] = engine.PageCount();
    state.counters["characters"] = engine.TextLength();
}

// A typed key after a Backspace (so each key is an undo step of its own, as when an author
// corrects as she goes), with the layout the view asks for. Only the typed key is timed.
void TypeKey(benchmark::State& state) {
    tx::TextEngine engine;
    Load(engine, static_cast<int>(state.range(0)));
    engine.SetSelStart(MiddleCaret(engine));
    for (auto _ : state) {
        const double a = Now();
        engine.TypeChar(L'x');
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
        const double elapsed = Since(a);
        engine.DeleteBackward();
        engine.GetLayout();
        state.SetIterationTime(elapsed);
    }
    Counters(state, engine);
}
BENCHMARK(TypeKey)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The Backspace of the same pair, timed alone.
void Backspace(benchmark::State& state) {
    tx::TextEngine engine;
    Load(engine, static_cast<int>(state.range(0)));
    engine.SetSelStart(MiddleCaret(engine));
    for (auto _ : state) {
        engine.TypeChar(L'x');
        engine.GetLayout();
        const double a = Now();
        engine.DeleteBackward();
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
        state.SetIterationTime(Since(a));
    }
    Counters(state, engine);
}
BENCHMARK(Backspace)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The layout step alone after a typed key or a Backspace.
void LayoutAfterKey(benchmark::State& state) {
    tx::TextEngine engine;
    Load(engine, static_cast<int>(state.range(0)));
    engine.SetSelStart(MiddleCaret(engine));
    bool type = true;
    for (auto _ : state) {
        if (type) engine.TypeChar(L'x');
        else engine.DeleteBackward();
        type = !type;
        const double a = Now();
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
        state.SetIterationTime(Since(a));
    }
    Counters(state, engine);
}
BENCHMARK(LayoutAfterKey)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One Undo and one Redo of a typed key, each with its layout, after a history of 200 keys.
void UndoRedo(benchmark::State& state) {
    tx::TextEngine engine;
    Load(engine, static_cast<int>(state.range(0)));
    engine.SetSelStart(MiddleCaret(engine));
    for (int i = 0; i < 100; ++i) {
        engine.TypeChar(L'x');
        engine.DeleteBackward();
    }
    engine.TypeChar(L'x');
    engine.GetLayout();
    for (auto _ : state) {
        engine.Undo();
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
        engine.Redo();
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
    }
    Counters(state, engine);
}
BENCHMARK(UndoRedo)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// Find next, ignoring case, from the selection: a text that occurs once a page, so each call
// searches about a page of text.
void FindNext(benchmark::State& state) {
    tx::TextEngine engine;
    Load(engine, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (engine.Find(L"LINK 17", -1, 0) < 0) engine.SetSelStart(0);
    }
    Counters(state, engine);
}
BENCHMARK(FindNext)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// Replace All as the editor does it (find from the start, replace the match, find on), over the whole
// document: 30 matches a page. Then the layout for the view.
void ReplaceAll(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    tx::TextEngine engine;
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Load(engine, pages);
        engine.SetSelStart(0);
        state.ResumeTiming();
        replaced = 0;
        while (engine.Find(L"words", -1, 0) >= 0) {
            engine.SetSelText(L"terms");
            ++replaced;
        }
        benchmark::DoNotOptimize(engine.GetLayout().PageCount());
    }
    state.counters["replaced"] = replaced;
    Counters(state, engine);
}
BENCHMARK(ReplaceAll)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- peak memory

// In a process of its own: loads `pages` pages, lays them out and, unless `keys` is 0, types and
// erases `keys` / 2 times with the layout after each key; prints its peak resident size in KB
// (the high-water mark of its own memory, which starts afresh at exec).
int PeakChild(int pages, int keys) {
    tx::TextEngine engine;
    Load(engine, pages);
    engine.SetSelStart(MiddleCaret(engine));
    for (int i = 0; i < keys; ++i) {
        if (i % 2 == 0) engine.TypeChar(L'x');
        else engine.DeleteBackward();
        engine.GetLayout();
    }
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            std::printf("%ld\n", std::atol(line.c_str() + 6));
            return 0;
        }
    }
    return 1;
}

// The peak resident size in MB of a child running PeakChild, -1 when it could not be measured.
double ChildPeakMb(int pages, int keys) {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n <= 0) return -1;
    const std::string command = "'" + std::string(self) + "' --peak-child " + std::to_string(pages) + " " + std::to_string(keys);
    FILE* child = popen(command.c_str(), "r");
    if (!child) return -1;
    long kb = -1;
    if (std::fscanf(child, "%ld", &kb) != 1) kb = -1;
    if (pclose(child) != 0) kb = -1;
    return kb < 0 ? -1 : kb / 1024.0;
}

void PeakMemory200Keys(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    double loaded = 0, afterKeys = 0;
    for (auto _ : state) {
        loaded = ChildPeakMb(pages, 0);
        afterKeys = ChildPeakMb(pages, 200);
    }
    state.counters["peak_MB_loaded"] = loaded;
    state.counters["peak_MB_200_keys"] = afterKeys;
}
BENCHMARK(PeakMemory200Keys)->Arg(1)->Arg(10)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peak-child") == 0) return PeakChild(std::atoi(argv[2]), std::atoi(argv[3]));
    benchmark::Initialize(&argc, argv);
    std::printf("timed intervals leave out the clock's own cost: %.2f us\n", ClockCost() * 1e6);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
