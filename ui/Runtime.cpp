#include "ui/Runtime.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "base/Error.h"
#include "ui/Application.h"
#include "ui/Boundary.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/MdiForm.h"
#include "ui/Menu.h"
#include "ui/OptionButton.h"
#include "ui/TestHooks.h"
#include "ui/Twips.h"

namespace ui {
namespace detail {
namespace {
// Kept for the whole process (never destroyed): forms and controls still use them while static
// objects (default form instances) are destroyed at exit.
std::unordered_map<HWND, Control*>& g_controls = *new std::unordered_map<HWND, Control*>;
std::unordered_map<HWND, Form*>& g_forms = *new std::unordered_map<HWND, Form*>;
std::vector<std::unique_ptr<Control>>& g_buried = *new std::vector<std::unique_ptr<Control>>;
struct Subclassed {
    WNDPROC original;
    SubclassHandler handler;
    void* data;
};
std::unordered_map<HWND, Subclassed>& g_subclassed = *new std::unordered_map<HWND, Subclassed>;
int g_freeingDepth = 0;
int g_eventDepth = 0;  // events running on the stack (their controls must stay alive)

std::wstring Narrow2Wide(const char* s) {
    std::wstring out;
    for (; s && *s; ++s) out.push_back(static_cast<unsigned char>(*s));
    return out;
}

}  // namespace

HINSTANCE Instance() {
    // The module this runtime is linked into: a library's forms register and make their windows
    // under the library, so that they live beside a program's own forms in one process.
    static const HINSTANCE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&Instance), &found);
        return found ? found : GetModuleHandleW(nullptr);
    }();
    return module;
}

std::wstring WindowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n < 0 ? 0 : n));
    return s;
}

void EnsureClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::WndProc;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    wc.lpszClassName = kMdiFrameClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    RegisterClassExW(&wc);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kMdiChildClass;
    RegisterClassExW(&wc);
    wc.hIcon = nullptr;
    wc.lpfnWndProc = &FrameWndProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassExW(&wc);
    wc.style = CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = &PictureWndProc;
    wc.lpszClassName = kPictureClass;
    RegisterClassExW(&wc);
}

ui::Font MakeFont(const FontSpec& spec) {
    LOGFONTW lf{};
    double size = spec.Size > 0 ? spec.Size : 8.25;
    lf.lfHeight = -static_cast<LONG>(size * ScreenDpiY() / 72.0 + 0.5);
    lf.lfWeight = spec.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = spec.Italic;
    lf.lfUnderline = spec.Underline;
    lf.lfStrikeOut = spec.Strikethrough;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring name = spec.Name.empty() ? L"MS Sans Serif" : spec.Name;
    wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    return ui::Font(CreateFontIndirectW(&lf));
}

namespace {
LRESULT CALLBACK SubclassedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto it = g_subclassed.find(hwnd);
    if (it == g_subclassed.end()) return DefWindowProcW(hwnd, msg, wp, lp);
    const Subclassed s = it->second;
    const LRESULT result = s.handler(hwnd, msg, wp, lp, s.data);
    if (msg == WM_NCDESTROY) {
        g_subclassed.erase(hwnd);
        // Someone who subclassed after us keeps his place; the window is going anyway.
        if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassedProc))
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s.original));
    }
    return result;
}
}  // namespace

void Subclass(HWND hwnd, SubclassHandler handler, void* data) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    g_subclassed[hwnd] = Subclassed{original, handler, data};
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedProc));
}

LRESULT CallOriginalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto it = g_subclassed.find(hwnd);
    if (it == g_subclassed.end()) return DefWindowProcW(hwnd, msg, wp, lp);
    return CallWindowProcW(it->second.original, hwnd, msg, wp, lp);
}

int ShiftState() {
    // The three keys in one question to the window system: under Wine each is a server trip.
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) return 0;
    return ((keys[VK_SHIFT] & 0x80) ? 1 : 0) | ((keys[VK_CONTROL] & 0x80) ? 2 : 0) | ((keys[VK_MENU] & 0x80) ? 4 : 0);
}

