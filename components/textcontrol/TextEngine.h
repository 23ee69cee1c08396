#pragma once
// The portable core of the rich-text control: everything the control does without a window.
//
// How the pieces fit:
//   model/     Document (paragraphs, character and paragraph formats, tables, fields, objects, marks,
//              header and footer, styles, page geometry) with its one position space and the edit
//              operations that keep every anchored item in step; UndoHistory (a journal of what each
//              step changed, model/Journal.h, with the step's kind).
//   formats/   readers and writers: TxmFormat (format 3, our own), RtfReader/RtfWriter (5),
//              PlainText (1), HtmlReader (4, read only); FormatCodes.h numbers every format of the
//              load and save contract. Each reader builds a new Document and validates it, so a
//              failed load never touches the engine's document.
//   layout/    Layout breaks paragraphs into lines against a TextMeasurer and places them on pages;
//              it caches per paragraph and follows the document's list of changed paragraphs, so
//              an edit re-breaks and re-places only what it touched.
//   CaretMotion  where the caret goes for each key that moves it, over the layout's lines; the
//              engine keeps the one selection (anchor and caret) and applies the moves.
//   TextEngine (this file) carries the control's whole state (document, selection, undo, current
//              field and object, load/save attributes, find state) and offers the members the
//              program calls, named as the program names them. The Win32 window maps messages and
//              keys onto it, supplies a measurer for its device, paints Layout's lines and forwards
//              the EngineEvents to the program.
//
// Positions are 0-based over the body text (see model/Document.h); lengths are twips; colours are
// OLE colours. Every member that changes the document records one undo step and raises Changed.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "components/textcontrol/CaretMotion.h"
#include "components/textcontrol/FormatCodes.h"
#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/model/Document.h"
#include "components/textcontrol/model/UndoHistory.h"

namespace tx {

inline constexpr int kMaxImageDistance = 32767;

// Find options word.
namespace find {
inline constexpr int kMatchCase = 4;
inline constexpr int kNoHighlight = 8;   // do not select the match
inline constexpr int kFromStart = 16;    // search from the start argument (else from the selection)
}  // namespace find

// Cell attributes of TableCellAttribute.
namespace cell {
inline constexpr int kColumnWidth = 1, kLeftBorder = 2, kTopBorder = 3, kBackColor = 4,
                     kBorderWidth = 5,  // all four borders; reads the left one
                     kRightBorder = 6, kBottomBorder = 7, kGridLineWidth = 8;
}  // namespace cell

// One cell attribute to set, addressed as TableCellAttribute addresses it.
struct CellChange {
    int row = 0, col = 0, attribute = 0, value = 0;
};

// Clip operations.
enum ClipAction : int { kClipCut = 1, kClipCopy = 2, kClipPaste = 3, kClipDelete = 4 };

// What travels through the clipboard: the window layer puts both forms on the real clipboard.
struct ClipData {
    std::string rtf;
    std::wstring text;
};

enum class ChangeKind { Text, Format, Selection, Document };

// Notifications for the window layer, which turns them into the control's events.
class EngineEvents {
public:
    virtual ~EngineEvents() = default;
    virtual void Changed(ChangeKind kind) {}
    // A windowed object was inserted without a name: the host may give it one. The request comes
    // once the inserting call has returned (NameNewObjects), so the host's inserting code has
    // finished setting up what the name is made from.
    virtual void ObjectNameRequest(int objectId, std::wstring& name) {}
    // An object awaits its name: a window layer asks for it as soon as it can (NameNewObjects).
    virtual void ObjectAwaitsName(int objectId) {}
    // A windowed object being inserted takes its host window's extent: the twips (before its
    // scale in percent) the window covers now. Left as they are, the object gets a default size.
    virtual void HostWindowExtent(std::uintptr_t hostWindow, int scaleX, int scaleY, int& width, int& height) {}
    // A stored windowed object is being loaded: the host supplies the window that shows it...
    virtual void HostWindowRequest(int objectId, std::uintptr_t& hostWindow) {}
    // ...and is then told the name it was stored under.
    virtual void ObjectRestored(int objectId, const std::wstring& name) {}
};

class TextEngine {
public:
    TextEngine();

