#include "controls/core/ScaleMath.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "base/Error.h"

namespace palvex {

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) return floor + 1;
    if (fraction < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double Trunc(double value) {
    double r = RoundHalfEven(value);
    if (value >= 0 && r > value) r -= 1;
    if (value < 0 && r < value) r += 1;
    return r;
}

int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    int64_t quotient = product / c;
    const int64_t remainder = product % c;
    // Round half away from zero.
    if (remainder != 0 && std::llabs(remainder) * 2 >= std::llabs(static_cast<int64_t>(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int32_t>::max() || quotient < std::numeric_limits<int32_t>::min())
        return -1;
    return static_cast<int32_t>(quotient);
}

namespace {

// Units per inch of each unit that converts linearly; 0 for pixels, characters and unknown units.
double UnitsPerInch(int32_t units) {
    switch (units) {
        case kTwips: return 1440;
        case kPoints: return 72;
        case kInches: return 1;
        case kMillimetres: return 25.4;
        case kCentimetres: return 2.54;
        case kHimetric: return 2540;
        default: return 0;
    }
}

int32_t CheckedCharTwips(int32_t n, int32_t twipsPerChar) {
    const int64_t twips = static_cast<int64_t>(n) * twipsPerChar;
    if (twips > std::numeric_limits<int32_t>::max() || twips < std::numeric_limits<int32_t>::min())
        throw zv::Error(L"Overflow");
    return static_cast<int32_t>(twips);
}

}  // namespace

double PixelsToUnits(double pixels, double dpi, int32_t units) {
    if (units == kPixels) return pixels;
    const double perInch = UnitsPerInch(units);
    if (perInch == 0 || dpi == 0) return 0;
    return pixels / dpi * perInch;
}

double UnitsToPixels(double value, double dpi, int32_t units) {
    if (units == kPixels) return value;
    const double perInch = UnitsPerInch(units);
    if (perInch == 0) return 0;
    return value * dpi / perInch;
}

double CharsXToPixels(int32_t n, double dpi) {
    return RoundHalfEven(CheckedCharTwips(n, 120) / 1440.0 * dpi);
}
double PixelsToCharsX(double pixels, double dpi) {
    return dpi == 0 ? 0 : RoundHalfEven(pixels / dpi * 1440.0 / 120.0);
}
double CharsYToPixels(int32_t n, double dpi) {
    return RoundHalfEven(CheckedCharTwips(n, 240) / 1440.0 * dpi);
}
double PixelsToCharsY(double pixels, double dpi) {
    return dpi == 0 ? 0 : RoundHalfEven(pixels / dpi * 1440.0 / 240.0);
}

int32_t PixelsToHimetric(int32_t pixels, int32_t dpi) { return MulDivRound(2540, pixels, dpi); }
int32_t HimetricToPixels(double himetric, int32_t dpi) {
    return MulDivRound(dpi, static_cast<int32_t>(RoundHalfEven(himetric)), 2540);
}

double ScaleNumericCore::AsPixelsX() const {
    if (units_ == kCharacters) return CharsXToPixels(static_cast<int32_t>(RoundHalfEven(value_)), dpiX_);
    return RoundHalfEven(UnitsToPixels(value_, dpiX_, units_));
}
void ScaleNumericCore::SetAsPixelsX(double pixels) {
    value_ = units_ == kCharacters ? PixelsToCharsX(pixels, dpiX_) : PixelsToUnits(pixels, dpiX_, units_);
}
double ScaleNumericCore::AsPixelsY() const {
    if (units_ == kCharacters) return CharsYToPixels(static_cast<int32_t>(RoundHalfEven(value_)), dpiY_);
    return RoundHalfEven(UnitsToPixels(value_, dpiY_, units_));
}
void ScaleNumericCore::SetAsPixelsY(double pixels) {
    value_ = units_ == kCharacters ? PixelsToCharsY(pixels, dpiY_) : PixelsToUnits(pixels, dpiY_, units_);
}

namespace {

// One axis: its resolution and the size of a character along it, in twips.
double TranslateAxis(double value, int32_t fromUnits, int32_t toUnits, int32_t dpi, int32_t charTwips) {
    const double pixels = fromUnits == kCharacters
                              ? RoundHalfEven(CheckedCharTwips(static_cast<int32_t>(RoundHalfEven(value)), charTwips) /
                                              1440.0 * dpi)
                              : UnitsToPixels(value, dpi, fromUnits);
    if (toUnits != kCharacters) return PixelsToUnits(pixels, dpi, toUnits);
    return dpi == 0 ? 0 : RoundHalfEven(pixels / dpi * 1440.0 / charTwips);
}

}  // namespace

double ScaleNumericCore::DeviceTranslateX(double value, int32_t fromUnits, int32_t toUnits) const {
    return TranslateAxis(value, Resolve(fromUnits), Resolve(toUnits), dpiX_, 120);
}

double ScaleNumericCore::DeviceTranslateY(double value, int32_t fromUnits, int32_t toUnits) const {
    return TranslateAxis(value, Resolve(fromUnits), Resolve(toUnits), dpiY_, 240);
}

double ScaleNumericCore::DeviceTranslate(double value, int32_t fromUnits, int32_t toUnits) const {
    fromUnits = Resolve(fromUnits);
    toUnits = Resolve(toUnits);
    if (fromUnits == kCharacters || toUnits == kCharacters)
        return (DeviceTranslateX(value, fromUnits, toUnits) + DeviceTranslateY(value, fromUnits, toUnits)) / 2;
    const double dpi = RoundHalfEven((dpiX_ + dpiY_) / 2.0);
    return PixelsToUnits(UnitsToPixels(value, dpi, fromUnits), dpi, toUnits);
}

}  // namespace palvex
