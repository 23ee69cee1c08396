#pragma once
// A window's text through the standard edit-control messages only, so that the checker works on
// any window that answers them: a plain EDIT window or the rich-text control. Positions are the
// window's own character positions.

#include <windows.h>

#include <string>

#include "components/spelling/CheckSession.h"

namespace sp {

class EditTarget : public TextAccess {
public:
    explicit EditTarget(HWND window) : window_(window) {}
    HWND Window() const { return window_; }

    std::wstring Text() override;                                                     // WM_GETTEXT
    void Replace(std::size_t start, std::size_t length, const std::wstring& with) override;  // one undo step
    void Select(std::size_t start, std::size_t length);                                // EM_SETSEL
    void GetSelection(std::size_t& start, std::size_t& end);                           // EM_GETSEL
    void ScrollIntoView();                                                             // EM_SCROLLCARET
    // The screen rectangle of [start, start + length), from EM_POSFROMCHAR and the window's font;
    // false when the window cannot say.
    bool ScreenRect(std::size_t start, std::size_t length, RECT& rect);

private:
    bool PointOf(std::size_t position, POINT& client);
    HWND window_;
};

}  // namespace sp
