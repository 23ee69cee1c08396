// What showing a kept, hidden modal dialog costs in plain Win32, without any of the program's own
// code: an MDI frame with a menu bar and one editor-like child (a caption, a window inside it that
// has the focus and a caret), and an owned dialog window with the controls of the page type
// question (a frame, three option buttons, two labels, two text boxes, two buttons), created once
// and hidden between showings. Each way of showing and hiding that a Win32 program
// could take is timed on its own, so that the program's figure can be set against the floor of
// the platform it runs on. Run: bench/wine-run.sh modal_floor_bench.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/WinClock.h"

namespace {

using bench::Median;
using bench::Now;

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

HWND g_client = nullptr;

// The dialog's own window: its background is the class brush; the focus goes on to its first tab
// stop, as a dialog's does.
LRESULT CALLBACK PlainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFOCUS) {
        for (HWND c = GetWindow(h, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            if (GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) {
                SetFocus(c);
                return 0;
            }
    }
    return DefWindowProcW(h, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFOCUS) {
        if (HWND page = GetWindow(h, GW_CHILD)) SetFocus(page);
        return 0;
    }
    return DefMDIChildProcW(h, msg, wp, lp);
}

LRESULT CALLBACK FrameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs{GetSubMenu(GetMenu(h), 0), 50000};
        g_client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                                   0, 0, 0, h, nullptr, GetModuleHandleW(nullptr), &ccs);
        return 0;
    }
    return DefFrameProcW(h, g_client, msg, wp, lp);
}

LRESULT CALLBACK PageProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETFOCUS:
        CreateCaret(h, nullptr, 1, 18);
        SetCaretPos(40, 40);
        ShowCaret(h);
        return 0;
    case WM_KILLFOCUS: DestroyCaret(); return 0;
    default: break;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    HWND c = CreateWindowExW(cls[0] == L'E' ? WS_EX_CLIENTEDGE : 0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                             parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
}

HWND MakeDialog(HWND owner, bool withControls) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT r{0, 0, 312, 212};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    HWND d = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, L"FloorPlain", L"Page Type Selection", style, 300,
                             250, r.right - r.left, r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (withControls) {
        Child(d, L"BUTTON", L"Page Type", BS_GROUPBOX, 8, 8, 144, 100);
        Child(d, L"BUTTON", L"Content Page", BS_RADIOBUTTON, 20, 28, 120, 20);
        Child(d, L"BUTTON", L"New Topic", BS_RADIOBUTTON, 20, 53, 120, 20);
        Child(d, L"BUTTON", L"Module Test", BS_RADIOBUTTON, 20, 78, 120, 20);
        Child(d, L"STATIC", L"Enter New Topic Name", 0, 164, 12, 140, 17);
        Child(d, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, 164, 30, 140, 21);
        Child(d, L"STATIC", L"Module Name", 0, 164, 60, 140, 17);
        Child(d, L"EDIT", L"Benchmark module", ES_AUTOHSCROLL | WS_TABSTOP, 164, 78, 140, 21);
        Child(d, L"BUTTON", L"Save Page", BS_DEFPUSHBUTTON | WS_TABSTOP, 76, 160, 81, 28);
        Child(d, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 164, 160, 81, 28);
    }
    return d;
}

struct Way {
    const char* name;
    std::function<void(HWND dialog)> show;
    std::function<void(HWND dialog, HWND frame)> hide;
};

}  // namespace

