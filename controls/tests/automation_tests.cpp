// The automation classes of the library file as late-bound clients meet them: every member by its
// dispatch identifier and by its name with the same results, and the colour collection's keys,
// positions, enumeration, copies and property bags.
#include <windows.h>
#include <ocidl.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <map>
#include <string>
#include <vector>

#include "controls/com/PalvexIdl.h"
#include "controls/tests/PalvexTestSupport.h"
#include "ui/activex/MemoryPropertyBag.h"
#include "ui/activex/OleVariant.h"

using Microsoft::WRL::ComPtr;
using namespace palvex::test;
using ui::OleVariant;

namespace {

const WORD kGet = DISPATCH_PROPERTYGET, kPut = DISPATCH_PROPERTYPUT, kMethod = DISPATCH_METHOD;
// What a script asks for when it reads a member: either a method or a property.
const WORD kScriptGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

struct Call {
    const wchar_t* name;
    DISPID id;
    WORD flags;
    std::vector<OleVariant> args;
};

// The result of one call as text: its value, "object", "nothing", or the error's number and text.
std::wstring Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<OleVariant> args) {
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(*it->Get());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & kPut) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    OleVariant result;
    EXCEPINFO info{};
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Get(), &info, nullptr);
    if (hr == DISP_E_EXCEPTION) {
        std::wstring text = L"error " + std::to_wstring(info.scode & 0xFFFF) + L" " +
                            (info.bstrDescription ? info.bstrDescription : L"");
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        return text;
    }
    if (FAILED(hr)) return L"failed " + std::to_wstring(static_cast<unsigned long>(hr));
    switch (result.Type()) {
        case VT_EMPTY: return L"";
        case VT_DISPATCH:
        case VT_UNKNOWN: return result.Get()->punkVal ? L"object" : L"nothing";
        default: return result.AsText();
    }
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

std::vector<std::wstring> RunCalls(IDispatch* object, const std::vector<Call>& calls, bool byName) {
    std::vector<std::wstring> seen;
    for (const Call& call : calls) {
        const DISPID id = byName ? IdOf(object, call.name) : call.id;
        if (byName) {
            EXPECT_EQ(id, call.id) << testing::PrintToString(std::wstring(call.name));
        }
        seen.push_back(std::wstring(call.name) + L"=" + Invoke(object, id, call.flags, call.args));
    }
    return seen;
}

OleVariant Unknown(IUnknown* object) {
    OleVariant v;
    v.Get()->vt = VT_UNKNOWN;
    v.Get()->punkVal = object;
    object->AddRef();
    return v;
}

class Automation : public testing::Test {
protected:
    ComPtr<IDispatch> Make(REFCLSID clsid) {
        ComPtr<IDispatch> object;
        EXPECT_HRESULT_SUCCEEDED(dll_.CreateObject(clsid, IID_IDispatch, reinterpret_cast<void**>(object.GetAddressOf())));
        return object;
    }
    // Runs the calls on a fresh object by identifier and on another by name: both see the same.
    std::vector<std::wstring> BothWays(REFCLSID clsid, const std::function<std::vector<Call>()>& calls) {
        ComPtr<IDispatch> first = Make(clsid), second = Make(clsid);
        const std::vector<std::wstring> byId = RunCalls(first.Get(), calls(), false);
        const std::vector<std::wstring> byName = RunCalls(second.Get(), calls(), true);
        EXPECT_EQ(byId, byName);
        return byId;
    }
    ComApartment com_;
    PalvexLibrary dll_;
};

void ExpectStarts(const std::vector<std::wstring>& seen, const std::vector<std::wstring>& expected) {
    ASSERT_GE(seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(seen[i], expected[i]) << "call " << i;
}

}  // namespace

