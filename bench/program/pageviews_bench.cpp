// Times the views and walks over every page in the real windows: Replace All over 1000 pages of a
// few paragraphs with one hit each, the go-to view of 100 pages (first thumbnails, then every
// thumbnail scrolled through), and a print preview page turn with one and two pages. The views are
// timed twice: with every window of the view painted again after each step, and with only what
// the step changed painted, as the author's message loop paints it; under Wine each window's paint
// costs more than a thumbnail's drawing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
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
#include "bench/program/BenchModule.h"
#include "base/Error.h"
#include "base/Files.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/win32/GdiMeasurer.h"
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

// Every window of the form painted again, whether it changed or not.
void PaintNow(ui::Form& form) {
    RedrawWindow(form.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// What a step changed painted, as the message loop paints it for the author.
void PaintChanged(ui::Form& form) { RedrawWindow(form.hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// How each step of a view is painted: every window again (as this benchmark measured first), or
// what the step changed.
struct Painting {
    const char* name;
    void (*paint)(ui::Form&);
};
constexpr Painting kPaintings[] = {{"every window repainted per step", PaintNow},
                                   {"what a step changed painted", PaintChanged}};

// The median of `runs` results of `step`, which returns the milliseconds of the part it times.
template <class Step>
double MedianOf(int runs, Step step) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) ms.push_back(step());
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

template <class Step>
double Timed(Step step) {
    const auto a = Clock::now();
    step();
    return Ms(a, Clock::now());
}

// Where the drawing and storing of one page go, stage by stage.
void ReportStages(frmMDIChild& editor, const fs::path& folder) {
    const std::wstring path = (folder / L"0001.txm").wstring();
    const std::string bytes = zv::ReadFileBytes(path);
    const std::string_view own = std::string_view(bytes).substr(kPageHeaderSize);
    tx::TXTextControl& print = editor.prtTXTextControl2;
    tx::GdiMeasurer screen(96);
    HDC window = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(window);
    const int runs = 50;
    const auto line = [](const char* what, double ms) { std::printf("    %-44s %8.3f ms\n", what, ms); };
    std::printf("  one page of the go-to module, stage by stage (medians of %d):\n", runs);
    line("read the page file", MedianOf(runs, [&] { return Timed([&] { zv::ReadFileBytes(path); }); }));
    line("read its own format", MedianOf(runs, [&] { return Timed([&] { tx::ReadTxm(own); }); }));
    line("load into the print control, all it does", MedianOf(runs, [&] { return Timed([&] { LoadPageFile(path, print.Engine(), true); }); }));
    line("a fresh engine: load without a window", MedianOf(runs, [&] {
        tx::TextEngine e;
        e.SetMeasurer(&screen);
        return Timed([&] { e.LoadFromBytes(own, tx::kFormatOwn); });
    }));
    line("a fresh engine: layout at 96 dpi", MedianOf(runs, [&] {
        tx::TextEngine e;
        e.SetMeasurer(&screen);
        e.LoadFromBytes(own, tx::kFormatOwn);
        return Timed([&] { e.GetLayout(); });
    }));
    // A go-to thumbnail and a preview page fitted into a window of the preview's first size.
    const struct {
        const char* name;
        int width, height, zoom;
    } boxes[] = {{"thumbnail 190 x 120", 190, 120, 18}, {"preview page 700 x 442", 700, 442, 69}};
    for (const auto& box : boxes) {
        std::printf("    %s:\n", box.name);
        line("  make, fill and free a bitmap of the box", MedianOf(runs, [&] {
            return Timed([&] {
                HBITMAP b = CreateCompatibleBitmap(window, box.width, box.height);
                HGDIOBJ was = SelectObject(memory, b);
                PatBlt(memory, 0, 0, box.width, box.height, WHITENESS);
                SelectObject(memory, was);
                DeleteObject(b);
                GdiFlush();
            });
        }));
        HBITMAP b = CreateCompatibleBitmap(window, box.width, box.height);
        HGDIOBJ was = SelectObject(memory, b);
        print->SetPrintZoom(box.zoom);
        print->SetPrintDevice(memory);
        line("  paint the page, laid out already", MedianOf(runs, [&] { return Timed([&] { print->PrintPage(1); GdiFlush(); }); }));
        line("  blit it to the screen", MedianOf(runs, [&] {
            return Timed([&] {
                BitBlt(window, 0, 0, box.width, box.height, memory, 0, 0, SRCCOPY);
                GdiFlush();
            });
        }));
        SelectObject(memory, was);
        DeleteObject(b);
    }
    print->SetPrintDevice(nullptr);
    print->SetPrintZoom(100);
    line("find and replace one word on the page", MedianOf(runs, [&] {
        LoadPageFile(path, print.Engine(), true);
        return Timed([&] {
            if (print.Engine().Find(L"word", 0, tx::find::kFromStart) >= 0) print.Engine().ReplaceSel(L"word");
        });
    }));
    line("store the page (write and replace)", MedianOf(runs, [&] { return Timed([&] { WritePageFile(path, print.Engine()); }); }));
    line("page file bytes of the page", MedianOf(runs, [&] { return Timed([&] { PageFileBytes(print.Engine()); }); }));
    DeleteDC(memory);
    ReleaseDC(nullptr, window);
}

}  // namespace

int wmain() {
    ui::test::UseUnmanagedWindowsUnderWine();
    ui::test::SetNoRealDialogs(true);
    try {
        const fs::path root = fs::temp_directory_path() / "zv_pageviews_bench";
        auto& frame = ui::Forms::Get<frmMDIParent>();

        // ---- Replace All over 1000 pages, one hit each ----
        frame.CommandLineText = zv_bench::WriteModule(root / "replace" / "000001", 1000, L"needle");
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
        OpenModuleFile(zv_bench::WriteModule(root / "goto" / "000001", 100, L"word"));
        ReportStages(*ActiveEditor(), root / "goto" / "000001");
        for (const Painting& painting : kPaintings) {
            std::vector<double> firstRows, allRows, placed, painted;
            for (int run = 0; run < 7; ++run) {
                Clock::time_point start;
                ui::test::OnNextModal<frmGoToDlg>([&](frmGoToDlg& d) {
                    PaintNow(d);
                    firstRows.push_back(Ms(start, Clock::now()));
                    // Each step scrolls one row, as the scroll bar's arrow does, and shows it.
                    for (int v = 1; v <= d.VScroll1.Max(); ++v) {
                        const auto a = Clock::now();
                        d.VScroll1.SetValue(v);
                        const auto b = Clock::now();
                        painting.paint(d);
                        placed.push_back(Ms(a, b));
                        painted.push_back(Ms(b, Clock::now()));
                    }
                    allRows.push_back(Ms(start, Clock::now()));
                    d.Command2_Click();
                });
                start = Clock::now();
                ShowGoToDialog();
            }
            std::printf("  %s:\n", painting.name);
            Report("go-to view of 100 pages: open, first thumbnails drawn", firstRows, 100);
            Report("go-to view of 100 pages: every thumbnail drawn", allRows, 1000);
            // Where a step's time goes: the value set (the scroll bar draws itself there and the rows
            // are placed), then the paint.
            Report("  one scroll step: value set, bar drawn, rows placed", placed, 10);
            Report("  one scroll step: painted", painted, 10);
        }

        // ---- a preview page turn ----
        frmMDIChild& editor = *ActiveEditor();
        for (const Painting& painting : kPaintings) {
            std::vector<double> onePage, twoPages;
            ui::test::OnNextModal<frmPrintPreview>([&](frmPrintPreview& p) {
                const auto turns = [&](std::vector<double>& ms) {
                    PaintNow(p);
                    for (int i = 0; i < 20; ++i) {
                        const auto a = Clock::now();
                        p.btnNext_Click();
                        painting.paint(p);
                        ms.push_back(Ms(a, Clock::now()));
                    }
                };
                turns(onePage);
                p.btnPages_Click();
                turns(twoPages);
                p.btnClose_Click();
            });
            ShowPreview(editor.TXTextControl1, editor.prtTXTextControl2);
            std::printf("  %s:\n", painting.name);
            Report("print preview page turn, one page", onePage, 30);
            Report("print preview page turn, two pages", twoPages, 30);
        }
        editor.Unload();
        ui::Forms::Reset();
        fs::remove_all(root);
    } catch (const zv::Error& e) {
        std::fwprintf(stderr, L"pageviews_bench: %ls\n", e.Description().c_str());
        return 1;
    }
    return 0;
}
