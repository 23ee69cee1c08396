#include "components/textcontrol/CaretMotion.h"

#include <algorithm>
#include <cwctype>

namespace tx {
namespace {

bool IsWordChar(wchar_t c) { return std::iswalnum(static_cast<wint_t>(c)) || c == L'_' || c == L'\''; }

const std::wstring& TextOf(const Document& d, const Location& loc) {
    return d.paragraphs[static_cast<size_t>(loc.paragraph)].text;
}

}  // namespace

int WordStart(const Document& d, int pos) {
    const Location loc = d.Locate(pos);
    const std::wstring& t = TextOf(d, loc);
    int o = loc.offset;
    while (o > 0 && IsWordChar(t[static_cast<size_t>(o) - 1])) --o;
    return pos - (loc.offset - o);
}

int WordEnd(const Document& d, int pos) {
    const Location loc = d.Locate(pos);
    const std::wstring& t = TextOf(d, loc);
    int o = loc.offset;
    while (o < static_cast<int>(t.size()) && IsWordChar(t[static_cast<size_t>(o)])) ++o;
    return pos + (o - loc.offset);
}

int WordLeft(const Document& d, int pos) {
    if (pos <= 0) return 0;
    const Location loc = d.Locate(pos);
    if (loc.offset == 0) return pos - 1;  // to the end of the paragraph before
    const std::wstring& t = TextOf(d, loc);
    int o = loc.offset;
    while (o > 0 && !IsWordChar(t[static_cast<size_t>(o) - 1])) --o;
    while (o > 0 && IsWordChar(t[static_cast<size_t>(o) - 1])) --o;
    return pos - (loc.offset - o);
}

int WordRight(const Document& d, int pos) {
    if (pos >= d.Length()) return d.Length();
    const Location loc = d.Locate(pos);
    const std::wstring& t = TextOf(d, loc);
    const int n = static_cast<int>(t.size());
    if (loc.offset >= n) return pos + 1;  // over the paragraph end
    int o = loc.offset;
    while (o < n && IsWordChar(t[static_cast<size_t>(o)])) ++o;
    while (o < n && !IsWordChar(t[static_cast<size_t>(o)])) ++o;
    return pos + (o - loc.offset);
}

CaretTarget MoveTarget(const Document& d, const Layout& layout, int anchor, int caret, CaretMove move, bool extend,
                       int goalX, const CaretView& view) {
    const int length = d.Length();
    const int selStart = std::min(anchor, caret), selEnd = std::max(anchor, caret);
    const auto& lines = layout.Lines();
    switch (move) {
    case CaretMove::CharLeft: return {!extend && selEnd > selStart ? selStart : std::max(0, caret - 1)};
    case CaretMove::CharRight: return {!extend && selEnd > selStart ? selEnd : std::min(length, caret + 1)};
    case CaretMove::WordLeft: return {WordLeft(d, caret)};
    case CaretMove::WordRight: return {WordRight(d, caret)};
    case CaretMove::DocumentStart: return {0};
    case CaretMove::DocumentEnd: return {length};
    case CaretMove::LineStart:
    case CaretMove::LineEnd: {
        if (lines.empty()) return {0};
        const int index = layout.LineAt(caret);
        const PlacedLine& pl = lines[static_cast<size_t>(index)];
        if (move == CaretMove::LineStart) return {pl.start};
        const Line& line = layout.LineOf(pl);
        // The caret stays before a closing break, and on a wrapped line before the place it shares
        // with the next line's start.
        const bool wraps = index + 1 < static_cast<int>(lines.size()) && lines[static_cast<size_t>(index) + 1].paragraph == pl.paragraph;
        return {pl.start + line.length - ((line.hardBreak || wraps) && line.length > 0 ? 1 : 0)};
    }
    case CaretMove::LineUp:
    case CaretMove::LineDown:
    case CaretMove::ScreenUp:
    case CaretMove::ScreenDown: {
        if (lines.empty()) return {0};
        const CaretPoint c = layout.PositionToPoint(caret);
        if (goalX < 0) goalX = c.x;
        const int index = layout.LineAt(caret);
        int to = index;
        if (move == CaretMove::LineUp) {
            to = index - 1;
        } else if (move == CaretMove::LineDown) {
            to = index + 1;
        } else {
            // A screenful: the line whose top lies one view height away, pages stacked as the view shows them.
            auto top = [&](int page, int y) { return (page - 1) * (d.page.height + view.pageGap) + y; };
            const int height = std::max(1, view.height);
            const int from = top(c.page, c.y);
            if (move == CaretMove::ScreenUp) {
                while (to > 0 && top(lines[static_cast<size_t>(to)].page, lines[static_cast<size_t>(to)].y) > from - height) --to;
            } else {
                while (to + 1 < static_cast<int>(lines.size()) &&
                       top(lines[static_cast<size_t>(to)].page, lines[static_cast<size_t>(to)].y) < from + height)
                    ++to;
            }
        }
        if (to < 0) return {0, goalX};
        if (to >= static_cast<int>(lines.size())) return {length, goalX};
        const PlacedLine& pl = lines[static_cast<size_t>(to)];
        return {layout.PointToPosition(pl.page, goalX, pl.y + 1), goalX};
    }
    }
    return {caret};
}

}  // namespace tx
