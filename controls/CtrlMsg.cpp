#include "controls/CtrlMsg.h"

#include <map>

#include "base/PerThread.h"
#include "controls/ColorCombo.h"
#include "controls/win/WndHook.h"
#include "ui/Boundary.h"

namespace palvex {

namespace {

using ComboRegistry = std::map<std::wstring, ColorCombo*>;

// Made on the first registration, freed when its last entry goes or its thread ends.
zv::PerThread<ComboRegistry>& ComboControls() {
    static zv::PerThread<ComboRegistry> registries;
    return registries;
}

}  // namespace

std::wstring ControlKey(HWND hWnd) {
    wchar_t text[24] = {};
    swprintf(text, 24, L"_H%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hWnd)));
    return text;
}

void RegisterCombo(ColorCombo* control, HWND hWnd) {
    ComboControls().Get().emplace(ControlKey(hWnd), control);  // a key already present stays as it is
}

void UnregisterCombo(ColorCombo* control) {
    ComboRegistry* registry = ComboControls().Find();
    if (!registry) return;
    for (auto it = registry->begin(); it != registry->end(); ++it) {
        if (it->second == control) {
            registry->erase(it);
            break;
        }
    }
    if (registry->empty()) ComboControls().Reset();
}

ColorCombo* FindCombo(HWND hWnd) {
    const ComboRegistry* registry = ComboControls().Find();
    if (!registry) return nullptr;
    const auto found = registry->find(ControlKey(hWnd));
    return found == registry->end() ? nullptr : found->second;
}

bool ComboRegistryExists() { return ComboControls().Find() != nullptr; }

size_t ComboRegistriesAlive() { return ComboControls().Live(); }

LRESULT CALLBACK ComboWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ColorCombo* control = FindCombo(hWnd);
    const WNDPROC old = control ? control->OldWndProc() : nullptr;
    if (!control || !IsValidWndProc(old)) return IsWindow(hWnd) ? DefWindowProcW(hWnd, uMsg, wParam, lParam) : 0;
    try {
        switch (uMsg) {
            case WM_DRAWITEM: return control->OnDrawItem(lParam);
            case WM_MEASUREITEM: return control->OnMeasureItem(lParam);
            case WM_COMMAND:
                // The combo's child identifier is 0, so its notifications carry 0 in the low word.
                if (LOWORD(wParam) == 0 && HIWORD(wParam) == CBN_DROPDOWN) control->OnDropDown();
                if (LOWORD(wParam) == 0 && HIWORD(wParam) == CBN_CLOSEUP) control->OnCloseUp();
                break;
            case WM_CTLCOLORLISTBOX: {
                // The open list asks its combo's parent for its background: the control's colours.
                HBRUSH brush = control->GetBackBrush();
                if (!brush) break;
                SetBkColor(reinterpret_cast<HDC>(wParam), control->BackColorValue());
                return reinterpret_cast<LRESULT>(brush);
            }
            default: break;
        }
    } catch (...) {
        // The window's own procedure still answers the message below.
        ui::ReportStoppedException(L"a Palvex control's message procedure");
    }
    return CallWindowProcW(old, hWnd, uMsg, wParam, lParam);
}

}  // namespace palvex
