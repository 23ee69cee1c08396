// ColorList hosted on a form through the forms runtime's ActiveX site and in the system's ATL
// container: late binding, the rows as drawn, the list styles, the list window made again with the
// control's entries and choices, persistence and design time.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "controls/com/PalvexIdl.h"
#include "controls/tests/HostedControlTest.h"
#include "controls/tests/PalvexTestSupport.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/TestHooks.h"
#include "ui/Twips.h"
#include "ui/activex/ActiveXControl.h"

using Microsoft::WRL::ComPtr;
using namespace palvex::test;
using ui::OleVariant;

namespace {

enum Id : DISPID {
    kAddColor = 0x60030013, kListCount = 0x68030012, kListIndex = 0x68030011, kColorName = 0x68030010,
    kColorValue = 0x6803000F, kClear = 0x60030014, kSetCustomColors = 0x60030015, kGetCustomColors = 0x60030016,
    kHWnd = 0x6803000E, kFont = 0x6803000C, kAutoEdit = 0x6803000B, kBackColor = 0x6803000A,
    kTextColor = 0x68030009, kHighlightText = 0x68030008, kHighlight = 0x68030007, kSwatchBorder = 0x68030006,
    kSquareWidth = 0x68030005, kSquareHeight = 0x68030004, kMultiSelect = 0x68030003,
    kWantKeyboardInput = 0x68030002, kMultiColumn = 0x68030001, kEditColor = 0x60030018,
};

enum EventId : DISPID { kClick = 3, kMouseDown = 6, kMouseUp = 7 };

class frmListHost : public ui::Form {
public:
    ui::ActiveXControl ColorList1{this, L"ColorList1"};
    frmListHost() {
        SetCaption(L"List host");
        SetClientSize(7200, 5400);
        ColorList1.SetClassName(L"Palvex.ColorList");
        ColorList1.Move(240, 240, 3600, 2400);
    }
};

std::vector<HWND> ListWindows(HWND control) {
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(control, nullptr, L"ListBox", nullptr); child;
         child = FindWindowExW(control, child, L"ListBox", nullptr))
        found.push_back(child);
    return found;
}

