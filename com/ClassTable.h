#pragma once
// The creatable classes of a server: one table drives the class factory, registration and the
// unload check. Each server built on this library (a DLL, or a program linking a server's classes
// directly) defines Server() once.

#include <windows.h>

#include <span>

namespace zvcom {

using CreateInstanceFn = HRESULT (*)(REFIID iid, void** out);

struct ClassEntry {
    const CLSID* clsid;
    const IID* defaultIid;
    const IID* sourceIid;  // null for classes without events
    const wchar_t* name;
    const wchar_t* progId;
    bool control;
    int toolboxBitmap;          // resource id, 0 for none
    CreateInstanceFn create;
    // The ProgID without its version, whose CurVer names progId; null for none.
    const wchar_t* versionIndependentProgId;
};

struct ServerDefinition {
    const wchar_t* name;  // the source of the errors its objects report
    std::span<const ClassEntry> classes;
};

const ServerDefinition& Server();

inline std::span<const ClassEntry> ClassTable() { return Server().classes; }
const ClassEntry* FindClass(REFCLSID clsid);

}  // namespace zvcom
