// The players as the program meets them: the library file registered, each player created by its
// ProgID and driven late-bound by member name, its events through a connection point, its poster
// drawn through its view, and unregistration taking away what registration wrote.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "components/players/tests/MovieFixtures.h"
#include "components/players/win32/PlayersIdl.h"

using Microsoft::WRL::ComPtr;

namespace {

using EntryFn = HRESULT(STDAPICALLTYPE*)();

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// A value under the local machine's classes, where the program's version check reads it.
std::wstring MachineClassesValue(const std::wstring& path) {
    wchar_t data[512] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, (L"SOFTWARE\\Classes\\" + path).c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                     data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

bool ClassesKeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

struct Kind {
    const wchar_t* progId;
    const wchar_t* independent;
    const CLSID* clsid;
};
const Kind kKinds[] = {
    {L"ShockwaveFlash.ShockwaveFlash.1", L"ShockwaveFlash.ShockwaveFlash", &CLSID_FlashPlayer},
    {L"SWCtl.SWCtl.8.5", L"SWCtl.SWCtl", &CLSID_ShockwavePlayer},
    {L"MediaPlayer.MediaPlayer.1", L"MediaPlayer.MediaPlayer", &CLSID_MediaPlayer},
};

std::vector<std::wstring> RegisteredKeys() {
    std::vector<std::wstring> keys{L"TypeLib\\" + GuidText(LIBID_Players)};
    for (const Kind& kind : kKinds) {
        keys.push_back(kind.progId);
        keys.push_back(kind.independent);
        keys.push_back(L"CLSID\\" + GuidText(*kind.clsid));
    }
    return keys;
}

// Late binding as the program does it: members by name.
HRESULT PutByName(IDispatch* object, const wchar_t* name, VARIANT value) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &put, 1, 1};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

VARIANT GetByName(IDispatch* object, const wchar_t* name) {
    VARIANT result;
    VariantInit(&result);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return result;
    DISPPARAMS none{};
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    return result;
}

VARIANT Long(LONG value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}
VARIANT Bool(bool value) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}
// The BSTR stays alive for the test's length: the test is short and the strings are few.
VARIANT Text(const std::wstring& value) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value.c_str());
    return v;
}

std::wstring TextOf(VARIANT v) {
    std::wstring text = v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : L"<not text>";
    VariantClear(&v);
    return text;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Records the command events a Flash player raises.
class CommandSink final : public IDispatch {
public:
    std::vector<std::pair<std::wstring, std::wstring>> commands;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_IFlashPlayerEvents) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (id == 1 && params->cArgs == 2 && params->rgvarg[0].vt == VT_BSTR && params->rgvarg[1].vt == VT_BSTR)
            commands.emplace_back(params->rgvarg[1].bstrVal, params->rgvarg[0].bstrVal);
        return S_OK;
    }

private:
    ULONG refs_ = 1;
};

DWORD Connect(IDispatch* player, CommandSink& sink, ComPtr<IConnectionPoint>& point) {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(player->QueryInterface(IID_PPV_ARGS(&container)))) return 0;
    if (FAILED(container->FindConnectionPoint(DIID_IFlashPlayerEvents, &point))) return 0;
    DWORD cookie = 0;
    point->Advise(&sink, &cookie);
    return cookie;
}

// A 32-bit picture the players draw into through their view.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HRESULT Draw(IDispatch* player) {
        ComPtr<IViewObject> view;
        HRESULT hr = player->QueryInterface(IID_PPV_ARGS(&view));
        if (FAILED(hr)) return hr;
        RECTL bounds{0, 0, width_, height_};
        hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc_, &bounds, nullptr, nullptr, 0);
        GdiFlush();
        return hr;
    }
    COLORREF At(int x, int y) const {
        const uint32_t pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

class Players : public testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    void SetUp() override {
        dll_ = LoadLibraryW(Beside(L"Players.dll").c_str());
        ASSERT_NE(dll_, nullptr);
        // The program's start script registers the library in the same prefix: start from none.
        ASSERT_HRESULT_SUCCEEDED(Entry("DllUnregisterServer")());
        for (const std::wstring& key : RegisteredKeys())
            ASSERT_FALSE(ClassesKeyExists(key)) << "left after unregistering: " << testing::PrintToString(key);
        ASSERT_HRESULT_SUCCEEDED(Entry("DllRegisterServer")());
        folder_ = std::filesystem::temp_directory_path() / "players_test";
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        // Never leave the prefix registered, whatever the test did.
        if (dll_) Entry("DllUnregisterServer")();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        if (dll_) FreeLibrary(dll_);
    }
    EntryFn Entry(const char* name) {
        return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    }
    ComPtr<IDispatch> Create(const wchar_t* progId) {
        CLSID clsid{};
        ComPtr<IDispatch> player;
        if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)))
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&player));
        return player;
    }
    // A file in the test's folder with the given bytes.
    std::wstring File(const wchar_t* name, const std::string& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.wstring();
    }
    // A Flash movie whose stage is width x height pixels.
    std::wstring FlashMovie(const wchar_t* name, int width, int height,
                            players::MovieCompression kind = players::MovieCompression::Zlib) {
        using namespace players::testing;
        return File(name, MakeMovie(kind, MovieBody(Stage{20, 0, width * 20, 0, height * 20})));
    }

    HMODULE dll_ = nullptr;
    std::filesystem::path folder_;
};

}  // namespace