TEST_F(Automation, FontTypeMembersByIdentifierAndByName) {
    const std::vector<std::wstring> seen = BothWays(CLSID_FontType, [] {
        return std::vector<Call>{
            {L"Index", 0x6803000B, kGet, {}},
            {L"Selected", 0x68030009, kGet, {}},
            {L"Selected", 0x68030009, kPut, {OleVariant::Bool(true)}},
            {L"Selected", 0x68030009, kGet, {}},
            {L"Height", 0x68030008, kGet, {}},
            {L"Height", 0x68030008, kPut, {OleVariant::Long(12)}},
            {L"Height", 0x68030008, kGet, {}},
            {L"PitchAndFamily", 0x68030006, kGet, {}},
            {L"CompPF", 0x6003000C, kMethod, {OleVariant::Long(0)}},
            {L"CompPF", 0x6003000C, kMethod, {OleVariant::Long(1)}},
            {L"Charset", 0x68030005, kGet, {}},
            {L"FaceName", 0x68030004, kGet, {}},
            {L"Listname", 0x68030003, kGet, {}},
            {L"FullName", 0x68030002, kGet, {}},
            {L"Script", 0x68030001, kGet, {}},
            {L"Parent", 0x68030000, kGet, {}},
            {L"CreateIndirect", 0x60030013, kMethod, {OleVariant::Long(0)}},
            {L"CreateIndirect", 0x60030013, kMethod, {OleVariant::Long(0), OleVariant::Long(4)}},
        };
    });
    // A FontType a client makes is empty, and every member answers.
    ExpectStarts(seen, {L"Index=0", L"Selected=0", L"Selected=", L"Selected=-1", L"Height=0", L"Height=",
                        L"Height=12", L"PitchAndFamily=0", L"CompPF=-1", L"CompPF=0", L"Charset=0",
                        L"FaceName=", L"Listname= ()", L"FullName=", L"Script=", L"Parent=nothing",
                        L"CreateIndirect=object", L"CreateIndirect=object"});
}

TEST_F(Automation, RegOptionsMembersByIdentifierAndByName) {
    const std::wstring key = L"Software\\Oskavar\\Controls\\colorlist\\PalvexTest.Dispatch";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    const std::vector<std::wstring> seen = BothWays(CLSID_RegOptions, [] {
        return std::vector<Call>{
            {L"CtlName", 0x68030007, kGet, {}},
            {L"AppName", 0x68030006, kGet, {}},
            {L"FaceDraw", 0x68030005, kGet, {}},
            {L"SymbolPreview", 0x68030004, kGet, {}},
            {L"PitchAndFamilyFilters", 0x68030003, kGet, {}},
            {L"FilterCode", 0x68030002, kGet, {}},
            {L"SymbolDraw", 0x68030001, kGet, {}},
            {L"SuppressLoadDlg", 0x68030000, kGet, {}},
            {L"LoadProperties", 0x60030008, kMethod, {OleVariant::Text(L"PalvexTest"), OleVariant::Text(L"Dispatch")}},
            {L"AppName", 0x68030006, kGet, {}},
            {L"CtlName", 0x68030007, kGet, {}},
            {L"FaceDraw", 0x68030005, kPut, {OleVariant::Long(1)}},
            {L"FaceDraw", 0x68030005, kPut, {OleVariant::Long(5)}},
            {L"SymbolPreview", 0x68030004, kPut, {OleVariant::Bool(true)}},
            {L"PitchAndFamilyFilters", 0x68030003, kPut, {OleVariant::Bool(true)}},
            {L"FilterCode", 0x68030002, kPut, {OleVariant::Long(33)}},
            {L"SymbolDraw", 0x68030001, kPut, {OleVariant::Long(0)}},
            {L"SuppressLoadDlg", 0x68030000, kPut, {OleVariant::Bool(false)}},
            {L"SaveProperties", 0x60030009, kMethod, {}},
            {L"LoadProperties", 0x60030008, kMethod, {OleVariant::Text(L"PalvexTest"), OleVariant::Text(L"Dispatch")}},
            {L"FaceDraw", 0x68030005, kGet, {}},
            {L"FilterCode", 0x68030002, kGet, {}},
            {L"SuppressLoadDlg", 0x68030000, kGet, {}},
            // The optional third argument removes the stored values.
            {L"LoadProperties", 0x60030008, kMethod,
             {OleVariant::Text(L"PalvexTest"), OleVariant::Text(L"Dispatch"), OleVariant::Bool(true)}},
            {L"FaceDraw", 0x68030005, kGet, {}},
            {L"SuppressLoadDlg", 0x68030000, kGet, {}},
        };
    });
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    ExpectStarts(seen, {L"CtlName=", L"AppName=", L"FaceDraw=-1", L"SymbolPreview=0", L"PitchAndFamilyFilters=0",
                        L"FilterCode=0", L"SymbolDraw=-1", L"SuppressLoadDlg=-1", L"LoadProperties=",
                        L"AppName=PalvexTest", L"CtlName=Dispatch", L"FaceDraw=",
                        L"FaceDraw=error 380 Invalid property value", L"SymbolPreview=", L"PitchAndFamilyFilters=",
                        L"FilterCode=", L"SymbolDraw=", L"SuppressLoadDlg=", L"SaveProperties=", L"LoadProperties=",
                        L"FaceDraw=1", L"FilterCode=33", L"SuppressLoadDlg=0", L"LoadProperties=",
                        L"FaceDraw=-1", L"SuppressLoadDlg=-1"});
}

