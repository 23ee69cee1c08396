#include "ui/activex/OleVariant.h"

namespace ui {

long OleVariant::AsLong() const {
    OleVariant converted;
    if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&v_), 0, VT_I4))) return 0;
    return converted.v_.lVal;
}

bool OleVariant::AsBool() const {
    OleVariant converted;
    if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&v_), 0, VT_BOOL))) return false;
    return converted.v_.boolVal != VARIANT_FALSE;
}

std::wstring OleVariant::AsText() const {
    OleVariant converted;
    if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&v_), 0, VT_BSTR))) return L"";
    return converted.v_.bstrVal ? std::wstring(converted.v_.bstrVal, SysStringLen(converted.v_.bstrVal)) : L"";
}

}  // namespace ui
