#pragma once
// The document model: the body as a sequence of paragraphs in reading order, tables as a grid
// record whose cell text lives in those paragraphs (each cell paragraph names its cell), and the
// items anchored in the text (fields, objects, marks) as positions that every edit keeps up to date.
//
// Position space: the body's text is its paragraphs joined by one separator character ('\n'), so a
// document of n paragraphs has n - 1 separators and positions run from 0 to Length(). Objects placed
// as characters occupy one position (kObjectChar). Page breaks are '\f' inside a paragraph; a header's
// or footer's page number is kPageNumberChar.
//
// Invariants the operations keep: there is always at least one paragraph; the last paragraph is
// never inside a table (text can always follow a table); a table's paragraphs are contiguous and in
// row-major cell order, every cell holding at least one paragraph; fields do not overlap.
//
// Readers build a document through its public members; once built, it is changed only through the
// editing members below. They keep three things in step that a direct change would not: the index of
// paragraph starts that makes position look-ups logarithmic, the journal of the undo step being
// recorded (model/Journal.h), and the list of changed paragraphs the layout reads to re-lay out only
// those (BodyChange).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/textcontrol/model/Formats.h"

namespace tx {

inline constexpr wchar_t kParagraphSeparator = L'\n';
inline constexpr wchar_t kObjectChar = 0xFFFC;
inline constexpr wchar_t kPageBreak = L'\f';
inline constexpr wchar_t kLineBreak = L'\v';
// A page-number field in a header or footer: one character that prints as the number of the page it
// is printed on. A Unicode noncharacter, so that no text from outside can mean it by chance; in the
// body, where a line's page is not known while it is broken, it takes no room and shows nothing.
inline constexpr wchar_t kPageNumberChar = 0xFDD0;

// Where a paragraph sits in a table; table 0 = outside any table. Rows and columns are 1-based.
struct CellRef {
    int table = 0;
    int row = 0;
    int col = 0;
    bool operator==(const CellRef&) const = default;
};

struct Paragraph {
    std::wstring text;
    std::vector<std::uint32_t> formats;  // one index into Document::charFormats per character
    ParaFormat format;
    CellRef cell;
    std::uint64_t stamp = 0;  // changes whenever the paragraph changes; the layout caches by it
    std::uint64_t journaled = 0;  // the journal that already holds this paragraph's earlier state
};

// A cell's merge marks: it continues the merged cell to its left, or the one above it. A cell
// inside a merged block of several rows and columns carries both, except along the block's first
// row (left only) and first column (up only).
namespace merge {
inline constexpr std::uint8_t kLeft = 1, kUp = 2;
inline constexpr std::uint8_t kBoth = kLeft | kUp;
}  // namespace merge

struct CellAttributes {
    int leftBorder = 0;    // twips
    int topBorder = 0;
    int rightBorder = 0;
    int bottomBorder = 0;
    Color background = kNoColor;
    int gridWidth = 15;    // twips of the grid line drawn when grid lines are shown
    std::uint8_t merge = 0;  // merge:: marks
    bool operator==(const CellAttributes&) const = default;
};

// The merged cell a grid cell belongs to: its first (top-left) cell and how many rows and columns
// it covers. A cell that is not merged is a span of one by one at itself.
struct CellSpan {
    int row = 1, col = 1;
    int rows = 1, cols = 1;
    bool operator==(const CellSpan&) const = default;
};

struct Table {
    int id = 0;
    int rows = 0;
    int cols = 0;
    std::vector<int> columnWidths;     // twips, one per column
    std::vector<CellAttributes> cells; // rows * cols, row-major
    CellAttributes& Cell(int row, int col) { return cells[static_cast<size_t>((row - 1) * cols + (col - 1))]; }
    const CellAttributes& Cell(int row, int col) const {
        return cells[static_cast<size_t>((row - 1) * cols + (col - 1))];
    }
    // Every cell's merged cell, row-major. Merged cells are rectangles: a run of cells marked as
    // continuing to the left joins its row's block, and a block grows down while every cell under
    // it is marked as continuing from above. Marks that cannot join a rectangle count for nothing.
    std::vector<CellSpan> Spans() const;
    // Rewrites the merge marks to say exactly what Spans() makes of them (so that two tables with
    // the same merged cells compare equal, and edits start from clean marks).
    void NormalizeMerges();
    bool operator==(const Table&) const = default;
};

// Hyperlink kinds as the program stores them.
inline constexpr int kLinkNone = 0;
inline constexpr int kLinkAddress = 1;  // web address, repository item or page link
inline constexpr int kLinkAnchor = 2;   // a mark of the same document

struct Field {
    int id = 0;
    int start = 0;   // first position
    int length = 0;  // > 0
    int kind = kLinkNone;
    std::wstring target;
    bool operator==(const Field&) const = default;
};

enum class ObjectKind : std::uint8_t { Image = 0, Windowed = 1 };
enum class ImageType : std::uint8_t { Unknown = 0, Png = 1, Jpeg = 2, Bmp = 3, Gif = 4, Wmf = 5, Emf = 6, Tiff = 7 };

struct Object {
    int id = 0;
    ObjectKind kind = ObjectKind::Image;
    bool fixed = false;   // false: a character at `anchor`; true: placed at (x, y) on the page
    int anchor = 0;       // position of its character, or of the text it moves with when fixed
    int x = 0, y = 0;     // twips from the page's top-left corner (fixed objects)
    int width = 0, height = 0;     // natural size in twips
    int scaleX = 100, scaleY = 100; // percent
    int textFlow = 0;     // fixed objects: 0 = text flows around, 1 = text runs over it
    ImageType imageType = ImageType::Unknown;
    std::shared_ptr<const std::string> image;  // encoded bytes as read; decoding is the view's business
    std::wstring name;                         // windowed objects: what the host recreates them from
    // Images: the room kept free between the image and the text on each side (left, top, right,
    // bottom), in twips; whether a document written for the web carries the image inside it or
    // beside it in a file; and the 1-based entry of ImageSaveFormats to write it in (0 = none chosen).
    std::array<int, 4> distance{};
    bool embedded = true;
    int saveFormat = 0;
    std::uintptr_t hostWindow = 0;             // runtime only: the host's window for a windowed object

