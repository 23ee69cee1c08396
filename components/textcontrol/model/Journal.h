#pragma once
// What one undo step changed in a document, recorded while the change happens: each entry holds what
// one small change replaced (a paragraph's earlier state, paragraphs taken out, the field an edit
// moved, how far the anchored items shifted). A step costs what it touched, not the document.
//
// Reverting a journal applies its entries newest first; each application records its own reverse
// into the document's current journal, so that the journal made by an undo is the redo, and the
// one made by a redo is the undo again. For that to hold, every change of a document that has a
// journal goes through the document's editing members (see model/Document.h).

#include <cstdint>
#include <variant>
#include <vector>

#include "components/textcontrol/model/Document.h"

namespace tx {

namespace journal {

// The document's small values as the step found them: page, the next ids and the character formats
// (which only ever grow: the step's new ones are cut off again, and come back on redo).
struct Scalars {
    PageSetup page;
    int nextFieldId = 1, nextObjectId = 1, nextTableId = 1;
    std::size_t formatsBase = 0;
    std::vector<CharFormat> formatsBeyond;
};
struct ParagraphSaved {
    int index = 0;
    Paragraph paragraph;
};
struct ParagraphsPut {
    int index = 0;
    int count = 0;
};
struct ParagraphsTaken {
    int index = 0;
    std::vector<Paragraph> paragraphs;
};
// The anchored items moved: by an insert of `count` positions at `position`, or by the collapse of a
// deleted range onto it (the items inside the range are saved as item changes before it). `reverse`
// marks the undoing of such a move.
struct Shift {
    bool insert = true;
    bool reverse = false;
    int position = 0;
    int count = 0;
};
template <class T>
struct Item {
    enum Kind : std::uint8_t { Inserted, Erased, Changed };
    Kind kind = Inserted;
    int index = 0;
    T value{};  // Erased and Changed: the value before
};
struct Tables {
    std::vector<Table> tables;
};
struct Styles {
    std::vector<Style> styles;
};
struct StorySaved {
    bool header = true;
    std::vector<Paragraph> paragraphs;
};

using Entry = std::variant<Scalars, ParagraphSaved, ParagraphsPut, ParagraphsTaken, Shift, Item<Field>, Item<Object>,
                           Item<Mark>, Tables, Styles, StorySaved>;

}  // namespace journal

class Journal {
public:
    // Opens a journal on a document's present state.
    explicit Journal(const Document& document);
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Unique among all journals, so that "already saved here" marks never match a journal by chance.
    std::uint64_t Serial() const { return serial_; }
    void Add(journal::Entry entry);

private:
    friend class Document;
    std::uint64_t serial_;
    std::vector<journal::Entry> entries_;
};

}  // namespace tx
