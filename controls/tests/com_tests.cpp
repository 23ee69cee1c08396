// The library file as COM clients meet it: exports, resources, type library, registration, class
// factory and unloading.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "controls/com/PalvexIdl.h"
#include "controls/tests/PalvexTestSupport.h"

using Microsoft::WRL::ComPtr;
using namespace palvex::test;

namespace {

constexpr WORD kHidden = TYPEFLAG_FHIDDEN, kDual = TYPEFLAG_FDUAL, kNonExt = TYPEFLAG_FNONEXTENSIBLE,
               kAuto = TYPEFLAG_FOLEAUTOMATION, kControl = TYPEFLAG_FCONTROL, kCreate = TYPEFLAG_FCANCREATE;

struct TypeRow {
    const wchar_t* name;
    TYPEKIND kind;
    const GUID* guid;
    WORD requiredFlags;
    WORD absentFlags;
    int functions;  // -1: not checked (enums, coclasses)
};

// The published table of the library, in its order.
const TypeRow kTypes[] = {
    {L"_FontType", TKIND_DISPATCH, &IID__FontType, kHidden | kDual | kNonExt | kAuto, 0, 14},
    {L"FontType", TKIND_COCLASS, &CLSID_FontType, kCreate, kControl, -1},
    {L"_MultiGradient", TKIND_DISPATCH, &IID__MultiGradient, kHidden | kDual | kAuto, kNonExt, 9},
    {L"MultiGradient", TKIND_COCLASS, &CLSID_MultiGradient, kCreate, kControl, -1},
    {L"_RegOptions", TKIND_DISPATCH, &IID__RegOptions, kHidden | kDual | kAuto, kNonExt, 16},
    {L"RegOptions", TKIND_COCLASS, &CLSID_RegOptions, kCreate, kControl, -1},
    {L"_ColorCombo", TKIND_DISPATCH, &IID__ColorCombo, kHidden | kDual | kAuto, kNonExt, 31},
    {L"ColorCombo", TKIND_COCLASS, &CLSID_ColorCombo, kCreate | kControl, 0, -1},
    {L"_ColorList", TKIND_DISPATCH, &IID__ColorList, kHidden | kDual | kAuto, kNonExt, 37},
    {L"ColorList", TKIND_COCLASS, &CLSID_ColorList, kCreate | kControl, 0, -1},
    {L"__ColorCombo", TKIND_DISPATCH, &DIID___ColorCombo, kHidden | kNonExt, kDual, 10},
    {L"__ColorList", TKIND_DISPATCH, &DIID___ColorList, kHidden | kNonExt, kDual, 10},
    {L"FilterCodeConstants", TKIND_ENUM, nullptr, 0, 0, -1},
    {L"SwatchBorderConstants", TKIND_ENUM, nullptr, 0, 0, -1},
    {L"BorderStyleConstants", TKIND_ENUM, nullptr, 0, 0, -1},
};

const GUID kFilterCodeGuid = {0xE1B60D1E, 0x21E9, 0x4D21, {0x81, 0xD8, 0x93, 0x6C, 0xEA, 0x53, 0x00, 0x8C}};
const GUID kSwatchBorderGuid = {0x9EF10D38, 0xC3AC, 0x445C, {0xBF, 0x4E, 0xC5, 0xE6, 0x36, 0x3F, 0x41, 0x67}};
const GUID kBorderStyleGuid = {0xC7C26A59, 0xC315, 0x47D7, {0x81, 0xBA, 0xC8, 0xCA, 0x72, 0xC7, 0x18, 0x96}};

struct Member {
    const wchar_t* name;
    INVOKEKIND kind;
    MEMBERID id;
    std::vector<std::wstring> args;  // argument names, result excluded
    std::vector<VARTYPE> types;      // argument types as the type library gives them
};

constexpr VARTYPE kColor = VT_USERDEFINED;  // OLE_COLOR from the standard library
const std::vector<Member> kComboMembers = {
    {L"AddColor", INVOKE_FUNC, 0x60030010, {L"ColorName", L"ColorVal", L"InsertBefore"}, {VT_BSTR, kColor, VT_PTR}},
    {L"ListCount", INVOKE_PROPERTYGET, 0x6803000F, {}, {}},
    {L"ListIndex", INVOKE_PROPERTYGET, 0x6803000E, {}, {}},
    {L"ListIndex", INVOKE_PROPERTYPUT, 0x6803000E, {L"ListIndex"}, {VT_I4}},
    {L"ColorName", INVOKE_PROPERTYGET, 0x6803000D, {L"Index"}, {VT_I4}},
    {L"ColorName", INVOKE_PROPERTYPUT, 0x6803000D, {L"Index", L"ColorName"}, {VT_I4, VT_BSTR}},
    {L"ColorValue", INVOKE_PROPERTYGET, 0x6803000C, {L"Index"}, {VT_I4}},
    {L"ColorValue", INVOKE_PROPERTYPUT, 0x6803000C, {L"Index", L"ColorValue"}, {VT_I4, kColor}},
    {L"Clear", INVOKE_FUNC, 0x60030011, {}, {}},
    {L"SetCustomColors", INVOKE_FUNC, 0x60030012, {L"CustomColors"}, {VT_PTR}},
    {L"GetCustomColors", INVOKE_FUNC, 0x60030013, {L"lpCustom"}, {VT_PTR}},
    {L"hWnd", INVOKE_PROPERTYGET, 0x6803000B, {}, {}},
    {L"Font", INVOKE_PROPERTYGET, 0x68030009, {}, {}},
    {L"Font", INVOKE_PROPERTYPUTREF, 0x68030009, {L"Font"}, {VT_PTR}},
    {L"AutoEdit", INVOKE_PROPERTYGET, 0x68030008, {}, {}},
    {L"AutoEdit", INVOKE_PROPERTYPUT, 0x68030008, {L"AutoEdit"}, {VT_BOOL}},
    {L"BackColor", INVOKE_PROPERTYGET, 0x68030007, {}, {}},
    {L"BackColor", INVOKE_PROPERTYPUT, 0x68030007, {L"BackColor"}, {kColor}},
    {L"TextColor", INVOKE_PROPERTYGET, 0x68030006, {}, {}},
    {L"TextColor", INVOKE_PROPERTYPUT, 0x68030006, {L"TextColor"}, {kColor}},
    {L"HighlightText", INVOKE_PROPERTYGET, 0x68030005, {}, {}},
    {L"HighlightText", INVOKE_PROPERTYPUT, 0x68030005, {L"HighlightText"}, {kColor}},
    {L"Highlight", INVOKE_PROPERTYGET, 0x68030004, {}, {}},
    {L"Highlight", INVOKE_PROPERTYPUT, 0x68030004, {L"Highlight"}, {kColor}},
    {L"SwatchBorder", INVOKE_PROPERTYGET, 0x68030003, {}, {}},
    {L"SwatchBorder", INVOKE_PROPERTYPUT, 0x68030003, {L"SwatchBorder"}, {VT_USERDEFINED}},
    {L"ColorSquareWidth", INVOKE_PROPERTYGET, 0x68030002, {}, {}},
    {L"ColorSquareWidth", INVOKE_PROPERTYPUT, 0x68030002, {L"ColorSquareWidth"}, {VT_I4}},
    {L"ColorSquareHeight", INVOKE_PROPERTYGET, 0x68030001, {}, {}},
    {L"ColorSquareHeight", INVOKE_PROPERTYPUT, 0x68030001, {L"ColorSquareHeight"}, {VT_I4}},
    {L"EditColor", INVOKE_FUNC, 0x60030014, {L"Index"}, {VT_I4}},
};

struct NamedId {
    const wchar_t* name;
    MEMBERID id;
};

const NamedId kListIds[] = {
    {L"AddColor", 0x60030013}, {L"ListCount", 0x68030012}, {L"ListIndex", 0x68030011},
    {L"ColorName", 0x68030010}, {L"ColorValue", 0x6803000F}, {L"Clear", 0x60030014},
    {L"SetCustomColors", 0x60030015}, {L"GetCustomColors", 0x60030016}, {L"hWnd", 0x6803000E},
    {L"Font", 0x6803000C}, {L"AutoEdit", 0x6803000B}, {L"BackColor", 0x6803000A},
    {L"TextColor", 0x68030009}, {L"HighlightText", 0x68030008}, {L"Highlight", 0x68030007},
    {L"SwatchBorder", 0x68030006}, {L"ColorSquareWidth", 0x68030005}, {L"ColorSquareHeight", 0x68030004},
    {L"MultiSelect", 0x68030003}, {L"WantKeyboardInput", 0x68030002}, {L"MultiColumn", 0x68030001},
    {L"EditColor", 0x60030018},
};

const wchar_t* const kEvents[] = {L"ShowDlg", L"HideDlg", L"Click", L"DblClick", L"MouseMove",
                                  L"MouseDown", L"MouseUp", L"KeyPress", L"KeyDown", L"KeyUp"};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring NameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

class TypeLibrary : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(LoadTypeLibEx(PalvexDllPath().c_str(), REGKIND_NONE, library_.GetAddressOf()));
    }
    ComPtr<ITypeInfo> Info(UINT index) {
        ComPtr<ITypeInfo> info;
        EXPECT_HRESULT_SUCCEEDED(library_->GetTypeInfo(index, info.GetAddressOf()));
        return info;
    }
    ComPtr<ITypeLib> library_;
};

}  // namespace

