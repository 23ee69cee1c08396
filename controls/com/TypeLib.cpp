#include "controls/com/TypeLib.h"

#include "controls/com/Module.h"

namespace palvex {

ITypeLib* PalvexTypeLib() {
    static ITypeLib* library = [] {
        ITypeLib* loaded = nullptr;
        LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &loaded);
        return loaded;
    }();
    return library;
}

HRESULT GetPalvexTypeInfo(REFGUID guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeLib* library = PalvexTypeLib();
    if (!library) return TYPE_E_CANTLOADLIBRARY;
    return library->GetTypeInfoOfGuid(guid, info);
}

}  // namespace palvex
