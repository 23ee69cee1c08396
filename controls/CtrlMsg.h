#pragma once
// The per-thread registries of live colour controls, keyed by their own window, and the window
// procedures that hand each control the owner-draw requests and notifications of its native child.

#include <windows.h>

#include <string>

namespace palvex {

class ColorCombo;
class ColorList;

// "_H" and the window handle in upper-case hexadecimal.
std::wstring ControlKey(HWND hWnd);

void RegisterCombo(ColorCombo* control, HWND hWnd);
void UnregisterCombo(ColorCombo* control);
ColorCombo* FindCombo(HWND hWnd);
// Whether this thread has a registry of combos at the moment.
bool ComboRegistryExists();
// Threads holding a registry (for tests): a thread's registry goes when the thread ends.
size_t ComboRegistriesAlive();
LRESULT CALLBACK ComboWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

void RegisterList(ColorList* control, HWND hWnd);
void UnregisterList(ColorList* control);
ColorList* FindList(HWND hWnd);
bool ListRegistryExists();
size_t ListRegistriesAlive();
LRESULT CALLBACK ListWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace palvex
