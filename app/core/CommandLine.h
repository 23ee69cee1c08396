#pragma once
// The program's command-line text: everything after the program's own name, as one text.

#include <string>
#include <string_view>

// The argument text of a whole command line (the program name, quoted or not, and the blanks after
// it removed).
std::wstring ArgumentText(std::wstring_view commandLine);

// A marker-file path as given on the command line or dropped: one double quote is removed at each
// end when the text both begins and ends with one; otherwise the text is used unchanged.
std::wstring StripSurroundingQuotes(std::wstring_view path);