    void SetEvents(EngineEvents* events) { events_ = events; }
    // The measurer of the device the layout is for; nullptr = the fixed-pitch fallback.
    void SetMeasurer(const TextMeasurer* measurer);

    const Document& Doc() const { return doc_; }

    // ---------------- files ----------------
    // Loads a file from a byte offset in a format; with `insert`, the content goes in at the
    // selection, else it replaces the document. Throws zv::Error; a failed load changes nothing.
    void Load(std::wstring_view path, std::int64_t offset, int format, bool insert = false);
    void LoadFromBytes(std::string_view bytes, int format, bool insert = false);
    // Saves the document (or only the selection) from a byte offset: the file's first `offset` bytes
    // are kept (zeros where the file was shorter) and the file ends with the new content. An HTML
    // page's pictures go into a folder beside it named after it ("page_files"); from bytes alone a
    // page has no "beside" and names none.
    // Objects still awaiting their names get them first.
    void Save(std::wstring_view path, std::int64_t offset, int format, bool selectionOnly = false);
    std::string SaveToBytes(int format, bool selectionOnly = false) const;
    int LoadSaveAttribute(int index) const;
    void SetLoadSaveAttribute(int index, int value);

    // ---------------- page ----------------
    int PageWidth() const { return doc_.page.width; }
    int PageHeight() const { return doc_.page.height; }
    int PageMarginL() const { return doc_.page.marginLeft; }
    int PageMarginT() const { return doc_.page.marginTop; }
    int PageMarginR() const { return doc_.page.marginRight; }
    int PageMarginB() const { return doc_.page.marginBottom; }
    void SetPageWidth(int twips);
    void SetPageHeight(int twips);
    void SetPageMarginL(int twips);
    void SetPageMarginT(int twips);
    void SetPageMarginR(int twips);
    void SetPageMarginB(int twips);

    // ---------------- text and selection ----------------
    int TextLength() const { return doc_.Length(); }
    // Counts the documents loaded in place of the one before (a page opened, the text cleared);
    // undo and redo restore the same document and leave it alone.
    unsigned DocumentsLoaded() const { return documentsLoaded_; }
    std::wstring Text() const { return doc_.AllText(); }
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelStart(int start);          // collapses the selection there
    void SetSelLength(int length);        // -1 = to the end
    std::wstring SelText() const;
    // Replaces the selection (typing when it holds no line end and replaces nothing); the caret
    // ends behind the new text.
    void SetSelText(std::wstring_view text);
    // Replaces the selection as an edit control's replace message does, for a caller that puts a
    // word right (a spelling change): one undo step of its own, the new text in the format of the
    // first character it replaces (the input format at a caret), and a link that character belongs
    // to goes on over the new text. The caret ends behind the new text.
    void ReplaceSel(std::wstring_view text);
    // One typed character, as the keyboard sends it: merges with the typing before it into one
    // undo step. In overwrite mode it replaces the character after the caret.
    void TypeChar(wchar_t c);
    bool InsertMode() const { return insertMode_; }
    void SetInsertMode(bool insert) { insertMode_ = insert; }
    // Backspace and Delete without a selection remove one character before or after the caret.
    void DeleteBackward();
    void DeleteForward();

    // ---------------- the selection's direction and caret movement ----------------
    // The selection runs from its anchor (the end that stays) to the caret (the end that moves);
    // SelStart and SelLength are the same selection without its direction. A selection the engine
    // or a caller sets any other way runs forward: caret at its end.
    int SelAnchor() const { return SelCaret() == selStart_ ? selStart_ + selLength_ : selStart_; }
    int SelCaret() const {
        return backward_ && backwardStart_ == selStart_ && backwardLength_ == selLength_ ? selStart_ : selStart_ + selLength_;
    }
    // Selects from `anchor` to `caret`, each kept inside the text, as a click or a drag does.
    void Select(int anchor, int caret);
    // Moves the caret as its key does (CaretMotion.h); with `extend` (Shift) the anchor stays. Up and
    // Down keep the x the first of them started from, as long as the caret stays where they left it.
    void MoveCaret(CaretMove move, bool extend, const CaretView& view = {});

