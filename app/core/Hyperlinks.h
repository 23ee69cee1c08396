#pragma once
// The hyperlink fields of a page as the hyperlink dialog reads and writes them. A link has a shown
// text, a kind (1: a web address, repository item or page of a module; 2: an anchor on the same
// page) and a target. The dialog's target box writes an anchor with a leading "#", the field keeps
// it without. Portable: the dialog only moves texts between its boxes and these functions.

#include <string>
#include <string_view>

#include "components/textcontrol/TextEngine.h"

namespace zv {

inline constexpr int kWebLinkKind = 1;
inline constexpr int kAnchorLinkKind = 2;

// What the dialog's two boxes hold.
struct HyperlinkBoxes {
    std::wstring linkedText;
    std::wstring target;
};

// The boxes for the caret: the link it stands in (made the current field; an anchor shown with its
// "#"), else the selected text and no target.
HyperlinkBoxes HyperlinkBoxesAtCaret(tx::TextEngine& engine);

// Why the boxes cannot make a link, in the words the author reads; empty when they can.
std::wstring HyperlinkBoxesProblem(const HyperlinkBoxes& boxes);

// The target of a link to a page: the module's code, a backslash and the page file.
std::wstring PageLinkTarget(std::wstring_view moduleCode, std::wstring_view pageFile);

enum class HyperlinkStored {
    Rewritten,  // the link at the caret got the boxes' text, kind and target
    Inserted,   // a new link replaced the selection at the caret
    Refused,    // the control made no field here: nothing was changed
};

// Stores the boxes (checked already) as the link at the caret, or as a new one at the caret, then
// gives every link of the page the link look. When the control refuses the new field, no field is
// touched: another link must never take this one's kind and target.
HyperlinkStored StoreHyperlink(tx::TextEngine& engine, const HyperlinkBoxes& boxes);

// What the author is told when the control refused the link.
std::wstring HyperlinkRefusedMessage();

}  // namespace zv
