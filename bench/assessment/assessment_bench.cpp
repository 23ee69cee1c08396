// Reading and writing the test file of an assessment of 200 questions with 8 answers each, in memory
// and through the module folder as the creator does it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/assessment/AssCreatorControls.h"
#include "app/assessment/TestInfoFile.h"
#include "app/core/AppState.h"
#include "base/Files.h"

namespace {

std::vector<AssessmentQuestion> Assessment() {
    std::vector<AssessmentQuestion> qs(200);
    for (size_t i = 0; i < qs.size(); ++i) {
        AssessmentQuestion& q = qs[i];
        q.QuestionText = L"Question " + std::to_wstring(i + 1) +
                         L": which of the following statements about the topic of this page are true?";
        for (int k = 0; k < 8; ++k) {
            q.Answers.push_back({L"Answer " + std::to_wstring(k + 1) + L", a statement of some thirty letters",
                                 k % 3 == 0 ? L"1" : L"0"});
        }
        q.Explanation = L"The explanation shown after the answers: why the marked answers are right and the "
                        L"others are not, in a sentence or two of plain text.";
        q.LinkText = L"Read more about it";
        q.LinkFile = L"C:\\Modules\\000123\\more.htm";
    }
    return qs;
}

// A module folder with a Test page whose file holds the assessment.
std::wstring PrepareModule() {
    const auto dir = std::filesystem::temp_directory_path() / "zv_bench_assessment";
    std::filesystem::create_directories(dir);
    ResetAppState();
    App().ModulePath = dir.wstring();
    App().ModuleCode = L"000123";
    App().PageList.Add_Page(L"0007.txm", L"Test", L"", true);
    App().PageList.SetPageAsCurrent(L"0007.txm");
    AssCreatorGlobals& g = App().AssCreatorControls;
    g.TestType = L"0";
    g.Questions = Assessment();
    WriteTestInfo(g, CurrentTestInfoFile());
    return CurrentTestInfoFile();
}

void BM_ParseTestInfo200x8(benchmark::State& state) {
    const auto qs = Assessment();
    const std::string bytes = FormatTestInfo(L"0", qs, qs.size());
    for (auto _ : state) benchmark::DoNotOptimize(ParseTestInfo(bytes, L"bench"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseTestInfo200x8)->Unit(benchmark::kMicrosecond);

void BM_FormatTestInfo200x8(benchmark::State& state) {
    const auto qs = Assessment();
    for (auto _ : state) benchmark::DoNotOptimize(FormatTestInfo(L"0", qs, qs.size()));
}
BENCHMARK(BM_FormatTestInfo200x8)->Unit(benchmark::kMicrosecond);

// What opening the creator reads: the file from disk into the state record.
void BM_LoadTestInfo200x8(benchmark::State& state) {
    PrepareModule();
    for (auto _ : state) {
        LoadTestInfo();
        benchmark::DoNotOptimize(App().AssCreatorControls.Questions.data());
    }
}
BENCHMARK(BM_LoadTestInfo200x8)->Unit(benchmark::kMicrosecond);

// What every question move writes: the whole file beside the old one, then in its place.
void BM_SaveTestInfo200x8(benchmark::State& state) {
    const std::wstring path = PrepareModule();
    for (auto _ : state) WriteTestInfo(App().AssCreatorControls, path);
}
BENCHMARK(BM_SaveTestInfo200x8)->Unit(benchmark::kMicrosecond);

// The file system's share of a save: the same bytes written beside and put in place, nothing else.
void BM_ReplaceFileOnly(benchmark::State& state) {
    const std::wstring path = PrepareModule();
    const std::string bytes = zv::ReadFileBytes(path);
    for (auto _ : state) zv::WriteFileReplacing(path, bytes);
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(BM_ReplaceFileOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
