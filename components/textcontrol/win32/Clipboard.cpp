#include "components/textcontrol/win32/Clipboard.h"

#include <cstring>

namespace tx {
namespace {

// Another program may hold the clipboard open for a moment: a few tries before giving up.
bool OpenWithRetry(HWND owner) {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

bool PutBytes(UINT format, const void* data, size_t size) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!mem) return false;
    if (void* p = GlobalLock(mem)) {
        std::memcpy(p, data, size);
        GlobalUnlock(mem);
    }
    if (!SetClipboardData(format, mem)) {
        GlobalFree(mem);
        return false;
    }
    return true;  // the clipboard owns the memory now
}

std::string GetBytes(UINT format) {
    HANDLE h = GetClipboardData(format);
    if (!h) return {};
    const SIZE_T size = GlobalSize(h);
    const char* p = static_cast<const char*>(GlobalLock(h));
    if (!p) return {};
    std::string out(p, size);
    GlobalUnlock(h);
    return out;
}

}  // namespace

UINT OwnFormat() {
    static const UINT format = RegisterClipboardFormatW(L"Zorvik Text Control Data");
    return format;
}

UINT RtfFormat() {
    static const UINT format = RegisterClipboardFormatW(L"Rich Text Format");
    return format;
}

bool WriteClipboard(HWND owner, const ClipboardContent& content) {
    if (!OpenWithRetry(owner)) return false;
    EmptyClipboard();
    bool ok = true;
    if (!content.own.empty()) {
        // Length first: GlobalSize may round the block up, and our reader must not take the padding.
        std::string framed(8, '\0');
        const std::uint64_t n = content.own.size();
        std::memcpy(framed.data(), &n, 8);
        framed += content.own;
        ok &= PutBytes(OwnFormat(), framed.data(), framed.size());
    }
    if (!content.rtf.empty()) {
        std::string z = content.rtf;
        z.push_back('\0');
        ok &= PutBytes(RtfFormat(), z.data(), z.size());
    }
    if (!content.text.empty() || (content.own.empty() && content.rtf.empty())) {
        ok &= PutBytes(CF_UNICODETEXT, content.text.c_str(), (content.text.size() + 1) * sizeof(wchar_t));
    }
    CloseClipboard();
    return ok;
}

ClipboardContent ReadClipboard(HWND owner) {
    ClipboardContent c;
    if (!OpenWithRetry(owner)) return c;
    if (IsClipboardFormatAvailable(OwnFormat())) {
        std::string framed = GetBytes(OwnFormat());
        std::uint64_t n = 0;
        if (framed.size() >= 8) std::memcpy(&n, framed.data(), 8);
        if (framed.size() >= 8 && n <= framed.size() - 8) c.own = framed.substr(8, static_cast<size_t>(n));
    }
    if (IsClipboardFormatAvailable(RtfFormat())) {
        c.rtf = GetBytes(RtfFormat());
        c.rtf.resize(std::strlen(c.rtf.c_str()));  // up to the terminating zero
    }
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        HANDLE h = GetClipboardData(CF_UNICODETEXT);
        if (h) {
            const SIZE_T size = GlobalSize(h) / sizeof(wchar_t);
            if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
                size_t n = 0;
                while (n < size && p[n]) ++n;
                c.text.assign(p, n);
                GlobalUnlock(h);
            }
        }
    }
    CloseClipboard();
    return c;
}

bool ClipboardHasContent() {
    return IsClipboardFormatAvailable(OwnFormat()) || IsClipboardFormatAvailable(RtfFormat()) ||
           IsClipboardFormatAvailable(CF_UNICODETEXT);
}

}  // namespace tx
