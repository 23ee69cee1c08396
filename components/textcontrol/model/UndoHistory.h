#pragma once
// Undo and redo as whole snapshots of the document taken before each step. A page is small and
// image bytes are shared between snapshots, so a copy is cheap, and restoring a snapshot can never
// leave the model half-undone the way replaying inverse operations can. Consecutive typing at the
// caret is one step, as the author thinks of it.

#include <cstddef>
#include <deque>

#include "components/textcontrol/model/Document.h"

namespace tx {

// The values the program's Edit menu reads: undo kinds 1-3, redo kinds 10-12.
enum class EditKind { None = 0, Typing = 1, Deletion = 2, Formatting = 3 };
inline constexpr int kRedoKindOffset = 9;

struct Snapshot {
    Document document;
    int selStart = 0;
    int selLength = 0;
};

class UndoHistory {
public:
    explicit UndoHistory(std::size_t depth = 100) : depth_(depth) {}

    // Records the state before a step.
    void Record(EditKind kind, Snapshot before);
    // True when typing at `caret` continues the last typing step (the caret it left is here), so
    // that the keystroke belongs to that step and needs no snapshot of its own.
    bool ContinuesTyping(int caret) const {
        return caret >= 0 && caret == typingEnd_ && !undo_.empty() && undo_.back().kind == EditKind::Typing;
    }
    // Remembers where the last typing step left the caret, so the next keystroke can merge with it.
    void SetTypingEnd(int caret) { typingEnd_ = caret; }
    // A merged keystroke still makes the steps undone before it unreachable.
    void DropRedo() { redo_.clear(); }
    // Ends merging: the next typing starts a step of its own.
    void Break() { typingEnd_ = -1; }
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    EditKind UndoKind() const { return undo_.empty() ? EditKind::None : undo_.back().kind; }
    EditKind RedoKind() const { return redo_.empty() ? EditKind::None : redo_.back().kind; }

    // Swaps the current state with the one before the last step (or after it, for Redo).
    bool Undo(Snapshot& current);
    bool Redo(Snapshot& current);

private:
    struct Step {
        EditKind kind;
        Snapshot state;
    };
    std::size_t depth_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    int typingEnd_ = -1;
};

}  // namespace tx
