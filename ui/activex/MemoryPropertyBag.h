#pragma once
// A property bag over a map of named values: what the form keeps of a control's properties.

#include <windows.h>
#include <ocidl.h>

#include "ui/activex/ActiveXControl.h"

namespace ui {

class MemoryPropertyBag final : public IPropertyBag {
public:
    explicit MemoryPropertyBag(PropertyMap values = {}) : values_(std::move(values)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

    const PropertyMap& Values() const { return values_; }

private:
    ~MemoryPropertyBag() = default;
    PropertyMap values_;
    LONG refs_ = 1;
};

}  // namespace ui