TEST_F(TypeLibrary, HeaderIdentifiesTheLibrary) {
    TLIBATTR* attr = nullptr;
    ASSERT_HRESULT_SUCCEEDED(library_->GetLibAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_Palvex));
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 1033u);
    library_->ReleaseTLibAttr(attr);
    BSTR name = nullptr;
    library_->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, L"Palvex");
    SysFreeString(name);
}

TEST_F(TypeLibrary, TypesInPublishedOrderWithGuidsAndFlags) {
    ASSERT_EQ(library_->GetTypeInfoCount(), std::size(kTypes));
    const GUID* enumGuids[] = {&kFilterCodeGuid, &kSwatchBorderGuid, &kBorderStyleGuid};
    for (UINT i = 0; i < std::size(kTypes); ++i) {
        const TypeRow& row = kTypes[i];
        SCOPED_TRACE(testing::Message() << "type " << i);
        BSTR name = nullptr;
        library_->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
        EXPECT_STREQ(name, row.name);
        SysFreeString(name);
        ComPtr<ITypeInfo> info = Info(i);
        TYPEATTR* attr = nullptr;
        ASSERT_HRESULT_SUCCEEDED(info->GetTypeAttr(&attr));
        EXPECT_EQ(attr->typekind, row.kind);
        const GUID& expected = row.guid ? *row.guid : *enumGuids[i - 12];
        EXPECT_TRUE(IsEqualGUID(attr->guid, expected));
        WORD flags = attr->wTypeFlags;
        int functions = attr->cFuncs;
        info->ReleaseTypeAttr(attr);
        if (flags & kDual) {
            // The automation flag and the vtable belong to the interface half of a dual interface.
            HREFTYPE ref = 0;
            ComPtr<ITypeInfo> vtable;
            ASSERT_HRESULT_SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref));
            ASSERT_HRESULT_SUCCEEDED(info->GetRefTypeInfo(ref, vtable.GetAddressOf()));
            TYPEATTR* vattr = nullptr;
            vtable->GetTypeAttr(&vattr);
            EXPECT_EQ(vattr->typekind, TKIND_INTERFACE);
            flags |= vattr->wTypeFlags & kAuto;
            functions = vattr->cFuncs;
            vtable->ReleaseTypeAttr(vattr);
        }
        EXPECT_EQ(flags & row.requiredFlags, row.requiredFlags) << std::hex << flags;
        EXPECT_EQ(flags & row.absentFlags, 0) << std::hex << flags;
        if (row.functions >= 0) {
            EXPECT_EQ(functions, row.functions);
        }
    }
}

