#include "controls/MultiGradient.h"

#include <ocidl.h>

#include <cmath>

#include "base/Error.h"
#include "com/DispArgs.h"
#include "com/LongEnumerator.h"
#include "com/PropertyStore.h"
#include "controls/ComPlumbing.h"
#include "controls/core/LibraryError.h"
#include "controls/core/ScaleMath.h"
#include "controls/win/DrawBase.h"
#include "controls/win/Handles.h"

using Microsoft::WRL::ComPtr;

namespace palvex {

namespace {

const wchar_t kSource[] = L"MultiGradient";
constexpr int32_t kErrArgumentNotOptional = 449;
constexpr int32_t kErrObjectRequired = 424;

enum Id : DISPID {
    kColor = 0, kCount = 0x68030000, kCopy = 0x60030001, kAdd = 0x60030003, kRemove = 0x60030004,
    kClear = 0x60030005, kSave = 0x60030006, kLoad = 0x60030007, kNewEnum = DISPID_NEWENUM,
};

[[noreturn]] void Fail(int32_t number, const wchar_t* description) { throw LibraryError(number, kSource, description); }
[[noreturn]] void TypeMismatch() { Fail(kErrTypeMismatch, L"Type mismatch"); }

// The value of an argument, by reference or not, converted; false when it does not convert.
bool Convert(const VARIANT* argument, VARTYPE type, Variant& out) {
    Variant value;
    if (FAILED(VariantCopyInd(value.Get(), const_cast<VARIANT*>(Deref(argument))))) return false;
    return SUCCEEDED(VariantChangeType(out.Get(), value.Get(), 0, type));
}

int32_t ColorArgument(const VARIANT* argument) {
    if (!argument) Fail(kErrArgumentNotOptional, L"Argument not optional");
    Variant value;
    if (Convert(argument, VT_I4, value)) return value->lVal;
    // A colour written as an unsigned number (a system colour from a script, &H8000000F as 2147483663).
    if (Convert(argument, VT_UI4, value)) return static_cast<int32_t>(value->ulVal);
    TypeMismatch();
}

// Positions are numbers (rounded as the language rounds them); a String is always a key.
ItemRef RefArgument(const VARIANT* argument) {
    if (IsMissing(argument)) Fail(kErrArgumentNotOptional, L"Argument not optional");
    const VARIANT* value = Deref(argument);
    if (V_VT(value) == VT_BSTR) return std::wstring(V_BSTR(value) ? V_BSTR(value) : L"");
    if (V_VT(value) == (VT_BSTR | VT_BYREF)) return std::wstring(*V_BSTRREF(value) ? *V_BSTRREF(value) : L"");
    Variant number;
    if (!Convert(argument, VT_R8, number)) TypeMismatch();
    const double rounded = RoundHalfEven(number->dblVal);
    if (!std::isfinite(rounded) || std::fabs(rounded) > 1e15) Fail(kErrSubscriptOutOfRange, L"Subscript out of range");
    return static_cast<int64_t>(rounded);
}

std::optional<std::wstring> KeyArgument(const VARIANT* argument) {
    if (IsMissing(argument)) return std::nullopt;
    const VARIANT* value = Deref(argument);
    if (V_VT(value) == VT_EMPTY) return std::nullopt;
    Variant text;
    if ((V_VT(value) & VT_TYPEMASK) != VT_BSTR || !Convert(argument, VT_BSTR, text)) TypeMismatch();
    return std::wstring(text->bstrVal ? text->bstrVal : L"");
}

std::optional<ItemRef> BeforeArgument(const VARIANT* argument) {
    if (IsMissing(argument) || V_VT(Deref(argument)) == VT_EMPTY) return std::nullopt;
    return RefArgument(argument);
}

bool SameObject(IUnknown* a, IUnknown* b) {
    ComPtr<IUnknown> first, second;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(first.GetAddressOf()));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(second.GetAddressOf()));
    // Compared as pointers: two smart pointers would compare as the truth of each.
    return first && first.Get() == second.Get();
}

