#pragma once
// Shared by the control library's Windows tests: the library file beside the test program, COM
// start-up, and creating controls straight from the file without registration.

#include <windows.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

namespace palvex::test {

// The DLL as the build leaves it, beside the test executables.
inline std::wstring PalvexDllPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + L"Palvex.dll";
}

class PalvexLibrary {
public:
    PalvexLibrary() : module_(LoadLibraryW(PalvexDllPath().c_str())) {}
    PalvexLibrary(const PalvexLibrary&) = delete;
    PalvexLibrary& operator=(const PalvexLibrary&) = delete;
    ~PalvexLibrary() {
        if (module_) FreeLibrary(module_);
    }
    HMODULE Get() const { return module_; }
    template <class Fn>
    Fn Entry(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    HRESULT CreateObject(REFCLSID clsid, REFIID iid, void** out) const {
        using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        auto get = Entry<GetClassObjectFn>("DllGetClassObject");
        if (!get) return E_FAIL;
        Microsoft::WRL::ComPtr<IClassFactory> factory;
        HRESULT hr = get(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()));
        if (FAILED(hr)) return hr;
        return factory->CreateInstance(nullptr, iid, out);
    }

private:
    HMODULE module_;
};

class ComApartment {
public:
    ComApartment() { OleInitialize(nullptr); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { OleUninitialize(); }
};

}  // namespace palvex::test
