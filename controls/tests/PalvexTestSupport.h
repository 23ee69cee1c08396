#pragma once
// Shared by the control library's Windows tests: the library file beside the test program, COM
// start-up, and creating controls straight from the file without registration.

#include <windows.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

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

// The library file registered for the tests of one suite (SetUpTestSuite) and unregistered after
// them, whatever they did.
class RegisteredLibrary {
public:
    RegisteredLibrary() {
        using EntryFn = HRESULT(STDAPICALLTYPE*)();
        auto registerServer = dll_.Entry<EntryFn>("DllRegisterServer");
        registered_ = registerServer && SUCCEEDED(registerServer());
    }
    RegisteredLibrary(const RegisteredLibrary&) = delete;
    RegisteredLibrary& operator=(const RegisteredLibrary&) = delete;
    ~RegisteredLibrary() {
        if (auto unregisterServer = dll_.Entry<HRESULT(STDAPICALLTYPE*)()>("DllUnregisterServer")) unregisterServer();
    }
    bool Registered() const { return registered_; }
    PalvexLibrary& Dll() { return dll_; }

private:
    PalvexLibrary dll_;
    bool registered_ = false;
};

class ComApartment {
public:
    ComApartment() { OleInitialize(nullptr); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { OleUninitialize(); }
};

// The system's ATL container: its window class is registered once per process (a second
// AtlAxWinInit answers False), so every test that hosts a control in it asks here.
inline HMODULE AtlContainer() {
    static const HMODULE atl = [] {
        HMODULE module = LoadLibraryW(L"atl.dll");
        auto init = module ? reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module, "AtlAxWinInit")))
                           : nullptr;
        return init && init() ? module : nullptr;
    }();
    return atl;
}

template <class Fn>
Fn AtlEntry(const char* name) {
    HMODULE atl = AtlContainer();
    return atl ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(atl, name))) : nullptr;
}

// A key of the current user that a test makes: gone before the test and after it, with everything
// below it.
class TestKey {
public:
    explicit TestKey(std::wstring path) : path_(std::move(path)) { Remove(); }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;
    ~TestKey() { Remove(); }
    const std::wstring& Path() const { return path_; }
    bool Exists() const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

private:
    void Remove() {
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    std::wstring path_;
};

struct RawValue {
    DWORD type = 0;
    std::vector<uint8_t> bytes;
    bool found = false;
};

inline RawValue ReadRaw(const std::wstring& path, const wchar_t* name) {
    RawValue raw;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return raw;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &size) == ERROR_SUCCESS) {
        raw.bytes.resize(size);
        raw.found = RegQueryValueExW(key, name, nullptr, &raw.type, raw.bytes.data(), &size) == ERROR_SUCCESS;
        raw.bytes.resize(size);
    }
    RegCloseKey(key);
    return raw;
}

// A value as a test expects to find it stored: its type and its bytes.
inline void ExpectStored(const std::wstring& path, const wchar_t* name, DWORD type, const std::vector<uint8_t>& bytes) {
    const RawValue raw = ReadRaw(path, name);
    const std::string what = testing::PrintToString(std::wstring(name));
    ASSERT_TRUE(raw.found) << what;
    EXPECT_EQ(raw.type, type) << what;
    EXPECT_EQ(raw.bytes, bytes) << what;
}

// A key shared with every other user of the library (the global set, the charsets below it): when
// the test made it, it goes with the test; when it was there, the named values are put back as
// they were.
class SharedKey {
public:
    SharedKey(std::wstring path, std::vector<std::wstring> values = {}) : path_(std::move(path)), names_(std::move(values)) {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        for (const std::wstring& name : names_) saved_.push_back(ReadRaw(path_, name.c_str()));
    }
    SharedKey(const SharedKey&) = delete;
    SharedKey& operator=(const SharedKey&) = delete;
    ~SharedKey() {
        if (!existed_) {
            RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
            RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        for (size_t i = 0; i < names_.size(); ++i) {
            if (saved_[i].found)
                RegSetValueExW(key, names_[i].c_str(), 0, saved_[i].type, saved_[i].bytes.data(),
                               static_cast<DWORD>(saved_[i].bytes.size()));
            else
                RegDeleteValueW(key, names_[i].c_str());
        }
        RegCloseKey(key);
    }

private:
    std::wstring path_;
    std::vector<std::wstring> names_;
    std::vector<RawValue> saved_;
    bool existed_ = false;
};

}  // namespace palvex::test
