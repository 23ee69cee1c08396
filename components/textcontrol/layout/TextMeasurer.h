#pragma once
// What the layout needs to know about fonts, in twips, so that one layout serves the screen, the
// printer and thumbnails: the view and the printer implement this over their device context.

#include <string_view>

#include "components/textcontrol/model/Formats.h"

namespace tx {

struct FontMetrics {
    int ascent = 0;   // twips above the baseline
    int descent = 0;  // twips below it
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Only face, size, bold and italic of the format matter.
    virtual FontMetrics Metrics(const CharFormat& font) const = 0;
    // The advance of each character of `text` in twips, into advances[0 .. text.size()).
    virtual void Advances(const CharFormat& font, std::wstring_view text, int* advances) const = 0;
};

// A measurer without a device: every character is `widthPercent` of the font size wide (bold adds
// a tenth), ascent 80 % and descent 20 % of the size. Deterministic, so tests can compute where lines
// break; also the fallback before a view supplies its own measurer.
class FixedPitchMeasurer : public TextMeasurer {
public:
    explicit FixedPitchMeasurer(int widthPercent = 50) : widthPercent_(widthPercent) {}
    FontMetrics Metrics(const CharFormat& font) const override {
        return {font.size * 4 / 5, font.size - font.size * 4 / 5};
    }
    void Advances(const CharFormat& font, std::wstring_view text, int* advances) const override {
        const int w = font.size * widthPercent_ / 100 + (font.bold ? font.size / 10 : 0);
        for (size_t i = 0; i < text.size(); ++i) advances[i] = w;
    }

private:
    int widthPercent_;
};

}  // namespace tx