    // ---------------- clipboard payloads ----------------
    bool CanCopy() const { return selLength_ > 0; }
    ClipData Copy() const;
    ClipData Cut();
    // Prefers the RTF form; falls back to the text.
    void Paste(const ClipData& data);
    void DeleteSelection();

    // ---------------- undo ----------------
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    int UndoKind() const { return static_cast<int>(undo_.UndoKind()); }  // 1 typing, 2 deletion, 3 formatting
    int RedoKind() const;                                                 // 10, 11, 12
    // How many steps Undo (Redo) can take back (do again).
    int UndoSteps() const { return undo_.UndoSteps(); }
    int RedoSteps() const { return undo_.RedoSteps(); }
    void Undo();
    void Redo();

    // ---------------- character formatting of the selection ----------------
    // Reads give the value of the first selected character (of the input format at a caret);
    // Mixed() tells whether the selection holds more than one value.
    bool Bold() const { return CurrentFormat().bold; }
    bool Italic() const { return CurrentFormat().italic; }
    bool Underline() const { return CurrentFormat().underline; }
    bool Strikeout() const { return CurrentFormat().strike; }
    Color ForeColor() const { return CurrentFormat().color; }
    Color TextBkColor() const { return CurrentFormat().backColor; }
    std::wstring FontName() const { return CurrentFormat().face; }
    int FontSize() const { return CurrentFormat().size; }  // twips
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetStrikeout(bool on);
    void SetForeColor(Color color);
    void SetTextBkColor(Color color);
    void SetFontName(std::wstring_view face);
    void SetFontSize(int twips);
    // Applies any change to the selection's character formats (or to the input format at a caret).
    void FormatSelection(const std::function<void(CharFormat&)>& change);
    // Applies a change to the character formats of several ranges (start, length) as one undo step;
    // the selection stays. Nothing is recorded when no range holds a character.
    void FormatRanges(const std::vector<std::pair<int, int>>& ranges, const std::function<void(CharFormat&)>& change);

    // ---------------- paragraph formatting of the selection ----------------
    ParaFormat CurrentParaFormat() const;
    void FormatParagraphs(const std::function<void(ParaFormat&)>& change);
    // The frame lines and kind the selected paragraphs all share (the low byte of the style word).
    int FrameStyle() const;
    // -1 when the selected paragraphs differ.
    int FrameLineWidth() const;
    int FrameDistance() const;
    // A style word as a change: lines of its low byte on, of its high byte off (frame::Changed).
    void SetFrameStyle(int style);
    void SetFrameLineWidth(int twips);
    void SetFrameDistance(int twips);
    void ApplyStyle(std::wstring_view name);
    void AddStyle(Style style);
    // Replaces the named styles in one undo step: paragraphs of a renamed style take its new name,
    // those of a style no longer there keep their formats without a style name; then `apply`, when
    // not empty, is applied to the selection as ApplyStyle does.
    void SetStyles(std::vector<Style> styles, const std::vector<std::pair<std::wstring, std::wstring>>& renamed,
                   std::wstring_view apply = {});

    // ---------------- fields ----------------
    // Inserts a field showing `text` at the caret (replacing a selection); 0 when a field cannot go
    // there. The new field becomes the current field.
    int FieldInsert(std::wstring_view text);
    // Makes the selected text a field; 0 when the selection is empty, crosses a paragraph or
    // overlaps a field.
    int FieldInsertOverSelection();
    // The field after `id` in text order (0 = from the start), 0 after the last. `flags` is kept
    // for the program's calls; every field is a text field here.
    int FieldNext(int id, int flags = 0) const { return doc_.NextField(id); }
    int FieldCurrent() const;
    void SetFieldCurrent(int id);
    int FieldAtInputPos() const;
    // 1-based first character and 1-based last character of a field, 0 when there is none.
    int FieldStart(int id) const;
    int FieldEnd(int id) const;
    std::wstring FieldText() const;  // of the current field
    void SetFieldText(std::wstring_view text);
    int FieldLinkKind(int id) const;
    void SetFieldLinkKind(int id, int kind);
    std::wstring FieldLinkTarget(int id) const;
    void SetFieldLinkTarget(int id, std::wstring_view target);
    // Removes a field; its text stays.
    void FieldDelete(int id);

