#pragma once
// The document model: the body as a sequence of paragraphs in reading order, tables as a grid
// record whose cell text lives in those paragraphs (each cell paragraph names its cell), and the
// items anchored in the text (fields, objects, marks) as positions that every edit keeps up to date.
//
// Position space: the body's text is its paragraphs joined by one separator character ('\n'), so a
// document of n paragraphs has n - 1 separators and positions run from 0 to Length(). Objects placed
// as characters occupy one position (kObjectChar). Page breaks are '\f' inside a paragraph.
//
// Invariants the operations keep: there is always at least one paragraph; the last paragraph is
// never inside a table (text can always follow a table); a table's paragraphs are contiguous and in
// row-major cell order, every cell holding at least one paragraph; fields do not overlap.

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
};

struct CellAttributes {
    int leftBorder = 0;    // twips
    int topBorder = 0;
    int rightBorder = 0;
    int bottomBorder = 0;
    Color background = kNoColor;
    int gridWidth = 15;    // twips of the grid line drawn when grid lines are shown
    bool operator==(const CellAttributes&) const = default;
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
    void Touch(int paragraph) { paragraphs[static_cast<size_t>(paragraph)].stamp = ++stampCounter; }

    // Inserts a whole document (its paragraphs, tables, fields, objects and marks) at a position, the
    // way a paste or an insert-load does. Inside a table cell the inserted tables become plain
    // paragraphs of that cell. Returns the number of positions inserted.
    int InsertDocument(int position, const Document& other);

    // ---- fields ----
    Field* FindField(int id);
    const Field* FindField(int id) const;
    // The field covering a position (or ending at it, so a caret just behind a link is in it).
    int FieldAt(int position) const;
    // Adds a field over a range; fails (0) when the range is empty, crosses a paragraph or overlaps
    // another field. `id` 0 = a new id; else the id of a field being re-made (it must be free).
    int AddField(int start, int length, int kind, std::wstring target, int id = 0);
    void RemoveField(int id);
    // Fields in text order: the one after `id` (0 = the first), 0 after the last.
    int NextField(int id) const;

    // ---- objects ----
    Object* FindObject(int id);
    const Object* FindObject(int id) const;
    // An object placed as a character gets its character inserted at `object.anchor`.
    int AddObject(Object object, std::uint32_t format);
    void RemoveObject(int id);

    // ---- tables ----
    Table* FindTable(int id);
    const Table* FindTable(int id) const;
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

    // Checks the invariants; returns an empty text when they hold, else what is wrong. Readers run it
    // on what they built so that no malformed document reaches the engine.
    std::wstring Validate() const;

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
    // Keeps the anchored items in step with the text: `count` positions appeared at `position`, or
    // disappeared from it.
    void ShiftForInsert(int position, int count);
    void ShiftForDelete(int position, int count);
    void InsertParagraphs(int index, std::vector<Paragraph> added);
    void EraseParagraphs(int index, int count);
    void RenumberTable(int id);
    void DeleteInParagraph(int paragraph, int offset, int count);
    // Ends a paragraph at a location: the rest becomes a new paragraph of the same format and cell.
    void SplitParagraph(Location loc);
    void JoinWithNext(int paragraph);
};

}  // namespace tx
