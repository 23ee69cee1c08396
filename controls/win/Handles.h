#pragma once
// RAII owners for the handles the controls keep: GDI objects, memory DCs, BSTRs, VARIANTs.

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace palvex {

template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~GdiObject() { Reset(); }
    void Reset(H handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    H handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        Reset(std::exchange(other.dc_, nullptr));
        return *this;
    }
    ~MemoryDC() { Reset(); }
    void Reset(HDC dc = nullptr) {
        if (dc_) DeleteDC(dc_);
        dc_ = dc;
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// Selects an object into a DC for one scope.
class SelectIn {
public:
    SelectIn(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    SelectIn(const SelectIn&) = delete;
    SelectIn& operator=(const SelectIn&) = delete;
    ~SelectIn() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

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

}  // namespace palvex
