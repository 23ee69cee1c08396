#pragma once
// The movie placeholder of a page and the rules around it, apart from any window: what its stored
// name says (file title and fit flag), which player a name gets, which titles may name a file in
// the module's Movies folder, the Flash size command, the Shockwave box size typed by the author,
// and which stored copies a deletion may remove.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

enum class MovieKind { None, Flash, Shockwave, Video };

struct PlaceholderName {
    std::wstring title;
    std::wstring flag;  // "0" stretched to fit; any other text the movie's own size
};

// The stored name split at its first comma; a name without one is a title alone with flag "0".
PlaceholderName ParsePlaceholderName(std::wstring_view name);
// The name stored for a title and the scale mode flag.
std::wstring MakePlaceholderName(std::wstring_view title, std::wstring_view flag);
// "not 0": the flag keeps the movie's own size.
bool FlagKeepsNaturalSize(std::wstring_view flag);

// The player a stored name gets: ".swf", then ".dcr", then ".wmv" anywhere in it, letter case
// ignored; none of them: a container without a player.
MovieKind KindOfPlaceholder(std::wstring_view name);

// A title that can only name a file directly inside the Movies folder: not empty, no folder
// separators, no drive, not "." or "..", none of the characters file names cannot hold. A title
// that fails gets no player and never names a file to copy over or delete.
bool IsPlainMovieTitle(std::wstring_view title);

// What a stored name brings back when its page loads: the title and flag, and the player it gets,
// which is none for a title that is no plain file name of the Movies folder.
struct StoredMovie {
    std::wstring title;
    std::wstring flag;
    MovieKind kind = MovieKind::None;
};
StoredMovie ReadStoredMovie(std::wstring_view name);

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The largest side, in pixels, that a size command or a typed box size may give.
inline constexpr int kMaxMoviePixels = 4096;

// A whole number from 1 to kMaxMoviePixels written in decimal digits alone (surrounding blanks
// allowed), or nothing.
std::optional<int> ParseMoviePixels(std::wstring_view text);

// The Flash player's command: only "size" (exact) with "WxH", split at the first "x" in either
// letter case, both sides whole numbers from 1 to kMaxMoviePixels. Anything else is ignored.
std::optional<PixelSize> ParseSizeCommand(std::wstring_view command, std::wstring_view args);

// The titles whose stored copies a save may delete: those of deleted placeholders that are plain
// titles and that no page of the module names any more (names as stored, titles compared without
// letter case, as the file system compares them).
std::vector<std::wstring> MovieFilesToDelete(const std::vector<std::wstring>& deletedTitles,
                                             const std::vector<std::wstring>& storedNamesStillInModule);

}  // namespace zv