int wmain() {
    const struct {
        const wchar_t* name;
        WNDPROC proc;
    } classes[] = {{L"FloorPlain", PlainProc}, {L"FloorFrame", FrameProc}, {L"FloorChild", ChildProc},
                   {L"FloorPage", PageProc}};
    for (const auto& c : classes) {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = c.proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = c.name;
        RegisterClassExW(&wc);
    }

    HMENU bar = CreateMenu();
    for (const wchar_t* title : {L"&Window", L"&File", L"&Edit", L"&Document", L"&View", L"&Insert", L"F&ormat",
                                 L"&Table", L"&Tools", L"&Help"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 100, L"Item");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    HWND frame = CreateWindowExW(WS_EX_APPWINDOW, L"FloorFrame", L"Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                 1100, 800, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
    RECT room{};
    GetClientRect(frame, &room);
    MoveWindow(g_client, 0, 0, room.right, room.bottom, FALSE);
    ShowWindow(frame, SW_SHOW);
    MDICREATESTRUCTW mcs{L"FloorChild", L"Module: 000001    PageName: 0001.TXM", GetModuleHandleW(nullptr),
                         0, 0, 1000, 680, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0};
    HWND child = reinterpret_cast<HWND>(SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    RECT inside{};
    GetClientRect(child, &inside);
    HWND page = CreateWindowExW(0, L"FloorPage", L"", WS_CHILD | WS_VISIBLE, 0, 0, inside.right, inside.bottom, child,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(frame);
    SetFocus(page);
    Pump();

    const auto activateOwner = [](HWND, HWND owner) { SetActiveWindow(owner); };
    const std::vector<Way> ways = {
        {"ShowWindow(SW_SHOW), SetActiveWindow / ShowWindow(SW_HIDE)",
         [](HWND d) {
             ShowWindow(d, SW_SHOW);
             SetActiveWindow(d);
         },
         [](HWND d, HWND) { ShowWindow(d, SW_HIDE); }},
        {"ShowWindow(SW_SHOW) alone / ShowWindow(SW_HIDE)", [](HWND d) { ShowWindow(d, SW_SHOW); },
         [](HWND d, HWND) { ShowWindow(d, SW_HIDE); }},
        {"SetWindowPos(SWP_SHOWWINDOW) / SetWindowPos(SWP_HIDEWINDOW)",
         [](HWND d) { SetWindowPos(d, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW); },
         [](HWND d, HWND) { SetWindowPos(d, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW); }},
        {"SetWindowPos(move + SWP_SHOWWINDOW), one call / SW_HIDE",
         [](HWND d) { SetWindowPos(d, HWND_TOP, 300, 250, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW); },
         [](HWND d, HWND) { ShowWindow(d, SW_HIDE); }},
        {"SW_SHOWNA, then SetActiveWindow / owner activated, then SWP_HIDEWINDOW|NOACTIVATE",
         [](HWND d) {
             ShowWindow(d, SW_SHOWNA);
             SetActiveWindow(d);
         },
         [activateOwner](HWND d, HWND owner) {
             activateOwner(d, owner);
             SetWindowPos(d, nullptr, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
         }},
        {"SW_SHOWNA, not activated (reference) / SW_HIDE", [](HWND d) { ShowWindow(d, SW_SHOWNA); },
         [](HWND d, HWND) { ShowWindow(d, SW_HIDE); }},
    };

    struct Figures {
        std::vector<double> shown, painted, hidden, repainted;
        bool dialogActive = true, editorBack = true;
    };
    HWND dialogs[2] = {MakeDialog(frame, true), MakeDialog(frame, false)};
    std::vector<Figures> figures(2 * ways.size());
    // Rounds over every way in turn, so that a busy moment of the machine falls on all of them.
    for (int round = 0; round < 6; ++round) {
        for (size_t w = 0; w < figures.size(); ++w) {
            const Way& way = ways[w % ways.size()];
            HWND dialog = dialogs[w / ways.size()];
            Figures& f = figures[w];
            for (int run = 0; run < 8; ++run) {
                const double a = Now();
                EnableWindow(frame, FALSE);
                way.show(dialog);
                const double b = Now();
                Pump();  // the dialog and its controls drawn
                const double c = Now();
                f.dialogActive = f.dialogActive && GetActiveWindow() == dialog && IsWindowVisible(dialog);
                EnableWindow(frame, TRUE);
                way.hide(dialog, frame);
                const double d = Now();
                Pump();  // what the dialog covered drawn again
                const double e = Now();
                f.editorBack = f.editorBack && GetActiveWindow() == frame && GetFocus() == page;
                if (round == 0 && run == 0) continue;  // the first showing maps the window for the first time
                f.shown.push_back(b - a);
                f.painted.push_back(c - a);
                f.hidden.push_back(d - c);
                f.repainted.push_back(e - c);
            }
            // Whatever a way left behind, the next one starts from the editor active with the focus.
            SetActiveWindow(frame);
            SetFocus(page);
            Pump();
        }
    }
    std::printf("A kept hidden dialog owned by an MDI frame, shown and hidden again as a modal one is (owner "
                "disabled while it shows); medians of %zu showings, milliseconds\n",
                figures[0].shown.size());
    std::printf("(show: the call; +paint: until the dialog is drawn; hide: the call; +paint: until what it covered "
                "is drawn again)\n");
    std::printf("%-84s %6s %6s %6s %6s %6s\n", "way of showing / hiding", "show", "+paint", "hide", "+paint", "total");
    for (size_t w = 0; w < figures.size(); ++w) {
        const Figures& f = figures[w];
        char label[200];
        std::snprintf(label, sizeof label, "%s%s", w < ways.size() ? "" : "[no controls] ", ways[w % ways.size()].name);
        std::printf("%-84s %6.2f %6.2f %6.2f %6.2f %6.2f  %s\n", label, Median(f.shown), Median(f.painted),
                    Median(f.hidden), Median(f.repainted), Median(f.painted) + Median(f.repainted),
                    f.dialogActive && f.editorBack ? "as a modal dialog"
                    : f.dialogActive               ? "NOT usable: the editor is not active again after it"
                                                   : "NOT usable: the dialog is not the active window");
    }
    for (HWND d : dialogs) DestroyWindow(d);
    DestroyWindow(frame);
    return 0;
}
