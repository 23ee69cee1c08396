#pragma once
// Lays a document out on pages of its page geometry, in twips, against a TextMeasurer.
//
// Two stages: each paragraph is broken into lines at a given width (cached by the paragraph's
// stamp and width, so an edit re-breaks only the paragraphs it touched); then the cached boxes are
// stacked onto pages, table rows side by side. The second stage only adds heights and is cheap.
// Pages are numbered from 1, as the print calls count them.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "components/textcontrol/layout/TextMeasurer.h"
#include "components/textcontrol/model/Document.h"

namespace tx {

struct LineRun {
    int offset = 0;  // in the paragraph
    int length = 0;
    std::uint32_t format = 0;
    int x = 0;       // from the line's left edge
    int objectId = 0;  // an object placed as a character: the run is that one character
};

struct Line {
    int offset = 0;   // first character, in the paragraph
    int length = 0;   // characters, including trailing blanks and a closing break character
    int width = 0;    // of the visible part
    int ascent = 0;
    int descent = 0;
    int height = 0;   // with the paragraph's line spacing
    int indent = 0;   // left edge from the paragraph box's left edge (indents and alignment)
    bool hardBreak = false;  // ends with a line or page break character
    bool pageBreak = false;  // ends with a page break character
    std::vector<int> caretX; // length + 1 caret positions from the line's left edge
    std::vector<LineRun> runs;
};

struct ParagraphBox {
    std::vector<Line> lines;
    int height = 0;  // lines plus spacing before and after
    int spaceBefore = 0;
};

struct PlacedLine {
    int paragraph = 0;
    int line = 0;    // index into the paragraph box's lines
    int page = 1;
    int x = 0;       // line's left edge on the page
    int y = 0;       // line's top on the page
    int start = 0;   // document position of its first character
};

// A paragraph's part on one page (a paragraph can run over a page end): where frames, list markers
// and backgrounds are drawn.
struct PlacedParagraph {
    int paragraph = 0;
    int page = 1;
    int x = 0, y = 0, width = 0, height = 0;
    bool first = true;          // holds the paragraph's first line (the list marker goes there)
    std::wstring listMarker;    // "1.", "IV.", a bullet ... for the first part of a list paragraph
    int markerX = 0;            // where the marker starts, on the first line's baseline
};

struct PlacedCell {
    int table = 0, row = 0, col = 0;
    int page = 1;
    int x = 0, y = 0, width = 0, height = 0;
};

struct PlacedObject {
    int objectId = 0;
    int page = 1;
    int x = 0, y = 0, width = 0, height = 0;
};

struct CaretPoint {
    int page = 1;
    int x = 0;
    int y = 0;       // top of the line
    int height = 0;
};

class Layout {
public:
    void SetMeasurer(const TextMeasurer* measurer);
    // Brings the layout up to date with the document; re-breaks only changed paragraphs.
    void Update(const Document& document);
    // Forgets every cached paragraph (a new document, a new measurer).
    void Invalidate();

    int PageCount() const { return pageCount_; }
    CaretPoint PositionToPoint(int position) const;
    // The position nearest to a point on a page.
    int PointToPosition(int page, int x, int y) const;

    const std::vector<PlacedLine>& Lines() const { return lines_; }
    const std::vector<PlacedParagraph>& Paragraphs() const { return placedParagraphs_; }
    const std::vector<PlacedCell>& Cells() const { return cells_; }
    const std::vector<PlacedObject>& Objects() const { return objects_; }
    // Header and footer lines, in page coordinates; the same on every page.
    const std::vector<PlacedLine>& HeaderLines() const { return headerLines_; }
    const std::vector<PlacedLine>& FooterLines() const { return footerLines_; }
    const Line& LineOf(const PlacedLine& placed) const;
    const Line& HeaderLineOf(const PlacedLine& placed) const;
    const Line& FooterLineOf(const PlacedLine& placed) const;

    // How many paragraphs the last Update had to break into lines (the rest came from the cache).
    int ParagraphsBroken() const { return broken_; }

    static constexpr int kCellPadding = 60;    // twips inside each cell side
    static constexpr int kDefaultTab = 720;
    static constexpr int kWrapGap = 120;       // twips kept free around an object text flows around
    static constexpr int kMinWrapWidth = 1440; // narrower than this beside an object, text goes below it

private:
    struct CacheKey {
        std::uint64_t stamp;
        int width;
        bool operator==(const CacheKey&) const = default;
    };
    struct CacheHash {
        size_t operator()(const CacheKey& k) const { return std::hash<std::uint64_t>()(k.stamp * 31 + static_cast<std::uint64_t>(k.width)); }
    };
    using Cache = std::unordered_map<CacheKey, ParagraphBox, CacheHash>;

    // `index` is the body paragraph's index, -1 for header and footer paragraphs.
    const ParagraphBox& Box(const Document& d, const Paragraph& p, int index, int width, Cache& next);
    ParagraphBox Break(const Document& d, const Paragraph& p, int index, int width) const;
    void LayoutStory(const Document& d, const std::vector<Paragraph>& story, int top, bool fromBottom,
                     std::vector<PlacedLine>& out, std::vector<const ParagraphBox*>& boxes, Cache& next);

    struct Exclusion {
        int page, left, top, right, bottom;
    };
    // Places the body on pages, keeping text out of the exclusions.
    void Place(const Document& d, Cache& next, const std::vector<Exclusion>& exclusions);

    const TextMeasurer* measurer_ = nullptr;
    FixedPitchMeasurer fallback_;
    Cache cache_;
    std::vector<const ParagraphBox*> boxes_;  // per body paragraph, into cache_
    std::vector<const ParagraphBox*> headerBoxes_, footerBoxes_;
    std::vector<int> firstLine_;              // per body paragraph: its first entry in lines_
    std::vector<PlacedLine> lines_;
    std::vector<PlacedParagraph> placedParagraphs_;
    std::vector<PlacedCell> cells_;
    std::vector<PlacedObject> objects_;
    std::vector<PlacedLine> headerLines_, footerLines_;
    std::vector<int> paragraphStarts_;
    int pageCount_ = 1;
    int broken_ = 0;
};

// The text of a list marker: bullets, or the number in one of the five numbering styles.
std::wstring ListMarker(const ParaFormat& format, int number);

}  // namespace tx
