#include "com/ErrorInfo.h"

#include <new>
#include <wrl/client.h>

#include "base/NumberedError.h"

using Microsoft::WRL::ComPtr;

namespace zvcom {

namespace {
constexpr HRESULT kLanguageFacility = static_cast<HRESULT>(0x800A0000u);
constexpr HRESULT kInterfaceFacility = static_cast<HRESULT>(0x80040000u);
}

HRESULT ErrorHResult(int32_t number) {
    if (number > 0 && number < 65536) return kLanguageFacility | number;
    return kInterfaceFacility | (number & 0xFFFF);
}

int32_t ErrorNumber(HRESULT hr) {
    const auto facility = static_cast<HRESULT>(static_cast<uint32_t>(hr) & 0xFFFF0000u);
    if (facility == kLanguageFacility) return hr & 0xFFFF;
    if (facility == kInterfaceFacility) return 65536 + (hr & 0xFFFF);
    return 0;
}

HRESULT ReportError(HRESULT hr, REFGUID iid, const std::wstring& source, const std::wstring& description) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.GetAddressOf()))) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
    }
    return hr;
}

HRESULT ReportCurrentException(REFGUID iid, const wchar_t* source) {
    try {
        throw;
    } catch (const zv::NumberedError& e) {
        return ReportError(ErrorHResult(e.Number()), iid, e.Source(), e.Description());
    } catch (const zv::Error& e) {
        return ReportError(E_FAIL, iid, source, e.Description());
    } catch (const std::bad_alloc&) {
        return ReportError(E_OUTOFMEMORY, iid, source, L"Out of memory");
    } catch (...) {
        return ReportError(E_UNEXPECTED, iid, source, L"Unexpected failure");
    }
}

}  // namespace zvcom
