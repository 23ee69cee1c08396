#include "components/textcontrol/win32/GdiMeasurer.h"

#include <vector>

namespace tx {

HFONT CreateFormatFont(const CharFormat& f, int pixelHeight) {
    LOGFONTW lf{};
    lf.lfHeight = pixelHeight;
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strike;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    wcsncpy(lf.lfFaceName, f.face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

GdiMeasurer::GdiMeasurer(int dotsPerInch) : dpi_(dotsPerInch > 0 ? dotsPerInch : 96), dc_(CreateCompatibleDC(nullptr)) {}

const GdiMeasurer::Entry& GdiMeasurer::FontFor(const CharFormat& f) const {
    auto key = std::make_tuple(f.face, f.size, f.bold, f.italic);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    Entry e;
    CharFormat plain = f;
    plain.underline = plain.strike = false;
    e.font.Reset(CreateFormatFont(plain, -MulDiv(f.size, dpi_, 1440)));
    ui::SelectIn sel(dc_.Get(), e.font.Get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_.Get(), &tm);
    e.metrics.ascent = MulDiv(tm.tmAscent, 1440, dpi_);
    e.metrics.descent = MulDiv(tm.tmDescent, 1440, dpi_);
    return fonts_.emplace(std::move(key), std::move(e)).first->second;
}

FontMetrics GdiMeasurer::Metrics(const CharFormat& font) const { return FontFor(font).metrics; }

void GdiMeasurer::Advances(const CharFormat& font, std::wstring_view text, int* advances) const {
    if (text.empty()) return;
    const Entry& e = FontFor(font);
    ui::SelectIn sel(dc_.Get(), e.font.Get());
    // Cumulative extents converted to twips, then differenced: rounding never adds up along a line.
    std::vector<int> ends(text.size());
    SIZE size{};
    int fit = 0;
    GetTextExtentExPointW(dc_.Get(), text.data(), static_cast<int>(text.size()), INT_MAX, &fit, ends.data(), &size);
    int previous = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int end = MulDiv(ends[i], 1440, dpi_);
        advances[i] = end - previous;
        previous = end;
    }
}

}  // namespace tx
