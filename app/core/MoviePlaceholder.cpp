#include "app/core/MoviePlaceholder.h"

#include <algorithm>
#include <cwctype>

namespace zv {

namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

PlaceholderName ParsePlaceholderName(std::wstring_view name) {
    const size_t comma = name.find(L',');
    if (comma == std::wstring_view::npos) return {std::wstring(name), L"0"};
    return {std::wstring(name.substr(0, comma)), std::wstring(name.substr(comma + 1))};
}

std::wstring MakePlaceholderName(std::wstring_view title, std::wstring_view flag) {
    return std::wstring(title) + L"," + std::wstring(flag);
}

bool FlagKeepsNaturalSize(std::wstring_view flag) { return flag != L"0"; }

MovieKind KindOfPlaceholder(std::wstring_view name) {
    const std::wstring lower = Lower(name);
    if (lower.find(L".swf") != std::wstring::npos) return MovieKind::Flash;
    if (lower.find(L".dcr") != std::wstring::npos) return MovieKind::Shockwave;
    if (lower.find(L".wmv") != std::wstring::npos) return MovieKind::Video;
    return MovieKind::None;
}

bool IsPlainMovieTitle(std::wstring_view title) {
    if (title.empty() || title == L"." || title == L"..") return false;
    for (wchar_t c : title)
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    // Windows drops trailing dots and blanks: "clip.swf." would name another file than it says.
    return title.back() != L'.' && title.back() != L' ';
}

StoredMovie ReadStoredMovie(std::wstring_view name) {
    PlaceholderName parsed = ParsePlaceholderName(name);
    const MovieKind kind = IsPlainMovieTitle(parsed.title) ? KindOfPlaceholder(name) : MovieKind::None;
    return StoredMovie{std::move(parsed.title), std::move(parsed.flag), kind};
}

std::optional<int> ParseMoviePixels(std::wstring_view text) {
    text = Trimmed(text);
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value < 1 || value > kMaxMoviePixels) return std::nullopt;
    return value;
}

std::optional<PixelSize> ParseSizeCommand(std::wstring_view command, std::wstring_view args) {
    if (command != L"size") return std::nullopt;
    const size_t x = args.find_first_of(L"xX");
    if (x == std::wstring_view::npos) return std::nullopt;
    const std::optional<int> width = ParseMoviePixels(args.substr(0, x));
    const std::optional<int> height = ParseMoviePixels(args.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return PixelSize{*width, *height};
}

std::vector<std::wstring> MovieFilesToDelete(const std::vector<std::wstring>& deletedTitles,
                                             const std::vector<std::wstring>& storedNamesStillInModule) {
    std::set<std::wstring> stillNamed;
    for (const std::wstring& name : storedNamesStillInModule) stillNamed.insert(Lower(ParsePlaceholderName(name).title));
    std::vector<std::wstring> doomed;
    std::set<std::wstring> seen;
    for (const std::wstring& title : deletedTitles) {
        const std::wstring key = Lower(title);
        if (!IsPlainMovieTitle(title) || stillNamed.count(key) || !seen.insert(key).second) continue;
        doomed.push_back(title);
    }
    return doomed;
}

}  // namespace zv
