#pragma once
// The library's module: its instance handle and the count of live objects and server locks that
// decides whether it may be unloaded.

#include <windows.h>

#include <string>

namespace zvcom {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
// The file name of this library (the DLL, or the program that links the library directly).
std::wstring ModulePath();

void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);
bool CanUnloadModule();
long LiveObjects();

// Counts one object for as long as it lives.
class ModuleObject {
public:
    ModuleObject() { ObjectCreated(); }
    ModuleObject(const ModuleObject&) = delete;
    ModuleObject& operator=(const ModuleObject&) = delete;
    ~ModuleObject() { ObjectDestroyed(); }
};

}  // namespace zvcom
