// Times the table commands in the real editor window: a table of 20 rows and 10 columns inserted
// through Table Attributes (from its OK to the editor repainted), one of its columns resized by a
// dragged border (from the mouse up to repainted, the whole table rescaled), and OK of the table
// properties dialog on it (the colour drop-down hosted from the control library). Prints the
// median, the fastest and the slowest run of each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "app/core/DialogCommands.h"
#include "app/core/FILE.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/dialogs/frmTableDlg.h"
#include "app/dialogs/frmTableProp_Dlg.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/TestHooks.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRuns = 40;
constexpr double kTargetMs = 10;

// `target` 0: a figure to know, with no target.
void Report(const char* what, std::vector<double> ms, double target) {
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%-56s median %6.2f ms  fastest %6.2f ms  slowest %6.2f ms  (%zu runs", what, median, ms.front(), ms.back(),
                ms.size());
    if (target > 0) std::printf(", target < %.0f ms: %s", target, median < target ? "met" : "MISSED");
    std::printf(")\n");
}

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// Until the editor has done what it left for after the input and the control has painted.
void UntilRepainted(HWND text) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    UpdateWindow(text);
}

std::wstring MakeModule(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    tx::TextEngine page;
    page.SetSelText(L"A page with one table.");
    WritePageFile((folder / L"0001.txm").wstring(), page);
    std::ofstream(folder / "Map.txt", std::ios::binary) << "000001\r\nTables\r\n1\r\n0001.txm*Page\r\n";
    std::ofstream(folder / "000001.zvk", std::ios::binary);
    return (folder / "000001.zvk").wstring();
}

// Twenty rows run past the editor's one page: after a change the editor may say so, and the
// author's OK on that message is part of the road. An answer not taken is forgotten.
void AnsweringOnePageMessage(const std::function<void()>& action) {
    ui::test::AnswerNextMsgBox(ui::vbOK);
    action();
    if (ui::test::PendingMsgBoxAnswers() != 0) ui::test::Reset();
}

// The control library, registered for the run from the file the build made.
bool RunPalvexEntry(HMODULE dll, const char* entry) {
    using EntryFn = HRESULT(STDAPICALLTYPE*)();
    auto fn = reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(dll, entry)));
    return fn != nullptr && SUCCEEDED(fn());
}

}  // namespace

