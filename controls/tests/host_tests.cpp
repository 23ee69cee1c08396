// ColorCombo hosted on a form through the forms runtime's ActiveX site, driven by real window
// messages: late binding, entries, sizing, the drop-down, the colour dialog, events, persistence,
// the drawn rows and teardown.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <functional>
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
#include "ui/testing/SystemDialogAnswer.h"

using Microsoft::WRL::ComPtr;
using namespace palvex::test;
using ui::OleVariant;

namespace {

enum Id : DISPID {
    kAddColor = 0x60030010, kListCount = 0x6803000F, kListIndex = 0x6803000E, kColorName = 0x6803000D,
    kColorValue = 0x6803000C, kClear = 0x60030011, kSetCustomColors = 0x60030012, kGetCustomColors = 0x60030013,
    kHWnd = 0x6803000B, kFont = 0x68030009, kAutoEdit = 0x68030008, kBackColor = 0x68030007,
    kTextColor = 0x68030006, kHighlightText = 0x68030005, kHighlight = 0x68030004, kSwatchBorder = 0x68030003,
    kSquareWidth = 0x68030002, kSquareHeight = 0x68030001, kEditColor = 0x60030014,
};

enum EventId : DISPID { kShowDlg = 1, kHideDlg, kClick, kDblClick, kMouseMove, kMouseDown, kMouseUp, kKeyPress, kKeyDown, kKeyUp };

constexpr long kSystemFace = static_cast<long>(0x8000000F);
constexpr long kNoColor = static_cast<long>(0xFF000000);

// Without a window manager Wine waits two seconds whenever a managed window goes. It reads this
// setting at start, so the first run in a new prefix makes it and the runs after it are quick.
const bool unmanagedWindows = ui::test::UseUnmanagedWindowsUnderWine();

class frmHost : public ui::Form {
public:
    ui::ActiveXControl ColorCombo1{this, L"ColorCombo1"};
    frmHost() {
        SetCaption(L"Host");
        SetClientSize(6000, 4000);
        ColorCombo1.SetClassName(L"Palvex.ColorCombo");
        ColorCombo1.Move(240, 240, 3000, 315);
    }
};

struct Event {
    DISPID id;
    std::vector<long> args;  // in their natural order, converted to Long
};

// Clicks a button of the next dialog box this thread shows (the colour dialog).
using DialogAnswer = ui::testing::SystemDialogAnswer;

class Hosted : public HostedControlTest<frmHost> {
protected:
    void SetUp() override {
        form_ = std::make_unique<frmHost>();
        Combo().ControlEvent = [this](DISPID id, DISPPARAMS& params) {
            Event event{id, {}};
            for (UINT i = params.cArgs; i-- > 0;) {
                OleVariant value;
                VARIANT& arg = params.rgvarg[i];
                if (arg.vt & VT_BYREF) {
                    if ((arg.vt & VT_TYPEMASK) == VT_I2) event.args.push_back(*arg.piVal);
                    else if ((arg.vt & VT_TYPEMASK) == VT_R4) event.args.push_back(static_cast<long>(*arg.pfltVal));
                } else {
                    event.args.push_back(OleVariant(arg).AsLong());
                }
            }
            events_.push_back(event);
        };
        form_->Show();
        ui::DoEvents();
        ASSERT_HRESULT_SUCCEEDED(Combo().CreateResult());
        ASSERT_NE(Combo().Object(), nullptr);
    }

    ui::ActiveXControl& Combo() { return form_->ColorCombo1; }
    HWND ControlWindow() { return Combo().ControlWindow(); }
    HWND ComboWindow() { return FindWindowExW(ControlWindow(), nullptr, L"ComboBox", nullptr); }
    void Add(const std::wstring& name, long value) {
        Combo().Call(kAddColor, {OleVariant::Text(name), OleVariant::Long(value), OleVariant::Missing()});
    }
    long Long(DISPID id, std::vector<OleVariant> args = {}) { return Combo().Get(id, std::move(args)).AsLong(); }
    long EditColor(long index) { return Combo().Call(kEditColor, {OleVariant::Long(index)}).AsLong(); }
    std::vector<DISPID> EventIds() const {
        std::vector<DISPID> ids;
        for (const Event& e : events_) ids.push_back(e.id);
        return ids;
    }
    const Event* Find(DISPID id) const {
        for (const Event& e : events_)
            if (e.id == id) return &e;
        return nullptr;
    }
    RECT ClientOf(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        return r;
    }

