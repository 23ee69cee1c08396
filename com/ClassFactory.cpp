#include "com/ClassFactory.h"

#include "com/ClassTable.h"
#include "com/ComObject.h"
#include "com/Module.h"

namespace zvcom {

namespace {

class ClassFactory final : public ComObject<IClassFactory, IID_IClassFactory> {
public:
    explicit ClassFactory(CreateInstanceFn create) : create_(create) {}
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return create_(riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        LockModule(lock != FALSE);
        return S_OK;
    }

private:
    CreateInstanceFn create_;
    ModuleObject counted_;
};

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const ClassEntry* entry = FindClass(clsid);
    if (!entry || !entry->create) return CLASS_E_CLASSNOTAVAILABLE;
    ClassFactory* factory = new (std::nothrow) ClassFactory(entry->create);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

}  // namespace zvcom
