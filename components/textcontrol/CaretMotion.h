#pragma once
// Where the caret goes for the keys that move it: by characters, words, lines, line starts and ends,
// screens and the document's ends, over the document's words and the layout's lines. The engine
// keeps the one selection and applies these moves (TextEngine::MoveCaret); the view maps its keys
// onto them and paints what the engine says.

#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/model/Document.h"

namespace tx {

enum class CaretMove {
    CharLeft,       // Left; without extending, a selection collapses to its start instead
    CharRight,      // Right; likewise to its end
    WordLeft,       // Ctrl+Left: to the start of this word or the one before
    WordRight,      // Ctrl+Right: to the start of the next word
    LineUp,         // Up and Down keep the x where vertical moves began
    LineDown,
    ScreenUp,       // Page Up and Page Down: the line one view height away
    ScreenDown,
    LineStart,      // Home
    LineEnd,        // End: before a closing break, and before the next line's start on a wrapped line
    DocumentStart,  // Ctrl+Home
    DocumentEnd,    // Ctrl+End
};

// What the screen moves need of the view, in twips: how much of the pages it shows at once and the
// gap it leaves between two pages.
struct CaretView {
    int height = 0;
    int pageGap = 0;
};

// Word boundaries inside the caret's paragraph, as double-clicks and Ctrl+arrows see words: letters,
// digits, '_' and '\''. WordLeft and WordRight step over a paragraph end as one character.
int WordStart(const Document& d, int position);
int WordEnd(const Document& d, int position);
int WordLeft(const Document& d, int position);
int WordRight(const Document& d, int position);

struct CaretTarget {
    int position = 0;
    int goalX = -1;  // the x later vertical moves keep; -1 when this move sets none
};

// The caret's new place for a move from the selection (anchor, caret). `goalX` is the x kept from
// earlier vertical moves (-1: none yet, take the caret's own). `layout` must be up to date.
CaretTarget MoveTarget(const Document& d, const Layout& layout, int anchor, int caret, CaretMove move, bool extend,
                       int goalX, const CaretView& view);

}  // namespace tx
