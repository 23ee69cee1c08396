#pragma once
// The arguments of an IDispatch::Invoke call, for the few members that are dispatched by hand
// because the type library cannot take what a script passes (an Empty variable for an object, an
// optional argument by reference left out).

#include <windows.h>
#include <oaidl.h>

namespace zvcom {

class DispArgs {
public:
    explicit DispArgs(const DISPPARAMS* params) : params_(params) {}
    UINT Count() const { return params_ ? params_->cArgs : 0; }
    // The argument for parameter i (0 = the first), positional or named; null when it was not passed
    // or passed as missing. A variant passed by reference is returned as passed.
    VARIANT* At(UINT i) const;

private:
    const DISPPARAMS* params_;
};

// An optional argument left out: absent, or the error value DISP_E_PARAMNOTFOUND.
bool IsMissing(const VARIANT* value);
// The value a variant passed by reference points at (itself when it is passed by value).
const VARIANT* Deref(const VARIANT* value);
// For a member that failed with error info set: its number, source and description in exception,
// and DISP_E_EXCEPTION. Any other result is returned as it is.
HRESULT ToDispatchException(HRESULT hr, EXCEPINFO* exception);

}  // namespace zvcom
