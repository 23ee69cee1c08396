#include "components/textcontrol/model/UndoHistory.h"

#include <algorithm>

namespace tx {

void UndoHistory::Record(EditKind kind, Snapshot before) {
    undo_.push_back(Step{kind, std::move(before)});
    if (undo_.size() > depth_) undo_.pop_front();
    redo_.clear();
    typingEnd_ = -1;
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
    typingEnd_ = -1;
}

namespace {

// The restored document must never reuse a stamp the layout has already seen for other content.
void KeepStampsGrowing(Snapshot& restored, const Snapshot& current) {
    restored.document.stampCounter = std::max(restored.document.stampCounter, current.document.stampCounter);
}

}  // namespace

bool UndoHistory::Undo(Snapshot& current) {
    if (undo_.empty()) return false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    KeepStampsGrowing(step.state, current);
    std::swap(step.state, current);
    redo_.push_back(std::move(step));
    typingEnd_ = -1;
    return true;
}

bool UndoHistory::Redo(Snapshot& current) {
    if (redo_.empty()) return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    KeepStampsGrowing(step.state, current);
    std::swap(step.state, current);
    undo_.push_back(std::move(step));
    typingEnd_ = -1;
    return true;
}

}  // namespace tx
