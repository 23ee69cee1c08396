#include "com/Automation.h"

namespace zvcom {

TypeInfoDispatch::TypeInfoDispatch(REFIID iid) { GetServerTypeInfo(iid, &info_); }

TypeInfoDispatch::~TypeInfoDispatch() {
    if (info_) info_->Release();
}

HRESULT TypeInfoDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = info_ ? 1 : 0;
    return S_OK;
}

HRESULT TypeInfoDispatch::GetTypeInfo(UINT index, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (!info_) return TYPE_E_CANTLOADLIBRARY;
    *info = info_;
    info_->AddRef();
    return S_OK;
}

HRESULT TypeInfoDispatch::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
    if (!info_) return TYPE_E_CANTLOADLIBRARY;
    return DispGetIDsOfNames(info_, names, count, ids);
}

HRESULT TypeInfoDispatch::Invoke(void* self, REFIID riid, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argError) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!info_) return TYPE_E_CANTLOADLIBRARY;
    return DispInvoke(self, info_, id, flags, params, result, exception, argError);
}

}  // namespace zvcom
