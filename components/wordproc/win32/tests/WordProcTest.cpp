// The word-processor server as the conversion meets it: the library registered, the application
// created by its ProgID and every member called by name, a document written by the text control
// numbered, paginated and saved; its failures as HRESULTs with a description; and a registration
// that leaves another server's ProgID alone.
#include <windows.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/model/Document.h"

using Microsoft::WRL::ComPtr;

namespace {

using EntryFn = HRESULT(STDAPICALLTYPE*)();

constexpr wchar_t kProgId[] = L"Word.Application";
constexpr wchar_t kOtherClass[] = L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

std::wstring ProgIdClass() {
    wchar_t data[128] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, (std::wstring(kProgId) + L"\\CLSID").c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                     data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

// One late-bound call: its result, or its failure with the description the server gave.
struct Outcome {
    HRESULT hr = S_OK;
    std::wstring description;
    VARIANT value{};
    Outcome() { VariantInit(&value); }
    Outcome(const Outcome&) = delete;
    Outcome& operator=(const Outcome&) = delete;
    ~Outcome() { VariantClear(&value); }
    ComPtr<IDispatch> Object() const {
        ComPtr<IDispatch> object;
        if (value.vt == VT_DISPATCH && value.pdispVal) object = value.pdispVal;
        return object;
    }
};

VARIANT Text(const std::wstring& text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text.c_str());
    return v;
}
VARIANT Long(long n) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

// Calls a member by name with arguments in their written order.
void Call(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<VARIANT> args, Outcome& out) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    out.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(out.hr)) {
        out.description = L"no member named " + std::wstring(name);
        return;
    }
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception{};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &out.value, &exception, nullptr);
    if (exception.bstrDescription) out.description = exception.bstrDescription;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    for (VARIANT& v : reversed) VariantClear(&v);
}

ComPtr<IDispatch> Get(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args = {}) {
    Outcome out;
    Call(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, out);
    EXPECT_HRESULT_SUCCEEDED(out.hr) << testing::PrintToString(out.description);
    return out.Object();
}

long GetLong(IDispatch* object, const wchar_t* name) {
    Outcome out;
    Call(object, name, DISPATCH_PROPERTYGET, {}, out);
    EXPECT_HRESULT_SUCCEEDED(out.hr);
    VARIANT n;
    VariantInit(&n);
    if (FAILED(VariantChangeType(&n, &out.value, 0, VT_I4))) return -1;
    return n.lVal;
}

void Do(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args = {}) {
    Outcome out;
    Call(object, name, DISPATCH_METHOD, args, out);
    EXPECT_HRESULT_SUCCEEDED(out.hr) << testing::PrintToString(out.description);
}

// Three pages of body text: a page break ends each of the first two.
tx::Document ThreePages() {
    tx::Document d;
    d.Insert(0, L"First page\fSecond page\fThird page", 0);
    d.page = tx::PageSetup{12240, 15840, 1000, 1100, 1200, 900};
    return d;
}

class WordServer : public testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    void SetUp() override {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
        dll_ = LoadLibraryW(Beside(L"WordProc.dll").c_str());
        ASSERT_NE(dll_, nullptr);
        ASSERT_HRESULT_SUCCEEDED(Entry("DllUnregisterServer")());
        ASSERT_HRESULT_SUCCEEDED(Entry("DllRegisterServer")());
        folder_ = std::filesystem::temp_directory_path() / "wordproc_test";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        app_.Reset();
        if (dll_) Entry("DllUnregisterServer")();
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        if (dll_) FreeLibrary(dll_);
    }
    EntryFn Entry(const char* name) {
        return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    }
    ComPtr<IDispatch> Start() {
        CLSID clsid{};
        ComPtr<IDispatch> app;
        EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&app)));
        return app;
    }
    std::wstring File(const wchar_t* name, const std::string& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.wstring();
    }
    static std::string Bytes(const std::wstring& path) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    HMODULE dll_ = nullptr;
    ComPtr<IDispatch> app_;
    std::filesystem::path folder_;
};

}  // namespace

