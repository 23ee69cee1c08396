#pragma once
// The printout of an assessment: Assessment.txt in the module folder, plain 8-bit text with CR LF,
// the questions a save writes, each with its answers (the correct ones marked) and its explanation.

#include <string>
#include <vector>

#include "app/assessment/Assessment.h"

inline constexpr wchar_t kPrintoutFileName[] = L"Assessment.txt";

// The bytes of the printout (Windows-1252: the mark is byte A9).
std::string AssessmentPrintout(const std::vector<AssessmentQuestion>& questions);
