#pragma once
// The creatable classes of the library: one table drives the class factory, registration and the
// unload check.

#include <windows.h>

#include <span>

namespace palvex {

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
};

std::span<const ClassEntry> ClassTable();
const ClassEntry* FindClass(REFCLSID clsid);

}  // namespace palvex
