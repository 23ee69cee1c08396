#pragma once
// A module of five stored pages opened in the editor as the program opens one (from its marker
// file on the command line), for the views and walks over every page.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/PageFile.h"
#include "app/core/tests/FrameTest.h"
#include "base/Files.h"
#include "components/textcontrol/TextEngine.h"

namespace zv_test {

class ModuleTest : public FrameTest {
protected:
    // Pages "0001.txm".. with these texts; `types` (optional) their page types.
    std::filesystem::path OpenModule(const std::vector<std::wstring>& texts, std::vector<std::wstring> types = {}) {
        const std::filesystem::path folder = root_ / "000077";
        std::filesystem::create_directories(folder);
        std::string map = "000077\r\nViews\r\n" + std::to_string(texts.size() + 1) + "\r\n";
        bytes_.clear();
        for (size_t i = 0; i < texts.size(); ++i) {
            tx::TextEngine page;
            page.SetSelText(texts[i]);
            bytes_.push_back(PageFileBytes(page));
            const std::string name = Name(static_cast<int>(i + 1));
            std::ofstream(folder / name, std::ios::binary) << bytes_.back();
            const std::wstring type = i < types.size() ? types[i] : L"Page";
            map += name + "*" + std::string(type.begin(), type.end()) + (type == L"Topic" ? "*Topic " + std::to_string(i + 1) : "") + "\r\n";
        }
        std::ofstream(folder / "Map.txt", std::ios::binary) << map;
        std::ofstream(folder / "000077.zvk", std::ios::binary);
        frame().CommandLineText = L"\"" + (folder / "000077.zvk").wstring() + L"\"";
        frame().Unload();
        frame().Show();
        folder_ = folder;
        return folder;
    }
    static std::string Name(int page) {
        std::string digits = std::to_string(page);
        return std::string(4 - digits.size(), '0') + digits + ".txm";
    }
    std::string Bytes(int page) const { return zv::ReadFileBytes((folder_ / Name(page)).wstring()); }
    std::wstring TextOf(int page) const {
        tx::TextEngine reader;
        LoadPageFile((folder_ / Name(page)).wstring(), reader, true);
        return reader.Text();
    }

    std::filesystem::path folder_;
    std::vector<std::string> bytes_;  // the pages as written
};

}  // namespace zv_test
