#pragma once
// The multiple-choice assessment of a Test page, as the assessment windows share it: questions in
// order, each with its answers (one or more marked correct), an explanation and a link.

#include <cstdint>
#include <string>
#include <vector>

struct AssessmentAnswer {
    std::wstring AnswerText;
    // "1" correct, "0" not; a slot made but never stored holds "".
    std::wstring Correct;
    bool operator==(const AssessmentAnswer&) const = default;
};

struct AssessmentQuestion {
    std::wstring QuestionText;
    std::wstring Explanation;
    std::vector<AssessmentAnswer> Answers;
    std::wstring LinkText;
    std::wstring LinkFile;
    bool operator==(const AssessmentQuestion&) const = default;
};

// Indices are 16-bit, as the creator's counters are: this many questions per test, answers per question.
inline constexpr int kMaxQuestions = 32767;
inline constexpr int kMaxAnswers = 32767;

// The assessment windows' working state. It lives for the whole process: the test type chosen or read
// last stays for the next Test page.
struct AssCreatorGlobals {
    std::vector<AssessmentQuestion> Questions;         // the Test page being edited
    std::vector<AssessmentQuestion> PreviewQuestions;  // the copy the preview shows
    std::int16_t CurQuestion = 0;                      // the question in the creator's boxes
    std::int16_t CurAnswer = 0;                        // the answer in the creator's answer box
    std::wstring TestType;                             // "0", "1" or "2"; "" until chosen or read
    bool TestTypeCancelled = false;                    // the test type dialog was left with Cancel
};
