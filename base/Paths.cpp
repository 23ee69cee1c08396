#include "Paths.h"

#include <cstdint>

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

#ifdef _WIN32

std::filesystem::path FsPath(std::wstring_view path) { return std::filesystem::path(std::wstring(path)); }

std::wstring WidePath(const std::filesystem::path& path) { return path.wstring(); }

#else

// Linux builds run the portable tests only; the program's paths there use '/'. The library would
// convert wide paths through the locale, which under the C locale throws for any character beyond
// ASCII: names are UTF-8 on disk, so the conversion is ours and cannot fail.
std::filesystem::path FsPath(std::wstring_view path) {
    std::string bytes;
    bytes.reserve(path.size());
    for (wchar_t wc : path) {
        auto c = static_cast<std::uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return std::filesystem::path(std::move(bytes));
}

// Bytes that are not UTF-8 (a name another program made) come back as U+FFFD.
std::wstring WidePath(const std::filesystem::path& path) {
    const std::string& bytes = path.native();
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int more = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (more < 0 || i + static_cast<size_t>(more) >= bytes.size()) {
            out.push_back(L'\xFFFD');
            ++i;
            continue;
        }
        std::uint32_t c = more == 0 ? lead : lead & (0x3F >> more);
        bool valid = true;
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (next & 0x3F);
        }
        static const std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || c < kLeast[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(L'\xFFFD');
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(c));
        i += static_cast<size_t>(more) + 1;
    }
    return out;
}

#endif

}  // namespace zv
