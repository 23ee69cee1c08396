#include "components/textcontrol/model/SystemColors.h"

#include <iterator>

namespace tx {
namespace {

constexpr Color Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// Indices as the system numbers them: scroll bar, desktop, captions, menu, window, frame, texts,
// borders, workspace, highlight, 3-D faces and shadows, grey text, tooltips, link, gradients, menus.
constexpr Color kClassic[] = {
    Rgb(192, 192, 192), Rgb(0, 128, 128),   Rgb(0, 0, 128),     Rgb(128, 128, 128), Rgb(192, 192, 192),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
    Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(0, 0, 128),     Rgb(255, 255, 255),
    Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(192, 192, 192),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(223, 223, 223), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    Rgb(192, 192, 192), Rgb(0, 0, 255),     Rgb(16, 132, 208),  Rgb(181, 181, 181), Rgb(0, 0, 128),
    Rgb(192, 192, 192),
};

}  // namespace

Color PlainColor(Color color, Color fallback) {
    if (color == kNoColor) return fallback;
    if (color & 0x80000000u) {
        const Color index = color & 0xFFFFFFu;
        return index < std::size(kClassic) ? kClassic[index] : fallback;
    }
    return color & 0xFFFFFFu;
}

}  // namespace tx
