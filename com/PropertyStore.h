#pragma once
// Where a control's persisted properties go: a property bag or a stream, read and written by name
// through one interface so that a control lists its properties once.

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <cstdint>
#include <map>
#include <string>

#include <wrl/client.h>

#include "com/ComHandles.h"

namespace zvcom {

class PropertyReader {
public:
    // value holds the default on entry; on success it holds the stored value converted to the
    // default's type. False (value untouched) when the property is missing or does not convert.
    virtual bool Read(const wchar_t* name, VARIANT& value) = 0;

    int32_t ReadLong(const wchar_t* name, int32_t defaultValue);
    bool ReadBool(const wchar_t* name, bool defaultValue);
    // An object (a font); null when missing.
    Microsoft::WRL::ComPtr<IDispatch> ReadObject(const wchar_t* name);

protected:
    ~PropertyReader() = default;
};

class PropertyWriter {
public:
    virtual void Write(const wchar_t* name, const VARIANT& value) = 0;

    void WriteLong(const wchar_t* name, int32_t value);
    void WriteBool(const wchar_t* name, bool value);
    void WriteObject(const wchar_t* name, IDispatch* object);

protected:
    ~PropertyWriter() = default;
};

class BagReader final : public PropertyReader {
public:
    BagReader(IPropertyBag* bag, IErrorLog* log) : bag_(bag), log_(log) {}
    bool Read(const wchar_t* name, VARIANT& value) override;

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
};

class BagWriter final : public PropertyWriter {
public:
    explicit BagWriter(IPropertyBag* bag) : bag_(bag) {}
    void Write(const wchar_t* name, const VARIANT& value) override;
    HRESULT Status() const { return status_; }

private:
    IPropertyBag* bag_;
    HRESULT status_ = S_OK;
};

// A bag that is only an automation object: its ReadProperty (Name, Default) and WriteProperty
// (Name, Value) methods, called by name.
class DispatchBagReader final : public PropertyReader {
public:
    explicit DispatchBagReader(IDispatch* bag) : bag_(bag) {}
    bool Read(const wchar_t* name, VARIANT& value) override;

private:
    IDispatch* bag_;
};

class DispatchBagWriter final : public PropertyWriter {
public:
    explicit DispatchBagWriter(IDispatch* bag) : bag_(bag) {}
    void Write(const wchar_t* name, const VARIANT& value) override;
    HRESULT Status() const { return status_; }

private:
    IDispatch* bag_;
    HRESULT status_ = S_OK;
};

// The stream form: a tag, a version and the named values in the order written. The reader takes
// the whole record first and refuses a malformed one before any property changes.
class StreamReader final : public PropertyReader {
public:
    HRESULT Load(IStream* stream);
    bool Read(const wchar_t* name, VARIANT& value) override;

private:
    std::map<std::wstring, Variant> values_;
};

class StreamWriter final : public PropertyWriter {
public:
    explicit StreamWriter(IStream* stream);
    void Write(const wchar_t* name, const VARIANT& value) override;
    HRESULT Finish();

private:
    IStream* stream_;
    ULARGE_INTEGER countPosition_{};
    uint32_t count_ = 0;
    HRESULT status_ = S_OK;
};

}  // namespace zvcom
