#pragma once
// What page painting draws on. The painter works out every position itself, in the surface's own
// device units (pixels on the screen, dots on a printer; a writer of page descriptions picks a fine
// unit such as twips), so a surface only puts things where it is told:
//
//   Fill    a solid rectangle (page, backgrounds, borders, frame lines, grid lines, handles)
//   Invert  inverts what is already drawn, a mark that reads on any background
//   Text    one run of characters in one font, each character at the place the layout gave it
//   Image   an image object's picture stretched to a rectangle
//
// Implementations: GDI (screen, printer, thumbnails) and a recording surface for tests.

#include <cstdint>
#include <string_view>

#include "components/textcontrol/model/Document.h"

namespace tx {

// Device units; right and bottom are outside the rectangle. The painter never asks for an empty one.
struct DeviceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const DeviceRect&) const = default;
};

struct TextRun {
    // Face, bold, italic, underline and strike-out come from the format; the size is `height`.
    const CharFormat* format = nullptr;
    int height = 1;         // character height (the em, without internal leading) in device units
    Color color = kBlack;   // resolved: never kNoColor
    int x = 0;              // where the first character starts
    int baseline = 0;
    std::wstring_view text; // line and page breaks, tabs and object characters already made blanks
    // text.size() + 1 character edges from which each character's advance follows, or null for the
    // font's own advances.
    const int* edges = nullptr;
};

// Colours are OLE colours as the document holds them: 0x00BBGGRR, or a system colour
// (0x80000000 | index) that the device resolves.
class Surface {
public:
    virtual ~Surface() = default;
    virtual void Fill(const DeviceRect& r, Color color) = 0;
    virtual void Invert(const DeviceRect& r) = 0;
    virtual void Text(const TextRun& run) = 0;
    // The object's encoded bytes and type are in `object`; a picture that cannot be decoded shows
    // as its place, outlined, so the author sees something is there.
    virtual void Image(const Object& object, const DeviceRect& r) = 0;
    // What a windowed object's host window shows, drawn into its place (printing, previews and
    // thumbnails, where the window itself is not on the device). A surface without windows draws
    // nothing.
    virtual void HostedWindow(std::uintptr_t window, const DeviceRect& r) {}
};

}  // namespace tx
