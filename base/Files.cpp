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

// Writes the new content to a temporary file beside `path` through `write` (false: it could not),
// then puts it in the place of `path` in one step. On any failure the temporary file goes and the
// old file stays as it was.
template <typename Write>
void ReplaceThrough(std::wstring_view path, Write write) {
    const std::wstring target(path);
    const std::wstring temp = TempNameFor(path);
    auto dropTemp = [&] {
        std::error_code ec;
        std::filesystem::remove(FsPath(temp), ec);
    };
    {
        std::ofstream out(FsPath(temp), std::ios::binary | std::ios::trunc);
        bool written = false;
        try {
            written = out && write(out) && out.flush();
        } catch (...) {
            out.close();
            dropTemp();
            throw;
        }
        if (!written) {
            out.close();
            dropTemp();
            throw Error(L"The file " + target + L" cannot be written.");
        }
    }
    if (!MoveReplacing(temp, target)) {
        dropTemp();
        throw Error(L"The file " + target + L" cannot be replaced.");
    }
}

void WriteReplacing(std::wstring_view path, std::string_view bytes) {
    ReplaceThrough(path, [&](std::ofstream& out) {
        return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
    });
}

void CopyReplacing(std::wstring_view source, std::wstring_view path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(FsPath(source), ec)) throw Error(L"File not found: " + std::wstring(source));
    std::ifstream in(FsPath(source), std::ios::binary);
    if (!in) throw Error(L"The file " + std::wstring(source) + L" cannot be opened.");
    ReplaceThrough(path, [&](std::ofstream& out) {
        // In pieces: a movie may be larger than what is sensible to hold at once.
        std::string chunk(1 << 16, '\0');
        while (in) {
            in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            const std::streamsize got = in.gcount();
            if (got > 0 && !out.write(chunk.data(), got)) return false;
        }
        if (!in.eof()) throw Error(L"The file " + std::wstring(source) + L" cannot be read.");
        return true;
    });
}

}  // namespace

std::string ReadFileBytes(std::wstring_view path) {
    return Converted(path, L"cannot be read", [&] { return ReadBytes(path); });
}

void WriteFileReplacing(std::wstring_view path, std::string_view bytes) {
    Converted(path, L"cannot be written", [&] { WriteReplacing(path, bytes); });
}

void CopyFileReplacing(std::wstring_view source, std::wstring_view path) {
    Converted(path, L"cannot be written", [&] { CopyReplacing(source, path); });
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
