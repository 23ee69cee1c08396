#include "com/Registration.h"

#include <objbase.h>
#include <olectl.h>

#include <string>

#include "com/ClassTable.h"
#include "com/Module.h"
#include "com/TypeLib.h"

namespace zvcom {

namespace {

// What a control's site should know before it activates it: it draws inside out, activates when
// visible, wants its client site before its properties, and its look follows its size.
constexpr DWORD kControlMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                                     OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

class Key {
public:
    Key(HKEY parent, const std::wstring& path) {
        status_ = RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key_, nullptr);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    LSTATUS Status() const { return status_; }
    HKEY Get() const { return key_; }
    LSTATUS Set(const wchar_t* name, const std::wstring& value) {
        if (status_ != ERROR_SUCCESS) return status_;
        return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    HKEY key_ = nullptr;
    LSTATUS status_;
};

LSTATUS SetKey(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    Key key(HKEY_CLASSES_ROOT, path);
    return key.Set(name, value);
}

// The class a ProgID names in the registry now; empty when it names none.
std::wstring ProgIdClass(const wchar_t* progId) {
    wchar_t data[64] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, (std::wstring(progId) + L"\\CLSID").c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                     data, &size) != ERROR_SUCCESS)
        return L"";
    return data;
}

bool HeldByAnother(const wchar_t* progId, const std::wstring& clsid) {
    const std::wstring holder = ProgIdClass(progId);
    return !holder.empty() && _wcsicmp(holder.c_str(), clsid.c_str()) != 0;
}

LSTATUS RegisterClass(const ClassEntry& entry, const std::wstring& module, const TLIBATTR& library) {
    const std::wstring clsid = GuidText(*entry.clsid);
    const std::wstring base = L"CLSID\\" + clsid;
    const std::wstring version = std::to_wstring(library.wMajorVerNum) + L"." + std::to_wstring(library.wMinorVerNum);
    LSTATUS status = ERROR_SUCCESS;
    auto set = [&](const std::wstring& path, const wchar_t* name, const std::wstring& value) {
        if (status == ERROR_SUCCESS) status = SetKey(path, name, value);
    };
    set(base, nullptr, entry.name);
    set(base + L"\\InprocServer32", nullptr, module);
    set(base + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    set(base + L"\\ProgID", nullptr, entry.progId);
    set(base + L"\\TypeLib", nullptr, GuidText(library.guid));
    set(base + L"\\Version", nullptr, version);
    if (entry.control) {
        set(base + L"\\Control", nullptr, L"");
        if (entry.toolboxBitmap)
            set(base + L"\\ToolboxBitmap32", nullptr, module + L", " + std::to_wstring(entry.toolboxBitmap));
        set(base + L"\\MiscStatus", nullptr, L"0");
        set(base + L"\\MiscStatus\\1", nullptr, std::to_wstring(kControlMiscStatus));
    }
    // A ProgID another server holds stays with it: the class is registered, reachable by its class
    // identifier, and the other program keeps working.
    if (!HeldByAnother(entry.progId, clsid)) {
        set(entry.progId, nullptr, entry.name);
        set(std::wstring(entry.progId) + L"\\CLSID", nullptr, clsid);
    }
    if (entry.versionIndependentProgId && !HeldByAnother(entry.versionIndependentProgId, clsid)) {
        const std::wstring independent = entry.versionIndependentProgId;
        set(base + L"\\VersionIndependentProgID", nullptr, independent);
        set(independent, nullptr, entry.name);
        set(independent + L"\\CLSID", nullptr, clsid);
        set(independent + L"\\CurVer", nullptr, entry.progId);
    }
    return status;
}

void UnregisterClass(const ClassEntry& entry) {
    const std::wstring clsid = GuidText(*entry.clsid);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str());
    // Only our own keys go: a ProgID that names another class belongs to another server.
    if (!HeldByAnother(entry.progId, clsid)) RegDeleteTreeW(HKEY_CLASSES_ROOT, entry.progId);
    if (entry.versionIndependentProgId && !HeldByAnother(entry.versionIndependentProgId, clsid))
        RegDeleteTreeW(HKEY_CLASSES_ROOT, entry.versionIndependentProgId);
}

// The server's type library attributes (its identifier, version, locale and system kind).
bool LibraryAttributes(TLIBATTR& out) {
    ITypeLib* library = ServerTypeLib();
    TLIBATTR* attr = nullptr;
    if (!library || FAILED(library->GetLibAttr(&attr))) return false;
    out = *attr;
    library->ReleaseTLibAttr(attr);
    return true;
}

}  // namespace

HRESULT RegisterServer() {
    const std::wstring module = ModulePath();
    TLIBATTR attr{};
    if (!LibraryAttributes(attr)) return SELFREG_E_TYPELIB;
    HRESULT hr = RegisterTypeLib(ServerTypeLib(), const_cast<LPOLESTR>(module.c_str()), nullptr);
    if (FAILED(hr)) return SELFREG_E_TYPELIB;
    for (const ClassEntry& entry : ClassTable()) {
        if (RegisterClass(entry, module, attr) != ERROR_SUCCESS) {
            UnregisterServer();
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT UnregisterServer() {
    for (const ClassEntry& entry : ClassTable()) UnregisterClass(entry);
    TLIBATTR attr{};
    if (!LibraryAttributes(attr)) return SELFREG_E_TYPELIB;
    // Nothing registered is no failure: unregistering twice leaves the same state.
    HKEY library = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + GuidText(attr.guid)).c_str(), 0, KEY_READ, &library) !=
        ERROR_SUCCESS)
        return S_OK;
    RegCloseKey(library);
    return SUCCEEDED(UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind))
               ? S_OK
               : SELFREG_E_TYPELIB;
}

}  // namespace zvcom
