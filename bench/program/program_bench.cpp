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
        std::vector<double> withDialog, withoutDialog, storeMs, changeMs, paintMs;
        std::vector<double> dialogShownMs, dialogSavedMs, dialogChangeMs, dialogPaintMs;
        for (int run = 0; run < 30; ++run) {
            // The author's road: a changed page, Next, the page type dialog's Save Page.
            SendMessageW(editor.TXTextControl1.hWnd(), WM_CHAR, L'x', 0);
            Clock::time_point shown, saved;
            ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
                shown = Clock::now();  // the dialog is up, active and drawn
                d.btnSave_Click();
                saved = Clock::now();
            });
            auto a = Clock::now();
            GoToNextPage();
            const auto changed = Clock::now();
            Paint(editor);
            const auto painted = Clock::now();
            withDialog.push_back(Ms(a, painted));
            dialogShownMs.push_back(Ms(a, shown));
            dialogSavedMs.push_back(Ms(shown, saved));
            dialogChangeMs.push_back(Ms(saved, changed));
            dialogPaintMs.push_back(Ms(changed, painted));

            // The same page change with the page stored directly (what the dialog's Save Page does).
            SendMessageW(editor.TXTextControl1.hWnd(), WM_CHAR, L'y', 0);
            a = Clock::now();
            SavePage(L"Page", L"");
            const auto b = Clock::now();
            editor.DirtyFlag = false;
            GoToNextPage();
            const auto c = Clock::now();
            Paint(editor);
            const auto d = Clock::now();
            withoutDialog.push_back(Ms(a, d));
            storeMs.push_back(Ms(a, b));
            changeMs.push_back(Ms(b, c));
            paintMs.push_back(Ms(c, d));
            if (App().PageList.GetNextPageName().empty()) GoToPage(L"0001.txm");
        }
        Report("page change, full page, with the page type dialog", withDialog, 15);
        Report("  of which: until the dialog is shown and active", dialogShownMs, 15);
        Report("  of which: Save Page (store, hide the dialog)", dialogSavedMs, 15);
        Report("  of which: clear, load and lay out the next page", dialogChangeMs, 15);
        Report("  of which: paint", dialogPaintMs, 15);
        Report("page change, full page, store + clear + load + paint", withoutDialog, 15);
        Report("  of which: store (page file and Map.txt)", storeMs, 15);
        Report("  of which: clear, load and lay out the next page", changeMs, 15);
        Report("  of which: paint", paintMs, 15);

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
