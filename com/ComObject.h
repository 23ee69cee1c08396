#pragma once
// IUnknown for a small object that offers one interface and lives by its reference count.

#include <windows.h>
#include <unknwn.h>

namespace zvcom {

template <class Interface, const IID& kIid>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == kIid) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) delete this;
        return refs;
    }

protected:
    virtual ~ComObject() = default;

private:
    LONG refs_ = 1;
};

}  // namespace zvcom