COLORREF PixelAt(HWND window, int x, int y) {
    UpdateWindow(window);
    ui::DoEvents();
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

RECT ItemRect(HWND list, int index) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void ClickRow(HWND list, int index, WPARAM keys = 0) {
    const RECT r = ItemRect(list, index);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    SendMessageW(list, WM_LBUTTONUP, keys, at);
    ui::DoEvents();
}

// A colour unlike any system colour, one per entry.
long ColourOf(int i) { return RGB(40 + (i * 37) % 200, 200 - (i * 53) % 180, 90 + (i * 29) % 150); }

const bool unmanagedWindows = ui::test::UseUnmanagedWindowsUnderWine();

class HostedList : public HostedControlTest<frmListHost> {
protected:
    void SetUp() override {
        form_ = std::make_unique<frmListHost>();
        List().ControlEvent = [this](DISPID id, DISPPARAMS&) { events_.push_back(id); };
        form_->Show();
        ui::DoEvents();
        ASSERT_HRESULT_SUCCEEDED(List().CreateResult());
    }

    ui::ActiveXControl& List() { return form_->ColorList1; }
    HWND ControlWindow() { return List().ControlWindow(); }
    HWND ListWindow() {
        const std::vector<HWND> lists = ListWindows(ControlWindow());
        return lists.size() == 1 ? lists[0] : nullptr;
    }
    void Add(const std::wstring& name, long value) {
        List().Call(kAddColor, {OleVariant::Text(name), OleVariant::Long(value), OleVariant::Missing()});
    }
    void AddMany(int count) {
        for (int i = 0; i < count; ++i) Add(L"Colour " + std::to_wstring(i), ColourOf(i));
    }
    long Long(DISPID id, std::vector<OleVariant> args = {}) { return List().Get(id, std::move(args)).AsLong(); }
    std::wstring Name(long index) { return List().Get(kColorName, {OleVariant::Long(index)}).AsText(); }

    std::vector<DISPID> events_;
};

std::vector<std::wstring> ListScenario(ui::ActiveXControl& c, bool byName) {
    RecordedCalls call(c, byName);
    std::vector<std::wstring>& seen = call.seen;
    const WORD get = DISPATCH_PROPERTYGET, put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
    call(L"AddColor", kAddColor, method, {OleVariant::Text(L"Red"), OleVariant::Long(255), OleVariant::Missing()});
    call(L"AddColor", kAddColor, method, {OleVariant::Text(L"Blue"), OleVariant::Long(0xFF0000), OleVariant::Long(0)});
    call(L"ListCount", kListCount, get, {});
    call(L"ListIndex", kListIndex, put, {OleVariant::Long(1)});
    call(L"ListIndex", kListIndex, get, {});
    call(L"ColorName", kColorName, get, {OleVariant::Long(0)});
    call(L"ColorName", kColorName, put, {OleVariant::Long(0), OleVariant::Text(L"Navy")});
    call(L"ColorName", kColorName, get, {OleVariant::Long(0)});
    call(L"ColorValue", kColorValue, put, {OleVariant::Long(1), OleVariant::Long(0x80)});
    call(L"ColorValue", kColorValue, get, {OleVariant::Long(1)});
    call(L"hWnd", kHWnd, get, {});
    call(L"Font", kFont, get, {});
    call(L"AutoEdit", kAutoEdit, put, {OleVariant::Bool(false)});
    call(L"AutoEdit", kAutoEdit, get, {});
    for (auto [name, id] : {std::pair{L"BackColor", kBackColor}, {L"TextColor", kTextColor},
                            {L"HighlightText", kHighlightText}, {L"Highlight", kHighlight}}) {
        call(name, id, put, {OleVariant::Long(0x102030)});
        call(name, id, get, {});
    }
    call(L"SwatchBorder", kSwatchBorder, put, {OleVariant::Long(0)});
    call(L"SwatchBorder", kSwatchBorder, get, {});
    call(L"ColorSquareWidth", kSquareWidth, put, {OleVariant::Long(3)});
    call(L"ColorSquareWidth", kSquareWidth, get, {});
    call(L"ColorSquareHeight", kSquareHeight, put, {OleVariant::Long(12)});
    call(L"ColorSquareHeight", kSquareHeight, get, {});
    for (auto [name, id] : {std::pair{L"MultiSelect", kMultiSelect}, {L"WantKeyboardInput", kWantKeyboardInput},
                            {L"MultiColumn", kMultiColumn}}) {
        call(name, id, get, {});
        call(name, id, put, {OleVariant::Bool(true)});
        call(name, id, get, {});
    }
    call(L"ListCount", kListCount, get, {});
    call(L"EditColor", kEditColor, method, {OleVariant::Long(5)});
    call(L"Clear", kClear, method, {});
    call(L"ListCount", kListCount, get, {});
    return seen;
}

}  // namespace

