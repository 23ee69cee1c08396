// Web addresses typed or pasted into a page become links. The word matchers that follow the typing
// are not part of the editor yet: these do nothing until they are.
#include "app/editor/frmMDIChild.h"

// Every typed character: word ends turn a typed address into a link.
void frmMDIChild::AutoLinkKeyPress(int& /*KeyAscii*/) {}
// After a paste: the addresses in the pasted text become links.
void frmMDIChild::AutoLinkRange(std::int32_t /*start*/, std::int32_t /*end*/) {}
// A click puts the start of the next word at the caret.
void frmMDIChild::StartAutoLinkMatchers(int /*position*/) {}
