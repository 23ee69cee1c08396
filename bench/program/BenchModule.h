#pragma once
// The module the page view and walk benchmarks work on: pages of a few paragraphs with one word
// in each, as an author's short pages are.

#include <filesystem>
#include <fstream>
#include <string>

#include "app/core/PageFile.h"
#include "components/textcontrol/TextEngine.h"

namespace zv_bench {

// A page of a few paragraphs with `word` once in its middle.
inline std::string PageWith(int number, const std::wstring& word) {
    tx::TextEngine page;
    page.SetSelText(L"Page " + std::to_wstring(number) +
                    L". Readers of the web skim before they read, so the point of a page goes first.\n"
                    L"Each paragraph stays short and says one thing, the " + word +
                    L" among them, and the next one follows.\nA last line closes the page.");
    return PageFileBytes(page);
}

// Module 000001 of `pages` such pages in `folder` (emptied first): the page files, Map.txt and the
// marker file, whose path comes back.
inline std::wstring WriteModule(const std::filesystem::path& folder, int pages, const std::wstring& word) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
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

}  // namespace zv_bench
