#pragma once
// The RTF fixture files, what their source documents hold, and the word comparison both the native
// reader test and the test under Wine's RichEdit use.

#include <string>
#include <utility>
#include <vector>

namespace tx::testing {

struct RtfFixture {
    std::wstring name;                           // tests/fixtures/rtf/<name>.rtf and .txt
    std::vector<std::pair<int, int>> tables;     // rows, columns of each table
    // Each list item in order: its level for a numbered item, -(level + 1) for a bulleted one.
    std::vector<int> listLevels;
    std::vector<std::wstring> links;
    int images = 0;
};

const std::vector<RtfFixture>& RtfFixtures();

// The letters, digits and symbols of a text in order, as one string: whitespace, punctuation and
// list labels at the start of a line are dropped, superscript and subscript digits read as digits.
std::wstring Words(const std::wstring& text);

// A UTF-8 text file (with or without a byte order mark) as wide text.
std::wstring Utf8File(const std::wstring& path);

}  // namespace tx::testing
