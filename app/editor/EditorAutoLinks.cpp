// Web addresses typed or pasted into a page become links, through the portable linker over the
// text control's engine.
#include <windows.h>

#include "app/core/AppState.h"
#include "app/editor/frmMDIChild.h"

// Every typed character: a word end is typed here as the control would type it, and a word that
// began with a web keyword becomes a link.
frmMDIChild::ToolbarHold::ToolbarHold(frmMDIChild& editor) : editor_(editor) { ++editor_.toolbarHeld_; }

frmMDIChild::ToolbarHold::~ToolbarHold() {
    if (--editor_.toolbarHeld_ == 0 && editor_.toolbarDue_) editor_.ShowTextState();
}

void frmMDIChild::AutoLinkKeyPress(int& KeyAscii) {
    const bool shift = KeyAscii == '\r' && GetKeyState(VK_SHIFT) < 0;  // only Enter asks
    tx::TextEngine& e = TXTextControl1.Engine();
    const int caret = e.SelStart();
    {
        ToolbarHold hold(*this);
        if (!autoLinker_.KeyPress(e, static_cast<wchar_t>(KeyAscii), shift, ctrlFlag_)) return;
    }
    KeyAscii = 0;
    // The control scrolls to what it types itself; a word end typed here must be followed too, or
    // Enter on the last line in view leaves the caret below the window.
    if (e.SelStart() != caret) TXTextControl1->ScrollCaretIntoView();
}

// After a paste: the addresses in the pasted text become links. This scan is the paste's only
// one, whichever road the paste took, so nothing waits for a key up any more.
void frmMDIChild::AutoLinkRange(std::int32_t start, std::int32_t end) {
    App().AutoLinkPending = false;
    App().AutoLinkStart = 0;
    ToolbarHold hold(*this);
    autoLinker_.AutoLinkRange(TXTextControl1.Engine(), start, end);
}

void frmMDIChild::PasteWithLinks() {
    tx::TextEngine& e = TXTextControl1.Engine();
    const int start = e.SelStart();
    TXTextControl1->Clip(tx::kClipPaste);
    AutoLinkRange(start, e.SelStart());
}

// A word begins at the caret: after a click, and whenever the caret moves other than by typing.
void frmMDIChild::StartAutoLinkMatchers(int position) { autoLinker_.Restart(position); }
