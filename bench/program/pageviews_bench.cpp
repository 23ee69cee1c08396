// Times the views and walks over every page in the real windows: Replace All over 1000 pages of a
// few paragraphs with one hit each, the go-to view of 100 pages (first thumbnails, then every
// thumbnail scrolled through), and a print preview page turn with one and two pages.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/dialogs/frmFindDlg.h"
#include "app/dialogs/frmGoToDlg.h"
#include "app/dialogs/frmPrintPreview.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/Application.h"
#include "ui/TestHooks.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void Report(const char* what, std::vector<double> ms, double target) {
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%-58s median %8.2f ms  fastest %8.2f ms  slowest %8.2f ms  (%zu runs, target < %.0f ms: %s)\n", what,
                median, ms.front(), ms.back(), ms.size(), target, median < target ? "met" : "MISSED");
}

// A page of a few paragraphs with `word` once in its middle.
std::string PageWith(int number, const std::wstring& word) {
    tx::TextEngine page;
    page.SetSelText(L"Page " + std::to_wstring(number) +
                    L". Readers of the web skim before they read, so the point of a page goes first.\n"
                    L"Each paragraph stays short and says one thing, the " + word +
                    L" among them, and the next one follows.\nA last line closes the page.");
    return PageFileBytes(page);
}

std::wstring MakeModule(const fs::path& folder, int pages, const std::wstring& word) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string map = "000001\r\nBenchmark module\r\n" + std::to_string(pages + 1) + "\r\n";
    for (int i = 1; i <= pages; ++i) {
        const std::wstring name = PageFileNameOf(i);
        std::ofstream(folder / name, std::ios::binary) << PageWith(i, word);
        map += std::string(name.begin(), name.end()) + "*Page\r\n";
    }
    std::ofstream(folder / "Map.txt", std::ios::binary) << map;
    std::ofstream(folder / "000001.zvk", std::ios::binary);
    return (folder / "000001.zvk").wstring();
}

void PaintNow(ui::Form& form) {
    RedrawWindow(form.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

int wmain() {
    ui::test::UseUnmanagedWindowsUnderWine();
    ui::test::SetNoRealDialogs(true);
    try {
        const fs::path root = fs::temp_directory_path() / "zv_pageviews_bench";
        auto& frame = ui::Forms::Get<frmMDIParent>();

        // ---- Replace All over 1000 pages, one hit each ----
        frame.CommandLineText = MakeModule(root / "replace" / "000001", 1000, L"needle");
        frame.Show();
        std::vector<double> replaceAll;
        const wchar_t* words[] = {L"needle", L"thread"};
        for (int run = 0; run < 4; ++run) {
            const std::wstring from = words[run % 2], to = words[(run + 1) % 2];
            double ms = 0;
            long count = -1;
            ui::test::OnNextModal<frmFindDlg>([&](frmFindDlg& d) {
                d.cboFind.SetText(from);
                d.cmdReplace_Click();
                d.cboReplace.SetText(to);
                ui::test::AnswerNextMsgBox(1);
                const auto a = Clock::now();
                d.cmdReplaceAll_Click();
                ms = Ms(a, Clock::now());
            });
            ShowFindDialog(1);
            const std::wstring said = ui::test::LastMsgBox().prompt;
            if (said.find(L"Replaced 1000 instances.") == std::wstring::npos) {
                std::fwprintf(stderr, L"pageviews_bench: Replace All said: %ls\n", said.c_str());
                return 1;
            }
            (void)count;
            replaceAll.push_back(ms);
        }
        Report("Replace All, 1000 pages of 3 paragraphs, one hit each", replaceAll, 3000);
        ActiveEditor()->Unload();

        // ---- the go-to view of 100 pages ----
        OpenModuleFile(MakeModule(root / "goto" / "000001", 100, L"word"));
        std::vector<double> firstRows, allRows;
        for (int run = 0; run < 7; ++run) {
            Clock::time_point start;
            ui::test::OnNextModal<frmGoToDlg>([&](frmGoToDlg& d) {
                PaintNow(d);
                firstRows.push_back(Ms(start, Clock::now()));
                for (int v = 1; v <= d.VScroll1.Max(); ++v) {
                    d.VScroll1.SetValue(v);
                    PaintNow(d);
                }
                allRows.push_back(Ms(start, Clock::now()));
                d.Command2_Click();
            });
            start = Clock::now();
            ShowGoToDialog();
        }
        Report("go-to view of 100 pages: open, first thumbnails drawn", firstRows, 100);
        Report("go-to view of 100 pages: every thumbnail drawn", allRows, 1000);

        // ---- a preview page turn ----
        std::vector<double> onePage, twoPages;
        ui::test::OnNextModal<frmPrintPreview>([&](frmPrintPreview& p) {
            PaintNow(p);
            for (int i = 0; i < 20; ++i) {
                const auto a = Clock::now();
                p.btnNext_Click();
                PaintNow(p);
                onePage.push_back(Ms(a, Clock::now()));
            }
            p.btnPages_Click();
            PaintNow(p);
            for (int i = 0; i < 20; ++i) {
                const auto a = Clock::now();
                p.btnNext_Click();
                PaintNow(p);
                twoPages.push_back(Ms(a, Clock::now()));
            }
            p.btnClose_Click();
        });
        frmMDIChild& editor = *ActiveEditor();
        ShowPreview(editor.TXTextControl1, editor.prtTXTextControl2);
        Report("print preview page turn, one page", onePage, 30);
        Report("print preview page turn, two pages", twoPages, 30);
        editor.Unload();
        ui::Forms::Reset();
        fs::remove_all(root);
    } catch (const zv::Error& e) {
        std::fwprintf(stderr, L"pageviews_bench: %ls\n", e.Description().c_str());
        return 1;
    }
    return 0;
}
