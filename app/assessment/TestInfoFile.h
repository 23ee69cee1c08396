#pragma once
// The test file of a Test page: 8-bit text of quoted fields without escapes, separated by commas,
// each record ended by CR LF. Record 1 is the test type; then one record of six fields per question:
// question, answers joined with ">>", their flags joined the same way, explanation, link text, link file.

#include <string>
#include <string_view>
#include <vector>

#include "app/assessment/Assessment.h"

// ModulePath\<module code>_<first four characters of the page file name>TST (no dot before TST).
std::wstring TestInfoFileName(const std::wstring& modulePath, const std::wstring& moduleCode,
                              const std::wstring& pageName);

struct TestInfo {
    bool HasTestType = false;  // false: the file holds no record at all
    std::wstring TestType;
    std::vector<AssessmentQuestion> Questions;
};

// The whole file read into a new model. A malformed file (a field without quotes or without its
// closing quote, text between fields, a question without all six fields, more than 32767 questions
// or answers) throws zv::Error naming `fileName`, the line and the fault. Zero bytes: an empty
// assessment of no test type.
TestInfo ParseTestInfo(std::string_view bytes, const std::wstring& fileName);

// The bytes of the file holding the test type and the first `count` questions. Fields are written so
// that they read back as they are: no double quote (an apostrophe instead), answers that do not join
// with the ">>" between them.
std::string FormatTestInfo(const std::wstring& testType, const std::vector<AssessmentQuestion>& questions,
                           size_t count);

// How many questions a save writes and a printout prints: all, less a last question never filled in.
size_t QuestionsToWrite(const std::vector<AssessmentQuestion>& questions);

// One question's answers from its answers field and flags field. An answer without a flag gets "";
// flags beyond the answers are ignored; an empty answers field gives no answers, nor do empty answers
// at its end. More than 32767 answers throws zv::Error.
void SplitAnswerFields(std::wstring_view answerList, std::wstring_view flagList, std::vector<AssessmentAnswer>& answers);

// Fields 2 and 3 of a question's record.
std::wstring JoinAnswerTexts(const AssessmentQuestion& question);
std::wstring JoinCorrectFlags(const AssessmentQuestion& question);
