// Times Tools > Convert to Word on a module of 100 full pages: the pages gathered in the editor's
// print control, saved as a Word document, numbered, repaginated and saved by the word-processor
// server, and put in place. Prints the median and the slowest run, and the document's size.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/ConvertModuleToWord.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "bench/FullEditorPage.h"
#include "ui/Application.h"
#include "ui/TestHooks.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

using EntryFn = HRESULT(STDAPICALLTYPE*)();

}  // namespace

int wmain() {
    ui::test::UseUnmanagedWindowsUnderWine();
    ui::test::SetNoRealDialogs(true);
    OleInitialize(nullptr);
    HMODULE server = LoadLibraryW(fs::path(ZV_WORDPROC_DLL).wstring().c_str());
    auto entry = [&](const char* name) {
        return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(server, name)));
    };
    if (!server || FAILED(entry("DllRegisterServer")())) {
        std::fprintf(stderr, "the word-processor server cannot be registered\n");
        return 1;
    }
    int status = 0;
    try {
        const fs::path folder = fs::temp_directory_path() / "zv_convert_bench" / "000001";
        fs::remove_all(folder);
        fs::create_directories(folder);
        AppState& state = App();
        state.ModulePath = folder.wstring();
        state.ModuleCode = L"000001";
        state.ModuleName = L"Benchmark module";
        state.PageList.InitLinedList();
        const std::string pages[2] = {PageFileBytes(bench::FullPage(1)), PageFileBytes(bench::FullPage(2))};
        for (int i = 1; i <= 100; ++i) {
            const std::wstring name = PageFileNameOf(i);
            std::ofstream(folder / name, std::ios::binary) << pages[i % 2];
            state.PageList.Add_Page(name, L"Page", L"", true);
        }
        auto& frame = ui::Forms::Get<frmMDIParent>();
        frame.Show();
        frmMDIChild& editor = frame.NewEditorWindow();
        editor.Show();

        std::vector<double> ms;
        for (int run = 0; run < 7; ++run) {
            ui::test::AnswerNextMsgBox(ui::vbOK);
            const auto a = Clock::now();
            ConvertModuleToWord(editor);
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
            if (ui::test::LastMsgBox().title != L"Conversion complete") {
                std::fprintf(stderr, "the conversion failed: %ls\n", ui::test::LastMsgBox().prompt.c_str());
                status = 1;
                break;
            }
        }
        if (status == 0) {
            std::sort(ms.begin(), ms.end());
            const double median = ms[ms.size() / 2];
            std::printf("%-58s median %7.1f ms  fastest %7.1f ms  slowest %7.1f ms  (%zu runs, target < 2000 ms: %s)\n",
                        "Convert to Word, 100 full pages", median, ms.front(), ms.back(), ms.size(),
                        median < 2000 ? "met" : "MISSED");
            std::printf("document size: %llu bytes\n",
                        static_cast<unsigned long long>(fs::file_size(folder / L"Benchmark module.doc")));
        }
        fs::remove_all(folder.parent_path());
    } catch (const zv::Error& e) {
        std::fprintf(stderr, "%ls\n", e.Description().c_str());
        status = 1;
    }
    entry("DllUnregisterServer")();
    return status;
}
