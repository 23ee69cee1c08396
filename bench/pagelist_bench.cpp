// Reading and rewriting the page map of a module with 9999 pages.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/core/AppState.h"
#include "base/Paths.h"

namespace {

std::filesystem::path PrepareModule() {
    auto dir = std::filesystem::temp_directory_path() / "zv_bench_pagelist";
    std::filesystem::create_directories(dir);
    ResetAppState();
    App().ModulePath = dir.wstring();
    App().ModuleCode = L"000042";
    App().ModuleName = L"Benchmark module";
    App().PageCounter = 9999;
    wchar_t name[16];
    for (int i = 1; i <= 9999; ++i) {
        swprintf(name, 16, L"%04d.txm", i);
        App().PageList.Add_Page(name, i % 10 == 1 ? L"Topic" : L"Page", i % 10 == 1 ? L"Topic name" : L"", true);
    }
    App().PageList.WriteMapFile();
    return dir;
}

void BM_ReadMap9999(benchmark::State& state) {
    auto dir = PrepareModule();
    const std::wstring map = zv::JoinPath(dir.wstring(), L"Map.txt");
    // As opening a module does it: the list is cleared (the old records go), then the map is read.
    LinkedList list;
    for (auto _ : state) {
        list.InitLinedList();
        std::int16_t counter = 0;
        std::wstring code, name;
        list.LoadExistingList(map, counter, code, name, L"");
        benchmark::DoNotOptimize(counter);
    }
}
BENCHMARK(BM_ReadMap9999)->Unit(benchmark::kMillisecond);

// The first read of a process: every record and text is allocated, and freed again afterwards.
void BM_ReadMap9999IntoNewList(benchmark::State& state) {
    auto dir = PrepareModule();
    const std::wstring map = zv::JoinPath(dir.wstring(), L"Map.txt");
    for (auto _ : state) {
        LinkedList list;
        std::int16_t counter = 0;
        std::wstring code, name;
        list.LoadExistingList(map, counter, code, name, L"");
        benchmark::DoNotOptimize(counter);
    }
}
BENCHMARK(BM_ReadMap9999IntoNewList)->Unit(benchmark::kMillisecond);

void BM_RewriteMap9999(benchmark::State& state) {
    PrepareModule();
    for (auto _ : state) App().PageList.WriteMapFile();
}
BENCHMARK(BM_RewriteMap9999)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
