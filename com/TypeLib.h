#pragma once
// The server's own type library, embedded in its module as the TYPELIB resource 1.

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

namespace zvcom {

// Loaded once per process and kept for its life (members dispatch through it at any time).
ITypeLib* ServerTypeLib();
HRESULT GetServerTypeInfo(REFGUID guid, ITypeInfo** info);

}  // namespace zvcom
