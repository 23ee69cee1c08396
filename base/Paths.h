#pragma once
// Path text as the program builds it: a folder, the separator and a name.

#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// folder & "\" & name; a folder that already ends with a separator gets no second one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The folder part of a path (everything before the last separator), "" when there is none.
std::wstring ParentFolder(std::wstring_view path);
// The last part of a path.
std::wstring LastPathPart(std::wstring_view path);

// True when a name read from a file can safely become a file in a given folder: not empty, no
// folder part, no drive, not "." or "..", no character a Windows file name cannot hold, no
// device name (CON, NUL, COM1 ...), and no trailing dot or space.
bool IsPlainFileName(std::wstring_view name);

// The program's wide path text as a path of the file system, and back; neither throws.
std::filesystem::path FsPath(std::wstring_view path);
std::wstring WidePath(const std::filesystem::path& path);

}  // namespace zv
