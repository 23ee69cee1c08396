#include "components/textcontrol/formats/Markup.h"

#include <cstdio>

#include "components/textcontrol/model/Document.h"
#include "components/textcontrol/model/SystemColors.h"

namespace tx {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](char32_t c) { AppendUtf8(out, c); });
    return out;
}

bool IsXmlChar(char32_t c) {
    if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
    if (c == kObjectChar || c == kPageNumberChar) return false;
    return c <= 0xD7FF || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendEscaped(std::string& out, std::wstring_view text, bool attribute) {
    ForEachCodePoint(text, [&](char32_t c) {
        if (!IsXmlChar(c)) return;
        switch (c) {
        case U'&': out += "&amp;"; return;
        case U'<': out += "&lt;"; return;
        case U'>': out += "&gt;"; return;
        case U'"':
            if (attribute) {
                out += "&quot;";
                return;
            }
            break;
        case U'\t':
            if (attribute) {
                out += "&#9;";
                return;
            }
            break;
        case U'\n':
            if (attribute) {
                out += "&#10;";
                return;
            }
            break;
        case U'\r':
            out += "&#13;";
            return;
        default: break;
        }
        AppendUtf8(out, c);
    });
}

std::string Escaped(std::wstring_view text, bool attribute) {
    std::string out;
    AppendEscaped(out, text, attribute);
    return out;
}

std::string Points(long long twips) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(twips) / 20.0);
    std::string s = buffer;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s + "pt";
}

std::string HexColor(Color color) {
    const Color c = PlainColor(color, kBlack);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return buffer;
}

}  // namespace tx
