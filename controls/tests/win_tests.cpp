// The Win32 layer of the control library on its own: subclassing, the native combo wrapper, the
// control window procedure's registry, drawing helpers, unit scaling and error reporting.
#include <windows.h>
#include <ole2.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CtrlMsg.h"
#include "com/ErrorInfo.h"
#include "controls/ComPlumbing.h"
#include "controls/core/LibraryError.h"
#include "controls/win/ComboWnd.h"
#include "controls/win/ListWnd.h"
#include "controls/win/DrawBase.h"
#include "controls/win/FontUtils.h"
#include "controls/win/ScaleNumeric.h"
#include "controls/win/WindowHook.h"
#include "controls/win/WndHook.h"

using namespace palvex;

namespace {

// A plain window whose own procedure records what reaches it.
struct Recorder {
    static inline std::vector<UINT>* seen = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (seen && (msg == WM_CREATE || msg == WM_DESTROY || msg == WM_KEYDOWN || msg == WM_CHAR ||
                     msg == WM_USER || msg == WM_PAINT || msg == WM_COMMAND))
            seen->push_back(msg);
        if (msg == WM_USER) return 42;
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    static HWND Create(HWND parent = nullptr) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"PalvexTestRecorder";
        RegisterClassW(&cls);
        HWND window = CreateWindowExW(0, L"PalvexTestRecorder", L"", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 200,
                                      100, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (seen) seen->clear();  // what creation sent is no part of a test
        return window;
    }
};

class Listener : public WindowHookEvents {
public:
    void WndEvent(HWND, UINT msg, WPARAM, LPARAM) override { messages.push_back(msg); }
    void KeyDown(int32_t key, int32_t modifiers) override { keys.push_back({key, modifiers}); }
    void Paint() override { ++paints; }
    std::vector<UINT> messages;
    std::vector<std::pair<int32_t, int32_t>> keys;
    int paints = 0;
};

class ComboEvents : public ComboWndEvents {
public:
    void Click() override { log.push_back(L"Click"); }
    void MouseDown(int16_t b, int16_t s, float x, float y) override { Mouse(L"Down", b, s, x, y); }
    void MouseUp(int16_t b, int16_t s, float x, float y) override { Mouse(L"Up", b, s, x, y); }
    void MouseMove(int16_t b, int16_t s, float x, float y) override { Mouse(L"Move", b, s, x, y); }
    void DblClick() override { log.push_back(L"DblClick"); }
    void KeyDown(int16_t k, int16_t s) override { log.push_back(L"KeyDown " + std::to_wstring(k) + L" " + std::to_wstring(s)); }
    void Mouse(const wchar_t* what, int16_t b, int16_t s, float x, float y) {
        log.push_back(std::wstring(what) + L" " + std::to_wstring(b) + L" " + std::to_wstring(s) + L" " +
                      std::to_wstring(static_cast<int>(x)) + L" " + std::to_wstring(static_cast<int>(y)));
    }
    std::vector<std::wstring> log;
};

void SetKeys(std::initializer_list<int> down) {
    BYTE keys[256] = {};
    for (int key : down) keys[key] = 0x80;
    SetKeyboardState(keys);
}

}  // namespace

TEST(WindowHook, SecondHookOfAWindowFailsAndTheFirstKeepsWorking) {
    std::vector<UINT> seen;
    Recorder::seen = &seen;
    HWND window = Recorder::Create();
    Listener first, second;
    WindowHook hookA(&first), hookB(&second);
    hookA.SetBypassEvents(true);
    hookA.SetWndTraps(kTrapAllFirst);
    ASSERT_TRUE(hookA.Hook(window, false));
    EXPECT_EQ(HookCount(), 1u);
    try {
        hookB.Hook(window, false);
        ADD_FAILURE() << "a second hook was accepted";
    } catch (const LibraryError& e) {
        EXPECT_EQ(e.Number(), 65586);
        EXPECT_EQ(e.Source(), L"Module [m_WndHook]");
        EXPECT_EQ(e.Description(), L"Cannot double-hook a window.");
    }
    EXPECT_FALSE(hookB.Hooked());
    EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 42);  // the window's own answer passes through
    EXPECT_EQ(first.messages.back(), static_cast<UINT>(WM_USER));
    EXPECT_TRUE(second.messages.empty());
    // Destroying the window unhooks it; its own procedure still sees WM_DESTROY.
    seen.clear();
    DestroyWindow(window);
    EXPECT_FALSE(hookA.Hooked());
    EXPECT_EQ(HookCount(), 0u);
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_DESTROY)), seen.end());
    Recorder::seen = nullptr;
}

