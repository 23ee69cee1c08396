#pragma once
// What a player shows in place of playing: where the movie sits in the player's box and the lines
// of text that tell the author which movie it is. Kept apart from drawing so that the geometry the
// author sees (natural size centred, or stretched to the box) is checked without a window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/players/MovieHeader.h"

namespace players {

enum class PosterFit { Natural, Stretch };

struct BoxRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const BoxRect&) const = default;
};

// Each kind's own setting turned into a fit. Flash: scale mode 3 plays at the movie's size, every
// other mode scales it into the box. Shockwave: the stretch style "stage" (any letter case) keeps
// the stage size. Windows Media: display size 4 fits the box, the others keep the movie's size.
PosterFit FlashFit(int32_t scaleMode);
PosterFit ShockwaveFit(std::wstring_view stretchStyle);
PosterFit MediaFit(int32_t displaySize);

// The movie's rectangle in a box of width x height pixels: the whole box when stretched or when the
// movie's size is unknown; otherwise the movie's own size centred in the box (a movie larger than
// the box overhangs it equally on both sides, as an unscaled movie is cut by its window).
BoxRect MovieRect(int width, int height, std::optional<StagePixels> movie, PosterFit fit);

// The name and extension of a path, whichever separator it uses.
std::wstring FileTitleOf(std::wstring_view path);

// The poster's text: the file title, then the movie's pixel size when the file gives it, or what
// is wrong with the file. An empty path says that no movie is set.
std::vector<std::wstring> PosterLines(std::wstring_view path, std::optional<StagePixels> movie,
                                      std::wstring_view problem);

// The arguments of the size command the Flash kind raises: "WxH" in pixels.
std::wstring SizeCommandArguments(StagePixels movie);

}  // namespace players
