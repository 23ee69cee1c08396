#include "app/assessment/TextFields.h"

#include <cwctype>

std::wstring ReplaceStr(std::wstring_view pstrInStr, std::wstring_view pstrFindStr, std::wstring_view pstrReplaceStr) {
    std::wstring s(pstrInStr);
    if (pstrFindStr.empty()) return s;
    size_t p = 0;
    while ((p = s.find(pstrFindStr, p)) != std::wstring::npos) {
        s.replace(p, pstrFindStr.size(), pstrReplaceStr);
        p += pstrReplaceStr.size();
    }
    return s;
}

std::wstring RemoveCR_LF_Quotes(std::wstring_view originalString) {
    std::wstring s;
    s.reserve(originalString.size());
    for (wchar_t c : originalString) {
        if (c == L'\n' || c == L'\r') continue;
        s += c == L'"' ? L'\'' : c;
    }
    return s;
}

std::wstring QuotesToApostrophes(std::wstring_view text) { return ReplaceStr(text, L"\"", L"'"); }

std::wstring BreakAnswerSeparators(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == L'>' && i + 1 < text.size() && text[i + 1] == L'>') out += L' ';
    }
    return out;
}

std::wstring StoredAnswerText(std::wstring_view text) { return BreakAnswerSeparators(RemoveCR_LF_Quotes(text)); }

bool IsCorrectFlag(std::wstring_view flag) {
    // A number as the flag was ever written: optional spaces and sign, digits, an optional fraction.
    size_t i = 0;
    while (i < flag.size() && flag[i] == L' ') ++i;
    if (i < flag.size() && (flag[i] == L'-' || flag[i] == L'+')) ++i;
    bool digits = false, nonZero = false;
    for (; i < flag.size() && std::iswdigit(flag[i]); ++i) {
        digits = true;
        nonZero |= flag[i] != L'0';
    }
    if (i < flag.size() && flag[i] == L'.') {
        for (++i; i < flag.size() && std::iswdigit(flag[i]); ++i) {
            digits = true;
            nonZero |= flag[i] != L'0';
        }
    }
    while (i < flag.size() && flag[i] == L' ') ++i;
    return digits && i == flag.size() && nonZero;
}
