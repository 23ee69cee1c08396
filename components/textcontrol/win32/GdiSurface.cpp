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

void GdiSurface::Image(const Object& object, const DeviceRect& r) {
    DrawImage(dc_, images_.Get(object.image, object.imageType), RECT{r.left, r.top, r.right, r.bottom});
}

}  // namespace tx