TEST_F(HostedList, EveryMemberByIdentifierAndByNameGivesTheSame) {
    const std::vector<std::wstring> byId = ListScenario(List(), false);
    const long window = static_cast<long>(reinterpret_cast<intptr_t>(ControlWindow()));
    form_->Unload();
    form_->Show();
    ui::DoEvents();
    std::vector<std::wstring> byName = ListScenario(List(), true);
    // Only the window differs between the two controls.
    const long secondWindow = static_cast<long>(reinterpret_cast<intptr_t>(ControlWindow()));
    for (std::wstring& line : byName)
        if (line == L"hWnd=" + std::to_wstring(secondWindow)) line = L"hWnd=" + std::to_wstring(window);
    EXPECT_EQ(byId, byName);
    const std::vector<std::wstring> expected = {
        L"AddColor=", L"AddColor=", L"ListCount=2", L"ListIndex=", L"ListIndex=1", L"ColorName=Blue", L"ColorName=",
        L"ColorName=Navy", L"ColorValue=", L"ColorValue=128", L"hWnd=" + std::to_wstring(window),
    };
    ASSERT_GE(byId.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(byId[i], expected[i]) << i;
    const std::vector<std::wstring> tail = {
        L"SwatchBorder=", L"SwatchBorder=0", L"ColorSquareWidth=", L"ColorSquareWidth=8", L"ColorSquareHeight=",
        L"ColorSquareHeight=12", L"MultiSelect=0", L"MultiSelect=", L"MultiSelect=-1", L"WantKeyboardInput=0",
        L"WantKeyboardInput=", L"WantKeyboardInput=-1", L"MultiColumn=0", L"MultiColumn=", L"MultiColumn=-1",
        L"ListCount=2", L"EditColor=failed", L"Clear=", L"ListCount=0",
    };
    ASSERT_GE(byId.size(), tail.size());
    for (size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(byId[byId.size() - tail.size() + i], tail[i]) << i;
    EXPECT_EQ(byId[13], L"AutoEdit=0");
    EXPECT_EQ(byId[15], L"BackColor=" + std::to_wstring(0x102030));
}

TEST_F(HostedList, RowsAreDrawnWithSwatchNameAndHighlight) {
    Add(L"Red", 0x0000FF);
    Add(L"Green", 0x00FF00);
    List().Put(kListIndex, {OleVariant::Long(1)});
    HWND list = ListWindow();
    ASSERT_NE(list, nullptr);
    const RECT first = ItemRect(list, 0), second = ItemRect(list, 1);
    const int middle = (first.top + first.bottom) / 2;
    EXPECT_EQ(PixelAt(list, first.left + 10, middle), RGB(255, 0, 0));  // the swatch
    EXPECT_EQ(PixelAt(list, first.left + 3, first.top + 3), RGB(0, 0, 0));  // its frame
    EXPECT_EQ(PixelAt(list, first.right - 4, middle), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelAt(list, second.left + 10, (second.top + second.bottom) / 2), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(list, second.right - 4, (second.top + second.bottom) / 2), GetSysColor(COLOR_HIGHLIGHT));
    // The name: ink of the text colour right of the swatch, none between them.
    int ink = 0;
    for (int x = first.left + 30; x < first.left + 60; ++x)
        for (int y = first.top; y < first.bottom; ++y)
            if (PixelAt(list, x, y) == GetSysColor(COLOR_WINDOWTEXT)) ++ink;
    EXPECT_GT(ink, 10);
    // The control snapped to a whole number of rows.
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom % (first.bottom - first.top), 0);
}

TEST_F(HostedList, MultiColumnPutsRowsInColumnsAndKeepsEntriesCountAndChoice) {
    AddMany(40);
    List().Put(kListIndex, {OleVariant::Long(25)});
    HWND before = ListWindow();
    ASSERT_NE(before, nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(before, GWL_STYLE) & LBS_MULTICOLUMN);
    List().Put(kMultiColumn, {OleVariant::Bool(true)});
    HWND after = ListWindow();  // exactly one list window
    ASSERT_NE(after, nullptr);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(GetWindowLongPtrW(after, GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_EQ(Long(kListCount), 40);
    EXPECT_EQ(SendMessageW(after, LB_GETCOUNT, 0, 0), 40);
    EXPECT_EQ(Long(kListIndex), 25);
    EXPECT_EQ(Name(39), L"Colour 39");
    // Rows past the first column's height stand in the next column, drawn there.
    SendMessageW(after, LB_SETTOPINDEX, 0, 0);
    const RECT top = ItemRect(after, 0);
    const int perColumn = (ItemRect(after, 1).top == top.bottom) ? [&] {
        RECT client{};
        GetClientRect(after, &client);
        return static_cast<int>(client.bottom / (top.bottom - top.top));
    }() : 1;
    ASSERT_GT(perColumn, 0);
    ASSERT_LT(perColumn, 40);
    const RECT next = ItemRect(after, perColumn);
    EXPECT_EQ(next.top, top.top);
    EXPECT_GE(next.left, top.right);
    const COLORREF swatch = PixelAt(after, next.left + 10, (next.top + next.bottom) / 2);
    const long expected = ColourOf(perColumn);
    RECT client{};
    GetClientRect(after, &client);
    EXPECT_EQ(swatch, static_cast<COLORREF>(expected)) << next.left << "," << next.top << " per column " << perColumn
                                                       << " client " << client.right << "x" << client.bottom;
    // And back: one window again, the same entries.
    List().Put(kMultiColumn, {OleVariant::Bool(false)});
    ASSERT_NE(ListWindow(), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(ListWindow(), GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_EQ(Long(kListCount), 40);
    EXPECT_EQ(Long(kListIndex), 25);
}

TEST_F(HostedList, MultiSelectHighlightsEveryClickedRowAndKeepsThemThroughRecreation) {
    AddMany(6);
    List().Put(kMultiSelect, {OleVariant::Bool(true)});
    HWND list = ListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LBS_MULTIPLESEL);
    ClickRow(list, 1);
    ClickRow(list, 4);
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), window = GetSysColor(COLOR_WINDOW);
    for (int row : {1, 4}) {
        const RECT r = ItemRect(list, row);
        EXPECT_EQ(PixelAt(list, r.right - 4, (r.top + r.bottom) / 2), highlight) << row;
    }
    const RECT other = ItemRect(list, 2);
    EXPECT_EQ(PixelAt(list, other.right - 4, (other.top + other.bottom) / 2), window);
    // The clicks raised the control's events.
    EXPECT_NE(std::count(events_.begin(), events_.end(), kClick), 0);
    // A new back colour makes the list again: the same rows stay chosen, and one list window.
    List().Put(kBackColor, {OleVariant::Long(0x00FFFF)});
    HWND again = ListWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, list);
    EXPECT_EQ(SendMessageW(again, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_GT(SendMessageW(again, LB_GETSEL, 4, 0), 0);
    EXPECT_EQ(Long(kListCount), 6);
    // Past the rows the list shows the control's back colour.
    RECT client{};
    GetClientRect(again, &client);
    EXPECT_EQ(PixelAt(again, client.right - 30, client.bottom - 3), static_cast<COLORREF>(0x00FFFF));
    // Single choice again: the row with the focus stays chosen.
    List().Put(kMultiSelect, {OleVariant::Bool(false)});
    EXPECT_EQ(Long(kListIndex), 4);
    // The next entry lands at the same index in the list and among the entries.
    Add(L"Last", 0x0102FF);
    EXPECT_EQ(Long(kListCount), 7);
    EXPECT_EQ(Name(6), L"Last");
    EXPECT_EQ(SendMessageW(ListWindow(), LB_GETCOUNT, 0, 0), 7);
}

TEST_F(HostedList, TheControlWindowPassesCreationAndDestructionOn) {
    List().Put(kBackColor, {OleVariant::Long(0x3366CC)});
    HWND control = ControlWindow();
    CREATESTRUCTW create{};
    EXPECT_EQ(SendMessageW(control, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)), 0);
    EXPECT_EQ(SendMessageW(control, WM_DESTROY, 0, 0), 0);
    EXPECT_TRUE(IsWindow(control));
    HDC dc = GetDC(control);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(control, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ListWindow())));
    ReleaseDC(control, dc);
    ASSERT_NE(brush, nullptr);
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, static_cast<COLORREF>(0x3366CC));
}

