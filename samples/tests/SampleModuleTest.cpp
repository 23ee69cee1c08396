// The sample module is a module the program opens: its map lists every page with its type, every
// page file loads, and every page link leads to a page of the module.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/LinkedList.h"
#include "app/core/PageFile.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"
#include "samples/SampleModule.h"

namespace fs = std::filesystem;

TEST(SampleModule, BuildsAModuleWhosePagesAndLinksAllResolve) {
    ResetAppState();
    const fs::path out = fs::temp_directory_path() / "zv_sample_module";
    fs::remove_all(out);
    const std::wstring sources = fs::path(ZV_SAMPLE_SOURCES).wstring();
    BuildSampleModule(sources, out.wstring());
    const std::wstring marker = BuildSampleModule(sources, out.wstring());  // again: replaces the old folder
    const fs::path folder = out / "000001";
    EXPECT_EQ(fs::path(marker), folder / "000001.zvk");
    EXPECT_EQ(fs::file_size(folder / "000001.zvk"), 0u);

    EXPECT_EQ(zv::ReadFileBytes((folder / "Map.txt").wstring()),
              "000001\r\nWriting for the Web\r\n4\r\n0001.txm*Topic*Getting started\r\n0002.txm*Page\r\n"
              "0003.txm*Page\r\n0004.txm*Test\r\n");

    ResetAppState();
    LinkedList list;
    std::int16_t counter = 0;
    std::wstring code, name;
    list.LoadExistingList((folder / "Map.txt").wstring(), counter, code, name, folder.wstring());
    EXPECT_EQ(counter, 5);
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    list.GetAllPageInfo(count, names, types, topics);
    ASSERT_EQ(count, 4);

    int links = 0, tables = 0, images = 0;
    for (int i = 1; i <= count; ++i) {
        tx::TextEngine page;
        LoadPageFile((folder / names[static_cast<size_t>(i)]).wstring(), page, true);
        EXPECT_EQ(page.PageWidth(), 15228);
        EXPECT_EQ(page.PageHeight(), 9618);
        EXPECT_EQ(page.PageCount(), 1) << "page " << i << " runs past the one page";
        const auto& doc = page.Doc();
        tables += static_cast<int>(doc.tables.size());
        for (const auto& o : doc.objects) images += o.kind == tx::ObjectKind::Image ? 1 : 0;
        for (int id = page.FieldNext(0); id != 0; id = page.FieldNext(id)) {
            ++links;
            const std::wstring target = page.FieldLinkTarget(id);
            ASSERT_EQ(target.substr(0, 7), L"000001\\");
            EXPECT_TRUE(list.PageExist(target.substr(7))) << "a link leads nowhere";
        }
    }
    EXPECT_GE(links, 4);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(images, 1);
    fs::remove_all(out);
    ResetAppState();
}