TEST_F(TypeLibrary, EnumerationsHoldTheirMembers) {
    struct Value {
        const wchar_t* name;
        LONG value;
    };
    const std::vector<std::vector<Value>> enums = {
        {{L"fpfAny", 0}, {L"fpFixed", 1}, {L"fpVariable", 2}, {L"ffRoman", 16}, {L"ffSwiss", 32},
         {L"ffModern", 48}, {L"ffScript", 64}, {L"ffDecorative", 80}},
        {{L"sbNone", 0}, {L"sbSingle", 1}, {L"sbThreeD", 2}},
        {{L"bsNone", 0}, {L"bsFixedSingle", 1}},
    };
    for (size_t e = 0; e < enums.size(); ++e) {
        ComPtr<ITypeInfo> info = Info(static_cast<UINT>(12 + e));
        for (size_t v = 0; v < enums[e].size(); ++v) {
            VARDESC* var = nullptr;
            ASSERT_HRESULT_SUCCEEDED(info->GetVarDesc(static_cast<UINT>(v), &var));
            EXPECT_EQ(var->memid, static_cast<MEMBERID>(0x40000000 + v));
            EXPECT_EQ(NameOf(info.Get(), var->memid), enums[e][v].name);
            EXPECT_EQ(var->lpvarValue->lVal, enums[e][v].value);
            info->ReleaseVarDesc(var);
        }
    }
}

