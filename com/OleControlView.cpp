// IViewObject2 of the shared control plumbing: the control drawn onto any DC (printing, a
// container that draws inactive objects).
#include "com/OleControl.h"

#include "com/ClassTable.h"
#include "com/ErrorInfo.h"

namespace zvcom {

HRESULT OleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                         BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    return Guarded(IID_IViewObject, Server().name, [&] {
        const RECT rect{bounds->left, bounds->top, bounds->right, bounds->bottom};
        DrawView(dc, rect);
        return S_OK;
    });
}

HRESULT OleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors) *colors = nullptr;
    return S_FALSE;
}

HRESULT OleControl::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }

HRESULT OleControl::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT OleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    return S_OK;
}

HRESULT OleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) {
        *sink = viewSink_.Get();
        if (*sink) (*sink)->AddRef();
    }
    return S_OK;
}

HRESULT OleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

}  // namespace zvcom
