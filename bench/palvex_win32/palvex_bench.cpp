// Times the colour list under Wine: MultiColumn switched on and off on a list of 5,000 entries,
// each time until the control has painted its new list window. The control is hosted on a form as
// any container hosts it, from the library file registered for the run. Prints the median of each
// in milliseconds.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/WinClock.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/activex/ActiveXControl.h"

namespace {

constexpr DISPID kAddColor = 0x60030013, kListCount = 0x68030012, kListIndex = 0x68030011, kMultiColumn = 0x68030001;
constexpr int kEntries = 5000;

using bench::Now;

class frmBench : public ui::Form {
public:
    ui::ActiveXControl ColorList1{this, L"ColorList1"};
    frmBench() {
        SetCaption(L"bench");
        SetClientSize(9000, 6000);
        ColorList1.SetClassName(L"Palvex.ColorList");
        ColorList1.Move(120, 120, 8700, 5700);
    }
};

using EntryFn = HRESULT(STDAPICALLTYPE*)();

// The library file as the Windows build leaves it: bench/palvex_win32/ and controls/ side by side.
std::wstring LibraryBesideTheBuild() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + L"..\\..\\controls\\Palvex.dll";
}

}  // namespace

// palvex_bench [PALVEX-DLL]
int wmain(int argc, wchar_t** argv) {
    const std::wstring file = argc >= 2 ? argv[1] : LibraryBesideTheBuild();
    OleInitialize(nullptr);
    HMODULE library = LoadLibraryW(file.c_str());
    auto registerServer = library ? reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer"))) : nullptr;
    auto unregisterServer = library ? reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(library, "DllUnregisterServer"))) : nullptr;
    if (!registerServer || FAILED(registerServer())) {
        std::printf("the library could not be registered: %ls\n", file.c_str());
        return 1;
    }
    int status = 0;
    {
        frmBench form;
        form.Show();
        ui::DoEvents();
        ui::ActiveXControl& list = form.ColorList1;
        const double fill = Now();
        for (int i = 0; i < kEntries; ++i)
            list.Call(kAddColor, {ui::OleVariant::Text(L"Colour " + std::to_wstring(i)),
                                  ui::OleVariant::Long(RGB(i % 256, (i * 7) % 256, (i * 13) % 256)), ui::OleVariant::Missing()});
        const double filled = Now() - fill;
        list.Put(kListIndex, {ui::OleVariant::Long(kEntries / 2)});
        ui::DoEvents();
        auto toggle = [&](bool value) {
            const double start = Now();
            list.Put(kMultiColumn, {ui::OleVariant::Bool(value)});
            UpdateWindow(list.ControlWindow());
            ui::DoEvents();
            return Now() - start;
        };
        std::vector<double> on, off;
        for (int i = 0; i < 21; ++i) {
            on.push_back(toggle(true));
            off.push_back(toggle(false));
        }
        std::sort(on.begin(), on.end());
        std::sort(off.begin(), off.end());
        const long count = list.Get(kListCount).AsLong();
        const long index = list.Get(kListIndex).AsLong();
        std::printf("entries: %ld, chosen entry after switching: %ld\n", count, index);
        if (count != kEntries || index != kEntries / 2) status = 1;
        std::printf("fill 5000 entries by dispatch:       %8.1f ms\n", filled);
        std::printf("MultiColumn switched on (to painted): %7.1f ms (median of %zu, fastest %.1f, slowest %.1f)\n",
                    on[on.size() / 2], on.size(), on.front(), on.back());
        std::printf("MultiColumn switched off (to painted):%7.1f ms (median of %zu, fastest %.1f, slowest %.1f)\n",
                    off[off.size() / 2], off.size(), off.front(), off.back());
        form.Unload();
        ui::DoEvents();
    }
    unregisterServer();
    OleUninitialize();
    return status;
}
