#include "Files.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "Error.h"
#include "Paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zv {
namespace {

std::wstring TempNameFor(std::wstring_view path) {
    return JoinPath(ParentFolder(path), L"~" + LastPathPart(path) + L".tmp");
}

bool MoveReplacing(const std::wstring& from, const std::wstring& to) {
#ifdef _WIN32
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    std::error_code ec;
    std::filesystem::rename(FsPath(from), FsPath(to), ec);
    return !ec;
#endif
}

// The library's own exceptions (a path it cannot convert, a stream or allocation failure) carry no
// file name and no words for the author: each file call turns them into one that does.
template <typename Call>
auto Converted(std::wstring_view path, const wchar_t* what, Call call) -> decltype(call()) {
    try {
        return call();
    } catch (const Error&) {
        throw;
    } catch (const std::exception&) {
        throw Error(L"The file " + std::wstring(path) + L" " + what + L".");
    }
}

std::string ReadBytes(std::wstring_view path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(FsPath(path), ec)) {
        throw Error(L"File not found: " + std::wstring(path));
    }
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in) throw Error(L"The file " + std::wstring(path) + L" cannot be opened.");
    std::string bytes;
    in.seekg(0, std::ios::end);
    auto size = in.tellg();
    if (size < 0) throw Error(L"The file " + std::wstring(path) + L" cannot be read.");
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    if (!bytes.empty() && !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        throw Error(L"The file " + std::wstring(path) + L" cannot be read.");
    }
    return bytes;
}

void WriteReplacing(std::wstring_view path, std::string_view bytes) {
    const std::wstring target(path);
    const std::wstring temp = TempNameFor(path);
    {
        std::ofstream out(FsPath(temp), std::ios::binary | std::ios::trunc);
        if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (out) out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(FsPath(temp), ec);
            throw Error(L"The file " + target + L" cannot be written.");
        }
    }
    if (!MoveReplacing(temp, target)) {
        std::error_code ec;
        std::filesystem::remove(FsPath(temp), ec);
        throw Error(L"The file " + target + L" cannot be replaced.");
    }
}

}  // namespace

std::string ReadFileBytes(std::wstring_view path) {
    return Converted(path, L"cannot be read", [&] { return ReadBytes(path); });
}

void WriteFileReplacing(std::wstring_view path, std::string_view bytes) {
    Converted(path, L"cannot be written", [&] { WriteReplacing(path, bytes); });
}

bool FileExists(std::wstring_view path) {
    return Converted(path, L"cannot be looked up", [&] {
        std::error_code ec;
        return std::filesystem::is_regular_file(FsPath(path), ec);
    });
}

bool FolderExists(std::wstring_view path) {
    return Converted(path, L"cannot be looked up", [&] {
        std::error_code ec;
        return std::filesystem::is_directory(FsPath(path), ec);
    });
}

}  // namespace zv