    int ShownWidth() const { return static_cast<int>(static_cast<long long>(width) * scaleX / 100); }
    int ShownHeight() const { return static_cast<int>(static_cast<long long>(height) * scaleY / 100); }
};

struct Mark {
    std::wstring name;
    int position = 0;
    bool operator==(const Mark&) const = default;
};

struct PageSetup {
    int width = 15228;   // twips; the editor's default page
    int height = 9618;
    int marginLeft = 1440;
    int marginTop = 1440;
    int marginRight = 1440;
    int marginBottom = 1440;
    bool operator==(const PageSetup&) const = default;
};

// Header and footer text: paragraphs of their own, sharing the document's character formats.
struct Story {
    std::vector<Paragraph> paragraphs;
    bool Empty() const { return paragraphs.empty(); }
};

struct Location {
    int paragraph = 0;
    int offset = 0;
};

// A change of the body's paragraphs, as the layout reads it: at `index`, `removed` paragraphs were
// replaced by `inserted` ones (1 by 1: a paragraph changed in place). An index of -1 says that
// something beyond the paragraphs changed (tables, objects, header or footer): lay out everything.
struct BodyChange {
    int index = 0;
    int removed = 0;
    int inserted = 0;
    bool operator==(const BodyChange&) const = default;
};

class Journal;

class Document {
public:
    Document();

    // ---- the position space ----
    int Length() const;
    int ParagraphStart(int paragraph) const;
    int ParagraphCount() const { return static_cast<int>(paragraphs.size()); }
    // The paragraph holding a position and the offset in it; a position on a separator belongs to
    // the paragraph it ends. Positions are clamped to 0..Length().
    Location Locate(int position) const;
    std::wstring Text(int start, int length) const;
    std::wstring AllText() const { return Text(0, Length()); }
    const CharFormat& FormatAt(int paragraph, int offset) const;
    // The first position at or after `from` where `needle` stands in the text (separators included),
    // -1 when nowhere. Searches in place: no copy of the text is made.
    int Find(std::wstring_view needle, int from, bool ignoreCase) const;

