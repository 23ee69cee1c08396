#pragma once

#include <windows.h>

namespace zvcom {

// Registers the type library and every class of the table for this module file.
HRESULT RegisterServer();
// Removes what RegisterServer wrote; succeeds when nothing was registered.
HRESULT UnregisterServer();

}  // namespace zvcom
