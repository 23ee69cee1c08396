#include "components/textcontrol/tests/RtfFixtures.h"

#include <cstdint>

#include "base/Files.h"

namespace tx::testing {

const std::vector<RtfFixture>& RtfFixtures() {
    // The office suite's three files come from one document: a heading, a paragraph with a link, a
    // numbered list with a nested lettered one, a bulleted list, a 2 x 2 table and a picture.
    const std::vector<int> officeLists = {0, 0, 1, 1, 0, -1, -1};
    static const std::vector<RtfFixture> fixtures = {
        {L"libreoffice-odt", {{2, 2}}, officeLists, {L"http://www.example.com/"}, 1},
        {L"libreoffice-html", {{2, 2}}, officeLists, {L"http://www.example.com/"}, 1},
        {L"libreoffice-docx", {{2, 2}}, officeLists, {L"http://www.example.com/"}, 1},
        // The converter writes list labels as text and a 3 x 2 table with its heading row.
        {L"pandoc", {{3, 2}}, {}, {L"http://www.example.com/"}, 0},
        // RichEdit read the office suite's file: it kept the labels as text and dropped the link's
        // text and the picture; it writes its 2 x 2 table without \intbl.
        {L"richedit", {{2, 2}}, {}, {}, 0},
        {L"codepages", {}, {}, {}, 0},
        {L"doublebyte", {}, {}, {}, 0},
        {L"notes-and-scripts", {}, {}, {}, 0},
        {L"merged-cells", {{3, 3}}, {}, {}, 0},
    };
    return fixtures;
}

namespace {

bool IsSpace(wchar_t c) { return c <= 0x20 || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x3000 || c == 0xFEFF; }

bool IsPunctuation(wchar_t c) {
    if (c < 0x80) return !((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'));
    switch (c) {
    case 0x2013: case 0x2014: case 0x2018: case 0x2019: case 0x201C: case 0x201D: case 0x2026: case 0x2022:
    case 0x00B7: case 0xF07F: case 0xF0B7: case 0xFFFC: case 0x3001: case 0x3002: case 0xFF01: case 0xFF0C:
        return true;
    default: return false;
    }
}

// A list label: a number, a letter or a roman numeral with a dot or bracket, or one bullet sign.
size_t LabelLength(const std::wstring& line, size_t at) {
    size_t end = at;
    while (end < line.size() && !IsSpace(line[end])) ++end;
    if (end == at || end == line.size()) return 0;
    const std::wstring token = line.substr(at, end - at);
    if (token.size() == 1 && IsPunctuation(token[0])) return end - at;
    const wchar_t last = token.back();
    if (last != L'.' && last != L')') return 0;
    const std::wstring body = token.substr(0, token.size() - 1);
    bool digits = !body.empty(), roman = !body.empty();
    for (wchar_t c : body) {
        digits = digits && c >= L'0' && c <= L'9';
        roman = roman && std::wstring(L"ivxlcdmIVXLCDM").find(c) != std::wstring::npos;
    }
    const bool letter = body.size() == 1 && ((body[0] >= L'a' && body[0] <= L'z') || (body[0] >= L'A' && body[0] <= L'Z'));
    return digits || roman || letter ? end - at : 0;
}

}  // namespace

std::wstring Words(const std::wstring& text) {
    std::wstring out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n\v\f", start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        size_t i = 0;
        while (i < line.size() && IsSpace(line[i])) ++i;
        i += LabelLength(line, i);
        for (; i < line.size(); ++i) {
            wchar_t c = line[i];
            if (c == 0xB2 || c == 0x2082) c = L'2';
            if (c == 0xB9 || c == 0x2081) c = L'1';
            if (c == 0xB3 || c == 0x2083) c = L'3';
            if (!IsSpace(c) && !IsPunctuation(c)) out.push_back(c);
        }
        start = end + 1;
    }
    return out;
}

std::wstring Utf8File(const std::wstring& path) {
    const std::string bytes = zv::ReadFileBytes(path);
    std::wstring out;
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int more = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
        std::uint32_t c = more == 0 ? b : b & (0x3F >> more);
        for (int k = 1; k <= more && i + static_cast<size_t>(k) < bytes.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]) & 0x3F);
        i += static_cast<size_t>(more) + 1;
        if constexpr (sizeof(wchar_t) == 2) {
            if (c > 0xFFFF) {
                out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
                out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
                continue;
            }
        }
        if (c != 0xFEFF) out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

}  // namespace tx::testing