TEST_F(TypeLibrary, ColorComboMembersInVtableOrderWithIdsAndArguments) {
    ComPtr<ITypeInfo> dispatch = Info(6), vtable;
    HREFTYPE ref = 0;
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetRefTypeOfImplType(-1, &ref));
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetRefTypeInfo(ref, vtable.GetAddressOf()));
    for (size_t i = 0; i < kComboMembers.size(); ++i) {
        const Member& m = kComboMembers[i];
        SCOPED_TRACE(testing::Message() << "member " << i);
        FUNCDESC* func = nullptr;
        ASSERT_HRESULT_SUCCEEDED(vtable->GetFuncDesc(static_cast<UINT>(i), &func));
        EXPECT_EQ(func->memid, m.id);
        EXPECT_EQ(func->invkind, m.kind);
        EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
        BSTR names[8] = {};
        UINT count = 0;
        vtable->GetNames(func->memid, names, 8, &count);
        EXPECT_STREQ(names[0], m.name);
        const bool hasResult = m.kind == INVOKE_PROPERTYGET || m.name == std::wstring(L"EditColor");
        ASSERT_EQ(func->cParams, static_cast<SHORT>(m.types.size() + (hasResult ? 1 : 0)));
        for (size_t a = 0; a < m.types.size(); ++a) {
            EXPECT_EQ(func->lprgelemdescParam[a].tdesc.vt, m.types[a]) << "argument " << a;
            // Property puts name their value argument after the property itself.
            if (a + 1 < count) {
                EXPECT_EQ(std::wstring(names[a + 1]), m.args[a]);
            }
        }
        for (BSTR name : names) SysFreeString(name);
        vtable->ReleaseFuncDesc(func);
    }
}

TEST_F(TypeLibrary, EventsAndColorListIdentifiers) {
    for (UINT index : {10u, 11u}) {
        ComPtr<ITypeInfo> events = Info(index);
        for (UINT i = 0; i < std::size(kEvents); ++i) {
            FUNCDESC* func = nullptr;
            ASSERT_HRESULT_SUCCEEDED(events->GetFuncDesc(i, &func));
            EXPECT_EQ(func->memid, static_cast<MEMBERID>(i + 1));
            EXPECT_EQ(NameOf(events.Get(), func->memid), kEvents[i]);
            events->ReleaseFuncDesc(func);
        }
    }
    ComPtr<ITypeInfo> list = Info(8);
    for (const NamedId& entry : kListIds) {
        MEMBERID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(entry.name);
        ASSERT_HRESULT_SUCCEEDED(list->GetIDsOfNames(&name, 1, &id)) << entry.name;
        EXPECT_EQ(id, entry.id) << entry.name;
    }
    // The same names answer differently on the drop-down.
    ComPtr<ITypeInfo> combo = Info(6);
    MEMBERID comboEdit = 0;
    LPOLESTR edit = const_cast<LPOLESTR>(L"EditColor");
    combo->GetIDsOfNames(&edit, 1, &comboEdit);
    EXPECT_EQ(comboEdit, 0x60030014);
}

