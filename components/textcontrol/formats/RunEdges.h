#pragma once
// What the writers of other formats share when they cut a paragraph into runs: the body positions
// where a run must end because a field or a mark begins or ends there, and the field that starts at
// a position.

#include <vector>

#include "components/textcontrol/model/Document.h"

namespace tx {

class RunEdges {
public:
    explicit RunEdges(const Document& d);
    // Whether a run must end before the character at body position `position`.
    bool At(int position) const;
    // The field starting at `position`, or null.
    const Field* FieldStartingAt(int position) const;

private:
    const Document& d_;
    std::vector<int> edges_;
};

}  // namespace tx
