#include "controls/win/FontNotifySink.h"

#include <olectl.h>

#include "com/ComObject.h"
#include "controls/ComPlumbing.h"
#include "ui/Boundary.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

class FontNotifySink::Sink final : public ComObject<IPropertyNotifySink, IID_IPropertyNotifySink> {
public:
    explicit Sink(std::function<void()> onChanged) : onChanged_(std::move(onChanged)) {}
    void Detach() { onChanged_ = nullptr; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override {
        ui::RunAtBoundary(L"a Palvex control's font change", [&] {
            if (onChanged_) onChanged_();
        });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

private:
    std::function<void()> onChanged_;
};

FontNotifySink::FontNotifySink(std::function<void()> onChanged) : sink_(new Sink(std::move(onChanged))) {}

FontNotifySink::~FontNotifySink() {
    Watch(nullptr);
    sink_->Detach();
    sink_->Release();
}

void FontNotifySink::Watch(IUnknown* font) {
    if (point_) {
        point_->Unadvise(cookie_);
        point_.Reset();
        cookie_ = 0;
    }
    if (!font) return;
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(font->QueryInterface(IID_IConnectionPointContainer,
                                    reinterpret_cast<void**>(container.GetAddressOf()))))
        return;
    if (FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point_.GetAddressOf()))) return;
    if (FAILED(point_->Advise(sink_, &cookie_))) point_.Reset();
}

}  // namespace palvex