TEST(WindowHook, UnhookRestoresTheProcedureAndRemovingAnUnknownWindowChangesNothing) {
    HWND window = Recorder::Create();
    const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);
    {
        Listener listener;
        WindowHook hook(&listener);
        ASSERT_TRUE(hook.Hook(window, true));
        EXPECT_NE(hook.hDC(), nullptr);
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
        EXPECT_TRUE(RemoveHookEntry(reinterpret_cast<HWND>(0x1234)));  // not in the table
        EXPECT_EQ(HookCount(), 1u);
    }  // destruction unhooks
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    EXPECT_EQ(HookCount(), 0u);
    DestroyWindow(window);
}

TEST(WindowHook, EnterAndEscapeAloneNeverReachTheControlWithCaptureReturnCancel) {
    std::vector<UINT> seen;
    Recorder::seen = &seen;
    HWND window = Recorder::Create();
    Listener listener;
    WindowHook hook(&listener);
    hook.SetBypassEvents(true);
    hook.SetCaptureReturnCancel(true);
    hook.SetWndTraps(kTrapAllFirst);
    ASSERT_TRUE(hook.Hook(window, false));
    SetKeys({});
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(window, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(listener.messages.size(), 2u);  // the events are raised all the same
    SetKeys({VK_CONTROL});
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    SetKeys({});
    EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN}));
    SendMessageW(window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(seen.size(), 2u);
    hook.Unhook();
    DestroyWindow(window);
    Recorder::seen = nullptr;
}

TEST(WindowHook, UntrappedGroupsStillReachTheWindowAndTrappedOnesRaiseTheirEvents) {
    std::vector<UINT> seen;
    Recorder::seen = &seen;
    HWND window = Recorder::Create();
    Listener listener;
    WindowHook hook(&listener);  // default traps: mouse, keys, command, move/size, scroll
    ASSERT_TRUE(hook.Hook(window, false));
    SendMessageW(window, WM_PAINT, 0, 0);  // the paint group is not trapped
    EXPECT_EQ(seen, (std::vector<UINT>{WM_PAINT}));
    EXPECT_EQ(listener.paints, 0);
    // Keys: the event with the tracked modifiers (left Ctrl down by its scan code 29), then the window.
    SendMessageW(window, WM_KEYDOWN, VK_CONTROL, 29 << 16);
    SendMessageW(window, WM_KEYDOWN, 'B', 48 << 16);
    ASSERT_EQ(listener.keys.size(), 2u);
    EXPECT_EQ(listener.keys[1], (std::pair<int32_t, int32_t>{'B', kLeftCtrl}));
    SendMessageW(window, WM_KEYUP, VK_CONTROL, 29 << 16);
    EXPECT_EQ(hook.Modifiers(), 0);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<UINT>(WM_KEYDOWN)), 2);
    hook.Unhook();
    DestroyWindow(window);
    Recorder::seen = nullptr;
}

namespace {
class ButtonListener : public WindowHookEvents {
public:
    void LButtonDown(int32_t shift, int32_t x, int32_t y) override { log.push_back(L"LDown " + Args(shift, x, y)); }
    void LButtonUp(int32_t shift, int32_t x, int32_t y) override { log.push_back(L"LUp " + Args(shift, x, y)); }
    void MButtonDblClk(int32_t shift, int32_t x, int32_t y) override { log.push_back(L"MDbl " + Args(shift, x, y)); }
    void KeyUp(int32_t key, int32_t modifiers) override { log.push_back(L"KeyUp " + Args(key, modifiers, 0)); }
    void KeyDown(int32_t key, int32_t modifiers) override { log.push_back(L"KeyDown " + Args(key, modifiers, 0)); }
    static std::wstring Args(int32_t a, int32_t b, int32_t c) {
        return std::to_wstring(a) + L" " + std::to_wstring(b) + L" " + std::to_wstring(c);
    }
    std::vector<std::wstring> log;
};
}  // namespace