    // ---- editing ----
    // Inserts text in one character format; "\r\n", "\r" and "\n" start new paragraphs.
    // Returns the number of positions inserted.
    int Insert(int position, std::wstring_view text, std::uint32_t format);
    // Removes text; separators between different table cells stay (their cells are only emptied),
    // and a table wholly inside the range goes with it.
    void Delete(int position, int length);
    std::uint32_t InternFormat(const CharFormat& format);
    // Calls `change` on the character format of every character in the range.
    void ModifyCharFormats(int start, int length, const std::function<void(CharFormat&)>& change);
    void ModifyParaFormats(int start, int length, const std::function<void(ParaFormat&)>& change);
    // First and last paragraph touched by a range (an empty range touches the caret's paragraph).
    std::pair<int, int> ParagraphRange(int start, int length) const;
    // Marks a paragraph changed for the layout (its object grew, its link went).
    void Touch(int paragraph);

    // Inserts a whole document (its paragraphs, tables, fields, objects and marks) at a position, the
    // way a paste or an insert-load does. Inside a table cell the inserted tables become plain
    // paragraphs of that cell. Returns the number of positions inserted.
    int InsertDocument(int position, const Document& other);

    // ---- fields ----
    const Field* FindField(int id) const;
    // For a change of the field's kind or target (recorded in the journal first); nullptr when none.
    Field* EditField(int id);
    // The field covering a position (or ending at it, so a caret just behind a link is in it).
    int FieldAt(int position) const;
    // Adds a field over a range; fails (0) when the range is empty, crosses a paragraph or overlaps
    // another field. `id` 0 = a new id; else the id of a field being re-made (it must be free).
    int AddField(int start, int length, int kind, std::wstring target, int id = 0);
    void RemoveField(int id);
    // Fields in text order: the one after `id` (0 = the first), 0 after the last.
    int NextField(int id) const;

    // ---- objects ----
    const Object* FindObject(int id) const;
    // For a change of the object's place, size, scale, name or window; nullptr when none.
    Object* EditObject(int id);
    // An object placed as a character gets its character inserted at `object.anchor`.
    int AddObject(Object object, std::uint32_t format);
    void RemoveObject(int id);

    // ---- tables ----
    const Table* FindTable(int id) const;
    // For a change of column widths or cell attributes; nullptr when none.
    Table* EditTable(int id);
    // Inserts an empty table at a position, splitting the paragraph there; 0 when the position is in
    // a table or the size is out of range.
    int InsertTable(int position, int rows, int cols, int totalWidth);
    // The paragraphs of a table and of one cell: [first, last].
    std::pair<int, int> TableParagraphs(int id) const;
    std::pair<int, int> CellParagraphs(int id, int row, int col) const;
    bool InsertRow(int id, int row, bool below);
    bool InsertColumn(int id, int col, bool right);
    bool DeleteRows(int id, int firstRow, int count);
    bool DeleteColumn(int id, int col);
    void DeleteTable(int id);

    // ---- marks ----
    const Mark* FindMark(std::wstring_view name) const;
    void SetMark(std::wstring name, int position);

    // ---- styles, header and footer ----
    std::vector<Style>& EditStyles();
    Story& EditStory(bool header);

    // Checks the invariants; returns an empty text when they hold, else what is wrong. Readers run it
    // on what they built so that no malformed document reaches the engine.
    std::wstring Validate() const;

    // ---- journal (undo) ----
    // Every change from now on is recorded into `journal` (nullptr: none). The journal must outlive
    // the recording; a copy of the document does not record into it. Changes of single items (an
    // object's name, its window) are recorded into `itemsAlso` as well: the undo history uses it
    // after an undo, when both the step undone and the one before it must be able to take such a
    // change back.
    void SetJournal(Journal* journal, Journal* itemsAlso = nullptr) {
        track_.journal = journal;
        track_.itemsAlso = itemsAlso;
    }
    Journal* CurrentJournal() const { return track_.journal; }
    // Takes back every change `journal` holds, newest first, recording the reverse into the current
    // journal (so that reverting that one redoes them).
    void Revert(Journal&& journal);

    // ---- changes for the layout ----
    // Which document this is: a copy or an assigned document is another one.
    std::uint64_t Identity() const { return track_.identity; }
    // Counts the body changes so far.
    std::uint64_t Version() const { return track_.version; }
    // The body changes after `version`, oldest first; false when they are no longer known (too many
    // since, or the version is not this document's).
    bool ChangesSince(std::uint64_t version, std::vector<BodyChange>& out) const;