void MapControl(HWND hwnd, Control* c) { g_controls[hwnd] = c; }
void UnmapControl(HWND hwnd) { g_controls.erase(hwnd); }
Control* ControlFromHwnd(HWND hwnd) {
    auto it = g_controls.find(hwnd);
    return it == g_controls.end() ? nullptr : it->second;
}
void MapForm(HWND hwnd, Form* f) { g_forms[hwnd] = f; }
void UnmapForm(HWND hwnd) { g_forms.erase(hwnd); }
Form* FormFromHwnd(HWND hwnd) {
    auto it = g_forms.find(hwnd);
    return it == g_forms.end() ? nullptr : it->second;
}
Form* FormOfWindow(HWND hwnd) {
    for (HWND h = hwnd; h; h = GetParent(h)) {
        if (Form* f = FormFromHwnd(h)) return f;
        if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

void CountWindow(int delta) { CountHandle(HandleKind::Window, delta); }

namespace {
// Descriptions stopped while a report's message box was open, told when it closes.
std::vector<std::wstring>& g_heldReports = *new std::vector<std::wstring>;
bool g_reportShowing = false;

bool NoRealDialogsInProcess() {
    // A library with its own copy of this runtime (the control library's DLL) learns of a test
    // run from the process environment.
    return test::NoRealDialogs() || GetEnvironmentVariableW(L"ZV_NO_REAL_DIALOGS", nullptr, 0) > 0;
}
}  // namespace

void ReportStopped(const std::wstring& description) {
    OutputDebugStringW((L"Stopped at a window procedure: " + description + L"\n").c_str());
    if (NoRealDialogsInProcess()) {
        test::Fail(L"An error reached a window procedure: " + description);
        return;
    }
    if (g_reportShowing) {
        g_heldReports.push_back(description);
        return;
    }
    g_reportShowing = true;
    struct Showing {
        ~Showing() { g_reportShowing = false; }
    } showing;
    std::wstring text = description;
    for (;;) {
        MessageBoxW(GetActiveWindow(), text.c_str(), App().Title().c_str(), MB_OK | MB_ICONHAND);
        if (g_heldReports.empty()) break;
        const size_t count = g_heldReports.size();
        text = g_heldReports.front();
        if (count > 1) text += L"\r\n\r\n(" + std::to_wstring(count - 1) + L" further failures were stopped meanwhile.)";
        g_heldReports.clear();
    }
}

void Guard(const std::function<void()>& f) noexcept {
    struct Depth {
        Depth() { ++g_eventDepth; }
        ~Depth() { --g_eventDepth; }
    } depth;
    try {
        f();
    } catch (...) {
        ReportStoppedException(L"an event of the program");
    }
}

void Bury(std::unique_ptr<Control> c) {
    if (c) g_buried.push_back(std::move(c));
}

void FreeBuried() {
    if (g_freeingDepth > 0 || g_eventDepth > 0) return;
    ++g_freeingDepth;
    while (!g_buried.empty()) {
        auto list = std::move(g_buried);
        g_buried.clear();
        list.clear();
    }
    --g_freeingDepth;
}

void FreeBuriedOf(const Form* form) {
    ++g_freeingDepth;
    std::vector<std::unique_ptr<Control>> mine;
    for (auto& c : g_buried)
        if (c && &c->Parent() == form) mine.push_back(std::move(c));
    std::erase(g_buried, nullptr);
    mine.clear();
    --g_freeingDepth;
}

// ---- keyboard ----

namespace {
bool ChainEnabled(HWND h) {
    for (; h; h = GetParent(h)) {
        if (!IsWindowEnabled(h)) return false;
        if (FormFromHwnd(h)) break;
    }
    return true;
}

Control* FocusedControl() {
    for (HWND h = GetFocus(); h; h = GetParent(h))
        if (Control* c = ControlFromHwnd(h)) return c;
    return nullptr;
}

bool IsClickable(Control* c) { return c && c->hWnd() && IsWindowVisible(c->hWnd()) && ChainEnabled(c->hWnd()); }

std::vector<OptionButton*> GroupOf(OptionButton& o) {
    std::vector<OptionButton*> group;
    for (Control* c : o.Parent().Controls())
        if (auto* other = dynamic_cast<OptionButton*>(c); other && other->Container() == o.Container() && IsClickable(other))
            group.push_back(other);
    std::stable_sort(group.begin(), group.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    return group;
}

// A window that types Tab (the text control: a tab character, the editor's Ctrl rule) says so when
// asked, as dialog boxes ask it; Tab then stays with it instead of moving the focus on.
bool WindowWantsTab() {
    HWND focus = GetFocus();
    if (!focus) return false;
    MSG tab{focus, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    return (SendMessageW(focus, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTTAB) != 0;
}

bool MoveFocus(Form& form, bool backwards) {
    auto stops = TabStops(form);
    if (stops.empty()) return false;
    Control* current = FocusedControl();
    auto it = std::find(stops.begin(), stops.end(), current);
    size_t n = stops.size();
    size_t next;
    if (it == stops.end()) {
        // The focus is on a member of an option group that Tab skips, or nowhere.
        if (current) {
            int ti = current->TabIndex();
            next = backwards ? n - 1 : 0;
            for (size_t i = 0; i < n; ++i) {
                size_t k = backwards ? n - 1 - i : i;
                if (backwards ? stops[k]->TabIndex() < ti : stops[k]->TabIndex() > ti) { next = k; break; }
            }
        } else {
            next = backwards ? n - 1 : 0;
        }
    } else {
        size_t i = static_cast<size_t>(it - stops.begin());
        next = backwards ? (i + n - 1) % n : (i + 1) % n;
    }
    stops[next]->SetFocus();
    if (auto* edit = stops[next]->hWnd()) {
        wchar_t cls[16] = {};
        GetClassNameW(edit, cls, 16);
        if (_wcsicmp(cls, L"Edit") == 0) SendMessageW(edit, EM_SETSEL, 0, -1);
    }
    return true;
}

bool HandleDialogKey(Form& form, int key) {
    int shift = ShiftState();
    Control* focus = FocusedControl();
    if (focus && &focus->Parent() != &form) focus = nullptr;
    switch (key) {
        case VK_TAB:
            if (shift & (2 | 4)) return false;
            if (WindowWantsTab()) return false;
            return MoveFocus(form, (shift & 1) != 0);
        case VK_RETURN: {
            if (shift & 4) return false;
            if (auto* b = dynamic_cast<CommandButton*>(focus)) {
                b->PerformClick();
                return true;
            }
            if (focus && focus->WantsEnterKey()) return false;
            CommandButton* def = form.DefaultButton();
            if (def && IsClickable(def)) {
                def->PerformClick();
                return true;
            }
            return false;
        }
        case VK_ESCAPE: {
            if (focus && focus->WantsEscapeKey()) return false;
            CommandButton* cancel = form.CancelButton();
            if (cancel && IsClickable(cancel)) {
                cancel->PerformClick();
                return true;
            }
            return false;
        }
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: {
            auto* opt = dynamic_cast<OptionButton*>(focus);
            if (!opt) return false;
            auto group = GroupOf(*opt);
            auto it = std::find(group.begin(), group.end(), opt);
            if (group.size() < 2 || it == group.end()) return true;
            size_t i = static_cast<size_t>(it - group.begin()), n = group.size();
            bool back = key == VK_LEFT || key == VK_UP;
            OptionButton* next = group[back ? (i + n - 1) % n : (i + 1) % n];
            next->SetFocus();
            next->SetValue(true);
            return true;
        }
        default: return false;
    }
}

bool HandleAccessKey(Form& form, wchar_t ch) {
    ch = static_cast<wchar_t>(std::towupper(ch));
    std::vector<Control*> all = form.Controls();
    std::stable_sort(all.begin(), all.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (Control* c : all) {
        if (!IsClickable(c)) continue;
        std::wstring cap = c->AccessCaption();
        for (size_t i = 0; i + 1 < cap.size(); ++i) {
            if (cap[i] != L'&') continue;
            if (cap[i + 1] == L'&') { ++i; continue; }
            if (static_cast<wchar_t>(std::towupper(cap[i + 1])) == ch) {
                c->OnAccessKey();
                return true;
            }
            break;
        }
    }
    return false;
}

bool HandleShortcut(Form& root, int key, int shift) {
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
    if (auto* frame = dynamic_cast<MdiForm*>(&root)) {
        if (Form* child = frame->ActiveForm(); child && MenuShortcut(*child, key, shift)) return true;
        return MenuShortcut(*frame, key, shift);
    }
    if (MenuShortcut(root, key, shift)) return true;
    if (root.MDIChild() && MdiForm::Current()) return MenuShortcut(*MdiForm::Current(), key, shift);
    return false;
}
}  // namespace

std::vector<Control*> TabStops(Form& form) {
    std::vector<Control*> stops;
    for (Control* c : form.Controls()) {
        if (!c->CanTakeFocus() || !c->TabStop() || !IsClickable(c)) continue;
        if (auto* opt = dynamic_cast<OptionButton*>(c); opt && !opt->Value()) {
            // Tab lands on the chosen option of a group; the arrows move inside it.
            auto group = GroupOf(*opt);
            bool anyChosen = std::any_of(group.begin(), group.end(), [](OptionButton* o) { return o->Value(); });
            if (anyChosen || group.front() != opt) continue;
        }
        stops.push_back(c);
    }
    std::stable_sort(stops.begin(), stops.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    return stops;
}

void Dispatch(MSG& m) {
    Form* root = m.hwnd ? FormOfWindow(m.hwnd) : nullptr;
    if (root && !root->IsLoaded()) root = nullptr;
    if (root && (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN)) {
        int key = static_cast<int>(m.wParam);
        if (root->KeyPreview() && m.hwnd != root->hWnd()) {
            Guard([&] { root->Form_KeyDown(key, ShiftState()); });
            if (key == 0) return;
            m.wParam = static_cast<WPARAM>(key);
        }
        if (m.message == WM_KEYDOWN && HandleDialogKey(*root, key)) return;
        if (HandleShortcut(*root, key, ShiftState())) return;
    }
    if (root && m.message == WM_CHAR && root->KeyPreview() && m.hwnd != root->hWnd()) {
        int ascii = static_cast<int>(m.wParam);
        Guard([&] { root->Form_KeyPress(ascii); });
        if (ascii == 0) return;
        m.wParam = static_cast<WPARAM>(ascii);
    }
    if (root && m.message == WM_SYSCHAR) {
        if (HandleAccessKey(*root, static_cast<wchar_t>(m.wParam))) return;
        // Otherwise Windows opens the menu bar in a loop of its own, which no test could end.
        if (test::NoRealDialogs()) return;
    }
    if (MdiForm* frame = MdiForm::Current(); frame && frame->ClientWindow() && TranslateMDISysAccel(frame->ClientWindow(), &m))
        return;
    TranslateMessage(&m);
    DispatchMessageW(&m);
}

// ---- containers ----

bool ContainerMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (lp) {
                if (Control* c = ControlFromHwnd(reinterpret_cast<HWND>(lp))) {
                    Guard([&] { c->OnCommandFull(LOWORD(wp), HIWORD(wp)); });
                    result = 0;
                    return true;
                }
            }
            return false;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            Control* c = ControlFromHwnd(hdr->hwndFrom);
            if (!c) c = ControlFromHwnd(GetWindow(hdr->hwndFrom, GW_OWNER));
            if (!c) return false;
            bool handled = false;
            Guard([&] { handled = c->OnNotify(hdr, result); });
            return handled;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lp) {
                if (Control* c = ControlFromHwnd(reinterpret_cast<HWND>(lp))) {
                    Guard([&] { c->OnScroll(LOWORD(wp), HIWORD(wp)); });
                    result = 0;
                    return true;
                }
            }
            return false;
        case WM_MEASUREITEM:
        case WM_DRAWITEM: {
            // Owner-drawn controls: found by their identifier, since the first measuring comes while
            // the control's window is still being made.
            const UINT type = msg == WM_MEASUREITEM ? reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlType
                                                    : reinterpret_cast<DRAWITEMSTRUCT*>(lp)->CtlType;
            if (type == ODT_MENU) return false;
            Form* form = FormOfWindow(hwnd);
            Control* c = form ? form->FindControlById(static_cast<int>(wp)) : nullptr;
            if (!c) return false;
            bool handled = false;
            Guard([&] {
                handled = msg == WM_MEASUREITEM ? c->OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))
                                                : c->OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
            });
            result = TRUE;
            return handled;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            if (Control* c = ControlFromHwnd(reinterpret_cast<HWND>(lp))) {
                HBRUSH b = c->OnCtlColor(reinterpret_cast<HDC>(wp));
                if (b) {
                    result = reinterpret_cast<LRESULT>(b);
                    return true;
                }
            }
            return false;
        default: return false;
    }
}

void PaintWindowless(HWND container, HDC dc) {
    Form* form = FormOfWindow(container);
    if (!form) return;
    for (Control* c : form->Controls()) {
        if (c->IsWindowless() && c->IsCreated() && c->Visible() && c->ContainerWindow() == container) {
            int saved = SaveDC(dc);
            Guard([&] { c->PaintWindowless(dc); });
            RestoreDC(dc, saved);
        }
    }
}

bool WindowlessMouse(HWND container, UINT msg, WPARAM wp, LPARAM lp) {
    Form* form = FormOfWindow(container);
    if (!form) return false;
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const auto& controls = form->Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        Control* c = *it;
        if (!c->IsWindowless() || !c->IsCreated() || !c->Visible() || !c->Enabled() || c->ContainerWindow() != container) continue;
        if (!c->Click && !c->MouseDown && !c->MouseUp && !c->MouseMove && !c->DblClick) continue;
        RECT r = c->PixelRect();
        if (!PtInRect(&r, pt)) continue;
        Guard([&] {
            c->FireMouse(msg, wp, lp);
            if (msg == WM_LBUTTONUP) {
                if (auto f = c->Click) f();
            }
        });
        return true;
    }
    return false;
}

}  // namespace detail

void ReportStoppedException(const wchar_t* where) noexcept {
    try {
        std::wstring description;
        try {
            throw;
        } catch (const zv::CancelError&) {
            return;  // a cancelled common dialog ends its event without a word
        } catch (const test::RecordedFailure&) {
            return;  // a test's hook failed and recorded it already
        } catch (const zv::Error& e) {
            description = e.Description();
        } catch (const std::exception& e) {
            description = detail::Narrow2Wide(e.what()) + L" (stopped at " + where + L")";
        } catch (...) {
            description = std::wstring(L"An unexpected failure was stopped at ") + where + L".";
        }
        detail::ReportStopped(description);
    } catch (...) {
        // A test's failure handler threw: the failure stays recorded in the hooks.
    }
}

void Control::OnAccessKey() {
    // A caption without a focus of its own (a label) hands the focus to the next control in tab order.
    if (CanTakeFocus()) {
        SetFocus();
        return;
    }
    auto stops = detail::TabStops(*form_);
    for (Control* c : stops)
        if (c->TabIndex() > TabIndex()) {
            c->SetFocus();
            return;
        }
}

}  // namespace ui