void Check(HRESULT hr) {
    if (FAILED(hr)) throw zv::Error(L"The other collection refused the call.");
}

std::wstring PrefixArgument(const VARIANT* argument) {
    if (IsMissing(argument)) return L"";
    Variant text;
    if (!Convert(argument, VT_BSTR, text)) TypeMismatch();
    return text->bstrVal ? text->bstrVal : L"";
}

IUnknown* ObjectArgument(const VARIANT* argument) {
    if (IsMissing(argument)) Fail(kErrArgumentNotOptional, L"Argument not optional");
    const VARIANT* value = Deref(argument);
    switch (V_VT(value)) {
        case VT_DISPATCH:
        case VT_UNKNOWN: return V_UNKNOWN(value);
        case VT_DISPATCH | VT_BYREF:
        case VT_UNKNOWN | VT_BYREF: return *V_UNKNOWNREF(value);
        case VT_EMPTY: return nullptr;
        default: Fail(kErrObjectRequired, L"Object required");
    }
}

}  // namespace

MultiGradient::MultiGradient() : AutomationObject(IID__MultiGradient, kSource) {}

std::vector<int32_t> MultiGradient::ColorArray() const {
    std::vector<int32_t> colors = colors_.Colors();
    for (int32_t& color : colors) color = static_cast<int32_t>(TranslateColor(color));
    return colors;
}

// --- the vtable ---

HRESULT MultiGradient::Add(OLE_COLOR crColor, VARIANT* Key, VARIANT* InsertBefore) {
    return Member([&] { colors_.Add(static_cast<int32_t>(crColor), KeyArgument(Key), BeforeArgument(InsertBefore)); });
}

HRESULT MultiGradient::NewEnum(IUnknown** Enumerator) {
    if (!Enumerator) return E_POINTER;
    *Enumerator = nullptr;
    return Member([&] { *Enumerator = new LongEnumerator(colors_.Colors()); });
}

HRESULT MultiGradient::Remove(VARIANT* vntIndexKey) {
    return Member([&] { colors_.Remove(RefArgument(vntIndexKey)); });
}

HRESULT MultiGradient::Clear() {
    colors_.Clear();
    return S_OK;
}

HRESULT MultiGradient::get_Count(LONG* Count) { return Out(Count, colors_.Count()); }

HRESULT MultiGradient::get_Color(VARIANT* vntIndexKey, OLE_COLOR* Color) {
    if (!Color) return E_POINTER;
    *Color = 0;
    return Member([&] { *Color = static_cast<OLE_COLOR>(colors_.Color(RefArgument(vntIndexKey))); });
}

HRESULT MultiGradient::Copy(_MultiGradient** vData, VARIANT_BOOL fCopyTo, VARIANT* Result) {
    if (Result) VariantInit(Result);
    if (!vData) return E_POINTER;
    return Member([&] {
        _MultiGradient* other = *vData;
        // Onto itself, either way, the colours are already where they are to go.
        if (other && SameObject(other, static_cast<_MultiGradient*>(this))) return;
        if (fCopyTo != VARIANT_FALSE) {
            ComPtr<_MultiGradient> target(other);
            if (!target) target = New();
            Check(target->Clear());
            for (int32_t color : colors_.Colors()) {
                VARIANT none;
                V_VT(&none) = VT_ERROR;
                V_ERROR(&none) = DISP_E_PARAMNOTFOUND;
                VARIANT before = none;
                Check(target->Add(static_cast<OLE_COLOR>(color), &none, &before));
            }
            if (!other) *vData = target.Detach();
            return;
        }
        // Every colour is read before anything here changes.
        if (!other) Fail(kErrObjectNotSet, L"Object variable or With block variable not set");
        LONG count = 0;
        Check(other->get_Count(&count));
        std::vector<int32_t> colors;
        for (LONG i = 1; i <= count; ++i) {
            VARIANT index;
            V_VT(&index) = VT_I4;
            V_I4(&index) = i;
            OLE_COLOR color = 0;
            Check(other->get_Color(&index, &color));
            colors.push_back(static_cast<int32_t>(color));
        }
        colors_.Assign(colors);
    });
}