TEST(WindowHook, ButtonEventsCarryShiftAndCoordinatesAndTrackTheButtons) {
    HWND window = Recorder::Create();
    ButtonListener listener;
    WindowHook hook(&listener);
    ASSERT_TRUE(hook.Hook(window, false));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(-2, 9));
    EXPECT_EQ(hook.MouseStatus(), MK_LBUTTON | MK_CONTROL);
    SendMessageW(window, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(4, 5));  // the released button is cleared
    EXPECT_EQ(hook.MouseStatus(), 0);
    SendMessageW(window, WM_MBUTTONDBLCLK, MK_MBUTTON | MK_SHIFT, MAKELPARAM(1, 1));
    EXPECT_EQ(hook.MouseStatus(), MK_SHIFT);
    // Right Ctrl (scan code 29, extended) and then its release.
    SendMessageW(window, WM_KEYDOWN, VK_CONTROL, (29 << 16) | (1 << 24));
    SendMessageW(window, WM_KEYUP, VK_CONTROL, (29 << 16) | (1 << 24));
    EXPECT_EQ(listener.log, (std::vector<std::wstring>{L"LDown 8 -2 9", L"LUp 0 4 5", L"MDbl 4 1 1",
                                                       L"KeyDown 17 8 0", L"KeyUp 17 0 0"}));
    int scanCode = 0;
    bool extended = false;
    DecodeKeyData((0x1D << 16) | (1 << 24), scanCode, extended);
    EXPECT_EQ(scanCode, 0x1D);
    EXPECT_TRUE(extended);
    hook.Unhook();
    DestroyWindow(window);
}

TEST(ComboWnd, WithoutWindowEverythingIsEmpty) {
    ComboWnd combo;
    EXPECT_EQ(combo.ListIndex(), -2);
    EXPECT_EQ(combo.ListCount(), 0);
    EXPECT_EQ(combo.AddItem(L"x"), -1);
    EXPECT_EQ(combo.Length(), 0);
    EXPECT_EQ(combo.Width(), 0);
    EXPECT_EQ(combo.List(0), L"");
    combo.SetText(L"kept");
    EXPECT_EQ(combo.Text(), L"kept");
}

TEST(ComboWnd, MessagesBecomeEventsOnlyInUserMode) {
    HWND parent = Recorder::Create();
    ComboEvents events;
    ComboWnd design(&events);
    design.Create(parent, L"", 0, 0, 120, 200, false);
    ASSERT_NE(design.hWnd(), nullptr);
    SendMessageW(design.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(design.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(events.log.empty());
    design.Destroy();
    EXPECT_EQ(design.hWnd(), nullptr);

    ComboWnd run(&events);
    run.SetStyle(0x200023);
    run.Create(parent, L"", 0, 0, 120, 200, true);
    ASSERT_NE(run.hWnd(), nullptr);
    EXPECT_EQ(run.ListIndex(), -1);
    EXPECT_EQ(run.AddItem(L"one"), 0);
    EXPECT_EQ(run.AddItem(L"zero", 0), 0);
    EXPECT_EQ(run.ListCount(), 2);
    // Right double click: only its down and up events.
    SendMessageW(run.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 6));
    SendMessageW(run.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(4, 6));
    SendMessageW(run.hWnd(), WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(4, 6));
    SendMessageW(run.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(4, 6));
    EXPECT_EQ(events.log, (std::vector<std::wstring>{L"Down 2 0 4 6", L"Up 2 0 4 6", L"Up 2 0 4 6"}));
    events.log.clear();
    // Ctrl held while moving gives Shift 2, Alt gives 4; coordinates are sign-extended.
    SetKeys({});
    SendMessageW(run.hWnd(), WM_MOUSEMOVE, MK_CONTROL, MAKELPARAM(-3, 7));
    SetKeys({VK_MENU});
    SendMessageW(run.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1, 2));
    SendMessageW(run.hWnd(), WM_KEYDOWN, 'Q', 0);
    SetKeys({});
    EXPECT_EQ(events.log, (std::vector<std::wstring>{L"Move 0 2 -3 7", L"Move 1 4 1 2", L"KeyDown 81 4"}));
    // Width and height are the window's true size, so that moving to a size keeps it.
    run.Move(0, 0, 100, -1);
    EXPECT_EQ(run.Width(), 100);
    run.SetWidth(90);
    EXPECT_EQ(run.Width(), 90);
    run.Move(0, 0, run.Width(), run.Height());
    EXPECT_EQ(run.Width(), 90);
    run.Destroy();
    DestroyWindow(parent);
}