TEST_F(Automation, MultiGradientMembersByIdentifierAndByName) {
    const std::vector<std::wstring> seen = BothWays(CLSID_MultiGradient, [this] {
        ComPtr<IDispatch> other = Make(CLSID_MultiGradient);
        auto* bag = new ui::MemoryPropertyBag();
        std::vector<Call> calls{
            {L"Add", 0x60030003, kMethod, {OleVariant::Long(0x0000FF), OleVariant::Text(L"Red")}},
            {L"Add", 0x60030003, kMethod, {OleVariant::Long(0x00FF00)}},
            {L"Add", 0x60030003, kMethod, {OleVariant::Long(0xFF0000), OleVariant::Missing(), OleVariant::Long(1)}},
            {L"Add", 0x60030003, kMethod, {OleVariant::Long(1), OleVariant::Text(L"RED")}},
            {L"Count", 0x68030000, kScriptGet, {}},
            {L"Color", 0, kScriptGet, {OleVariant::Long(1)}},
            {L"Color", 0, kScriptGet, {OleVariant::Text(L"red")}},
            {L"Color", 0, kScriptGet, {OleVariant::Text(L"1")}},
            {L"NewEnum", DISPID_NEWENUM, kScriptGet, {}},
            {L"Copy", 0x60030001, kMethod, {OleVariant::Object(other.Get()), OleVariant::Bool(true)}},
            {L"SaveProperties", 0x60030006, kMethod, {Unknown(bag), OleVariant::Text(L"Grad")}},
            {L"Remove", 0x60030004, kMethod, {OleVariant::Long(3)}},
            {L"Remove", 0x60030004, kMethod, {OleVariant::Long(3)}},
            {L"Count", 0x68030000, kScriptGet, {}},
            {L"Clear", 0x60030005, kMethod, {}},
            {L"Count", 0x68030000, kScriptGet, {}},
            {L"Copy", 0x60030001, kMethod, {OleVariant::Object(other.Get())}},
            {L"Count", 0x68030000, kScriptGet, {}},
            {L"Clear", 0x60030005, kMethod, {}},
            {L"LoadProperties", 0x60030007, kMethod, {Unknown(bag), OleVariant::Text(L"Grad")}},
            {L"Count", 0x68030000, kScriptGet, {}},
            {L"Color", 0, kScriptGet, {OleVariant::Long(3)}},
        };
        bag->Release();
        return calls;
    });
    ExpectStarts(seen, {L"Add=", L"Add=", L"Add=",
                        L"Add=error 457 This key is already associated with an element of this collection",
                        L"Count=3", L"Color=16711680", L"Color=255", L"Color=error 5 Invalid procedure call or argument",
                        L"NewEnum=object", L"Copy=", L"SaveProperties=", L"Remove=", L"Remove=error 9 Subscript out of range",
                        L"Count=2", L"Clear=", L"Count=0", L"Copy=", L"Count=3", L"Clear=", L"LoadProperties=",
                        L"Count=3", L"Color=65280"});
}

