#include "components/spelling/win32/EditTarget.h"

#include <algorithm>
#include <vector>

namespace sp {

std::wstring EditTarget::Text() {
    const LRESULT length = SendMessageW(window_, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return L"";
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT got = SendMessageW(window_, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(std::max<LRESULT>(0, std::min(got, length))));
}

void EditTarget::Select(std::size_t start, std::size_t length) {
    SendMessageW(window_, EM_SETSEL, start, start + length);
}

void EditTarget::GetSelection(std::size_t& start, std::size_t& end) {
    DWORD s = 0, e = 0;
    SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = s;
    end = e;
}

void EditTarget::Replace(std::size_t start, std::size_t length, const std::wstring& with) {
    Select(start, length);
    SendMessageW(window_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(with.c_str()));
}

void EditTarget::ScrollIntoView() { SendMessageW(window_, EM_SCROLLCARET, 0, 0); }

bool EditTarget::PointOf(std::size_t position, POINT& client) {
    const LRESULT r = SendMessageW(window_, EM_POSFROMCHAR, position, 0);
    if (r == -1) return false;
    client = {static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
    return true;
}

bool EditTarget::ScreenRect(std::size_t start, std::size_t length, RECT& rect) {
    POINT first, last;
    if (!PointOf(start, first)) return false;
    if (length == 0 || !PointOf(start + length - 1, last) || last.y != first.y) last = first;
    // The line's height from the window's font: the edit messages give only the top-left corner.
    int height = 16, lastWidth = 8;
    if (HDC dc = GetDC(window_)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm;
        if (GetTextMetricsW(dc, &tm)) {
            height = tm.tmHeight;
            lastWidth = tm.tmAveCharWidth;
        }
        SelectObject(dc, old);
        ReleaseDC(window_, dc);
    }
    rect = {first.x, first.y, last.x + lastWidth, first.y + height};
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

}  // namespace sp