TEST(ComboWnd, LeftButtonUpRaisesMouseUpThenClick) {
    HWND parent = Recorder::Create();
    ComboEvents events;
    ComboWnd run(&events);
    run.Create(parent, L"", 0, 0, 120, 200, true);
    SendMessageW(run.hWnd(), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(2, 3));
    EXPECT_EQ(events.log, (std::vector<std::wstring>{L"Up 1 1 2 3", L"Click"}));
    run.Destroy();
    DestroyWindow(parent);
}

TEST(CtrlMsg, WindowsWithoutAControlGetTheDefaultProcedure) {
    HWND window = Recorder::Create();
    EXPECT_FALSE(ComboRegistryExists());
    // WM_USER would answer 42 from the recorder: the default procedure answers 0.
    EXPECT_EQ(ComboWndProc(window, WM_USER, 0, 0), 0);
    EXPECT_EQ(ComboWndProc(reinterpret_cast<HWND>(0x7FFF0), WM_USER, 0, 0), 0);
    auto* fake = reinterpret_cast<ColorCombo*>(0x1000);
    RegisterCombo(fake, window);
    EXPECT_TRUE(ComboRegistryExists());
    EXPECT_EQ(FindCombo(window), fake);
    EXPECT_EQ(ControlKey(reinterpret_cast<HWND>(0xABC)), L"_HABC");
    UnregisterCombo(fake);
    EXPECT_FALSE(ComboRegistryExists());  // gone with its last entry
    RegisterCombo(fake, window);
    EXPECT_TRUE(ComboRegistryExists());  // and made again
    UnregisterCombo(fake);
    DestroyWindow(window);
}

TEST(CtrlMsg, TheListRegistryComesAndGoesWithItsControls) {
    HWND window = Recorder::Create();
    EXPECT_FALSE(ListRegistryExists());
    EXPECT_EQ(ListWndProc(window, WM_USER, 0, 0), 0);  // no control: the default procedure
    auto* first = reinterpret_cast<ColorList*>(0x1000);
    auto* second = reinterpret_cast<ColorList*>(0x2000);
    HWND other = Recorder::Create();
    RegisterList(first, window);
    RegisterList(second, other);
    RegisterList(second, window);  // a key already present stays as it is
    EXPECT_EQ(FindList(window), first);
    EXPECT_EQ(FindList(other), second);
    EXPECT_EQ(FindCombo(window), nullptr);  // the two kinds keep registries of their own
    UnregisterList(first);
    EXPECT_TRUE(ListRegistryExists());
    EXPECT_EQ(FindList(window), nullptr);
    UnregisterList(second);
    EXPECT_FALSE(ListRegistryExists());
    DestroyWindow(other);
    DestroyWindow(window);
}

