#pragma once
// Lays a document out on pages of its page geometry, in twips, against a TextMeasurer.
//
// Two stages: each paragraph is broken into lines at a given width (kept per paragraph with the
// paragraph's stamp and the width, so an edit re-breaks only the paragraphs it touched); then the
// boxes are stacked onto pages, table rows side by side.
//
// An update after an edit is incremental: the document lists the paragraphs it changed since the
// last update (Document::ChangesSince), and stacking resumes at the first of them from the state
// remembered there (page, height, list numbers). Once past the changed paragraphs, it stops where it
// arrives in the same state as before: the rest of the layout only moves by the characters gained or
// lost. So a keystroke costs its paragraph, not the document. Whatever the document cannot list
// (another document, a new measurer or page, tables, objects, header and footer) lays out anew, with
// the same result. Pages are numbered from 1, as the print calls count them.

#include <cstdint>
#include <string>
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

// A cell as drawn: a merged cell is one placed cell over all the rows and columns it covers, named
// by its first (top-left) grid cell.
struct PlacedCell {
    int table = 0, row = 0, col = 0;
    int page = 1;
    int x = 0, y = 0, width = 0, height = 0;
    int rows = 1, cols = 1;
    bool operator==(const PlacedCell&) const = default;
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
    // The index in Lines() of the line holding a position (the later line where a wrapped line's end
    // meets the next line's start); 0 when there are no lines.
    int LineAt(int position) const;
    // The first index in Lines() of a page's lines, and one past its last.
    std::pair<int, int> LinesOfPage(int page) const;

    const std::vector<PlacedLine>& Lines() const { return lines_; }
    const std::vector<PlacedParagraph>& Paragraphs() const { return placedParagraphs_; }
    const std::vector<PlacedCell>& Cells() const { return cells_; }
    const std::vector<PlacedObject>& Objects() const { return objects_; }
    // Header and footer lines of a page, in page coordinates. A story holding a page number is laid
    // out once per page, so that each number's own width counts when the line is aligned; any other
    // story is the same on every page. The line's `page` says which page's story it belongs to.
    const std::vector<PlacedLine>& HeaderLines(int page = 1) const { return StoryOf(header_, page).lines; }
    const std::vector<PlacedLine>& FooterLines(int page = 1) const { return StoryOf(footer_, page).lines; }
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
    // A paragraph broken at one width, remembered with what it was broken from.
    struct CachedBox {
        std::uint64_t stamp = 0;
        int width = -1;
        ParagraphBox box;
    };
    // Stacking state at a paragraph's start: where it goes and how lists count there.
    struct PlaceState {
        int page = 1;
        int y = 0;
        int counters[kMaxListLevel + 1] = {};
        bool operator==(const PlaceState&) const = default;
    };
    // Where a paragraph's placement began in each list, and in what state.
    struct Marks {
        int line = 0, part = 0, cell = 0, object = 0;
    };
    // What the layout keeps per body paragraph: its boxes (two widths, beside an object and not), the
    // one placed, and where and how its placement began.
    struct Slot {
        CachedBox boxes[2];
        int placed = 0;
        Marks first;
        PlaceState before;
        // `before` and `first` hold for the paragraph now in the slot: it was placed as a unit's start,
        // or stands where such a paragraph stood. An update may resume there.
        bool startKnown = false;
    };
    // The lists one placement run writes.
    struct Output {
        std::vector<PlacedLine> lines;
        std::vector<PlacedParagraph> parts;
        std::vector<PlacedCell> cells;
        std::vector<PlacedObject> objects;
        Marks Sizes() const {
            return {static_cast<int>(lines.size()), static_cast<int>(parts.size()), static_cast<int>(cells.size()),
                    static_cast<int>(objects.size())};
        }
    };
    struct Exclusion {
        int page, left, top, right, bottom;
    };

    // The lines of a header or footer and the boxes they come from, for one page or for all.
    struct StoryLayout {
        std::vector<PlacedLine> lines;
        std::vector<CachedBox> boxes;
    };
    static const StoryLayout& StoryOf(const std::vector<StoryLayout>& pages, int page);

    // `index` is the body paragraph's index, -1 for header and footer paragraphs; `pageNumber` is
    // what a page-number character shows (0: nothing, and it takes no room).
    ParagraphBox Break(const Document& d, const Paragraph& p, int index, int width, int pageNumber = 0) const;
    // The box of a paragraph at a width from one of two remembered, broken anew when neither fits.
    const ParagraphBox& BoxIn(CachedBox (&boxes)[2], int& used, const Document& d, const Paragraph& p, int index, int width);
    const ParagraphBox& SlotBox(const Document& d, int index, int width);

    void FullUpdate(const Document& d, bool aligned);
    // Lays out again from the unit before the first changed paragraph (`lo`) until, past the last
    // (`hi`), it arrives in the state the old layout had there.
    void IncrementalUpdate(const Document& d, int lo, int hi);
    // Applies the document's listed changes to the slots; `lo`..`hi` receive the changed range
    // (new numbering; hi < lo when paragraphs only went).
    void ApplyChanges(const std::vector<BodyChange>& changes, int& lo, int& hi);
    // Places the unit (a paragraph, or a whole table) starting at paragraph `i`; returns the next.
    int PlaceUnit(const Document& d, int i, PlaceState& state, const std::vector<Exclusion>& exclusions, Output& out,
                  const Marks& base);
    void PlaceLines(const Document& d, int index, const ParagraphBox& box, int x, int boxWidth, int& y,
                    bool allowBreaks, PlaceState& state, Output& out, const Marks& base);
    void PlaceAll(const Document& d, const std::vector<Exclusion>& exclusions);
    void PlaceFixedObjects(const Document& d);
    void LayoutStory(const Document& d, const std::vector<Paragraph>& story, int top, bool fromBottom, int pageNumber,
                     StoryLayout& out);
    void LayoutStories(const Document& d);
    static bool HasExclusions(const Document& d);

    const TextMeasurer* measurer_ = nullptr;
    FixedPitchMeasurer fallback_;
    std::vector<Slot> slots_;                  // per body paragraph
    std::vector<StoryLayout> header_ = std::vector<StoryLayout>(1), footer_ = std::vector<StoryLayout>(1);
    std::vector<PlacedLine> lines_;
    std::vector<PlacedParagraph> placedParagraphs_;
    std::vector<PlacedCell> cells_;
    std::vector<PlacedObject> objects_;        // objects placed as characters, then the fixed ones
    int charObjects_ = 0;                      // how many of objects_ are placed as characters
    PlaceState endState_;                      // after the last paragraph
    int pageCount_ = 1;
    int broken_ = 0;
    // What the layout was made from, to tell whether the document's change list can bring it up to date.
    bool valid_ = false;
    std::uint64_t identity_ = 0;
    std::uint64_t version_ = 0;
    PageSetup page_;
};

// The text of a list marker: bullets, or the number in one of the five numbering styles.
std::wstring ListMarker(const ParaFormat& format, int number);

}  // namespace tx
