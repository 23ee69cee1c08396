#pragma once

#include <windows.h>
#include <ole2.h>

namespace zvcom {

// A class factory for a class of the table; CLASS_E_CLASSNOTAVAILABLE for others and for classes
// not served yet.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);

}  // namespace zvcom
