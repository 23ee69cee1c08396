// The four entry points of a server's library file (each server exports them through its .def file).
// Compiled into each server's DLL itself, so that its DllMain is the one the loader calls.
#include <windows.h>

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/Registration.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        zvcom::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return zvcom::CanUnloadModule() ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return zvcom::GetClassObject(clsid, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return zvcom::RegisterServer(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return zvcom::UnregisterServer(); }
