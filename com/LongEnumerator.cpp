#include "com/LongEnumerator.h"

#include <new>

namespace zvcom {

HRESULT LongEnumerator::Next(ULONG count, VARIANT* out, ULONG* fetched) {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && position_ < values_.size(); ++given, ++position_) {
        VariantInit(&out[given]);
        V_VT(&out[given]) = VT_I4;
        V_I4(&out[given]) = values_[position_];
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT LongEnumerator::Skip(ULONG count) {
    const size_t left = values_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

HRESULT LongEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT LongEnumerator::Clone(IEnumVARIANT** out) {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) LongEnumerator(values_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace zvcom
