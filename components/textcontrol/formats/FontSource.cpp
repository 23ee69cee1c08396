#include "components/textcontrol/formats/FontSource.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace tx {
namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

bool Contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

constexpr std::size_t kMaxFontFile = 64 * 1024 * 1024;

}  // namespace

std::wstring SubstituteFamily(std::wstring_view face) {
    const std::wstring f = Lower(face);
    static const std::pair<const wchar_t*, const wchar_t*> kTwins[] = {
        {L"arial narrow", L"liberation sans narrow"}, {L"arial", L"liberation sans"},
        {L"helvetica", L"liberation sans"},           {L"ms sans serif", L"liberation sans"},
        {L"microsoft sans serif", L"liberation sans"}, {L"times new roman", L"liberation serif"},
        {L"times", L"liberation serif"},              {L"ms serif", L"liberation serif"},
        {L"courier new", L"liberation mono"},         {L"courier", L"liberation mono"},
    };
    for (auto [name, twin] : kTwins)
        if (f == name) return twin;
    if (Contains(f, L"mono") || Contains(f, L"courier") || Contains(f, L"consol") || Contains(f, L"console") ||
        Contains(f, L"typewriter"))
        return L"liberation mono";
    if ((Contains(f, L"serif") && !Contains(f, L"sans")) || Contains(f, L"times") || Contains(f, L"roman") ||
        Contains(f, L"georgia") || Contains(f, L"garamond") || Contains(f, L"book") || Contains(f, L"cambria"))
        return L"liberation serif";
    return L"liberation sans";
}

FolderFontSource::FolderFontSource(std::vector<std::wstring> folders) : folders_(std::move(folders)) {}

std::vector<std::wstring> FolderFontSource::DefaultFolders() {
    return {L"/usr/share/fonts/truetype/liberation", L"/usr/share/fonts/truetype/liberation2",
            L"/usr/share/fonts/truetype/dejavu"};
}

FolderFontSource& FolderFontSource::Default() {
    static FolderFontSource source(DefaultFolders());
    return source;
}

void FolderFontSource::Index() {
    indexed_ = true;
    for (const auto& folder : folders_) {
        std::error_code ec;
        for (const auto& item : std::filesystem::directory_iterator(zv::FsPath(folder), ec)) {
            std::wstring ext = Lower(zv::WidePath(item.path().extension()));
            if (ext != L".ttf") continue;
            const std::wstring path = zv::WidePath(item.path());
            try {
                if (std::filesystem::file_size(item.path(), ec) > kMaxFontFile || ec) continue;
                const auto font = TrueTypeFont::FromFile(zv::ReadFileBytes(path));
                if (font->Names().family.empty()) continue;
                families_[Lower(font->Names().family)].push_back(Entry{path, font->Bold(), font->Italic()});
            } catch (const zv::Error&) {
                // Not a font we can read: not one to offer.
            }
        }
    }
}

const FolderFontSource::Entry* FolderFontSource::Best(const std::wstring& family, bool bold, bool italic) const {
    auto it = families_.find(family);
    if (it == families_.end()) return nullptr;
    const Entry* best = nullptr;
    int bestScore = -1;
    for (const Entry& e : it->second) {
        const int score = (e.bold == bold ? 2 : 0) + (e.italic == italic ? 1 : 0);
        if (score > bestScore) {
            bestScore = score;
            best = &e;
        }
    }
    return best;
}

std::shared_ptr<const TrueTypeFont> FolderFontSource::Load(const Entry& entry) {
    auto& font = loaded_[entry.path];
    if (!font) {
        try {
            font = TrueTypeFont::FromFile(zv::ReadFileBytes(entry.path));
        } catch (const zv::Error&) {
            // Changed or gone since it was indexed: as if it were not there.
        }
    }
    return font;
}

std::shared_ptr<const TrueTypeFont> FolderFontSource::Find(const std::wstring& face, bool bold, bool italic) {
    std::lock_guard lock(mutex_);
    if (!indexed_) Index();
    if (const Entry* e = Best(Lower(face), bold, italic)) return Load(*e);
    if (const Entry* e = Best(SubstituteFamily(face), bold, italic)) return Load(*e);
    // The last resort: any sans family there is.
    for (const wchar_t* family : {L"liberation sans", L"dejavu sans"})
        if (const Entry* e = Best(family, bold, italic)) return Load(*e);
    return nullptr;
}

}  // namespace tx
