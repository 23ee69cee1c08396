#include "samples/SampleModule.h"

#include <filesystem>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/ModuleFiles.h"
#include "app/core/PageFile.h"
#include "base/Cp1252.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace {

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\n') {
            if (!line.empty() && line.back() == L'\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The editor's one page.
constexpr int kPageWidth = 15228;
constexpr int kPageHeight = 9618;

}  // namespace

std::wstring BuildSampleModule(const std::wstring& sourceFolder, const std::wstring& outFolder) {
    const auto lines = Lines(zv::DecodeCp1252(zv::ReadFileBytes(zv::JoinPath(sourceFolder, L"module.txt"))));
    if (lines.size() < 3) throw zv::Error(L"module.txt needs a module code, a module name and at least one page.");
    const std::wstring code = lines[0];
    if (!IsNumericName(code) || code.size() != 6) throw zv::Error(L"The sample's module code must be six digits.");

    const std::wstring folder = zv::JoinPath(outFolder, code);
    std::error_code ec;
    std::filesystem::remove_all(zv::FsPath(folder), ec);
    std::filesystem::create_directories(zv::FsPath(outFolder), ec);
    CreateModuleFolder(folder, code);

    AppState& app = App();
    app.ModulePath = folder;
    app.ModuleCode = code;
    app.ModuleName = lines[1];
    app.PageCounter = 1;
    app.PageList.InitLinedList();
    for (size_t i = 2; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const size_t star1 = lines[i].find(L'*');
        if (star1 == std::wstring::npos) throw zv::Error(L"module.txt line " + std::to_wstring(i + 1) + L" has no page type.");
        const size_t star2 = lines[i].find(L'*', star1 + 1);
        const std::wstring source = lines[i].substr(0, star1);
        const std::wstring type = lines[i].substr(star1 + 1, star2 == std::wstring::npos ? std::wstring::npos : star2 - star1 - 1);
        const std::wstring topic = star2 == std::wstring::npos ? L"" : lines[i].substr(star2 + 1);

        tx::TextEngine page;
        page.SetLoadSaveAttribute(tx::attr::kImportLinks, 1);
        page.Load(zv::JoinPath(sourceFolder, source), 0, tx::kFormatRtf);
        page.SetPageWidth(kPageWidth);
        page.SetPageHeight(kPageHeight);
        const std::wstring name = PageFileNameOf(app.PageCounter);
        WritePageFile(zv::JoinPath(folder, name), page);
        app.PageList.Add_Page(name, type, topic, false);
        ++app.PageCounter;
    }
    return zv::JoinPath(folder, code + L".zvk");
}
