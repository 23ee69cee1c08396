#pragma once
// Web addresses turned into links while the author types and after a paste, and the link look of
// every link on a page. Portable: it works on the text control's engine, so the editor window only
// forwards its key presses, caret moves and pastes here.
//
// Typing: three keyword matchers ("www.", "http://", "w3.") are fed one typed character at a time
// and restarted at every word end and wherever the caret lands other than by typing. At a word end
// (space, Tab, Enter) the editor types the delimiter itself through the engine, as the control would
// have (one undo step with the typing, overwrite mode, Shift+Enter a line break), and links the word
// when a matcher saw its whole keyword from the word's start.
//
// Pastes: AutoLinkRange rescans the pasted range for each keyword. A scan only reads the text and
// makes fields over it: it never rewrites a delimiter (our paragraph end is one character, and
// rewriting it would move paragraph formats or split a table cell), so positions stay valid for the
// whole scan and everything outside the new links stays as it was.

#include <string>
#include <string_view>

#include "components/textcontrol/TextEngine.h"

namespace zv {

inline constexpr tx::Color kLinkColor = 0xFF0000;  // blue, as an OLE colour (0x00BBGGRR)
inline constexpr tx::Color kPlainTextColor = 0x000000;

// Gives every field of the page the link look (blue and underlined) or takes it away (black, not
// underlined), as one undo step; the selection ends as a caret where it started. A page without
// fields is left alone, and so is every field that has the look already: when all have it, no
// undo step is recorded.
void SetHyperlinkFormatting(tx::TextEngine& engine, bool on);

// One keyword matcher, fed one character at a time from where it was last started.
class AutoFormatItem {
public:
    // The whole keyword has been matched since the last Start.
    bool StartsWithKeyword() const { return matchPos_ > keywordLen_ && matching_; }
    void SetKeyword(std::wstring_view keyword);
    void Start(int start);
    // Compares exactly, case included; characters after a full match or a mismatch change nothing.
    void NextChar(wchar_t c);
    int GetStartPosition() const { return startPosition_; }

private:
    std::wstring keywordText_;
    int keywordLen_ = 0;
    int matchPos_ = 1;  // 1-based position in the keyword of the next character to compare
    bool matching_ = true;
    int startPosition_ = 0;
};

// The editor's automatic links: its three matchers and what it does with them.
class AutoLinker {
public:
    AutoLinker();

    // A character the keyboard typed (the control's key press, before the control sees it).
    // `ctrlFlag` is the editor's flag of a key down with Ctrl alone; `shift` tells whether Shift is
    // down (Shift+Enter types a line break). Returns true when the key was handled here and must
    // not reach the control.
    bool KeyPress(tx::TextEngine& engine, wchar_t key, bool shift, bool& ctrlFlag);
    // The selection moved (the control's selection event, a mouse up, a page load): unless it moved
    // by the character just typed, a word begins at the caret.
    void SelectionChanged(int selStart, int selLength);
    // A word begins here (mouse up, page load): every matcher starts at `position`.
    void Restart(int position);

    // Makes the text from `start` to `end` (the word end's position) a web link and puts the caret
    // behind the word's delimiter. When no field can be made there, the text is left as it was.
    void CreateAutoLink(tx::TextEngine& engine, int start, int end);
    // Rescans a pasted range for the three keywords; the caret ends at `end`.
    void AutoLinkRange(tx::TextEngine& engine, int start, int end);
    void AutoLinkHTTP(tx::TextEngine& engine, int start, int end);
    void AutoLinkWWW(tx::TextEngine& engine, int start, int end);
    void AutoLinkW3(tx::TextEngine& engine, int start, int end);

    const AutoFormatItem& Matcher(int index) const { return items_[index]; }

private:
    // Scans (start, end) for `keyword`; `skipLinked`: a keyword inside an existing link is passed
    // over (for "http://" the field insertion decides instead).
    void Scan(tx::TextEngine& engine, std::wstring_view keyword, int start, int end, bool skipLinked);
    // Links what the matchers saw from their start to `wordEnd`, then restarts them at `next`.
    void EndWord(tx::TextEngine& engine, int wordEnd, int next);

    AutoFormatItem items_[3];
    int typedCaret_ = -1;  // where the caret goes after the character being typed, else -1
    bool busy_ = false;    // the linker itself is moving the selection
};

}  // namespace zv
