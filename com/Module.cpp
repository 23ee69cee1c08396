#include "com/Module.h"

namespace zvcom {

namespace {

HINSTANCE moduleInstance = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;

}  // namespace

HINSTANCE ModuleInstance() {
    if (!moduleInstance) {
        // Linked into a program (the tests) rather than loaded as the DLL: the module holding this code.
        HMODULE module = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
        moduleInstance = module;
    }
    return moduleInstance;
}

void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(ModuleInstance(), path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ObjectCreated() { InterlockedIncrement(&liveObjects); }
void ObjectDestroyed() { InterlockedDecrement(&liveObjects); }
void LockModule(bool lock) {
    if (lock) InterlockedIncrement(&serverLocks);
    else InterlockedDecrement(&serverLocks);
}
bool CanUnloadModule() { return liveObjects == 0 && serverLocks == 0; }
long LiveObjects() { return liveObjects; }

}  // namespace zvcom
