#include "app/core/MovieFiles.h"

#include <filesystem>
#include <system_error>

#include "app/core/AppState.h"
#include "app/core/MoviePlaceholder.h"
#include "app/core/PageFile.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace zv {

namespace {

bool SameFile(std::wstring_view a, std::wstring_view b) {
    std::error_code ec;
    const bool same = std::filesystem::equivalent(FsPath(a), FsPath(b), ec);
    return !ec && same;
}

}  // namespace

std::wstring MoviesFolder(std::wstring_view modulePath) { return JoinPath(modulePath, L"Movies"); }

std::wstring MovieFilePath(std::wstring_view modulePath, std::wstring_view title) {
    return JoinPath(MoviesFolder(modulePath), title);
}

void StoreMovieCopy(std::wstring_view source, std::wstring_view modulePath, std::wstring_view title) {
    if (!IsPlainMovieTitle(title)) throw Error(L"The movie name " + std::wstring(title) + L" is no file name.");
    const std::wstring folder = MoviesFolder(modulePath);
    std::error_code ec;
    std::filesystem::create_directories(FsPath(folder), ec);
    if (!FolderExists(folder)) throw Error(L"The folder " + folder + L" cannot be made.");
    const std::wstring target = MovieFilePath(modulePath, title);
    if (SameFile(source, target)) return;
    CopyFileReplacing(source, target);
}

std::vector<std::wstring> PlaceholderNames(const tx::Document& doc) {
    std::vector<std::wstring> names;
    for (const tx::Object& o : doc.objects)
        if (o.kind == tx::ObjectKind::Windowed) names.push_back(o.name);
    return names;
}

bool PageHoldsMovie(const tx::Document& doc) {
    for (const tx::Object& o : doc.objects)
        if (o.kind == tx::ObjectKind::Windowed) return true;
    return false;
}

int HostedPlaceholder(const tx::Document& doc) {
    for (const tx::Object& o : doc.objects)
        if (o.kind == tx::ObjectKind::Windowed && o.hostWindow != 0) return o.id;
    return 0;
}

std::vector<std::wstring> DeleteUnnamedMovies(std::wstring_view modulePath, const std::vector<std::wstring>& deletedTitles,
                                              const std::vector<std::wstring>& pageNames) {
    if (deletedTitles.empty()) return {};
    std::vector<std::wstring> stillNamed;
    for (const std::wstring& page : pageNames) {
        if (!IsPlainFileName(page)) continue;  // names no file of this module
        tx::TextEngine engine;
        try {
            LoadPageFile(JoinPath(modulePath, page), engine, false);
        } catch (const std::exception&) {
            return {};
        }
        for (std::wstring& name : PlaceholderNames(engine.Doc())) stillNamed.push_back(std::move(name));
    }
    std::vector<std::wstring> deleted;
    for (const std::wstring& title : MovieFilesToDelete(deletedTitles, stillNamed)) {
        std::error_code ec;
        if (std::filesystem::remove(FsPath(MovieFilePath(modulePath, title)), ec)) deleted.push_back(title);
    }
    return deleted;
}

void DeleteMoviesAfterStore(AppState& app) {
    if (app.MovieDeletePending && !app.DeletedMovieTitles.empty()) {
        std::int32_t count = 0;
        std::vector<std::wstring> names, types, topics;
        if (app.PageList.ListHead[LinkedList::kMain] != nullptr) app.PageList.GetAllPageInfo(count, names, types, topics);
        // The names come 1-based, as the program's arrays are.
        if (!names.empty()) names.erase(names.begin());
        DeleteUnnamedMovies(app.ModulePath, app.DeletedMovieTitles, names);
    }
    app.DeletedMovieTitles.clear();
    app.MovieDeletePending = false;
}

}  // namespace zv
