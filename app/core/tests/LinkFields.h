#pragma once
// The links of a text as tests compare them: shown text, target and kind, in text order.

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "components/textcontrol/TextEngine.h"

namespace zv_test {

struct Link {
    std::wstring text;
    std::wstring target;
    int kind = 0;
    bool operator==(const Link&) const = default;
};

inline void PrintTo(const Link& l, std::ostream* os) {
    *os << "{" << ::testing::PrintToString(l.text) << " -> " << ::testing::PrintToString(l.target) << " kind " << l.kind
        << "}";
}

inline std::vector<Link> LinksOf(const tx::TextEngine& engine) {
    std::vector<Link> links;
    const std::wstring text = engine.Text();
    for (int id = engine.FieldNext(0); id != 0; id = engine.FieldNext(id)) {
        const int first = engine.FieldStart(id) - 1;
        links.push_back({text.substr(static_cast<size_t>(first), static_cast<size_t>(engine.FieldEnd(id) - first)),
                         engine.FieldLinkTarget(id), engine.FieldLinkKind(id)});
    }
    return links;
}

}  // namespace zv_test
