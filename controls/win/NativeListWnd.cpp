#include "controls/win/NativeListWnd.h"

#include <vector>

#include "controls/core/AnsiBytes.h"
#include "controls/win/FontUtils.h"
#include "com/Module.h"
#include "controls/ComPlumbing.h"
#include "ui/Boundary.h"

namespace palvex {

namespace {

int16_t KeyShift() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000) shift |= 1;
    if (GetKeyState(VK_CONTROL) & 0x8000) shift |= 2;
    if (GetKeyState(VK_MENU) & 0x8000) shift |= 4;
    return shift;
}

int16_t MouseShift(WPARAM wParam) {
    int16_t shift = 0;
    if (wParam & MK_SHIFT) shift |= 1;
    if (wParam & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) & 0x8000) shift |= 4;
    return shift;
}

int16_t MouseButtons(WPARAM wParam) {
    int16_t buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= 1;
    if (wParam & MK_RBUTTON) buttons |= 2;
    if (wParam & MK_MBUTTON) buttons |= 4;
    return buttons;
}

}  // namespace

void ScreenToOwnerRect(HWND owner, RECT& rect) {
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    OffsetRect(&rect, -ownerRect.left, -ownerRect.top);
}

NativeListWnd::NativeListWnd(const NativeListMessages& messages, NativeWndEvents* events)
    : messages_(messages), events_(events), fontSink_([this] { ApplyFont(); }), windowHook_(this) {
    windowHook_.SetBypassEvents(true);
    windowHook_.SetWndTraps(kTrapAllFirst);
    windowHook_.SetCaptureReturnCancel(true);
    SetFont(NewStdFont(L"MS Sans Serif", 8).Get());
}

NativeListWnd::~NativeListWnd() {
    Destroy();
    fontSink_.Watch(nullptr);
}

void NativeListWnd::SetFocus() {
    if (hWnd_) ::SetFocus(hWnd_);
}

void NativeListWnd::SetStyle(int32_t value) {
    style_ = value;
    if (hWnd_) SetWindowLongPtrW(hWnd_, GWL_STYLE, static_cast<LONG_PTR>(static_cast<uint32_t>(value)));
}

void NativeListWnd::SetThreedBorder(bool value) {
    threedBorder_ = value;
    if (!hWnd_) return;
    LONG_PTR ex = GetWindowLongPtrW(hWnd_, GWL_EXSTYLE);
    ex = value ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(hWnd_, GWL_EXSTYLE, ex);
}