TEST_F(Players, RegistrationNamesEachKindAndItsCurrentVersionAndUnregisteringTakesItAway) {
    wchar_t modulePath[MAX_PATH] = {};
    GetModuleFileNameW(dll_, modulePath, MAX_PATH);
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(kind.progId)));
        EXPECT_EQ(MachineClassesValue(std::wstring(kind.independent) + L"\\CurVer"), kind.progId);
        EXPECT_EQ(MachineClassesValue(std::wstring(kind.progId) + L"\\CLSID"), GuidText(*kind.clsid));
        EXPECT_EQ(MachineClassesValue(L"CLSID\\" + GuidText(*kind.clsid) + L"\\InprocServer32"), modulePath);
        CLSID byIndependent{};
        EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(kind.independent, &byIndependent));
        EXPECT_TRUE(IsEqualCLSID(byIndependent, *kind.clsid));
        EXPECT_NE(Create(kind.progId), nullptr);
    }
    ASSERT_HRESULT_SUCCEEDED(Entry("DllUnregisterServer")());
    for (const std::wstring& key : RegisteredKeys())
        EXPECT_FALSE(ClassesKeyExists(key)) << "left behind: " << testing::PrintToString(key);
    CLSID gone{};
    EXPECT_TRUE(FAILED(CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash.1", &gone)));
    // Twice is no failure.
    EXPECT_HRESULT_SUCCEEDED(Entry("DllUnregisterServer")());
}

TEST_F(Players, EveryMemberTheProgramSetsReadsBackByName) {
    const std::wstring movie = FlashMovie(L"intro.swf", 320, 240);
    struct Member {
        const wchar_t* progId;
        const wchar_t* name;
        VARIANT value;
    };
    const Member members[] = {
        {L"ShockwaveFlash.ShockwaveFlash.1", L"Movie", Text(movie)},
        {L"ShockwaveFlash.ShockwaveFlash.1", L"ScaleMode", Long(3)},
        {L"ShockwaveFlash.ShockwaveFlash.1", L"ScaleMode", Long(2)},
        {L"ShockwaveFlash.ShockwaveFlash.1", L"BackgroundColor", Long(static_cast<LONG>(0x8000000F))},
        {L"SWCtl.SWCtl.8.5", L"SRC", Text(folder_.wstring() + L"\\intro.dcr")},
        {L"SWCtl.SWCtl.8.5", L"swStretchStyle", Text(L"stage")},
        {L"SWCtl.SWCtl.8.5", L"swStretchStyle", Text(L"fill")},
        {L"MediaPlayer.MediaPlayer.1", L"FileName", Text(folder_.wstring() + L"\\clip.wmv")},
        {L"MediaPlayer.MediaPlayer.1", L"AutoStart", Bool(false)},
        {L"MediaPlayer.MediaPlayer.1", L"DisplaySize", Long(0)},
        {L"MediaPlayer.MediaPlayer.1", L"DisplaySize", Long(4)},
        {L"MediaPlayer.MediaPlayer.1", L"AutoSize", Bool(true)},
        {L"MediaPlayer.MediaPlayer.1", L"ShowControls", Bool(false)},
    };
    for (const Member& member : members) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(member.progId) + L"." + member.name));
        ComPtr<IDispatch> player = Create(member.progId);
        ASSERT_NE(player, nullptr);
        ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), member.name, member.value));
        VARIANT back = GetByName(player.Get(), member.name);
        EXPECT_EQ(VarCmp(&back, const_cast<VARIANT*>(&member.value), LOCALE_USER_DEFAULT, 0), VARCMP_EQ);
        VariantClear(&back);
    }
    for (const Member& member : members) VariantClear(const_cast<VARIANT*>(&member.value));
}

