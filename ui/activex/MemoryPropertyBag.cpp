#include "ui/activex/MemoryPropertyBag.h"

namespace ui {

HRESULT MemoryPropertyBag::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
        *out = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG MemoryPropertyBag::Release() {
    const ULONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
}

HRESULT MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    const auto found = values_.find(name);
    if (found == values_.end()) return E_INVALIDARG;
    const VARTYPE wanted = value->vt;
    VariantClear(value);
    if (wanted == VT_EMPTY) return VariantCopy(value, const_cast<VARIANT*>(found->second.Get()));
    return VariantChangeType(value, const_cast<VARIANT*>(found->second.Get()), 0, wanted);
}

HRESULT MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    values_[name] = OleVariant(*value);
    return S_OK;
}

}  // namespace ui
