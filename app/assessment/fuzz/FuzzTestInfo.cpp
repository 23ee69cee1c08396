// The test file's reader on any bytes: it reads or refuses with an error. What it reads is written
// so that it reads back the same: every text as it was, every flag with the same reading (a flag
// that is no number and ends in ">" before another flag gets a space), and the second writing is the
// first byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/assessment/TestInfoFile.h"
#include "app/assessment/TextFields.h"
#include "base/Error.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckSameReading(const TestInfo& a, const TestInfo& b) {
    Check(a.TestType == b.TestType && a.Questions.size() == b.Questions.size());
    for (size_t i = 0; i < a.Questions.size(); ++i) {
        const AssessmentQuestion& p = a.Questions[i];
        const AssessmentQuestion& q = b.Questions[i];
        Check(p.QuestionText == q.QuestionText && p.Explanation == q.Explanation && p.LinkText == q.LinkText &&
              p.LinkFile == q.LinkFile && p.Answers.size() == q.Answers.size());
        for (size_t k = 0; k < p.Answers.size(); ++k) {
            Check(p.Answers[k].AnswerText == q.Answers[k].AnswerText);
            Check(IsCorrectFlag(p.Answers[k].Correct) == IsCorrectFlag(q.Answers[k].Correct));
        }
    }
}

std::string Write(const TestInfo& info) { return FormatTestInfo(info.TestType, info.Questions, info.Questions.size()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TestInfo first;
    try {
        first = ParseTestInfo(std::string_view(reinterpret_cast<const char*>(data), size), L"fuzz");
    } catch (const zv::Error&) {
        return 0;
    }
    const std::string written = Write(first);
    TestInfo second;
    try {
        second = ParseTestInfo(written, L"fuzz");
    } catch (const zv::Error&) {
        std::abort();  // what was written cannot be read
    }
    CheckSameReading(first, second);
    Check(Write(second) == written);
    Check(ParseTestInfo(written, L"fuzz").Questions == second.Questions);
    return 0;
}
