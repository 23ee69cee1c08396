#pragma once
// An enumerator (For Each) over a snapshot of Long values: changes to the collection after it was
// made do not change what it hands out.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <vector>

#include "com/ComObject.h"
#include "com/Module.h"

namespace zvcom {

class LongEnumerator final : public ComObject<IEnumVARIANT, IID_IEnumVARIANT> {
public:
    explicit LongEnumerator(std::vector<int32_t> values, size_t position = 0)
        : values_(std::move(values)), position_(position) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override;

private:
    std::vector<int32_t> values_;
    size_t position_;
    ModuleObject counted_;
};

}  // namespace zvcom
