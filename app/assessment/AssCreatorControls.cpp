#include "app/assessment/AssCreatorControls.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/assessment/TestInfoFile.h"
#include "app/assessment/TextFields.h"
#include "app/core/AppState.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"

std::wstring CurrentTestInfoFile() {
    const AppState& app = App();
    return TestInfoFileName(app.ModulePath, app.ModuleCode, app.PageList.GetCurrentPageName());
}

void EnsureAnswerSlot(AssessmentQuestion& question) {
    if (question.Answers.empty()) question.Answers.emplace_back();
}

std::wstring KeepUnreadableFile(const std::wstring& path) {
    for (int n = 1; n < 1000; ++n) {
        const std::wstring kept = path + L".bad" + (n == 1 ? L"" : std::to_wstring(n));
        if (zv::FileExists(kept)) continue;
        std::error_code ec;
        std::filesystem::copy_file(zv::FsPath(path), zv::FsPath(kept), ec);
        if (ec) break;
        return kept;
    }
    throw zv::Error(L"It could not be copied to another name, so the next save will replace it.");
}

void LoadTestInfo() {
    const std::wstring path = CurrentTestInfoFile();
    if (!zv::FileExists(path)) return;
    TestInfo info;
    try {
        info = ParseTestInfo(zv::ReadFileBytes(path), path);
    } catch (const zv::Error& damaged) {
        std::wstring kept;
        try {
            kept = L"It has been kept as " + KeepUnreadableFile(path) + L".";
        } catch (const zv::Error& e) {
            kept = e.Description();
        }
        throw zv::Error(damaged.Description() + L"\n\n" + kept + L" The assessment starts empty.");
    }
    AssCreatorGlobals& g = App().AssCreatorControls;
    if (!info.HasTestType) return;
    g.TestType = std::move(info.TestType);
    if (info.Questions.empty()) return;
    for (AssessmentQuestion& q : info.Questions) EnsureAnswerSlot(q);
    g.Questions = std::move(info.Questions);
}

void WriteTestInfo(const AssCreatorGlobals& state, const std::wstring& path) {
    zv::WriteFileReplacing(path, FormatTestInfo(state.TestType, state.Questions, QuestionsToWrite(state.Questions)));
}

std::vector<std::wstring> GetAnswerLines(const std::vector<AssessmentAnswer>& answers) {
    std::vector<std::wstring> lines;
    lines.reserve(answers.size());
    for (const AssessmentAnswer& a : answers) {
        lines.push_back(IsCorrectFlag(a.Correct) ? kCorrectMark + a.AnswerText : a.AnswerText);
    }
    return lines;
}

std::int16_t MinInt(std::int16_t a, std::int16_t b) { return a < b ? a : b; }

int ListIndexAt(int topIndex, double yTwips, double twipsPerPixelY, int itemHeightPixels, int listCount) {
    if (listCount <= 0) return -1;
    const double pixels = std::nearbyint(yTwips / twipsPerPixelY);  // the default rounding: halves to even
    const int rows = itemHeightPixels > 0 ? static_cast<int>(pixels) / itemHeightPixels : 0;
    return std::clamp(topIndex + rows, 0, listCount - 1);
}

bool ApplyAnswerOrder(AssessmentQuestion& question, const std::vector<int>& order) {
    const size_t n = question.Answers.size();
    if (order.size() != n) return false;
    std::vector<bool> seen(n, false);
    for (int i : order) {
        if (i < 0 || static_cast<size_t>(i) >= n || seen[static_cast<size_t>(i)]) return false;
        seen[static_cast<size_t>(i)] = true;
    }
    std::vector<AssessmentAnswer> reordered;
    reordered.reserve(n);
    for (int i : order) reordered.push_back(std::move(question.Answers[static_cast<size_t>(i)]));
    question.Answers = std::move(reordered);
    return true;
}
