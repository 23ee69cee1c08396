#pragma once
// Owners for the Win32 handles the forms runtime creates. Each owner counts what it holds, so a test
// can see that creating and unloading a form leaves nothing behind (GetGuiResources answers 0 under
// Wine and cannot serve).

#include <windows.h>

#include <utility>

namespace ui {

enum class HandleKind { Window, Menu, Gdi, Dc, Metafile, ImageList, Count };

struct LiveHandleCounts {
    long windows = 0;
    long menus = 0;
    long gdi = 0;       // fonts, brushes, pens, bitmaps, regions
    long dcs = 0;       // device contexts we created (printer, memory, metafile recorders)
    long metafiles = 0; // finished enhanced metafiles
    long imageLists = 0;
    long Total() const { return windows + menus + gdi + dcs + metafiles + imageLists; }
    bool operator==(const LiveHandleCounts&) const = default;
};

LiveHandleCounts LiveHandles();
long LiveHandleCount();  // the sum of LiveHandles()

namespace detail {
void CountHandle(HandleKind kind, int delta);
// Releasing a handle that Windows refuses to release means it was not ours or was freed twice:
// counted, so that the leak test sees it.
long FailedReleases();
void NoteFailedRelease();
}  // namespace detail

// A GDI object (font, brush, pen, bitmap, region) owned by one C++ object.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) { Reset(h); }
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void Reset(H h = nullptr) {
        if (h_) {
            if (!DeleteObject(h_)) detail::NoteFailedRelease();
            detail::CountHandle(HandleKind::Gdi, -1);
        }
        h_ = h;
        if (h_) detail::CountHandle(HandleKind::Gdi, +1);
    }
    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// A menu handle: destroyed with its owner. Sub-menus are detached first by the menu code, so that
// destroying a bar never destroys a popup that another owner still holds.
class MenuHandle {
public:
    MenuHandle() = default;
    ~MenuHandle() { Reset(); }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    void Reset(HMENU h = nullptr);
    HMENU Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HMENU h_ = nullptr;
};

// A device context we created with CreateDC/CreateCompatibleDC (DeleteDC on release).
class OwnedDc {
public:
    OwnedDc() = default;
    explicit OwnedDc(HDC h) { Reset(h); }
    ~OwnedDc() { Reset(); }
    OwnedDc(OwnedDc&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    OwnedDc& operator=(OwnedDc&& o) noexcept {
        if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;
    void Reset(HDC h = nullptr);
    HDC Get() const { return h_; }
    HDC Release() {
        if (h_) detail::CountHandle(HandleKind::Dc, -1);
        return std::exchange(h_, nullptr);
    }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HDC h_ = nullptr;
};

// A window's DC borrowed with GetDC: given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), h_(GetDC(hwnd)) {}
    ~WindowDc() { if (h_) ReleaseDC(hwnd_, h_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return h_; }

private:
    HWND hwnd_;
    HDC h_;
};

// A finished enhanced metafile (one captured printer page).
class EnhMetafile {
public:
    EnhMetafile() = default;
    explicit EnhMetafile(HENHMETAFILE h) { Reset(h); }
    ~EnhMetafile() { Reset(); }
    EnhMetafile(EnhMetafile&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    EnhMetafile& operator=(EnhMetafile&& o) noexcept {
        if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    void Reset(HENHMETAFILE h = nullptr);
    HENHMETAFILE Get() const { return h_; }

private:
    HENHMETAFILE h_ = nullptr;
};

// Selects an object into a DC for one scope.
class SelectIn {
public:
    SelectIn(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectIn() { if (old_) SelectObject(dc_, old_); }
    SelectIn(const SelectIn&) = delete;
    SelectIn& operator=(const SelectIn&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace ui
