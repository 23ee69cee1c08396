// make_sample_module SOURCE-FOLDER OUT-FOLDER: turns the sample's sources into a module folder.
#include <cstdio>
#include <string>

#include "app/core/AppState.h"
#include "base/Error.h"
#include "samples/SampleModule.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: make_sample_module SOURCE-FOLDER OUT-FOLDER\n", stderr);
        return 2;
    }
    App().ShowMessage = [](const std::wstring& prompt) { std::fwprintf(stderr, L"%ls\n", prompt.c_str()); };
    try {
        const std::wstring marker = BuildSampleModule(argv[1], argv[2]);
        std::fwprintf(stdout, L"made %ls\n", marker.c_str());
        return 0;
    } catch (const zv::Error& e) {
        std::fwprintf(stderr, L"make_sample_module: %ls\n", e.Description().c_str());
        return 1;
    }
}
