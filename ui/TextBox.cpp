#include "ui/TextBox.h"

#include <algorithm>

#include "ui/Runtime.h"

namespace ui {
using detail::WindowText;

std::wstring TextBox::Text() const { return hwnd_ ? WindowText(hwnd_) : s_.text; }

void TextBox::SetText(const std::wstring& text) {
    std::wstring limited = text;
    if (s_.maxLength > 0 && static_cast<long>(limited.size()) > s_.maxLength) limited.resize(static_cast<size_t>(s_.maxLength));
    bool changed = Text() != limited;
    s_.text = limited;
    if (hwnd_) {
        settingText_ = true;
        SetWindowTextW(hwnd_, limited.c_str());
        settingText_ = false;
    }
    s_.selStart = 0;
    s_.selLength = 0;
    if (changed) Fire(Change);
}

void TextBox::Recreate() {
    if (!hwnd_) return;
    BeforeDestroy();
    DestroyWindowNow();
    CreateWindowNow();
}

void TextBox::SetMultiLine(bool v) {
    s_.multiLine = v;
    Recreate();
}
void TextBox::SetScrollBars(int v) {
    s_.scrollBars = v;
    Recreate();
}
void TextBox::SetLocked(bool v) {
    s_.locked = v;
    if (hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, v, 0);
}
void TextBox::SetMaxLength(long v) {
    s_.maxLength = v;
    if (hwnd_) SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(v), 0);
}
void TextBox::SetPasswordChar(wchar_t v) {
    s_.passwordChar = v;
    if (hwnd_) {
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, v, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}
void TextBox::SetAlignment(int v) {
    s_.alignment = v;
    Recreate();
}
void TextBox::SetBorderStyle(int v) {
    s_.borderStyle = v;
    Recreate();
}

long TextBox::SelStart() const {
    if (!hwnd_) return s_.selStart;
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<long>(start);
}

long TextBox::SelLength() const {
    if (!hwnd_) return s_.selLength;
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<long>(end - start);
}

void TextBox::SetSelStart(long v) {
    long len = static_cast<long>(Text().size());
    v = std::clamp(v, 0L, len);
    s_.selStart = v;
    s_.selLength = 0;  // moving the start collapses the selection, as the program expects
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(v), static_cast<LPARAM>(v));
}

void TextBox::SetSelLength(long v) {
    long len = static_cast<long>(Text().size());
    long start = SelStart();
    v = std::clamp(v, 0L, len - start);
    s_.selLength = v;
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + v));
}

std::wstring TextBox::SelText() const {
    std::wstring t = Text();
    size_t start = std::min<size_t>(static_cast<size_t>(SelStart()), t.size());
    return t.substr(start, static_cast<size_t>(SelLength()));
}

void TextBox::SetSelText(const std::wstring& text) {
    if (hwnd_) {
        SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));  // EN_CHANGE fires Change
        return;
    }
    std::wstring t = s_.text;
    size_t start = std::min<size_t>(static_cast<size_t>(s_.selStart), t.size());
    t.replace(start, static_cast<size_t>(s_.selLength), text);
    s_.text = t;
    s_.selStart = static_cast<long>(start + text.size());
    s_.selLength = 0;
    Fire(Change);
}

void TextBox::OnCommand(int code) {
    if (code == EN_CHANGE && !settingText_) Fire(Change);
}

void TextBox::CreateKindWindow() {
    DWORD style = WS_TABSTOP;
    if (s_.multiLine) {
        style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
        if (s_.scrollBars & 1) style |= WS_HSCROLL | ES_AUTOHSCROLL;
        if (s_.scrollBars & 2) style |= WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (s_.locked) style |= ES_READONLY;
    if (s_.passwordChar) style |= ES_PASSWORD;
    style |= s_.alignment == 1 ? ES_RIGHT : s_.alignment == 2 ? ES_CENTER : ES_LEFT;
    settingText_ = true;
    CreateNative(L"EDIT", style, s_.borderStyle == 1 ? WS_EX_CLIENTEDGE : 0, s_.text);
    settingText_ = false;
}

void TextBox::AfterCreate() {
    if (s_.maxLength > 0) SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(s_.maxLength), 0);
    if (s_.passwordChar) SendMessageW(hwnd_, EM_SETPASSWORDCHAR, s_.passwordChar, 0);
    SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(s_.selStart), static_cast<LPARAM>(s_.selStart + s_.selLength));
}

void TextBox::BeforeDestroy() {
    if (!hwnd_) return;
    s_.text = WindowText(hwnd_);
    s_.selStart = SelStart();
    s_.selLength = SelLength();
}

}  // namespace ui
