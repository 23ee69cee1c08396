#include "components/textcontrol/formats/HtmlStyle.h"

#include <algorithm>
#include <cmath>

#include "components/textcontrol/model/Limits.h"

namespace tx::html {
namespace {

constexpr Color Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

struct NamedColor {
    std::wstring_view name;
    Color color;
};
constexpr NamedColor kColors[] = {
    {L"black", Rgb(0, 0, 0)},         {L"silver", Rgb(192, 192, 192)}, {L"gray", Rgb(128, 128, 128)},
    {L"grey", Rgb(128, 128, 128)},    {L"white", Rgb(255, 255, 255)},  {L"maroon", Rgb(128, 0, 0)},
    {L"red", Rgb(255, 0, 0)},         {L"purple", Rgb(128, 0, 128)},   {L"fuchsia", Rgb(255, 0, 255)},
    {L"green", Rgb(0, 128, 0)},       {L"lime", Rgb(0, 255, 0)},       {L"olive", Rgb(128, 128, 0)},
    {L"yellow", Rgb(255, 255, 0)},    {L"navy", Rgb(0, 0, 128)},       {L"blue", Rgb(0, 0, 255)},
    {L"teal", Rgb(0, 128, 128)},      {L"aqua", Rgb(0, 255, 255)},     {L"orange", Rgb(255, 165, 0)},
};

int Hex(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// A plain decimal number at the start of `text`; `used` gets the characters it took.
std::optional<double> LeadingNumber(std::wstring_view text, std::size_t& used) {
    std::size_t i = 0;
    double value = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && i < 9) {
        value = value * 10 + (text[i++] - L'0');
        digits = true;
    }
    if (i < text.size() && text[i] == L'.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
            value += (text[i++] - L'0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    used = i;
    if (!digits) return std::nullopt;
    return value;
}

int ClampSize(double twips) {
    return static_cast<int>(std::clamp(std::lround(twips), static_cast<long>(limits::kMinFontSize), static_cast<long>(limits::kMaxFontSize)));
}

}  // namespace

std::wstring Lower(std::wstring_view text) {
    std::wstring s(text);
    for (auto& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

std::wstring TrimBlanks(std::wstring_view text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return std::wstring(text.substr(first, last - first));
}

std::optional<Color> ParseColor(std::wstring_view raw) {
    const std::wstring text = Lower(TrimBlanks(raw));
    for (const auto& c : kColors)
        if (c.name == text) return c.color;
    std::wstring_view hex = text;
    if (!hex.empty() && hex[0] == L'#') hex.remove_prefix(1);
    if (hex.size() == 3 || hex.size() == 6) {
        int v[6];
        bool ok = true;
        for (std::size_t i = 0; i < hex.size(); ++i) ok = ok && (v[i] = Hex(hex[i])) >= 0;
        if (ok && hex.size() == 3) return Rgb(v[0] * 17, v[1] * 17, v[2] * 17);
        if (ok) return Rgb(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
    }
    if (text.rfind(L"rgb(", 0) == 0 && text.back() == L')') {
        std::wstring_view rest = std::wstring_view(text).substr(4, text.size() - 5);
        unsigned parts[3];
        for (int k = 0; k < 3; ++k) {
            while (!rest.empty() && rest.front() == L' ') rest.remove_prefix(1);
            std::size_t used = 0;
            const auto n = LeadingNumber(rest, used);
            if (!n) return std::nullopt;
            rest.remove_prefix(used);
            double value = *n;
            if (!rest.empty() && rest.front() == L'%') {
                value = value * 255 / 100;
                rest.remove_prefix(1);
            }
            parts[k] = static_cast<unsigned>(std::clamp(std::lround(value), 0L, 255L));
            while (!rest.empty() && rest.front() == L' ') rest.remove_prefix(1);
            if (k < 2) {
                if (rest.empty() || rest.front() != L',') return std::nullopt;
                rest.remove_prefix(1);
            }
        }
        if (!rest.empty()) return std::nullopt;
        return Rgb(parts[0], parts[1], parts[2]);
    }
    return std::nullopt;
}

std::optional<int> ParseFontSize(std::wstring_view raw, int current) {
    const std::wstring text = Lower(TrimBlanks(raw));
    std::size_t used = 0;
    const auto n = LeadingNumber(text, used);
    if (!n) return std::nullopt;
    const std::wstring_view unit = std::wstring_view(text).substr(used);
    if (unit == L"pt") return ClampSize(*n * 20);
    if (unit == L"px" || unit.empty()) return ClampSize(*n * 15);  // 96 pixels to the inch
    if (unit == L"em") return ClampSize(*n * current);
    if (unit == L"%") return ClampSize(*n * current / 100);
    return std::nullopt;
}

std::optional<int> FontTagSize(std::wstring_view raw) {
    static constexpr int kPoints[] = {8, 10, 12, 14, 18, 24, 36};
    const std::wstring text = TrimBlanks(raw);
    if (text.empty()) return std::nullopt;
    int sign = 0;
    std::wstring_view digits = text;
    if (digits[0] == L'+' || digits[0] == L'-') {
        sign = digits[0] == L'+' ? 1 : -1;
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    const int step = std::clamp(sign == 0 ? value : 3 + sign * value, 1, 7);
    return kPoints[step - 1] * 20;
}

std::wstring FirstFontFamily(std::wstring_view raw) {
    std::wstring_view list = raw;
    const std::size_t comma = list.find(L',');
    std::wstring family = TrimBlanks(list.substr(0, comma));
    if (family.size() >= 2 && (family.front() == L'"' || family.front() == L'\'') && family.back() == family.front())
        family = family.substr(1, family.size() - 2);
    const std::wstring lower = Lower(family);
    if (lower == L"serif") return L"Times New Roman";
    if (lower == L"sans-serif") return L"Arial";
    if (lower == L"monospace") return L"Courier New";
    if (family.size() > limits::kMaxFaceName) return L"";
    return family;
}

std::optional<Align> ParseAlign(std::wstring_view raw) {
    const std::wstring text = Lower(TrimBlanks(raw));
    if (text == L"left") return Align::Left;
    if (text == L"right") return Align::Right;
    if (text == L"center" || text == L"centre" || text == L"middle") return Align::Center;
    if (text == L"justify") return Align::Justify;
    return std::nullopt;
}

void ApplyInlineStyle(std::wstring_view declarations, CharFormat& chars, std::optional<Align>& align) {
    std::size_t start = 0;
    while (start <= declarations.size()) {
        std::size_t end = declarations.find(L';', start);
        if (end == std::wstring_view::npos) end = declarations.size();
        const std::wstring_view one = declarations.substr(start, end - start);
        start = end + 1;
        const std::size_t colon = one.find(L':');
        if (colon == std::wstring_view::npos) continue;
        const std::wstring property = Lower(TrimBlanks(one.substr(0, colon)));
        std::wstring value = TrimBlanks(one.substr(colon + 1));
        if (const std::size_t bang = value.find(L'!'); bang != std::wstring::npos) value = TrimBlanks(value.substr(0, bang));
        const std::wstring lower = Lower(value);
        if (property == L"color") {
            if (auto c = ParseColor(value)) chars.color = *c;
        } else if (property == L"background-color" || property == L"background") {
            if (auto c = ParseColor(value)) chars.backColor = *c;
        } else if (property == L"font-weight") {
            std::size_t used = 0;
            const auto n = LeadingNumber(lower, used);
            if (lower == L"bold" || lower == L"bolder" || (n && used == lower.size() && *n >= 600)) chars.bold = true;
            else if (lower == L"normal" || lower == L"lighter" || (n && used == lower.size())) chars.bold = false;
        } else if (property == L"font-style") {
            if (lower == L"italic" || lower == L"oblique") chars.italic = true;
            else if (lower == L"normal") chars.italic = false;
        } else if (property == L"text-decoration" || property == L"text-decoration-line") {
            if (lower == L"none") {
                chars.underline = chars.strike = false;
            } else {
                if (lower.find(L"underline") != std::wstring::npos) chars.underline = true;
                if (lower.find(L"line-through") != std::wstring::npos) chars.strike = true;
            }
        } else if (property == L"font-size") {
            if (auto size = ParseFontSize(value, chars.size)) chars.size = *size;
        } else if (property == L"font-family") {
            if (std::wstring face = FirstFontFamily(value); !face.empty()) chars.face = face;
        } else if (property == L"text-align") {
            if (auto a = ParseAlign(value)) align = a;
        }
    }
}

}  // namespace tx::html
