#include "Paths.h"

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
        if (c < 0x20) return false;
        switch (c) {
            case L'<': case L'>': case L':': case L'"': case L'/': case L'\\': case L'|': case L'?': case L'*':
                return false;
            default:
                break;
        }
    }
    if (name.back() == L'.' || name.back() == L' ') return false;

    // Device names are reserved with any extension and in any case.
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
    auto startsWith = [&](std::wstring_view device) {  // device names are ASCII: ASCII case folding
        if (stem.size() < device.size()) return false;
        for (size_t i = 0; i < device.size(); ++i) {
            const wchar_t c = stem[i] >= L'a' && stem[i] <= L'z' ? static_cast<wchar_t>(stem[i] - 32) : stem[i];
            if (c != device[i]) return false;
        }
        return true;
    };
    if (stem.size() == 3 && (startsWith(L"CON") || startsWith(L"PRN") || startsWith(L"AUX") || startsWith(L"NUL")))
        return false;
    if (stem.size() == 4 && (startsWith(L"COM") || startsWith(L"LPT")) && stem[3] >= L'0' && stem[3] <= L'9')
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