TEST_F(HostedList, PropertiesRoundTripThroughBagsAndStreamsAndABadStreamChangesNothing) {
    List().Put(kMultiColumn, {OleVariant::Bool(true)});
    List().Put(kWantKeyboardInput, {OleVariant::Bool(true)});
    List().Put(kSquareWidth, {OleVariant::Long(20)});
    ui::PropertyMap saved = List().SaveProperties();
    EXPECT_EQ(saved.size(), 12u);
    for (const wchar_t* name : {L"WantKeyboardInput", L"MultiSelect", L"MultiColumn"})
        EXPECT_EQ(saved.count(name), 1u) << testing::PrintToString(std::wstring(name));
    EXPECT_TRUE(saved[L"MultiColumn"].AsBool());
    EXPECT_FALSE(saved[L"MultiSelect"].AsBool());

    // A control made from the bag makes its first list window with the stored styles.
    frmListHost second;
    second.ColorList1.SetStoredProperties(saved);
    second.Show();
    ui::DoEvents();
    ASSERT_HRESULT_SUCCEEDED(second.ColorList1.CreateResult());
    const std::vector<HWND> lists = ListWindows(second.ColorList1.ControlWindow());
    ASSERT_EQ(lists.size(), 1u);
    const LONG_PTR style = GetWindowLongPtrW(lists[0], GWL_STYLE);
    EXPECT_TRUE(style & LBS_MULTICOLUMN);
    EXPECT_TRUE(style & LBS_WANTKEYBOARDINPUT);
    EXPECT_FALSE(style & LBS_MULTIPLESEL);
    EXPECT_EQ(second.ColorList1.Get(kSquareWidth).AsLong(), 20);
    second.Unload();

    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(List().Unknown()->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.GetAddressOf())));
    ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()));
    ASSERT_HRESULT_SUCCEEDED(persist->Save(stream.Get(), TRUE));
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const ULONG length = static_cast<ULONG>(stat.cbSize.QuadPart);
    std::vector<char> bytes(length);
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), length, nullptr);

    auto fresh = [] {
        ComPtr<IPersistStreamInit> object;
        CoCreateInstance(CLSID_ColorList, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStreamInit,
                         reinterpret_cast<void**>(object.GetAddressOf()));
        return object;
    };
    auto streamOf = [](const char* data, ULONG size) {
        ComPtr<IStream> s;
        CreateStreamOnHGlobal(nullptr, TRUE, s.GetAddressOf());
        s->Write(data, size, nullptr);
        LARGE_INTEGER start{};
        s->Seek(start, STREAM_SEEK_SET, nullptr);
        return s;
    };
    ComPtr<IPersistStreamInit> loaded = fresh();
    ASSERT_HRESULT_SUCCEEDED(loaded->Load(streamOf(bytes.data(), length).Get()));
    ComPtr<_ColorList> loadedList;
    loaded.As(&loadedList);
    VARIANT_BOOL multiColumn = VARIANT_FALSE;
    LONG width = 0;
    loadedList->get_MultiColumn(&multiColumn);
    loadedList->get_ColorSquareWidth(&width);
    EXPECT_EQ(multiColumn, VARIANT_TRUE);
    EXPECT_EQ(width, 20);

    // Cut short anywhere after its header, or with a damaged count, the stream is refused whole.
    for (ULONG cut : {8UL, length / 2, length - 1}) {
        ComPtr<IPersistStreamInit> damaged = fresh();
        EXPECT_TRUE(FAILED(damaged->Load(streamOf(bytes.data(), cut).Get()))) << cut;
        ComPtr<_ColorList> damagedList;
        damaged.As(&damagedList);
        damagedList->get_MultiColumn(&multiColumn);
        damagedList->get_ColorSquareWidth(&width);
        EXPECT_EQ(multiColumn, VARIANT_FALSE) << cut;
        EXPECT_EQ(width, 16) << cut;
        // What was refused leaves the object ready for a good stream.
        EXPECT_HRESULT_SUCCEEDED(damaged->Load(streamOf(bytes.data(), length).Get())) << cut;
    }
}

