#pragma once
// Draws one laid-out page onto a device context: the one drawing code for the screen, the printer,
// previews and thumbnails. Positions come from the layout in twips; the renderer maps them with
// one scale (device pixels per twip) and an origin, and draws every run with the layout's own
// character positions, so that text lands where the layout put it at any zoom and on any device.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/model/Document.h"
#include "components/textcontrol/win32/ImageCache.h"
#include "ui/Handles.h"

namespace tx {

struct RenderOptions {
    int selStart = 0, selEnd = 0;  // highlighted range (screen only); empty = none
    bool gridLines = false;        // light lines where table cells have no border
    bool fillPage = true;          // paint the page white first
    int currentObject = 0;         // framed with handles (screen only)
};

class PageRenderer {
public:
    explicit PageRenderer(ImageCache& images) : images_(images) {}
    // The page's top-left corner goes to device point (originX, originY).
    void DrawPage(HDC dc, const Layout& layout, const Document& doc, int page, double originX, double originY,
                  double scale, const RenderOptions& options);
    // Fonts are made per pixel height; a new zoom makes new ones.
    void ForgetFonts() { fonts_.clear(); }
    size_t FontCount() const { return fonts_.size(); }

private:
    int X(int twips) const;
    int Y(int twips) const;
    HFONT FontFor(const CharFormat& f);
    void DrawLine(HDC dc, const Document& doc, const Paragraph& p, const Line& line, int x, int y, int start,
                  const RenderOptions& options);
    void DrawCells(HDC dc, const Layout& layout, const Document& doc, int page, const RenderOptions& options);
    void DrawFrames(HDC dc, const Layout& layout, const Document& doc, int page);

    ImageCache& images_;
    std::map<std::tuple<std::wstring, bool, bool, bool, bool, int>, ui::Font> fonts_;
    double originX_ = 0, originY_ = 0, scale_ = 1;
};

// OLE colour to GDI colour; "no colour" reads as the fallback.
COLORREF ColorOf(Color color, COLORREF fallback);

}  // namespace tx
