#include "Paths.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace zv {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring out(folder);
    if (!out.empty() && !IsSeparator(out.back())) out.push_back(kPathSeparator);
    out.append(name);
    return out;
}

std::wstring ParentFolder(std::wstring_view path) {
    auto pos = path.find_last_of(L"\\/");
    return pos == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, pos));
}

std::wstring LastPathPart(std::wstring_view path) {
    auto pos = path.find_last_of(L"\\/");
    return std::wstring(pos == std::wstring_view::npos ? path : path.substr(pos + 1));
}

bool IsPlainFileName(std::wstring_view name) {
    if (name.empty() || name.size() > 255 || name == L"." || name == L"..") return false;
    for (wchar_t c : name) {
        if (c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) return false;
    }
    if (name.back() == L'.' || name.back() == L' ') return false;

    std::wstring stem(name.substr(0, name.find(L'.')));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
    static constexpr std::array<std::wstring_view, 4> kDevices = {L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return false;
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'0' &&
        stem[3] <= L'9')
        return false;
    return true;
}

std::filesystem::path FsPath(std::wstring_view path) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path));
#else
    // Linux builds run the portable tests only; the program's paths there use '/'.
    return std::filesystem::path(std::wstring(path));
#endif
}

}  // namespace zv