namespace {

// A property bag that is only an automation object, as a program's own bag is.
class ScriptBag final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        if (_wcsicmp(names[0], L"ReadProperty") == 0) *ids = 1;
        else if (_wcsicmp(names[0], L"WriteProperty") == 0) *ids = 2;
        else return DISP_E_UNKNOWNNAME;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        // Arguments come last first: (Name, Default) and (Name, Value).
        const std::wstring name = params->rgvarg[params->cArgs - 1].bstrVal;
        if (id == 2) {
            values[name] = OleVariant(params->rgvarg[0]);
            order.push_back(name);
            return S_OK;
        }
        const auto found = values.find(name);
        return VariantCopy(result, found != values.end() ? found->second.Get() : &params->rgvarg[0]);
    }
    std::map<std::wstring, OleVariant> values;
    std::vector<std::wstring> order;

private:
    ULONG refs_ = 1;
};

}  // namespace

TEST_F(Automation, MultiGradientKeepsItsColoursInEitherKindOfBag) {
    ComPtr<IDispatch> colours = Make(CLSID_MultiGradient);
    for (long color : {0x0000FFL, 0x00FF00L, static_cast<long>(0x8000000F)})
        Invoke(colours.Get(), 0x60030003, kMethod, {OleVariant::Long(color)});
    ScriptBag bag;
    ASSERT_EQ(Invoke(colours.Get(), 0x60030006, kMethod, {OleVariant::Object(&bag), OleVariant::Text(L"Grad")}), L"");
    EXPECT_EQ(bag.order, (std::vector<std::wstring>{L"Grad.Count", L"Grad.Value1", L"Grad.Value2", L"Grad.Value3"}));
    EXPECT_EQ(bag.values[L"Grad.Value3"].AsLong(), static_cast<long>(0x8000000F));
    ComPtr<IDispatch> loaded = Make(CLSID_MultiGradient);
    ASSERT_EQ(Invoke(loaded.Get(), 0x60030007, kMethod, {OleVariant::Object(&bag), OleVariant::Text(L"Grad")}), L"");
    for (long i = 1; i <= 3; ++i)
        EXPECT_EQ(Invoke(loaded.Get(), 0, kScriptGet, {OleVariant::Long(i)}),
                  Invoke(colours.Get(), 0, kScriptGet, {OleVariant::Long(i)}));
    // Without a prefix the names stand alone; an empty collection saves only its count.
    ScriptBag plain;
    ComPtr<IDispatch> empty = Make(CLSID_MultiGradient);
    Invoke(empty.Get(), 0x60030006, kMethod, {OleVariant::Object(&plain)});
    EXPECT_EQ(plain.order, (std::vector<std::wstring>{L"Count"}));
    EXPECT_EQ(plain.values[L"Count"].AsLong(), 0);
    // A missing value takes the colour read before it.
    ScriptBag gaps;
    gaps.values[L"Count"] = OleVariant::Long(3);
    gaps.values[L"Value1"] = OleVariant::Long(7);
    Invoke(empty.Get(), 0x60030007, kMethod, {OleVariant::Object(&gaps)});
    EXPECT_EQ(Invoke(empty.Get(), 0x68030000, kScriptGet, {}), L"3");
    EXPECT_EQ(Invoke(empty.Get(), 0, kScriptGet, {OleVariant::Long(3)}), L"7");
}

TEST_F(Automation, MultiGradientRefusesStoredCountsBeyondItsLimitAndChangesNothing) {
    ComPtr<IDispatch> colours = Make(CLSID_MultiGradient);
    Invoke(colours.Get(), 0x60030003, kMethod, {OleVariant::Long(0x123456)});
    struct Case {
        long count;
        std::wstring result;
        std::wstring countAfter;
    } cases[] = {
        {2000000000, L"error 380 The stored colour count 2000000000 is above the limit of 65536.", L"1"},
        {65537, L"error 380 The stored colour count 65537 is above the limit of 65536.", L"1"},
        {-5, L"", L"0"},
    };
    for (const Case& c : cases) {
        ui::PropertyMap stored{{L"Count", OleVariant::Long(c.count)}};
        auto* bag = new ui::MemoryPropertyBag(stored);
        EXPECT_EQ(Invoke(colours.Get(), 0x60030007, kMethod, {Unknown(bag)}), c.result) << c.count;
        bag->Release();
        EXPECT_EQ(Invoke(colours.Get(), 0x68030000, kScriptGet, {}), c.countAfter) << c.count;
    }
}