int32_t NativeListWnd::Length() const {
    return hWnd_ ? static_cast<int32_t>(SendMessageA(hWnd_, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

std::wstring NativeListWnd::Text() const {
    if (!hWnd_) return text_;
    std::vector<char> bytes(static_cast<size_t>(Length()) + 1, '\0');
    SendMessageA(hWnd_, WM_GETTEXT, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    return ByteArrayToString(bytes);
}

void NativeListWnd::SetText(const std::wstring& text) {
    std::vector<char> bytes;
    StringToByteArray(text, bytes, false);
    if (hWnd_) SendMessageA(hWnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.data()));
    text_ = hWnd_ ? Text() : text;
}

void NativeListWnd::Clear() {
    if (hWnd_) SendMessageW(hWnd_, messages_.resetContent, 0, 0);
}

int32_t NativeListWnd::ListCount() const {
    return hWnd_ ? static_cast<int32_t>(SendMessageW(hWnd_, messages_.getCount, 0, 0)) : 0;
}

std::wstring NativeListWnd::List(int32_t index) const {
    if (!hWnd_) return std::wstring();
    const LRESULT length = SendMessageA(hWnd_, messages_.getTextLength, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::wstring();
    std::vector<char> bytes(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(hWnd_, messages_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(bytes.data()));
    return ByteArrayToString(bytes);
}

int32_t NativeListWnd::ListIndex() const {
    return hWnd_ ? static_cast<int32_t>(SendMessageW(hWnd_, messages_.getCurSel, 0, 0)) : -2;
}

void NativeListWnd::SetListIndex(int32_t index) {
    if (hWnd_) SendMessageW(hWnd_, messages_.setCurSel, static_cast<WPARAM>(index), 0);
}

int32_t NativeListWnd::AddItem(const std::wstring& text, int32_t insertBefore) {
    if (!hWnd_) return -1;
    std::vector<char> bytes;
    StringToByteArray(text, bytes, false);
    HoldRedrawUntilIdle();
    // Without the has-strings style the list keeps lParam as item data and never reads the text.
    return static_cast<int32_t>(SendMessageA(hWnd_, messages_.insertString, static_cast<WPARAM>(insertBefore),
                                             reinterpret_cast<LPARAM>(bytes.data())));
}

void NativeListWnd::HoldRedrawUntilIdle() {
    // The posted message that ends the hold is seen by the hook: without one the hold would last.
    if (!messages_.holdRedraw || redrawHeld_ || !windowHook_.Hooked() || !IsWindowVisible(hWnd_)) return;
    SendMessageW(hWnd_, WM_SETREDRAW, FALSE, 0);
    if (PostMessageW(hWnd_, WM_SETREDRAW, TRUE, 0)) redrawHeld_ = true;
    else SendMessageW(hWnd_, WM_SETREDRAW, TRUE, 0);
}

void NativeListWnd::AddRows(int32_t count) {
    if (!hWnd_ || count <= 0) return;
    SendMessageW(hWnd_, WM_SETREDRAW, FALSE, 0);
    if (messages_.insertString == LB_INSERTSTRING) SendMessageW(hWnd_, LB_INITSTORAGE, static_cast<WPARAM>(count), 0);
    for (int32_t i = 0; i < count; ++i) SendMessageW(hWnd_, messages_.insertString, static_cast<WPARAM>(-1), 0);
    SendMessageW(hWnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd_, nullptr, TRUE);
}

void NativeListWnd::SetItemHeight(int32_t index, int32_t height) {
    if (hWnd_) SendMessageW(hWnd_, messages_.setItemHeight, static_cast<WPARAM>(index), height);
}

void NativeListWnd::SetVisible(bool value) {
    visible_ = value;
    if (hWnd_) ShowWindow(hWnd_, value ? SW_SHOW : SW_HIDE);
}

void NativeListWnd::SetEnabled(bool value) {
    enabled_ = value;
    if (hWnd_) EnableWindow(hWnd_, value ? TRUE : FALSE);
}

bool NativeListWnd::OwnerRect(RECT& rect) const {
    rect = RECT{};
    if (!hWnd_) return false;
    GetWindowRect(hWnd_, &rect);
    ScreenToOwnerRect(owner_, rect);
    return true;
}

int32_t NativeListWnd::Left() const {
    RECT r;
    return OwnerRect(r) ? r.left : 0;
}
int32_t NativeListWnd::Top() const {
    RECT r;
    return OwnerRect(r) ? r.top : 0;
}
int32_t NativeListWnd::Width() const {
    RECT r;
    return OwnerRect(r) ? r.right - r.left : 0;
}
int32_t NativeListWnd::Height() const {
    RECT r;
    return OwnerRect(r) ? r.bottom - r.top : 0;
}

void NativeListWnd::SetLeft(int32_t value) {
    RECT r;
    if (OwnerRect(r)) SetWindowPos(hWnd_, nullptr, value, r.top, r.right - value, r.bottom - r.top, SWP_NOZORDER);
}
void NativeListWnd::SetTop(int32_t value) {
    RECT r;
    if (OwnerRect(r)) SetWindowPos(hWnd_, nullptr, r.left, value, r.right - r.left, r.bottom - value, SWP_NOZORDER);
}
void NativeListWnd::SetWidth(int32_t value) {
    RECT r;
    if (OwnerRect(r)) SetWindowPos(hWnd_, nullptr, r.left, r.top, value, r.bottom - r.top, SWP_NOZORDER);
}
void NativeListWnd::SetHeight(int32_t value) {
    RECT r;
    if (OwnerRect(r)) SetWindowPos(hWnd_, nullptr, r.left, r.top, r.right - r.left, value, SWP_NOZORDER);
}

void NativeListWnd::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    RECT r;
    if (!OwnerRect(r)) return;
    const int32_t right = width >= 0 ? left + width : r.right;
    const int32_t bottom = height >= 0 ? top + height : r.bottom;
    SetWindowPos(hWnd_, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER);
}

void NativeListWnd::SetFont(IFontDisp* font) {
    font_ = font;
    fontSink_.Watch(font);
    ApplyFont();
}

void NativeListWnd::ApplyFont() {
    fontHandle_.Reset();
    Microsoft::WRL::ComPtr<IFont> font;
    if (font_) font_.As(&font);
    if (font) {
        WindowDC screen(nullptr);
        const LOGFONTW logFont = FontToLogFont(font.Get(), screen.Get());
        fontHandle_.Reset(CreateFontIndirectW(&logFont));
    }
    if (hWnd_) SendMessageW(hWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.Get()), TRUE);
}

void NativeListWnd::Destroy() {
    if (!hWnd_) return;
    // A window about to go need not redraw the rows it drops.
    if (messages_.holdRedraw) SendMessageW(hWnd_, WM_SETREDRAW, FALSE, 0);
    redrawHeld_ = false;
    Clear();
    SetText(L"");
    hDC_ = nullptr;
    windowHook_.Unhook();
    DestroyWindow(hWnd_);
    hWnd_ = nullptr;
}

void NativeListWnd::Create(HWND hWndParent, const std::wstring& name, int32_t x, int32_t y, int32_t cx, int32_t cy,
                           bool userMode, int32_t rows) {
    owner_ = hWndParent;
    DWORD style = WS_CHILD | WS_TABSTOP | static_cast<DWORD>(style_);
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    const DWORD exStyle = threedBorder_ ? WS_EX_CLIENTEDGE : 0;
    std::vector<char> ansiName;
    StringToByteArray(name, ansiName, false);
    CREATESTRUCTA record{};
    record.lpCreateParams = &record;
    record.hInstance = ModuleInstance();
    record.hwndParent = hWndParent;
    record.cy = cy;
    record.cx = cx;
    record.y = y;
    record.x = x;
    record.style = static_cast<LONG>(style);
    record.lpszName = ansiName.data();
    record.lpszClass = messages_.className;
    record.dwExStyle = exStyle;
    hWnd_ = CreateWindowExA(exStyle, messages_.className, ansiName.data(), style, x, y, cx, cy, hWndParent, nullptr,
                            ModuleInstance(), &record);
    if (!hWnd_) return;
    SendMessageW(hWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.Get()), TRUE);
    // Rows added before the hook is in place: every message through it costs the routing.
    AddRows(rows);
    if (userMode) {
        // A window we just made cannot be hooked already; should it fail, the list still works unhooked.
        ui::RunAtBoundary(L"hooking a Palvex combo box or list box", [&] { windowHook_.Hook(hWnd_, false); });
    }
}

void NativeListWnd::WndEvent(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_SETREDRAW && wParam) redrawHeld_ = false;
    if (!events_) return;
    NativeWndEvents& e = *events_;
    const float x = static_cast<float>(static_cast<int16_t>(LOWORD(lParam)));
    const float y = static_cast<float>(static_cast<int16_t>(HIWORD(lParam)));
    switch (uMsg) {
        case WM_SIZE: e.Resize(); break;
        case WM_SETFOCUS: e.GotFocus(); break;
        case WM_KILLFOCUS: e.LostFocus(); break;
        case WM_SETTEXT:
        case WM_CUT:
        case WM_PASTE: e.Change(); break;
        case WM_PAINT: e.Paint(); break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: e.KeyDown(static_cast<int16_t>(wParam), KeyShift()); break;
        case WM_KEYUP:
        case WM_SYSKEYUP: e.KeyUp(static_cast<int16_t>(wParam), KeyShift()); break;
        case WM_CHAR:
            e.KeyPress(static_cast<int16_t>(wParam));
            e.Change();
            break;
        case WM_MOUSEMOVE: e.MouseMove(MouseButtons(wParam), MouseShift(wParam), x, y); break;
        case WM_LBUTTONDOWN: e.MouseDown(1, MouseShift(wParam), x, y); break;
        case WM_LBUTTONUP:
            e.MouseUp(1, MouseShift(wParam), x, y);
            e.Click();
            break;
        case WM_LBUTTONDBLCLK: e.DblClick(); break;
        case WM_RBUTTONDOWN: e.MouseDown(2, MouseShift(wParam), x, y); break;
        case WM_RBUTTONUP: e.MouseUp(2, MouseShift(wParam), x, y); break;
        case WM_MBUTTONDOWN: e.MouseDown(4, MouseShift(wParam), x, y); break;
        case WM_MBUTTONUP: e.MouseUp(4, MouseShift(wParam), x, y); break;
        default: break;
    }
}

}  // namespace palvex
