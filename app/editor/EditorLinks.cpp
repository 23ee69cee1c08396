// Hyperlinks and pictures the author places on a page. The hyperlink dialog and the picture
// insertion are not part of the program yet: these do nothing until they are.
#include "app/core/DialogCommands.h"

void ShowHyperlinkDialog() {}
void InsertImage(bool /*asCharacter*/, tx::TXTextControl& /*control*/, ui::CommonDialog& /*dialog*/, int /*x*/, int /*y*/) {}
