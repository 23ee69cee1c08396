#pragma once
// The procedures of the assessment windows that need no window: the test file of the current page,
// the answer lines of the printout and the reorder list, and the reorder arithmetic.

#include <cstdint>
#include <string>
#include <vector>

#include "app/assessment/Assessment.h"

// The test file of the page in the editor (the page list's current page).
std::wstring CurrentTestInfoFile();

// Reads the current page's test file into TestType and Questions; nothing happens when there is none.
// A file holding only its test type leaves Questions as they were. Every question read gets an answer
// slot. A damaged file changes nothing: it is kept under another name (so that no save replaces it)
// and zv::Error tells the fault and that name.
void LoadTestInfo();

// Writes the test type and the questions a save writes to `path`, beside the old file and then in its
// place; throws zv::Error naming the file when that fails (the old file stays whole).
void WriteTestInfo(const AssCreatorGlobals& state, const std::wstring& path);

// Copies a file that cannot be read to the first free name of path.bad, path.bad2, ...; returns it.
std::wstring KeepUnreadableFile(const std::wstring& path);

// One line per answer: the correct-answer mark and the text for a correct answer, the text alone else.
std::vector<std::wstring> GetAnswerLines(const std::vector<AssessmentAnswer>& answers);

std::int16_t MinInt(std::int16_t a, std::int16_t b);

// The item of a list at a vertical position: the list's top item, plus whole item heights down to
// the position (rounded to pixels, halves to even). Always an item of the list: a position above it
// gives the top item, below its last the last; -1 only for an empty list.
int ListIndexAt(int topIndex, double yTwips, double twipsPerPixelY, int itemHeightPixels, int listCount);

// Puts the question's answers into the given order of their present indices (each exactly once);
// anything else changes nothing and returns false.
bool ApplyAnswerOrder(AssessmentQuestion& question, const std::vector<int>& order);

// A question shown or stored needs an answer slot at its current answer.
void EnsureAnswerSlot(AssessmentQuestion& question);
