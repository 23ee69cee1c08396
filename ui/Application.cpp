#include "ui/Application.h"

#include <vector>

#include "base/Paths.h"
#include "ui/Form.h"
#include "ui/MdiForm.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"

namespace ui {
namespace {
std::wstring ModulePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}
int g_mousePointer = 0;
}  // namespace

namespace detail {
int CurrentMousePointer() { return g_mousePointer; }
}  // namespace detail

const std::wstring& AppObject::Title() const {
    if (title_.empty()) title_ = EXEName();
    return title_;
}

std::wstring AppObject::Path() const { return zv::ParentFolder(ModulePath()); }

std::wstring AppObject::EXEName() const {
    std::wstring name = zv::LastPathPart(ModulePath());
    auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

HINSTANCE AppObject::hInstance() const { return detail::Instance(); }

AppObject& App() {
    static AppObject app;
    return app;
}

double ScreenObject::TwipsPerPixelX() const { return 1440.0 / ScreenDpiX(); }
double ScreenObject::TwipsPerPixelY() const { return 1440.0 / ScreenDpiY(); }
long ScreenObject::Width() const { return PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN)); }
long ScreenObject::Height() const { return PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN)); }
int ScreenObject::MousePointer() const { return g_mousePointer; }

void ScreenObject::SetMousePointer(int pointer) {
    g_mousePointer = pointer;
    LPCWSTR id = IDC_ARROW;
    switch (pointer) {
        case 11: id = IDC_WAIT; break;
        case 3: id = IDC_IBEAM; break;
        case 2: id = IDC_CROSS; break;
        case 12: id = IDC_NO; break;
        case 13: id = IDC_APPSTARTING; break;
        case 15: id = IDC_SIZEALL; break;
        default: break;
    }
    SetCursor(LoadCursorW(nullptr, id));
}

Form* ScreenObject::ActiveForm() const {
    HWND active = GetActiveWindow();
    Form* f = active ? detail::FormFromHwnd(active) : nullptr;
    if (auto* frame = dynamic_cast<MdiForm*>(f)) {
        if (Form* child = frame->ActiveForm()) return child;
    }
    return f;
}

Control* ScreenObject::ActiveControl() const {
    HWND focus = GetFocus();
    while (focus) {
        if (Control* c = detail::ControlFromHwnd(focus)) return c;
        focus = GetParent(focus);
    }
    return nullptr;
}

ScreenObject& Screen() {
    static ScreenObject screen;
    return screen;
}

int DoEvents() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        detail::Dispatch(m);
    }
    detail::FreeBuried();
    return static_cast<int>(Forms::Loaded().size());
}

void Run() {
    MSG m;
    while (!Forms::Loaded().empty()) {
        BOOL r = GetMessageW(&m, nullptr, 0, 0);
        if (r == 0 || r == -1) break;
        detail::Dispatch(m);
        detail::FreeBuried();
    }
}

void End() {
    Forms::UnloadAllWithoutAsking();
    PostQuitMessage(0);
}

// ---- clipboard ----

namespace {
struct OpenClipboardScope {
    bool open = false;
    OpenClipboardScope() {
        for (int i = 0; i < 10 && !open; ++i) {
            open = OpenClipboard(nullptr) != FALSE;
            if (!open) Sleep(10);
        }
    }
    ~OpenClipboardScope() {
        if (open) CloseClipboard();
    }
};
}  // namespace

void ClipboardObject::Clear() {
    OpenClipboardScope scope;
    if (scope.open) EmptyClipboard();
}

void ClipboardObject::SetText(const std::wstring& text) {
    OpenClipboardScope scope;
    if (!scope.open) return;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem) return;
    if (void* p = GlobalLock(mem)) {
        memcpy(p, text.c_str(), bytes);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
    } else {
        GlobalFree(mem);
    }
}

std::wstring ClipboardObject::GetText() const {
    OpenClipboardScope scope;
    if (!scope.open) return L"";
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (!h) return L"";
    std::wstring out;
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
        out = p;
        GlobalUnlock(h);
    }
    return out;
}

bool ClipboardObject::HasText() const { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

void ClipboardObject::SetBitmap(HBITMAP bitmap) {
    OpenClipboardScope scope;
    if (!scope.open) return;
    EmptyClipboard();
    // The clipboard owns what it is given: hand it a copy, so the caller's owner stays valid.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
    if (copy && !SetClipboardData(CF_BITMAP, copy)) DeleteObject(copy);
}

bool ClipboardObject::HasBitmap() const { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

ClipboardObject& Clipboard() {
    static ClipboardObject clipboard;
    return clipboard;
}

}  // namespace ui
