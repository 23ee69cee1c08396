#include "app/core/CommandLine.h"

std::wstring ArgumentText(std::wstring_view commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
    std::wstring_view rest = commandLine.substr(i);
    while (!rest.empty() && (rest.back() == L' ' || rest.back() == L'\t')) rest.remove_suffix(1);
    return std::wstring(rest);
}

std::wstring StripSurroundingQuotes(std::wstring_view path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
    return std::wstring(path);
}
