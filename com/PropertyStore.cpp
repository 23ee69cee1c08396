#include "com/PropertyStore.h"

#include <ole2.h>

#include <vector>

using Microsoft::WRL::ComPtr;

namespace zvcom {

namespace {

constexpr uint32_t kStreamTag = 0x31585650;  // "PVX1"
constexpr uint32_t kMaxProperties = 256;
constexpr uint32_t kMaxName = 256;
constexpr uint32_t kMaxText = 1 << 20;

HRESULT WriteBytes(IStream* stream, const void* data, ULONG size) {
    ULONG written = 0;
    const HRESULT hr = stream->Write(data, size, &written);
    return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_WRITEFAULT);
}

HRESULT ReadBytes(IStream* stream, void* data, ULONG size) {
    ULONG read = 0;
    const HRESULT hr = stream->Read(data, size, &read);
    return FAILED(hr) ? hr : (read == size ? S_OK : E_FAIL);
}

template <class T>
HRESULT WriteValue(IStream* stream, T value) {
    return WriteBytes(stream, &value, sizeof value);
}

template <class T>
HRESULT ReadValue(IStream* stream, T& value) {
    return ReadBytes(stream, &value, sizeof value);
}

HRESULT WriteText(IStream* stream, const wchar_t* text, uint32_t length) {
    HRESULT hr = WriteValue(stream, length);
    if (SUCCEEDED(hr) && length) hr = WriteBytes(stream, text, length * sizeof(wchar_t));
    return hr;
}

HRESULT ReadText(IStream* stream, std::wstring& text, uint32_t limit) {
    uint32_t length = 0;
    HRESULT hr = ReadValue(stream, length);
    if (FAILED(hr)) return hr;
    if (length > limit) return E_FAIL;
    text.assign(length, L'\0');
    return length ? ReadBytes(stream, text.data(), length * sizeof(wchar_t)) : S_OK;
}

}  // namespace

int32_t PropertyReader::ReadLong(const wchar_t* name, int32_t defaultValue) {
    Variant value;
    value->vt = VT_I4;
    value->lVal = defaultValue;
    Read(name, *value.Get());
    return value->lVal;
}

bool PropertyReader::ReadBool(const wchar_t* name, bool defaultValue) {
    Variant value;
    value->vt = VT_BOOL;
    value->boolVal = defaultValue ? VARIANT_TRUE : VARIANT_FALSE;
    Read(name, *value.Get());
    return value->boolVal != VARIANT_FALSE;
}

ComPtr<IDispatch> PropertyReader::ReadObject(const wchar_t* name) {
    Variant value;
    value->vt = VT_DISPATCH;
    value->pdispVal = nullptr;
    Read(name, *value.Get());
    return ComPtr<IDispatch>(value->vt == VT_DISPATCH ? value->pdispVal : nullptr);
}

void PropertyWriter::WriteLong(const wchar_t* name, int32_t value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    Write(name, v);
}

void PropertyWriter::WriteBool(const wchar_t* name, bool value) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    Write(name, v);
}

void PropertyWriter::WriteObject(const wchar_t* name, IDispatch* object) {
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    Write(name, v);
}

bool BagReader::Read(const wchar_t* name, VARIANT& value) {
    Variant stored;
    stored->vt = value.vt == VT_DISPATCH ? VT_DISPATCH : VT_EMPTY;
    if (FAILED(bag_->Read(name, stored.Get(), log_))) return false;
    if (value.vt == VT_DISPATCH) {
        ComPtr<IDispatch> object;
        if (stored->vt == VT_DISPATCH && stored->pdispVal) object = stored->pdispVal;
        else if (stored->vt == VT_UNKNOWN && stored->punkVal)
            stored->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.GetAddressOf()));
        if (!object) return false;
        VariantClear(&value);
        value.vt = VT_DISPATCH;
        value.pdispVal = object.Detach();
        return true;
    }
    Variant converted;
    if (FAILED(VariantChangeType(converted.Get(), stored.Get(), 0, value.vt))) return false;
    VariantClear(&value);
    return SUCCEEDED(VariantCopy(&value, converted.Get()));
}

void BagWriter::Write(const wchar_t* name, const VARIANT& value) {
    const HRESULT hr = bag_->Write(name, const_cast<VARIANT*>(&value));
    if (FAILED(hr) && SUCCEEDED(status_)) status_ = hr;
}