TEST_F(HostedList, AtDesignTimeTheControlShowsABorderAndKeepsNoListWindow) {
    frmListHost design;
    design.ColorList1.SetAmbientUserMode(false);
    design.Show();
    ui::DoEvents();
    ASSERT_HRESULT_SUCCEEDED(design.ColorList1.CreateResult());
    HWND control = design.ColorList1.ControlWindow();
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_BORDER);
    EXPECT_TRUE(ListWindows(control).empty());
    design.ColorList1.Move(240, 240, 4000, 3000);
    ui::DoEvents();
    EXPECT_TRUE(ListWindows(control).empty());
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_BORDER);
    // A new back colour at design time makes no list window either; a style only changes its property.
    design.ColorList1.Put(kBackColor, {OleVariant::Long(0xFF)});
    design.ColorList1.Put(kMultiColumn, {OleVariant::Bool(true)});
    EXPECT_TRUE(ListWindows(control).empty());
    EXPECT_TRUE(design.ColorList1.Get(kMultiColumn).AsBool());
    design.Unload();
}

// The system's ATL container, given a control that already holds entries before it has a window.
TEST_F(HostedList, EntriesAddedBeforeActivationFillTheFirstListWindow) {
    ASSERT_NE(AtlContainer(), nullptr);
    auto attach = AtlEntry<HRESULT(WINAPI*)(IUnknown*, HWND, IUnknown**)>("AtlAxAttachControl");
    ASSERT_TRUE(attach);
    ComPtr<_ColorList> list;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ColorList, nullptr, CLSCTX_INPROC_SERVER, IID__ColorList,
                                              reinterpret_cast<void**>(list.GetAddressOf())));
    VARIANT missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    for (const wchar_t* name : {L"Teal", L"Olive", L"Maroon"}) {
        BSTR text = SysAllocString(name);
        list->AddColor(text, 0x808000, &missing);
        SysFreeString(text);
    }
    LONG count = -1, index = 0;
    list->get_ListCount(&count);
    list->get_ListIndex(&index);
    EXPECT_EQ(count, 0);  // no list window yet
    EXPECT_EQ(index, -2);
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 120, form_->hWnd(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    ComPtr<IUnknown> container;
    ASSERT_HRESULT_SUCCEEDED(attach(list.Get(), host, container.GetAddressOf()));
    ui::DoEvents();
    list->get_ListCount(&count);
    EXPECT_EQ(count, 3);
    BSTR name = nullptr;
    list->get_ColorName(2, &name);
    EXPECT_STREQ(name, L"Maroon");
    SysFreeString(name);
    LONG window = 0;
    list->get_hWnd(&window);
    EXPECT_EQ(ListWindows(reinterpret_cast<HWND>(static_cast<intptr_t>(window))).size(), 1u);
    list.Reset();
    container.Reset();
    DestroyWindow(host);
    ui::DoEvents();
}

TEST_F(HostedList, TeardownGivesEveryReferenceBack) {
    AddMany(3);
    ExpectUnloadGivesEveryReferenceBack();
}
