#pragma once
// The standard edit-control messages, answered in the control's own position space (one position
// per character, a paragraph end and an object one each), so that a program written for a plain
// edit window (a spelling checker, an accessibility tool) can read, select and put right the text.
// A position reported by these messages is the control's SelStart for the same place.
//
//   WM_GETTEXTLENGTH, WM_GETTEXT   the body's text, paragraphs ended by '\n'
//   EM_GETSEL, EM_SETSEL           the selection; EM_SETSEL(-1) collapses it, an end of -1 is the end
//   EM_REPLACESEL                  one undo step, in the format of the first character replaced
//   EM_SCROLLCARET                 the caret into view
//   EM_POSFROMCHAR                 a position's top-left corner in client pixels (the edit form:
//                                  wParam = position), -1 past the text

#include <windows.h>

namespace tx {

class TextControl;

// True when `msg` is one of the messages above; `result` then holds the answer.
bool AnswerEditMessage(TextControl& control, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

}  // namespace tx
