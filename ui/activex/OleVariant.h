#pragma once
// A VARIANT owned by one C++ object, with the few conversions a late-bound caller needs.

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace ui {

class OleVariant {
public:
    OleVariant() { VariantInit(&v_); }
    OleVariant(const OleVariant& other) {
        VariantInit(&v_);
        VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    }
    OleVariant(OleVariant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    OleVariant& operator=(OleVariant other) noexcept {
        std::swap(v_, other.v_);
        return *this;
    }
    explicit OleVariant(const VARIANT& value) {
        VariantInit(&v_);
        VariantCopy(&v_, const_cast<VARIANT*>(&value));
    }
    ~OleVariant() { VariantClear(&v_); }

    static OleVariant Long(long value) {
        OleVariant v;
        v.v_.vt = VT_I4;
        v.v_.lVal = value;
        return v;
    }
    static OleVariant Bool(bool value) {
        OleVariant v;
        v.v_.vt = VT_BOOL;
        v.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    static OleVariant Text(const std::wstring& value) {
        OleVariant v;
        v.v_.vt = VT_BSTR;
        v.v_.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
        return v;
    }
    static OleVariant Object(IDispatch* value) {
        OleVariant v;
        v.v_.vt = VT_DISPATCH;
        v.v_.pdispVal = value;
        if (value) value->AddRef();
        return v;
    }
    // An optional argument left out.
    static OleVariant Missing() {
        OleVariant v;
        v.v_.vt = VT_ERROR;
        v.v_.scode = DISP_E_PARAMNOTFOUND;
        return v;
    }

    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
    VARTYPE Type() const { return v_.vt; }
    // Converted copies; 0, false or "" when the value does not convert.
    long AsLong() const;
    bool AsBool() const;
    std::wstring AsText() const;
    IDispatch* AsObject() const { return v_.vt == VT_DISPATCH ? v_.pdispVal : nullptr; }

private:
    VARIANT v_;
};

}  // namespace ui
