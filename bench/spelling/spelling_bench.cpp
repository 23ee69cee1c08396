// Targets: the three dictionaries read and checked under 50 ms; a 500-word page checked under
// 1 ms; the suggestions for one misspelt word under 2 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "base/Files.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/Thesaurus.h"
#include "components/spelling/UserDictionary.h"
#include "components/spelling/WordScanner.h"
#include "bench/spelling/SamplePage.h"

namespace {

const std::wstring kDictionary = std::filesystem::path(ZV_DICTIONARY_DIR "/VSSP_AE.DCT").wstring();
const std::wstring kThesaurus = std::filesystem::path(ZV_DICTIONARY_DIR "/VSTH_AE.THE").wstring();

std::wstring UserWordsFile() {
    const auto path = std::filesystem::temp_directory_path() / "zv-bench-Custom.dct";
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 200; ++i) out << "Zorvikword" << i << "\r\n";
    return path.wstring();
}

void LoadDictionaries(benchmark::State& state) {
    const std::wstring user = UserWordsFile();
    for (auto _ : state) {
        sp::SpellDictionary main(zv::ReadFileBytes(kDictionary), L"main");
        sp::Thesaurus thesaurus(zv::ReadFileBytes(kThesaurus), L"thesaurus");
        sp::UserDictionary words(user);
        benchmark::DoNotOptimize(main.WordCount() + thesaurus.EntryCount() + words.Count());
    }
}
BENCHMARK(LoadDictionaries)->Unit(benchmark::kMillisecond);

void CheckPage(benchmark::State& state) {
    sp::SpellChecker checker(std::make_shared<sp::SpellDictionary>(zv::ReadFileBytes(kDictionary), L"main"), nullptr);
    const std::wstring page = sp::bench::SamplePage();
    const sp::SkipOptions skip{true, true, true};
    std::size_t words = 0, wrong = 0;
    for (auto _ : state) {
        words = wrong = 0;
        sp::WordSpan w;
        for (std::size_t from = 0; sp::FindWord(page, from, w); from = w.End()) {
            ++words;
            if (sp::IsSkipped(page, w, skip)) continue;
            if (!checker.IsCorrect(std::wstring_view(page).substr(w.start, w.length))) ++wrong;
        }
        benchmark::DoNotOptimize(wrong);
    }
    state.counters["words"] = static_cast<double>(words);
    state.counters["misspelt"] = static_cast<double>(wrong);
}
BENCHMARK(CheckPage)->Unit(benchmark::kMicrosecond);

// One misspelt word at a time, short and long ones.
void Suggest(benchmark::State& state) {
    sp::SpellChecker checker(std::make_shared<sp::SpellDictionary>(zv::ReadFileBytes(kDictionary), L"main"), nullptr);
    const wchar_t* words[] = {L"teh", L"recieve", L"definately", L"seperate", L"acommodate", L"wierd", L"Atatruk",
                              L"occassionally", L"neccessary", L"goverment"};
    const auto word = words[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(checker.Suggest(word, 8));
    state.SetLabel(std::string(word, word + std::wcslen(word)));
}
BENCHMARK(Suggest)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
