// IOleObject of the shared control plumbing.
#include "com/OleControl.h"

#include <ole2.h>

using Microsoft::WRL::ComPtr;

namespace zvcom {

HRESULT OleControl::SetClientSite(IOleClientSite* site) {
    clientSite_ = site;
    if (site) AmbientChanged(DISPID_UNKNOWN);
    return S_OK;
}

HRESULT OleControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = clientSite_.Get();
    if (*site) (*site)->AddRef();
    return S_OK;
}

HRESULT OleControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT OleControl::Close(DWORD saveOption) {
    if (dirty_ && clientSite_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE))
        clientSite_->SaveObject();
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

HRESULT OleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT OleControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT OleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT OleControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT OleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT posRect) {
    if (site && !clientSite_) clientSite_ = site;
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return InPlaceActivate(verb, parent, posRect);
        case OLEIVERB_HIDE:
            if (window_) ShowWindow(window_, SW_HIDE);
            return S_OK;
        default:
            return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

HRESULT OleControl::EnumVerbs(IEnumOLEVERB** verbs) { return OleRegEnumVerbs(clsid_, verbs); }

HRESULT OleControl::Update() { return S_OK; }

HRESULT OleControl::IsUpToDate() { return S_OK; }

HRESULT OleControl::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

HRESULT OleControl::GetUserType(DWORD form, LPOLESTR* type) { return OleRegGetUserType(clsid_, form, type); }

HRESULT OleControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
}

HRESULT OleControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

HRESULT OleControl::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(adviseHolder_.GetAddressOf()))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(sink, connection);
}

HRESULT OleControl::Unadvise(DWORD connection) {
    if (!adviseHolder_) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(connection);
}

HRESULT OleControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise) *advise = nullptr;
    if (!adviseHolder_) return E_FAIL;
    return adviseHolder_->EnumAdvise(advise);
}

HRESULT OleControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
              OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
}

HRESULT OleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

}  // namespace zvcom
