#include "components/textcontrol/formats/RunEdges.h"

#include <algorithm>

namespace tx {

RunEdges::RunEdges(const Document& d) : d_(d) {
    for (const auto& f : d.fields) {
        edges_.push_back(f.start);
        edges_.push_back(f.start + f.length);
    }
    for (const auto& m : d.marks) edges_.push_back(m.position);
    std::sort(edges_.begin(), edges_.end());
}

bool RunEdges::At(int position) const { return std::binary_search(edges_.begin(), edges_.end(), position); }

const Field* RunEdges::FieldStartingAt(int position) const {
    auto f = std::lower_bound(d_.fields.begin(), d_.fields.end(), position,
                              [](const Field& g, int pos) { return g.start < pos; });
    return f != d_.fields.end() && f->start == position ? &*f : nullptr;
}

}  // namespace tx
