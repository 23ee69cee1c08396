#pragma once
// The control's data on the Windows clipboard: our own format (the whole fidelity of a copy),
// RTF (what other word processors read) and Unicode text (everything else).

#include <windows.h>

#include <string>

namespace tx {

struct ClipboardContent {
    std::string own;    // the text control's own format, or empty
    std::string rtf;    // "Rich Text Format", or empty
    std::wstring text;  // CF_UNICODETEXT without its terminating zero, or empty
    bool Empty() const { return own.empty() && rtf.empty() && text.empty(); }
};

UINT OwnFormat();
UINT RtfFormat();
// Replaces the clipboard's content; false when the clipboard cannot be opened.
bool WriteClipboard(HWND owner, const ClipboardContent& content);
ClipboardContent ReadClipboard(HWND owner);
bool ClipboardHasContent();

}  // namespace tx
