#include "components/spelling/SharedDictionaries.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/spelling/FileBytes.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/Thesaurus.h"
#include "components/spelling/UserDictionary.h"

namespace sp {
namespace {

struct Cache {
    std::map<std::wstring, std::shared_ptr<const SpellDictionary>> spelling;
    std::map<std::wstring, std::shared_ptr<UserDictionary>> user;
    std::map<std::wstring, std::shared_ptr<const sp::Thesaurus>> thesaurus;
    int filesRead = 0;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

// One key per file however its path was spelt: Windows file names ignore case.
std::wstring Key(const std::wstring& path) {
    std::wstring key = path;
#ifdef _WIN32
    for (auto& c : key) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
        if (c == L'/') c = L'\\';
    }
#endif
    return key;
}

FileBytes ReadDictionaryBytes(const std::wstring& path) {
    if (!zv::FileExists(path)) throw zv::Error(DictionaryProblem(path) + L": the file is missing.");
    std::error_code ec;
    const auto size = std::filesystem::file_size(zv::FsPath(path), ec);
    if (!ec && size > kMaxDictionaryBytes) throw zv::Error(DictionaryProblem(path) + L": the file is too large.");
    try {
        FileBytes bytes = FileBytes::Read(path);
        ++TheCache().filesRead;
        return bytes;
    } catch (const zv::Error& e) {
        throw zv::Error(DictionaryProblem(path) + L": " + e.Description());
    }
}

}  // namespace

std::wstring DictionaryProblem(const std::wstring& path) { return L"The dictionary \"" + path + L"\" cannot be used"; }

std::shared_ptr<const SpellDictionary> SharedDictionaries::Spelling(const std::wstring& path) {
    auto& slot = TheCache().spelling[Key(path)];
    if (!slot) slot = std::make_shared<SpellDictionary>(ReadDictionaryBytes(path), DictionaryProblem(path));
    return slot;
}

std::shared_ptr<UserDictionary> SharedDictionaries::UserWords(const std::wstring& path) {
    auto& slot = TheCache().user[Key(path)];
    if (!slot) {
        try {
            const bool exists = zv::FileExists(path);
            slot = std::make_shared<UserDictionary>(path);
            if (exists) ++TheCache().filesRead;
        } catch (const zv::Error& e) {
            throw zv::Error(DictionaryProblem(path) + L": " + e.Description());
        }
    }
    return slot;
}

std::shared_ptr<const Thesaurus> SharedDictionaries::Synonyms(const std::wstring& path) {
    auto& slot = TheCache().thesaurus[Key(path)];
    if (!slot) slot = std::make_shared<sp::Thesaurus>(ReadDictionaryBytes(path), DictionaryProblem(path));
    return slot;
}

int SharedDictionaries::FilesRead() { return TheCache().filesRead; }

void SharedDictionaries::Reset() { TheCache() = Cache{}; }

}  // namespace sp
