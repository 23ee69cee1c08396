#pragma once
// What the text control tells its host. One interface of virtual handlers, each with an empty
// default, so a host overrides only what it handles. Handlers run inside the control's window
// procedure: an exception thrown by one is stopped there and does not reach Windows.
//
// Coordinates are twips from the control's top-left corner; key codes are virtual-key codes,
// Shift is 1 Shift, 2 Ctrl, 4 Alt. Buttons are 1 left, 2 right, 4 middle.

#include <windows.h>

#include <string>

namespace tx {

class TextControlEvents {
public:
    virtual ~TextControlEvents() = default;

    // ---- changes ----
    virtual void Change() {}             // the text changed (typing, deleting, pasting, loading, undo)
    virtual void FormatChanged() {}      // character or paragraph formats, page, fields changed
    virtual void ObjectChanged() {}      // an object was inserted, moved, scaled or deleted (not by a load)
    virtual void StateChanged() {}       // selection, insert mode, undo or clipboard state changed

    // ---- keyboard: set keyCode / keyAscii to 0 to swallow the key ----
    virtual void KeyDown(int& keyCode, int shift) {}
    virtual void KeyPress(int& keyAscii) {}
    virtual void KeyUp(int& keyCode, int shift) {}

    // ---- mouse ----
    virtual void MouseDown(int button, int shift, int x, int y) {}
    virtual void MouseMove(int button, int shift, int x, int y) {}
    virtual void MouseUp(int button, int shift, int x, int y) {}

    // ---- fields ----
    virtual void FieldEntered(int fieldId) {}
    virtual void FieldClicked(int fieldId) {}
    // The mouse is over a link field; `cursor` may be set to a cursor code (kCursorHand).
    virtual void FieldLinkHover(int fieldId, int& cursor) {}
    virtual void FieldLinkClicked(int linkKind, const std::wstring& target) {}

    // ---- objects ----
    virtual void ObjectClicked(int objectId) {}
    virtual void ObjectDeselected() {}
    // A windowed object was inserted without a name: the host may name it.
    virtual void ObjectGetName(int objectId, std::wstring& name) {}
    // A stored windowed object is being loaded: the host supplies the window that shows it, then
    // hears the name it was stored under.
    virtual void ObjectCreateHostWindow(int objectId, HWND& hostWindow) {}
    virtual void ObjectRestored(int objectId, const std::wstring& name) {}

    // ---- header and footer: kind 1 header, 2 footer ----
    virtual void HeaderFooterActivated(int kind) {}
    virtual void HeaderFooterDeactivated() {}

    // ---- tables ----
    virtual void TableCreated(int tableId) {}
    virtual void TableResized(int tableId) {}

    // ---- dragging (TextControl::Drag) ----
    // What was dragged from the control was let go over its text, at x, y. A drag let go outside
    // the window or beside the pages, or ended by Escape, raises nothing; the mouse up of the
    // button that dragged is not raised either.
    virtual void DragDrop(int x, int y) {}

    // ---- view ----
    virtual void VScroll(int scrollPosY) {}  // the vertical scroll value changed (twips)
};

inline constexpr int kCursorDefault = 0;
inline constexpr int kCursorHand = 12;

}  // namespace tx
