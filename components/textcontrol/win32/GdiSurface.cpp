#include "components/textcontrol/win32/GdiSurface.h"

#include "components/textcontrol/win32/GdiMeasurer.h"

namespace tx {

COLORREF ColorOf(Color color, COLORREF fallback) {
    if (color == kNoColor) return fallback;
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

HFONT GdiFonts::Get(const CharFormat& f, int height) {
    auto key = std::make_tuple(f.face, f.bold, f.italic, f.underline, f.strike, height);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(std::move(key), ui::Font(CreateFormatFont(f, -height))).first;
    return it->second.Get();
}

GdiSurface::GdiSurface(HDC dc, ImageCache& images, GdiFonts& fonts)
    : dc_(dc), saved_(SaveDC(dc)), images_(images), fonts_(fonts) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

GdiSurface::~GdiSurface() { RestoreDC(dc_, saved_); }

void GdiSurface::Fill(const DeviceRect& r, Color color) {
    SetBkColor(dc_, ColorOf(color, RGB(255, 255, 255)));
    const RECT rc{r.left, r.top, r.right, r.bottom};
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);  // a solid fill that needs no brush
}

void GdiSurface::Invert(const DeviceRect& r) {
    const RECT rc{r.left, r.top, r.right, r.bottom};
    InvertRect(dc_, &rc);
}

void GdiSurface::Text(const TextRun& run) {
    const int n = static_cast<int>(run.text.size());
    const int* dx = nullptr;
    if (run.edges) {
        advances_.resize(run.text.size());
        for (int k = 0; k < n; ++k) advances_[static_cast<size_t>(k)] = run.edges[k + 1] - run.edges[k];
        dx = advances_.data();
    }
    ui::SelectIn font(dc_, fonts_.Get(*run.format, run.height));
    SetTextColor(dc_, ColorOf(run.color, RGB(0, 0, 0)));
    ExtTextOutW(dc_, run.x, run.baseline, 0, nullptr, run.text.data(), static_cast<UINT>(n), dx);
}

namespace {

// A window and its visible children as they paint themselves, into `dc` with the window's
// client top-left at `origin`. Windows that are not on the screen (a hidden print control's)
// never get WM_PAINT, so each is asked to print its client area instead.
void PrintWindowTree(HWND window, HDC dc, POINT origin, int depth) {
    POINT old{};
    SetViewportOrgEx(dc, origin.x, origin.y, &old);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
    if (depth >= 8) return;
    // Bottom of the z-order first, so that the top child is drawn last.
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        PrintWindowTree(child, dc, POINT{origin.x + r.left, origin.y + r.top}, depth + 1);
    }
}

}  // namespace

void DrawHostedWindow(HDC dc, HWND host, const RECT& r) {
    if (!IsWindow(host)) return;
    RECT client{};
    GetClientRect(host, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PatBlt(memory, 0, 0, client.right, client.bottom, WHITENESS);
        PrintWindowTree(host, memory, POINT{0, 0}, 0);
        const int mode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, client.right, client.bottom,
                   SRCCOPY);
        SetStretchBltMode(dc, mode);
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
}

void GdiSurface::HostedWindow(std::uintptr_t window, const DeviceRect& r) {
    DrawHostedWindow(dc_, reinterpret_cast<HWND>(window), RECT{r.left, r.top, r.right, r.bottom});
}

void GdiSurface::Image(const Object& object, const DeviceRect& r) {
    DrawImage(dc_, images_.Get(object.image, object.imageType), RECT{r.left, r.top, r.right, r.bottom});
}

}  // namespace tx
