#pragma once
// The connection point of a control's events. It lives inside its control and shares its
// reference count, so it cannot outlive it.

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <utility>
#include <vector>

namespace zvcom {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer* owner, const IID& eventsIid) : owner_(owner), eventsIid_(eventsIid) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    const IID& EventsIid() const { return eventsIid_; }
    // Calls the event on every sink; args in the dispatch order (last argument first).
    void Fire(DISPID id, VARIANTARG* args, UINT count);
    // Drops every sink (the control is closing).
    void Clear() { sinks_.clear(); }
    size_t SinkCount() const { return sinks_.size(); }

private:
    IConnectionPointContainer* owner_;
    IID eventsIid_;
    std::vector<std::pair<DWORD, Microsoft::WRL::ComPtr<IDispatch>>> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace zvcom