TEST_F(Players, FlashRaisesTheSizeCommandOnceFromTheMessageLoopAfterEachMovie) {
    ComPtr<IDispatch> player = Create(L"ShockwaveFlash.ShockwaveFlash.1");
    ASSERT_NE(player, nullptr);
    CommandSink sink;
    ComPtr<IConnectionPoint> point;
    const DWORD cookie = Connect(player.Get(), sink, point);
    ASSERT_NE(cookie, 0u);

    struct Case {
        const wchar_t* name;
        players::MovieCompression kind;
        int width, height;
    } cases[] = {
        {L"plain.swf", players::MovieCompression::None, 320, 240},
        {L"zlib.swf", players::MovieCompression::Zlib, 1, 4096},
        {L"lzma.swf", players::MovieCompression::Lzma, 550, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        sink.commands.clear();
        VARIANT path = Text(FlashMovie(c.name, c.width, c.height, c.kind));
        ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"Movie", path));
        VariantClear(&path);
        EXPECT_TRUE(sink.commands.empty()) << "raised inside the put";
        PumpMessages();
        ASSERT_EQ(sink.commands.size(), 1u);
        EXPECT_EQ(sink.commands[0].first, L"size");
        EXPECT_EQ(sink.commands[0].second, std::to_wstring(c.width) + L"x" + std::to_wstring(c.height));
        PumpMessages();
        EXPECT_EQ(sink.commands.size(), 1u) << "raised more than once";
    }

    // Two puts before the loop runs: one command for each, in order.
    sink.commands.clear();
    for (const Case& c : {cases[0], cases[2]}) {
        VARIANT path = Text(folder_.wstring() + L"\\" + c.name);
        ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"Movie", path));
        VariantClear(&path);
    }
    PumpMessages();
    ASSERT_EQ(sink.commands.size(), 2u);
    EXPECT_EQ(sink.commands[0].second, L"320x240");
    EXPECT_EQ(sink.commands[1].second, L"550x400");

    // Files that give no stage: no command, and the put still succeeds (the poster tells it).
    sink.commands.clear();
    for (const std::wstring& bad : {folder_.wstring() + L"\\missing.swf", File(L"text.swf", "not a movie at all"),
                                    FlashMovie(L"empty.swf", 0, 0)}) {
        VARIANT path = Text(bad);
        EXPECT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"Movie", path));
        VariantClear(&path);
        EXPECT_EQ(TextOf(GetByName(player.Get(), L"Movie")), bad);
    }
    PumpMessages();
    EXPECT_TRUE(sink.commands.empty());
    point->Unadvise(cookie);
}

TEST_F(Players, APlayerRemovedBeforeItsCommandIsDeliveredRaisesNothing) {
    const std::wstring movie = FlashMovie(L"gone.swf", 320, 240);
    CommandSink sink;
    {
        ComPtr<IDispatch> player = Create(L"ShockwaveFlash.ShockwaveFlash.1");
        ASSERT_NE(player, nullptr);
        ComPtr<IConnectionPoint> point;
        ASSERT_NE(Connect(player.Get(), sink, point), 0u);
        VARIANT path = Text(movie);
        ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"Movie", path));
        VariantClear(&path);
        // The player goes with its connection still made, as a container that is torn down at once.
    }
    PumpMessages();
    EXPECT_TRUE(sink.commands.empty());
}

