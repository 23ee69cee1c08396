#pragma once
// The automation half shared by every class of the library: IDispatch through the library's own
// type library, ISupportErrorInfo, and members that turn any failure into an HRESULT with error
// info. AutomationObject gives a creatable class of one dual interface its IUnknown as well.

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <new>
#include <string>

#include "com/ErrorInfo.h"
#include "com/Module.h"
#include "com/TypeLib.h"

namespace zvcom {

inline VARIANT_BOOL OleBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// A property get's answer.
template <class T, class V>
HRESULT Out(T* out, V value) {
    if (!out) return E_POINTER;
    *out = static_cast<T>(value);
    return S_OK;
}

inline HRESULT OutText(BSTR* out, const std::wstring& text) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out || text.empty() ? S_OK : E_OUTOFMEMORY;
}

// IDispatch of one interface of the type library, for a class to forward its methods to.
class TypeInfoDispatch {
public:
    explicit TypeInfoDispatch(REFIID iid);
    TypeInfoDispatch(const TypeInfoDispatch&) = delete;
    TypeInfoDispatch& operator=(const TypeInfoDispatch&) = delete;
    ~TypeInfoDispatch();

    ITypeInfo* Info() const { return info_; }
    HRESULT GetTypeInfoCount(UINT* count);
    HRESULT GetTypeInfo(UINT index, ITypeInfo** info);
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
    // Dispatches to the interface's vtable at self.
    HRESULT Invoke(void* self, REFIID riid, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argError);

private:
    ITypeInfo* info_ = nullptr;
};

// A dual interface of the library: IDispatch through the type library, ISupportErrorInfo, and
// members that turn any failure into an HRESULT with error info. The class adds IUnknown.
template <class Interface>
class DualInterface : public Interface, public ISupportErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return dispatch_.GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        return dispatch_.GetTypeInfo(index, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return dispatch_.GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override {
        return dispatch_.Invoke(static_cast<Interface*>(this), riid, id, flags, params, result, exception, argError);
    }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == iid_ ? S_OK : S_FALSE;
    }

protected:
    DualInterface(REFIID iid, const wchar_t* source) : iid_(iid), source_(source), dispatch_(iid) {}
    virtual ~DualInterface() = default;

    // Runs a member's body: error info is cleared first, and whatever the body throws comes back as
    // an HRESULT with its number, source and description.
    template <class Body>
    HRESULT Member(Body&& body) {
        Microsoft::WRL::ComPtr<IUnknown> keepAlive(static_cast<Interface*>(this));  // an event handler may release us
        SetErrorInfo(0, nullptr);
        return Guarded(iid_, source_, [&] {
            body();
            return S_OK;
        });
    }
    const IID& Iid() const { return iid_; }
    const wchar_t* Source() const { return source_; }

private:
    IID iid_;
    const wchar_t* source_;
    TypeInfoDispatch dispatch_;
};

// A creatable automation object of one dual interface.
template <class Interface>
class AutomationObject : public DualInterface<Interface> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == this->Iid()) *out = static_cast<Interface*>(this);
        else if (riid == IID_ISupportErrorInfo) *out = static_cast<ISupportErrorInfo*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) delete this;
        return refs;
    }

    // A new object of the derived class, answered through iid.
    template <class Derived>
    static HRESULT Create(REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        Derived* object = new (std::nothrow) Derived();
        if (!object) return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    // A new object of the derived class for the library's own use.
    template <class Derived>
    static Microsoft::WRL::ComPtr<Derived> Make() {
        Microsoft::WRL::ComPtr<Derived> made;
        made.Attach(new Derived());
        return made;
    }

protected:
    AutomationObject(REFIID iid, const wchar_t* source) : DualInterface<Interface>(iid, source) {}

private:
    LONG refs_ = 1;
    ModuleObject counted_;
};

}  // namespace zvcom