TEST_F(TypeLibrary, OtherInterfacesAnswerTheirIdentifiersByName) {
    struct Row {
        UINT type;
        const wchar_t* name;
        MEMBERID id;
    } rows[] = {
        {0, L"Index", 0x6803000B}, {0, L"Selected", 0x68030009}, {0, L"Height", 0x68030008},
        {0, L"PitchAndFamily", 0x68030006}, {0, L"CompPF", 0x6003000C}, {0, L"Charset", 0x68030005},
        {0, L"FaceName", 0x68030004}, {0, L"Listname", 0x68030003}, {0, L"FullName", 0x68030002},
        {0, L"Script", 0x68030001}, {0, L"Parent", 0x68030000}, {0, L"CreateIndirect", 0x60030013},
        {2, L"Copy", 0x60030001}, {2, L"Add", 0x60030003}, {2, L"NewEnum", -4}, {2, L"Remove", 0x60030004},
        {2, L"Clear", 0x60030005}, {2, L"Count", 0x68030000}, {2, L"Color", 0}, {2, L"SaveProperties", 0x60030006},
        {2, L"LoadProperties", 0x60030007},
        {4, L"CtlName", 0x68030007}, {4, L"AppName", 0x68030006}, {4, L"FaceDraw", 0x68030005},
        {4, L"SymbolPreview", 0x68030004}, {4, L"PitchAndFamilyFilters", 0x68030003}, {4, L"FilterCode", 0x68030002},
        {4, L"SymbolDraw", 0x68030001}, {4, L"SuppressLoadDlg", 0x68030000}, {4, L"LoadProperties", 0x60030008},
        {4, L"SaveProperties", 0x60030009},
    };
    for (const Row& row : rows) {
        ComPtr<ITypeInfo> info = Info(row.type);
        MEMBERID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(row.name);
        ASSERT_HRESULT_SUCCEEDED(info->GetIDsOfNames(&name, 1, &id)) << testing::PrintToString(std::wstring(row.name));
        EXPECT_EQ(id, row.id) << testing::PrintToString(std::wstring(row.name));
    }
    // CreateIndirect's quality is optional with the default 2.
    ComPtr<ITypeInfo> fontType;
    HREFTYPE ref = 0;
    ASSERT_HRESULT_SUCCEEDED(Info(0)->GetRefTypeOfImplType(-1, &ref));
    ASSERT_HRESULT_SUCCEEDED(Info(0)->GetRefTypeInfo(ref, fontType.GetAddressOf()));
    ComPtr<ITypeInfo2> info2;
    ASSERT_HRESULT_SUCCEEDED(fontType.As(&info2));
    UINT index = 0;
    ASSERT_HRESULT_SUCCEEDED(info2->GetFuncIndexOfMemId(0x60030013, INVOKE_FUNC, &index));
    FUNCDESC* func = nullptr;
    ASSERT_HRESULT_SUCCEEDED(fontType->GetFuncDesc(index, &func));
    ASSERT_EQ(func->cParams, 3);  // hDC, Quality and the result
    const PARAMDESC& quality = func->lprgelemdescParam[1].paramdesc;
    EXPECT_TRUE(quality.wParamFlags & PARAMFLAG_FOPT);
    ASSERT_TRUE(quality.wParamFlags & PARAMFLAG_FHASDEFAULT);
    EXPECT_EQ(quality.pparamdescex->varDefaultValue.lVal, 2);
    fontType->ReleaseFuncDesc(func);
}

TEST_F(TypeLibrary, ControlsNameTheirEventsAsDefaultSource) {
    for (UINT index : {7u, 9u}) {
        ComPtr<ITypeInfo> coclass = Info(index);
        ComPtr<IProvideClassInfo> unused;
        TYPEATTR* attr = nullptr;
        coclass->GetTypeAttr(&attr);
        ASSERT_EQ(attr->cImplTypes, 2);
        coclass->ReleaseTypeAttr(attr);
        INT flags = 0;
        coclass->GetImplTypeFlags(1, &flags);
        EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> source;
        coclass->GetRefTypeOfImplType(1, &ref);
        coclass->GetRefTypeInfo(ref, source.GetAddressOf());
        TYPEATTR* sourceAttr = nullptr;
        source->GetTypeAttr(&sourceAttr);
        EXPECT_TRUE(IsEqualGUID(sourceAttr->guid, index == 7 ? DIID___ColorCombo : DIID___ColorList));
        source->ReleaseTypeAttr(sourceAttr);
    }
}

TEST(LibraryFile, ExportsEntryPointsByOrdinal) {
    PalvexLibrary dll;
    ASSERT_NE(dll.Get(), nullptr);
    const char* names[] = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"};
    for (WORD ordinal = 1; ordinal <= 4; ++ordinal) {
        FARPROC byOrdinal = GetProcAddress(dll.Get(), MAKEINTRESOURCEA(ordinal));
        EXPECT_NE(byOrdinal, nullptr);
        EXPECT_EQ(byOrdinal, GetProcAddress(dll.Get(), names[ordinal - 1])) << names[ordinal - 1];
    }
}