TEST_F(Players, ThePosterShowsTheMovieAtItsOwnSizeCentredOrStretchedToTheBox) {
    const std::wstring movie = FlashMovie(L"clip.swf", 100, 50);
    ComPtr<IDispatch> player = Create(L"ShockwaveFlash.ShockwaveFlash.1");
    ASSERT_NE(player, nullptr);
    VARIANT path = Text(movie);
    ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"Movie", path));
    VariantClear(&path);
    ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"BackgroundColor", Long(static_cast<LONG>(0x8000000F))));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);

    // A 200 x 150 box: the 100 x 50 stage centred is framed from (50, 50) to (149, 99).
    Canvas natural(200, 150);
    ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"ScaleMode", Long(3)));
    ASSERT_HRESULT_SUCCEEDED(natural.Draw(player.Get()));
    EXPECT_EQ(natural.At(1, 1), face) << "system colour not translated";
    EXPECT_EQ(natural.At(0, 0), face);
    EXPECT_NE(natural.At(50, 55), face) << "no frame at the stage's left edge";
    EXPECT_NE(natural.At(149, 55), face) << "no frame at the stage's right edge";
    EXPECT_EQ(natural.At(49, 55), face);
    EXPECT_EQ(natural.At(150, 55), face);

    Canvas fitted(200, 150);
    ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"ScaleMode", Long(2)));
    ASSERT_HRESULT_SUCCEEDED(fitted.Draw(player.Get()));
    EXPECT_NE(fitted.At(0, 55), face) << "no frame at the box's edge";
    EXPECT_NE(fitted.At(199, 55), face);
    EXPECT_EQ(fitted.At(50, 55), face);
    EXPECT_EQ(fitted.At(1, 1), face);
}

TEST_F(Players, APlayerWhoseFileIsMissingDrawsItsPosterAndShowsNoMessage) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(kind.progId)));
        ComPtr<IDispatch> player = Create(kind.progId);
        ASSERT_NE(player, nullptr);
        const wchar_t* member = kind.clsid == &CLSID_FlashPlayer       ? L"Movie"
                                : kind.clsid == &CLSID_ShockwavePlayer ? L"SRC"
                                                                       : L"FileName";
        VARIANT path = Text(folder_.wstring() + L"\\nowhere\\missing.movie");
        // A message box would hang the test here.
        EXPECT_HRESULT_SUCCEEDED(PutByName(player.Get(), member, path));
        VariantClear(&path);
        Canvas canvas(160, 120);
        EXPECT_HRESULT_SUCCEEDED(canvas.Draw(player.Get()));
        // Something besides the background: the frame and the text saying the file is missing.
        const COLORREF background = canvas.At(2, 2);
        bool drawn = false;
        for (int x = 0; x < 160 && !drawn; ++x) drawn = canvas.At(x, 60) != background;
        EXPECT_TRUE(drawn);
    }
}

TEST_F(Players, AWindowsMediaVideoShowsItsFirstPictureOnceTheMediaStackHasDecodedIt) {
    // Decoded by the platform (under Wine: GStreamer's ASF demuxer and its WMV decoder).
    const std::wstring video = Beside(L"red.wmv");
    ComPtr<IDispatch> player = Create(L"MediaPlayer.MediaPlayer.1");
    ASSERT_NE(player, nullptr);
    VARIANT path = Text(video);
    ASSERT_HRESULT_SUCCEEDED(PutByName(player.Get(), L"FileName", path));
    VariantClear(&path);
    // The put returns at once; the picture comes from the decoder's own thread.
    auto red = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; };
    Canvas natural(200, 150);
    bool shown = false;
    for (int wait = 0; wait < 400 && !shown; ++wait) {
        PumpMessages();
        ASSERT_HRESULT_SUCCEEDED(natural.Draw(player.Get()));
        shown = red(natural.At(100, 75));
        if (!shown) Sleep(25);
    }
    ASSERT_TRUE(shown) << "the video's first picture was not decoded";
    // At its own size (64 x 48) in the middle of the box, on the player's black.
    EXPECT_TRUE(red(natural.At(69, 52)));
    EXPECT_TRUE(red(natural.At(130, 97)));
    EXPECT_EQ(natural.At(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(natural.At(60, 75), RGB(0, 0, 0));
    // Fitted to the box, kept per file: a second player of the same file shows it at once.
    ComPtr<IDispatch> second = Create(L"MediaPlayer.MediaPlayer.1");
    ASSERT_NE(second, nullptr);
    path = Text(video);
    ASSERT_HRESULT_SUCCEEDED(PutByName(second.Get(), L"FileName", path));
    VariantClear(&path);
    ASSERT_HRESULT_SUCCEEDED(PutByName(second.Get(), L"DisplaySize", Long(4)));
    Canvas fitted(200, 150);
    ASSERT_HRESULT_SUCCEEDED(fitted.Draw(second.Get()));
    EXPECT_TRUE(red(fitted.At(5, 5)));
    EXPECT_TRUE(red(fitted.At(194, 144)));
}
