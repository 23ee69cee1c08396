#pragma once
// Failures cross COM as HRESULTs with error info (number, source, description); nothing thrown
// inside a member leaves it.

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

namespace zvcom {

// The HRESULT of a library error number: numbers of the language's own errors (below 65536) map to
// its automation facility (9 -> 0x800A0009); the library's larger numbers to an interface-defined
// failure carrying their low word (65586 -> 0x80040032).
HRESULT ErrorHResult(int32_t number);
// The library error number carried by an HRESULT made by ErrorHResult (0 when it is none of ours).
int32_t ErrorNumber(HRESULT hr);

// Sets this thread's error info and returns hr.
HRESULT ReportError(HRESULT hr, REFGUID iid, const std::wstring& source, const std::wstring& description);
// Inside a catch block: the HRESULT for the exception in flight, with its error info set.
HRESULT ReportCurrentException(REFGUID iid, const wchar_t* source);

// Runs body (returning an HRESULT) and turns any exception into an HRESULT with error info.
template <class Body>
HRESULT Guarded(REFGUID iid, const wchar_t* source, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return ReportCurrentException(iid, source);
    }
}

}  // namespace zvcom
