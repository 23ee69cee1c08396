#pragma once
// The painting surface over a GDI device context: the screen's back buffer, a printer, a metafile
// or a thumbnail's bitmap. Device units are the DC's own pixels (MM_TEXT). While the surface lives
// it owns the DC's text alignment and background mode; it gives the DC back as it found it.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "components/textcontrol/paint/Surface.h"
#include "components/textcontrol/win32/ImageCache.h"
#include "ui/Handles.h"

namespace tx {

// What a hosted window (and the windows in it) shows, drawn into `r` of `dc`: windows that are not
// on the screen are asked to print themselves.
void DrawHostedWindow(HDC dc, HWND host, const RECT& r);

// Fonts by format and pixel height, kept from one paint to the next; a new zoom or device makes
// other heights, so its owner clears it then.
class GdiFonts {
public:
    HFONT Get(const CharFormat& f, int height);
    void Clear() { fonts_.clear(); }
    size_t Size() const { return fonts_.size(); }

private:
    std::map<std::tuple<std::wstring, bool, bool, bool, bool, int>, ui::Font> fonts_;
};

class GdiSurface : public Surface {
public:
    GdiSurface(HDC dc, ImageCache& images, GdiFonts& fonts);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    void Fill(const DeviceRect& r, Color color) override;
    void Invert(const DeviceRect& r) override;
    void Text(const TextRun& run) override;
    void Image(const Object& object, const DeviceRect& r) override;
    void HostedWindow(std::uintptr_t window, const DeviceRect& r) override;

private:
    HDC dc_;
    int saved_;
    ImageCache& images_;
    GdiFonts& fonts_;
    std::vector<int> advances_;
};

// OLE colour to GDI colour; "no colour" reads as the fallback.
COLORREF ColorOf(Color color, COLORREF fallback);

}  // namespace tx
