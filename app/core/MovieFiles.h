#pragma once
// A module's movie files and the placeholders that name them: the Movies folder, a chosen movie
// copied into it, which placeholder of a page shows its movie, and the stored copies that a
// deletion leaves unnamed by every page.

#include <string>
#include <string_view>
#include <vector>

#include "components/textcontrol/model/Document.h"

struct AppState;

namespace zv {

std::wstring MoviesFolder(std::wstring_view modulePath);
std::wstring MovieFilePath(std::wstring_view modulePath, std::wstring_view title);

// Copies the chosen movie into the module's Movies folder (made when missing) under `title`. A
// stored copy of that name is replaced in one step, so a copy that fails leaves it whole; choosing
// the stored copy itself copies nothing. Throws zv::Error.
void StoreMovieCopy(std::wstring_view source, std::wstring_view modulePath, std::wstring_view title);

// The names of a document's placeholders (its windowed objects), in document order.
std::vector<std::wstring> PlaceholderNames(const tx::Document& doc);
// A page shows at most one movie: whether it holds a placeholder already.
bool PageHoldsMovie(const tx::Document& doc);
// The placeholder that shows the page's movie: the one given a host window (0: none).
int HostedPlaceholder(const tx::Document& doc);

// After a store: deletes the stored copies of the titles of deleted placeholders that no page of
// the module (`pageNames`, files of `modulePath`) names any more. A page that cannot be read might
// name any of them, and then nothing is deleted. Returns the titles whose copies went.
std::vector<std::wstring> DeleteUnnamedMovies(std::wstring_view modulePath, const std::vector<std::wstring>& deletedTitles,
                                              const std::vector<std::wstring>& pageNames);

// What Save Page does after storing the page: when a movie was deleted, the stored copies of the
// deleted placeholders that no page of the open module names any more go.
void DeleteMoviesAfterStore(AppState& app);

}  // namespace zv