HRESULT MultiGradient::SaveProperties(IDispatch** PropBag, BSTR* Prefix) {
    if (!PropBag) return E_POINTER;
    return Member([&] { SaveTo(*PropBag, Prefix && *Prefix ? *Prefix : L""); });
}

HRESULT MultiGradient::LoadProperties(IDispatch** PropBag, BSTR* Prefix) {
    if (!PropBag) return E_POINTER;
    return Member([&] { LoadFrom(*PropBag, Prefix && *Prefix ? *Prefix : L""); });
}

void MultiGradient::SaveTo(IUnknown* bag, const std::wstring& prefix) {
    if (!bag) Fail(kErrObjectNotSet, L"Object variable or With block variable not set");
    auto write = [&](PropertyWriter& writer) {
        const std::vector<int32_t> colors = colors_.Colors();
        writer.WriteLong(StoredName(prefix, L"Count").c_str(), static_cast<int32_t>(colors.size()));
        for (size_t i = 0; i < colors.size(); ++i)
            writer.WriteLong(StoredName(prefix, L"Value" + std::to_wstring(i + 1)).c_str(), colors[i]);
    };
    HRESULT status = S_OK;
    ComPtr<IPropertyBag> propertyBag;
    ComPtr<IDispatch> automation;
    if (SUCCEEDED(bag->QueryInterface(IID_IPropertyBag, reinterpret_cast<void**>(propertyBag.GetAddressOf())))) {
        BagWriter writer(propertyBag.Get());
        write(writer);
        status = writer.Status();
    } else if (SUCCEEDED(bag->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(automation.GetAddressOf())))) {
        DispatchBagWriter writer(automation.Get());
        write(writer);
        status = writer.Status();
    } else {
        Fail(kErrObjectRequired, L"Object required");
    }
    if (FAILED(status)) throw zv::Error(L"The property bag did not take the colours.");
}

void MultiGradient::LoadFrom(IUnknown* bag, const std::wstring& prefix) {
    if (!bag) Fail(kErrObjectNotSet, L"Object variable or With block variable not set");
    auto read = [&](PropertyReader& reader) {
        const int32_t count = StoredColorCount(reader.ReadLong(StoredName(prefix, L"Count").c_str(), 0));
        std::vector<int32_t> colors;
        colors.reserve(static_cast<size_t>(count));
        int32_t previous = 0;
        for (int32_t i = 1; i <= count; ++i) {
            previous = reader.ReadLong(StoredName(prefix, L"Value" + std::to_wstring(i)).c_str(), previous);
            colors.push_back(previous);
        }
        colors_.Assign(colors);
    };
    ComPtr<IPropertyBag> propertyBag;
    ComPtr<IDispatch> automation;
    if (SUCCEEDED(bag->QueryInterface(IID_IPropertyBag, reinterpret_cast<void**>(propertyBag.GetAddressOf())))) {
        BagReader reader(propertyBag.Get(), nullptr);
        read(reader);
    } else if (SUCCEEDED(bag->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(automation.GetAddressOf())))) {
        DispatchBagReader reader(automation.Get());
        read(reader);
    } else {
        Fail(kErrObjectRequired, L"Object required");
    }
}

// --- dispatch by hand ---

HRESULT MultiGradient::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* exception, UINT*) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    ComPtr<IUnknown> keepAlive(static_cast<_MultiGradient*>(this));
    return ToDispatchException(Dispatched(id, flags, params, result), exception);
}

