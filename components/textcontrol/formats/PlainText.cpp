#include "components/textcontrol/formats/PlainText.h"

#include "base/Cp1252.h"
#include "components/textcontrol/model/Limits.h"

#include "base/Error.h"

namespace tx {

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

bool DecodeUtf8(std::string_view bytes, std::wstring& out) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int extra;
        char32_t cp;
        if (b < 0x80) { out.push_back(static_cast<wchar_t>(b)); ++i; continue; }
        if ((b & 0xE0) == 0xC0) { extra = 1; cp = b & 0x1F; }
        else if ((b & 0xF0) == 0xE0) { extra = 2; cp = b & 0x0F; }
        else if ((b & 0xF8) == 0xF0) { extra = 3; cp = b & 0x07; }
        else return false;
        if (i + static_cast<size_t>(extra) >= bytes.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        AppendCodePoint(out, cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

std::wstring DecodePlainText(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring out;
        out.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                               (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return out;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        std::wstring out;
        if (DecodeUtf8(bytes.substr(3), out)) return out;
        return zv::DecodeCp1252(bytes.substr(3));
    }
    bool ascii = true;
    for (char c : bytes) if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    if (!ascii) {
        std::wstring out;
        if (DecodeUtf8(bytes, out)) return out;
    }
    return zv::DecodeCp1252(bytes);
}

std::string EncodePlainText(std::wstring_view text) {
    std::wstring lines;
    lines.reserve(text.size() + text.size() / 16);
    for (wchar_t c : text) {
        if (c == kParagraphSeparator) lines += L"\r\n";
        else if (c != kObjectChar && c != kPageNumberChar) lines.push_back(c);
    }
    return zv::EncodeCp1252(lines);
}

Document ReadPlainText(std::string_view bytes, const CharFormat& format) {
    const std::wstring text = DecodePlainText(bytes);
    if (text.size() > limits::kMaxTextLength) throw zv::Error(L"The text file is too large to load.");
    Document d;
    d.charFormats[0] = format;
    // Paragraph by paragraph: inserting the whole text at once would shift every anchor per line.
    d.paragraphs.clear();
    Paragraph current = d.NewParagraph();
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            d.paragraphs.push_back(std::move(current));
            current = d.NewParagraph();
        } else if (c == L'\t' || c == kPageBreak || c == kLineBreak || (c >= 0x20 && c != kObjectChar && c != kPageNumberChar)) {
            current.text.push_back(c);
        }
    }
    d.paragraphs.push_back(std::move(current));
    for (auto& p : d.paragraphs) p.formats.assign(p.text.size(), 0);
    return d;
}

}  // namespace tx