int wmain() {
    ui::test::UseUnmanagedWindowsUnderWine();
    ui::test::SetNoRealDialogs(true);
    OleInitialize(nullptr);
    HMODULE palvex = LoadLibraryW(ZV_PALVEX_DLL);
    if (!palvex || !RunPalvexEntry(palvex, "DllRegisterServer")) {
        std::fprintf(stderr, "tables_bench: the control library could not be registered\n");
        return 1;
    }
    int status = 0;
    try {
        const fs::path root = fs::temp_directory_path() / "zv_tables_bench";
        auto& frame = ui::Forms::Get<frmMDIParent>();
        frame.CommandLineText = MakeModule(root / "000001");
        frame.Show();
        frmMDIChild& editor = *ActiveEditor();
        tx::TextEngine& e = editor.TXTextControl1.Engine();
        HWND text = editor.TXTextControl1.hWnd();
        SetFocus(text);
        e.SetSelStart(e.TextLength());
        UntilRepainted(text);

        // ---- inserting 20 x 10 through the dialog ----
        std::vector<double> insert, insertClick, insertPaint;
        for (int run = 0; run < kRuns; ++run) {
            Clock::time_point ok, clicked;
            ui::test::OnNextModal<frmTableDlg>([&](frmTableDlg& d) {
                d.cboRows.SetListIndex(19);
                d.cboColumns.SetListIndex(9);
                ok = Clock::now();
                d.btnOK_Click();
                clicked = Clock::now();
            });
            AnsweringOnePageMessage([&] {
                ShowTableDialog(editor.TXTextControl1);  // Table > Insert > Table
                UntilRepainted(text);
            });
            const auto painted = Clock::now();
            insert.push_back(Ms(ok, painted));
            insertClick.push_back(Ms(ok, clicked));
            insertPaint.push_back(Ms(clicked, painted));
            if (e.Doc().tables.size() != 1) throw zv::Error(L"the 20 x 10 table did not go in");
            if (run + 1 < kRuns) AnsweringOnePageMessage([&] { e.Undo(); UntilRepainted(text); });
        }
        const int table = e.Doc().tables[0].id;
        int tableWidth = 0;
        for (int c = 1; c <= e.TableColumns(table); ++c) tableWidth += e.TableCellAttribute(table, 0, c, tx::cell::kColumnWidth);
        std::printf("a table of %d x %d, %d twips wide, on %d page(s)\n", e.TableRows(table), e.TableColumns(table), tableWidth,
                    e.PageCount());

        // ---- resizing its third column by dragging its border ----
        std::vector<double> resize;
        tx::TextControl& control = editor.TXTextControl1.Control();
        for (int run = 0; run < kRuns; ++run) {
            tx::PlacedCell third{};
            for (const tx::PlacedCell& c : e.GetLayout().Cells())
                if (c.table == table && c.row == 1 && c.col == 3) third = c;
            const POINT border = control.PageToClient(third.page, third.x + third.width, third.y + third.height / 2);
            const int before = e.TableCellAttribute(table, 0, 1, tx::cell::kColumnWidth);
            SendMessageW(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(border.x, border.y));
            SendMessageW(text, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(border.x - 20, border.y));
            UntilRepainted(text);
            Clock::time_point up;
            AnsweringOnePageMessage([&] {
                up = Clock::now();
                SendMessageW(text, WM_LBUTTONUP, 0, MAKELPARAM(border.x - 20, border.y));
                UntilRepainted(text);
            });
            resize.push_back(Ms(up, Clock::now()));
            if (e.TableCellAttribute(table, 0, 1, tx::cell::kColumnWidth) == before)
                throw zv::Error(L"the drag did not rescale the table");
            AnsweringOnePageMessage([&] { e.Undo(); UntilRepainted(text); });
        }

        // ---- the properties dialog's OK on it ----
        std::vector<double> properties;
        e.SetSelStart(e.TableCellStart(table, 1, 1));
        for (int run = 0; run < kRuns; ++run) {
            Clock::time_point ok;
            ui::test::OnNextModal<frmTableProp_Dlg>([&](frmTableProp_Dlg& d) {
                d.Combo1.SetListIndex(2);
                d.Combo2.SetListIndex(1);
                d.ColorCombo1.Put(0x6803000E, {ui::OleVariant::Long(run % 16)});
                d.Timer1_Timer();
                ok = Clock::now();
                d.Command1_Click();
            });
            AnsweringOnePageMessage([&] {
                frmTableProp_Dlg dialog;
                dialog.tx = &editor.TXTextControl1;
                dialog.Show(ui::vbModal);
                UntilRepainted(text);
            });
            properties.push_back(Ms(ok, Clock::now()));
            AnsweringOnePageMessage([&] { e.Undo(); UntilRepainted(text); });
        }

        // The same dialog's Cancel, which changes nothing: what closing the dialog alone costs.
        std::vector<double> cancel;
        for (int run = 0; run < kRuns; ++run) {
            Clock::time_point pressed;
            ui::test::OnNextModal<frmTableProp_Dlg>([&](frmTableProp_Dlg& d) {
                pressed = Clock::now();
                d.Command2_Click();
            });
            frmTableProp_Dlg dialog;
            dialog.tx = &editor.TXTextControl1;
            dialog.Show(ui::vbModal);
            UntilRepainted(text);
            cancel.push_back(Ms(pressed, Clock::now()));
        }

        Report("insert 20 x 10 table: dialog's OK to repainted", insert, kTargetMs);
        Report("  of which: OK (insert, border, the dialog closed)", insertClick, 0);
        Report("  of which: the one-page message and the repaint", insertPaint, 0);
        Report("resize one of its columns: mouse up to repainted", resize, kTargetMs);
        Report("table properties dialog: OK to repainted", properties, 0);
        Report("  beside it: its Cancel to repainted (the dialog closing)", cancel, 0);
        editor.DirtyFlag = false;
        ui::Forms::Reset();
        fs::remove_all(root);
    } catch (const zv::Error& err) {
        std::fwprintf(stderr, L"tables_bench: %ls\n", err.Description().c_str());
        status = 1;
    }
    RunPalvexEntry(palvex, "DllUnregisterServer");
    return status;
}