    std::vector<Paragraph> paragraphs;
    std::vector<Table> tables;
    std::vector<CharFormat> charFormats;  // [0] is the default format
    std::vector<Field> fields;            // sorted by start
    std::vector<Object> objects;
    std::vector<Mark> marks;
    std::vector<Style> styles;
    Story header;
    Story footer;
    PageSetup page;
    int nextFieldId = 1;
    int nextObjectId = 1;
    int nextTableId = 1;
    std::uint64_t stampCounter = 0;

    Paragraph NewParagraph(ParaFormat format = {}, CellRef cell = {});

private:
    friend class Journal;

    // Where each paragraph starts, as a tree of sums over the paragraph lengths: a start, a look-up by
    // position and a length change each take log n steps. Built on first use from the paragraphs,
    // rebuilt after paragraphs come or go.
    class PositionIndex {
    public:
        void Reset() { built_ = false; }
        void Invalidate() { built_ = false; }
        void Changed(int paragraph) { if (built_) dirty_.push_back(paragraph); }
        int Start(const std::vector<Paragraph>& paragraphs, int paragraph);
        int Total(const std::vector<Paragraph>& paragraphs);
        int Find(const std::vector<Paragraph>& paragraphs, int position);  // the last paragraph starting at or before it
        bool Matches(const std::vector<Paragraph>& paragraphs) const;

    private:
        void Ensure(const std::vector<Paragraph>& paragraphs);
        void Add(size_t paragraph, int delta);
        bool built_ = false;
        std::vector<int> lengths_;  // text plus its separator
        std::vector<int> tree_;     // Fenwick sums over lengths_
        std::vector<int> dirty_;    // paragraphs whose length may have changed
        int total_ = 0;
    };

    // Every in-place change of a paragraph goes through here: the journal keeps its earlier state,
    // the index and the layout hear of it.
    Paragraph& EditParagraph(int index);
    // Paragraphs come and go only through these two; neither moves the anchored items.
    void PutParagraphs(int index, std::vector<Paragraph> added);
    void TakeParagraphs(int index, int count);
    void NoteChange(BodyChange change);
    void NoteEverythingChanged() { NoteChange(BodyChange{-1, 0, 0}); }
    void SaveTables();
    Field* MutableField(int id);
    Object* MutableObject(int id);
    Table* MutableTable(int id);
    template <class T> std::vector<T>& Items();
    template <class T> void InsertItem(size_t index, T value);
    template <class T> void EraseItem(size_t index);
    template <class T> T& EditItem(size_t index);

    // Keeps the anchored items in step with the text: `count` positions appeared at `position`, or
    // disappeared from it.
    void ShiftForInsert(int position, int count);
    void ShiftForDelete(int position, int count);
    // The three maps those shifts are made of; each is journaled by its caller.
    void MapInsert(int position, int count);
    void MapDelete(int position, int count);    // collapses the range onto `position`, removes nothing
    void MapUndelete(int position, int count);  // moves everything at or after `position` back
    void InsertParagraphs(int index, std::vector<Paragraph> added);
    void EraseParagraphs(int index, int count);
    void RenumberTable(int id);
    // Changes the cell of every paragraph of table `id` that `which` selects.
    void RenumberCells(int id, const std::function<bool(const CellRef&)>& which, const std::function<void(CellRef&)>& change);
    void DeleteInParagraph(int paragraph, int offset, int count);
    // Ends a paragraph at a location: the rest becomes a new paragraph of the same format and cell.
    void SplitParagraph(Location loc);
    void JoinWithNext(int paragraph);

    // What the document keeps about its editing. A copy or an assignment starts afresh: the copy is
    // a document of its own, with no journal, no index yet and no changes to report.
    struct Tracking {
        Tracking();
        Tracking(const Tracking&) : Tracking() {}
        Tracking& operator=(const Tracking&) {
            *this = Tracking();
            return *this;
        }
        Tracking(Tracking&&) = default;
        Tracking& operator=(Tracking&&) = default;

        PositionIndex index;
        Journal* journal = nullptr;
        Journal* itemsAlso = nullptr;
        // The journals that already hold the tables, styles, header and footer as they were.
        std::uint64_t tablesJournaled = 0, stylesJournaled = 0, headerJournaled = 0, footerJournaled = 0;
        std::uint64_t identity = 0;
        std::uint64_t version = 0;
        std::uint64_t forgotten = 0;  // changes up to this version are no longer listed
        std::vector<std::pair<std::uint64_t, BodyChange>> changes;  // with the version each made
    };
    Tracking track_;
};

}  // namespace tx
