#pragma once
// A self-registering COM library file the build made, loaded for a test and registered by its own
// entry points; whatever the test did, it is unregistered and freed when this goes.

#include <windows.h>

#include <string>

namespace ui::testing {

class ServerLibrary {
public:
    using EntryFn = HRESULT(STDAPICALLTYPE*)();

    explicit ServerLibrary(const std::wstring& path);
    ~ServerLibrary();
    ServerLibrary(const ServerLibrary&) = delete;
    ServerLibrary& operator=(const ServerLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // One of the library's exported entry points without arguments (null when it has none).
    EntryFn Entry(const char* name) const;
    HRESULT Register();
    HRESULT Unregister();

private:
    HRESULT Run(const char* name);

    HMODULE module_;
};

}  // namespace ui::testing
