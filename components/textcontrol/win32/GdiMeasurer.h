#pragma once
// Measures text with GDI fonts made for one device resolution, so that the layout a device gets
// breaks lines where that device's glyphs really end. It keeps a memory DC of its own rather than
// the device's: a printer or metafile DC may be gone long before the layout is.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "components/textcontrol/layout/TextMeasurer.h"
#include "ui/Handles.h"

namespace tx {

class GdiMeasurer : public TextMeasurer {
public:
    explicit GdiMeasurer(int dotsPerInch);
    int Dpi() const { return dpi_; }
    FontMetrics Metrics(const CharFormat& font) const override;
    void Advances(const CharFormat& font, std::wstring_view text, int* advances) const override;

private:
    struct Entry {
        ui::Font font;
        FontMetrics metrics;
    };
    const Entry& FontFor(const CharFormat& f) const;

    int dpi_;
    ui::OwnedDc dc_;
    mutable std::map<std::tuple<std::wstring, int, bool, bool>, Entry> fonts_;
};

// A GDI font for a character format at a height in device pixels (negative = character height).
HFONT CreateFormatFont(const CharFormat& f, int pixelHeight);

}  // namespace tx