TEST_F(WordServer, TheConversionsRoadNumbersTheFooterPaginatesAndSavesInPlace) {
    const std::wstring path = File(L"Module.doc", tx::WriteRtf(ThreePages()));
    app_ = Start();
    ASSERT_TRUE(app_);
    ComPtr<IDispatch> documents = Get(app_.Get(), L"Documents");
    ASSERT_TRUE(documents);
    ComPtr<IDispatch> doc = Get(documents.Get(), L"Open", {Text(path)});
    ASSERT_TRUE(doc);
    EXPECT_EQ(GetLong(documents.Get(), L"Count"), 1);
    EXPECT_EQ(GetLong(Get(doc.Get(), L"Sections").Get(), L"Count"), 1);
    ComPtr<IDispatch> footer = Get(Get(Get(doc.Get(), L"Sections").Get(), L"Item", {Long(1)}).Get(), L"Footers");
    ASSERT_TRUE(footer);
    ComPtr<IDispatch> numbers = Get(Get(footer.Get(), L"Item", {Long(1)}).Get(), L"PageNumbers");
    ASSERT_TRUE(numbers);
    Do(numbers.Get(), L"Add");
    EXPECT_EQ(GetLong(numbers.Get(), L"Count"), 1);
    // Nothing reaches the file before Save.
    EXPECT_EQ(tx::ReadRtf(Bytes(path)).footer.paragraphs.size(), 0u);
    Do(doc.Get(), L"Repaginate");
    EXPECT_EQ(GetLong(doc.Get(), L"PageCount"), 3);
    Do(doc.Get(), L"Save");
    Do(app_.Get(), L"Quit");

    const tx::Document saved = tx::ReadRtf(Bytes(path));
    EXPECT_EQ(saved.AllText(), ThreePages().AllText());
    EXPECT_EQ(saved.page, ThreePages().page);
    ASSERT_EQ(saved.footer.paragraphs.size(), 1u);
    EXPECT_EQ(saved.footer.paragraphs[0].text, std::wstring(1, tx::kPageNumberChar));
    EXPECT_EQ(saved.footer.paragraphs[0].format.align, tx::Align::Right);
    // The save went through a temporary file that is gone again.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);

    // After Quit the application answers with a failure, not a crash.
    Outcome late;
    Call(app_.Get(), L"Documents", DISPATCH_PROPERTYGET, {}, late);
    EXPECT_TRUE(FAILED(late.hr));
    EXPECT_NE(late.description.find(L"quit"), std::wstring::npos) << testing::PrintToString(late.description);
}

TEST_F(WordServer, PageNumberArgumentsPlaceTheNumber) {
    const std::wstring rtf = File(L"a.doc", tx::WriteRtf(ThreePages()));
    const std::pair<long, tx::Align> cases[] = {{0, tx::Align::Left}, {1, tx::Align::Center}, {2, tx::Align::Right}};
    app_ = Start();
    for (const auto& [alignment, expected] : cases) {
        ComPtr<IDispatch> doc = Get(Get(app_.Get(), L"Documents").Get(), L"Open", {Text(rtf)});
        ComPtr<IDispatch> numbers = Get(
            Get(Get(Get(Get(doc.Get(), L"Sections").Get(), L"Item", {Long(1)}).Get(), L"Footers").Get(), L"Item", {Long(1)}).Get(),
            L"PageNumbers");
        Do(numbers.Get(), L"Add", {Long(alignment), Long(-1)});
        Do(doc.Get(), L"Save");
        Do(doc.Get(), L"Close");
        const tx::Document saved = tx::ReadRtf(Bytes(rtf));
        ASSERT_FALSE(saved.footer.paragraphs.empty());
        EXPECT_EQ(saved.footer.paragraphs.back().format.align, expected) << alignment;
        File(L"a.doc", tx::WriteRtf(ThreePages()));
    }
}

