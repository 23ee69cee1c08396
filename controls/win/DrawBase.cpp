#include "controls/win/DrawBase.h"

#include <vector>

#include "controls/win/Handles.h"

namespace palvex {

namespace {

thread_local bool platformKnown = false;
thread_local bool platformIsNT = false;

void Line(HDC dc, int x0, int y0, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    LineTo(dc, x2, y2);
}

void PenLines(HDC dc, int penStyle, int sysColor, int x0, int y0, int x1, int y1, int x2, int y2) {
    Pen pen(CreatePen(penStyle, 1, GetSysColor(sysColor)));
    SelectIn use(dc, pen.Get());
    Line(dc, x0, y0, x1, y1, x2, y2);
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace

COLORREF TranslateColor(int32_t color) {
    if (color >= 0) return static_cast<COLORREF>(color);
    return GetSysColor(color & 0x7FF);
}

bool IsWinNT() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    platformIsNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    platformKnown = true;
    return platformIsNT;
}

void Draw3DEdge(HDC dc, const RECT& r, int penStyle) {
    PenLines(dc, penStyle, COLOR_3DDKSHADOW, r.left, r.bottom - 1, r.left, r.top, r.right, r.top);
    PenLines(dc, penStyle, COLOR_BTNFACE, r.right - 1, r.top, r.right - 1, r.bottom - 1, r.left, r.bottom - 1);
    PenLines(dc, penStyle, COLOR_BTNHIGHLIGHT, r.right, r.top, r.right, r.bottom, r.left, r.bottom);
}

void DrawFrameLines(HDC dc, const RECT& r) {
    PenLines(dc, PS_SOLID, COLOR_BTNHIGHLIGHT, r.right, r.top, r.left, r.top, r.left, r.bottom);
    PenLines(dc, PS_SOLID, COLOR_BTNSHADOW, r.right, r.top, r.right, r.bottom, r.left, r.bottom);
}

bool GetTextExtent(HDC dc, const std::wstring& text, SIZE& size) {
    size = SIZE{0, 0};
    if (!platformKnown) IsWinNT();
    if (platformIsNT) {
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    } else {
        const std::string ansi = ToAnsi(text);
        GetTextExtentPoint32A(dc, ansi.c_str(), static_cast<int>(text.size()), &size);
    }
    return !text.empty();
}

void TextOutWA(HDC dc, const std::wstring& text, int x, int y) {
    if (!platformKnown) IsWinNT();
    if (platformIsNT) {
        TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    } else {
        const std::string ansi = ToAnsi(text);
        TextOutA(dc, x, y, ansi.c_str(), static_cast<int>(text.size()));
    }
}

}  // namespace palvex
