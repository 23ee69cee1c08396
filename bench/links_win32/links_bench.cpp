// Times the page chooser under Wine on a module of 100 stored pages: from "Choose page..." until
// the first row's thumbnail is painted, and until every row has been scrolled into view and drawn;
// and a typed word end that makes a link on a page of 30 links. Prints milliseconds.
#include <windows.h>

#include <algorithm>
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
#include "app/dialogs/frmHyperlink.h"
#include "app/dialogs/frmLinkPageSelectDlg.h"
#include "app/editor/frmMDIChild.h"
#include "base/Cp1252.h"
#include "bench/WinClock.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/TestHooks.h"

namespace fs = std::filesystem;

namespace {

using bench::Median;
using bench::Now;

// A module of `pages` stored pages, each a few paragraphs of text. Returns its marker file.
fs::path MakeModule(const fs::path& folder, int pages) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string map = "000100\r\nBenchmark\r\n" + std::to_string(pages + 1) + "\r\n";
    for (int n = 1; n <= pages; ++n) {
        tx::TextEngine page;
        page.SetPageWidth(12240);
        page.SetPageHeight(15840);
        std::wstring text = L"Page " + std::to_wstring(n) + L"\r\n";
        for (int p = 0; p < 8; ++p)
            text += L"The quick brown fox jumps over the lazy dog while the author writes a module page.\r\n";
        page.SetSelText(text);
        const std::wstring name = FormatPageNumber(n) + L".txm";
        WritePageFile((folder / name).wstring(), page);
        map += zv::EncodeCp1252(name) + "*Page\r\n";
    }
    std::ofstream(folder / "Map.txt", std::ios::binary) << map;
    std::ofstream(folder / "000100.zvk", std::ios::binary);
    return folder / "000100.zvk";
}

}  // namespace

int wmain() {
    ui::test::SetNoRealDialogs(true);
    auto& frame = ui::Forms::Get<frmMDIParent>();
    frame.Show();
    const fs::path folder = fs::temp_directory_path() / "zv_links_bench" / "000100";
    OpenModuleFile(MakeModule(folder, 100).wstring());
    ui::DoEvents();

    std::vector<double> firstRow, everyRow;
    int drawn = 0;
    for (int repeat = 0; repeat < 7; ++repeat) {
        ui::test::OnNextModal<frmHyperlink>([&](frmHyperlink& d) {
            double start = 0;
            ui::test::OnNextModal<frmLinkPageSelectDlg>([&](frmLinkPageSelectDlg& c) {
                UpdateWindow(c.Picture3[0].hWnd());
                firstRow.push_back(Now() - start);
                // Every row scrolled into view and drawn, a place's height at a time.
                const int places = c.Picture3.Count();
                for (int value = 0; value <= c.VScroll1.Max(); value += places) {
                    c.VScroll1.SetValue(value);
                    for (int i = 0; i < places; ++i) UpdateWindow(c.Picture3[i].hWnd());
                }
                everyRow.push_back(Now() - start);
                drawn = c.ThumbnailsRendered();
                c.Command3_Click();
            });
            start = Now();
            d.cmdChooseFile_Click();
            d.cmdCancel_Click();
        });
        frmHyperlink dialog;
        dialog.Show(ui::vbModal);
    }
    // The machine is shared: the fastest run shows the work itself, the median what load adds.
    std::printf("Page chooser, 100 pages: \"Choose page...\" to the first row painted: median of 7 %.1f ms, "
                "fastest %.1f ms\n",
                Median(firstRow), *std::min_element(firstRow.begin(), firstRow.end()));
    std::printf("Page chooser, 100 pages: every row drawn (%d thumbnails drawn in the last run): median of 7 %.1f ms, "
                "fastest %.1f ms\n",
                drawn, Median(everyRow), *std::min_element(everyRow.begin(), everyRow.end()));
    // A page of 30 links; the author types an address and the space that links it, through the
    // text window's own messages. Timed from the space to the page repainted.
    {
        frmMDIChild& editor = *ActiveEditor();
        HWND text = editor.TXTextControl1.hWnd();
        tx::TextEngine& engine = editor.TXTextControl1.Engine();
        engine.SetSelStart(0);
        engine.SetSelLength(engine.TextLength());
        engine.SetSelText(L"");
        auto type = [&](const std::wstring& keys) {
            for (wchar_t c : keys) SendMessageW(text, WM_CHAR, c, 0);
        };
        for (int i = 0; i < 30; ++i) type(L"see www.site" + std::to_wstring(i) + L".com ");
        ui::DoEvents();
        int links = 0;
        for (int id = engine.FieldNext(0); id != 0; id = engine.FieldNext(id)) ++links;
        std::vector<double> wordEnd, handled;
        for (int r = 0; r < 15; ++r) {
            const int before = engine.TextLength();
            type(L"www.new" + std::to_wstring(r) + L".org");
            ui::DoEvents();
            const double start = Now();
            SendMessageW(text, WM_CHAR, L' ', 0);
            handled.push_back(Now() - start);
            UpdateWindow(text);
            wordEnd.push_back(Now() - start);
            // The new word and its link go again, so that every round meets 30 links.
            engine.SetSelStart(before);
            engine.SetSelLength(engine.TextLength() - before);
            engine.SetSelText(L"");
            ui::DoEvents();
        }
        std::printf("A typed space that makes a link on a page of %d links, to the page repainted: median of 15 %.2f ms, "
                    "fastest %.2f ms\n",
                    links, Median(wordEnd), *std::min_element(wordEnd.begin(), wordEnd.end()));
        std::printf("The same space until the key is handled (link made, page laid out), before the repaint: median of 15 "
                    "%.2f ms, fastest %.2f ms\n",
                    Median(handled), *std::min_element(handled.begin(), handled.end()));
        editor.DirtyFlag = false;
    }
    ui::Forms::Reset();
    fs::remove_all(folder.parent_path());
    return 0;
}
