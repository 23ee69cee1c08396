#include "com/ConnectionPoint.h"

#include <olectl.h>

using Microsoft::WRL::ComPtr;

namespace zvcom {

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = eventsIid_;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = owner_;
    owner_->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(eventsIid_, reinterpret_cast<void**>(events.GetAddressOf()))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(events.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.emplace_back(*cookie, std::move(events));
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->first == cookie) {
            sinks_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

void ConnectionPoint::Fire(DISPID id, VARIANTARG* args, UINT count) {
    // A sink may unadvise itself (or others) from inside its handler.
    const auto sinks = sinks_;
    for (const auto& [cookie, sink] : sinks) {
        DISPPARAMS params{args, nullptr, count, 0};
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
}

}  // namespace zvcom
