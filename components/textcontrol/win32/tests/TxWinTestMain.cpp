#include "components/textcontrol/win32/tests/TxWinTest.h"

#include <functional>


namespace tx::testing {

namespace {
constexpr wchar_t kFrameClass[] = L"ZvTxTestFrame";
}  // namespace

Modifiers::Modifiers(int mods) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    auto set = [&](int vk, bool on) { state[vk] = on ? 0x80 : 0; };
    set(VK_SHIFT, mods & kShift);
    set(VK_LSHIFT, mods & kShift);
    set(VK_CONTROL, mods & kCtrl);
    set(VK_LCONTROL, mods & kCtrl);
    set(VK_MENU, mods & kAlt);
    set(VK_LMENU, mods & kAlt);
    SetKeyboardState(state);
}

Modifiers::~Modifiers() { SetKeyboardState(saved_); }

void TxWinTest::SetUp() {
    UiTest::SetUp();
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFrameClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassExW(&wc);
    frame_ = CreateWindowExW(0, kFrameClass, L"text control test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1100, 760,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(frame_, nullptr);
    ASSERT_TRUE(control_.Create(frame_, RECT{0, 0, 1080, 740}));
    SetFocus(control_.hWnd());
    Pump();
}

void TxWinTest::TearDown() {
    if (frame_) DestroyWindow(frame_);
    frame_ = nullptr;
    Pump();
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    UiTest::TearDown();
}

void TxWinTest::Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

void TxWinTest::Key(int vk, int mods) {
    Modifiers m(mods);
    HWND h = control_.hWnd();
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
    const bool alt = (mods & kAlt) != 0;
    SendMessageW(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk), 1 | (scan << 16));
    // The characters a key makes, as TranslateMessage would post them.
    wchar_t ch = 0;
    if (vk == VK_BACK) ch = L'\b';
    else if (vk == VK_RETURN) ch = L'\r';
    else if (vk == VK_TAB) ch = L'\t';
    else if (mods & kCtrl) {
        if (vk >= 'A' && vk <= 'Z') ch = static_cast<wchar_t>(vk - 'A' + 1);
    }
    if (ch && !alt) SendMessageW(h, WM_CHAR, ch, 1 | (scan << 16));
    SendMessageW(h, alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), 1 | (scan << 16) | (3u << 30));
}

void TxWinTest::Type(const std::wstring& text) {
    HWND h = control_.hWnd();
    for (wchar_t c : text) {
        const SHORT vk = VkKeyScanW(c);
        const int key = vk == -1 ? 0 : (vk & 0xFF);
        if (key) SendMessageW(h, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SendMessageW(h, WM_CHAR, c == L'\n' ? L'\r' : c, 1);
        if (key) SendMessageW(h, WM_KEYUP, static_cast<WPARAM>(key), 1 | (3u << 30));
    }
}

POINT TxWinTest::PointOf(int position) {
    const CaretPoint c = control_.Engine().PositionToPoint(position);
    POINT p = control_.PageToClient(c.page, c.x, c.y + c.height / 2);
    return p;
}

void TxWinTest::Click(POINT p, int mods) {
    Modifiers m(mods);
    const WPARAM keys = (mods & kShift ? MK_SHIFT : 0) | (mods & kCtrl ? MK_CONTROL : 0);
    SendMessageW(control_.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
    SendMessageW(control_.hWnd(), WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
}

void TxWinTest::DoubleClick(POINT p) {
    Click(p);
    SendMessageW(control_.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(control_.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void TxWinTest::Drag(POINT from, POINT to) {
    SendMessageW(control_.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(control_.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    SendMessageW(control_.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(control_.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

Picture Capture(int width, int height, const std::function<void(HDC)>& paint) {
    Picture pic;
    pic.width = width;
    pic.height = height;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paint(dc);
    GdiFlush();
    const auto* p = static_cast<const unsigned*>(bits);
    pic.px.assign(p, p + static_cast<size_t>(width) * height);
    for (auto& v : pic.px) v &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return pic;
}

}  // namespace tx::testing
