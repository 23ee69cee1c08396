#include "controls/CtrlMsg.h"

#include <map>
#include <type_traits>

#include "base/PerThread.h"
#include "controls/ColorCombo.h"
#include "controls/ColorList.h"
#include "controls/core/HandleKey.h"
#include "controls/win/WndHook.h"
#include "ui/Boundary.h"

namespace palvex {

namespace {

template <class Control>
using Registry = std::map<std::wstring, Control*>;

// Each made on the first registration, freed when its last entry goes or its thread ends.
zv::PerThread<Registry<ColorCombo>>& ComboControls() {
    static zv::PerThread<Registry<ColorCombo>> registries;
    return registries;
}

zv::PerThread<Registry<ColorList>>& ListControls() {
    static zv::PerThread<Registry<ColorList>> registries;
    return registries;
}

template <class Control>
void Register(zv::PerThread<Registry<Control>>& registries, Control* control, HWND hWnd) {
    registries.Get().emplace(ControlKey(hWnd), control);  // a key already present stays as it is
}

template <class Control>
void Unregister(zv::PerThread<Registry<Control>>& registries, Control* control) {
    Registry<Control>* registry = registries.Find();
    if (!registry) return;
    for (auto it = registry->begin(); it != registry->end(); ++it) {
        if (it->second == control) {
            registry->erase(it);
            break;
        }
    }
    if (registry->empty()) registries.Reset();
}

template <class Control>
Control* Find(const zv::PerThread<Registry<Control>>& registries, HWND hWnd) {
    const Registry<Control>* registry = registries.Find();
    if (!registry) return nullptr;
    const auto found = registry->find(ControlKey(hWnd));
    return found == registry->end() ? nullptr : found->second;
}

// The control's answer to what its native child sends its parent; everything else, and WM_CREATE
// and WM_DESTROY above all, goes on to the window's own procedure.
template <class Control>
LRESULT ControlMessage(Control* control, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC old = control ? control->OldWndProc() : nullptr;
    if (!control || !IsValidWndProc(old)) return IsWindow(hWnd) ? DefWindowProcW(hWnd, uMsg, wParam, lParam) : 0;
    try {
        switch (uMsg) {
            case WM_DRAWITEM: return control->OnDrawItem(lParam);
            case WM_MEASUREITEM: return control->OnMeasureItem(lParam);
            case WM_COMMAND:
                if constexpr (std::is_same_v<Control, ColorCombo>) {
                    // The combo's child identifier is 0, so its notifications carry 0 in the low word.
                    if (LOWORD(wParam) == 0 && HIWORD(wParam) == CBN_DROPDOWN) control->OnDropDown();
                    if (LOWORD(wParam) == 0 && HIWORD(wParam) == CBN_CLOSEUP) control->OnCloseUp();
                }
                break;
            case WM_CTLCOLORLISTBOX: {
                // A list (the combo's open one, or the list box itself) asks its parent for its
                // background: the control's colours.
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

}  // namespace

std::wstring ControlKey(HWND hWnd) { return HandleKey(reinterpret_cast<uintptr_t>(hWnd)); }

void RegisterCombo(ColorCombo* control, HWND hWnd) { Register(ComboControls(), control, hWnd); }
void UnregisterCombo(ColorCombo* control) { Unregister(ComboControls(), control); }
ColorCombo* FindCombo(HWND hWnd) { return Find(ComboControls(), hWnd); }
bool ComboRegistryExists() { return ComboControls().Find() != nullptr; }
size_t ComboRegistriesAlive() { return ComboControls().Live(); }

LRESULT CALLBACK ComboWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ControlMessage(FindCombo(hWnd), hWnd, uMsg, wParam, lParam);
}

void RegisterList(ColorList* control, HWND hWnd) { Register(ListControls(), control, hWnd); }
void UnregisterList(ColorList* control) { Unregister(ListControls(), control); }
ColorList* FindList(HWND hWnd) { return Find(ListControls(), hWnd); }
bool ListRegistryExists() { return ListControls().Find() != nullptr; }
size_t ListRegistriesAlive() { return ListControls().Live(); }

LRESULT CALLBACK ListWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ControlMessage(FindList(hWnd), hWnd, uMsg, wParam, lParam);
}

}  // namespace palvex