    // ---------------- objects ----------------
    // An image file (bytes read here) or, when `hostWindow` is not 0, a windowed object shown in that
    // window. Returns the new object's id (it becomes the current object). Throws zv::Error for an
    // unreadable file.
    int ObjectInsertAsChar(std::uintptr_t hostWindow, std::wstring_view fileName, int position = -1,
                           int scaleX = 100, int scaleY = 100);
    int ObjectInsertFixed(std::uintptr_t hostWindow, std::wstring_view fileName, int x, int y, int scaleX = 100,
                          int scaleY = 100, int textFlow = 0);
    // The same with image bytes in hand (paste, tests).
    int ObjectInsertImage(std::string bytes, bool fixed, int positionOrX, int y, int scaleX = 100, int scaleY = 100);
    // Asks the host to name the windowed objects inserted without a name since the last call (those
    // still in the document): the window layer calls it after the inserting call has returned,
    // and any store of the document calls it before writing.
    void NameNewObjects();
    int ObjectCurrent() const { return currentObject_; }
    void SetObjectCurrent(int id);
    void ObjectDelete();  // the current object
    std::wstring ObjectName(int id) const;
    void SetObjectName(int id, std::wstring_view name);
    void SetObjectPosition(int id, int x, int y);
    // The natural size in twips: the host sets it for a windowed object from its window.
    void SetObjectSize(int id, int width, int height);
    void SetObjectScale(int id, int scaleX, int scaleY);

    // ---------------- the current object as an image ----------------
    // Whether the current object is an image (a windowed object, such as a movie placeholder, is not).
    bool ObjectIsImage() const;
    // The room kept free between the image and the text on one side (1 left, 2 top, 3 right,
    // 4 bottom), in twips, 0 to kMaxImageDistance. Reads give 0 without an image; writes of a side
    // or length out of range, or without an image, throw zv::Error and change nothing.
    int ObjectDistance(int side) const;
    void SetObjectDistance(int side, int twips);
    // Whether a document written for the web carries the image's data inside it (else in a file
    // beside it). Both throw zv::Error when the current object is no image.
    bool ObjectEmbedded() const;
    void SetObjectEmbedded(bool embedded);
    // The formats the image can be written in, "|"-separated (see ImageSaveFormats), and the
    // 1-based one chosen (0 = none). An index beyond the formats throws zv::Error.
    std::wstring ObjectSaveFormats() const;
    int ObjectSaveFormat() const;
    void SetObjectSaveFormat(int index);

    // ---------------- tables ----------------
    bool CanInsertTable() const { return TableAtInputPos() == 0; }
    // Inserts an empty table at a position (-1 = the caret); returns its id, 0 when it cannot.
    int TableInsert(int rows, int cols, int position = -1);
    int TableAtInputPos() const;
    int TableRows(int id) const;
    int TableColumns(int id) const;
    // Row 0 = every row, column 0 = every column. Reads give the first addressed cell's value.
    int TableCellAttribute(int id, int row, int col, int attribute) const;
    void SetTableCellAttribute(int id, int row, int col, int attribute, int value);
    // Many attributes of one table as one change: one undo step, one layout, one repaint. With
    // `joinLastStep` they become part of the last undo step instead (a command that finishes what
    // the step before it began, so that one Undo takes both back). Changes that address no cell
    // are skipped; false when no change addressed one.
    bool SetTableCellAttributes(int id, const std::vector<CellChange>& changes, bool joinLastStep = false);
    // The caret's cell (row, column), 0s outside a table.
    std::pair<int, int> TableCellAtInputPos() const;
    int TableCellStart(int id, int row, int col) const;   // position of the cell's first character
    int TableCellLength(int id, int row, int col) const;  // characters up to the cell's end
    bool CanInsertRowOrColumn() const { return TableAtInputPos() != 0; }
    bool TableInsertRow(bool below);      // at the caret's row
    bool TableInsertColumn(bool right);   // at the caret's column
    bool TableDeleteRows();               // the rows the selection touches
    bool TableDeleteColumn();             // the caret's column
    void TableDelete(int id);
    // Moves a table with its text and attributes to a position outside every table, as one undo
    // step; the caret goes to the table's new start. False, with nothing changed, when there is no
    // such table or the position lies in a table (its own too) or outside the text.
    bool TableMove(int id, int position);
    bool TableGridlines() const { return gridLines_; }
    void SetTableGridlines(bool on) { gridLines_ = on; }

