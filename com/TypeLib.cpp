#include "com/TypeLib.h"

#include "com/Module.h"

namespace zvcom {

ITypeLib* ServerTypeLib() {
    static ITypeLib* library = [] {
        ITypeLib* loaded = nullptr;
        LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &loaded);
        return loaded;
    }();
    return library;
}

HRESULT GetServerTypeInfo(REFGUID guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeLib* library = ServerTypeLib();
    if (!library) return TYPE_E_CANTLOADLIBRARY;
    return library->GetTypeInfoOfGuid(guid, info);
}

}  // namespace zvcom