TEST(LibraryFile, ResourcesHoldBitmapsAndInterfaceIdentifiers) {
    PalvexLibrary dll;
    for (int id : {30000, 30001}) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(dll.Get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 16);
        EXPECT_EQ(info.bmHeight, 15);
        DeleteObject(bitmap);
    }
    struct Record {
        const wchar_t* name;
        const GUID* guid;
    } records[] = {
        {L"_IID_COLORCOMBO", &IID__ColorCombo},      {L"_IID_COLORLIST", &IID__ColorList},
        {L"_IID_FONTTYPE", &IID__FontType},          {L"_IID_MULTIGRADIENT", &IID__MultiGradient},
        {L"_IID_REGOPTIONS", &IID__RegOptions},      {L"_SRCIID_COLORCOMBO", &DIID___ColorCombo},
        {L"_SRCIID_COLORLIST", &DIID___ColorList},
    };
    for (const Record& record : records) {
        HRSRC found = FindResourceW(dll.Get(), record.name, MAKEINTRESOURCEW(10));  // RT_RCDATA
        ASSERT_NE(found, nullptr) << record.name;
        ASSERT_EQ(SizeofResource(dll.Get(), found), sizeof(GUID)) << record.name;
        const void* data = LockResource(LoadResource(dll.Get(), found));
        EXPECT_TRUE(IsEqualGUID(*static_cast<const GUID*>(data), *record.guid)) << record.name;
    }
}

TEST(ClassFactory, ServesEveryClassAndCountsObjectsAndLocks) {
    ComApartment com;
    PalvexLibrary dll;
    using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = dll.Entry<CanUnloadFn>("DllCanUnloadNow");
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_OK);

    const std::pair<const CLSID*, const IID*> classes[] = {
        {&CLSID_FontType, &IID__FontType}, {&CLSID_MultiGradient, &IID__MultiGradient},
        {&CLSID_RegOptions, &IID__RegOptions}, {&CLSID_ColorCombo, &IID__ColorCombo},
        {&CLSID_ColorList, &IID__ColorList}};
    for (auto [clsid, iid] : classes) {
        ComPtr<IUnknown> object;
        ASSERT_HRESULT_SUCCEEDED(dll.CreateObject(*clsid, *iid, reinterpret_cast<void**>(object.GetAddressOf())))
            << testing::PrintToString(GuidText(*clsid));
        EXPECT_EQ(canUnload(), S_FALSE);
        ComPtr<IDispatch> dispatch;
        EXPECT_HRESULT_SUCCEEDED(object.As(&dispatch));
        ComPtr<ISupportErrorInfo> errors;
        ASSERT_HRESULT_SUCCEEDED(object.As(&errors));
        EXPECT_EQ(errors->InterfaceSupportsErrorInfo(*iid), S_OK);
    }
    EXPECT_EQ(canUnload(), S_OK);  // every object above is gone again
    ComPtr<IUnknown> unknownClass;
    EXPECT_EQ(dll.CreateObject(IID_IDispatch, IID_IUnknown, reinterpret_cast<void**>(unknownClass.GetAddressOf())),
              CLASS_E_CLASSNOTAVAILABLE);

    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    ComPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(dll.Entry<GetClassObjectFn>("DllGetClassObject")(
        CLSID_ColorCombo, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())));
    EXPECT_EQ(canUnload(), S_FALSE);  // the factory itself is alive
    ComPtr<IUnknown> outer;
    ComPtr<IUnknown> aggregated;
    factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(outer.GetAddressOf()));
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, reinterpret_cast<void**>(aggregated.GetAddressOf())),
              CLASS_E_NOAGGREGATION);
    ComPtr<_ColorCombo> combo;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID__ColorCombo, reinterpret_cast<void**>(combo.GetAddressOf())));
    factory->LockServer(TRUE);
    factory.Reset();
    outer.Reset();
    combo.Reset();
    EXPECT_EQ(canUnload(), S_FALSE);  // the lock holds the server
    ASSERT_HRESULT_SUCCEEDED(dll.Entry<GetClassObjectFn>("DllGetClassObject")(
        CLSID_ColorCombo, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())));
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}