TEST_F(WordServer, FailuresComeBackWithADescriptionNamingTheCause) {
    const std::wstring good = File(L"good.doc", tx::WriteRtf(ThreePages()));
    const std::wstring text = File(L"text.doc", "plain words, no document");
    const std::wstring broken = File(L"broken.doc", "{\\rtf1 {{{ never closed");
    app_ = Start();
    ComPtr<IDispatch> documents = Get(app_.Get(), L"Documents");
    struct Case {
        std::wstring file;
        const wchar_t* expected;
    };
    const Case opens[] = {
        {(folder_ / L"missing.doc").wstring(), L"does not exist"},
        {text, L"is not a document"},
        {broken, L"not a readable document"},
        {L"", L"No file name"},
    };
    for (const Case& c : opens) {
        Outcome out;
        Call(documents.Get(), L"Open", DISPATCH_METHOD, {Text(c.file)}, out);
        EXPECT_TRUE(FAILED(out.hr)) << testing::PrintToString(c.file);
        EXPECT_NE(out.description.find(c.expected), std::wstring::npos) << testing::PrintToString(out.description);
    }
    EXPECT_EQ(GetLong(documents.Get(), L"Count"), 0);

    ComPtr<IDispatch> doc = Get(documents.Get(), L"Open", {Text(good)});
    ComPtr<IDispatch> sections = Get(doc.Get(), L"Sections");
    for (long index : {0L, 2L}) {
        Outcome out;
        Call(sections.Get(), L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Long(index)}, out);
        EXPECT_TRUE(FAILED(out.hr)) << index;
        EXPECT_NE(out.description.find(L"does not exist"), std::wstring::npos) << testing::PrintToString(out.description);
    }
    ComPtr<IDispatch> footers = Get(Get(sections.Get(), L"Item", {Long(1)}).Get(), L"Footers");
    Outcome footer2;
    Call(footers.Get(), L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Long(2)}, footer2);
    EXPECT_TRUE(FAILED(footer2.hr));
    ComPtr<IDispatch> numbers = Get(Get(footers.Get(), L"Item", {Long(1)}).Get(), L"PageNumbers");
    Outcome badAlign;
    Call(numbers.Get(), L"Add", DISPATCH_METHOD, {Long(7)}, badAlign);
    EXPECT_TRUE(FAILED(badAlign.hr));
    EXPECT_NE(badAlign.description.find(L"alignment 7"), std::wstring::npos);

    // A closed document's objects refuse, they do not crash; its file is as it was.
    const std::string before = Bytes(good);
    Do(doc.Get(), L"Close");
    Outcome late;
    Call(numbers.Get(), L"Add", DISPATCH_METHOD, {}, late);
    EXPECT_TRUE(FAILED(late.hr));
    EXPECT_NE(late.description.find(L"closed"), std::wstring::npos);
    EXPECT_EQ(Bytes(good), before);
}

TEST_F(WordServer, RegistrationTakesAFreeProgIdKeepsOursAndLeavesAnothersAlone) {
    CLSID ours{};
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kProgId, &ours));
    wchar_t oursText[40] = {};
    StringFromGUID2(ours, oursText, 40);
    // Ours already: registering again keeps it.
    ASSERT_HRESULT_SUCCEEDED(Entry("DllRegisterServer")());
    EXPECT_EQ(ProgIdClass(), oursText);
    ASSERT_HRESULT_SUCCEEDED(Entry("DllUnregisterServer")());
    EXPECT_EQ(ProgIdClass(), L"<missing>");

    // Another server's: it stays theirs through our registration and our unregistration.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (std::wstring(kProgId) + L"\\CLSID").c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOtherClass), sizeof kOtherClass);
    RegCloseKey(key);
    ASSERT_HRESULT_SUCCEEDED(Entry("DllRegisterServer")());
    EXPECT_EQ(ProgIdClass(), kOtherClass);
    ASSERT_HRESULT_SUCCEEDED(Entry("DllUnregisterServer")());
    EXPECT_EQ(ProgIdClass(), kOtherClass);
}
