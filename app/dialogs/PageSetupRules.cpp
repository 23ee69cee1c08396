#include "app/dialogs/PageSetupRules.h"

#include <cstdlib>
#include <limits>

namespace {

constexpr std::int32_t kMax16 = std::numeric_limits<std::int16_t>::max();

bool Within(const std::optional<std::int32_t>& v, std::int32_t low, const std::optional<std::int32_t>& high) {
    return v && high && *v >= low && *v <= *high;
}

bool Fits16(const std::optional<std::int32_t>& v) {
    return v && *v >= std::numeric_limits<std::int16_t>::min() && *v <= kMax16;
}

}  // namespace

bool ValidatePageEntries(const PageEntries& e) {
    bool ok = true;
    ok &= Within(e.left, 1, e.width);
    ok &= Within(e.right, 1, e.width);
    ok &= Within(e.top, 1, e.height);
    ok &= Within(e.bottom, 1, e.height);
    // Twice the width must be a 16-bit value: 16383 twips at most.
    ok &= e.width && *e.width >= 1 && 2LL * *e.width <= kMax16;
    ok &= e.height && *e.height >= 1 && *e.height <= kMax16;
    return ok;
}

int MatchPaperSize(std::optional<std::int32_t> width, std::optional<std::int32_t> height) {
    if (!Fits16(width) || !Fits16(height)) return kUserDefinedPaper;
    for (size_t i = 0; i < kPaperPresets.size(); ++i) {
        const PaperPreset& p = kPaperPresets[i];
        if (std::abs(p.width - *width) < kPaperTolerance && std::abs(p.height - *height) < kPaperTolerance)
            return static_cast<int>(i);
    }
    return kUserDefinedPaper;
}

int PresetIndex(std::wstring_view name) {
    for (size_t i = 0; i < kPaperPresets.size(); ++i)
        if (name == kPaperPresets[i].name) return static_cast<int>(i);
    return -1;
}
