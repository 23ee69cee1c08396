#pragma once
// The library's own type library, embedded as its TYPELIB resource 1.

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

namespace palvex {

// Loaded once per process and kept for its life (members dispatch through it at any time).
ITypeLib* PalvexTypeLib();
HRESULT GetPalvexTypeInfo(REFGUID guid, ITypeInfo** info);

}  // namespace palvex
