#include "components/spelling/UserDictionary.h"

#include <algorithm>
#include <unordered_set>

#include "base/Cp1252.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/spelling/Unicode.h"
#include "components/spelling/WordScanner.h"

namespace sp {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == 0xA0 || c == 0xFEFF; }

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    if constexpr (sizeof(wchar_t) == 2) {
        return units;
    } else {
        // Join surrogate pairs where wchar_t holds whole code points.
        std::u32string joined;
        for (std::size_t i = 0; i < units.size(); ++i) {
            char32_t c = static_cast<char32_t>(units[i]);
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(units[i + 1]) - 0xDC00);
                ++i;
            }
            joined.push_back(c);
        }
        return U32ToWide(joined);
    }
}

std::string EncodeUtf16(std::wstring_view text, bool bigEndian) {
    std::string out;
    std::u32string code = WideToU32(text);
    auto put = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    };
    for (char32_t c : code) {
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

}  // namespace

std::wstring CleanUserWord(std::wstring_view word) {
    std::size_t first = 0, end = word.size();
    while (first < end && IsBlank(word[first])) ++first;
    while (end > first && IsBlank(word[end - 1])) --end;
    std::u32string code = WideToU32(word.substr(first, end - first));
    for (char32_t& c : code) {
        if (c < U' ' || c == 0x7F || c == 0x2028 || c == 0x2029) return L"";
        // A lone surrogate half stands for nothing: it becomes the replacement character.
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    }
    return U32ToWide(code);
}

namespace {

// What a file's bytes are read as, with the text they give.
TextEncoding Decode(std::string_view bytes, std::wstring& text) {
    std::u32string code;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        text = Utf8ToWide(bytes.substr(3));
        return TextEncoding::Utf8WithMark;
    }
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
        text = DecodeUtf16(bytes.substr(2), false);
        return TextEncoding::Utf16LE;
    }
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") {
        text = DecodeUtf16(bytes.substr(2), true);
        return TextEncoding::Utf16BE;
    }
    if (DecodeUtf8(bytes, code)) {
        text = U32ToWide(code);
        return TextEncoding::Utf8;
    }
    text = zv::DecodeCp1252(bytes);
    return TextEncoding::Windows1252;
}

}  // namespace

UserWordList ParseUserWords(std::string_view bytes) {
    UserWordList list;
    std::wstring text;
    list.encoding = Decode(bytes, text);
    std::unordered_set<std::wstring> seen;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring word = CleanUserWord(std::wstring_view(text).substr(start, end - start));
        if (!word.empty() && seen.insert(word).second) list.words.push_back(std::move(word));
        start = end + 1;
    }
    return list;
}

std::string EncodeUserWords(const std::vector<std::wstring>& words, TextEncoding encoding) {
    std::wstring text;
    for (const auto& w : words) text += w + L"\r\n";
    switch (encoding) {
        case TextEncoding::Windows1252: {
            // Kept in Windows-1252 only where it holds every word and reads back as the same
            // text: bytes that happen to be valid UTF-8, or to start like a byte-order mark,
            // would be read otherwise.
            std::string bytes = zv::EncodeCp1252(text);
            std::wstring back;
            Decode(bytes, back);
            if (zv::DecodeCp1252(bytes) == text && back == text) return bytes;
            return "\xEF\xBB\xBF" + WideToUtf8(text);
        }
        case TextEncoding::Utf8WithMark:
            return "\xEF\xBB\xBF" + WideToUtf8(text);
        case TextEncoding::Utf16LE:
            return "\xFF\xFE" + EncodeUtf16(text, false);
        case TextEncoding::Utf16BE:
            return "\xFE\xFF" + EncodeUtf16(text, true);
        case TextEncoding::Utf8:
            break;
    }
    return WideToUtf8(text);
}

UserDictionary::UserDictionary(std::wstring path) : path_(std::move(path)) {
    if (!zv::FileExists(path_)) return;
    for (const auto& w : ParseUserWords(zv::ReadFileBytes(path_)).words) Remember(w);
}

bool UserDictionary::Remember(const std::wstring& word) {
    // Known as the checker looks words up: "Hallowe’en" added from a text is found as written.
    const std::u32string form = LookupForm(word);
    if (form.empty()) return false;
    std::string text = ToUtf8(form);
    std::string folded = ToUtf8(Lower(form));
    if (auto* known = Spellings(folded))
        for (std::size_t i : *known)
            if (words_[i] == text) return false;
    byFolded_[folded].push_back(words_.size());
    words_.push_back(std::move(text));
    folded_.push_back(std::move(folded));
    return true;
}

const std::vector<std::size_t>* UserDictionary::Spellings(const std::string& folded) const {
    auto it = byFolded_.find(folded);
    return it == byFolded_.end() ? nullptr : &it->second;
}

void UserDictionary::Add(std::wstring_view word) {
    const std::wstring clean = CleanUserWord(word);
    if (clean.empty()) return;
    Remember(clean);
    if (path_.empty()) return;
    // Merge with the file as it is now: another editor of this program may have added words.
    UserWordList list;
    if (zv::FileExists(path_)) {
        try {
            list = ParseUserWords(zv::ReadFileBytes(path_));
        } catch (const zv::Error& e) {
            throw zv::Error(L"The word \"" + clean + L"\" is kept until the program ends, but it could not be saved: " +
                            e.Description());
        }
    }
    for (const auto& w : list.words) Remember(w);
    if (std::find(list.words.begin(), list.words.end(), clean) != list.words.end()) return;
    list.words.push_back(clean);
    try {
        zv::WriteFileReplacing(path_, EncodeUserWords(list.words, list.encoding));
    } catch (const zv::Error& e) {
        throw zv::Error(L"The word \"" + clean + L"\" is kept until the program ends, but it could not be saved: " +
                        e.Description());
    }
}

}  // namespace sp
