#include "ui/testing/ServerLibrary.h"

namespace ui::testing {

ServerLibrary::ServerLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}

ServerLibrary::~ServerLibrary() {
    if (!module_) return;
    // The prefix is shared with the program and the next tests: never leave it registered.
    Unregister();
    FreeLibrary(module_);
}

ServerLibrary::EntryFn ServerLibrary::Entry(const char* name) const {
    return module_ ? reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
}

HRESULT ServerLibrary::Run(const char* name) {
    EntryFn entry = Entry(name);
    return entry ? entry() : E_FAIL;
}

HRESULT ServerLibrary::Register() { return Run("DllRegisterServer"); }

HRESULT ServerLibrary::Unregister() { return Run("DllUnregisterServer"); }

}  // namespace ui::testing
