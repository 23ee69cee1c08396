#pragma once
// The editor's dialogs that format its page, each shown modally for a text control of an editor
// (ShowPageSetup is declared with the shared commands). A change they make marks the editor changed.

namespace tx {
class TXTextControl;
}

// Format > Paragraph Frames.
void ShowFramesDialog(tx::TXTextControl& control);
