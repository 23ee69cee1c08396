// Times a page change under Wine between two pages that each show a Flash movie: from the Next or
// Previous button until the page is in the editing control with its player, the same page is in
// the print control with its printable player (as printing, previews and thumbnails load it), the
// posted work is done and the editor is repainted. Prints milliseconds.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "base/Cp1252.h"
#include "base/Paths.h"
#include "bench/WinClock.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/Application.h"
#include "ui/TestHooks.h"

namespace fs = std::filesystem;

namespace {

using bench::Median;
using bench::Now;

// A Flash movie head with a 320 x 240 stage: its player sizes its box to that.
std::string FlashMovie() {
    const int bits = 16;
    const int values[4] = {0, 320 * 20, 0, 240 * 20};
    std::string rect;
    unsigned acc = 0;
    int used = 0;
    auto put = [&](unsigned v, int n) {
        for (int i = n - 1; i >= 0; --i) {
            acc = (acc << 1) | ((v >> i) & 1);
            if (++used == 8) {
                rect += static_cast<char>(acc);
                acc = 0;
                used = 0;
            }
        }
    };
    put(bits, 5);
    for (int v : values) put(static_cast<unsigned>(v), bits);
    if (used > 0) put(0, 8 - used);
    const std::string body = rect + std::string("\0\x18\x01\0\0\0", 6);
    const std::uint32_t length = static_cast<std::uint32_t>(8 + body.size());
    std::string head = "FWS\x0A";
    for (int i = 0; i < 4; ++i) head += static_cast<char>((length >> (8 * i)) & 0xFF);
    return head + body;
}

// Two stored pages of text, each with a Flash movie placeholder at the movie's box size.
fs::path MakeModule(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder / "Movies");
    std::ofstream(folder / "Movies" / "clip.swf", std::ios::binary) << FlashMovie();
    std::string map = "000100\r\nBenchmark\r\n3\r\n";
    for (int n = 1; n <= 2; ++n) {
        tx::TextEngine page;
        std::wstring text = L"Page " + std::to_wstring(n) + L"\r\n";
        for (int p = 0; p < 8; ++p)
            text += L"The quick brown fox jumps over the lazy dog while the author writes a module page.\r\n";
        page.SetSelText(text);
        const int movie = page.ObjectInsertFixed(1, L"", 1000, 1000);
        page.SetObjectName(movie, n == 1 ? L"clip.swf,1" : L"clip.swf,0");
        page.SetObjectSize(movie, 4800, 3600);
        const std::wstring name = FormatPageNumber(n) + L".txm";
        WritePageFile((folder / name).wstring(), page);
        map += zv::EncodeCp1252(name) + "*Page\r\n";
    }
    std::ofstream(folder / "Map.txt", std::ios::binary) << map;
    std::ofstream(folder / "000100.zvk", std::ios::binary);
    return folder / "000100.zvk";
}

using EntryFn = HRESULT(STDAPICALLTYPE*)();

}  // namespace

int wmain() {
    OleInitialize(nullptr);
    HMODULE players = LoadLibraryW(fs::path(ZV_PLAYERS_DLL).wstring().c_str());
    auto entry = [&](const char* name) {
        return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(players, name)));
    };
    if (!players || FAILED(entry("DllRegisterServer")())) {
        std::printf("The movie players cannot be registered.\n");
        return 1;
    }
    ui::test::SetNoRealDialogs(true);
    auto& frame = ui::Forms::Get<frmMDIParent>();
    frame.Show();
    const fs::path folder = fs::temp_directory_path() / "zv_movies_bench" / "000100";
    OpenModuleFile(MakeModule(folder).wstring());
    ui::DoEvents();
    frmMDIChild& editor = *ActiveEditor();

    std::vector<double> changes;
    int players_made = 0;
    for (int r = 0; r < 41; ++r) {
        const wchar_t* key = r % 2 == 0 ? L"Next" : L"Previous";
        const double start = Now();
        frame.RunToolbarKey(key);
        const double t1 = Now();
        editor.RemovePrtMovieControl();
        LoadPageFile(zv::JoinPath(App().ModulePath, App().PageList.GetCurrentPageName()), editor.prtTXTextControl2.Engine(),
                     true);
        const double t2 = Now();
        ui::DoEvents();
        const double t3 = Now();
        UpdateWindow(editor.TXTextControl1.hWnd());
        changes.push_back(Now() - start);
        if (std::getenv("ZV_BENCH_EACH")) std::printf("steps %.2f %.2f %.2f %.2f\n", t1 - start, t2 - t1, t3 - t2, Now() - t3);
        if (std::getenv("ZV_BENCH_EACH")) std::printf("%ls %.2f\n", key, changes.back());
        if (editor.objSWF && editor.PrtobjSWF) ++players_made;
    }
    std::printf("Page change to a page with a Flash movie, in both text controls with their players made again "
                "(%d of %zu with both players): median of %zu %.2f ms, fastest %.2f ms\n",
                players_made, changes.size(), changes.size(), Median(changes),
                *std::min_element(changes.begin(), changes.end()));
    ui::Forms::Reset();
    entry("DllUnregisterServer")();
    fs::remove_all(folder.parent_path());
    return 0;
}
