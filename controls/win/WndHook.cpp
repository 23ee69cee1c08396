#include "controls/win/WndHook.h"

#include <vector>

#include "base/PerThread.h"
#include "controls/core/LibraryError.h"
#include "controls/win/WindowHook.h"

namespace palvex {

namespace {

struct HookEntry {
    WindowHook* hook;
    HWND hWnd;
};

struct HookTable {
    std::vector<HookEntry> entries;
    bool busy = false;  // keeps RemoveHookEntry from re-entering itself
};

// Made on the first hook, freed when its last entry goes or its thread ends.
zv::PerThread<HookTable>& HookTables() {
    static zv::PerThread<HookTable> tables;
    return tables;
}

uint32_t GroupOf(UINT uMsg) {
    switch (uMsg) {
        case WM_PAINT:
        case WM_DRAWITEM:
        case WM_MEASUREITEM: return kTrapPaint;
        case WM_COMMAND: return kTrapCommand;
        case WM_MOVE:
        case WM_SIZE: return kTrapMoveSize;
        case WM_HSCROLL:
        case WM_VSCROLL: return kTrapScroll;
        case WM_IME_CHAR: return kTrapImeChar;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return kTrapFocus;
        default: break;
    }
    if (uMsg >= WM_MOUSEFIRST && uMsg <= WM_MOUSEWHEEL) return kTrapMouse;
    if (uMsg >= WM_KEYDOWN && uMsg <= WM_SYSDEADCHAR) return kTrapKeys;
    return 0;
}

}  // namespace

bool IsValidWndProc(WNDPROC proc) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return proc != nullptr && !IsBadCodePtr(reinterpret_cast<FARPROC>(proc));
#pragma GCC diagnostic pop
}

void AddHookEntry(HWND hWnd, WindowHook* hook) { HookTables().Get().entries.push_back(HookEntry{hook, hWnd}); }

bool RemoveHookEntry(HWND hWnd) {
    HookTable* table = HookTables().Find();
    if (!table) return true;
    if (table->busy) return false;
    table->busy = true;
    for (auto it = table->entries.begin(); it != table->entries.end(); ++it) {
        if (it->hWnd == hWnd) {
            table->entries.erase(it);
            table->busy = false;
            if (table->entries.empty()) HookTables().Reset();
            return false;
        }
    }
    table->busy = false;
    return true;
}

WindowHook* FindHook(HWND hWnd) {
    if (const HookTable* table = HookTables().Find())
        for (const HookEntry& entry : table->entries)
            if (entry.hWnd == hWnd) return entry.hook;
    return nullptr;
}

size_t HookCount() {
    const HookTable* table = HookTables().Find();
    return table ? table->entries.size() : 0;
}

size_t HookTablesAlive() { return HookTables().Live(); }

bool HookWindow(HWND hWnd, WindowHook* hook, bool takeDC, WNDPROC newProc) {
    if (!hook) return false;
    if (hook->Hooked()) UnhookWindow(hook);
    if (FindHook(hWnd))
        throw LibraryError(kErrDoubleHook, L"Module [m_WndHook]", L"Cannot double-hook a window.");
    const auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (!old) return false;
    hook->SetOldProc(old);
    if (takeDC) hook->SetHDC(GetWindowDC(hWnd));
    hook->SetHWnd(hWnd);
    // The table entry comes first: the first routed message may arrive while the procedure is set.
    AddHookEntry(hWnd, hook);
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(newProc ? newProc : HookWndProc));
    hook->SetWndProc(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)));
    hook->SetHooked(true);
    return true;
}

void UnhookWindow(WindowHook* hook) {
    if (!hook) return;
    const WNDPROC old = hook->OldProc();
    const HWND hWnd = hook->hWnd();
    const HDC dc = hook->hDC();
    RemoveHookEntry(hWnd);
    if (hWnd && IsValidWndProc(old) && IsWindow(hWnd))
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    hook->SetOldProc(nullptr);
    hook->SetWndProc(nullptr);
    hook->SetHWnd(nullptr);
    if (dc) {
        hook->SetHDC(nullptr);
        ReleaseDC(hWnd, dc);
    }
    hook->SetHooked(false);
    hook->SetOwnerDraw(false);
}

LRESULT CALLBACK HookWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    WindowHook* hook = FindHook(hWnd);
    if (!hook) return IsWindow(hWnd) ? DefWindowProcW(hWnd, uMsg, wParam, lParam) : 0;
    const WNDPROC old = hook->OldProc();
    if (!IsValidWndProc(old)) return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_DESTROY) {
        UnhookWindow(hook);
        return CallWindowProcW(old, hWnd, uMsg, wParam, lParam);
    }
    const uint32_t traps = hook->WndTraps();
    const bool allFirst = (traps & kTrapAllFirst) != 0;
    const uint32_t group = GroupOf(uMsg);
    LRESULT result = 0;
    if (group == kTrapPaint && hook->OwnerDraw()) {
        hook->RaiseWndEvents(hWnd, uMsg, wParam, lParam);
        result = -1;
    }
    if (allFirst) return hook->RaiseWndEvents(hWnd, uMsg, wParam, lParam);
    if (group != 0 && (traps & group) == 0) {
        // A group the client does not trap still reaches the window: swallowing it would leave,
        // for one, a WM_PAINT unvalidated and repeating for ever.
        return CallWindowProcW(old, hWnd, uMsg, wParam, lParam);
    }
    hook->RaiseWndEvents(hWnd, uMsg, wParam, lParam);
    // The events may have unhooked the window; the saved procedure still answers the message.
    result = CallWindowProcW(old, hWnd, uMsg, wParam, lParam);
    return result;
}

void DecodeKeyData(LPARAM lParam, int& scanCode, bool& extended) {
    scanCode = static_cast<int>((lParam >> 16) & 0xFF);
    extended = ((lParam >> 24) & 1) != 0;
}

}  // namespace palvex
