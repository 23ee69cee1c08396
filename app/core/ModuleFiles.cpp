#include "app/core/ModuleFiles.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/FormatCodes.h"

namespace fs = std::filesystem;

std::wstring FormatModuleCode(std::int32_t number) {
    const std::wstring text = std::to_wstring(number);
    if (text.empty() || text.size() > 6) return L"";
    return std::wstring(6 - text.size(), L'0') + text;
}

std::int16_t FormatFromExtension(std::wstring_view fileName) {
    std::wstring upper(fileName.substr(fileName.size() >= 4 ? fileName.size() - 4 : 0));
    for (auto& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    const std::wstring_view last4 = upper;
    const std::wstring_view last3 = last4.substr(last4.size() >= 3 ? last4.size() - 3 : 0);
    if (last3 == L"TXM") return tx::kFormatOwn;
    if (last3 == L"RTF") return tx::kFormatRtf;
    if (last3 == L"HTM" || last4 == L"HTML") return tx::kFormatHtml;
    if (last3 == L"DOC") return tx::kFormatWord;
    if (last3 == L"XML") return tx::kFormatXml;
    if (last3 == L"CSS") return tx::kFormatCss;
    if (last3 == L"PDF") return tx::kFormatPdf;
    return tx::kFormatText;
}

std::wstring BuildModulePath(std::wstring_view programFolder, std::wstring_view moduleCode) {
    return zv::JoinPath(programFolder, moduleCode);
}

std::wstring FileNameOfPath(std::wstring_view path) { return zv::LastPathPart(path); }

bool IsNumericName(std::wstring_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

bool CreateModuleFolder(const std::wstring& path, const std::wstring& code) {
    std::error_code ec;
    if (fs::exists(zv::FsPath(path), ec)) {
        throw zv::Error(L"The folder " + path + L" already exists. A new module cannot be made in it; choose another module code.");
    }
    if (!fs::create_directories(zv::FsPath(path), ec) || ec) {
        const std::string reason = ec.message();
        throw zv::Error(L"The module folder " + path + L" could not be made: " +
                        std::wstring(reason.begin(), reason.end()) + L".");
    }
    zv::WriteFileReplacing(zv::JoinPath(path, L"Map.txt"), "");
    zv::WriteFileReplacing(zv::JoinPath(path, code + L".zvk"), "");
    return true;
}

namespace {

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// Windows paths compare without regard to case; a folder "inside" another starts with its path.
bool SameOrInside(const fs::path& inner, const fs::path& outer) {
    const std::wstring a = Lower(zv::WidePath(inner.lexically_normal()));
    std::wstring b = Lower(zv::WidePath(outer.lexically_normal()));
    while (!b.empty() && (b.back() == L'\\' || b.back() == L'/')) b.pop_back();
    if (a.size() < b.size() || a.compare(0, b.size(), b) != 0) return false;
    return a.size() == b.size() || a[b.size()] == L'\\' || a[b.size()] == L'/';
}

}  // namespace

void MoveModuleFiles(const std::wstring& from, const std::wstring& to) {
    std::error_code ec;
    const fs::path source = fs::absolute(zv::FsPath(from), ec);
    const fs::path target = fs::absolute(zv::FsPath(to), ec);
    if (!fs::is_directory(source, ec)) throw zv::Error(L"The module folder " + from + L" does not exist.");
    if (SameOrInside(target, source)) {
        throw zv::Error(L"The module cannot be saved into its own folder " + from + L" or a folder inside it.");
    }

    std::vector<fs::path> items;
    // Stepped with an error code: the plain increment of a range-for throws the library's exception.
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec))
        items.push_back(it->path().filename());
    if (ec) throw zv::Error(L"The module folder " + from + L" cannot be read.");

    std::wstring clashes;
    for (const auto& name : items) {
        if (fs::exists(target / name, ec)) clashes += (clashes.empty() ? L"" : L", ") + zv::WidePath(name);
    }
    if (!clashes.empty()) {
        throw zv::Error(L"The folder " + to + L" already holds " + clashes +
                        L". Nothing was moved; choose an empty folder or another module code.");
    }

    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec)) throw zv::Error(L"The folder " + to + L" could not be made.");
    for (const auto& name : items) {
        fs::rename(source / name, target / name, ec);
        if (ec) {
            // Another volume: copy, and remove the original only once the copy stands.
            std::error_code copyError;
            fs::copy(source / name, target / name, fs::copy_options::recursive, copyError);
            if (copyError) {
                throw zv::Error(L"The module item " + zv::WidePath(name) + L" could not be moved to " + to +
                                L"; it is still in " + from + L".");
            }
            fs::remove_all(source / name, copyError);
        }
    }
}

void WriteMarkerFile(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = zv::JoinPath(folder, name);
    if (zv::FileExists(path)) return;
    zv::WriteFileReplacing(path, "");
}

void EnsureFolder(const std::wstring& path) {
    if (path.empty() || zv::FolderExists(path)) return;
    std::error_code ec;
    fs::create_directories(zv::FsPath(path), ec);
    if (ec) throw zv::Error(L"The folder " + path + L" could not be made.");
}
