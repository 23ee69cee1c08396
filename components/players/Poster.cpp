#include "components/players/Poster.h"

#include <cwctype>

namespace players {

PosterFit FlashFit(int32_t scaleMode) { return scaleMode == 3 ? PosterFit::Natural : PosterFit::Stretch; }

PosterFit ShockwaveFit(std::wstring_view stretchStyle) {
    constexpr std::wstring_view kStage = L"stage";
    if (stretchStyle.size() != kStage.size()) return PosterFit::Stretch;
    for (size_t i = 0; i < kStage.size(); ++i)
        if (static_cast<wchar_t>(std::towlower(stretchStyle[i])) != kStage[i]) return PosterFit::Stretch;
    return PosterFit::Natural;
}

PosterFit MediaFit(int32_t displaySize) { return displaySize == 4 ? PosterFit::Stretch : PosterFit::Natural; }

BoxRect MovieRect(int width, int height, std::optional<StagePixels> movie, PosterFit fit) {
    if (fit == PosterFit::Stretch || !movie) return {0, 0, width, height};
    // In 64 bits: a box and a movie of any int size still centre without overflow.
    const int64_t left = (int64_t{width} - movie->width) / 2;
    const int64_t top = (int64_t{height} - movie->height) / 2;
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + movie->width),
            static_cast<int>(top + movie->height)};
}

std::wstring FileTitleOf(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::vector<std::wstring> PosterLines(std::wstring_view path, std::optional<StagePixels> movie,
                                      std::wstring_view problem) {
    if (path.empty()) return {L"No movie"};
    std::vector<std::wstring> lines{FileTitleOf(path)};
    if (!problem.empty()) lines.emplace_back(problem);
    else if (movie) lines.push_back(std::to_wstring(movie->width) + L" x " + std::to_wstring(movie->height) + L" pixels");
    return lines;
}

std::wstring SizeCommandArguments(StagePixels movie) {
    return std::to_wstring(movie.width) + L"x" + std::to_wstring(movie.height);
}

}  // namespace players
