#include "com/DispArgs.h"

#include <wrl/client.h>

namespace zvcom {

VARIANT* DispArgs::At(UINT i) const {
    if (!params_) return nullptr;
    const UINT named = params_->cNamedArgs;
    for (UINT k = 0; k < named; ++k)
        if (params_->rgdispidNamedArgs[k] == static_cast<DISPID>(i)) return IsMissing(&params_->rgvarg[k]) ? nullptr : &params_->rgvarg[k];
    const UINT positional = params_->cArgs - named;
    if (i >= positional) return nullptr;
    VARIANT* arg = &params_->rgvarg[params_->cArgs - 1 - i];
    return IsMissing(arg) ? nullptr : arg;
}

bool IsMissing(const VARIANT* value) {
    const VARIANT* v = Deref(value);
    return !v || (V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND);
}

const VARIANT* Deref(const VARIANT* value) {
    while (value && V_VT(value) == (VT_VARIANT | VT_BYREF)) value = V_VARIANTREF(value);
    return value;
}

HRESULT ToDispatchException(HRESULT hr, EXCEPINFO* exception) {
    if (SUCCEEDED(hr)) return hr;
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.GetAddressOf()) != S_OK || !info) return hr;
    if (exception) {
        *exception = EXCEPINFO{};
        info->GetSource(&exception->bstrSource);
        info->GetDescription(&exception->bstrDescription);
        exception->scode = hr;
    }
    return DISP_E_EXCEPTION;
}

}  // namespace zvcom
