#include "com/ClassTable.h"

namespace zvcom {

const ClassEntry* FindClass(REFCLSID clsid) {
    for (const ClassEntry& entry : ClassTable())
        if (IsEqualCLSID(*entry.clsid, clsid)) return &entry;
    return nullptr;
}

}  // namespace zvcom
