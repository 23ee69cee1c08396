#pragma once
// Lengths between device pixels and the eight container units of a form (the scale-mode numbers).
// Portable: the device resolution is passed in.

#include <cstdint>

namespace palvex {

enum ScaleUnit : int32_t {
    kUnitOwn = 0,  // in a converter argument: the converting object's own unit
    kTwips = 1,
    kPoints = 2,
    kPixels = 3,
    kCharacters = 4,  // 120 twips across, 240 down
    kInches = 5,
    kMillimetres = 6,
    kCentimetres = 7,
    kHimetric = 8,
};

// Round to the nearest whole number, halves to even, as the language's conversions do.
double RoundHalfEven(double value);
// The integer part, rounded toward zero.
double Trunc(double value);
// a * b / c rounded, as the system's MulDiv: -1 when c is 0 or the result leaves 32 bits.
int32_t MulDivRound(int32_t a, int32_t b, int32_t c);

// Characters go only through the character converters: here they give 0, as unknown units do.
double PixelsToUnits(double pixels, double dpi, int32_t units);
double UnitsToPixels(double value, double dpi, int32_t units);
// Throw zv::Error (overflow) when n times the character size leaves 32 bits.
double CharsXToPixels(int32_t n, double dpi);
double PixelsToCharsX(double pixels, double dpi);
double CharsYToPixels(int32_t n, double dpi);
double PixelsToCharsY(double pixels, double dpi);
int32_t PixelsToHimetric(int32_t pixels, int32_t dpi);
int32_t HimetricToPixels(double himetric, int32_t dpi);

// One length in Units, converted against a device's resolution (set by the platform layer).
class ScaleNumericCore {
public:
    double Value() const { return value_; }
    void SetValue(double value) { value_ = value; }
    int32_t Units() const { return units_; }
    void SetUnits(int32_t units) { units_ = units; }
    void SetResolution(int32_t dpiX, int32_t dpiY) { dpiX_ = dpiX; dpiY_ = dpiY; }
    int32_t DpiX() const { return dpiX_; }
    int32_t DpiY() const { return dpiY_; }

    double AsPixelsX() const;
    void SetAsPixelsX(double pixels);
    double AsPixelsY() const;
    void SetAsPixelsY(double pixels);

    double DeviceTranslateX(double value, int32_t fromUnits, int32_t toUnits) const;
    double DeviceTranslateY(double value, int32_t fromUnits, int32_t toUnits) const;
    // Against the mean resolution of both axes; characters take the mean of both conversions.
    double DeviceTranslate(double value, int32_t fromUnits, int32_t toUnits) const;

private:
    int32_t Resolve(int32_t units) const { return units == kUnitOwn ? units_ : units; }

    double value_ = 0;
    int32_t units_ = kTwips;
    int32_t dpiX_ = 96;
    int32_t dpiY_ = 96;
};

}  // namespace palvex