TEST(ListWnd, RowsChoicesAndScrollingCarryOverToANewWindowOfAnotherStyle) {
    HWND parent = Recorder::Create();
    ComboEvents events;
    ListWnd list(&events);
    EXPECT_FALSE(list.Selected(0));  // no window: nothing chosen
    list.SetStyle(WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_MULTIPLESEL);
    list.Create(parent, L"", 0, 0, 120, 60, true, 30);
    ASSERT_NE(list.hWnd(), nullptr);
    EXPECT_EQ(list.ListCount(), 30);
    EXPECT_TRUE(list.Hook().Hooked());
    list.SetSelected(3, true);
    list.SetSelected(17, true);
    SendMessageW(list.hWnd(), LB_SETCARETINDEX, 17, FALSE);
    SendMessageW(list.hWnd(), LB_SETTOPINDEX, 12, 0);
    EXPECT_TRUE(list.Selected(17));
    EXPECT_FALSE(list.Selected(4));
    EXPECT_FALSE(list.Selected(99));  // outside the rows: not chosen
    const ListWnd::View view = list.SaveView();
    EXPECT_EQ(view.selected, (std::vector<int32_t>{3, 17}));
    EXPECT_EQ(view.caret, 17);
    list.Destroy();
    EXPECT_EQ(list.hWnd(), nullptr);
    // Single choice: the chosen row that had the focus stays chosen.
    list.SetStyle(WS_VSCROLL | LBS_OWNERDRAWFIXED);
    list.Create(parent, L"", 0, 0, 120, 60, true, 30);
    list.RestoreView(view);
    EXPECT_EQ(list.ListIndex(), 17);
    EXPECT_EQ(SendMessageW(list.hWnd(), LB_GETTOPINDEX, 0, 0), 12);
    // And back to several: the one chosen row.
    const ListWnd::View single = list.SaveView();
    list.Destroy();
    list.SetStyle(WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_MULTIPLESEL);
    list.Create(parent, L"", 0, 0, 120, 60, true, 10);  // fewer rows: choices past them are left out
    list.RestoreView(ListWnd::View{{2, 17}, 17, 20});
    EXPECT_EQ(SendMessageW(list.hWnd(), LB_GETSELCOUNT, 0, 0), 1);
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(single.selected, (std::vector<int32_t>{17}));
    list.Destroy();
    DestroyWindow(parent);
}

