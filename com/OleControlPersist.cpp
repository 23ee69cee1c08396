// IPersistStreamInit and IPersistPropertyBag of the shared control plumbing. Both read and write
// through the control's one list of properties.
#include "com/OleControl.h"

#include "com/ClassTable.h"
#include "com/ErrorInfo.h"

namespace zvcom {

HRESULT OleControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

HRESULT OleControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT OleControl::InitNew() {
    return Guarded(IID_IPersistStreamInit, Server().name, [&] {
        if (initialised_) return E_UNEXPECTED;
        initialised_ = true;
        InitProperties();
        dirty_ = false;
        return S_OK;
    });
}

HRESULT OleControl::LoadFrom(PropertyReader& reader) {
    if (initialised_) return E_UNEXPECTED;
    initialised_ = true;
    ReadProperties(reader);
    dirty_ = false;
    return S_OK;
}

HRESULT OleControl::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    return Guarded(IID_IPersistStreamInit, Server().name, [&] {
        StreamReader reader;
        const HRESULT hr = reader.Load(stream);
        if (FAILED(hr)) return ReportError(hr, IID_IPersistStreamInit, Server().name, L"The saved properties are damaged.");
        return LoadFrom(reader);
    });
}

HRESULT OleControl::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    return Guarded(IID_IPersistStreamInit, Server().name, [&] {
        StreamWriter writer(stream);
        WriteProperties(writer);
        const HRESULT hr = writer.Finish();
        if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
        return hr;
    });
}

HRESULT OleControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (size) size->QuadPart = 0;
    return E_NOTIMPL;
}

HRESULT OleControl::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    return Guarded(IID_IPersistPropertyBag, Server().name, [&] {
        BagReader reader(bag, log);
        return LoadFrom(reader);
    });
}

HRESULT OleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    return Guarded(IID_IPersistPropertyBag, Server().name, [&] {
        BagWriter writer(bag);
        WriteProperties(writer);
        if (SUCCEEDED(writer.Status()) && clearDirty) dirty_ = false;
        return writer.Status();
    });
}

}  // namespace zvcom
