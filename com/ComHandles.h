#pragma once
// Owners for BSTRs and VARIANTs.

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace zvcom {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
    Bstr(const wchar_t* text, UINT length) : value_(SysAllocStringLen(text, length)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(value_); }
    BSTR Get() const { return value_; }
    BSTR* Out() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }
    BSTR Detach() { return std::exchange(value_, nullptr); }
    UINT Length() const { return SysStringLen(value_); }

private:
    BSTR value_ = nullptr;
};

class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }
    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }
    VARIANT* operator->() { return &value_; }
    void Clear() { VariantClear(&value_); }

private:
    VARIANT value_;
};

}  // namespace zvcom
