#pragma once
// Undo and redo as journals of what each step changed (model/Journal.h): a step costs what it
// touched, however long the document. Consecutive typing at the caret is one step, as the author
// thinks of it.
//
// The newest journal stays open until the next step, undo or redo: what changes between two steps
// (an object's name, its window, the page size) is recorded with the step before it, so that undoing
// that step returns the document to exactly the state the step started from. After an undo, such a
// change goes into both neighbours, the step undone and the step before it: redoing takes it back as
// it takes the undo back, and undoing further takes it back as it goes past it.

#include <cstddef>
#include <deque>

#include "components/textcontrol/model/Document.h"
#include "components/textcontrol/model/Journal.h"

namespace tx {

// The values the program's Edit menu reads: undo kinds 1-3, redo kinds 10-12.
enum class EditKind { None = 0, Typing = 1, Deletion = 2, Formatting = 3 };
inline constexpr int kRedoKindOffset = 9;

class UndoHistory {
public:
    explicit UndoHistory(std::size_t depth = 100) : depth_(depth) {}
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;
    // A moved deque keeps its elements where they are, so the document's journal stays valid.
    UndoHistory(UndoHistory&&) = default;
    UndoHistory& operator=(UndoHistory&&) = default;

    // Starts a step on the document's present state, with the selection before it: the document's
    // changes from now on go into it. The steps undone before it stay redoable until Commit, so that
    // an edit that turns out to change nothing can be dropped with Cancel.
    void Begin(Document& document, EditKind kind, int selStart, int selLength);
    void Commit();
    // Takes back what the step begun last recorded and forgets it.
    void Cancel(Document& document);
    // Begin and Commit in one.
    void Record(Document& document, EditKind kind, int selStart, int selLength) {
        Begin(document, kind, selStart, selLength);
        Commit();
    }

    // True when typing at `caret` continues the last typing step (the caret it left is here), so
    // that the keystroke belongs to that step.
    bool ContinuesTyping(int caret) const {
        return caret >= 0 && caret == typingEnd_ && !undo_.empty() && undo_.back().kind == EditKind::Typing &&
               open_ == &undo_.back().journal;
    }
    // Remembers where the last typing step left the caret, so the next keystroke can merge with it.
    void SetTypingEnd(int caret) { typingEnd_ = caret; }
    // A merged keystroke still makes the steps undone before it unreachable.
    void DropRedo() { redo_.clear(); }
    // Ends merging: the next typing starts a step of its own.
    void Break() { typingEnd_ = -1; }
    void Clear(Document& document);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    EditKind UndoKind() const { return undo_.empty() ? EditKind::None : undo_.back().kind; }
    EditKind RedoKind() const { return redo_.empty() ? EditKind::None : redo_.back().kind; }
    int UndoSteps() const { return static_cast<int>(undo_.size()); }
    int RedoSteps() const { return static_cast<int>(redo_.size()); }

    // Takes the last step back (or does the last undone one again); the selection is swapped with
    // the one the step remembered. False when there is nothing to undo (redo).
    bool Undo(Document& document, int& selStart, int& selLength);
    bool Redo(Document& document, int& selStart, int& selLength);

private:
    struct Step {
        Step(const Document& document, EditKind k, int start, int length)
            : kind(k), selStart(start), selLength(length), journal(document) {}
        EditKind kind;
        int selStart;
        int selLength;
        Journal journal;
    };
    bool Swap(Document& document, std::deque<Step>& from, std::deque<Step>& to, int& selStart, int& selLength);

    std::size_t depth_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    void Open(Document& document, Journal* journal, Journal* itemsAlso);

    Journal* open_ = nullptr;      // where the document's changes go
    Journal* itemsAlso_ = nullptr;  // where changes of single items go as well
    Journal* beforeBegin_ = nullptr, *itemsAlsoBeforeBegin_ = nullptr;  // what was open before an uncommitted Begin
    bool pending_ = false;
    int typingEnd_ = -1;
};

}  // namespace tx
