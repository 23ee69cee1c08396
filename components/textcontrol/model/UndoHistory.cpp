#include "components/textcontrol/model/UndoHistory.h"

#include <utility>

namespace tx {

void UndoHistory::Open(Document& document, Journal* journal, Journal* itemsAlso) {
    open_ = journal;
    itemsAlso_ = itemsAlso;
    document.SetJournal(open_, itemsAlso_);
}

void UndoHistory::Begin(Document& document, EditKind kind, int selStart, int selLength) {
    if (pending_) Commit();
    beforeBegin_ = open_;
    itemsAlsoBeforeBegin_ = itemsAlso_;
    undo_.emplace_back(document, kind, selStart, selLength);
    Open(document, &undo_.back().journal, nullptr);
    pending_ = true;
}

void UndoHistory::Commit() {
    if (!pending_) return;
    pending_ = false;
    redo_.clear();
    typingEnd_ = -1;
    // The oldest step goes; the new one is never it.
    if (undo_.size() > depth_) undo_.pop_front();
}

void UndoHistory::Cancel(Document& document) {
    if (!pending_) return;
    pending_ = false;
    document.SetJournal(nullptr);
    document.Revert(std::move(undo_.back().journal));
    undo_.pop_back();
    Open(document, beforeBegin_, itemsAlsoBeforeBegin_);
}

void UndoHistory::Clear(Document& document) {
    undo_.clear();
    redo_.clear();
    beforeBegin_ = itemsAlsoBeforeBegin_ = nullptr;
    pending_ = false;
    typingEnd_ = -1;
    Open(document, nullptr, nullptr);
}

bool UndoHistory::Swap(Document& document, std::deque<Step>& from, std::deque<Step>& to, int& selStart,
                       int& selLength) {
    Commit();
    if (from.empty()) return false;
    Step& step = from.back();
    // The reverse of the step is recorded as it is applied: that is the step on the other side.
    to.emplace_back(document, step.kind, selStart, selLength);
    Open(document, &to.back().journal, nullptr);
    document.Revert(std::move(step.journal));
    selStart = step.selStart;
    selLength = step.selLength;
    from.pop_back();
    typingEnd_ = -1;
    // After an undo the step before stays a neighbour of the present state.
    if (&to == &redo_ && !undo_.empty()) Open(document, open_, &undo_.back().journal);
    return true;
}

bool UndoHistory::Undo(Document& document, int& selStart, int& selLength) {
    return Swap(document, undo_, redo_, selStart, selLength);
}

bool UndoHistory::Redo(Document& document, int& selStart, int& selLength) {
    return Swap(document, redo_, undo_, selStart, selLength);
}

}  // namespace tx
