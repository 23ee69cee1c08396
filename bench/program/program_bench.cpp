// Times the program's page roads in the real windows: a page change on a full page (store, clear,
// load, lay out, paint), a typed key through the editor's handlers beside the text control alone,
// and opening a module of 2000 pages. Prints the median and the slowest run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/PageControl.h"
#include "app/core/PageFile.h"
#include "app/core/frmMDIParent.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/editor/frmMDIChild.h"
#include "app/core/SharedCommands.h"
#include "base/Error.h"
#include "bench/FullEditorPage.h"
#include "components/textcontrol/win32/TextControl.h"
#include "ui/Application.h"
#include "ui/TestHooks.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void Report(const char* what, std::vector<double> ms, double target) {
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%-58s median %7.2f ms  fastest %7.2f ms  slowest %7.2f ms  (%zu runs, target < %.0f ms: %s)\n", what,
                median, ms.front(), ms.back(), ms.size(), target, median < target ? "met" : "MISSED");
}

// A road timed step by step: each run gives the time at its start and at the end of every step.
class Road {
public:
    Road(const char* name, std::vector<const char*> steps) : name_(name), steps_(std::move(steps)), ms_(steps_.size() + 1) {}
    void Add(const std::vector<Clock::time_point>& t) {
        ms_[0].push_back(Ms(t.front(), t.back()));
        for (size_t i = 1; i < t.size() && i <= steps_.size(); ++i) ms_[i].push_back(Ms(t[i - 1], t[i]));
    }
    void Report(double target) const {
        ::Report(name_, ms_[0], target);
        for (size_t i = 0; i < steps_.size(); ++i)
            ::Report(("  of which: " + std::string(steps_[i])).c_str(), ms_[i + 1], target);
    }

private:
    const char* name_;
    std::vector<const char*> steps_;
    std::vector<std::vector<double>> ms_;
};


std::wstring MakeModule(const fs::path& folder, int pages) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string map = "000001\r\nBenchmark module\r\n" + std::to_string(pages) + "\r\n";
    const std::string first = PageFileBytes(bench::FullPage(1));
    const std::string second = PageFileBytes(bench::FullPage(2));
    for (int i = 1; i <= pages; ++i) {
        const std::wstring name = PageFileNameOf(i);
        std::ofstream(folder / name, std::ios::binary) << (i % 2 ? first : second);
        map += std::string(name.begin(), name.end()) + "*Page\r\n";
    }
    std::ofstream(folder / "Map.txt", std::ios::binary) << map;
    std::ofstream(folder / "000001.zvk", std::ios::binary);
    return (folder / "000001.zvk").wstring();
}