TEST_F(Automation, MultiGradientCopiesIntoAnEmptyVariableAndNeverEmptiesItselfOnError) {
    ComPtr<IDispatch> colours = Make(CLSID_MultiGradient);
    for (long color : {1L, 2L, 3L}) Invoke(colours.Get(), 0x60030003, kMethod, {OleVariant::Long(color)});
    auto byRef = [](VARIANT* target) {
        OleVariant v;
        v.Get()->vt = VT_VARIANT | VT_BYREF;
        v.Get()->pvarVal = target;
        return v;
    };
    // Into an Empty variable: a new collection is made and handed back through it.
    VARIANT target;
    VariantInit(&target);
    EXPECT_EQ(Invoke(colours.Get(), 0x60030001, kMethod, {byRef(&target), OleVariant::Bool(true)}), L"");
    ASSERT_EQ(target.vt, VT_DISPATCH);
    ASSERT_NE(target.pdispVal, nullptr);
    EXPECT_EQ(Invoke(target.pdispVal, 0x68030000, kScriptGet, {}), L"3");
    EXPECT_EQ(Invoke(target.pdispVal, 0, kScriptGet, {OleVariant::Long(3)}), L"3");
    VariantClear(&target);
    // From an Empty variable: an error, and every colour stays.
    VARIANT nothing;
    VariantInit(&nothing);
    EXPECT_EQ(Invoke(colours.Get(), 0x60030001, kMethod, {byRef(&nothing)}),
              L"error 91 Object variable or With block variable not set");
    EXPECT_EQ(Invoke(colours.Get(), 0x68030000, kScriptGet, {}), L"3");
    // Onto itself, either way: nothing is lost.
    for (bool copyTo : {false, true}) {
        EXPECT_EQ(Invoke(colours.Get(), 0x60030001, kMethod, {OleVariant::Object(colours.Get()), OleVariant::Bool(copyTo)}), L"");
        EXPECT_EQ(Invoke(colours.Get(), 0x68030000, kScriptGet, {}), L"3") << copyTo;
    }
    // An object of another kind is no collection to copy.
    ComPtr<IDispatch> font = Make(CLSID_FontType);
    EXPECT_EQ(Invoke(colours.Get(), 0x60030001, kMethod, {OleVariant::Object(font.Get())}), L"error 13 Type mismatch");
    EXPECT_EQ(Invoke(colours.Get(), 0x68030000, kScriptGet, {}), L"3");
}

TEST_F(Automation, MultiGradientEnumeratesASnapshotInOrder) {
    ComPtr<IDispatch> colours = Make(CLSID_MultiGradient);
    for (long color : {10L, 20L, 30L}) Invoke(colours.Get(), 0x60030003, kMethod, {OleVariant::Long(color)});
    ComPtr<_MultiGradient> direct;
    ASSERT_HRESULT_SUCCEEDED(colours.As(&direct));
    ComPtr<IUnknown> unknown;
    ASSERT_HRESULT_SUCCEEDED(direct->NewEnum(unknown.GetAddressOf()));
    ComPtr<IEnumVARIANT> items;
    ASSERT_HRESULT_SUCCEEDED(unknown.As(&items));
    Invoke(colours.Get(), 0x60030005, kMethod, {});  // cleared after the enumerator was made
    std::vector<long> seen;
    VARIANT item;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK) {
        seen.push_back(item.lVal);
        VariantClear(&item);
    }
    EXPECT_EQ(seen, (std::vector<long>{10, 20, 30}));
    EXPECT_EQ(items->Skip(1), S_FALSE);
    items->Reset();
    ComPtr<IEnumVARIANT> clone;
    ASSERT_HRESULT_SUCCEEDED(items->Clone(clone.GetAddressOf()));
    VARIANT two[2];
    ASSERT_EQ(clone->Next(2, two, &fetched), S_OK);
    EXPECT_EQ(two[1].lVal, 20);
}
