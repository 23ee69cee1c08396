#pragma once
// Paints laid-out pages onto a Surface: the one drawing code for the screen, the printer, previews,
// thumbnails and page descriptions. Positions come from the layout in twips; the painter maps them
// with one scale (device units per twip) and an origin, and draws every run with the layout's own
// character positions, so that text lands where the layout put it at any zoom and on any device.
// The layout must have been made with a measurer for the same device resolution.
//
// Order on a page (later things cover earlier ones): the white sheet, cell backgrounds, grid lines and
// borders, paragraph frames, list markers, body lines (run backgrounds, text, then the selection in
// the system's highlight colours over them), header and footer lines, objects with the current
// object's handles.

#include <functional>

#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/model/Document.h"
#include "components/textcontrol/paint/Surface.h"

namespace tx {

// The selection's colours: the system's highlight and highlight text, as every other window shows a
// selection.
inline constexpr Color kSelectionBack = 0x8000000Du;
inline constexpr Color kSelectionText = 0x8000000Eu;

struct PaintOptions {
    int selStart = 0, selEnd = 0;  // highlighted range (screen only); empty = none
    bool gridLines = false;        // light lines where table cells have no border
    bool fillPage = true;          // paint the page white first
    int currentObject = 0;         // framed with handles (screen only)
    bool hostedWindows = false;    // draw what hosted windows show (off screen, where they are absent)
};

// Where a page lands on the device: its top-left corner at (originX, originY), `scale` device units
// per twip.
struct PagePlacement {
    double originX = 0, originY = 0;
    double scale = 1;
};

void PaintPage(Surface& surface, const Layout& layout, const Document& doc, int page, const PagePlacement& where,
               const PaintOptions& options);

struct DevicePoint {
    int x = 0, y = 0;
};

// The view of all pages in a window: in the normal view the text runs on white with a grey line where
// a page ends; the page views show each page as a sheet with a shadow on a grey desk. Only pages that
// reach into the client rectangle are painted.
struct ViewPaint {
    DeviceRect client;
    bool sheets = false;
    double scale = 1;
    // A page's top-left corner in the window; the view's scrolling and centring live there.
    std::function<DevicePoint(int page)> pageOrigin;
    PaintOptions options;
};

void PaintView(Surface& surface, const Layout& layout, const Document& doc, const ViewPaint& view);

}  // namespace tx
