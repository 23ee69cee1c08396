#pragma once
// What a text typed into the creator becomes in the model and the test file. A field of the test
// file is quoted without escapes, so no stored text may hold a double quote; answers are joined
// with ">>", so no stored answer may make one.

#include <string>
#include <string_view>

// Every occurrence of `pstrFindStr` replaced by `pstrReplaceStr`, exact and case-sensitive; the search
// goes on behind each replacement, never inside it. An empty search text changes nothing.
std::wstring ReplaceStr(std::wstring_view pstrInStr, std::wstring_view pstrFindStr, std::wstring_view pstrReplaceStr);

// Line feeds and carriage returns removed, double quotes made apostrophes.
std::wstring RemoveCR_LF_Quotes(std::wstring_view originalString);

// Double quotes made apostrophes (question, explanation, link file: their line breaks stay).
std::wstring QuotesToApostrophes(std::wstring_view text);

// An answer as it is stored: RemoveCR_LF_Quotes, and a space after every ">" that another ">"
// follows (">>" becomes "> >"), so that it reads back as one answer.
std::wstring StoredAnswerText(std::wstring_view text);
// The ">>" of a text broken as StoredAnswerText does it.
std::wstring BreakAnswerSeparators(std::wstring_view text);

// How a correct-answer flag reads: "1" or another number other than 0 is correct; "0", "" and
// anything that is not a number are not.
bool IsCorrectFlag(std::wstring_view flag);

// The mark of a correct answer in the printout and the reorder list (byte A9 in Windows-1252).
inline constexpr wchar_t kCorrectMark = L'\xA9';
