#pragma once
// Proportional widths, like a real font: the layout must not profit from a constant advance.

#include "components/textcontrol/layout/TextMeasurer.h"

namespace tx::bench {

class ProportionalMeasurer : public TextMeasurer {
public:
    FontMetrics Metrics(const CharFormat& f) const override { return {f.size * 9 / 10, f.size / 4}; }
    void Advances(const CharFormat& f, std::wstring_view text, int* advances) const override {
        for (size_t i = 0; i < text.size(); ++i) {
            const wchar_t c = text[i];
            const int percent = c == L' ' ? 28 : (c == L'i' || c == L'l' || c == L'.') ? 25 : (c >= L'A' && c <= L'Z') ? 67 : 52;
            advances[i] = f.size * percent / 100 + (f.bold ? f.size / 20 : 0);
        }
    }
};

}  // namespace tx::bench