namespace {

HRESULT CallByName(IDispatch* object, const wchar_t* method, VARIANT* argsLastFirst, UINT count, VARIANT* result) {
    if (!object) return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(method)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPPARAMS params{argsLastFirst, nullptr, count, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

}  // namespace

bool DispatchBagReader::Read(const wchar_t* name, VARIANT& value) {
    Variant text;
    text->vt = VT_BSTR;
    text->bstrVal = SysAllocString(name);
    VARIANT args[2] = {value, *text.Get()};  // the default, then the name (last argument first)
    Variant stored;
    if (FAILED(CallByName(bag_, L"ReadProperty", args, 2, stored.Get()))) return false;
    Variant converted;
    if (FAILED(VariantChangeType(converted.Get(), stored.Get(), 0, value.vt))) return false;
    VariantClear(&value);
    return SUCCEEDED(VariantCopy(&value, converted.Get()));
}

void DispatchBagWriter::Write(const wchar_t* name, const VARIANT& value) {
    Variant text;
    text->vt = VT_BSTR;
    text->bstrVal = SysAllocString(name);
    VARIANT args[2] = {value, *text.Get()};
    Variant ignored;
    const HRESULT hr = CallByName(bag_, L"WriteProperty", args, 2, ignored.Get());
    if (FAILED(hr) && SUCCEEDED(status_)) status_ = hr;
}

HRESULT StreamReader::Load(IStream* stream) {
    uint32_t tag = 0, count = 0;
    HRESULT hr = ReadValue(stream, tag);
    if (FAILED(hr)) return hr;
    if (tag != kStreamTag) return E_FAIL;
    if (FAILED(hr = ReadValue(stream, count))) return hr;
    if (count > kMaxProperties) return E_FAIL;
    std::map<std::wstring, Variant> values;
    for (uint32_t i = 0; i < count; ++i) {
        std::wstring name;
        if (FAILED(hr = ReadText(stream, name, kMaxName))) return hr;
        uint16_t type = 0;
        if (FAILED(hr = ReadValue(stream, type))) return hr;
        Variant& value = values[name];
        value.Clear();
        switch (type) {
            case VT_I4:
                value->vt = VT_I4;
                if (FAILED(hr = ReadValue(stream, value->lVal))) return hr;
                break;
            case VT_BOOL:
                value->vt = VT_BOOL;
                if (FAILED(hr = ReadValue(stream, value->boolVal))) return hr;
                break;
            case VT_BSTR: {
                std::wstring text;
                if (FAILED(hr = ReadText(stream, text, kMaxText))) return hr;
                value->vt = VT_BSTR;
                value->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
                break;
            }
            case VT_DISPATCH: {
                uint8_t present = 0;
                if (FAILED(hr = ReadValue(stream, present))) return hr;
                value->vt = VT_DISPATCH;
                value->pdispVal = nullptr;
                if (present &&
                    FAILED(hr = OleLoadFromStream(stream, IID_IDispatch, reinterpret_cast<void**>(&value->pdispVal))))
                    return hr;
                break;
            }
            default: return E_FAIL;
        }
    }
    values_ = std::move(values);
    return S_OK;
}

bool StreamReader::Read(const wchar_t* name, VARIANT& value) {
    const auto found = values_.find(name);
    if (found == values_.end()) return false;
    const VARIANT& stored = *found->second.Get();
    if (value.vt == VT_DISPATCH) {
        if (stored.vt != VT_DISPATCH || !stored.pdispVal) return false;
        VariantClear(&value);
        return SUCCEEDED(VariantCopy(&value, const_cast<VARIANT*>(&stored)));
    }
    Variant converted;
    if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&stored), 0, value.vt))) return false;
    VariantClear(&value);
    return SUCCEEDED(VariantCopy(&value, converted.Get()));
}

StreamWriter::StreamWriter(IStream* stream) : stream_(stream) {
    status_ = WriteValue(stream_, kStreamTag);
    LARGE_INTEGER zero{};
    if (SUCCEEDED(status_)) status_ = stream_->Seek(zero, STREAM_SEEK_CUR, &countPosition_);
    if (SUCCEEDED(status_)) status_ = WriteValue(stream_, count_);
}

void StreamWriter::Write(const wchar_t* name, const VARIANT& value) {
    if (FAILED(status_)) return;
    HRESULT hr = WriteText(stream_, name, static_cast<uint32_t>(wcslen(name)));
    const uint16_t type = value.vt == VT_UNKNOWN ? static_cast<uint16_t>(VT_DISPATCH) : value.vt;
    if (SUCCEEDED(hr)) hr = WriteValue(stream_, type);
    if (SUCCEEDED(hr)) {
        switch (value.vt) {
            case VT_I4: hr = WriteValue(stream_, value.lVal); break;
            case VT_BOOL: hr = WriteValue(stream_, value.boolVal); break;
            case VT_BSTR: hr = WriteText(stream_, value.bstrVal, SysStringLen(value.bstrVal)); break;
            case VT_DISPATCH:
            case VT_UNKNOWN: {
                ComPtr<IPersistStream> persist;
                if (value.punkVal)
                    value.punkVal->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf()));
                hr = WriteValue(stream_, static_cast<uint8_t>(persist ? 1 : 0));
                if (SUCCEEDED(hr) && persist) hr = OleSaveToStream(persist.Get(), stream_);
                break;
            }
            default: hr = DISP_E_TYPEMISMATCH; break;
        }
    }
    if (SUCCEEDED(hr)) ++count_;
    status_ = hr;
}

HRESULT StreamWriter::Finish() {
    if (FAILED(status_)) return status_;
    LARGE_INTEGER zero{}, at{};
    ULARGE_INTEGER end{};
    HRESULT hr = stream_->Seek(zero, STREAM_SEEK_CUR, &end);
    at.QuadPart = static_cast<LONGLONG>(countPosition_.QuadPart);
    if (SUCCEEDED(hr)) hr = stream_->Seek(at, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr)) hr = WriteValue(stream_, count_);
    at.QuadPart = static_cast<LONGLONG>(end.QuadPart);
    if (SUCCEEDED(hr)) hr = stream_->Seek(at, STREAM_SEEK_SET, nullptr);
    return hr;
}

}  // namespace zvcom
