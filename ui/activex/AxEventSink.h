#pragma once
// Receives a control's events through its default source and hands them to the control's owner.

#include <windows.h>
#include <oaidl.h>

#include <functional>

namespace ui {

class AxEventSink final : public IDispatch {
public:
    AxEventSink(const IID& eventsIid, std::function<void(DISPID, DISPPARAMS&)>* handler)
        : eventsIid_(eventsIid), handler_(handler) {}
    void Detach() { handler_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

private:
    ~AxEventSink() = default;
    IID eventsIid_;
    std::function<void(DISPID, DISPPARAMS&)>* handler_;
    LONG refs_ = 1;
};

}  // namespace ui
