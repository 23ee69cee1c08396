#include "app/assessment/Printout.h"

#include "app/assessment/AssCreatorControls.h"
#include "app/assessment/TestInfoFile.h"
#include "app/assessment/TextFields.h"
#include "base/Cp1252.h"

std::string AssessmentPrintout(const std::vector<AssessmentQuestion>& questions) {
    std::wstring text;
    auto line = [&text](std::wstring_view s = {}) {
        text += s;
        text += L"\r\n";
    };
    line();
    line(std::wstring(1, kCorrectMark) + L" denotes a correct answer.");
    line();
    line();
    const size_t count = QuestionsToWrite(questions);
    for (size_t i = 0; i < count; ++i) {
        const AssessmentQuestion& q = questions[i];
        line(std::to_wstring(i + 1) + L".  " + q.QuestionText);
        line();
        line();
        for (const std::wstring& answer : GetAnswerLines(q.Answers)) line(answer);
        line();
        line();
        line(q.Explanation);
        line();
        line(std::wstring(92, L'*'));
        line();
    }
    return zv::EncodeCp1252(text);
}