    std::vector<Event> events_;
};

// Runs one sequence of calls on the control, every call either by identifier or by name.
std::vector<std::wstring> Scenario(ui::ActiveXControl& c, bool byName) {
    RecordedCalls call(c, byName);
    std::vector<std::wstring>& seen = call.seen;
    const WORD get = DISPATCH_PROPERTYGET, put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
    call(L"AddColor", kAddColor, method, {OleVariant::Text(L"Red"), OleVariant::Long(255), OleVariant::Missing()});
    call(L"AddColor", kAddColor, method, {OleVariant::Text(L"Blue"), OleVariant::Long(0xFF0000), OleVariant::Long(0)});
    call(L"ListCount", kListCount, get, {});
    call(L"ListIndex", kListIndex, put, {OleVariant::Long(1)});
    call(L"ListIndex", kListIndex, get, {});
    call(L"ColorName", kColorName, get, {OleVariant::Long(0)});
    call(L"ColorName", kColorName, put, {OleVariant::Long(0), OleVariant::Text(L"Navy blue")});
    call(L"ColorName", kColorName, get, {OleVariant::Long(0)});
    call(L"ColorValue", kColorValue, get, {OleVariant::Long(1)});
    call(L"ColorValue", kColorValue, put, {OleVariant::Long(1), OleVariant::Long(0x80)});
    call(L"ColorValue", kColorValue, get, {OleVariant::Long(1)});
    {
        OleVariant window;
        const HRESULT hr = byName ? c.InvokeByName(L"hWnd", get, {}, &window) : c.Invoke(kHWnd, get, {}, &window);
        const bool own = SUCCEEDED(hr) && window.AsLong() == static_cast<long>(reinterpret_cast<intptr_t>(c.ControlWindow()));
        seen.push_back(own ? L"hWnd=the control's window" : L"hWnd=" + window.AsText());
    }
    call(L"AutoEdit", kAutoEdit, put, {OleVariant::Bool(false)});
    call(L"AutoEdit", kAutoEdit, get, {});
    for (auto [name, id] : {std::pair{L"BackColor", kBackColor}, {L"TextColor", kTextColor},
                            {L"HighlightText", kHighlightText}, {L"Highlight", kHighlight}}) {
        call(name, id, get, {});
        call(name, id, put, {OleVariant::Long(0x123456)});
        call(name, id, get, {});
    }
    call(L"SwatchBorder", kSwatchBorder, put, {OleVariant::Long(2)});
    call(L"SwatchBorder", kSwatchBorder, get, {});
    call(L"ColorSquareWidth", kSquareWidth, put, {OleVariant::Long(20)});
    call(L"ColorSquareWidth", kSquareWidth, get, {});
    call(L"ColorSquareHeight", kSquareHeight, put, {OleVariant::Long(5)});
    call(L"ColorSquareHeight", kSquareHeight, get, {});
    call(L"EditColor", kEditColor, method, {OleVariant::Long(7)});  // outside the entries: an error
    call(L"Clear", kClear, method, {});
    call(L"ListCount", kListCount, get, {});
    call(L"Font", kFont, get, {});
    return seen;
}

}  // namespace

