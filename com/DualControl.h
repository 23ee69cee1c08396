#pragma once
// An OLE control of one dual interface: the plumbing's interfaces, the automation interface and
// the one IUnknown that answers for all of them.

#include "com/Automation.h"
#include "com/OleControl.h"

namespace zvcom {

template <class Interface>
class DualControl : public OleControl, public DualInterface<Interface> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == this->Iid()) {
            *out = static_cast<Interface*>(this);
        } else if (riid == IID_ISupportErrorInfo) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else if (QueryOleInterface(riid, out)) {
            return S_OK;
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) delete this;
        return refs;
    }

protected:
    DualControl(const CLSID& clsid, const IID& iid, const IID& eventsIid, const wchar_t* source)
        : OleControl(clsid, eventsIid), DualInterface<Interface>(iid, source) {}
    ~DualControl() override = default;

    IUnknown* ControllingUnknown() override { return static_cast<Interface*>(this); }

private:
    LONG refs_ = 1;
};

}  // namespace zvcom
