#include "components/spelling/FileBytes.h"

#include "base/Error.h"
#include "base/Files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace sp {

FileBytes::FileBytes(std::string bytes) {
    auto held = std::make_shared<const std::string>(std::move(bytes));
    view_ = *held;
    owner_ = std::move(held);
}

#ifdef _WIN32

namespace {
struct Mapping {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE map = nullptr;
    const void* view = nullptr;
    ~Mapping() {
        if (view) UnmapViewOfFile(view);
        if (map) CloseHandle(map);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
};
}  // namespace

FileBytes FileBytes::Read(const std::wstring& path) {
    auto m = std::make_shared<Mapping>();
    m->file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m->file == INVALID_HANDLE_VALUE) throw zv::Error(L"the file cannot be opened (error " + std::to_wstring(GetLastError()) + L").");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m->file, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF)
        throw zv::Error(L"the file's size cannot be read.");
    FileBytes out;
    if (size.QuadPart == 0) return out;  // an empty file cannot be mapped
    m->map = CreateFileMappingW(m->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (m->map) m->view = MapViewOfFile(m->map, FILE_MAP_READ, 0, 0, 0);
    if (!m->view) throw zv::Error(L"the file cannot be read (error " + std::to_wstring(GetLastError()) + L").");
    out.view_ = std::string_view(static_cast<const char*>(m->view), static_cast<std::size_t>(size.QuadPart));
    out.owner_ = std::move(m);
    return out;
}

#else

FileBytes FileBytes::Read(const std::wstring& path) { return FileBytes(zv::ReadFileBytes(path)); }

#endif

}  // namespace sp