    // ---------------- marks ----------------
    void MarkInsert(std::wstring_view name);  // at the caret
    bool GoToMark(std::wstring_view name);    // caret to the mark; false when there is none

    // ---------------- header and footer ----------------
    std::wstring HeaderText() const;
    std::wstring FooterText() const;
    void SetHeaderText(std::wstring_view text);  // empty = no header
    void SetFooterText(std::wstring_view text);

    // ---------------- find ----------------
    // Finds `text` from `start` (with the kFromStart option; -1 = behind the current match) or
    // from the selection; selects the match unless kNoHighlight. Returns its position or -1.
    int Find(std::wstring_view text, int start, int options);

    // ---------------- layout ----------------
    const Layout& GetLayout();
    int PageCount() { return GetLayout().PageCount(); }
    CaretPoint PositionToPoint(int position) { return GetLayout().PositionToPoint(position); }
    int PointToPosition(int page, int x, int y) { return GetLayout().PointToPosition(page, x, y); }

private:
    CharFormat CurrentFormat() const;
    std::uint32_t InputFormatIndex();
    void Record(EditKind kind);
    // An edit that may turn out to change nothing: UndoHistory::Commit or Cancel ends it.
    void Begin(EditKind kind);
    void Notify(ChangeKind kind);
    void ReplaceDocument(Document document);
    void ClampSelection();
    void Step(bool redo);
    void ReplaceSelection(std::wstring_view text, EditKind kind);
    void SetPage(int PageSetup::*member, int twips);
    int MixedParaValue(int ParaFormat::*member) const;
    void SetParaValue(int ParaFormat::*member, int value);
    // Asks the host for the windows of windowed objects from id `firstId` on, then names them.
    void RestoreWindowedObjects(int firstId);
    // `folder`: where the file was read from (an HTML page's pictures lie beside it), or empty.
    Document ParseDocument(std::string_view bytes, int format, std::wstring_view folder) const;
    void LoadDocument(Document loaded, int format, bool insert);
    // A copy of the document holding only the selection.
    Document Selection() const;
    int InsertObject(Object object);
    // The current image for a change; throws zv::Error when the current object is no image.
    const Object& CurrentImage() const;
    void ChangeCurrentImage(const std::function<void(Object&)>& change);
    void SetStory(bool header, std::wstring_view text);
    void ApplyStyleFormats(const Style& style);

    Document doc_;
    UndoHistory undo_;
    Layout layout_;
    bool layoutDirty_ = true;
    EngineEvents* events_ = nullptr;
    std::vector<int> awaitingNames_;
    unsigned documentsLoaded_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    // The caret stands at the selection's start when it was set so (Select) and the range is still
    // the one it was set with.
    bool backward_ = false;
    int backwardStart_ = 0, backwardLength_ = 0;
    // The x vertical moves keep, and the caret they left behind (another caret forgets the x).
    int goalX_ = -1;
    int goalCaret_ = -1;
    int currentField_ = 0;
    int currentObject_ = 0;
    bool insertMode_ = true;
    bool gridLines_ = true;
    // The format typing at a caret uses after a formatting command with no selection.
    std::optional<CharFormat> inputFormat_;
    int inputFormatCaret_ = -1;
    int lastMatch_ = -1;
    int lastMatchLength_ = 0;
    bool lastMatchHighlighted_ = false;
    int attributes_[attr::kCount] = {};
};

}  // namespace tx
