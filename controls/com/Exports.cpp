// The four entry points of the library file (exported by ordinal through Palvex.def).
#include <windows.h>

#include "controls/com/ClassFactory.h"
#include "controls/com/Module.h"
#include "controls/com/Registration.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        palvex::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return palvex::CanUnloadModule() ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return palvex::GetClassObject(clsid, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return palvex::RegisterServer(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return palvex::UnregisterServer(); }