// Types a letter and takes it back with Backspace, each until the window is painted again and
// what the editor left for after the key (its one-page check) has run.
void TypeAndErase(HWND h) {
    for (auto [key, ch] : {std::pair<int, wchar_t>{'X', L'x'}, {VK_BACK, L'\b'}}) {
        SendMessageW(h, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SendMessageW(h, WM_CHAR, ch, 1);
        SendMessageW(h, WM_KEYUP, static_cast<WPARAM>(key), 1 | (3u << 30));
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        UpdateWindow(h);
    }
}

void Paint(frmMDIChild& editor) {
    HWND hwnd = editor.TXTextControl1.hWnd();
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

// Everything the last input left to do done: its after-input work and every window drawn.
void Settle(frmMDIChild& editor) {
    ui::DoEvents();
    if (HWND frame = GetAncestor(editor.hWnd(), GA_ROOT)) RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ui::DoEvents();
}

}  // namespace

int wmain() {
    ui::test::UseUnmanagedWindowsUnderWine();
    ui::test::SetNoRealDialogs(true);
    try {
        const fs::path root = fs::temp_directory_path() / "zv_program_bench";
        const std::wstring small = MakeModule(root / "small" / "000001", 40);
        // The frame opens the module as from the command line.
        auto& frame = ui::Forms::Get<frmMDIParent>();
        frame.CommandLineText = small;
        frame.Show();

        // ---- page change on a full page ----
        frmMDIChild& editor = *ActiveEditor();
        Paint(editor);
        Road withDialog("page change, full page, with the page type dialog",
                        {"until the dialog is shown and active", "Save Page (store, hide the dialog)",
                         "clear, load and lay out the next page", "paint"});
        Road withoutDialog("page change, full page, store + clear + load + paint",
                           {"store (page file and Map.txt)", "clear, load and lay out the next page", "paint"});
        // The dialog alone, as bench/program/modal_floor_bench measures a plain Win32 dialog: asked,
        // shown and drawn, Save Page with nothing to store, hidden, and what it covered drawn again.
        Road dialogAlone("the page type dialog alone, until what it covered is drawn",
                         {"until it is shown, active and drawn", "Save Page with nothing to store, hidden",
                          "what it covered drawn again"});
        for (int run = 0; run < 30; ++run) {
            // The author's road: a changed page, Next, the page type dialog's Save Page. The typed
            // letter is on the screen long before the author reaches for Next: its own drawing is
            // no part of the page change.
            SendMessageW(editor.TXTextControl1.hWnd(), WM_CHAR, L'x', 0);
            Settle(editor);
            std::vector<Clock::time_point> t{Clock::now()};
            ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
                t.push_back(Clock::now());  // the dialog is up, active and drawn
                d.btnSave_Click();
                t.push_back(Clock::now());
            });
            GoToNextPage();
            t.push_back(Clock::now());
            Paint(editor);
            t.push_back(Clock::now());
            withDialog.Add(t);

            // The same page change with the page stored directly (what the dialog's Save Page does).
            SendMessageW(editor.TXTextControl1.hWnd(), WM_CHAR, L'y', 0);
            Settle(editor);
            t = {Clock::now()};
            SavePage(L"Page", L"");
            t.push_back(Clock::now());
            editor.DirtyFlag = false;
            GoToNextPage();
            t.push_back(Clock::now());
            Paint(editor);
            t.push_back(Clock::now());
            withoutDialog.Add(t);

            Settle(editor);
            t = {Clock::now()};
            ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
                t.push_back(Clock::now());
                d.btnSave_Click();
            });
            editor.AskPageType(EditorWalk::QuestionFor(App(), App().PageList.GetNextPageName()),
                               [](const std::wstring&, const std::wstring&) {});
            t.push_back(Clock::now());
            Settle(editor);
            t.push_back(Clock::now());
            dialogAlone.Add(t);
            if (App().PageList.GetNextPageName().empty()) GoToPage(L"0001.txm");
        }
        for (const Road* road : {&withDialog, &withoutDialog, &dialogAlone}) road->Report(15);

        // ---- a typed key on a full page: through the editor, and the same page in a bare control ----
        // The full page less its last lines, so that the typed letter never runs it onto a second page.
        tx::TextEngine& text = editor.TXTextControl1.Engine();
        text.SetSelStart(text.TextLength() - 400);
        text.SetSelLength(400);
        text.SetSelText(L"");
        const std::string page = text.SaveToBytes(tx::kFormatOwn);
        HWND editorText = editor.TXTextControl1.hWnd();
        SetFocus(editorText);
        editor.TXTextControl1.Engine().SetSelStart(200);
        std::vector<double> keyEditor, keyAlone;
        for (int run = 0; run < 200; ++run) {
            const auto a = Clock::now();
            TypeAndErase(editorText);
            keyEditor.push_back(Ms(a, Clock::now()) / 2);
        }
        RECT box{};
        GetClientRect(editorText, &box);
        MapWindowPoints(editorText, editor.hWnd(), reinterpret_cast<POINT*>(&box), 2);
        tx::TextControl alone;
        alone.Create(editor.hWnd(), box);
        alone.Engine().LoadFromBytes(page, tx::kFormatOwn);
        alone.Engine().SetSelStart(200);
        SetFocus(alone.hWnd());
        for (int run = 0; run < 200; ++run) {
            const auto a = Clock::now();
            TypeAndErase(alone.hWnd());
            keyAlone.push_back(Ms(a, Clock::now()) / 2);
        }
        DestroyWindow(alone.hWnd());
        std::printf("typed keys on a page of %d characters, %d page(s)\n", text.TextLength(), text.PageCount());
        Report("typed key to repainted caret, through the editor's handlers", keyEditor, 5);
        Report("typed key to repainted caret, the text control alone", keyAlone, 5);

        editor.DirtyFlag = false;
        editor.Unload();

        // ---- opening a module of 2000 pages ----
        const std::wstring big = MakeModule(root / "big" / "000001", 2000);
        std::vector<double> open;
        for (int run = 0; run < 15; ++run) {
            const auto a = Clock::now();
            OpenModuleFile(big);
            Paint(*ActiveEditor());
            open.push_back(Ms(a, Clock::now()));
            ActiveEditor()->Unload();
        }
        Report("opening a module of 2000 pages (map, first page, window)", open, 200);
        ui::Forms::Reset();
        fs::remove_all(root);
    } catch (const zv::Error& e) {
        std::fwprintf(stderr, L"program_bench: %ls\n", e.Description().c_str());
        return 1;
    }
    return 0;
}