// Threads that hook windows and register controls, then end: some tidy up first, some leave their
// window to the end of the thread. Every thread's tables go with it (the heap checker of the
// Windows test run watches the frees).
TEST(ThreadState, TablesOfAThreadGoWhenItEnds) {
    const size_t hooksBefore = HookTablesAlive(), combosBefore = ComboRegistriesAlive(),
                 listsBefore = ListRegistriesAlive();
    for (int round = 0; round < 12; ++round) {
        const bool tidy = round % 2 == 0;
        Listener listener;
        WindowHook hook(&listener);
        std::pair<WindowHook*, bool> job{&hook, tidy};
        HANDLE thread = CreateThread(
            nullptr, 0,
            [](void* arg) -> DWORD {
                auto* job = static_cast<std::pair<WindowHook*, bool>*>(arg);
                HWND window = Recorder::Create();
                auto* fake = reinterpret_cast<ColorCombo*>(0x1000);
                RegisterCombo(fake, window);
                RegisterList(reinterpret_cast<ColorList*>(0x2000), window);
                if (!job->first->Hook(window, false)) return 1;
                SendMessageW(window, WM_USER, 0, 0);
                if (HookCount() != 1 || FindCombo(window) != fake) return 2;
                if (job->second) {
                    DestroyWindow(window);
                    UnregisterCombo(fake);
                    UnregisterList(reinterpret_cast<ColorList*>(0x2000));
                    if (HookCount() != 0 || ComboRegistryExists() || ListRegistryExists()) return 3;
                }
                return 0;
            },
            &job, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        WaitForSingleObject(thread, INFINITE);
        DWORD code = 99;
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        EXPECT_EQ(code, 0u) << "round " << round;
        EXPECT_EQ(HookTablesAlive(), hooksBefore) << "round " << round;
        EXPECT_EQ(ComboRegistriesAlive(), combosBefore) << "round " << round;
        EXPECT_EQ(ListRegistriesAlive(), listsBefore) << "round " << round;
    }
    EXPECT_EQ(HookCount(), 0u);  // nothing of the threads shows on this one
}

TEST(DrawBase, TranslatesColoursAndDrawsEdges) {
    EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x8000000F)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(TranslateColor(255), 255u);
    EXPECT_TRUE(IsWinNT());
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(GetDC(nullptr), 20, 20);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const RECT box{2, 2, 12, 12};
    Draw3DEdge(dc, box, PS_SOLID);
    EXPECT_EQ(GetPixel(dc, 2, 5), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(GetPixel(dc, 12, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawFrameLines(dc, box);
    EXPECT_EQ(GetPixel(dc, 5, 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 12, 5), GetSysColor(COLOR_BTNSHADOW));
    SIZE size{};
    EXPECT_FALSE(GetTextExtent(dc, L"", size));
    EXPECT_TRUE(GetTextExtent(dc, L"Wide", size));
    EXPECT_GT(size.cx, 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(ScaleNumeric, ReadsTheDeviceResolution) {
    ScaleNumeric scale;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(scale.DpiX(), dpi);
    scale.SetValue(1440);
    EXPECT_EQ(scale.AsPixelsX(), dpi);
    scale.SetDevice(nullptr);
    EXPECT_EQ(scale.DpiX(), dpi);
}

TEST(ErrorInfo, LibraryErrorsCrossComWithNumberSourceAndDescription) {
    EXPECT_EQ(ErrorHResult(9), static_cast<HRESULT>(0x800A0009));
    EXPECT_EQ(ErrorHResult(65586), static_cast<HRESULT>(0x80040032));
    EXPECT_TRUE(FAILED(ErrorHResult(65586)));
    EXPECT_EQ(ErrorNumber(ErrorHResult(65586)), 65586);
    EXPECT_EQ(ErrorNumber(ErrorHResult(380)), 380);
    OleInitialize(nullptr);
    const HRESULT hr = Guarded(IID_IDispatch, L"Palvex", []() -> HRESULT {
        throw LibraryError(kErrDoubleHook, L"Module [m_WndHook]", L"Cannot double-hook a window.");
    });
    EXPECT_EQ(ErrorNumber(hr), 65586);
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    BSTR source = nullptr, description = nullptr;
    info->GetSource(&source);
    info->GetDescription(&description);
    EXPECT_STREQ(source, L"Module [m_WndHook]");
    EXPECT_STREQ(description, L"Cannot double-hook a window.");
    SysFreeString(source);
    SysFreeString(description);
    info->Release();
    EXPECT_EQ(Guarded(IID_IDispatch, L"Palvex", []() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    OleUninitialize();
}

TEST(FontUtils, LogicalFontsAndFontObjectsConvertBothWays) {
    OleInitialize(nullptr);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    LOGFONTW wide{};
    wide.lfHeight = -MulDiv(12, dpi, 72);
    wide.lfWeight = FW_BOLD;
    wide.lfItalic = 1;
    wide.lfCharSet = ANSI_CHARSET;
    wcscpy(wide.lfFaceName, L"Courier New");
    auto font = CreateFontFromLogFontW(wide);
    ASSERT_NE(font, nullptr);
    Microsoft::WRL::ComPtr<IFont> object;
    ASSERT_HRESULT_SUCCEEDED(font.As(&object));
    const LOGFONTW back = FontToLogFont(object.Get(), screen);
    // Wine's font object reports the size of the face it realised, which may be a pixel off.
    EXPECT_NEAR(back.lfHeight, wide.lfHeight, 1);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfUnderline, 0);
    LOGFONTA narrow{};
    narrow.lfHeight = -MulDiv(10, dpi, 72);
    narrow.lfWeight = FW_NORMAL;
    narrow.lfUnderline = 1;
    strcpy(narrow.lfFaceName, "Arial");
    auto fromAnsi = CreateFontFromLogFontA(narrow);
    ASSERT_NE(fromAnsi, nullptr);
    Microsoft::WRL::ComPtr<IFont> ansiObject;
    fromAnsi.As(&ansiObject);
    const LOGFONTW ansiBack = FontToLogFont(ansiObject.Get(), screen);
    EXPECT_NEAR(ansiBack.lfHeight, narrow.lfHeight, 1);
    EXPECT_EQ(ansiBack.lfUnderline, 1);
    EXPECT_EQ(ansiBack.lfWeight, FW_NORMAL);
    EXPECT_EQ(FontToLogFont(nullptr, screen).lfHeight, 0);
    ReleaseDC(nullptr, screen);
    OleUninitialize();
}
