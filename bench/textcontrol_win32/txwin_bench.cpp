// Times the text control's window under Wine: a full page repainted, a key press until the caret is
// painted again, and loading plus painting one page, beside Wine's RichEdit doing the same with the
// same page as RTF. Prints the median of each in milliseconds.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/WinClock.h"
#include "components/textcontrol/win32/TextControl.h"

namespace {

using bench::Now;

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// The median time of `runs` calls, in milliseconds.
double Median(int runs, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const double a = Now();
        f();
        t.push_back(Now() - a);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Types a letter and takes it back with Backspace, each until the window is painted again.
void TypeAndErase(HWND h) {
    for (auto [key, ch] : {std::pair<int, wchar_t>{'X', L'x'}, {VK_BACK, L'\b'}}) {
        SendMessageW(h, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SendMessageW(h, WM_CHAR, ch, 1);
        SendMessageW(h, WM_KEYUP, static_cast<WPARAM>(key), 1 | (3u << 30));
        UpdateWindow(h);
    }
}

// One editor page: headings, body text with some bold and italic, a list and a 3 x 3 table, as
// much as fits on the 15228 x 9618 twip page.
void FillPage(tx::TextEngine& e) {
    e.SetPageWidth(15228);
    e.SetPageHeight(9618);
    const wchar_t* body =
        L"Authoring a module means writing pages that learners read one at a time, so every page "
        L"should carry one idea, a short explanation and an example that the learner can follow. ";
    e.SetSelText(L"Chapter 3: Working with the page editor\n");
    e.SetSelStart(0);
    e.SetSelLength(40);
    e.SetBold(true);
    e.SetFontSize(320);
    e.SetSelStart(e.TextLength());
    for (int i = 0; i < 3; ++i) e.SetSelText(std::wstring(body) + body + L"\n");
    const int italicAt = e.TextLength();
    e.SetSelText(L"Remember: the page ends where the line is drawn.\n");
    e.SetSelStart(italicAt);
    e.SetSelLength(9);
    e.SetItalic(true);
    e.SetSelStart(e.TextLength());
    const int table = e.TableInsert(3, 3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            e.SetSelStart(e.TableCellStart(table, r, c));
            e.SetSelText(L"Cell " + std::to_wstring(r) + L"," + std::to_wstring(c));
        }
    e.SetTableCellAttribute(table, 0, 0, tx::cell::kBorderWidth, 15);
    e.SetSelStart(e.TextLength());
    e.SetSelText(L"The last line of the page.");
}

}  // namespace

int wmain() {
    SetProcessDPIAware();
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZvTxBenchFrame";
    RegisterClassExW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1100, 740,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    tx::TextControl control;
    control.Create(frame, RECT{0, 0, 1080, 720});
    FillPage(control.Engine());
    SetFocus(control.hWnd());
    Pump();
    std::printf("pages: %d, characters: %d\n", control.PageCount(), control.Engine().TextLength());

    const int runs = 200;
    const double repaint = Median(runs, [&] {
        InvalidateRect(control.hWnd(), nullptr, FALSE);
        UpdateWindow(control.hWnd());
    });
    // A key in the middle of the body text.
    control.Engine().SetSelStart(200);
    const double key = Median(runs, [&] { TypeAndErase(control.hWnd()); }) / 2;

    // The same at the end of a longer document (two pages), where the caret keeps the view scrolled.
    tx::TextControl longer;
    longer.Create(frame, RECT{0, 0, 1080, 720});
    for (int i = 0; i < 30; ++i) longer.Engine().SetSelText(L"A line of a longer document, one of thirty paragraphs.\n");
    SetFocus(longer.hWnd());
    longer.Engine().SetSelStart(longer.Engine().TextLength());
    Pump();
    const double keyLong = Median(runs, [&] { TypeAndErase(longer.hWnd()); }) / 2;
    std::printf("pages of the longer document: %d\n", longer.PageCount());
    DestroyWindow(longer.hWnd());
    SetFocus(control.hWnd());

    const std::string own = control.Engine().SaveToBytes(tx::kFormatOwn);
    const std::string rtf = control.Engine().SaveToBytes(tx::kFormatRtf);
    const double loadOwn = Median(50, [&] {
        control.Engine().LoadFromBytes(own, tx::kFormatOwn);
        InvalidateRect(control.hWnd(), nullptr, FALSE);
        UpdateWindow(control.hWnd());
    });
    const double loadRtf = Median(50, [&] {
        control.Engine().LoadFromBytes(rtf, tx::kFormatRtf);
        InvalidateRect(control.hWnd(), nullptr, FALSE);
        UpdateWindow(control.hWnd());
    });
    ShowWindow(control.hWnd(), SW_HIDE);

    LoadLibraryW(L"riched20.dll");
    HWND rich = CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 0, 1080, 720,
                                frame, nullptr, nullptr, nullptr);
    SETTEXTEX st{ST_DEFAULT, CP_ACP};
    const double richLoad = Median(50, [&] {
        SendMessageW(rich, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(rtf.c_str()));
        InvalidateRect(rich, nullptr, TRUE);
        UpdateWindow(rich);
    });
    const double richRepaint = Median(runs, [&] {
        InvalidateRect(rich, nullptr, TRUE);
        UpdateWindow(rich);
    });
    DestroyWindow(frame);

    std::printf("full page repaint:                 %8.3f ms\n", repaint);
    std::printf("key press to repainted caret:      %8.3f ms\n", key);
    std::printf("key press, end of longer document:%8.3f ms\n", keyLong);
    std::printf("load own format + paint:           %8.3f ms\n", loadOwn);
    std::printf("load RTF + paint (ours):           %8.3f ms\n", loadRtf);
    std::printf("load RTF + paint (Wine RichEdit):  %8.3f ms\n", richLoad);
    std::printf("repaint (Wine RichEdit):           %8.3f ms\n", richRepaint);
    std::printf("RTF load + paint, ours / RichEdit: %8.2f\n", loadRtf / richLoad);
    std::printf("repaint, ours / RichEdit:          %8.2f\n", repaint / richRepaint);
    return 0;
}
