#pragma once
// The per-thread table of hooked windows and the window procedure that routes their messages.

#include <windows.h>

namespace palvex {

class WindowHook;

void AddHookEntry(HWND hWnd, WindowHook* hook);
// True when the window was not in the table (nothing changed); false when its entry was removed
// or the table is busy removing another.
bool RemoveHookEntry(HWND hWnd);
WindowHook* FindHook(HWND hWnd);
// newProc null: the library's routing procedure. Throws LibraryError 65586 for a window that
// another hook already holds (the first hook stays).
bool HookWindow(HWND hWnd, WindowHook* hook, bool takeDC, WNDPROC newProc);
void UnhookWindow(WindowHook* hook);
LRESULT CALLBACK HookWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
void DecodeKeyData(LPARAM lParam, int& scanCode, bool& extended);
// A replaced window procedure that can still be called.
bool IsValidWndProc(WNDPROC proc);
// Entries in this thread's table (for tests and diagnostics).
size_t HookCount();
// Threads holding a table (for tests): a thread's table goes when the thread ends.
size_t HookTablesAlive();

}  // namespace palvex
