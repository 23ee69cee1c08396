#include "components/textcontrol/formats/PdfObjects.h"

#include <cmath>
#include <cstdio>

#include "components/textcontrol/formats/Deflate.h"
#include "components/textcontrol/formats/Markup.h"

namespace tx {

int PdfObjects::Reserve() {
    objects_.emplace_back();
    return static_cast<int>(objects_.size());
}

void PdfObjects::Put(int id, std::string body) { objects_[static_cast<size_t>(id) - 1] = std::move(body); }

void PdfObjects::PutStream(int id, std::string_view dictionary, std::string_view data, bool compress) {
    std::string packed;
    if (compress) packed = Deflate(data);
    const std::string_view bytes = compress ? std::string_view(packed) : data;
    std::string body = "<<";
    body += dictionary;
    if (compress) body += " /Filter /FlateDecode";
    body += " /Length " + std::to_string(bytes.size()) + " >>\nstream\n";
    body += bytes;
    body += "\nendstream";
    Put(id, std::move(body));
}

std::string PdfObjects::Finish(int root, int info) const {
    // A binary comment after the header tells transfer programs the file is binary.
    std::string out = "%PDF-1.5\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (size_t i = 0; i < objects_.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n";
        out += objects_[i].empty() ? std::string("null") : objects_[i];
        out += "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects_.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(objects_.size() + 1) + " /Root " + std::to_string(root) + " 0 R";
    if (info) out += " /Info " + std::to_string(info) + " 0 R";
    out += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::string PdfNumber(double value) {
    if (!std::isfinite(value)) value = 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string s = buffer;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

std::string PdfName(std::string_view name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "/";
    for (unsigned char c : name) {
        const bool plain = c > 0x20 && c < 0x7F && c != '#' && c != '/' && c != '(' && c != ')' && c != '<' && c != '>' &&
                           c != '[' && c != ']' && c != '{' && c != '}' && c != '%';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('#');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string PdfBytes(std::string_view bytes) {
    std::string out = "(";
    for (unsigned char c : bytes) {
        if (c == '(' || c == ')' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || c >= 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out + ")";
}

std::string PdfText(std::wstring_view text) {
    bool ascii = true;
    for (wchar_t c : text) ascii = ascii && c >= 0x20 && c < 0x7F;
    if (ascii) return PdfBytes(std::string(text.begin(), text.end()));
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "<FEFF";
    ForEachCodePoint(text, [&](char32_t c) {
        auto unit = [&](std::uint32_t u) {
            for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(u >> shift) & 15]);
        };
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    });
    return out + ">";
}

}  // namespace tx