HRESULT MultiGradient::Dispatched(DISPID id, WORD, DISPPARAMS* params, VARIANT* result) {
    const DispArgs args(params);
    auto most = [&](UINT count) { return args.Count() <= count; };
    switch (id) {
        case kCopy:
            if (!most(2)) return DISP_E_BADPARAMCOUNT;
            return CopyByHand(args.At(0), args.At(1));
        case kAdd:
            if (!most(3)) return DISP_E_BADPARAMCOUNT;
            return Member([&] { colors_.Add(ColorArgument(args.At(0)), KeyArgument(args.At(1)), BeforeArgument(args.At(2))); });
        case kNewEnum: {
            if (!most(0)) return DISP_E_BADPARAMCOUNT;
            IUnknown* enumerator = nullptr;
            const HRESULT hr = NewEnum(&enumerator);
            if (SUCCEEDED(hr) && result) {
                V_VT(result) = VT_UNKNOWN;
                V_UNKNOWN(result) = enumerator;
            } else if (enumerator) {
                enumerator->Release();
            }
            return hr;
        }
        case kRemove:
            if (!most(1)) return DISP_E_BADPARAMCOUNT;
            return Member([&] { colors_.Remove(RefArgument(args.At(0))); });
        case kClear:
            if (!most(0)) return DISP_E_BADPARAMCOUNT;
            return Clear();
        case kCount:
            if (!most(0)) return DISP_E_BADPARAMCOUNT;
            if (result) {
                V_VT(result) = VT_I4;
                V_I4(result) = static_cast<LONG>(colors_.Count());
            }
            return S_OK;
        case kColor:
            if (!most(1)) return DISP_E_BADPARAMCOUNT;
            return Member([&] {
                const int32_t color = colors_.Color(RefArgument(args.At(0)));
                if (result) {
                    V_VT(result) = VT_I4;
                    V_I4(result) = color;
                }
            });
        case kSave:
        case kLoad:
            if (!most(2)) return DISP_E_BADPARAMCOUNT;
            return Member([&] {
                IUnknown* bag = ObjectArgument(args.At(0));
                const std::wstring prefix = PrefixArgument(args.At(1));
                if (id == kSave) SaveTo(bag, prefix);
                else LoadFrom(bag, prefix);
            });
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT MultiGradient::CopyByHand(VARIANT* data, const VARIANT* copyTo) {
    VARIANT_BOOL toOther = VARIANT_FALSE;
    IUnknown* given = nullptr;
    const HRESULT checked = Member([&] {
        if (!IsMissing(copyTo)) {
            Variant flag;
            if (!Convert(copyTo, VT_BOOL, flag)) TypeMismatch();
            toOther = flag->boolVal;
        }
        given = ObjectArgument(data);
    });
    if (FAILED(checked)) return checked;
    ComPtr<_MultiGradient> other;
    if (given && FAILED(given->QueryInterface(IID__MultiGradient, reinterpret_cast<void**>(other.GetAddressOf()))))
        return Member([] { TypeMismatch(); });
    _MultiGradient* target = other.Get();
    const HRESULT hr = Copy(&target, toOther, nullptr);
    if (FAILED(hr) || target == other.Get()) return hr;
    // A new collection was made for an empty argument: it goes back where the argument came from.
    auto* slot = const_cast<VARIANT*>(Deref(data));
    if (V_VT(slot) == VT_EMPTY || V_VT(slot) == VT_DISPATCH || V_VT(slot) == VT_UNKNOWN) {
        if (slot == data) {
            target->Release();  // passed by value: the caller has no place for it
            return hr;
        }
        VariantClear(slot);
        V_VT(slot) = VT_DISPATCH;
        V_DISPATCH(slot) = target;
    } else if (V_VT(slot) == (VT_DISPATCH | VT_BYREF) || V_VT(slot) == (VT_UNKNOWN | VT_BYREF)) {
        if (*V_DISPATCHREF(slot)) (*V_DISPATCHREF(slot))->Release();
        *V_DISPATCHREF(slot) = target;
    } else {
        target->Release();
    }
    return hr;
}

}  // namespace palvex
