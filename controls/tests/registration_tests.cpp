// Registration of the library file from its final place in the build tree: what it writes, what
// clients can then do, and that unregistering takes exactly that away again.
#include <windows.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "controls/com/PalvexIdl.h"
#include "controls/tests/PalvexTestSupport.h"

using Microsoft::WRL::ComPtr;
using namespace palvex::test;

namespace {

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring Value(const std::wstring& path, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

struct ClassRow {
    const CLSID* clsid;
    const wchar_t* progId;
    bool control;
    int bitmap;
};

const ClassRow kClasses[] = {
    {&CLSID_FontType, L"Palvex.FontType", false, 0},
    {&CLSID_MultiGradient, L"Palvex.MultiGradient", false, 0},
    {&CLSID_RegOptions, L"Palvex.RegOptions", false, 0},
    {&CLSID_ColorCombo, L"Palvex.ColorCombo", true, 30000},
    {&CLSID_ColorList, L"Palvex.ColorList", true, 30001},
};

// Every key registration may touch, to check that none is left behind.
std::vector<std::wstring> AllKeys() {
    std::vector<std::wstring> keys;
    for (const ClassRow& row : kClasses) {
        keys.push_back(L"CLSID\\" + GuidText(*row.clsid));
        keys.push_back(row.progId);
    }
    keys.push_back(L"TypeLib\\" + GuidText(LIBID_Palvex));
    for (const IID* iid : {&IID__ColorCombo, &IID__ColorList, &IID__FontType, &IID__MultiGradient, &IID__RegOptions,
                           &DIID___ColorCombo, &DIID___ColorList})
        keys.push_back(L"Interface\\" + GuidText(*iid));
    return keys;
}

using EntryFn = HRESULT(STDAPICALLTYPE*)();

class Registration : public testing::Test {
protected:
    void SetUp() override {
        // The prefix is shared with ./run.sh, which registers the library: start from what an
        // unregistered machine has, whatever ran before.
        if (auto unregister = dll_.Entry<EntryFn>("DllUnregisterServer")) unregister();
    }
    void TearDown() override {
        // Never leave the prefix registered, whatever the test did.
        if (auto unregister = dll_.Entry<EntryFn>("DllUnregisterServer")) unregister();
    }
    ComApartment com_;
    PalvexLibrary dll_;
};

}  // namespace

TEST_F(Registration, RegisterUseUnregisterAndUseAgainFailsCleanly) {
    for (const std::wstring& key : AllKeys()) ASSERT_FALSE(KeyExists(key)) << "left over before the test: " << key;
    auto registerServer = dll_.Entry<EntryFn>("DllRegisterServer");
    auto unregisterServer = dll_.Entry<EntryFn>("DllUnregisterServer");
    ASSERT_NE(registerServer, nullptr);
    ASSERT_HRESULT_SUCCEEDED(registerServer());

    wchar_t modulePath[MAX_PATH] = {};
    GetModuleFileNameW(dll_.Get(), modulePath, MAX_PATH);
    for (const ClassRow& row : kClasses) {
        SCOPED_TRACE(testing::Message() << "class " << testing::PrintToString(std::wstring(row.progId)));
        const std::wstring base = L"CLSID\\" + GuidText(*row.clsid);
        EXPECT_EQ(Value(base + L"\\InprocServer32"), modulePath);
        EXPECT_EQ(Value(base + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(Value(base + L"\\ProgID"), row.progId);
        EXPECT_EQ(Value(base + L"\\TypeLib"), GuidText(LIBID_Palvex));
        EXPECT_EQ(Value(std::wstring(row.progId) + L"\\CLSID"), GuidText(*row.clsid));
        EXPECT_EQ(KeyExists(base + L"\\Control"), row.control);
        if (row.control) {
            EXPECT_EQ(Value(base + L"\\ToolboxBitmap32"), std::wstring(modulePath) + L", " + std::to_wstring(row.bitmap));
        }
        CLSID fromProgId{};
        EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(row.progId, &fromProgId));
        EXPECT_TRUE(IsEqualCLSID(fromProgId, *row.clsid));
    }
    ComPtr<ITypeLib> registered;
    EXPECT_HRESULT_SUCCEEDED(LoadRegTypeLib(LIBID_Palvex, 1, 0, 1033, registered.GetAddressOf()));
    registered.Reset();

    // A client that knows only the ProgID and dispatch identifiers.
    CLSID clsid{};
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Palvex.ColorCombo", &clsid));
    ComPtr<IDispatch> combo;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                              reinterpret_cast<void**>(combo.GetAddressOf())));
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{};
    ASSERT_HRESULT_SUCCEEDED(combo->Invoke(0x68030002, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr));
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 16);  // ColorSquareWidth
    combo.Reset();
    // Every class by its ProgID.
    for (const ClassRow& row : kClasses) {
        CLSID byProgId{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(row.progId, &byProgId));
        ComPtr<IDispatch> object;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(byProgId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                                  reinterpret_cast<void**>(object.GetAddressOf())))
            << testing::PrintToString(std::wstring(row.progId));
    }

    ASSERT_HRESULT_SUCCEEDED(unregisterServer());
    for (const std::wstring& key : AllKeys()) EXPECT_FALSE(KeyExists(key)) << "left behind: " << key;
    EXPECT_EQ(CoCreateInstance(CLSID_ColorCombo, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(combo.GetAddressOf())),
              REGDB_E_CLASSNOTREG);
    CLSID gone{};
    EXPECT_TRUE(FAILED(CLSIDFromProgID(L"Palvex.ColorCombo", &gone)));
    // Unregistering what is not registered is no failure.
    EXPECT_HRESULT_SUCCEEDED(unregisterServer());
}