TEST_F(Hosted, LateBoundCallsByIdentifierAndByNameAgree) {
    // Every name of the interface resolves to its published identifier.
    const std::pair<const wchar_t*, DISPID> names[] = {
        {L"AddColor", kAddColor}, {L"ListCount", kListCount}, {L"ListIndex", kListIndex},
        {L"ColorName", kColorName}, {L"ColorValue", kColorValue}, {L"Clear", kClear},
        {L"SetCustomColors", kSetCustomColors}, {L"GetCustomColors", kGetCustomColors}, {L"hWnd", kHWnd},
        {L"Font", kFont}, {L"AutoEdit", kAutoEdit}, {L"BackColor", kBackColor}, {L"TextColor", kTextColor},
        {L"HighlightText", kHighlightText}, {L"Highlight", kHighlight}, {L"SwatchBorder", kSwatchBorder},
        {L"ColorSquareWidth", kSquareWidth}, {L"ColorSquareHeight", kSquareHeight}, {L"EditColor", kEditColor},
    };
    for (auto [name, id] : names) EXPECT_EQ(Combo().DispIdOf(name), id) << testing::PrintToString(std::wstring(name));

    const std::vector<std::wstring> byId = Scenario(Combo(), false);
    form_->Unload();
    form_->Show();
    ui::DoEvents();
    const std::vector<std::wstring> byName = Scenario(Combo(), true);
    EXPECT_EQ(byId, byName);
    const std::vector<std::wstring> expected = {
        L"AddColor=", L"AddColor=", L"ListCount=2", L"ListIndex=", L"ListIndex=1", L"ColorName=Blue",
        L"ColorName=", L"ColorName=Navy blue", L"ColorValue=255", L"ColorValue=", L"ColorValue=128",
    };
    ASSERT_GE(byId.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(byId[i], expected[i]) << i;
    EXPECT_EQ(byId[11], L"hWnd=the control's window");
    EXPECT_EQ(byId[13], L"AutoEdit=0");
    EXPECT_EQ(byId[14], L"BackColor=" + std::to_wstring(0x80000005u));
    EXPECT_EQ(byId[16], L"BackColor=" + std::to_wstring(0x123456));
    EXPECT_EQ(byId[27], L"SwatchBorder=2");
    EXPECT_EQ(byId[29], L"ColorSquareWidth=20");
    EXPECT_EQ(byId[31], L"ColorSquareHeight=8");  // below 8 is stored as 8
    EXPECT_EQ(byId[32], L"EditColor=failed");
    EXPECT_EQ(byId[34], L"ListCount=0");
    // A font object's default member is its name (Wine names Arial by the face it maps it to).
    EXPECT_TRUE(byId[35] == L"Font=Arial" || byId[35] == L"Font=Liberation Sans") << testing::PrintToString(byId[35]);
}

TEST_F(Hosted, EntriesStoreNameAndValueAndCheckTheirIndex) {
    Add(L"White", 0xFFFFFF);
    Add(L"Face", kSystemFace);
    Add(L"None", kNoColor);
    EXPECT_EQ(Long(kListCount), 3);
    EXPECT_EQ(Long(kColorValue, {OleVariant::Long(0)}), 16777215);
    EXPECT_EQ(Long(kColorValue, {OleVariant::Long(1)}), kSystemFace);  // a negative Long
    EXPECT_EQ(Combo().Get(kColorName, {OleVariant::Long(2)}).AsText(), L"None");
    for (long outside : {-1L, 3L, 100L}) {
        EXPECT_EQ(Combo().Get(kColorName, {OleVariant::Long(outside)}).AsText(), L"");
        EXPECT_EQ(Long(kColorValue, {OleVariant::Long(outside)}), 0);
        EXPECT_HRESULT_SUCCEEDED(Combo().Put(kColorValue, {OleVariant::Long(outside), OleVariant::Long(1)}));
    }
    // Renaming keeps the value as stored; a new value keeps the name.
    Combo().Put(kColorName, {OleVariant::Long(1), OleVariant::Text(L"Button face")});
    EXPECT_EQ(Long(kColorValue, {OleVariant::Long(1)}), kSystemFace);
    Combo().Put(kColorValue, {OleVariant::Long(0), OleVariant::Long(0x00FF00)});
    EXPECT_EQ(Combo().Get(kColorName, {OleVariant::Long(0)}).AsText(), L"White");
    // Inserting moves the later entries up; a position past the end adds nothing.
    Combo().Call(kAddColor, {OleVariant::Text(L"First"), OleVariant::Long(1), OleVariant::Long(0)});
    Combo().Call(kAddColor, {OleVariant::Text(L"Nowhere"), OleVariant::Long(1), OleVariant::Long(99)});
    EXPECT_EQ(Long(kListCount), 4);
    EXPECT_EQ(SendMessageW(ComboWindow(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(Combo().Get(kColorName, {OleVariant::Long(0)}).AsText(), L"First");
    EXPECT_EQ(Combo().Get(kColorName, {OleVariant::Long(1)}).AsText(), L"White");
    // Selecting from code raises no Click.
    Combo().Put(kListIndex, {OleVariant::Long(2)});
    EXPECT_EQ(SendMessageW(ComboWindow(), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Find(kClick), nullptr);
    Combo().Call(kClear);
    EXPECT_EQ(Long(kListCount), 0);
    EXPECT_EQ(Combo().Get(kColorName, {OleVariant::Long(0)}).AsText(), L"");
    // The way the program's dialog adds: two arguments, the position left out altogether.
    ASSERT_HRESULT_SUCCEEDED(Combo().Invoke(kAddColor, DISPATCH_METHOD, {OleVariant::Text(L"Olive"), OleVariant::Long(0x8080)}));
    EXPECT_EQ(Long(kListCount), 1);
    EXPECT_EQ(Long(kColorValue, {OleVariant::Long(0)}), 0x8080);
}

TEST_F(Hosted, CustomColorsCopySixteenLongs) {
    long colors[16];
    for (long i = 0; i < 16; ++i) colors[i] = 0x010101 * i;
    auto byRef = [](long* first) {
        OleVariant v;
        v.Get()->vt = VT_I4 | VT_BYREF;
        v.Get()->plVal = first;
        return v;
    };
    long readBack[16] = {};
    ASSERT_HRESULT_SUCCEEDED(Combo().Invoke(kGetCustomColors, DISPATCH_METHOD, {byRef(readBack)}));
    for (long value : readBack) EXPECT_EQ(value, 0xFFFFFF);
    ASSERT_HRESULT_SUCCEEDED(Combo().Invoke(kSetCustomColors, DISPATCH_METHOD, {byRef(colors)}));
    ASSERT_HRESULT_SUCCEEDED(Combo().Invoke(kGetCustomColors, DISPATCH_METHOD, {byRef(readBack)}));
    for (long i = 0; i < 16; ++i) EXPECT_EQ(readBack[i], colors[i]);
}

TEST_F(Hosted, ControlSnapsToTheComboAndRowsFollowTheSquareSize) {
    const RECT control = ClientOf(ControlWindow());
    RECT combo{};
    GetWindowRect(ComboWindow(), &combo);
    EXPECT_EQ(control.right, combo.right - combo.left);
    EXPECT_EQ(control.bottom, combo.bottom - combo.top);
    // The form's control took the snapped size, in twips.
    EXPECT_EQ(Combo().Height(), ui::PixelsToTwipsY(control.bottom));

    Add(L"Red", 255);
    Combo().Put(kSquareHeight, {OleVariant::Long(5)});
    EXPECT_EQ(Long(kSquareHeight), 8);
    HDC dc = GetDC(ControlWindow());
    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);  // Arial 9.5 shows as 10 points
    wcscpy(logFont.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Red", 3, &text);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(ControlWindow(), dc);
    const LRESULT rowHeight = SendMessageW(ComboWindow(), CB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(rowHeight, std::max<LONG>(text.cy, 8) + 6);
    Combo().Put(kSquareHeight, {OleVariant::Long(40)});
    EXPECT_EQ(SendMessageW(ComboWindow(), CB_GETITEMHEIGHT, 0, 0), 46);
    // The selection field: Wine answers the height set plus its 2-pixel border allowance.
    const LRESULT field = SendMessageW(ComboWindow(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(field == 46 || field == 48) << field;
    // The selection field grew, and the control with it.
    RECT grown{};
    GetWindowRect(ComboWindow(), &grown);
    EXPECT_EQ(ClientOf(ControlWindow()).bottom, grown.bottom - grown.top);
    EXPECT_GT(grown.bottom - grown.top, 46);
}

TEST_F(Hosted, ResizingWaitsWhileTheListIsOpenAndSnapsBackOnClose) {
    Add(L"Red", 255);
    Add(L"Green", 0xFF00);
    const RECT before = ClientOf(ControlWindow());
    SendMessageW(ComboWindow(), CB_SHOWDROPDOWN, TRUE, 0);
    ui::DoEvents();
    ASSERT_TRUE(SendMessageW(ComboWindow(), CB_GETDROPPEDSTATE, 0, 0));
    RECT comboOpen{};
    GetWindowRect(ComboWindow(), &comboOpen);
    Combo().Move(Combo().Left(), Combo().Top(), Combo().Width() + 1500, Combo().Height());
    ui::DoEvents();
    RECT comboStill{};
    GetWindowRect(ComboWindow(), &comboStill);
    EXPECT_EQ(comboStill.right - comboStill.left, comboOpen.right - comboOpen.left);  // not resized while open
    SendMessageW(ComboWindow(), CB_SHOWDROPDOWN, FALSE, 0);
    ui::DoEvents();
    const RECT after = ClientOf(ControlWindow());
    RECT comboClosed{};
    GetWindowRect(ComboWindow(), &comboClosed);
    EXPECT_EQ(after.right, comboClosed.right - comboClosed.left);
    EXPECT_EQ(after.right, before.right + ui::TwipsToPixelsX(1500));
    EXPECT_EQ(after.bottom, before.bottom);  // back to the selection field's height
}

TEST_F(Hosted, EditColorSkipsEntriesWithoutColourAndReportsTheDialog) {
    Add(L"None", kNoColor);
    Add(L"Red", 255);
    {
        DialogAnswer answer(IDCANCEL);
        EXPECT_EQ(EditColor(0), 0);
        EXPECT_EQ(answer.Shown(), 0);
    }
    EXPECT_TRUE(events_.empty());
    {
        DialogAnswer answer(IDCANCEL);
        EXPECT_EQ(EditColor(1), -1);
        EXPECT_EQ(answer.Shown(), 1);
    }
    EXPECT_EQ(Long(kColorValue, {OleVariant::Long(1)}), 255);
    ASSERT_EQ(EventIds(), (std::vector<DISPID>{kShowDlg, kHideDlg}));
    EXPECT_EQ(events_[0].args, (std::vector<long>{1, 255}));
    EXPECT_EQ(events_[1].args, (std::vector<long>{1, 255, -1}));  // Cancel is True
    events_.clear();
    Add(L"Face", kSystemFace);
    {
        DialogAnswer answer(IDOK);
        // Confirmed unchanged: the system colour comes back as the colour it stands for.
        EXPECT_EQ(EditColor(2), static_cast<long>(GetSysColor(COLOR_BTNFACE)));
    }
    EXPECT_EQ(Long(kColorValue, {OleVariant::Long(2)}), static_cast<long>(GetSysColor(COLOR_BTNFACE)));
    ASSERT_EQ(EventIds(), (std::vector<DISPID>{kShowDlg, kHideDlg}));
    EXPECT_EQ(events_[1].args, (std::vector<long>{2, static_cast<long>(GetSysColor(COLOR_BTNFACE)), 0}));
    // An index outside the entries is an error the caller sees, with its description.
    EXCEPINFO info{};
    OleVariant result;
    EXPECT_EQ(Combo().Invoke(kEditColor, DISPATCH_METHOD, {OleVariant::Long(9)}, &result, &info), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0009));
    EXPECT_STREQ(info.bstrDescription, L"Subscript out of range");
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
}

TEST_F(Hosted, MouseAndKeysRaiseEventsAndTriggerTheDialog) {
    Add(L"Red", 255);
    HWND combo = ComboWindow();
    // Right button with nothing selected: no dialog and no MouseDown.
    SendMessageW(combo, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 5));
    SendMessageW(combo, WM_RBUTTONUP, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(EventIds(), (std::vector<DISPID>{kMouseUp}));
    events_.clear();
    Combo().Put(kListIndex, {OleVariant::Long(0)});
    {
        DialogAnswer answer(IDCANCEL);
        SendMessageW(combo, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(10, 5));
        EXPECT_EQ(answer.Shown(), 1);
    }
    ASSERT_EQ(EventIds(), (std::vector<DISPID>{kShowDlg, kHideDlg, kMouseDown}));
    // Button 2 with Shift; x and y from pixels to the container's twips.
    EXPECT_EQ(events_[2].args, (std::vector<long>{2, 1, ui::PixelsToTwipsX(10), ui::PixelsToTwipsY(5)}));
    events_.clear();
    // The left button: down, up, then Click.
    SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageW(combo, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    SendMessageW(combo, WM_KEYUP, VK_ESCAPE, 0);  // whatever the open list did, close it
    ui::DoEvents();
    std::vector<DISPID> left = EventIds();
    ASSERT_GE(left.size(), 3u);
    EXPECT_EQ((std::vector<DISPID>{left[0], left[1], left[2]}), (std::vector<DISPID>{kMouseDown, kMouseUp, kClick}));
    events_.clear();

    BYTE keys[256] = {};
    // Ctrl+Shift+E opens nothing.
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(combo, WM_KEYDOWN, 'E', 0);
    EXPECT_EQ(EventIds(), (std::vector<DISPID>{kKeyDown}));
    EXPECT_EQ(events_[0].args, (std::vector<long>{'E', 3}));
    events_.clear();
    // Ctrl+E edits the selected entry, then raises KeyDown.
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    {
        DialogAnswer answer(IDCANCEL);
        SendMessageW(combo, WM_KEYDOWN, 'E', 0);
        EXPECT_EQ(answer.Shown(), 1);
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(EventIds(), (std::vector<DISPID>{kShowDlg, kHideDlg, kKeyDown}));
    events_.clear();
    // With AutoEdit off neither trigger opens the dialog.
    Combo().Put(kAutoEdit, {OleVariant::Bool(false)});
    SendMessageW(combo, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    EXPECT_EQ(EventIds(), (std::vector<DISPID>{kMouseDown}));
    events_.clear();
    SendMessageW(combo, WM_CHAR, 'a', 0);
    EXPECT_EQ(EventIds(), (std::vector<DISPID>{kKeyPress}));
    EXPECT_EQ(events_[0].args, (std::vector<long>{'a'}));
    events_.clear();
    // The container's scale mode is read at each event: in pixels the coordinates stay as they are.
    Combo().SetAmbientScaleMode(3);
    SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(12, 7));
    ASSERT_EQ(EventIds(), (std::vector<DISPID>{kMouseMove}));
    EXPECT_EQ(events_[0].args, (std::vector<long>{0, 0, 12, 7}));
}

TEST_F(Hosted, PropertiesRoundTripThroughBagsAndStreams) {
    Combo().Put(kSwatchBorder, {OleVariant::Long(2)});
    Combo().Put(kAutoEdit, {OleVariant::Bool(false)});
    Combo().Put(kBackColor, {OleVariant::Long(0x00FFFF)});
    Combo().Put(kSquareWidth, {OleVariant::Long(24)});
    ui::PropertyMap saved = Combo().SaveProperties();
    for (const wchar_t* name : {L"Font", L"AutoEdit", L"BackColor", L"TextColor", L"Highlight", L"HighlightText",
                                L"SwatchBorder", L"ColorSquareWidth", L"ColorSquareHeight"})
        EXPECT_EQ(saved.count(name), 1u) << testing::PrintToString(std::wstring(name));
    EXPECT_EQ(saved.size(), 9u);
    EXPECT_EQ(saved[L"SwatchBorder"].AsLong(), 2);
    EXPECT_EQ(saved[L"AutoEdit"].AsBool(), false);

    // A second form's control created from the saved bag.
    frmHost second;
    saved[L"ColorSquareHeight"] = OleVariant::Long(5);  // read as stored: no minimum here
    second.ColorCombo1.SetStoredProperties(saved);
    second.Show();
    ui::DoEvents();
    ASSERT_HRESULT_SUCCEEDED(second.ColorCombo1.CreateResult());
    EXPECT_EQ(second.ColorCombo1.Get(kSwatchBorder).AsLong(), 2);
    EXPECT_EQ(second.ColorCombo1.Get(kAutoEdit).AsBool(), false);
    EXPECT_EQ(second.ColorCombo1.Get(kBackColor).AsLong(), 0x00FFFF);
    EXPECT_EQ(second.ColorCombo1.Get(kSquareWidth).AsLong(), 24);
    EXPECT_EQ(second.ColorCombo1.Get(kSquareHeight).AsLong(), 5);
    second.Unload();

    // The stream form: saved by one object, loaded by a fresh one; a damaged stream changes nothing.
    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(Combo().Unknown()->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.GetAddressOf())));
    ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()));
    ASSERT_HRESULT_SUCCEEDED(persist->Save(stream.Get(), TRUE));
    ComPtr<IPersistStreamInit> fresh;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ColorCombo, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStreamInit,
                                              reinterpret_cast<void**>(fresh.GetAddressOf())));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ASSERT_HRESULT_SUCCEEDED(fresh->Load(stream.Get()));
    ComPtr<IDispatch> freshDispatch;
    fresh.As(&freshDispatch);
    DISPPARAMS none{};
    VARIANT value;
    VariantInit(&value);
    freshDispatch->Invoke(kSquareWidth, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    EXPECT_EQ(value.lVal, 24);
    freshDispatch->Invoke(kSwatchBorder, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    EXPECT_EQ(value.lVal, 2);

    ComPtr<IStream> damaged;
    CreateStreamOnHGlobal(nullptr, TRUE, damaged.GetAddressOf());
    const char garbage[] = "PVX1\xff\xff\xff\x7f";
    damaged->Write(garbage, sizeof garbage, nullptr);
    damaged->Seek(zero, STREAM_SEEK_SET, nullptr);
    ComPtr<IPersistStreamInit> third;
    CoCreateInstance(CLSID_ColorCombo, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStreamInit, reinterpret_cast<void**>(third.GetAddressOf()));
    EXPECT_TRUE(FAILED(third->Load(damaged.Get())));
}

TEST_F(Hosted, TheControlWindowPassesCreationOnAndLendsItsBrushOnlyToTheList) {
    Combo().Put(kBackColor, {OleVariant::Long(0x3366CC)});
    HWND control = ControlWindow();
    // Creation and destruction notices reach the window's own procedure, whose answer is 0; a
    // brush handle as the answer would tell WM_CREATE that creation failed.
    CREATESTRUCTW create{};
    EXPECT_EQ(SendMessageW(control, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)), 0);
    EXPECT_EQ(SendMessageW(control, WM_DESTROY, 0, 0), 0);
    EXPECT_TRUE(IsWindow(control));
    // The open list asks for its background: the control's back colour.
    HDC dc = GetDC(control);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(control, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, static_cast<COLORREF>(0x3366CC));
    EXPECT_EQ(GetBkColor(dc), static_cast<COLORREF>(0x3366CC));
    ReleaseDC(control, dc);
}

TEST_F(Hosted, ChangingTheFontObjectReMeasuresTheRows) {
    Add(L"Red", 255);
    const LRESULT before = SendMessageW(ComboWindow(), CB_GETITEMHEIGHT, 0, 0);
    OleVariant font = Combo().Get(kFont);
    ASSERT_NE(font.AsObject(), nullptr);
    ComPtr<IFont> object;
    ASSERT_HRESULT_SUCCEEDED(font.AsObject()->QueryInterface(IID_IFont, reinterpret_cast<void**>(object.GetAddressOf())));
    CY size{};
    size.int64 = 30 * 10000;  // 30 points: taller than the 16-pixel square
    ASSERT_HRESULT_SUCCEEDED(object->put_Size(size));
    const LRESULT after = SendMessageW(ComboWindow(), CB_GETITEMHEIGHT, 0, 0);
    EXPECT_GT(after, before + 10);
    // The control followed its grown selection field.
    RECT combo{};
    GetWindowRect(ComboWindow(), &combo);
    EXPECT_EQ(ClientOf(ControlWindow()).bottom, combo.bottom - combo.top);
    // Setting no font at all is refused.
    OleVariant nothing = OleVariant::Object(nullptr);
    EXPECT_TRUE(FAILED(Combo().Invoke(kFont, DISPATCH_PROPERTYPUTREF, {nothing})));
}

TEST_F(Hosted, TeardownGivesEveryReferenceBack) {
    Add(L"Red", 255);
    ExpectUnloadGivesEveryReferenceBack();
    EXPECT_EQ(Combo().Object(), nullptr);
}

TEST_F(Hosted, AfterUnregisteringAFormLoadsWithoutTheControl) {
    using EntryFn = HRESULT(STDAPICALLTYPE*)();
    ASSERT_HRESULT_SUCCEEDED(dll_->Entry<EntryFn>("DllUnregisterServer")());
    frmHost orphan;
    orphan.Show();
    ui::DoEvents();
    EXPECT_EQ(orphan.ColorCombo1.CreateResult(), CO_E_CLASSSTRING);  // the ProgID is gone
    EXPECT_EQ(orphan.ColorCombo1.Object(), nullptr);
    EXPECT_EQ(orphan.ColorCombo1.Invoke(kListCount, DISPATCH_PROPERTYGET, {}), E_UNEXPECTED);
    EXPECT_TRUE(orphan.IsLoaded());
    orphan.Unload();
    frmHost byClassId;
    byClassId.ColorCombo1.SetClassName(L"{8A0F8F1E-F835-491A-A5B8-735256CABB99}");
    byClassId.Show();
    ui::DoEvents();
    EXPECT_EQ(byClassId.ColorCombo1.CreateResult(), REGDB_E_CLASSNOTREG);
    byClassId.Unload();
    // The control already on the form keeps working; registering again serves new ones.
    EXPECT_EQ(Long(kSquareWidth), 16);
    ASSERT_HRESULT_SUCCEEDED(dll_->Entry<EntryFn>("DllRegisterServer")());
    frmHost again;
    again.ColorCombo1.SetClassName(L"{8A0F8F1E-F835-491A-A5B8-735256CABB99}");
    again.Show();
    ui::DoEvents();
    EXPECT_HRESULT_SUCCEEDED(again.ColorCombo1.CreateResult());
    EXPECT_EQ(again.ColorCombo1.Get(kListIndex).AsLong(), -1);  // active: its combo exists
    again.Unload();
}

TEST_F(Hosted, FocusGoesToTheNativeCombo) {
    SetFocus(ControlWindow());
    EXPECT_EQ(GetFocus(), ComboWindow());
}

TEST(Unhosted, BeforeItsWindowExistsTheListIsEmpty) {
    ComApartment com;
    PalvexLibrary dll;
    ComPtr<_ColorCombo> combo;
    ASSERT_HRESULT_SUCCEEDED(dll.CreateObject(CLSID_ColorCombo, IID__ColorCombo, reinterpret_cast<void**>(combo.GetAddressOf())));
    LONG index = 0, count = -1;
    combo->get_ListIndex(&index);
    combo->get_ListCount(&count);
    EXPECT_EQ(index, -2);
    EXPECT_EQ(count, 0);
    // Adding before activation is no error.
    BSTR name = SysAllocString(L"Early");
    VARIANT missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    EXPECT_HRESULT_SUCCEEDED(combo->AddColor(name, 0xFF, &missing));
    SysFreeString(name);
    combo->get_ListCount(&count);
    EXPECT_EQ(count, 0);
}


namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit bitmap in a memory DC, filled with magenta so that untouched pixels show.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(kMagenta);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // Columns in [from, to) of rows [top, bottom) holding a pixel of this colour.
    int CountColumns(int from, int to, int top, int bottom, COLORREF color) const {
        int columns = 0;
        for (int x = from; x < to; ++x)
            for (int y = top; y < bottom; ++y)
                if (At(x, y) == color) {
                    ++columns;
                    break;
                }
        return columns;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

constexpr int kRowWidth = 160;
constexpr int kRowHeight = 22;

}  // namespace

class Rows : public Hosted {
protected:
    LRESULT Draw(Canvas& canvas, int item, UINT state) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_COMBOBOX;
        draw.itemID = static_cast<UINT>(item);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = ComboWindow();
        draw.hDC = canvas.Dc();
        draw.rcItem = RECT{0, 0, kRowWidth, kRowHeight};
        return SendMessageW(ControlWindow(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }
};

TEST_F(Rows, SwatchFrameAndNameAtTheirPlaces) {
    Add(L"Red", 0x0000FF);
    Canvas canvas(200, 40);
    ASSERT_EQ(Draw(canvas, 0, 0), 1);
    const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF black = RGB(0, 0, 0), red = RGB(255, 0, 0);
    // Swatch 16 x 16 at (3, 3): a black frame on its edge pixels, the colour inside.
    for (auto [x, y] : {std::pair{3, 3}, {18, 3}, {3, 18}, {18, 18}, {10, 3}, {3, 10}, {18, 10}, {10, 18}})
        EXPECT_EQ(canvas.At(x, y), black) << x << "," << y;
    for (auto [x, y] : {std::pair{4, 4}, {17, 17}, {10, 10}}) EXPECT_EQ(canvas.At(x, y), red) << x << "," << y;
    for (auto [x, y] : {std::pair{2, 10}, {19, 10}, {10, 2}, {10, 19}, {159, 0}, {159, 21}})
        EXPECT_EQ(canvas.At(x, y), window) << x << "," << y;
    // The name starts 12 pixels after the swatch, and nothing is drawn between them.
    EXPECT_EQ(canvas.CountColumns(19, 30, 0, kRowHeight, text), 0);
    EXPECT_GT(canvas.CountColumns(30, 50, 0, kRowHeight, text), 5);
    EXPECT_EQ(canvas.CountColumns(30, 31, 0, kRowHeight, text) + canvas.CountColumns(31, 33, 0, kRowHeight, text) > 0, true);
    // The row stops at its rectangle: the copy is one block of exactly the row.
    EXPECT_EQ(canvas.At(kRowWidth, 5), kMagenta);
    EXPECT_EQ(canvas.At(5, kRowHeight), kMagenta);
}

TEST_F(Rows, SelectedRowsTakeTheHighlightColours) {
    Add(L"Red", 0x0000FF);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    Canvas plain(200, 40);
    ASSERT_EQ(Draw(plain, 0, ODS_SELECTED), 1);
    EXPECT_EQ(plain.At(1, 1), highlight);
    EXPECT_EQ(plain.At(150, 20), highlight);
    EXPECT_GT(plain.CountColumns(30, 50, 0, kRowHeight, highlightText), 5);
    // Three-D swatches keep the back colour in the swatch column of a selected row.
    Combo().Put(kSwatchBorder, {OleVariant::Long(2)});
    Canvas threeD(200, 40);
    ASSERT_EQ(Draw(threeD, 0, ODS_SELECTED), 1);
    EXPECT_EQ(threeD.At(1, 1), window);
    EXPECT_EQ(threeD.At(22, 1), window);
    EXPECT_EQ(threeD.At(23, 1), highlight);
    EXPECT_EQ(threeD.At(10, 10), RGB(255, 0, 0));
    // Custom highlight colours are used as given.
    Combo().Put(kHighlight, {OleVariant::Long(0x00FF00)});
    Combo().Put(kSwatchBorder, {OleVariant::Long(0)});
    Canvas custom(200, 40);
    ASSERT_EQ(Draw(custom, 0, ODS_SELECTED), 1);
    EXPECT_EQ(custom.At(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(custom.At(3, 3), RGB(255, 0, 0));  // no frame without a border
}

TEST_F(Rows, NoColourEntriesAndEmptyFieldsDrawWhatTheyShould) {
    Add(L"Nothing", kNoColor);
    Canvas canvas(200, 40);
    ASSERT_EQ(Draw(canvas, 0, 0), 1);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (auto [x, y] : {std::pair{3, 3}, {10, 10}, {18, 18}}) EXPECT_EQ(canvas.At(x, y), window) << x << "," << y;
    EXPECT_GT(canvas.CountColumns(30, 60, 0, kRowHeight, GetSysColor(COLOR_WINDOWTEXT)), 5);

    // The selection field of an empty list: the request is answered with 0 and nothing reaches the DC.
    Combo().Call(kClear);
    Canvas empty(200, 40);
    EXPECT_EQ(Draw(empty, -1, 0), 0);
    EXPECT_EQ(empty.CountColumns(0, 200, 0, 40, kMagenta), 200);
    EXPECT_EQ(empty.At(100, 10), kMagenta);
}

// Another container than ours: the system's ATL host window activates the control by ProgID.
TEST_F(Hosted, ActivatesInTheSystemAtlContainer) {
    ASSERT_NE(AtlContainer(), nullptr);
    auto getControl = AtlEntry<HRESULT(WINAPI*)(HWND, IUnknown**)>("AtlAxGetControl");
    ASSERT_TRUE(getControl);
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"Palvex.ColorCombo", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24,
                                form_->hWnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    ComPtr<IUnknown> control;
    ASSERT_HRESULT_SUCCEEDED(getControl(host, control.GetAddressOf()));
    ComPtr<_ColorCombo> combo;
    ASSERT_HRESULT_SUCCEEDED(control.As(&combo));
    LONG index = 0, count = 0;
    combo->get_ListIndex(&index);
    EXPECT_EQ(index, -1);  // in place: the native combo exists
    BSTR name = SysAllocString(L"Teal");
    VARIANT missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    combo->AddColor(name, 0x808000, &missing);
    SysFreeString(name);
    combo->get_ListCount(&count);
    EXPECT_EQ(count, 1);
    combo.Reset();
    control.Reset();
    DestroyWindow(host);
    ui::DoEvents();
}

namespace {

// Records the order in which a control writes its properties.
class RecordingBag final : public IPropertyBag {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
            *out = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT*, IErrorLog*) override {
        reads.push_back(name);
        return E_INVALIDARG;  // nothing stored: every property keeps its current value
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT*) override {
        writes.push_back(name);
        return S_OK;
    }
    std::vector<std::wstring> reads, writes;
};

}  // namespace

TEST_F(Hosted, PropertiesAreReadAndWrittenInTheirOrder) {
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_HRESULT_SUCCEEDED(Combo().Unknown()->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(persist.GetAddressOf())));
    ComPtr<IPersistStreamInit> dirty;
    ASSERT_HRESULT_SUCCEEDED(persist.As(&dirty));
    Combo().Put(kHighlight, {OleVariant::Long(0x10)});
    EXPECT_EQ(dirty->IsDirty(), S_OK);  // a changed property marks the control changed
    RecordingBag bag;
    ASSERT_HRESULT_SUCCEEDED(persist->Save(&bag, TRUE, FALSE));
    EXPECT_EQ(dirty->IsDirty(), S_FALSE);
    EXPECT_EQ(bag.writes, (std::vector<std::wstring>{L"Font", L"AutoEdit", L"BackColor", L"TextColor", L"Highlight",
                                                     L"HighlightText", L"SwatchBorder", L"ColorSquareWidth",
                                                     L"ColorSquareHeight"}));
    ComPtr<IPersistPropertyBag> fresh;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ColorCombo, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistPropertyBag,
                                              reinterpret_cast<void**>(fresh.GetAddressOf())));
    ASSERT_HRESULT_SUCCEEDED(fresh->Load(&bag, nullptr));
    EXPECT_EQ(bag.reads, (std::vector<std::wstring>{L"SwatchBorder", L"AutoEdit", L"BackColor", L"TextColor",
                                                    L"Highlight", L"HighlightText", L"ColorSquareWidth",
                                                    L"ColorSquareHeight", L"Font"}));
    ComPtr<_ColorCombo> combo;
    fresh.As(&combo);
    OLE_COLOR back = 0;
    combo->get_BackColor(&back);
    EXPECT_EQ(back, 0x80000005u);  // missing properties keep their initial values
}

TEST_F(Rows, TheViewDrawsTheSelectedEntryOntoAnyDc) {
    Add(L"Blue", 0xFF0000);
    Combo().Put(kListIndex, {OleVariant::Long(0)});
    ComPtr<IViewObject> view;
    ASSERT_HRESULT_SUCCEEDED(Combo().Unknown()->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(view.GetAddressOf())));
    Canvas canvas(200, 40);
    RECTL bounds{10, 5, 10 + kRowWidth, 5 + kRowHeight};
    ASSERT_HRESULT_SUCCEEDED(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr,
                                        nullptr, 0));
    EXPECT_EQ(canvas.At(10 + 10, 5 + 10), RGB(0, 0, 255));  // the swatch, offset with the bounds
    EXPECT_EQ(canvas.At(10 + 3, 5 + 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(5, 5), kMagenta);                    // nothing outside the bounds
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              DV_E_DVASPECT);
}
